// Helpers for the suite's tests: temporary species folders, whole-file
// reads and writes, and running a built program with scripted answers.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
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

struct Program_Run {
  int status = -1;     // exit status of the process
  std::string output;  // everything it wrote on standard output
};

// Runs a built program of the suite (found in SCDS_BIN_DIR) in work_dir
// with `answers` on its standard input.
inline Program_Run Run_Program(const std::string& program, const std::filesystem::path& work_dir,
                               std::string_view answers) {
  const char* bin = std::getenv("SCDS_BIN_DIR");
  if (bin == nullptr) throw std::runtime_error("SCDS_BIN_DIR is not set");
  const std::filesystem::path exe = std::filesystem::path(bin) / program;
  const std::filesystem::path in = work_dir / ".answers";
  const std::filesystem::path out = work_dir / ".console";
  Write_File(in, answers);
  const std::string command = "cd '" + work_dir.string() + "' && '" + exe.string() + "' < '" + in.string() +
                              "' > '" + out.string() + "' 2>&1";
  const int raw = std::system(command.c_str());
  Program_Run run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.output = Read_File(out);
  std::filesystem::remove(in);
  std::filesystem::remove(out);
  return run;
}

}  // namespace scds_testing
