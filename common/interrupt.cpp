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

// Records are written by the run with the signals held, and only read by
// the handler; `used` is set last and cleared first.
struct File_Record {
  volatile std::sig_atomic_t used = 0;
  char name[PATH_MAX];
  dev_t device = 0;
  ino_t inode = 0;
};

constexpr int kFileRecords = 32;
File_Record files[kFileRecords];

void Sigset_Of_End_Signals(sigset_t& set) {
  sigemptyset(&set);
  for (int signal : kEndSignals) sigaddset(&set, signal);
}

extern "C" void End_Run_On_Signal(int signal) {
  for (File_Record& record : files) {
    if (record.used) Remove_If_Same_File(record.name, record.device, record.inode);
  }
  Error_Log_Close_On_Signal();
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
    const std::string& name = file.native();
    if (name.size() >= sizeof record.name) return -1;
    std::memcpy(record.name, name.c_str(), name.size() + 1);
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

}  // namespace scds
