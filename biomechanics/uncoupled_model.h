// The uncoupled model of the three ducts: each duct alone is a chain of
// fluid segments moving as one mass-damper-spring system, with the cupula as
// the spring and an inertial forcing proportional to the area its
// streamline encloses. Masses, dampings, forcing, time constants,
// frequencies and the mechanical, velocity and acceleration gains, for each
// duct and each cilia case.
#pragma once

#include "biomechanics_state.h"

namespace scds::ostravel {

// Runs on the pass's morphometry, the stiffnesses and profile factors of the
// calibration and the material constants. In the Cor pass the medium and
// short cilia acceleration gains come from the forcing and the stiffness;
// in the other passes every acceleration gain is the velocity gain times the
// long time constant.
void Uncoupled_Model(Run_State& run);

}  // namespace scds::ostravel
