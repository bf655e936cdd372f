// The reports of a pass: <species>_<set>.biomecha, the extended report
// <species>_<set>_Extended.biomecha, the console echo of the Cor pass, and
// the end of the pass (the extended report of a set whose morphometry could
// not be read is removed).
#pragma once

#include <ostream>

#include "biomechanics_state.h"

namespace scds::ostravel {

void Biomechanics_Reports(Run_State& run, std::ostream& out);

}  // namespace scds::ostravel
