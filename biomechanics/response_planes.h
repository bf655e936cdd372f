// The coupled gains, the maximal response planes and the angles: the coupled
// mechanical and velocity gain vectors of each duct and case, the response
// plane normals of both sides, the rotation about the y axis (built in the
// Cor pass only, carried to the other passes), its application to the
// response normals, duct-plane normals and centres of rotation, the prime
// directions and the ipsilateral, synergistic and reference angles.
#pragma once

#include "biomechanics_state.h"

namespace scds::ostravel {

void Response_Planes(Run_State& run);

// acos(x) * 57.3 with x clamped to [-1, 1] (a nan stays nan).
double Angle_Degrees(double x);

// The rotation about y that brings the left lateral response normal
// (ix, iz before the rotation) into the y-z plane.
void Rotation_About_Y(double ix_1_L, double iz_1_L, double& theta, Transform_Matrix& TM);

}  // namespace scds::ostravel
