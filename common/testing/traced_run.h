// Runs of a built program under strace: the system calls it made, and a
// signal (or an error) given to it at exactly the Nth call of a kind, so
// that a test can land a signal in a window only a few instructions wide
// (between two removals, between a message's two writes) every time.
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "scds_testing.h"

namespace scds_testing {

// One traced system call: its name, its arguments as strace wrote them,
// the string arguments decoded, and what it returned ("5", "-1 ENOENT (...)").
struct Traced_Call {
  std::string name;
  std::string arguments;
  std::vector<std::string> strings;
  std::string result;
};

// What to trace, and what to do at the when-th call of `at`. A sanitized
// build makes calls of its own (writes into a pipe of its own, in a number
// that changes from run to run): `paths` and `console` narrow both the
// trace and the count to the calls made on those files, so that the Nth
// call is the same call in every run.
//
// A file of `paths` is matched (strace's -P) by the calls that name it as
// the programs do, "./<path>" (they join the work folder "." and the
// path: openat, unlink, rename, newfstatat), and by the calls on a
// descriptor open on it (read, write, close, fstat), which strace knows by
// the file's absolute path. A call that names it in any other way (a path
// of another form, a descriptor of its folder and a name within it) is not
// matched.
struct Trace_Request {
  std::string calls;   // traced, as strace's -e trace= takes them: "write,unlink"
  std::vector<std::filesystem::path> paths;  // only calls on these files (relative to the work folder), when given
  bool console = false;                      // only calls on the console (and on `paths`)
  std::string at;      // the calls counted for the injection; empty: none
  int when = 0;        // the signal or error comes at this call of `at` (1 is the first)
  int signal = 0;      // sent on that call, after it has been made
  int error = 0;       // or: that call and every later one fails with this errno
  int delay_exit_us = 0;  // or: the program waits this long once that call was made, for the test to act
  bool unprivileged = false;  // run as Run_Options.unprivileged runs it
  // When above 0: no file the program writes may grow beyond this many
  // bytes (prlimit, between strace and the program, so that the trace
  // itself is not limited; the console is).
  std::uint64_t file_size_limit = 0;
};

struct Traced_Run {
  Program_Run run;
  std::vector<Traced_Call> calls;
};

// The string arguments of a line strace wrote with -xx: every "\xNN..."
// between quotes, decoded.
inline std::vector<std::string> Decoded_Strings(std::string_view arguments) {
  std::vector<std::string> strings;
  for (std::size_t at = arguments.find('"'); at != std::string_view::npos;) {
    const std::size_t end = arguments.find('"', at + 1);
    if (end == std::string_view::npos) break;
    std::string text;
    for (std::size_t k = at + 1; k + 4 <= end && arguments.compare(k, 2, "\\x") == 0; k += 4) {
      text += static_cast<char>(std::stoi(std::string(arguments.substr(k + 2, 2)), nullptr, 16));
    }
    strings.push_back(text);
    at = arguments.find('"', end + 1);
  }
  return strings;
}

// One line of strace's output ("name(arguments)   = result", blanks
// padding the result to a column); false for a line that is not a
// finished call.
inline bool Parse_Traced_Call(std::string_view line, Traced_Call& call) {
  const std::size_t open = line.find('(');
  const std::size_t equals = line.rfind(" = ");
  if (open == std::string_view::npos || equals == std::string_view::npos || equals < open) return false;
  std::size_t close = equals;
  while (close > open && line[close - 1] == ' ') --close;
  if (close == open || line[close - 1] != ')') return false;
  call.name = std::string(line.substr(0, open));
  call.arguments = std::string(line.substr(open + 1, close - 1 - open - 1));
  call.strings = Decoded_Strings(call.arguments);
  call.result = std::string(line.substr(equals + 3));
  return true;
}

// The strace options of a request; the trace goes to `trace_file`.
inline std::vector<std::string> Strace_Words(const Trace_Request& request, const std::filesystem::path& work_dir,
                                             const std::filesystem::path& trace_file,
                                             const std::filesystem::path& console_file) {
  std::vector<std::string> words = {"strace", "-qq", "-xx", "-s", "65536", "-e", "signal=none", "-o",
                                    trace_file.string(), "-e", "trace=" + request.calls};
  for (const std::filesystem::path& path : request.paths) {
    // As the programs name the file, as strace knows a descriptor's file,
    // and that with every link of the work folder's path resolved.
    const std::string forms[] = {(std::filesystem::path(".") / path).string(), (work_dir / path).string(),
                                 (std::filesystem::weakly_canonical(work_dir) / path).string()};
    for (const std::string& form : forms) {
      if (std::find(words.begin(), words.end(), form) != words.end()) continue;
      words.push_back("-P");
      words.push_back(form);
    }
  }
  if (request.console) {
    words.push_back("-P");
    words.push_back(console_file.string());
  }
  // The leak checker of a sanitized build cannot work under a tracer.
  const char* sanitizer = std::getenv("ASAN_OPTIONS");
  words.push_back("-E");
  words.push_back(std::string("ASAN_OPTIONS=") + (sanitizer != nullptr ? sanitizer : "") + ":detect_leaks=0");
  if (!request.at.empty() && request.signal > 0) {
    words.push_back("-e");
    words.push_back("inject=" + request.at + ":signal=SIG" + sigabbrev_np(request.signal) +
                    ":when=" + std::to_string(request.when));
  }
  if (!request.at.empty() && request.error > 0) {
    words.push_back("-e");
    words.push_back("inject=" + request.at + ":error=" + strerrorname_np(request.error) +
                    ":when=" + std::to_string(request.when) + "+");
  }
  if (!request.at.empty() && request.delay_exit_us > 0) {
    words.push_back("-e");
    words.push_back("inject=" + request.at + ":delay_exit=" + std::to_string(request.delay_exit_us) +
                    ":when=" + std::to_string(request.when));
  }
  if (request.file_size_limit > 0) {
    words.insert(words.end(), {"prlimit", "--fsize=" + std::to_string(request.file_size_limit), "--"});
  }
  return words;
}

// Ends a run started as a process group of its own (strace and the
// program it traces) and waits until each of its processes is gone: strace
// leaves a program it traces running when it is killed itself, and that
// program would go on inside a folder its test deletes.
inline void End_Group(pid_t group) {
  kill(-group, SIGKILL);
  Wait_End(group);
  // The traced program, handed to this process (a subreaper) once strace
  // has ended.
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  for (;;) {
    const pid_t ended = waitpid(-group, nullptr, WNOHANG);
    if (ended < 0 && errno != EINTR) return;
    if (ended > 0) continue;
    if (std::chrono::steady_clock::now() > give_up) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

// Waits for the process's end; one that takes longer than `seconds` is
// stopped, with everything in its process group, and given kTimedOut.
inline void Wait_Within(pid_t pid, Program_Run& run, int seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  for (;;) {
    int raw = 0;
    const pid_t ended = waitpid(pid, &raw, WNOHANG);
    if (ended == pid) {
      const Process_End end = End_Of(raw);
      run.status = end.status;
      run.signal = end.signal;
      return;
    }
    if (ended < 0 && errno != EINTR) return;
    if (std::chrono::steady_clock::now() > deadline) {
      End_Group(pid);
      run.status = kTimedOut;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

// Runs the program under strace as the request says. Its console is a
// file (so that the trace can name it); the trace and the console are kept
// outside work_dir, so the run finds only what the test put there. strace
// and the program are a process group of their own, which a run that takes
// longer than `seconds` is ended with as a whole.
inline Traced_Run Run_Traced(const std::string& program, const std::filesystem::path& work_dir,
                             std::string_view answers, const Trace_Request& request, int seconds = 120) {
  static Temp_Dir traces;
  static int made = 0;
  // A program whose strace was killed comes to this process, which can
  // then wait for its end.
  static const int subreaper = prctl(PR_SET_CHILD_SUBREAPER, 1);
  (void)subreaper;
  const std::string number = std::to_string(++made);
  const std::filesystem::path trace_file = traces.path / ("trace" + number);
  const std::filesystem::path console_file = traces.path / ("console" + number);
  Run_Options options;
  options.under = Strace_Words(request, work_dir, trace_file, console_file);
  options.own_group = true;
  options.unprivileged = request.unprivileged;
  if (request.unprivileged && geteuid() == 0) {
    // strace runs as that user too: it may pass through the folder of the
    // traces and write its own trace.
    std::filesystem::permissions(traces.path, std::filesystem::perms::owner_all | std::filesystem::perms::group_exec |
                                                  std::filesystem::perms::others_exec);
    Write_File(trace_file, "");
    if (chown(trace_file.c_str(), kUnprivilegedId, kUnprivilegedId) != 0) throw std::runtime_error("chown failed");
  }
  const int input = Unseen_File(answers);
  const int console = open(console_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (console < 0) throw std::runtime_error("cannot prepare the run");
  const pid_t pid = Spawn_Program(program, work_dir, input, console, options);
  close(input);
  close(console);
  Traced_Run traced;
  Wait_Within(pid, traced.run, seconds);
  traced.run.output = Read_File(console_file);
  // strace says how it resolved each -P path that exists, before it starts
  // the program: those lines are its own, not the program's.
  const std::string_view notice = "strace: Requested path \"";
  while (traced.run.output.starts_with(notice) && traced.run.output.find('\n') != std::string::npos) {
    traced.run.output.erase(0, traced.run.output.find('\n') + 1);
  }
  const std::string text = Read_File(trace_file);
  std::filesystem::remove(trace_file);
  std::filesystem::remove(console_file);
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    Traced_Call call;
    if (Parse_Traced_Call(std::string_view(text).substr(begin, end - begin), call)) {
      traced.calls.push_back(std::move(call));
    }
    begin = end + 1;
  }
  return traced;
}

// How strace ended, run with `words` (its console silenced).
inline Process_End Strace_End(std::vector<std::string> words) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid < 0) return {};
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
      dup2(null, 1);
      dup2(null, 2);
    }
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return Wait_End(pid);
}

// What keeps the tests' use of strace from working here, or nothing: it
// must be installed and allowed to trace a program (a container may refuse
// ptrace), and its fault injection must give a signal at a chosen system
// call and make one fail. Each is seen to take effect on a tiny child: the
// shell's `cd`, one chdir. Checked once.
inline std::string Strace_Missing() {
  static const std::string missing = [] {
    const std::vector<std::string> traced = {"strace", "-qq", "-o", "/dev/null", "-e", "signal=none",
                                             "-e", "trace=chdir"};
    if (Strace_End({"strace", "-qq", "-o", "/dev/null", "true"}).status != 0) {
      return std::string("strace is not installed or may not trace a program here");
    }
    std::vector<std::string> signalled = traced;
    signalled.insert(signalled.end(), {"-e", "inject=chdir:signal=SIGUSR1:when=1", "sh", "-c", "cd /"});
    if (Strace_End(signalled).signal != SIGUSR1) {
      return std::string("this strace cannot send a signal at a system call (-e inject=SET:signal=SIG)");
    }
    std::vector<std::string> failed = traced;
    failed.insert(failed.end(), {"-e", "inject=chdir:error=ENOENT:when=1+", "sh", "-c", "cd / || exit 3"});
    if (Strace_End(failed).status != 3) {
      return std::string("this strace cannot make a system call fail (-e inject=SET:error=ERRNO)");
    }
    return std::string();
  }();
  return missing;
}

// A run killed while it writes `output`, then a run of the same answers to
// its end.
struct Interrupted_Write {
  bool killed = false;        // the first run was killed at its write into the temporary file
  std::string after_kill;     // `output` once the first run was over
  int status = -1;            // exit status of the second run
  std::string complete;       // `output` after the second run
  bool partial_left = false;  // a temporary file still stands beside `output` at the end
};

// The first run is killed (SIGKILL, which leaves no time to clean up) at
// its `write`-th write into the temporary file beside `output` (its name
// and ".partial"); the caller checks that the kill landed and that
// after_kill is the earlier file.
inline Interrupted_Write Interrupt_And_Complete(const std::string& program, const std::filesystem::path& work_dir,
                                                std::string_view answers, const std::filesystem::path& output,
                                                int write) {
  Interrupted_Write result;
  std::filesystem::path partial = output;
  partial += ".partial";
  Trace_Request kill_at;
  kill_at.calls = "write";
  kill_at.paths = {std::filesystem::relative(partial, work_dir)};
  kill_at.at = "write";
  kill_at.when = write;
  kill_at.signal = SIGKILL;
  const Traced_Run killed = Run_Traced(program, work_dir, answers, kill_at);
  result.killed = killed.run.signal == SIGKILL && killed.calls.size() == static_cast<std::size_t>(write);
  result.after_kill = Read_File(output);
  result.status = Run_Program(program, work_dir, answers).status;
  result.complete = Read_File(output);
  result.partial_left = std::filesystem::exists(std::filesystem::symlink_status(partial));
  return result;
}

}  // namespace scds_testing

// Skips the test, saying why, where strace cannot do what the tests ask of
// it.
#define SCDS_REQUIRE_STRACE()                                                               \
  do {                                                                                      \
    if (const std::string missing = scds_testing::Strace_Missing(); !missing.empty()) {   \
      GTEST_SKIP() << missing;                                                              \
    }                                                                                       \
  } while (false)
