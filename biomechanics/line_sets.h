// The Cor pass's hand-over: the six maximal-response line sets in
// VestRef/MaxAxes, the reading and removal of Quintarel's uncoupled matrix,
// and the vestibular transform matrix for Saxmorrow.
#pragma once

#include <ostream>

#include "biomechanics_state.h"

namespace scds::ostravel {

// Called in the Cor pass only.
void Line_Sets_And_Matrix(Run_State& run, std::ostream& out);

}  // namespace scds::ostravel
