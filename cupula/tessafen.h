// Tessafen: cupula morphometry of one or both sides, from closed volume
// meshes and open section meshes of the three cupulae.
#pragma once

#include <filesystem>
#include <istream>
#include <ostream>

namespace scds::tessafen {

// The whole run: banner, species, unit, side, one side pass per side (each
// in its own error-log cycle), the closing prompt. Returns 0 at the end of
// the run, 1 when the input ends before the side is known.
int Run_Tessafen(std::istream& in, std::ostream& out, const std::filesystem::path& work_dir);

}  // namespace scds::tessafen
