// The stages of Ostravel's driver (Run_Ostravel, ostravel.h): the banner,
// one measurement-set pass, the reset between passes, the end of the error
// log.
#pragma once

#include <filesystem>
#include <istream>
#include <ostream>

#include "biomechanics_state.h"
#include "dialogue.h"

namespace scds::ostravel {

// The console wording of the species question.
Dialogue_Texts Ostravel_Texts();

void Write_Banner(std::ostream& out);

// One pass on the running set's morphometry, stage by stage.
void Run_Pass(Run_State& run, std::ostream& out);

// Before the PlusCor and the MinusCor pass: every per-pass quantity back to
// zero; the carried values, deflections, stiffnesses and state matrices stay.
void Reset_Pass(Run_State& run);

// The closing empty line when the log block holds any message, then the
// merge.
void Finish_Error_Log(Run_State& run, std::ostream& out);

}  // namespace scds::ostravel
