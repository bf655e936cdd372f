// Flanmere: the banner and file list, the species name and side questions,
// and one side pass (or the right and then the left) that flattens the
// twelve meshes of a side inside its own error-log cycle.
#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue.h"
#include "flat_mesh.h"

namespace scds::flanmere {

// The banner and the list of the 48 files, as printed before the species
// prompt.
std::string Flanmere_Banner();

// The wording Flanmere gives the shared dialogue (max_name included).
Dialogue_Texts Flanmere_Texts();

// Every path Flanmere builds for a species: the 24 meshes it reads, the 24
// it writes and its error logs.
std::vector<std::string> Flanmere_Paths(std::string_view species);

// The longest species name whose paths all stay within the path limit.
std::size_t Flanmere_Max_Name();

// One side pass: the temporary log with its title line, the three ducts
// (anterior, posterior, lateral) with the duct reset between them, then the
// merge into the species error log. Failures count in error_count.
void Flat_Side_Pass(Side side, std::string_view species, Duct_State& duct, std::int64_t& error_count,
                    std::ostream& out, const std::filesystem::path& work_dir);

// The whole program: 0 at its end, 1 when standard input ends before the
// questions are answered.
int Run_Flanmere(std::istream& in, std::ostream& out, const std::filesystem::path& work_dir);

}  // namespace scds::flanmere
