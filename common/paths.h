// The path recipe of the species folder and the builders every program
// shares. Paths are relative to the working directory, with '/' separators,
// exactly as the messages show them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace scds {

// Files may have paths of at most this many characters.
constexpr std::size_t kMaxPath = 254;

// "Data/" + species + sub_folder (sub_folder is empty or begins with '/').
std::string Species_Folder(std::string_view species, std::string_view sub_folder = "");

// folder + "/" + file
std::string Join_Path(std::string_view folder, std::string_view file);

std::string Right_STL_File_Path(std::string_view species, std::string_view suffix);
std::string Left_STL_File_Path(std::string_view species, std::string_view suffix);
std::string Error_Log_File_Path(std::string_view species);
std::string Error_Log_Temp_File_Path(std::string_view species);
std::string Error_Log_Temp_File_Path_R(std::string_view species);
// There is one temporary name for both sides: the same path as the _R one.
std::string Error_Log_Temp_File_Path_L(std::string_view species);
// Where a temporary log goes when the species error log cannot take it.
std::string Unmerged_Error_Log_File_Path(std::string_view species);

// The longest name for which a path of the form base + per_char * n stays
// within kMaxPath, given the path's length for names of 1 and 2 characters.
std::size_t Max_Name_Length(std::size_t length_with_1, std::size_t length_with_2);

// The longest species name for which every path of a program stays within
// kMaxPath, from the program's whole table of paths built for the names "a"
// and "aa" (the same paths in the same order).
std::size_t Max_Name_Of_Paths(const std::vector<std::string>& with_a, const std::vector<std::string>& with_aa);

}  // namespace scds
