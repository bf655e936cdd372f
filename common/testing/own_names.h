// The check every program's tests make of the files a program makes for
// itself: whatever someone left at one of its temporary names (the
// ".partial" beside each output, the temporary error log) is never followed
// or waited on, and a species error log that is not a regular file sends
// the log block to the unmerged log at once.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "scds_testing.h"

namespace scds_testing {

struct Own_Names {
  std::string program;
  std::filesystem::path prepared;  // the work folder every run copies
  std::string answers;
  std::vector<std::string> temp_logs;  // the temporary error logs of the run, relative to the work folder
  std::string species_log;             // relative to the work folder
  std::string unmerged_log;
  // The program's table of the paths it builds (the one its longest species
  // name comes from), plus any the test adds: every file the plain run
  // leaves below Data/ must be one of them.
  std::vector<std::string> table;
};

// Nothing below root is a link or anything but a file or a folder.
inline std::vector<std::string> Odd_Entries_Below(const std::filesystem::path& root) {
  std::vector<std::string> odd;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const auto status = entry.symlink_status();
    if (!std::filesystem::is_regular_file(status) && !std::filesystem::is_directory(status)) {
      odd.push_back(std::filesystem::relative(entry.path(), root).string());
    }
  }
  return odd;
}

// Every occurrence of `text` taken out of `from`.
inline std::string Without(std::string from, const std::string& text) {
  for (std::size_t at; (at = from.find(text)) != std::string::npos;) from.erase(at, text.size());
  return from;
}

// The same files with the same bytes; a difference names the files only.
inline void Expect_Same_Files(const std::map<std::string, std::string>& actual,
                              const std::map<std::string, std::string>& expected) {
  for (const auto& [name, bytes] : expected) {
    const auto found = actual.find(name);
    if (found == actual.end()) {
      ADD_FAILURE() << name << " is missing";
    } else if (found->second != bytes) {
      ADD_FAILURE() << name << " differs: " << found->second.size() << " bytes, expected " << bytes.size();
    }
  }
  for (const auto& entry : actual) {
    if (expected.count(entry.first) == 0) ADD_FAILURE() << entry.first << " should not be there";
  }
}

// A run on a copy of the prepared folder, with `prepare` applied to the copy
// first; the run must end within 60 seconds.
struct Own_Names_Run {
  Program_Run run;
  std::map<std::string, std::string> files;
  std::vector<std::string> odd;
};

template <class Prepare>
Own_Names_Run Run_Own_Names_Case(const Own_Names& names, Prepare prepare) {
  Temp_Dir copy;
  std::filesystem::copy(names.prepared, copy.path, std::filesystem::copy_options::recursive);
  prepare(copy.path);
  Own_Names_Run result;
  result.run = Run_Program(names.program, copy.path, names.answers, 60);
  result.files = File_Tree(copy.path);
  result.odd = Odd_Entries_Below(copy.path);
  return result;
}

// The run without anything odd; then, for every output it writes (its
// ".partial" name) and every temporary log, a run with a link to a file
// outside the work folder at that name and a run with a FIFO there: each
// ends in time exactly as the plain run, leaves only regular files, and
// the file the link led to keeps its bytes. Last, a FIFO at the species
// error log: the run ends in time, says that log cannot be written, and the
// unmerged log holds what the species log would have held.
inline void Expect_Own_Names_Made_Afresh(const Own_Names& names) {
  const Own_Names_Run plain = Run_Own_Names_Case(names, [](const std::filesystem::path&) {});
  ASSERT_NE(plain.run.status, kTimedOut);
  ASSERT_TRUE(plain.odd.empty());
  ASSERT_EQ(plain.files.count(names.species_log), 1u) << "the plain run must leave a log block";
  const std::set<std::string> table(names.table.begin(), names.table.end());
  for (const auto& entry : plain.files) {
    if (entry.first.starts_with("Data/")) {
      EXPECT_EQ(table.count(entry.first), 1u) << entry.first << " is not in the table";
    }
  }

  const std::map<std::string, std::string> before = File_Tree(names.prepared);
  std::set<std::string> own = {names.temp_logs.begin(), names.temp_logs.end()};
  for (const auto& [name, bytes] : plain.files) {
    const auto earlier = before.find(name);
    if (name != names.species_log && (earlier == before.end() || earlier->second != bytes)) own.insert(name + ".partial");
  }
  ASSERT_GT(own.size(), names.temp_logs.size()) << "the plain run must write an output";

  for (const std::string& name : own) {
    for (const bool fifo : {false, true}) {
      SCOPED_TRACE((fifo ? "a FIFO at " : "a link at ") + name);
      Temp_Dir elsewhere;
      const std::filesystem::path victim = elsewhere.path / "victim.txt";
      Write_File(victim, "bytes of a file elsewhere\n");
      const Own_Names_Run odd = Run_Own_Names_Case(names, [&](const std::filesystem::path& work) {
        if (fifo) {
          Make_Fifo(work / name);
        } else {
          std::filesystem::create_symlink(victim, work / name);
        }
      });
      EXPECT_EQ(odd.run.status, plain.run.status);
      EXPECT_EQ(odd.run.output, plain.run.output);
      Expect_Same_Files(odd.files, plain.files);
      EXPECT_TRUE(odd.odd.empty()) << odd.odd.front();
      EXPECT_EQ(Read_File(victim), "bytes of a file elsewhere\n");
    }
  }

  SCOPED_TRACE("a FIFO at " + names.species_log);
  const Own_Names_Run blocked = Run_Own_Names_Case(
      names, [&](const std::filesystem::path& work) { Make_Fifo(work / names.species_log); });
  const std::string message = "\nImpossible to write " + names.species_log +
                              "\nVerify the species name and that its folder exists.\nThe messages went to " +
                              names.unmerged_log + " instead.\n";
  EXPECT_EQ(blocked.run.status, plain.run.status);
  EXPECT_NE(blocked.run.output.find(message), std::string::npos);
  EXPECT_EQ(Without(blocked.run.output, message), plain.run.output);
  std::map<std::string, std::string> expected = plain.files;
  expected[names.unmerged_log] = expected[names.species_log];
  expected.erase(names.species_log);
  Expect_Same_Files(blocked.files, expected);
}

}  // namespace scds_testing
