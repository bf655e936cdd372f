// Signals that come at the narrowest moments of a run, sent at an exact
// system call (strace's fault injection), on the sample species: between
// the removals of one set's two raw vector files, between the writes of one
// message, during the run's own merge of its log, at every rename of a run
// that makes a report it does not keep. Whatever call the signal comes
// at, the run ends with whole files: each is the earlier one or the one an
// uninterrupted run makes, and the log holds what the console showed.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "sample_species.h"
#include "scds_testing.h"
#include "traced_run.h"

namespace {

namespace fs = std::filesystem;
using scds_testing::Read_File;
using scds_testing::Run_Traced;
using scds_testing::Sample_Answers;
using scds_testing::Temp_Dir;
using scds_testing::Temporary_Files;
using scds_testing::Trace_Request;
using scds_testing::Traced_Call;

// A call of a trace as strace counts it for an injection: its name and its
// number among the calls of that name.
struct Call_Point {
  std::string name;
  int when = 0;
  Traced_Call call;
};

std::vector<Call_Point> Call_Points(const std::vector<Traced_Call>& calls) {
  std::map<std::string, int> seen;
  std::vector<Call_Point> points;
  for (const Traced_Call& call : calls) points.push_back({call.name, ++seen[call.name], call});
  return points;
}

// The prepared work folder copied afresh for one run.
struct Fresh_Copy {
  Temp_Dir dir;
  explicit Fresh_Copy(const fs::path& prepared) { fs::copy(prepared, dir.path, fs::copy_options::recursive); }
};

// The run's program, signalled at one call of those the trace counted.
scds_testing::Traced_Run Signal_At(const std::string& program, const fs::path& work, const std::string& answers,
                                   const Trace_Request& traced, const Call_Point& point, int signal = SIGINT) {
  Trace_Request request = traced;
  request.calls = point.name;
  request.at = point.name;
  request.when = point.when;
  request.signal = signal;
  return Run_Traced(program, work, answers, request);
}

// The messages of inputs that could not be read, as the console shows
// them: "\nImpossible to read <path>\n" and the line after it.
std::vector<std::string> Read_Failures(const std::string& console) {
  std::vector<std::string> messages;
  const std::string head = "\nImpossible to read ";
  for (std::size_t at = console.find(head); at != std::string::npos; at = console.find(head, at + 1)) {
    const std::size_t first = console.find('\n', at + 1);
    const std::size_t second = first == std::string::npos ? first : console.find('\n', first + 1);
    if (second == std::string::npos) break;  // cut off by the signal
    messages.push_back(console.substr(at, second + 1 - at));
  }
  return messages;
}

const std::string kRenames = "rename,renameat,renameat2";
const std::string kRemovals = "unlink,unlinkat";

// A report the run makes but does not keep, and how the sample is made to
// give one: Ostravel's extended report of a set whose morphometry cannot
// be read, Brindleck's and Tessafen's report of a side none of whose
// meshes can be read.
struct Unkept_Report {
  std::string program;
  std::vector<std::string> removed;  // inputs taken out of the sample
  std::string report;
  bool after_quintarel = false;      // the uncoupled matrix Ostravel reads (and consumes)
};

std::vector<std::string> Right_Meshes(const std::string& folder, const std::string& prefix,
                                      const std::vector<std::string>& names) {
  std::vector<std::string> paths;
  for (const std::string& name : names) paths.push_back(folder + prefix + "_Sample_" + name + ".stl");
  return paths;
}

std::vector<std::string> Right_Cupula_Meshes() {
  std::vector<std::string> paths = Right_Meshes("ScanRef/Volumes/", "rv", {"Ant_Cup", "Post_Cup", "Lat_Cup"});
  for (const char* duct : {"Ant", "Post", "Lat"}) {
    for (const char* section : {"Ut", "Duct", "Mid"}) {
      paths.push_back(std::string("ScanRef/Surfaces/rs_Sample_") + duct + "_Cup_" + section + ".stl");
    }
  }
  return paths;
}

const Unkept_Report kUnkeptReports[] = {
    {"Ostravel", {"Sample_PlusCor.morph"}, "Data/Sample/Sample_PlusCor_Extended.biomecha", true},
    {"Brindleck",
     Right_Meshes("ScanRef/Volumes/", "rv", {"Sa", "Sp", "Sl", "CC", "SC", "Ua", "Up", "Uc", "Aa", "Ap", "Al"}),
     "Data/Sample/Sample_R_Raw.volume", false},
    {"Tessafen", Right_Cupula_Meshes(), "Data/Sample/Sample_R_Raw.cupula", false},
};

// Signalled at any rename of the run, such a report is the earlier one or
// gone, never a report made without its inputs; no run ever renames a
// file to its name.
TEST(InterruptedRuns, AReportTheRunDoesNotKeepNeverTakesItsName) {
  SCDS_REQUIRE_STRACE();
  for (const Unkept_Report& unkept : kUnkeptReports) {
    SCOPED_TRACE(unkept.program);
    Temp_Dir prepared;
    scds_testing::Copy_Sample(prepared.path);
    if (unkept.after_quintarel) {
      ASSERT_EQ(scds_testing::Run_Program("Quintarel", prepared.path, Sample_Answers("Quintarel"), 120).status, 0);
    }
    for (const std::string& input : unkept.removed) fs::remove(prepared.path / "Data/Sample" / input);
    const std::string earlier = "an earlier report\n";
    scds_testing::Write_File(prepared.path / unkept.report, earlier);
    const std::string answers = Sample_Answers(unkept.program);

    Fresh_Copy plain(prepared.path);
    Trace_Request renames;
    renames.calls = kRenames;
    const scds_testing::Traced_Run whole = Run_Traced(unkept.program, plain.dir.path, answers, renames);
    ASSERT_EQ(whole.run.status, 0) << whole.run.output;
    EXPECT_FALSE(fs::exists(plain.dir.path / unkept.report));
    ASSERT_FALSE(whole.calls.empty());
    for (const Traced_Call& call : whole.calls) {
      ASSERT_EQ(call.strings.size(), 2u) << call.arguments;
      EXPECT_FALSE(call.strings[1].ends_with(unkept.report)) << call.arguments;
    }

    for (const Call_Point& point : Call_Points(whole.calls)) {
      SCOPED_TRACE(point.name + " " + std::to_string(point.when) + ": " + point.call.strings[1]);
      Fresh_Copy copy(prepared.path);
      const scds_testing::Traced_Run run = Signal_At(unkept.program, copy.dir.path, answers, renames, point);
      EXPECT_EQ(run.run.signal, SIGINT);
      const fs::path report = copy.dir.path / unkept.report;
      if (fs::exists(report)) {
        EXPECT_EQ(Read_File(report), earlier);
      }
      EXPECT_EQ(Temporary_Files(copy.dir.path), std::vector<std::string>{});
    }
  }
}

// Quintarel on both sides consumes each set's two raw vector files once
// the set's results are written. Signalled at any removal of the run, each
// set keeps both of its files or neither.
TEST(InterruptedRuns, BothRawVectorFilesOfASetGoTogether) {
  SCDS_REQUIRE_STRACE();
  Temp_Dir prepared;
  scds_testing::Copy_Sample(prepared.path);
  const std::string answers = Sample_Answers("Quintarel");
  Fresh_Copy plain(prepared.path);
  Trace_Request removals;
  removals.calls = kRemovals;
  const scds_testing::Traced_Run whole = Run_Traced("Quintarel", plain.dir.path, answers, removals);
  ASSERT_EQ(whole.run.status, 0) << whole.run.output;
  ASSERT_FALSE(whole.calls.empty());

  for (const Call_Point& point : Call_Points(whole.calls)) {
    SCOPED_TRACE(point.name + " " + std::to_string(point.when) + ": " + point.call.arguments);
    Fresh_Copy copy(prepared.path);
    const scds_testing::Traced_Run run = Signal_At("Quintarel", copy.dir.path, answers, removals, point);
    EXPECT_EQ(run.run.signal, SIGINT);
    for (const char* set : {"Cor", "PlusCor", "MinusCor"}) {
      const fs::path right = copy.dir.path / (std::string("Data/Sample/Sample_R_") + set + ".rawvector");
      const fs::path left = copy.dir.path / (std::string("Data/Sample/Sample_L_") + set + ".rawvector");
      EXPECT_EQ(fs::exists(right), fs::exists(left)) << set;
    }
    EXPECT_EQ(Temporary_Files(copy.dir.path), std::vector<std::string>{});
  }
}

// A run with inputs that cannot be read, and what the work folder needs
// beyond the sample species.
struct Failing_Run {
  std::string program;
  std::string answers;
  std::vector<std::string> removed;  // inputs taken out of the sample
  bool identity_matrix = false;      // Saxmorrow's vestibular matrix
};

const std::string kIdentity =
    "1.000000\t0.000000\t0.000000\n0.000000\t1.000000\t0.000000\n0.000000\t0.000000\t1.000000";

const Failing_Run kFailingRuns[] = {
    {"Quintarel", "Sample\n1\n3\nx\n", {"Sample_R_PlusCor.rawvector"}, false},
    {"Brindleck",
     "Sample\n1\n1\n3\nx\n",
     {"ScanRef/Volumes/rv_Sample_Sa.stl", "ScanRef/Volumes/rv_Sample_CC.stl", "ScanRef/Volumes/lv_Sample_Ua.stl"},
     false},
    {"Saxmorrow", "Sample\n1\nnone\n1\n1\nnone_either\n1\n2\nx\n", {}, true},
};

void Prepare_Failing(const Failing_Run& failing, const fs::path& work) {
  scds_testing::Copy_Sample(work);
  for (const std::string& input : failing.removed) fs::remove(work / "Data/Sample" / input);
  if (failing.identity_matrix) scds_testing::Write_File(work / "Data/Sample/Matrix/Sample.transmat", kIdentity);
  scds_testing::Write_File(work / "Data/Sample/Sample.errorlog", "Earlier Errors:\n\nkept\n\n");
}

// Signalled right after the console showed a message, at each message's
// write, the run has put the message into the species log too.
TEST(InterruptedRuns, WhatTheConsoleShowedIsInTheLog) {
  SCDS_REQUIRE_STRACE();
  for (const Failing_Run& failing : kFailingRuns) {
    SCOPED_TRACE(failing.program);
    Temp_Dir prepared;
    Prepare_Failing(failing, prepared.path);
    Fresh_Copy plain(prepared.path);
    Trace_Request writes;
    writes.calls = "write";
    writes.console = true;
    const scds_testing::Traced_Run whole = Run_Traced(failing.program, plain.dir.path, failing.answers, writes);
    ASSERT_EQ(whole.run.status, 0) << whole.run.output;

    int messages = 0;
    for (const Call_Point& point : Call_Points(whole.calls)) {
      if (point.call.strings.empty() || !point.call.strings[0].starts_with("\nImpossible to read ")) continue;
      ++messages;
      SCOPED_TRACE("write " + std::to_string(point.when) + ": " + point.call.strings[0]);
      Fresh_Copy copy(prepared.path);
      const scds_testing::Traced_Run run = Signal_At(failing.program, copy.dir.path, failing.answers, writes, point);
      EXPECT_EQ(run.run.signal, SIGINT);
      const std::vector<std::string> shown = Read_Failures(run.run.output);
      ASSERT_FALSE(shown.empty()) << run.run.output;
      EXPECT_TRUE(run.run.output.ends_with(shown.back())) << run.run.output;
      const std::string log = Read_File(copy.dir.path / "Data/Sample/Sample.errorlog");
      for (const std::string& message : shown) EXPECT_NE(log.find(message), std::string::npos) << message << log;
      EXPECT_EQ(Temporary_Files(copy.dir.path), std::vector<std::string>{});
    }
    EXPECT_GT(messages, 0);
  }
}

// The temporary files a run creates, as the run names them ("./" and the
// path in the work folder), each with the number of times it is created.
std::vector<std::pair<std::string, int>> Created_Temporary_Files(const std::vector<Traced_Call>& openats) {
  std::vector<std::pair<std::string, int>> created;
  for (const Traced_Call& call : openats) {
    if (call.strings.empty() || call.arguments.find("O_EXCL") == std::string::npos) continue;
    const std::string name = call.strings[0];
    const std::string file = fs::path(name).filename().string();
    if (!name.starts_with("./") || !(file.ends_with(".partial") || file.find("_temp") != std::string::npos)) continue;
    auto found = std::find_if(created.begin(), created.end(), [&](const auto& seen) { return seen.first == name; });
    if (found == created.end()) {
      created.emplace_back(name, 1);
    } else {
      ++found->second;
    }
  }
  return created;
}

// Signalled at the very call that creates an output's temporary file or
// the temporary log, the run has recorded that file for its cleanup before
// the signal is handled: none is left, and what the console showed is in
// the species log.
TEST(InterruptedRuns, ASignalAtTheCreationOfATemporaryFileFindsItRecorded) {
  SCDS_REQUIRE_STRACE();
  for (const Failing_Run& failing : {kFailingRuns[0], kFailingRuns[1]}) {
    SCOPED_TRACE(failing.program);
    Temp_Dir prepared;
    Prepare_Failing(failing, prepared.path);
    Fresh_Copy plain(prepared.path);
    Trace_Request openats;
    openats.calls = "openat";
    const scds_testing::Traced_Run whole = Run_Traced(failing.program, plain.dir.path, failing.answers, openats);
    ASSERT_EQ(whole.run.status, 0) << whole.run.output;
    const auto created = Created_Temporary_Files(whole.calls);
    // Both kinds: the outputs' and the log's.
    ASSERT_TRUE(std::any_of(created.begin(), created.end(), [](const auto& c) { return c.first.ends_with(".partial"); }));
    ASSERT_TRUE(std::any_of(created.begin(), created.end(), [](const auto& c) { return c.first.ends_with(".errorlog"); }));

    for (const auto& [name, times] : created) {
      for (int when = 1; when <= times; ++when) {
        SCOPED_TRACE(name + " #" + std::to_string(when));
        Fresh_Copy copy(prepared.path);
        Trace_Request at_creation;
        at_creation.calls = "openat";
        at_creation.paths = {name.substr(2)};
        at_creation.at = "openat";
        at_creation.when = when;
        at_creation.signal = SIGINT;
        const scds_testing::Traced_Run run = Run_Traced(failing.program, copy.dir.path, failing.answers, at_creation);
        EXPECT_EQ(run.run.signal, SIGINT);
        // The signal came at that creation, which made the file.
        ASSERT_FALSE(run.calls.empty());
        EXPECT_NE(run.calls.back().arguments.find("O_EXCL"), std::string::npos) << run.calls.back().arguments;
        EXPECT_FALSE(run.calls.back().result.starts_with("-1")) << run.calls.back().result;
        EXPECT_EQ(Temporary_Files(copy.dir.path), std::vector<std::string>{});
        const std::string log = Read_File(copy.dir.path / "Data/Sample/Sample.errorlog");
        for (const std::string& message : Read_Failures(run.run.output)) {
          EXPECT_NE(log.find(message), std::string::npos) << message << log;
        }
      }
    }
  }
}

// Signalled while the run itself appends its block to the species log (at
// its write there), the run's merge is finished first and the handler then
// finds nothing more to merge: the block is in the species log once, whole.
TEST(InterruptedRuns, ASignalDuringTheMergeMergesTheBlockOnce) {
  SCDS_REQUIRE_STRACE();
  const Failing_Run& saxmorrow = kFailingRuns[2];
  Temp_Dir prepared;
  Prepare_Failing(saxmorrow, prepared.path);
  Fresh_Copy plain(prepared.path);
  Trace_Request appends;
  appends.calls = "write";
  appends.paths = {"Data/Sample/Sample.errorlog"};
  const scds_testing::Traced_Run whole = Run_Traced("Saxmorrow", plain.dir.path, saxmorrow.answers, appends);
  ASSERT_EQ(whole.run.status, 0) << whole.run.output;
  const std::string merged = Read_File(plain.dir.path / "Data/Sample/Sample.errorlog");
  ASSERT_NE(merged, Read_File(prepared.path / "Data/Sample/Sample.errorlog"));

  // The run's writes into the species log.
  ASSERT_FALSE(whole.calls.empty());
  for (const Call_Point& point : Call_Points(whole.calls)) {
    SCOPED_TRACE("write " + std::to_string(point.when));
    Fresh_Copy copy(prepared.path);
    const scds_testing::Traced_Run run = Signal_At("Saxmorrow", copy.dir.path, saxmorrow.answers, appends, point);
    EXPECT_EQ(run.run.signal, SIGINT);
    EXPECT_EQ(Read_File(copy.dir.path / "Data/Sample/Sample.errorlog"), merged);
    EXPECT_EQ(Temporary_Files(copy.dir.path), std::vector<std::string>{});
  }
}

}  // namespace
