// How log blocks reach the logs: exactly the block, on the disk before its
// temporary log goes, never into the temporary log itself. Blocks that
// neither the species error log nor the unmerged log can take, and
// temporary logs that killed runs leave: every message the console showed
// is in a file of the species folder after the run, and after the next run
// of a program that writes the same temporary log, which merges what it
// finds there first, as a block of its own.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "scds_testing.h"
#include "traced_run.h"

namespace {

namespace fs = std::filesystem;
using scds_testing::Read_File;
using scds_testing::Temp_Dir;
using scds_testing::Trace_Request;
using scds_testing::Traced_Run;
using scds_testing::Write_File;

std::string Raw_Vector_Messages() {
  std::string text;
  for (const char* set : {"Cor", "PlusCor", "MinusCor"}) {
    for (const char* side : {"R", "L"}) {
      text += std::string("\nImpossible to read Data/Sp/Sp_") + side + "_" + set + ".rawvector\nVerify " + set +
              " vector file name.\n";
    }
  }
  return text;
}

// Quintarel on both sides of a species without raw vectors, and Saxmorrow
// asked for a mesh that is not there: the blocks they make.
const std::string kQuintarelAnswers = "Sp\n1\n3\nx\n";
const std::string kQuintarelBlock = "Quintarel Errors:\n" + Raw_Vector_Messages() + "\n";
const std::string kSaxmorrowAnswers = "Sp\n1\nnone\n1\n";
const std::string kSaxmorrowQuestion = "\nDo you want to transform another STL file ?\n\n1. Yes\n2. No\n";
const std::string kSaxmorrowBlock =
    "Saxmorrow Errors:\n\nImpossible to read Data/Sp/ScanRef/Other/none.stl\nVerify STL file name.\n\n";

const std::string kNeitherLog =
    "\nImpossible to write Data/Sp/Sp.errorlog\nVerify the species name and that its folder exists.\n"
    "\nImpossible to write Data/Sp/Sp_unmerged.errorlog\nVerify the species name and that its folder exists.\n"
    "The messages stay in Data/Sp/Sp_temp.errorlog: the next run that writes that file merges them first.\n";
const std::string kMergedFirst =
    "\nData/Sp/Sp_temp.errorlog holds messages an earlier run or side did not merge: they are merged first.\n";

// Both logs 8,190 bytes long, and (with the limit) no file may grow beyond
// 8,192: neither can take a block.
const std::string kFullLog = std::string(8189, 'e') + "\n";
constexpr std::uint64_t kLimit = 8192;

struct Species_Files {
  fs::path species_log, unmerged_log, temp_log;
};

Species_Files Prepare(const fs::path& work, bool full_logs) {
  scds_testing::Make_Species_Folder(work, "Sp");
  Write_File(work / "Data/Sp/Matrix/Sp.transmat",
             "1.000000\t0.000000\t0.000000\n0.000000\t1.000000\t0.000000\n0.000000\t0.000000\t1.000000");
  const Species_Files files{work / "Data/Sp/Sp.errorlog", work / "Data/Sp/Sp_unmerged.errorlog",
                            work / "Data/Sp/Sp_temp.errorlog"};
  if (full_logs) {
    Write_File(files.species_log, kFullLog);
    Write_File(files.unmerged_log, kFullLog);
  }
  return files;
}

bool Stands(const fs::path& file) { return fs::exists(fs::symlink_status(file)); }

// The next run with room: Quintarel, which shares the temporary log with
// Saxmorrow and Ostravel, merges the kept block before its own.
void Expect_Merged_By_The_Next_Run(const fs::path& work, const Species_Files& files, const std::string& kept) {
  const scds_testing::Program_Run next = scds_testing::Run_Program("Quintarel", work, kQuintarelAnswers, 60);
  EXPECT_EQ(next.status, 0);
  EXPECT_NE(next.output.find(kMergedFirst + "\nYou have functional unit vectors for:"), std::string::npos)
      << next.output;
  EXPECT_EQ(Read_File(files.species_log), kFullLog + kept + kQuintarelBlock);
  EXPECT_EQ(Read_File(files.unmerged_log), kFullLog);
  EXPECT_FALSE(Stands(files.temp_log));
}

// With both logs full under a file-size limit, the run's block stays at
// the temporary log's name and the console says where; both logs keep
// their bytes. The next run merges it.
TEST(KeptLogs, ABlockNeitherLogCanTakeStaysAndTheNextRunMergesIt) {
  Temp_Dir dir;
  const Species_Files files = Prepare(dir.path, true);
  scds_testing::Run_Options limited;
  limited.seconds = 60;
  limited.file_size_limit = kLimit;
  const scds_testing::Program_Run run = scds_testing::Run_Program("Quintarel", dir.path, kQuintarelAnswers, limited);
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.output.find(Raw_Vector_Messages() + kNeitherLog), std::string::npos) << run.output;
  EXPECT_EQ(Read_File(files.species_log), kFullLog);
  EXPECT_EQ(Read_File(files.unmerged_log), kFullLog);
  EXPECT_EQ(Read_File(files.temp_log), kQuintarelBlock);
  Expect_Merged_By_The_Next_Run(dir.path, files, kQuintarelBlock);
}

// The same when a signal ends the run at a question: the handler keeps
// the block too, and says so.
TEST(KeptLogs, ASignalWithBothLogsFullKeepsTheBlock) {
  Temp_Dir dir;
  const Species_Files files = Prepare(dir.path, true);
  scds_testing::Run_Options limited;
  limited.file_size_limit = kLimit;
  scds_testing::Live_Run live = scds_testing::Start_Live("Saxmorrow", dir.path, limited);
  scds_testing::Live_Answer(live, kSaxmorrowAnswers);
  ASSERT_TRUE(scds_testing::Live_Wait_For(live, kSaxmorrowQuestion)) << live.output;
  const scds_testing::Program_Run run = scds_testing::Live_Signal(live, SIGINT);
  EXPECT_EQ(run.signal, SIGINT);
  EXPECT_TRUE(run.output.ends_with(kSaxmorrowQuestion + kNeitherLog)) << run.output;
  EXPECT_EQ(Read_File(files.species_log), kFullLog);
  EXPECT_EQ(Read_File(files.unmerged_log), kFullLog);
  EXPECT_EQ(Read_File(files.temp_log), kSaxmorrowBlock);
  Expect_Merged_By_The_Next_Run(dir.path, files, kSaxmorrowBlock);
}

// A run killed outright (SIGKILL: the out-of-memory killer, the hard
// CPU-time limit) cleans nothing up; its temporary log holds every message
// it showed, closed as its block is closed, and the next run merges it
// first. One killed before it said anything left its title line alone,
// which is dropped without a word.
TEST(KeptLogs, ATemporaryLogAKilledRunLeftIsMergedByTheNextRun) {
  struct Case {
    std::string program, answers, question, left;
  };
  const Case cases[] = {
      {"Saxmorrow", kSaxmorrowAnswers, kSaxmorrowQuestion, kSaxmorrowBlock},
      {"Quintarel", "Sp\n1\n", "3. both semicircular duct systems\n\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    Temp_Dir dir;
    const Species_Files files = Prepare(dir.path, false);
    Write_File(files.species_log, kFullLog);
    Write_File(files.unmerged_log, kFullLog);
    scds_testing::Live_Run live = scds_testing::Start_Live(c.program, dir.path);
    scds_testing::Live_Answer(live, c.answers);
    ASSERT_TRUE(scds_testing::Live_Wait_For(live, c.question)) << live.output;
    const scds_testing::Program_Run run = scds_testing::Live_Signal(live, SIGKILL);
    EXPECT_EQ(run.signal, SIGKILL);
    EXPECT_TRUE(Stands(files.temp_log));
    if (!c.left.empty()) {
      EXPECT_EQ(Read_File(files.temp_log), c.left);
      Expect_Merged_By_The_Next_Run(dir.path, files, c.left);
      continue;
    }
    const scds_testing::Program_Run next = scds_testing::Run_Program("Quintarel", dir.path, kQuintarelAnswers, 60);
    EXPECT_EQ(next.output.find(kMergedFirst), std::string::npos) << next.output;
    EXPECT_EQ(Read_File(files.species_log), kFullLog + kQuintarelBlock);
    EXPECT_FALSE(Stands(files.temp_log));
  }
}

// A temporary log left behind that the run cannot read is neither merged
// nor removed nor written over: it stays as it is, the console says so,
// and the run's messages go to the console only.
TEST(KeptLogs, ALeftOverThatCannotBeReadStaysAsItIs) {
  Temp_Dir dir;
  const Species_Files files = Prepare(dir.path, false);
  Write_File(files.temp_log, kSaxmorrowBlock);
  fs::permissions(files.temp_log, fs::perms::none);
  scds_testing::Run_Options unprivileged;
  unprivileged.seconds = 60;
  unprivileged.unprivileged = true;
  const scds_testing::Program_Run run =
      scds_testing::Run_Program("Quintarel", dir.path, kQuintarelAnswers, unprivileged);
  EXPECT_EQ(run.status, 0);
  const std::string said =
      "\nData/Sp/Sp_temp.errorlog cannot be read back: its messages stay there.\n"
      "\nImpossible to write Data/Sp/Sp_temp.errorlog\nVerify the species name and that its folder exists.\n"
      "The messages go to this console only.\n";
  EXPECT_NE(run.output.find(said + "\nYou have functional unit vectors for:"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find(Raw_Vector_Messages()), std::string::npos) << run.output;
  fs::permissions(files.temp_log, fs::perms::owner_read);
  EXPECT_EQ(Read_File(files.temp_log), kSaxmorrowBlock);
  EXPECT_FALSE(Stands(files.species_log));
}

// Runs `program` on the prepared species under strace as `request` says; a
// whole run, ending with status 0.
Traced_Run Traced_Whole_Run(const std::string& program, const fs::path& work, const std::string& answers,
                            const Trace_Request& request) {
  const Traced_Run traced = scds_testing::Run_Traced(program, work, answers, request, 60);
  EXPECT_EQ(traced.run.status, 0) << traced.run.output;
  return traced;
}

const std::string kSaxmorrowRun = kSaxmorrowAnswers + "2\nx\n";

// A species log that is a link to the temporary log is the temporary log
// itself, no place for its block: the block goes to the unmerged log, and
// nothing is appended through the link. The temporary log takes the title
// and the message and no more byte (the program may grow no file beyond
// 1 MiB all the same, so that a copy of the log into itself ends).
TEST(KeptLogs, ASpeciesLogThatIsTheTemporaryLogTakesNoBlock) {
  SCDS_REQUIRE_STRACE();
  Temp_Dir dir;
  const Species_Files files = Prepare(dir.path, false);
  fs::create_symlink("Sp_temp.errorlog", files.species_log);
  Trace_Request writes;
  writes.calls = "write,pwrite64";
  writes.paths = {"Data/Sp/Sp_temp.errorlog"};
  writes.file_size_limit = 1 << 20;
  const Traced_Run traced = Traced_Whole_Run("Saxmorrow", dir.path, kSaxmorrowRun, writes);
  std::uint64_t written = 0;
  for (const scds_testing::Traced_Call& call : traced.calls) {
    if (!call.result.starts_with("-")) written += std::stoull(call.result);
  }
  EXPECT_EQ(written, kSaxmorrowBlock.size());
  const std::string went_unmerged =
      "\nImpossible to write Data/Sp/Sp.errorlog\nVerify the species name and that its folder exists.\n"
      "The messages went to Data/Sp/Sp_unmerged.errorlog instead.\n";
  EXPECT_NE(traced.run.output.find(kSaxmorrowQuestion + went_unmerged), std::string::npos) << traced.run.output;
  EXPECT_EQ(Read_File(files.unmerged_log), kSaxmorrowBlock);
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(files.species_log)));
  EXPECT_FALSE(Stands(files.temp_log));
}

// A message the temporary log cannot take whole (no file may grow more
// than 20 bytes past the first message's block) is cut back; when that
// cut fails too (ftruncate gives EIO), the torn bytes it leaves past the
// block are not copied: the species log takes the block the run wrote,
// ending at a whole message.
TEST(KeptLogs, BytesAFailedCutBackLeavesAreNotMerged) {
  SCDS_REQUIRE_STRACE();
  Temp_Dir dir;
  const Species_Files files = Prepare(dir.path, false);
  const std::string block =
      "Quintarel Errors:\n\nImpossible to read Data/Sp/Sp_R_Cor.rawvector\nVerify Cor vector file name.\n\n";
  Trace_Request cut_fails;
  cut_fails.calls = cut_fails.at = "ftruncate";
  cut_fails.paths = {"Data/Sp/Sp_temp.errorlog"};
  cut_fails.when = 1;
  cut_fails.error = EIO;
  cut_fails.file_size_limit = block.size() + 20;
  const Traced_Run traced = Traced_Whole_Run("Quintarel", dir.path, kQuintarelAnswers, cut_fails);
  ASSERT_EQ(traced.calls.size(), 1u);
  EXPECT_TRUE(traced.calls[0].result.starts_with("-1 EIO")) << traced.calls[0].result;
  EXPECT_EQ(Read_File(files.species_log), block);
  EXPECT_FALSE(Stands(files.temp_log));
}

// The block is on the disk before its temporary log goes: the descriptor
// it was appended through is synchronised before the temporary log is
// unlinked.
TEST(KeptLogs, TheMergedBlockIsSyncedBeforeItsTemporaryLogGoes) {
  SCDS_REQUIRE_STRACE();
  Temp_Dir dir;
  const Species_Files files = Prepare(dir.path, false);
  Trace_Request calls;
  calls.calls = "openat,fsync,fdatasync,unlink";
  calls.paths = {"Data/Sp/Sp.errorlog", "Data/Sp/Sp_temp.errorlog"};
  const Traced_Run traced = Traced_Whole_Run("Saxmorrow", dir.path, kSaxmorrowRun, calls);
  EXPECT_EQ(Read_File(files.species_log), kSaxmorrowBlock);
  std::string appended;  // the descriptor of the species log
  std::size_t synced = 0, unlinked = 0;
  for (std::size_t k = 0; k < traced.calls.size(); ++k) {
    const scds_testing::Traced_Call& call = traced.calls[k];
    const std::string named = call.strings.empty() ? "" : call.strings[0];
    if (call.name == "openat" && named == "./Data/Sp/Sp.errorlog" && !call.result.starts_with("-")) {
      appended = call.result;
    }
    if ((call.name == "fsync" || call.name == "fdatasync") && call.arguments == appended && synced == 0) synced = k + 1;
    if (call.name == "unlink" && named == "./Data/Sp/Sp_temp.errorlog") unlinked = k + 1;
  }
  EXPECT_FALSE(appended.empty());
  EXPECT_GT(synced, 0u);
  EXPECT_GT(unlinked, synced);
}

}  // namespace
