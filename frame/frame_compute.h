// The geometry of Quintarel: reflection through the mid-sagittal plane, the
// vestibular frame of one measurement set, and its transform matrix.
#pragma once

#include "frame_axes.h"
#include "frame_files.h"
#include "transform_matrix.h"

namespace scds::quintarel {

// MP = sqrt((xMP^2 + yMP^2) + zMP^2).
double Mid_Plane_Length(const Mid_Plane& mid);

// Divides the normal by its length (a zero normal gives not-a-number).
void Mid_Plane_Normalise(Mid_Plane& mid);

// The reflection S = I - 2 n n^T for the (normalised) plane normal n.
scds::Transform_Matrix Reflection_Matrix(const Mid_Plane& mid);

// Builds the other side from the given one: each normal becomes
// -(S normal), each centre P + S (centre - P), P the plane's point.
void Mirror_Side(const scds::Transform_Matrix& S, const Mid_Plane& mid, const Duct_Plane_Set& given,
                 Duct_Plane_Set& built);

// The axes of a set's frame in the input coordinates: Z from the lateral
// normals, Y from the four vertical normals, X = Y x Z; each normalised
// (the lengths before that are kept in X, Y, Z). Y and Z are not made
// perpendicular. detA is the determinant of A = [X Y Z].
using Vestibular_Frame = scds::Frame_Axes;

Vestibular_Frame Frame_Of(const Duct_Plane_Set& R, const Duct_Plane_Set& L);

// The inverse of A (adjugate over detA): it carries X, Y and Z to the unit
// axes. Not the transpose: the frame need not be orthonormal.
inline scds::Transform_Matrix Frame_Inverse(const Vestibular_Frame& frame) { return scds::Frame_Axes_Inverse(frame); }

// Carries the three normals and the three centres of one side by the
// matrix, without translation and without renormalising.
void Transform_Side(const scds::Transform_Matrix& TM, Duct_Plane_Set& side);

}  // namespace scds::quintarel
