// The sample species of examples/ as the tests use it: the answers of the
// sample run and a fresh copy of its folder.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

// The tests that use it are built with SCDS_EXAMPLES_DIR, the path of the
// checkout's examples/.
#ifndef SCDS_EXAMPLES_DIR
#error "sample_species.h needs SCDS_EXAMPLES_DIR"
#endif

namespace scds_testing {

inline const std::filesystem::path kExamples = SCDS_EXAMPLES_DIR;

// The sample run's answers of a program (examples/answers/<program>.txt).
inline std::string Sample_Answers(const std::string& program) {
  std::ifstream in(kExamples / "answers" / (program + ".txt"), std::ios::binary);
  if (!in) throw std::runtime_error("no sample answers for " + program);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The answers after the first line (the species name).
inline std::string After_Name(const std::string& answers) { return answers.substr(answers.find('\n') + 1); }

// work/Data as examples/Data holds it, without the placeholders that keep
// its empty folders in the repository.
inline void Copy_Sample(const std::filesystem::path& work) {
  namespace fs = std::filesystem;
  fs::copy(kExamples / "Data", work / "Data", fs::copy_options::recursive);
  for (const auto& entry : fs::recursive_directory_iterator(work)) {
    if (entry.path().filename() == ".keep") fs::remove(entry.path());
  }
}

}  // namespace scds_testing
