// The error-log cycle of a run or side pass: the temporary log is created
// with the program's title line, collects every failure message, and at the
// end is appended to the species error log when it grew, then removed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

namespace scds {

struct Error_Log {
  std::filesystem::path work_dir;
  std::string species;
  std::string temp_path;            // as built, relative to work_dir
  std::FILE* stream = nullptr;      // open for appending during the run
  std::int64_t line_count_B = 0;
  bool active = false;              // the temporary log exists
  bool holds_message = false;       // a message was reported into it
  bool write_failed = false;        // a write into it failed: it misses text
};

// Opening stage: creates temp_path afresh (whatever stood at that name is
// removed, never followed) with the title line, counts its lines, and keeps
// it open for appending. When it cannot be created, says so on the console
// and leaves the log inactive (messages then go to the console only).
void Error_Log_Open(Error_Log& log, std::ostream& out, const std::filesystem::path& work_dir,
                    std::string_view species, std::string temp_path, std::string_view title);

// Writes a message on the console and, with the same text, into the log.
void Error_Log_Report(Error_Log& log, std::ostream& out, std::string_view message);

// Writes text into the temporary log only.
void Error_Log_Write(Error_Log& log, std::string_view text);

// Closing stage: one line feed when close_block and the log holds any
// message (every program but Brindleck closes its blocks so); a log whose
// writing failed is said on the console; count, append to the species error
// log when the count changed (or to the unmerged log when the species log
// cannot be appended to: it is not a regular file, say), remove the
// temporary log.
void Error_Log_Merge(Error_Log& log, std::ostream& out, bool close_block);

// Messages of the files the programs cannot write.
std::string Cannot_Write_Log_Message(std::string_view path);
std::string Cannot_Write_Output_Message(std::string_view path);

// "\nWarning: %s is incomplete: %d of %d values read.\n"
std::string Incomplete_Message(std::string_view path, int read, int expected);

}  // namespace scds
