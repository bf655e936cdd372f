// How a run ends on SIGINT, SIGTERM, SIGHUP, SIGQUIT or SIGPIPE (Ctrl-C,
// kill, a closed terminal, Ctrl-\, a console that is a closed pipe): at once, as at the end of input. The outputs being written are
// left unfinished and their temporary files removed, so an earlier file of
// each name stays; the temporary error log is closed, merged into the
// species error log and removed; then the program ends by that very signal,
// so that the shell that started it sees the interrupt. Nothing else is
// touched on the way: no input is consumed, no earlier output removed.
//
// The handler does only what is safe in a signal handler, with plain system
// calls on names and descriptors recorded beforehand: every output's
// temporary file and the open temporary log are recorded here while they
// exist, and the code that makes, renames or merges them holds the signals
// off meanwhile (Signals_Held), so the handler always finds the records and
// the files in step.
#pragma once

#include <signal.h>
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace scds {

// What a program's main does before its run: the console made to pass on
// everything at once (so what was said is on the screen whenever a signal
// ends the run), the handler installed for the five signals (one the
// program was started to ignore stays ignored), and SIGXFSZ ignored, so
// that a write past a file-size limit fails as on a full disk.
void Start_Console_Program();

// While it lives, the five signals wait; one that came meanwhile
// is handled when it goes.
struct Signals_Held {
  sigset_t before;
  Signals_Held();
  ~Signals_Held();
  Signals_Held(const Signals_Held&) = delete;
  Signals_Held& operator=(const Signals_Held&) = delete;
};

// Records an output's temporary file, which the handler removes while it is
// still this very file (device and inode). Returns the record's number, or
// -1 when every record is taken (the file is then left for the next run to
// clear, as after a kill).
int Record_Temporary_File(const std::filesystem::path& file, dev_t device, ino_t inode);
void Forget_Temporary_File(int record);

// The open temporary error log, as the handler closes and merges it.
struct Temporary_Log_Record {
  int fd = -1;                    // open for appending
  dev_t device = 0;
  ino_t inode = 0;
  std::int64_t line_count_B = 0;  // its lines once the title line was in
  bool close_block = true;        // an empty line ends a block that holds a message
  std::filesystem::path temp;     // its name
  std::filesystem::path species_log;
  std::filesystem::path unmerged_log;
  // What the console is told when the log missed text, when the species
  // log cannot take the block, and when the unmerged log cannot either.
  std::string_view missed_text_message;
  std::string_view species_log_message;
  std::string_view unmerged_log_message;
};

// Records the log (one at a time: a later record replaces an earlier one).
void Record_Temporary_Log(const Temporary_Log_Record& log);
// The recorded log got a message, or lost a write.
void Note_Log_Message(int fd);
void Note_Log_Write_Failed(int fd);
// Forgets the log, when it is the one recorded.
void Forget_Temporary_Log(int fd);

}  // namespace scds
