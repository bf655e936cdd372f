#include "paths.h"

#include <algorithm>

namespace scds {

std::string Species_Folder(std::string_view species, std::string_view sub_folder) {
  std::string folder = "Data/";
  folder += species;
  folder += sub_folder;
  return folder;
}

std::string Join_Path(std::string_view folder, std::string_view file) {
  std::string path(folder);
  path += '/';
  path += file;
  return path;
}

namespace {

std::string Volume_Mesh_Path(std::string_view prefix, std::string_view species, std::string_view suffix) {
  std::string file(prefix);
  file += species;
  file += suffix;
  file += ".stl";
  return Join_Path(Species_Folder(species, "/ScanRef/Volumes"), file);
}

std::string Species_File(std::string_view species, std::string_view ending) {
  std::string file(species);
  file += ending;
  return Join_Path(Species_Folder(species), file);
}

}  // namespace

std::string Right_STL_File_Path(std::string_view species, std::string_view suffix) {
  return Volume_Mesh_Path("rv_", species, suffix);
}

std::string Left_STL_File_Path(std::string_view species, std::string_view suffix) {
  return Volume_Mesh_Path("lv_", species, suffix);
}

std::string Error_Log_File_Path(std::string_view species) { return Species_File(species, ".errorlog"); }

std::string Error_Log_Temp_File_Path(std::string_view species) { return Species_File(species, "_temp.errorlog"); }

std::string Error_Log_Temp_File_Path_R(std::string_view species) {
  return Species_File(species, "_temp_R.errorlog");
}

std::string Error_Log_Temp_File_Path_L(std::string_view species) {
  return Species_File(species, "_temp_R.errorlog");
}

std::string Unmerged_Error_Log_File_Path(std::string_view species) {
  return Species_File(species, "_unmerged.errorlog");
}

std::size_t Max_Name_Length(std::size_t length_with_1, std::size_t length_with_2) {
  const std::size_t per_char = length_with_2 - length_with_1;
  const std::size_t base = length_with_1 - per_char;
  if (per_char == 0) return base <= kMaxPath ? static_cast<std::size_t>(-1) : 0;
  return base >= kMaxPath ? 0 : (kMaxPath - base) / per_char;
}

std::size_t Max_Name_Of_Paths(const std::vector<std::string>& with_a, const std::vector<std::string>& with_aa) {
  std::size_t longest = static_cast<std::size_t>(-1);
  for (std::size_t k = 0; k < with_a.size() && k < with_aa.size(); ++k) {
    longest = std::min(longest, Max_Name_Length(with_a[k].size(), with_aa[k].size()));
  }
  return longest;
}

}  // namespace scds
