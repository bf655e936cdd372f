// Helpers for the suite's tests: temporary species folders, whole-file
// reads and writes, and running a built program with scripted answers.
#pragma once

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

}  // namespace scds_testing
