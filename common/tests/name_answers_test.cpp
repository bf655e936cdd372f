// A species name reaches its own folder only, across the six programs: on a
// working folder that holds the sample species with the results of a whole
// sample run, an answer that is not one plain folder name (a '/', a NUL
// byte, . or .., a line of two words) is refused and changes nothing
// anywhere: no file or folder changes (bytes, inode, mode, modification
// time), appears or vanishes, inside the working folder or beside it.
// And a species folder that exists but cannot be locked stops the run,
// whatever keeps it from being locked.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "sample_species.h"
#include "scds_testing.h"
#include "traced_run.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using scds_testing::After_Name;
using scds_testing::Run_Program;
using scds_testing::Sample_Answers;
using scds_testing::Temp_Dir;

const char* const kPrograms[] = {"Quintarel", "Ostravel", "Saxmorrow", "Brindleck", "Tessafen", "Flanmere"};

const std::string kClosing = "\nPress any key, then Enter to exit.";

// work/Data/Sample as the sample run leaves it.
void Sample_Run(const fs::path& work) {
  scds_testing::Copy_Sample(work);
  for (const char* program : kPrograms) {
    const scds_testing::Program_Run run = Run_Program(program, work, Sample_Answers(program), 120);
    ASSERT_EQ(run.status, 0) << program << "\n" << run.output;
  }
}

struct Bad_Line {
  std::string line;
  std::string message;
};

const std::string kSlash = "\nThis name holds a '/': a species name is the name of one folder in Data/.\n";
const std::string kDots = "\nThis name is . or ..: a species name is the name of a folder of its own in Data/.\n";
const std::string kNul = "\nThis name holds a NUL byte, which no file name can hold.\n";
const std::string kWords = "\nA name is one word without white space: this line holds more than one.\n";

const Bad_Line kBadLines[] = {
    {"./Sample", kSlash},
    {"Sample/", kSlash},
    {"..", kDots},
    {".", kDots},
    {"Sample/Matrix/Sample.midplane\0"s, kNul},
    {"Sample/Sample_R_Raw.volume\0"s, kNul},
    {"Sam\0ple"s, kNul},
    {"Sample 1", kWords},
};

class Species_Names : public testing::TestWithParam<const char*> {};

// Each bad line takes the place of the species name in the sample answers;
// the answers after it are then asked as names of their own (species "1",
// say, which has no folder) and change nothing either.
TEST_P(Species_Names, ABadSpeciesLineIsRefusedAndChangesNothing) {
  const std::string program = GetParam();
  Temp_Dir root;
  const fs::path work = root.path / "work";
  fs::create_directory(work);
  Sample_Run(work);
  if (HasFatalFailure()) return;
  const auto before = scds_testing::Tree_State(root.path);
  const std::string rest = After_Name(Sample_Answers(program));
  for (const Bad_Line& bad : kBadLines) {
    SCOPED_TRACE(bad.line);
    const scds_testing::Program_Run run = Run_Program(program, work, bad.line + "\n" + rest, 120);
    EXPECT_NE(run.output.find(bad.message), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("\nIs Sample the correct name?"), std::string::npos);
    EXPECT_EQ(scds_testing::Tree_Differences(before, scds_testing::Tree_State(root.path)), std::vector<std::string>{});
  }
}

// A species folder that the user cannot open (mode 0333: it may be entered
// and written, not read) cannot be locked: the run says so, changes
// nothing, and ends with status 1 after the closing prompt.
TEST_P(Species_Names, ASpeciesFolderThatCannotBeLockedStopsTheRun) {
  const std::string program = GetParam();
  Temp_Dir work;
  scds_testing::Make_Species_Folder(work.path, "Sp");
  scds_testing::Write_File(work.path / "Data/Sp/Sp.errorlog", "Earlier Errors:\n");
  // Read with the folder's own mode on either side of the run: a change of
  // mode alone changes neither a modification time nor an inode.
  const fs::perms mode = fs::status(work.path / "Data/Sp").permissions();
  const auto before = scds_testing::Tree_State(work.path);
  fs::permissions(work.path / "Data/Sp", fs::perms(0333));
  scds_testing::Run_Options options;
  options.seconds = 60;
  options.unprivileged = true;  // as root, a user the folder's mode holds for
  const std::string answers = "Sp\n" + After_Name(Sample_Answers(program));
  const scds_testing::Program_Run run = Run_Program(program, work.path, answers, options);
  fs::permissions(work.path / "Data/Sp", mode);
  const auto after = scds_testing::Tree_State(work.path);
  EXPECT_EQ(run.status, 1);
  const std::string said =
      "\nIs Sp the correct name?\n\n1. Yes\n2. No\n\n"
      "\nImpossible to lock Data/Sp for this run: Permission denied.\n"
      "No file was changed. Run this one again once the folder can be locked.\n" +
      kClosing;
  EXPECT_TRUE(run.output.ends_with(said)) << run.output;
  EXPECT_EQ(scds_testing::Tree_Differences(before, after), std::vector<std::string>{});
}

// A lock refused for another reason than another run holding it (the
// system has no lock to give: ENOLCK, as on a file system without locks)
// stops the run as well: it says why, changes nothing, and ends with
// status 1 after the closing prompt.
TEST_P(Species_Names, ALockTheSystemCannotGiveStopsTheRun) {
  SCDS_REQUIRE_STRACE();
  const std::string program = GetParam();
  Temp_Dir work;
  scds_testing::Make_Species_Folder(work.path, "Sp");
  scds_testing::Write_File(work.path / "Data/Sp/Sp.errorlog", "Earlier Errors:\n");
  const auto before = scds_testing::Tree_State(work.path);
  scds_testing::Trace_Request no_locks;
  no_locks.calls = "flock";
  no_locks.at = "flock";
  no_locks.when = 1;
  no_locks.error = ENOLCK;
  const std::string answers = "Sp\n" + After_Name(Sample_Answers(program));
  const scds_testing::Traced_Run traced = scds_testing::Run_Traced(program, work.path, answers, no_locks);
  EXPECT_EQ(traced.run.status, 1);
  const std::string said =
      "\nIs Sp the correct name?\n\n1. Yes\n2. No\n\n"
      "\nImpossible to lock Data/Sp for this run: No locks available.\n"
      "No file was changed. Run this one again once the folder can be locked.\n" +
      kClosing;
  EXPECT_TRUE(traced.run.output.ends_with(said)) << traced.run.output;
  EXPECT_EQ(scds_testing::Tree_Differences(before, scds_testing::Tree_State(work.path)), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(EveryProgram, Species_Names, testing::ValuesIn(kPrograms),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
