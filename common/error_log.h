// The error-log cycle of a run or side pass: the temporary log is created
// with the program's title line, collects every failure message, and at the
// end is appended to the species error log when it grew, then removed.
//
// No message the log took is ever removed unread: a block that neither the
// species error log nor the unmerged log can take stays at the temporary
// log's name, whole, and the console says so; a run that finds such a log
// (or one a killed run left) at its temporary name merges it first, as a
// block of its own, before it begins its own block.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

namespace scds {

// What the console may be told when a temporary log is closed, each text
// built once when the log is opened, for the run and the signal handler
// alike.
enum Close_Text {
  kMissedText,      // the log could not take a message
  kSpeciesCannot,   // the species error log could not take the block...
  kWentUnmerged,    // ...which went to the unmerged log
  kUnmergedCannot,  // the unmerged log could not take it either...
  kKeptThere,       // ...so it stays at the temporary log's name
  kUnreadable,      // the temporary log could not be read back: it stays
  kLeftOver,        // a temporary log of before, found when a log is opened
  kCloseTextCount
};

struct Close_Texts {
  std::string text[kCloseTextCount];
};

Close_Texts Close_Texts_For(std::string_view species, std::string_view temp_path);

struct Error_Log {
  std::filesystem::path work_dir;
  std::string species;
  std::string temp_path;            // as built, relative to work_dir
  int fd = -1;                      // the temporary log, open for reading and writing during the run
  dev_t device = 0;                 // the temporary log itself, whatever stands at its name later
  ino_t inode = 0;
  std::int64_t line_count_B = 0;    // its lines once the title line was in (0 after a kept log: always merged)
  std::uint64_t length = 0;         // its bytes: only ever whole messages (and the closing empty line)
  std::string title;                // the title line while it is still to be written: the run's block
                                    // follows messages of before that could not be merged, and its title
                                    // goes in with its first message
  bool close_block = true;          // a block that holds a message ends with an empty line
  bool active = false;              // the temporary log exists
  bool holds_message = false;       // a message was reported into it
  bool ends_closed = false;         // the file ends with the closing empty line of a block that holds a message
  bool write_failed = false;        // a message could not be written into it: it lacks that one and the later ones
  Close_Texts texts;                // what the console is told when it is closed
};

// Opening stage. First, a temporary log that an earlier run or side pass
// left at temp_path (killed, or kept because no log could take it) is
// merged as a block of its own, and the console says so; one that holds a
// title line alone is dropped. Then temp_path is created afresh (whatever
// else stood at that name is removed, never followed) with the title line,
// its lines are counted, and it stays open for the messages of the run.
// When the earlier log could not be merged either, it is not overwritten:
// the run's block follows it in the same file. Every message goes to the
// disk at once, so that what the log was told is there when a signal ends
// the run (the handler then merges the log). close_block: the block ends
// with one empty line when it holds a message (every program but
// Brindleck). When the log cannot be created, says so on the console and
// leaves the log inactive (messages then go to the console only).
void Error_Log_Open(Error_Log& log, std::ostream& out, const std::filesystem::path& work_dir,
                    std::string_view species, std::string temp_path, std::string_view title, bool close_block);

// Writes a message into the log and then, with the same text, on the
// console: whatever the console showed is in the log, unless the console
// was told the log could not take it. A message is written whole or not at
// all: one that the disk cannot take whole (a file-size limit, a full disk)
// is cut off again, and the log takes no later message.
void Error_Log_Report(Error_Log& log, std::ostream& out, std::string_view message);

// Closing stage: a log that could not take a message is said on the
// console; then the log is counted, appended to the species error log when
// the count changed (or to the unmerged log when the species log cannot
// take it: it is not a regular file, say, or the disk is full), and
// removed. A block that neither can take stays where it is, and the
// console says where its messages are.
void Error_Log_Merge(Error_Log& log, std::ostream& out);

// How the closing of a temporary log went.
enum class Merge_Outcome {
  Unchanged,   // its line count is the one after the title line: nothing appended, the log removed
  Merged,      // appended to the species error log, and removed
  Unmerged,    // the species error log could not take it: appended to the unmerged log, and removed
  Kept,        // neither log could take it: it stays at its name
  Unreadable,  // it could not be read back: it stays at its name
};

// The closing of the temporary log open as `fd`, the file of that device
// and inode at `temp`, in plain system calls only (the signal handler runs
// it too): counted; appended, when the count is not line_count_B, to the
// species log or else to the unmerged log; removed unless neither could
// take it. An append that fails part way (a full disk) is cut back to the
// log's earlier length, and a log the append created is removed again, so
// both logs only ever hold whole blocks and none is left empty. The
// descriptor stays open.
Merge_Outcome Close_Log_Descriptor(int fd, dev_t device, ino_t inode, std::int64_t line_count_B, const char* temp,
                                   const char* species_log, const char* unmerged_log);

// The texts the console is told, in order, after a close with `outcome`
// (after kMissedText when the log missed a message). Returns their number.
int Close_Texts_Said(Merge_Outcome outcome, bool write_failed, Close_Text said[4]);

// The lines of the file open as `fd`, counted from its start as Line_Count
// counts them; -1 when it cannot be read.
std::int64_t Line_Count_Of_Descriptor(int fd);

// Messages of the files the programs cannot write.
std::string Cannot_Write_Log_Message(std::string_view path);
std::string Cannot_Write_Output_Message(std::string_view path);

// "\nWarning: %s is incomplete: %d of %d values read.\n"
std::string Incomplete_Message(std::string_view path, int read, int expected);

}  // namespace scds
