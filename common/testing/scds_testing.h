// Helpers for the suite's tests: temporary species folders, whole-file
// reads and writes, and running a built program with scripted answers.
#pragma once

#include <fcntl.h>
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

// Puts a FIFO in place of the file (which may exist or not).
inline void Make_Fifo(const std::filesystem::path& file) {
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  if (mkfifo(file.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed: " + file.string());
}

struct Program_Run {
  int status = -1;     // exit status of the process; kTimedOut when it was stopped
  std::string output;  // everything it wrote on standard output
};

// The status `timeout` gives a program it had to stop.
constexpr int kTimedOut = 124;

// Runs a built program of the suite (found in SCDS_BIN_DIR) in work_dir
// with `answers` on its standard input. A run that takes longer than
// `seconds` is stopped, so a program that hangs fails its test instead of
// holding the suite.
inline Program_Run Run_Program(const std::string& program, const std::filesystem::path& work_dir,
                               std::string_view answers, int seconds = 600) {
  const char* bin = std::getenv("SCDS_BIN_DIR");
  if (bin == nullptr) throw std::runtime_error("SCDS_BIN_DIR is not set");
  const std::filesystem::path exe = std::filesystem::path(bin) / program;
  const std::filesystem::path in = work_dir / ".answers";
  const std::filesystem::path out = work_dir / ".console";
  Write_File(in, answers);
  const std::string command = "cd '" + work_dir.string() + "' && timeout -k 5 " + std::to_string(seconds) + " '" +
                              exe.string() + "' < '" + in.string() + "' > '" + out.string() + "' 2>&1";
  const int raw = std::system(command.c_str());
  Program_Run run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.output = Read_File(out);
  std::filesystem::remove(in);
  std::filesystem::remove(out);
  return run;
}

// Starts a built program of the suite in work_dir with `answers` on its
// standard input and its console into work_dir/.console, without waiting
// for it. Returns its process id.
inline pid_t Start_Program(const std::string& program, const std::filesystem::path& work_dir,
                           std::string_view answers) {
  const char* bin = std::getenv("SCDS_BIN_DIR");
  if (bin == nullptr) throw std::runtime_error("SCDS_BIN_DIR is not set");
  const std::string exe = (std::filesystem::path(bin) / program).string();
  const std::string in = (work_dir / ".answers").string();
  const std::string out = (work_dir / ".console").string();
  const std::string dir = work_dir.string();
  Write_File(in, answers);
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    // Only calls that are safe between fork and exec.
    const int input = open(in.c_str(), O_RDONLY);
    const int output = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (input < 0 || output < 0 || chdir(dir.c_str()) != 0 || dup2(input, 0) < 0 || dup2(output, 1) < 0 ||
        dup2(output, 2) < 0) {
      _exit(127);
    }
    execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

// Waits until `file` holds at least `size` bytes, then kills the process
// with SIGKILL; a process that ends first is only waited for. Returns true
// when the process was killed, false when it ended by itself.
inline bool Kill_When_Grown(pid_t pid, const std::filesystem::path& file, std::uintmax_t size) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::minutes(5);
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) return false;
    std::error_code ignored;
    const std::uintmax_t grown = std::filesystem::file_size(file, ignored);
    if ((!ignored && grown >= size) || std::chrono::steady_clock::now() > give_up) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  kill(pid, SIGKILL);
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// A run killed while it writes `output`, then a run of the same answers to
// its end.
struct Interrupted_Write {
  bool killed = false;      // the first run was killed (it had not ended by itself)
  std::string after_kill;   // `output` once the first run was over
  int status = -1;          // exit status of the second run
  std::string complete;     // `output` after the second run
  bool partial_left = false;  // a temporary file still stands beside `output` at the end
};

// The first run is killed once the temporary file beside `output` (its name
// and ".partial") holds `size` bytes. Whether the kill lands before the
// output is complete depends on timing; the caller checks that after_kill
// is either the earlier file or the complete one.
inline Interrupted_Write Interrupt_And_Complete(const std::string& program, const std::filesystem::path& work_dir,
                                                std::string_view answers, const std::filesystem::path& output,
                                                std::uintmax_t size) {
  Interrupted_Write result;
  std::filesystem::path partial = output;
  partial += ".partial";
  result.killed = Kill_When_Grown(Start_Program(program, work_dir, answers), partial, size);
  result.after_kill = Read_File(output);
  result.status = Run_Program(program, work_dir, answers).status;
  result.complete = Read_File(output);
  result.partial_left = std::filesystem::exists(partial);
  return result;
}

// True when the killed run left the earlier file, or, had it ended before
// the kill, the complete one: never anything in between.
inline bool Earlier_Or_Complete(const Interrupted_Write& write, const std::string& earlier) {
  return write.after_kill == write.complete || (write.killed && write.after_kill == earlier);
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
