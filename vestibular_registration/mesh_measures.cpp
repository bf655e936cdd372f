#include "mesh_measures.h"

#include <cmath>

namespace scds {

Mesh_Sum_Result Mesh_Facet_Sum(const std::filesystem::path& file, Facet_Term term, STL_Facet& held) {
  Mesh_Sum_Result result;
  STL_Mesh mesh;
  result.opened = STL_Open(mesh, file);
  if (result.opened != STL_Open_Result::Opened) return result;
  const std::int64_t i = Facet_Count(mesh);
  double sum = 0.0;
  for (std::int64_t j = 0; j < i; ++j) {
    STL_Read_Facet(mesh, held);
    sum = sum + (term == Facet_Term::Volume ? Facet_Volume(held) : Facet_Area(held));
  }
  STL_End_Read(mesh);
  result.irregular = mesh.irregular;
  const bool failed = mesh.source.failed;
  STL_Close(mesh);
  if (failed) {
    result.opened = STL_Open_Result::Missing;
    result.irregular = false;
    return result;
  }
  result.sum = sum;
  return result;
}

Mesh_Volume_Result Mesh_Volume(const std::filesystem::path& file, double unit, STL_Facet& held) {
  const Mesh_Sum_Result s = Mesh_Facet_Sum(file, Facet_Term::Volume, held);
  Mesh_Volume_Result result;
  result.opened = s.opened;
  result.irregular = s.irregular;
  if (s.opened == STL_Open_Result::Opened) result.volume = s.sum / std::pow(unit, 3.0);
  return result;
}

Mesh_Area_Result Mesh_Area(const std::filesystem::path& file, double unit, STL_Facet& held) {
  const Mesh_Sum_Result s = Mesh_Facet_Sum(file, Facet_Term::Area, held);
  Mesh_Area_Result result;
  result.opened = s.opened;
  result.irregular = s.irregular;
  if (s.opened == STL_Open_Result::Opened) result.area = s.sum / (unit * unit);
  return result;
}

}  // namespace scds
