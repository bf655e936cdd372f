// The reports of a pass: <species>_<set>.biomecha, the extended report
// <species>_<set>_Extended.biomecha, the console echo of the Cor pass, and
// the end of the pass (the extended report of a set whose morphometry could
// not be read is removed).
#pragma once

#include <ostream>
#include <string>

#include "biomechanics_state.h"

namespace scds::ostravel {

// The short report (289 lines), the extended report (625 lines, the short
// one's lines among them, in order) and the console echo (the short report
// without its "LONG TIME CONSTANTS" heading and the empty line after it).
// Every line ends with "\n"; the densities are printed in kg/m^3.
enum class Report_Kind { Short, Extended, Echo };

std::string Report_Text(const Run_State& run, Report_Kind kind);

// Writes the set's two reports, echoes the short one on the console in the
// Cor pass, and removes the extended report when the set's morphometry
// could not be read. A report that cannot be written is reported, counted
// in error_count, and an earlier report of that name stays as it was.
void Biomechanics_Reports(Run_State& run, std::ostream& out);

}  // namespace scds::ostravel
