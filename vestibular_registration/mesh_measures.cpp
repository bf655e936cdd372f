#include "mesh_measures.h"

#include <cmath>

namespace scds {

Mesh_Sum_Result Mesh_Facet_Sum(const std::filesystem::path& file, Facet_Term term) {
  Mesh_Sum_Result result;
  STL_Mesh mesh;
  result.opened = STL_Open(mesh, file);
  if (result.opened != STL_Open_Result::Opened) return result;
  const std::int64_t i = Facet_Count(mesh);
  STL_Facet facet;
  double sum = 0.0;
  for (std::int64_t j = 0; j < i; ++j) {
    STL_Read_Facet(mesh, facet);
    sum = sum + (term == Facet_Term::Volume ? Facet_Volume(facet) : Facet_Area(facet));
  }
  STL_End_Read(mesh);
  result.opened = STL_Read_Outcome(mesh);
  STL_Close(mesh);
  if (result.opened == STL_Open_Result::Opened) result.value = sum;
  return result;
}

Mesh_Sum_Result Mesh_Volume(const std::filesystem::path& file, double unit) {
  Mesh_Sum_Result result = Mesh_Facet_Sum(file, Facet_Term::Volume);
  if (result.opened == STL_Open_Result::Opened) result.value = result.value / std::pow(unit, 3.0);
  return result;
}

Mesh_Sum_Result Mesh_Area(const std::filesystem::path& file, double unit) {
  Mesh_Sum_Result result = Mesh_Facet_Sum(file, Facet_Term::Area);
  if (result.opened == STL_Open_Result::Opened) result.value = result.value / (unit * unit);
  return result;
}

}  // namespace scds
