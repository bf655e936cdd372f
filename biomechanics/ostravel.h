// Ostravel: the biomechanics of the three ducts. Banner, species name, the
// temporary error log, the finite element inputs and material constants,
// the three measurement-set passes (Cor, PlusCor, MinusCor), the merge of
// the error log and the closing prompt.
#pragma once

#include <filesystem>
#include <istream>
#include <ostream>

namespace scds::ostravel {

// The whole run. Returns 0 after the closing prompt, 1 when the input ends
// before the last question.
int Run_Ostravel(std::istream& in, std::ostream& out, const std::filesystem::path& work_dir);

}  // namespace scds::ostravel
