// The flat analysis frame of one duct, fixed by the first facet of its
// cupula mesh: Z is the facet's unit normal, Y lies in the facet's plane
// perpendicular to (1, 1, 1), X = Y x Z. The frame matrix is the inverse of
// the matrix whose columns are X, Y and Z; its first two rows carry a mesh
// point into the flat mesh.
#pragma once

#include <cstdint>

#include "frame_axes.h"
#include "stl_text.h"
#include "transform_matrix.h"

namespace scds::flanmere {

// The unit vector along (1, 1, 1): the double nearest to 1/sqrt(3), written
// as a literal (1.0 / sqrt(3.0) rounds one unit in the last place higher).
constexpr double kReferenceComponent = 0.5773502691896257;

struct Cupula_Frame {
  // The first facet's vertices P1, P2, P3, in mesh units.
  double x1 = 0.0, y1 = 0.0, z1 = 0.0;
  double x2 = 0.0, y2 = 0.0, z2 = 0.0;
  double x3 = 0.0, y3 = 0.0, z3 = 0.0;
  Frame_Axes axes;          // unit axes, their lengths, detA
  Transform_Matrix matrix;  // TMA ... TMI
};

// Computes the axes, lengths, determinant and matrix from P1, P2, P3.
void Compute_Cupula_Frame(Cupula_Frame& frame);

// True when the frame cannot be used: an axis of length exactly zero, or a
// matrix element that is not finite.
bool Cupula_Frame_Degenerate(const Cupula_Frame& frame);

// Sets the matrix and the axes back to zero (a duct without a frame).
void Clear_Cupula_Frame(Cupula_Frame& frame);

// The first-facet pass over a cupula mesh that Facet_Count has just left
// after its first line, `facets` being that count: the first facet is read
// (its normal into the scratch point x, y, z, its vertices into P1 to P3),
// the mesh goes back to the start of its facets and the frame is computed.
// Returns true when the frame can be used. Otherwise the matrix and axes are
// zeroed and STL_Read_Outcome(mesh) tells why: Missing when the mesh could
// not be read (an I/O error), Irregular when the first facet's reads stopped
// before the end of its format, Opened when a first facet read whole gives a
// degenerate frame. A mesh without facets has no first facet: its end line
// is read at once, and it is Irregular or, read whole, Opened.
bool Build_Cupula_Frame(STL_Mesh& mesh, std::int64_t facets, Cupula_Frame& frame, double& x, double& y, double& z);

// (x', y') of a mesh point: the first two rows of the matrix, each sum
// taken left to right.
inline void Flatten_Vertex(const Transform_Matrix& m, double x, double y, double z, double& x0, double& y0) {
  x0 = (m.TMA * x + m.TMB * y) + m.TMC * z;
  y0 = (m.TMD * x + m.TME * y) + m.TMF * z;
}

}  // namespace scds::flanmere
