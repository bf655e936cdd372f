// Brindleck: the endolymph volumes of the semicircular duct system of one or
// both sides, from closed ASCII STL meshes.
#pragma once

#include <cstddef>
#include <filesystem>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace scds::brindleck {

// Every path Brindleck builds for a species: the meshes it reads, its
// reports and its error logs.
std::vector<std::string> Brindleck_Paths(std::string_view species);

// The longest species name whose paths all stay within the path limit.
std::size_t Brindleck_Max_Name();

// The whole run: banner, species, unit, side, one side pass per side (each
// in its own error-log cycle), the closing prompt. Returns 0 at the end of
// the run, 1 when the input ends before the side is known.
int Run_Brindleck(std::istream& in, std::ostream& out, const std::filesystem::path& work_dir);

}  // namespace scds::brindleck
