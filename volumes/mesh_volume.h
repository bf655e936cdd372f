// The signed volume of a closed mesh: the sum over its facets of the
// tetrahedron spanned by the origin and the facet, in mm^3.
#pragma once

#include <filesystem>

#include "stl_text.h"

namespace scds {

struct Mesh_Volume_Result {
  STL_Open_Result opened = STL_Open_Result::Missing;
  bool irregular = false;  // the mesh is not regular ASCII STL text
  double volume = 0.0;     // mm^3, when opened
};

// Measures one mesh. `held` is the facet the reads fill: a coordinate that a
// read does not set keeps its value, also from an earlier mesh of the side.
// The sum is divided by unit cubed (mesh units per millimetre).
Mesh_Volume_Result Mesh_Volume(const std::filesystem::path& file, double unit, STL_Facet& held);

// The tetrahedron term of one facet: V1 . (V2 x V3) / 6, in the fixed order
// of products and sums that the reports' digits depend on.
inline double Facet_Volume(const STL_Facet& f) {
  return (f.V2x * f.V3y * f.V1z - f.V3x * f.V2y * f.V1z + f.V3x * f.V1y * f.V2z - f.V1x * f.V3y * f.V2z -
          f.V2x * f.V1y * f.V3z + f.V1x * f.V2y * f.V3z) /
         6.0;
}

}  // namespace scds
