// Ostravel's driver: banner, species name, the temporary error log, the
// finite element inputs and material constants, the three measurement-set
// passes (Cor, PlusCor, MinusCor), the merge of the error log and the
// closing prompt.
#pragma once

#include <filesystem>
#include <istream>
#include <ostream>

#include "biomechanics_state.h"
#include "dialogue.h"

namespace scds {

// The whole run. Returns 0 after the closing prompt, 1 when the input ends
// before the last question.
int Run_Ostravel(std::istream& in, std::ostream& out, const std::filesystem::path& work_dir);

namespace ostravel {

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

}  // namespace ostravel
}  // namespace scds
