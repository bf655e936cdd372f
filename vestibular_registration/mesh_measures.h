// The measures of a mesh, summed facet by facet as the mesh is streamed:
// the signed volume of a closed mesh (the tetrahedra spanned by the origin
// and each facet), in mm^3, and the area of an open one, in mm^2.
#pragma once

#include <cmath>
#include <filesystem>

#include "stl_text.h"

namespace scds {

// The tetrahedron term of one facet: V1 . (V2 x V3) / 6, in the fixed order
// of products and sums that the reports' digits depend on.
inline double Facet_Volume(const STL_Facet& f) {
  return (f.V2x * f.V3y * f.V1z - f.V3x * f.V2y * f.V1z + f.V3x * f.V1y * f.V2z - f.V1x * f.V3y * f.V2z -
          f.V2x * f.V1y * f.V3z + f.V1x * f.V2y * f.V3z) /
         6.0;
}

// Half the length of the cross product of the facet's edges V2 - V1 and
// V3 - V1, in the fixed order of differences, products and sums that the
// reports' digits depend on.
inline double Facet_Area(const STL_Facet& f) {
  const double X1 = f.V2x - f.V1x, Y1 = f.V2y - f.V1y, Z1 = f.V2z - f.V1z;
  const double X2 = f.V3x - f.V1x, Y2 = f.V3y - f.V1y, Z2 = f.V3z - f.V1z;
  const double Ax = Y1 * Z2 - Z1 * Y2;
  const double Ay = Z1 * X2 - X1 * Z2;
  const double Az = X1 * Y2 - Y1 * X2;
  return std::sqrt((Ax * Ax + Ay * Ay) + Az * Az) / 2.0;
}

// Which term of a facet a mesh's sum adds up.
enum class Facet_Term { Volume, Area };

// What one mesh measures: the sum in mesh units, the volume in mm^3 or the
// area in mm^2. `value` is set only when the mesh was read whole from
// regular text (opened is Opened); it stays 0 for every other outcome.
struct Mesh_Sum_Result {
  STL_Open_Result opened = STL_Open_Result::Missing;
  double value = 0.0;
};

// Reads one mesh and adds up the chosen term of its facets in their order,
// in mesh units. A mesh whose reading fails after it opened (an I/O error,
// a rewind that did not happen) would give a sum of facets that were never
// read: it counts as one that cannot be read (Missing).
Mesh_Sum_Result Mesh_Facet_Sum(const std::filesystem::path& file, Facet_Term term);

// The volume of a closed mesh in mm^3: its sum divided by unit cubed (mesh
// units per millimetre).
Mesh_Sum_Result Mesh_Volume(const std::filesystem::path& file, double unit);

// The area of an open mesh in mm^2: its sum divided by unit squared.
Mesh_Sum_Result Mesh_Area(const std::filesystem::path& file, double unit);

}  // namespace scds
