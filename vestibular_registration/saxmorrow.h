// Saxmorrow: rotates any ASCII STL mesh of a species into the vestibular
// frame of reference with the transform matrix Ostravel writes, one mesh
// after another.
#pragma once

#include <cstddef>
#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace scds::saxmorrow {

// Data/<species>/Matrix/<species>.transmat
std::string Transfrom_Matrix_Path(std::string_view species);
// Data/<species>/ScanRef/Other/<stl>.stl
std::string Input_STL_File_Path(std::string_view stl, std::string_view species);
// Data/<species>/VestRef/Other/<stl>.stl
std::string Output_STL_File_Path(std::string_view stl, std::string_view species);

// Every path Saxmorrow builds from the species alone: the matrix and the
// error logs (the mesh paths also depend on the mesh's name).
std::vector<std::string> Saxmorrow_Paths(std::string_view species);

// Longest species name whose paths fit, and longest mesh name for a species.
std::size_t Max_Species_Name();
std::size_t Max_STL_Name(std::string_view species);

// Asks the name of the mesh to register (without its .stl ending) and has
// it confirmed. Empty at the end of input.
std::optional<std::string> STL_File_Name(std::istream& in, std::ostream& out, std::size_t max_name);

// Asks whether to register another mesh: 1 yes, 2 no. Empty at the end of
// input.
std::optional<int> Menu(std::istream& in, std::ostream& out);

// The whole run: banner, species, the matrix, one mesh after another, the
// closing prompt. Returns 0 at the end of the run, 1 when the input ends at
// a question.
int Run_Saxmorrow(std::istream& in, std::ostream& out, const std::filesystem::path& work_dir);

}  // namespace scds::saxmorrow
