// The coupled model of the three ducts: the mass, damping and stiffness
// matrices of the three ducts coupled through the common parts of the
// anterior utricle and of the common crus, their closed-form inverses, the
// 6x6 state matrices of the three cilia cases and the time constants and
// corner frequencies from their eigenvalues.
#pragma once

#include "biomechanics_state.h"

namespace scds::ostravel {

// Runs on the pass's uncoupled model and the pass's own state matrices
// (run.matrices[Pass_Index(run.set)]).
void Coupled_Model(Run_State& run);

}  // namespace scds::ostravel
