#include "mesh_volume.h"

#include <cmath>

namespace scds {

Mesh_Volume_Result Mesh_Volume(const std::filesystem::path& file, double unit, STL_Facet& held) {
  Mesh_Volume_Result result;
  STL_Mesh mesh;
  result.opened = STL_Open(mesh, file);
  if (result.opened != STL_Open_Result::Opened) return result;
  const std::int64_t i = Facet_Count(mesh);
  double sum = 0.0;
  for (std::int64_t j = 0; j < i; ++j) {
    STL_Read_Facet(mesh, held);
    sum = sum + Facet_Volume(held);
  }
  STL_End_Read(mesh);
  result.irregular = mesh.irregular;
  // A read that failed on the way (an I/O error, a rewind that did not
  // happen) leaves a sum of facets that were never read: the mesh counts as
  // one that cannot be read.
  const bool failed = mesh.source.failed;
  STL_Close(mesh);
  if (failed) {
    result.opened = STL_Open_Result::Missing;
    result.irregular = false;
    return result;
  }
  result.volume = sum / std::pow(unit, 3.0);
  return result;
}

}  // namespace scds
