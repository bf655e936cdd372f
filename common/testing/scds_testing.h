// Helpers for the suite's tests: temporary species folders, whole-file
// reads and writes, and running a built program with scripted answers.
#pragma once

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace scds_testing {

// A fresh folder under the system's temporary directory, removed with its
// contents when the object goes.
struct Temp_Dir {
  std::filesystem::path path;
  Temp_Dir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "scds_test_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path = pattern;
  }
  ~Temp_Dir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  Temp_Dir(const Temp_Dir&) = delete;
  Temp_Dir& operator=(const Temp_Dir&) = delete;
};

// The species folder and every sub-folder the programs read or write.
inline void Make_Species_Folder(const std::filesystem::path& work_dir, const std::string& species) {
  const std::filesystem::path root = work_dir / "Data" / species;
  for (const char* sub : {"ScanRef/Volumes", "ScanRef/Surfaces", "ScanRef/Other", "FEA", "Matrix", "VestRef/Other",
                          "VestRef/MaxAxes"}) {
    std::filesystem::create_directories(root / sub);
  }
}

inline void Write_File(const std::filesystem::path& file, std::string_view bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

inline std::string Read_File(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return "<missing " + file.filename().string() + ">";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool Exists(const std::filesystem::path& file) { return std::filesystem::exists(file); }

// Every regular file below root (FIFOs, devices and folders are left out),
// by its path relative to root, with its bytes.
inline std::map<std::string, std::string> File_Tree(const std::filesystem::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files[std::filesystem::relative(entry.path(), root).string()] = Read_File(entry.path());
  }
  return files;
}

// Every ".partial" beside an output and every temporary error log below
// root, by file name: what a run that ended whole never leaves.
inline std::vector<std::string> Temporary_Files(const std::filesystem::path& root) {
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const std::string name = entry.path().filename().string();
    const bool temporary_log = name.find("_temp") != std::string::npos && name.ends_with(".errorlog");
    if (name.ends_with(".partial") || temporary_log) left.push_back(name);
  }
  return left;
}

// What the file system holds at one entry: its kind, its bytes (a file) or
// target (a link), its inode, mode and modification time.
struct Entry_State {
  char kind = '?';  // 'f' file, 'd' folder, 'l' link, 'o' anything else
  std::string bytes;
  ino_t inode = 0;
  mode_t mode = 0;
  std::int64_t mtime_ns = 0;
  bool operator==(const Entry_State&) const = default;
};

// Every entry below root, root itself (".") included, by its path relative
// to root, without following links.
inline std::map<std::string, Entry_State> Tree_State(const std::filesystem::path& root) {
  std::map<std::string, Entry_State> tree;
  auto add = [&tree, &root](const std::filesystem::path& at) {
    struct stat status;
    if (lstat(at.c_str(), &status) != 0) throw std::runtime_error("lstat failed: " + at.string());
    Entry_State entry;
    entry.kind = S_ISREG(status.st_mode) ? 'f' : S_ISDIR(status.st_mode) ? 'd' : S_ISLNK(status.st_mode) ? 'l' : 'o';
    if (entry.kind == 'f') entry.bytes = Read_File(at);
    if (entry.kind == 'l') entry.bytes = std::filesystem::read_symlink(at).string();
    entry.inode = status.st_ino;
    entry.mode = status.st_mode;
    entry.mtime_ns = std::int64_t{status.st_mtim.tv_sec} * 1000000000 + status.st_mtim.tv_nsec;
    tree[at == root ? std::string(".") : std::filesystem::relative(at, root).string()] = entry;
  };
  add(root);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) add(entry.path());
  return tree;
}

// What differs between two Tree_State readings, an entry a line.
inline std::vector<std::string> Tree_Differences(const std::map<std::string, Entry_State>& before,
                                                 const std::map<std::string, Entry_State>& after) {
  std::vector<std::string> differences;
  for (const auto& [name, entry] : before) {
    const auto found = after.find(name);
    if (found == after.end()) {
      differences.push_back("vanished: " + name);
    } else if (!(found->second == entry)) {
      differences.push_back("changed: " + name);
    }
  }
  for (const auto& [name, entry] : after) {
    if (before.count(name) == 0) differences.push_back("appeared: " + name);
  }
  return differences;
}

// Puts a FIFO in place of the file (which may exist or not).
inline void Make_Fifo(const std::filesystem::path& file) {
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  if (mkfifo(file.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed: " + file.string());
}

// While it lives, no file this process writes may grow beyond `bytes`: a
// write past that fails as on a full disk (SIGXFSZ is ignored meanwhile).
struct File_Size_Limit {
  rlimit before{};
  void (*handler)(int) = SIG_DFL;
  explicit File_Size_Limit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &before);
    handler = signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, before.rlim_max};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("setrlimit failed");
  }
  ~File_Size_Limit() {
    setrlimit(RLIMIT_FSIZE, &before);
    signal(SIGXFSZ, handler);
  }
  File_Size_Limit(const File_Size_Limit&) = delete;
  File_Size_Limit& operator=(const File_Size_Limit&) = delete;
};

struct Program_Run {
  int status = -1;     // exit status of the process; kTimedOut when it was stopped; -1 when a signal ended it
  int signal = 0;      // the signal that ended the process, if one did
  std::string output;  // everything it wrote on standard output
};

// The status given to a program that had to be stopped.
constexpr int kTimedOut = 124;

// How a built program is run.
struct Run_Options {
  int seconds = 600;  // a run that takes longer is stopped
  // When above 0: no file the program writes may grow beyond this many
  // bytes (RLIMIT_FSIZE), as a batch scheduler's `ulimit -f` sets it; SIGXFSZ
  // is left at its default action, which would end the program at the
  // first write past the limit unless the program ignores it. The console
  // is a pipe and is not limited.
  std::uint64_t file_size_limit = 0;
  // Run as a user without privileges (uid and gid 65534) when the tests run
  // as root, so that a folder without write permission holds for it too;
  // work_dir and everything below it are given to that user first.
  bool unprivileged = false;
  // Entries below work_dir (relative to it) that are not given to that
  // user: they stay root's, as another user's files would be.
  std::vector<std::filesystem::path> left_to_root;
  // Signals the program is started to ignore (as nohup does for SIGHUP);
  // every other signal a program ends on is at its default action, and
  // none is blocked, whatever the test process itself does with them.
  std::vector<int> ignored_signals;
  // A command the program is run under (strace and its options, say): the
  // program's path and nothing else is added after these words.
  std::vector<std::string> under;
  // The run is started as a process group of its own (whose id is the
  // run's), so that a command it is run under and everything that command
  // started can be ended at once.
  bool own_group = false;
};

// The signals the suite's programs end a run on, and SIGXFSZ.
constexpr int kProgramSignals[] = {SIGINT,  SIGTERM, SIGHUP,  SIGQUIT,   SIGPIPE, SIGXCPU, SIGUSR1,
                                   SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF, SIGXFSZ};

constexpr uid_t kUnprivilegedId = 65534;

inline std::filesystem::path Program_Path(const std::string& program) {
  const char* bin = std::getenv("SCDS_BIN_DIR");
  if (bin == nullptr) throw std::runtime_error("SCDS_BIN_DIR is not set");
  return std::filesystem::path(bin) / program;
}

// Gives work_dir and everything below it to the unprivileged user, but
// the entries `left` names (relative to work_dir).
inline void Give_To_Unprivileged(const std::filesystem::path& work_dir,
                                 const std::vector<std::filesystem::path>& left = {}) {
  if (lchown(work_dir.c_str(), kUnprivilegedId, kUnprivilegedId) != 0) throw std::runtime_error("lchown failed");
  for (const auto& entry : std::filesystem::recursive_directory_iterator(work_dir)) {
    const std::filesystem::path relative = entry.path().lexically_relative(work_dir);
    if (std::find(left.begin(), left.end(), relative) != left.end()) continue;
    if (lchown(entry.path().c_str(), kUnprivilegedId, kUnprivilegedId) != 0) {
      throw std::runtime_error("lchown failed: " + entry.path().string());
    }
  }
}

// A copy of the built program that the unprivileged user can reach and run
// wherever the build lies (a checkout in a folder only its owner may enter,
// say): in a folder of the test process's own under the system's temporary
// directory, removed when the process ends.
inline std::filesystem::path Reachable_Copy(const std::string& program) {
  namespace fs = std::filesystem;
  static Temp_Dir copies;
  static std::map<std::string, fs::path> made;
  const auto found = made.find(program);
  if (found != made.end()) return found->second;
  const fs::path copy = copies.path / program;
  fs::copy_file(Program_Path(program), copy, fs::copy_options::overwrite_existing);
  const fs::perms readable = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec;
  fs::permissions(copy, readable);
  fs::permissions(copies.path, readable);
  made[program] = copy;
  return copy;
}

// In a child between fork and exec: says on the console what could not be
// done, and why, then ends the child with 127. Only calls that are safe
// there.
[[noreturn]] inline void Child_Cannot(int console, const std::string& what) {
  const char* reason = strerrordesc_np(errno);
  if (reason == nullptr) reason = "unknown error";
  const ssize_t ignored[] = {write(console, what.data(), what.size()), write(console, ": ", 2),
                             write(console, reason, std::strlen(reason)), write(console, "\n", 1)};
  (void)ignored;
  _exit(127);
}

// Reads everything the descriptor gives until its end or the deadline.
// Returns false when the deadline came first.
inline bool Drain_Until(int fd, std::string& into, std::chrono::steady_clock::time_point deadline,
                        std::string_view until = {}) {
  char block[4096];
  for (;;) {
    if (!until.empty() && into.find(until) != std::string::npos) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd watch{fd, POLLIN, 0};
    const int ready = poll(&watch, 1, static_cast<int>(std::min<long long>(left.count(), 1000)));
    if (ready < 0 && errno != EINTR) return false;
    if (ready <= 0) continue;
    const ssize_t got = read(fd, block, sizeof block);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return until.empty();
    into.append(block, static_cast<std::size_t>(got));
  }
}

// How a process ended: its exit status, or the signal that ended it.
struct Process_End {
  int status = -1;  // -1 when a signal ended it
  int signal = 0;
};

// The end a wait status tells.
inline Process_End End_Of(int raw) {
  if (WIFSIGNALED(raw)) return {-1, WTERMSIG(raw)};
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 0};
}

inline Process_End Wait_End(pid_t pid) {
  int raw = 0;
  while (waitpid(pid, &raw, 0) < 0) {
    if (errno != EINTR) return {};
  }
  return End_Of(raw);
}

// Starts a built program of the suite (found in SCDS_BIN_DIR) in work_dir
// with standard input from `input` and its console into the pipe `console`
// (both descriptors are the child's; the caller closes its copies). A child
// that cannot start the program says why on that console and ends with 127.
inline pid_t Spawn_Program(const std::string& program, const std::filesystem::path& work_dir, int input, int console,
                           const Run_Options& options) {
  const bool drop = options.unprivileged && geteuid() == 0;
  const std::string exe = (drop ? Reachable_Copy(program) : Program_Path(program)).string();
  const std::string dir = work_dir.string();
  const std::string cannot_redirect = "cannot give " + exe + " its console";
  const std::string cannot_limit = "cannot limit the file sizes of " + exe;
  const std::string cannot_drop = "cannot run " + exe + " as the unprivileged user";
  const std::string cannot_enter = "cannot enter " + dir;
  const std::string cannot_start = "cannot start " + exe;
  std::vector<std::string> words = options.under;
  words.push_back(exe);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  if (drop) Give_To_Unprivileged(work_dir, options.left_to_root);
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    // Only calls that are safe between fork and exec.
    if (options.own_group) setpgid(0, 0);
    if (dup2(input, 0) < 0 || dup2(console, 1) < 0 || dup2(console, 2) < 0) Child_Cannot(console, cannot_redirect);
    for (int program_signal : kProgramSignals) signal(program_signal, SIG_DFL);
    for (int ignored : options.ignored_signals) signal(ignored, SIG_IGN);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    // A program ended by SIGQUIT leaves no core file in the working folder.
    const rlimit no_core{0, 0};
    setrlimit(RLIMIT_CORE, &no_core);
    if (options.file_size_limit > 0) {
      const rlimit limit{options.file_size_limit, options.file_size_limit};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) Child_Cannot(console, cannot_limit);
    }
    if (drop && (setgroups(0, nullptr) != 0 || setgid(kUnprivilegedId) != 0 || setuid(kUnprivilegedId) != 0)) {
      Child_Cannot(console, cannot_drop);
    }
    if (chdir(dir.c_str()) != 0) Child_Cannot(console, cannot_enter);
    execvp(argv[0], argv.data());
    Child_Cannot(console, cannot_start);
  }
  // In the parent too, so that the group exists as soon as fork returns.
  if (options.own_group) setpgid(pid, pid);
  return pid;
}

// A file of `bytes` that nobody sees: made under the system's temporary
// directory and unlinked at once. Returns its descriptor, open for reading
// from its start.
inline int Unseen_File(std::string_view bytes) {
  std::string name = (std::filesystem::temp_directory_path() / "scds_answers_XXXXXX").string();
  const int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) throw std::runtime_error("mkostemp failed");
  unlink(name.c_str());
  if (write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) || lseek(fd, 0, SEEK_SET) != 0) {
    close(fd);
    throw std::runtime_error("cannot write the answers");
  }
  return fd;
}

// Runs a built program of the suite in work_dir with `answers` on its
// standard input. A run that takes longer than its time is stopped, so a
// program that hangs fails its test instead of holding the suite.
// Reads the console into run.output until the program ends (its console
// closes) or `seconds` have passed, closes it, and waits for the program's
// end: one that took longer is stopped and given kTimedOut.
inline void Collect_End(pid_t pid, int console, Program_Run& run, int seconds) {
  const bool ended =
      Drain_Until(console, run.output, std::chrono::steady_clock::now() + std::chrono::seconds(seconds));
  close(console);
  if (!ended) kill(pid, SIGKILL);
  const Process_End end = Wait_End(pid);
  run.status = ended ? end.status : kTimedOut;
  run.signal = ended ? end.signal : 0;
}

// The answers come from a file outside work_dir, so the run finds only
// what the test put there.
inline Program_Run Run_Program(const std::string& program, const std::filesystem::path& work_dir,
                               std::string_view answers, const Run_Options& options) {
  const int input = Unseen_File(answers);
  int console[2];
  if (pipe2(console, O_CLOEXEC) != 0) throw std::runtime_error("cannot prepare the run");
  const pid_t pid = Spawn_Program(program, work_dir, input, console[1], options);
  close(input);
  close(console[1]);
  Program_Run run;
  Collect_End(pid, console[0], run, options.seconds);
  return run;
}

inline Program_Run Run_Program(const std::string& program, const std::filesystem::path& work_dir,
                               std::string_view answers, int seconds = 600) {
  Run_Options options;
  options.seconds = seconds;
  return Run_Program(program, work_dir, answers, options);
}

// A run whose answers the test gives as it goes: it is started, waits at its
// questions, and is finished with the rest of its answers.
struct Live_Run {
  pid_t pid = -1;
  int input = -1;       // the program's standard input
  int console = -1;     // its console
  std::string output;   // the console so far
};

inline Live_Run Start_Live(const std::string& program, const std::filesystem::path& work_dir,
                           const Run_Options& options = {}) {
  int input[2];
  int console[2];
  if (pipe2(input, O_CLOEXEC) != 0 || pipe2(console, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  Live_Run run;
  run.pid = Spawn_Program(program, work_dir, input[0], console[1], options);
  close(input[0]);
  close(console[1]);
  run.input = input[1];
  run.console = console[0];
  return run;
}

inline void Live_Answer(Live_Run& run, std::string_view answers) {
  while (!answers.empty()) {
    const ssize_t put = write(run.input, answers.data(), answers.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) throw std::runtime_error("cannot answer the program");
    answers.remove_prefix(static_cast<std::size_t>(put));
  }
}

// Waits until the console shows `text` (a question the program now waits
// at). Returns false when it did not come within `seconds`.
inline bool Live_Wait_For(Live_Run& run, std::string_view text, int seconds = 60) {
  return Drain_Until(run.console, run.output, std::chrono::steady_clock::now() + std::chrono::seconds(seconds), text);
}

// Sends the signal to the program, which waits at a question, and waits
// for its end (its input stays open).
inline Program_Run Live_Signal(Live_Run& run, int signal, int seconds = 60) {
  kill(run.pid, signal);
  Program_Run result;
  result.output = run.output;
  Collect_End(run.pid, run.console, result, seconds);
  close(run.input);
  return result;
}

// Gives the last answers, ends the input and waits for the program's end.
inline Program_Run Live_Finish(Live_Run& run, std::string_view answers, int seconds = 600) {
  Live_Answer(run, answers);
  close(run.input);
  Program_Run result;
  result.output = run.output;
  Collect_End(run.pid, run.console, result, seconds);
  return result;
}

// True when `text` is a whole mesh as the suite writes it: "solid" first,
// "endsolid" last, seven lines for each of `facets` facets.
inline bool Whole_Written_Mesh(const std::string& text, std::int64_t facets) {
  const auto lines = std::count(text.begin(), text.end(), '\n');
  return text.starts_with("solid\n") && text.ends_with("\tendloop\nendfacet\nendsolid\n") && lines == 2 + 7 * facets;
}

// A large ASCII STL mesh, written quickly: `facets` unit right triangles in
// the plane z = 0, laid out on a grid a thousand wide, each with the normal
// (0, 0, 1) and whole-number coordinates.
inline void Write_Grid_Mesh(const std::filesystem::path& file, std::int64_t facets) {
  static constexpr int kCorner[3][2] = {{0, 0}, {1, 0}, {0, 1}};
  std::string text = "solid grid\n";
  text.reserve(static_cast<std::size_t>(facets) * 100 + 32);
  char number[24];
  for (std::int64_t k = 0; k < facets; ++k) {
    text += "facet normal 0 0 1\nouter loop\n";
    for (const auto& corner : kCorner) {
      text += "vertex ";
      text.append(number, std::to_chars(number, number + sizeof number, k % 1000 + corner[0]).ptr);
      text += ' ';
      text.append(number, std::to_chars(number, number + sizeof number, k / 1000 + corner[1]).ptr);
      text += " 0\n";
    }
    text += "endloop\nendfacet\n";
  }
  text += "endsolid grid\n";
  Write_File(file, text);
}

}  // namespace scds_testing
