// SIGINT, SIGTERM, SIGHUP, SIGQUIT, a CPU-time limit's SIGXCPU, a batch
// scheduler's SIGUSR1 and SIGUSR2 and the timers' SIGALRM, SIGVTALRM and
// SIGPROF at a question a program asks once its temporary log is open, and
// SIGPIPE from a console that was closed, end the run as the end of input
// there does: the same console, the same files (the log block merged into
// the species log, no temporary log), and then the program ends by that
// signal. A signal the program was started to ignore stays ignored. A
// file-size limit ends no run half-way: a write past it fails as on a full
// disk.
#include <gtest/gtest.h>

#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "scds_testing.h"

namespace {

namespace fs = std::filesystem;
using scds_testing::Temp_Dir;
using scds_testing::Temporary_Files;

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

// Starts the program in the prepared dir and answers it up to its
// question; false when the question did not come.
bool Start_Prepared_At_Question(const Question_Case& q, const fs::path& dir, scds_testing::Live_Run& live,
                                const scds_testing::Run_Options& options = {}) {
  live = scds_testing::Start_Live(q.program, dir, options);
  scds_testing::Live_Answer(live, q.answers);
  return scds_testing::Live_Wait_For(live, q.question);
}

bool Start_At_Question(const Question_Case& q, const fs::path& dir, scds_testing::Live_Run& live,
                       const scds_testing::Run_Options& options = {}) {
  Prepare(dir);
  return Start_Prepared_At_Question(q, dir, live, options);
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

    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGXCPU, SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF}) {
      SCOPED_TRACE(strsignal(signal));
      Temp_Dir dir;
      scds_testing::Live_Run live;
      ASSERT_TRUE(Start_At_Question(q, dir.path, live)) << live.output;
      const scds_testing::Program_Run run = scds_testing::Live_Signal(live, signal);
      EXPECT_EQ(run.signal, signal);
      EXPECT_EQ(run.output, ended.output);
      EXPECT_EQ(scds_testing::File_Tree(dir.path), ended_files);
      EXPECT_EQ(scds_testing::Read_File(dir.path / "Data/Sp/Sp.errorlog"), kEarlierLog + q.block);
    }
  }
}

// Signalled at a question once a message is in the log, with a species log
// that cannot take the block (a folder at its name, or a log a file-size
// limit leaves no room in), the handler puts the block whole into the
// unmerged log, says so, leaves no temporary log, and the program ends by
// the signal.
TEST(EndSignals, ABlockTheSpeciesLogCannotTakeGoesToTheUnmergedLog) {
  struct Blocked_Case {
    const Question_Case* question;
    bool folder;  // a folder at the species log's name; else a species log the limit holds full
  };
  const Blocked_Case cases[] = {{&kQuestions[1], true}, {&kQuestions[1], false},
                                {&kQuestions[2], true}, {&kQuestions[2], false}};
  const std::string full_log = std::string(8180, 'e') + "\n";  // 11 bytes of room
  for (const Blocked_Case& c : cases) {
    const Question_Case& q = *c.question;
    SCOPED_TRACE(q.program + (c.folder ? ": a folder at the species log" : ": a full species log"));
    Temp_Dir dir;
    Prepare(dir.path);
    const fs::path species_log = dir.path / "Data/Sp/Sp.errorlog";
    scds_testing::Run_Options options;
    if (c.folder) {
      fs::remove(species_log);
      fs::create_directory(species_log);
    } else {
      scds_testing::Write_File(species_log, full_log);
      options.file_size_limit = 8192;
    }
    scds_testing::Live_Run live;
    ASSERT_TRUE(Start_Prepared_At_Question(q, dir.path, live, options)) << live.output;
    const scds_testing::Program_Run run = scds_testing::Live_Signal(live, SIGINT);
    EXPECT_EQ(run.signal, SIGINT);
    EXPECT_NE(run.output.find(q.question + "\nImpossible to write Data/Sp/Sp.errorlog\n"
                              "Verify the species name and that its folder exists.\n"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(scds_testing::Read_File(dir.path / "Data/Sp/Sp_unmerged.errorlog"), q.block);
    if (c.folder) {
      EXPECT_TRUE(fs::is_directory(species_log));
    } else {
      EXPECT_EQ(scds_testing::Read_File(species_log), full_log);
    }
    EXPECT_EQ(Temporary_Files(dir.path), std::vector<std::string>{});
  }
}

// A console that is a closed pipe (the reader of `Saxmorrow | head` gone):
// the program's next write raises SIGPIPE, which ends the run as at the
// question it had reached.
TEST(EndSignals, AClosedConsoleEndsTheRunAsAtTheEndOfInput) {
  const Question_Case& q = kQuestions[2];
  Temp_Dir ended_dir;
  Prepare(ended_dir.path);
  ASSERT_EQ(scds_testing::Run_Program(q.program, ended_dir.path, q.answers, 60).status, 1);
  const auto ended_files = scds_testing::File_Tree(ended_dir.path);

  Temp_Dir dir;
  scds_testing::Live_Run live;
  ASSERT_TRUE(Start_At_Question(q, dir.path, live)) << live.output;
  close(live.console);
  // Another mesh: the program writes its question into the closed console.
  scds_testing::Live_Answer(live, "1\n");
  const scds_testing::Process_End end = scds_testing::Wait_End(live.pid);
  close(live.input);
  EXPECT_EQ(end.signal, SIGPIPE);
  EXPECT_EQ(scds_testing::File_Tree(dir.path), ended_files);
  EXPECT_EQ(scds_testing::Read_File(dir.path / "Data/Sp/Sp.errorlog"), kEarlierLog + q.block);
}

// Started to ignore SIGHUP (nohup) or a batch scheduler's warning, a
// program goes on through one and ends its run on its answers.
TEST(EndSignals, ASignalIgnoredAtTheStartStaysIgnored) {
  const Question_Case& q = kQuestions[2];
  for (int signal : {SIGHUP, SIGUSR1}) {
    SCOPED_TRACE(strsignal(signal));
    Temp_Dir dir;
    scds_testing::Run_Options ignoring;
    ignoring.ignored_signals = {signal};
    scds_testing::Live_Run live;
    ASSERT_TRUE(Start_At_Question(q, dir.path, live, ignoring)) << live.output;
    kill(live.pid, signal);
    const scds_testing::Program_Run run = scds_testing::Live_Finish(live, "2\nx\n", 60);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.output.ends_with(q.question + "\nPress any key, then Enter to exit.")) << run.output;
    EXPECT_EQ(scds_testing::Read_File(dir.path / "Data/Sp/Sp.errorlog"), kEarlierLog + q.block);
  }
}

// Under a file-size limit (ulimit -f, as batch schedulers set it) that
// the species log has nearly reached, Quintarel's block of missing raw
// vectors does not fit: the species log keeps its earlier bytes, the block
// goes whole to the unmerged log, the run says so and ends normally, and
// no temporary file is left.
TEST(FileSizeLimit, AWritePastTheLimitFailsAsOnAFullDisk) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  const std::string earlier = std::string(8099, 'e') + "\n";
  scds_testing::Write_File(dir.path / "Data/Sp/Sp.errorlog", earlier);
  scds_testing::Run_Options limited;
  limited.seconds = 60;
  limited.file_size_limit = 8192;
  const scds_testing::Program_Run run = scds_testing::Run_Program("Quintarel", dir.path, "Sp\n1\n3\nx\n", limited);
  EXPECT_EQ(run.signal, 0);
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.output.find("\nImpossible to write Data/Sp/Sp.errorlog\n"), std::string::npos) << run.output;
  EXPECT_EQ(scds_testing::Read_File(dir.path / "Data/Sp/Sp.errorlog"), earlier);
  const std::string block = scds_testing::Read_File(dir.path / "Data/Sp/Sp_unmerged.errorlog");
  EXPECT_TRUE(block.starts_with("Quintarel Errors:\n\nImpossible to read Data/Sp/Sp_R_Cor.rawvector\n")) << block;
  EXPECT_TRUE(block.ends_with("\nImpossible to read Data/Sp/Sp_L_MinusCor.rawvector\nVerify MinusCor vector file "
                              "name.\n\n"))
      << block;
  EXPECT_EQ(Temporary_Files(dir.path), std::vector<std::string>{});
}

// A disk too full for the temporary log's title line (a limit below its
// length): each program says it cannot write the log, goes on without it,
// and leaves no temporary log behind.
TEST(FileSizeLimit, ATemporaryLogThatCannotTakeItsTitleIsRemoved) {
  const std::string answers[][2] = {
      {"Quintarel", "Sp\n1\n3\nx\n"},        {"Ostravel", "Sp\n1\n37\n1\n1\n1\nx\n"},
      {"Saxmorrow", "Sp\n1\nnone\n1\n2\nx\n"}, {"Brindleck", "Sp\n1\n1\n3\nx\n"},
      {"Tessafen", "Sp\n1\n1\n3\nx\n"},      {"Flanmere", "Sp\n1\n3\nx\n"},
  };
  for (const auto& [program, given] : answers) {
    SCOPED_TRACE(program);
    Temp_Dir dir;
    Prepare(dir.path);
    scds_testing::Run_Options full;
    full.seconds = 60;
    full.file_size_limit = 4;
    const scds_testing::Program_Run run = scds_testing::Run_Program(program, dir.path, given, full);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.status, 0);
    const std::size_t said = run.output.find("\nImpossible to write Data/Sp/Sp_temp");
    ASSERT_NE(said, std::string::npos) << run.output;
    EXPECT_NE(run.output.find(".errorlog\nVerify the species name and that its folder exists.\n"
                              "The messages go to this console only.\n",
                              said),
              std::string::npos)
        << run.output;
    EXPECT_EQ(Temporary_Files(dir.path), std::vector<std::string>{});
    EXPECT_EQ(scds_testing::Read_File(dir.path / "Data/Sp/Sp.errorlog"), kEarlierLog);
  }
}

}  // namespace
