// The raw volume report of a side: Data/<species>/<species>_<R|L>_Raw.volume,
// 26 lines, removed again when none of the side's segment meshes was read.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

#include "error_log.h"
#include "segment_volumes.h"

namespace scds::brindleck {

std::string Right_Volume_Results_Path(std::string_view species);
std::string Left_Volume_Results_Path(std::string_view species);

// The 26 lines of the report.
std::string Raw_Volume_Report_Text(const Side_Volumes& v);

// Writes the side's report (replacing an earlier one once it is complete),
// then removes it when all eleven segment meshes failed. A report that
// cannot be written is reported on the console and in the side's temporary
// log, and an earlier report stays as it was.
void Raw_Volume_Report_Write(const std::filesystem::path& work_dir, std::string_view species, Side side,
                             const Side_Volumes& v, Error_Log& log, std::ostream& out);

}  // namespace scds::brindleck
