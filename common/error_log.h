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
  bool close_block = true;          // a block that holds a message ends with an empty line
  bool active = false;              // the temporary log exists
  bool holds_message = false;       // a message was reported into it
  bool write_failed = false;        // a write into it failed: it misses text
};

// Opening stage: creates temp_path afresh (whatever stood at that name is
// removed, never followed) with the title line, counts its lines, and keeps
// it open for appending, unbuffered, so that what it was told is on the
// disk when a signal ends the run (the handler then closes and merges it).
// close_block: the block ends with one empty line when it holds a message
// (every program but Brindleck). When the log cannot be created, says so on
// the console and leaves the log inactive (messages then go to the console
// only).
void Error_Log_Open(Error_Log& log, std::ostream& out, const std::filesystem::path& work_dir,
                    std::string_view species, std::string temp_path, std::string_view title, bool close_block);

// Writes a message into the log and then, with the same text, on the
// console: whatever the console showed is in the log.
void Error_Log_Report(Error_Log& log, std::ostream& out, std::string_view message);

// Writes text into the temporary log only.
void Error_Log_Write(Error_Log& log, std::string_view text);

// Closing stage: one line feed when close_block and the log holds any
// message; a log whose writing failed is said on the console; count, append
// to the species error log when the count changed (or to the unmerged log
// when the species log cannot take it: it is not a regular file, say, or
// the disk is full), remove the temporary log.
void Error_Log_Merge(Error_Log& log, std::ostream& out);

// How the closing of a temporary log went.
enum class Merge_Outcome {
  Unchanged,   // its line count is the one after the title line: nothing appended
  Merged,      // appended to the species error log
  Unmerged,    // the species error log could not take it: appended to the unmerged log
  Lost,        // neither log could take it
  Unreadable,  // it could not be read back
};

// The counting and appending of the closing stage, for a temporary log held
// open as `fd`, in plain system calls only (the signal handler runs it too).
// An append that fails part way (a full disk) is cut back to the log's
// earlier length, so both logs only ever hold whole blocks.
Merge_Outcome Merge_Log_Descriptor(int fd, std::int64_t line_count_B, const char* species_log,
                                   const char* unmerged_log);

// The lines of the file open as `fd`, counted from its start as Line_Count
// counts them; -1 when it cannot be read.
std::int64_t Line_Count_Of_Descriptor(int fd);

// Messages of the files the programs cannot write.
std::string Cannot_Write_Log_Message(std::string_view path);
std::string Cannot_Write_Output_Message(std::string_view path);

// "\nWarning: %s is incomplete: %d of %d values read.\n"
std::string Incomplete_Message(std::string_view path, int read, int expected);

}  // namespace scds
