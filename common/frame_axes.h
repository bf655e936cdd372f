// The axes of a frame built from measured directions, and the matrix that
// carries a point into that frame.
//
// X is completed as Y x Z and normalised; Y and Z stay as their builder made
// them, so the frame need not be orthonormal and its matrix is the inverse of
// the matrix whose columns are X, Y and Z (its adjugate over its
// determinant), not a transpose.
#pragma once

#include "transform_matrix.h"

namespace scds {

struct Frame_Axes {
  double Xx = 0.0, Xy = 0.0, Xz = 0.0;
  double Yx = 0.0, Yy = 0.0, Yz = 0.0;
  double Zx = 0.0, Zy = 0.0, Zz = 0.0;
  // Lengths of the axes before they were normalised.
  double X = 0.0, Y = 0.0, Z = 0.0;
  double detA = 0.0;  // determinant of A = [X Y Z]
};

// From the unit Y and Z: X = Y x Z, its length X, X normalised, then detA
// by the rule of Sarrus.
void Complete_Frame_Axes(Frame_Axes& f);

// The inverse of A = [X Y Z] by its adjugate over detA.
Transform_Matrix Frame_Axes_Inverse(const Frame_Axes& f);

}  // namespace scds
