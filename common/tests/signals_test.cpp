// SIGINT, SIGTERM and SIGHUP at a question a program asks once its
// temporary log is open end the run as the end of input there does: the
// same console, the same files (the log block merged into the species log,
// no temporary log), and then the program ends by that signal.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "scds_testing.h"

namespace {

namespace fs = std::filesystem;
using scds_testing::Temp_Dir;

struct Question_Case {
  std::string program;
  std::string answers;   // up to the question
  std::string question;  // the end of what the program says before it waits
  std::string block;     // what the species log gains
};

// A species with a vestibular matrix and nothing else: Quintarel waits at
// its side question, Ostravel at its first material constant after its
// missing solver inputs were said, Saxmorrow at its next-mesh question after
// a missing mesh was said.
const Question_Case kQuestions[] = {
    {"Quintarel", "Sp\n1\n", "3. both semicircular duct systems\n\n", ""},
    {"Ostravel", "Sp\n1\n", "\nPlease enter body temperature (C):\n\n",
     "Ostravel Errors:\n\nImpossible to read \"Ant_Long\" sif files.\nVerify both species name and files name.\n\n"},
    {"Saxmorrow", "Sp\n1\nnone\n1\n", "\nDo you want to transform another STL file ?\n\n1. Yes\n2. No\n",
     "Saxmorrow Errors:\n\nImpossible to read Data/Sp/ScanRef/Other/none.stl\nVerify STL file name.\n\n"},
};

const std::string kEarlierLog = "Earlier Errors:\n\nkept\n\n";

void Prepare(const fs::path& work) {
  scds_testing::Make_Species_Folder(work, "Sp");
  scds_testing::Write_File(work / "Data/Sp/Matrix/Sp.transmat",
                           "1.000000\t0.000000\t0.000000\n0.000000\t1.000000\t0.000000\n0.000000\t0.000000\t1.000000");
  scds_testing::Write_File(work / "Data/Sp/Sp.errorlog", kEarlierLog);
}

TEST(EndSignals, AtAQuestionTheRunEndsAsAtTheEndOfInput) {
  for (const Question_Case& q : kQuestions) {
    SCOPED_TRACE(q.program);
    Temp_Dir ended_dir;
    Prepare(ended_dir.path);
    const scds_testing::Program_Run ended = scds_testing::Run_Program(q.program, ended_dir.path, q.answers, 60);
    ASSERT_EQ(ended.status, 1);
    ASSERT_TRUE(ended.output.ends_with(q.question)) << ended.output;
    const auto ended_files = scds_testing::File_Tree(ended_dir.path);
    EXPECT_EQ(scds_testing::Read_File(ended_dir.path / "Data/Sp/Sp.errorlog"), kEarlierLog + q.block);
    EXPECT_FALSE(scds_testing::Exists(ended_dir.path / "Data/Sp/Sp_temp.errorlog"));

    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
      SCOPED_TRACE(strsignal(signal));
      Temp_Dir dir;
      Prepare(dir.path);
      scds_testing::Live_Run live = scds_testing::Start_Live(q.program, dir.path);
      scds_testing::Live_Answer(live, q.answers);
      ASSERT_TRUE(scds_testing::Live_Wait_For(live, q.question)) << live.output;
      const scds_testing::Program_Run run = scds_testing::Live_Signal(live, signal);
      EXPECT_EQ(run.signal, signal);
      EXPECT_EQ(run.output, ended.output);
      EXPECT_EQ(scds_testing::File_Tree(dir.path), ended_files);
      EXPECT_EQ(scds_testing::Read_File(dir.path / "Data/Sp/Sp.errorlog"), kEarlierLog + q.block);
    }
  }
}

}  // namespace
