// How log blocks reach the logs: exactly the block, on the disk before its
// temporary log goes, never into the temporary log itself. Blocks that
// neither the species error log nor the unmerged log can take, and
// temporary logs that killed runs leave: every message the console showed
// is in a file of the species folder after the run, and after the next run
// of a program that writes the same temporary log, which merges what it
// finds there first, as a block of its own.
#include <gtest/gtest.h>

#include <linux/fs.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "file_flags.h"
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

const std::string kStaysThere = "\nData/Sp/Sp_temp.errorlog cannot be read back: its messages stay there.\n";
const std::string kConsoleOnly =
    "\nImpossible to write Data/Sp/Sp_temp.errorlog\nVerify the species name and that its folder exists.\n"
    "The messages go to this console only.\n";

// Two runs of Quintarel in turn, each as `options` says, on a species
// whose temporary log's name holds `left` (mode 0444, or as `prepare`
// makes it): the species error log after each.
struct Two_Runs {
  scds_testing::Program_Run first, second;
  std::string after_first, after_second;
};

Two_Runs Run_Twice(const fs::path& work, const Species_Files& files, const scds_testing::Run_Options& options) {
  Two_Runs runs;
  runs.first = scds_testing::Run_Program("Quintarel", work, kQuintarelAnswers, options);
  runs.after_first = Read_File(files.species_log);
  runs.second = scds_testing::Run_Program("Quintarel", work, kQuintarelAnswers, options);
  runs.after_second = Read_File(files.species_log);
  return runs;
}

scds_testing::Run_Options Unprivileged() {
  scds_testing::Run_Options options;
  options.seconds = 60;
  options.unprivileged = true;
  return options;
}

// A file at the temporary log's name that the run may read but not write
// (mode 0444, as a user without root) is read all the same: a log of a run
// is merged once, as a block of its own (one cut off inside a line with a
// line end), and removed; anything else is cleared. Either way the run
// keeps its own log, and the next run merges only its own block.
TEST(KeptLogs, AFileTheRunMayOnlyReadIsMergedOnceOrCleared) {
  struct Case {
    const char* what;
    std::string left, merged;  // the file, and what the species log takes of it
  };
  const Case cases[] = {
      {"an empty file", "", ""},
      {"a file without a title line", "not a log\n", ""},
      {"a log of a run", kSaxmorrowBlock, kSaxmorrowBlock},
      {"a log cut off inside a line", "Saxmorrow Errors:\n\nImpossible to read D",
       "Saxmorrow Errors:\n\nImpossible to read D\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Temp_Dir dir;
    const Species_Files files = Prepare(dir.path, false);
    Write_File(files.temp_log, c.left);
    fs::permissions(files.temp_log, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const Two_Runs runs = Run_Twice(dir.path, files, Unprivileged());
    EXPECT_EQ(runs.first.status, 0);
    const bool said = runs.first.output.find(kMergedFirst + "\nYou have functional unit vectors for:") != std::string::npos;
    EXPECT_EQ(said, !c.merged.empty()) << runs.first.output;
    EXPECT_EQ(runs.first.output.find(kConsoleOnly), std::string::npos) << runs.first.output;
    EXPECT_EQ(runs.after_first, c.merged + kQuintarelBlock);
    EXPECT_EQ(runs.after_second, c.merged + kQuintarelBlock + kQuintarelBlock);
    EXPECT_EQ(runs.second.output.find(kMergedFirst), std::string::npos) << runs.second.output;
    EXPECT_FALSE(Stands(files.temp_log));
  }
}

// A log of a run that another user (root) left in the user's own folder
// is read, merged once and removed.
TEST(KeptLogs, ALogAnotherUserLeftIsMergedOnceAndRemoved) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can leave a file to a user the run is not";
  Temp_Dir dir;
  const Species_Files files = Prepare(dir.path, false);
  Write_File(files.temp_log, kSaxmorrowBlock);
  scds_testing::Run_Options options = Unprivileged();
  options.left_to_root = {"Data/Sp/Sp_temp.errorlog"};
  const Two_Runs runs = Run_Twice(dir.path, files, options);
  EXPECT_NE(runs.first.output.find(kMergedFirst + "\nYou have functional unit vectors for:"), std::string::npos)
      << runs.first.output;
  EXPECT_EQ(runs.after_first, kSaxmorrowBlock + kQuintarelBlock);
  EXPECT_EQ(runs.after_second, kSaxmorrowBlock + kQuintarelBlock + kQuintarelBlock);
  EXPECT_FALSE(Stands(files.temp_log));
}

// A log of a run that the run may read but neither empty nor remove (mode
// 0444 in a folder without write permission; an append-only file) would
// be merged again by every later run: it stays as it is, merged nowhere,
// and the console says so, run after run.
TEST(KeptLogs, ALogThatCannotBeClearedIsNotMerged) {
  struct Case {
    const char* what;
    bool append_only;
  };
  const Case cases[] = {{"mode 0444 in a folder without write permission", false}, {"an append-only file", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.append_only && geteuid() != 0) continue;  // only root can mark a file so
    Temp_Dir dir;
    const Species_Files files = Prepare(dir.path, false);
    Write_File(files.temp_log, kSaxmorrowBlock);
    scds_testing::Run_Options options;
    options.seconds = 60;
    std::optional<scds_testing::File_Flag> flag;
    if (c.append_only) {
      flag.emplace(files.temp_log, FS_APPEND_FL);
      if (!flag->set) continue;  // a file system that keeps no such flag
    } else {
      options = Unprivileged();
      fs::permissions(files.temp_log, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
      fs::permissions(files.temp_log.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
    }
    const Two_Runs runs = Run_Twice(dir.path, files, options);
    fs::permissions(files.temp_log.parent_path(), fs::perms::owner_all);
    for (const scds_testing::Program_Run& run : {runs.first, runs.second}) {
      EXPECT_EQ(run.status, 0);
      EXPECT_NE(run.output.find(kStaysThere + kConsoleOnly + "\nYou have functional unit vectors for:"),
                std::string::npos)
          << run.output;
    }
    EXPECT_FALSE(Stands(files.species_log));
    EXPECT_EQ(Read_File(files.temp_log), kSaxmorrowBlock);
  }
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

// A system call that fails (strace gives it EIO) where the log must not
// take a block for merged, or a file for cleared: at the close, the
// temporary log cannot be read back, or the species error log cannot put
// the block on the disk; at the open, the first read of a left-over fails.
TEST(KeptLogs, AFailedReadOrSyncNeverCountsAsMerged) {
  SCDS_REQUIRE_STRACE();
  struct Case {
    const char* what;
    const char* program;
    std::string answers;
    const char* call;  // fails on the log below
    fs::path on;
    std::string left;  // a left-over at the temporary log's name
    std::string said;
    std::string temp_after, species_after, unmerged_after;
  };
  const std::string older = "Older block\n";
  const Case cases[] = {
      {"the temporary log cannot be read back at the close", "Saxmorrow", kSaxmorrowRun, "pread64",
       "Data/Sp/Sp_temp.errorlog", "", kSaxmorrowQuestion + kStaysThere, kSaxmorrowBlock, older, ""},
      {"the species log cannot be synced", "Saxmorrow", kSaxmorrowRun, "fdatasync", "Data/Sp/Sp.errorlog", "",
       kSaxmorrowQuestion +
           "\nImpossible to write Data/Sp/Sp.errorlog\nVerify the species name and that its folder exists.\n"
           "The messages went to Data/Sp/Sp_unmerged.errorlog instead.\n",
       "", older, kSaxmorrowBlock},
      {"the first read of a left-over fails", "Quintarel", kQuintarelAnswers, "pread64", "Data/Sp/Sp_temp.errorlog",
       kSaxmorrowBlock, kStaysThere + kConsoleOnly + "\nYou have functional unit vectors for:", kSaxmorrowBlock, older,
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Temp_Dir dir;
    const Species_Files files = Prepare(dir.path, false);
    Write_File(files.species_log, older);
    if (!c.left.empty()) Write_File(files.temp_log, c.left);
    Trace_Request fails;
    fails.calls = fails.at = c.call;
    fails.paths = {c.on};
    fails.when = 1;
    fails.error = EIO;
    const Traced_Run traced = Traced_Whole_Run(c.program, dir.path, c.answers, fails);
    ASSERT_FALSE(traced.calls.empty());
    EXPECT_TRUE(traced.calls[0].result.starts_with("-1 EIO")) << traced.calls[0].result;
    EXPECT_NE(traced.run.output.find(c.said), std::string::npos) << traced.run.output;
    EXPECT_EQ(Stands(files.temp_log) ? Read_File(files.temp_log) : "", c.temp_after);
    EXPECT_EQ(Read_File(files.species_log), c.species_after);
    EXPECT_EQ(Stands(files.unmerged_log) ? Read_File(files.unmerged_log) : "", c.unmerged_after);
  }
}

}  // namespace
