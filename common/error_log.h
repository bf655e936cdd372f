// The error-log cycle of a run or side pass: the temporary log is created
// with the program's title line and collects every failure message; at the
// end its block is appended to the species error log when it holds a
// message, and removed.
//
// No message the log took is removed unread: a block that neither the
// species error log nor the unmerged log can take stays whole at the
// temporary log's name, and the console says so; a run that finds a log of
// a run there (one kept so, or one a killed run left) merges it first, as a
// block of its own. What survives a power cut: every block merged (the log
// it went to is on the disk before its temporary log is removed) and every
// output; the last messages of a run that was running may be lost.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

namespace scds {

// The six programs. Each heads its blocks with its title line, its name
// and " Errors:"; a file that begins with one of these lines is a log of a
// run.
enum class Program { Quintarel, Ostravel, Saxmorrow, Brindleck, Tessafen, Flanmere };

// What the console may be told when a temporary log is closed, each text
// built once when the log is opened, for the run and the signal handler
// alike.
enum Close_Text {
  kMissedText,      // the log could not take a message
  kSpeciesCannot,   // the species error log could not take the block...
  kWentUnmerged,    // ...which went to the unmerged log
  kUnmergedCannot,  // the unmerged log could not take it either...
  kKeptThere,       // ...so it stays at the temporary log's name
  kUnreadable,      // the temporary log cannot be read back, or a left-over cannot be cleared: it stays
  kLeftOver,        // a temporary log of before, found when a log is opened
  kCloseTextCount
};

// The open temporary log: the one record of it, which the run and the
// signal handler both read. The run changes it only while the signals are
// held, from the open (which resets it) to the close.
struct Error_Log {
  int fd = -1;                  // open for reading and writing (a left-over: for reading at least); -1: the
                                // messages go to the console only
  dev_t device = 0;             // the temporary log itself, whatever stands at its name later
  ino_t inode = 0;
  std::string temp;             // its name, and those of the logs its block goes to, joined to the work folder
  std::string species_log;
  std::string unmerged_log;
  std::string texts[kCloseTextCount];
  bool close_block = true;      // a block that holds a message ends with an empty line (all but Brindleck)
  off_t length = 0;             // the bytes of the block: whole messages only (a left-over: its size); a close
                                // copies these, no more
  std::string title;            // the title line while it is still to be written: the run's block follows a
                                // kept one, and its title goes in with its first message
  bool holds_message = false;   // the block holds a message (or a kept block): it is merged at the close
  bool ends_closed = false;     // the file ends with the closing empty line of the run's last message
  bool missed = false;          // a message could not be written: the log lacks it and every later one
};

// Opening stage. First, a log of a run that an earlier run or side pass
// left at temp_path (a regular file of one name that begins with a title
// line) is merged as a block of its own, and the console says so, then
// removed; one that holds its title line alone is dropped. Then temp_path
// is made afresh (whatever else stood there is removed, never followed)
// with the program's title line, and stays open for the messages of the
// run. A file there that the run may read but not write (read-only,
// another user's) is merged and removed all the same; one that cannot be
// read, or whose name cannot be removed and which the run cannot empty,
// stays as it is, merged nowhere, and the messages go to the console only.
// When the earlier log could not be merged either, it is not overwritten:
// the run's block follows it in the same file. In a folder that allows no
// removal, an empty file at the name (a merged left-over is emptied) is
// taken as the log. The block ends with one empty line when it holds a
// message (every program but Brindleck). When the log cannot be made, the
// console says so and the messages go to the console only.
void Error_Log_Open(Error_Log& log, std::ostream& out, const std::filesystem::path& work_dir,
                    std::string_view species, const std::string& temp_path, Program program);

// Writes a message into the log and then, with the same text, on the
// console: whatever the console showed is in the log (the kernel has it,
// whatever ends the program), unless the console was told the log could
// not take it. A message that the disk cannot take whole (a file-size
// limit, a full disk) is cut off again, and the log takes no later
// message. Only a SIGKILL between the short write and its cut-back, or a
// cut-back that fails, leaves the torn message's beginning in the file: a
// later run merges it as a left-over, with a line end after it.
void Error_Log_Report(Error_Log& log, std::ostream& out, std::string_view message);

// Closing stage: the block is appended to the species error log when it
// holds a message (or to the unmerged log when the species log cannot take
// it: it is not a regular file, say, or the disk is full), made durable,
// and the temporary log removed. A block that neither can take stays where
// it is. The console says what it must know: a message the log missed,
// where the block went when not to the species log.
void Error_Log_Merge(Error_Log& log, std::ostream& out);

// The same close, made by the signal handler of the log open at that
// moment, if any, saying it straight to the console's descriptor. Plain
// system calls only.
void Error_Log_Close_On_Signal();

// A message about the file at `path`: `head`, the path, `tail`
// ("\nImpossible to read " + path + "\nVerify ...\n").
std::string Path_Message(std::string_view head, std::string_view path, std::string_view tail);

// Messages of the files the programs cannot write.
std::string Cannot_Write_Log_Message(std::string_view path);
std::string Cannot_Write_Output_Message(std::string_view path);

// "\nWarning: %s is incomplete: %d of %d values read.\n"
std::string Incomplete_Message(std::string_view path, int read, int expected);

}  // namespace scds
