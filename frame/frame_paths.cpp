#include "frame_paths.h"


#include "paths.h"

namespace scds::quintarel {

namespace {

std::string Species_File(std::string_view species, std::string_view ending) {
  std::string file(species);
  file += ending;
  return scds::Join_Path(scds::Species_Folder(species), file);
}

std::string Matrix_File(std::string_view species, std::string_view ending) {
  std::string file(species);
  file += ending;
  return scds::Join_Path(scds::Species_Folder(species, "/Matrix"), file);
}

}  // namespace

std::string Mid_Plane_Path(std::string_view species) { return Matrix_File(species, ".midplane"); }

std::string Right_Vector_Path(std::string_view species) { return Species_File(species, "_R_Cor.rawvector"); }
std::string Right_Vector_Plus_Path(std::string_view species) {
  return Species_File(species, "_R_PlusCor.rawvector");
}
std::string Right_Vector_Minus_Path(std::string_view species) {
  return Species_File(species, "_R_MinusCor.rawvector");
}
std::string Left_Vector_Path(std::string_view species) { return Species_File(species, "_L_Cor.rawvector"); }
std::string Left_Vector_Plus_Path(std::string_view species) { return Species_File(species, "_L_PlusCor.rawvector"); }
std::string Left_Vector_Minus_Path(std::string_view species) {
  return Species_File(species, "_L_MinusCor.rawvector");
}

std::string Symmetry_Matrix_Path(std::string_view species) { return Matrix_File(species, ".symmat"); }
std::string Transfrom_Matrix_Path(std::string_view species) {
  return Matrix_File(species, "_uncoupled.transmat");
}

std::string Result_Vector_Path(std::string_view species) { return Species_File(species, "_Cor.vector"); }
std::string Result_Vector_Plus_Path(std::string_view species) { return Species_File(species, "_PlusCor.vector"); }
std::string Result_Vector_Minus_Path(std::string_view species) {
  return Species_File(species, "_MinusCor.vector");
}

std::string Synergistic_Angle_Result_Path(std::string_view species) {
  return Species_File(species, "_Cor.synangle");
}
std::string Synergistic_Angle_Plus_Result_Path(std::string_view species) {
  return Species_File(species, "_PlusCor.synangle");
}
std::string Synergistic_Angle_Minus_Result_Path(std::string_view species) {
  return Species_File(species, "_MinusCor.synangle");
}

std::string Functional_Angle_Result_Path_R(std::string_view species) {
  return Species_File(species, "_R_Cor.functionangle");
}
std::string Functional_Angle_Plus_Result_Path_R(std::string_view species) {
  return Species_File(species, "_R_PlusCor.functionangle");
}
std::string Functional_Angle_Minus_Result_Path_R(std::string_view species) {
  return Species_File(species, "_R_MinusCor.functionangle");
}
std::string Functional_Angle_Result_Path_L(std::string_view species) {
  return Species_File(species, "_L_Cor.functionangle");
}
std::string Functional_Angle_Plus_Result_Path_L(std::string_view species) {
  return Species_File(species, "_L_PlusCor.functionangle");
}
std::string Functional_Angle_Minus_Result_Path_L(std::string_view species) {
  return Species_File(species, "_L_MinusCor.functionangle");
}

std::vector<std::string> Quintarel_Paths(std::string_view species) {
  using Builder = std::string (*)(std::string_view);
  const Builder builders[] = {
      Mid_Plane_Path,
      Right_Vector_Path,
      Right_Vector_Plus_Path,
      Right_Vector_Minus_Path,
      Left_Vector_Path,
      Left_Vector_Plus_Path,
      Left_Vector_Minus_Path,
      Symmetry_Matrix_Path,
      Transfrom_Matrix_Path,
      Result_Vector_Path,
      Result_Vector_Plus_Path,
      Result_Vector_Minus_Path,
      Synergistic_Angle_Result_Path,
      Synergistic_Angle_Plus_Result_Path,
      Synergistic_Angle_Minus_Result_Path,
      Functional_Angle_Result_Path_R,
      Functional_Angle_Plus_Result_Path_R,
      Functional_Angle_Minus_Result_Path_R,
      Functional_Angle_Result_Path_L,
      Functional_Angle_Plus_Result_Path_L,
      Functional_Angle_Minus_Result_Path_L,
      scds::Error_Log_File_Path,
      scds::Error_Log_Temp_File_Path,
  };
  std::vector<std::string> paths;
  for (Builder build : builders) paths.push_back(build(species));
  return paths;
}

std::size_t Max_Species_Name() { return scds::Max_Name_Of_Paths(Quintarel_Paths("a"), Quintarel_Paths("aa")); }

}  // namespace scds::quintarel
