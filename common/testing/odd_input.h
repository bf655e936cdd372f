// The check every program's tests make of an input that is not a regular
// file: a FIFO (or a link to /dev/zero) in its place is handled at once as a
// file that cannot be opened, so the run ends in time and exactly as when
// the input is missing.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "scds_testing.h"

namespace scds_testing {

struct Odd_Input {
  std::string program;
  std::filesystem::path prepared;  // the work folder the two runs copy
  std::string input;               // relative to it
  bool dev_zero = false;           // a link to /dev/zero instead of a FIFO
  std::string answers;
};

// What the run must show besides being the missing-input run: the program's
// cannot-open message (on the console and in the species error log), and no
// temporary log left. Paths are relative to the work folder.
struct Odd_Input_Shows {
  std::string message;
  std::string species_log;
  std::string temp_log;
};

// Runs the program on two copies of the prepared folder, one with a FIFO (or
// the link) in place of the input, one with the input removed, each within
// a short time limit, and compares status, console and every regular file.
inline void Expect_Odd_Input_As_Missing(const Odd_Input& odd, const Odd_Input_Shows& shows) {
  Program_Run runs[2];
  std::map<std::string, std::string> files[2];
  for (int k = 0; k < 2; ++k) {
    Temp_Dir copy;
    std::filesystem::copy(odd.prepared, copy.path, std::filesystem::copy_options::recursive);
    const std::filesystem::path file = copy.path / odd.input;
    std::filesystem::remove(file);
    if (k == 0 && odd.dev_zero) std::filesystem::create_symlink("/dev/zero", file);
    if (k == 0 && !odd.dev_zero) Make_Fifo(file);
    runs[k] = Run_Program(odd.program, copy.path, odd.answers, 60);
    files[k] = File_Tree(copy.path);
  }
  EXPECT_EQ(runs[0].status, 0);
  EXPECT_EQ(runs[0].output, runs[1].output);
  EXPECT_EQ(files[0], files[1]);
  EXPECT_NE(runs[0].output.find(shows.message), std::string::npos);
  EXPECT_NE(files[0][shows.species_log].find(shows.message), std::string::npos);
  EXPECT_EQ(files[0].count(shows.temp_log), 0u);
}

}  // namespace scds_testing
