// How a run ends on a signal that asks it to stop: SIGINT, SIGTERM, SIGHUP,
// SIGQUIT, SIGPIPE (Ctrl-C, kill, a closed terminal, Ctrl-\, a console that
// is a closed pipe), SIGXCPU (a CPU-time limit), SIGUSR1 and SIGUSR2 (a
// batch scheduler's warning before it ends a job), SIGALRM, SIGVTALRM and
// SIGPROF (timers): at once, as at the end of input. The outputs being
// written are left unfinished and their temporary files removed, so an
// earlier file of each name stays; the temporary error log is merged into
// the species error log and removed (or kept, when no log can take it);
// then the program ends by that very signal, so that whatever started it
// sees why. Nothing else is touched on the way: no input is consumed, no
// earlier output removed. The signals of faults and debugging (SIGSEGV,
// SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS) keep their defaults.
//
// The handler does only what is safe in a signal handler, with plain system
// calls on names and descriptors recorded beforehand: every output's
// temporary file is recorded here while it exists, the open temporary log
// in its own record (error_log.h), and the code that makes, renames or
// merges them holds the signals off meanwhile (Signals_Held), so the
// handler always finds the records and the files in step.
#pragma once

#include <signal.h>
#include <sys/types.h>

#include <filesystem>

namespace scds {

// What a program's main does before its run: the console made to pass on
// everything at once (so what was said is on the screen whenever a signal
// ends the run), the handler installed for the signals above (one the
// program was started to ignore stays ignored), and SIGXFSZ ignored, so
// that a write past a file-size limit fails as on a full disk.
void Start_Console_Program();

// While it lives, the signals above wait; one that came meanwhile is
// handled when it goes.
struct Signals_Held {
  sigset_t before;
  Signals_Held();
  ~Signals_Held();
  Signals_Held(const Signals_Held&) = delete;
  Signals_Held& operator=(const Signals_Held&) = delete;
};

// Records an output's temporary file, which the handler removes while it is
// still this very file (device and inode). Returns the record's number, or
// -1 when every record is taken or the name does not fit one (the file is
// then left for the next run to clear, as after a kill).
int Record_Temporary_File(const std::filesystem::path& file, dev_t device, ino_t inode);
void Forget_Temporary_File(int record);

}  // namespace scds
