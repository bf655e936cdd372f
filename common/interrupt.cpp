#include "interrupt.h"

#include <unistd.h>

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <iostream>

#include "error_log.h"
#include "output_file.h"

namespace scds {

namespace {

// Ctrl-C, kill, a closed terminal, Ctrl-\, a console that is a closed pipe
// (a reader such as head gone), a CPU-time limit, a batch scheduler's
// warnings and the timers: each ends the run with its cleanup.
constexpr int kEndSignals[] = {SIGINT,  SIGTERM, SIGHUP,  SIGQUIT,   SIGPIPE, SIGXCPU,
                               SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF};

// A name as the handler uses it: a terminated copy, or empty when it does
// not fit (the handler then leaves that file alone).
struct Name {
  char text[PATH_MAX];
};

bool Copy_Name(Name& into, std::string_view from) {
  if (from.size() >= sizeof into.text || from.find('\0') != std::string_view::npos) {
    into.text[0] = '\0';
    return false;
  }
  std::memcpy(into.text, from.data(), from.size());
  into.text[from.size()] = '\0';
  return true;
}

struct Message {
  char text[2 * PATH_MAX];
  std::size_t size;
};

void Copy_Message(Message& into, std::string_view from) {
  into.size = from.size() < sizeof into.text ? from.size() : sizeof into.text;
  std::memcpy(into.text, from.data(), into.size);
}

// Records are written by the run with the signals held, and only read by
// the handler; `used` is set last and cleared first.
struct File_Record {
  volatile std::sig_atomic_t used = 0;
  Name name;
  dev_t device = 0;
  ino_t inode = 0;
};

constexpr int kFileRecords = 32;
File_Record files[kFileRecords];

struct Log_State {
  volatile std::sig_atomic_t used = 0;
  volatile std::sig_atomic_t write_failed = 0;
  int fd = -1;
  dev_t device = 0;
  ino_t inode = 0;
  std::int64_t line_count_B = 0;
  Name temp, species_log, unmerged_log;
  Message texts[kCloseTextCount];
};

Log_State log_state;

void Sigset_Of_End_Signals(sigset_t& set) {
  sigemptyset(&set);
  for (int signal : kEndSignals) sigaddset(&set, signal);
}

// Removes the file at `name` when it is still the one recorded.
void Remove_If_Same(const Name& name, dev_t device, ino_t inode) {
  if (name.text[0] != '\0') Remove_If_Same_File(name.text, device, inode);
}

void Say(const Message& message) { Write_All(STDOUT_FILENO, message.text, message.size); }

extern "C" void End_Run_On_Signal(int signal) {
  for (File_Record& record : files) {
    if (record.used) Remove_If_Same(record.name, record.device, record.inode);
  }
  if (log_state.used && log_state.species_log.text[0] != '\0') {
    const Merge_Outcome merged =
        Close_Log_Descriptor(log_state.fd, log_state.device, log_state.inode, log_state.line_count_B,
                             log_state.temp.text, log_state.species_log.text, log_state.unmerged_log.text);
    Close_Text said[4];
    const int count = Close_Texts_Said(merged, log_state.write_failed != 0, said);
    for (int k = 0; k < count; ++k) Say(log_state.texts[said[k]]);
  }
  // The program now ends by the signal itself.
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  ::sigaction(signal, &action, nullptr);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, signal);
  ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
  ::raise(signal);
  ::_exit(128 + signal);
}

}  // namespace

void Start_Console_Program() {
  std::cout.setf(std::ios::unitbuf);
  // A write past a file-size limit (ulimit -f, as batch schedulers set it)
  // then fails as on a full disk, and the run says so and cleans up,
  // instead of ending in the middle of the write.
  ::signal(SIGXFSZ, SIG_IGN);
  struct sigaction action {};
  action.sa_handler = End_Run_On_Signal;
  Sigset_Of_End_Signals(action.sa_mask);
  for (int signal : kEndSignals) {
    // A signal the program was started to ignore (nohup, a background job
    // of a shell without job control) stays ignored.
    struct sigaction before {};
    if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    ::sigaction(signal, &action, nullptr);
  }
}

Signals_Held::Signals_Held() {
  sigset_t set;
  Sigset_Of_End_Signals(set);
  ::sigprocmask(SIG_BLOCK, &set, &before);
}

Signals_Held::~Signals_Held() { ::sigprocmask(SIG_SETMASK, &before, nullptr); }

int Record_Temporary_File(const std::filesystem::path& file, dev_t device, ino_t inode) {
  Signals_Held held;
  for (int k = 0; k < kFileRecords; ++k) {
    File_Record& record = files[k];
    if (record.used) continue;
    if (!Copy_Name(record.name, file.native())) return -1;
    record.device = device;
    record.inode = inode;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    record.used = 1;
    return k;
  }
  return -1;
}

void Forget_Temporary_File(int record) {
  if (record < 0 || record >= kFileRecords) return;
  files[record].used = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
}

void Record_Temporary_Log(const Temporary_Log_Record& log) {
  Signals_Held held;
  log_state.used = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  log_state.write_failed = 0;
  log_state.fd = log.fd;
  log_state.device = log.device;
  log_state.inode = log.inode;
  log_state.line_count_B = log.line_count_B;
  // Without all three names the handler leaves the log alone.
  if (!Copy_Name(log_state.temp, log.temp.native()) || !Copy_Name(log_state.species_log, log.species_log.native()) ||
      !Copy_Name(log_state.unmerged_log, log.unmerged_log.native())) {
    log_state.species_log.text[0] = '\0';
  }
  for (int k = 0; k < kCloseTextCount; ++k) {
    Copy_Message(log_state.texts[k], log.texts != nullptr ? std::string_view(log.texts->text[k]) : std::string_view());
  }
  std::atomic_signal_fence(std::memory_order_seq_cst);
  log_state.used = 1;
}

void Note_Log_Write_Failed(int fd) {
  if (log_state.used && log_state.fd == fd) log_state.write_failed = 1;
}

void Forget_Temporary_Log(int fd) {
  if (log_state.fd != fd) return;
  log_state.used = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
}

}  // namespace scds
