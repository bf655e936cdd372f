#include "error_log.h"

#include <gtest/gtest.h>

#include <linux/fs.h>
#include <unistd.h>

#include <sstream>

#include "byte_source.h"
#include "file_flags.h"
#include "paths.h"
#include "scds_testing.h"

namespace {

using scds_testing::Exists;
using scds_testing::Read_File;
using scds_testing::Temp_Dir;
using scds_testing::Write_File;

struct Count_Case {
  const char* text;
  std::size_t skip;  // bytes read before counting
  std::int64_t lines;
};

TEST(LineCount, CountsLineFeedsAndAnUnfinishedLastLine) {
  const Count_Case cases[] = {
      {"", 0, 1},          {"one\n", 0, 1}, {"one\ntwo", 0, 2}, {"\n\n", 0, 2},
      {"a\nb\nc\n", 2, 2}, {"a\nb", 3, 1},  {"abc", 3, 1},
  };
  for (const Count_Case& c : cases) {
    Temp_Dir dir;
    Write_File(dir.path / "f.txt", c.text);
    scds::Byte_Source source;
    ASSERT_TRUE(scds::Source_Open(source, dir.path / "f.txt", 2));
    for (std::size_t k = 0; k < c.skip; ++k) {
      scds::Source_Peek(source);
      ++source.pos;
    }
    EXPECT_EQ(scds::Line_Count(source), c.lines) << c.text;
    scds::Source_Close(source);
  }
}

const std::string kMessage = "\nImpossible to read Data/Sp/x.stl\nVerify STL file name.\n";

// One cycle of Tessafen with the given messages, closed the way of every
// program (close_block), or one of Brindleck.
void Run_Cycle(const std::filesystem::path& work, int messages, bool close_block, std::ostream& out) {
  scds::Error_Log log;
  scds::Error_Log_Open(log, out, work, "Sp", scds::Error_Log_Temp_File_Path("Sp"),
                       close_block ? scds::Program::Tessafen : scds::Program::Brindleck);
  EXPECT_GE(log.fd, 0);
  EXPECT_EQ(Read_File(work / "Data/Sp/Sp_temp.errorlog"), close_block ? "Tessafen Errors:\n" : "Brindleck Errors:\n");
  for (int k = 0; k < messages; ++k) scds::Error_Log_Report(log, out, kMessage);
  scds::Error_Log_Merge(log, out);
  EXPECT_FALSE(Exists(work / "Data/Sp/Sp_temp.errorlog"));
}

TEST(ErrorLogMerge, NoFailureLeavesTheSpeciesLogUntouched) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  std::ostringstream out;
  Run_Cycle(dir.path, 0, false, out);
  EXPECT_FALSE(Exists(dir.path / "Data/Sp/Sp.errorlog"));
  EXPECT_EQ(out.str(), "");
}

TEST(ErrorLogMerge, FailuresAreAppendedWithOrWithoutTheEmptyLine) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  Write_File(dir.path / "Data/Sp/Sp.errorlog", "Older block\n");
  std::ostringstream out;
  Run_Cycle(dir.path, 2, true, out);    // a right pass with its empty line
  Run_Cycle(dir.path, 1, false, out);   // a pass without one (Brindleck's rule)
  EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp.errorlog"),
            "Older block\nTessafen Errors:\n" + kMessage + kMessage + "\n" + "Brindleck Errors:\n" + kMessage);
  EXPECT_EQ(out.str(), kMessage + kMessage + kMessage);
}

TEST(ErrorLogMerge, AMissingSpeciesLogIsCreatedAndLongLinesCopiedWhole) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  const std::string long_message = "\nImpossible to read " + std::string(600, 'p') + "\nVerify.\n";
  std::ostringstream out;
  scds::Error_Log log;
  scds::Error_Log_Open(log, out, dir.path, "Sp", scds::Error_Log_Temp_File_Path_R("Sp"), scds::Program::Brindleck);
  scds::Error_Log_Report(log, out, long_message);
  scds::Error_Log_Merge(log, out);
  EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp.errorlog"), "Brindleck Errors:\n" + long_message);
}

// The closing empty line follows a block that holds any message, and only
// such a block: one without a message leaves the species log untouched.
TEST(ErrorLogMerge, TheEmptyLineClosesOnlyABlockThatHoldsAMessage) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  std::ostringstream out;
  Run_Cycle(dir.path, 0, true, out);
  EXPECT_FALSE(Exists(dir.path / "Data/Sp/Sp.errorlog"));
  Run_Cycle(dir.path, 1, true, out);
  EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp.errorlog"), "Tessafen Errors:\n" + kMessage + "\n");
}

TEST(ErrorLogMerge, AMissingSpeciesFolderIsReportedOnTheConsoleOnly) {
  Temp_Dir dir;
  std::ostringstream out;
  scds::Error_Log log;
  scds::Error_Log_Open(log, out, dir.path, "Sp", scds::Error_Log_Temp_File_Path("Sp"), scds::Program::Quintarel);
  EXPECT_LT(log.fd, 0);
  scds::Error_Log_Report(log, out, kMessage);
  scds::Error_Log_Merge(log, out);
  EXPECT_EQ(out.str(),
            "\nImpossible to write Data/Sp/Sp_temp.errorlog\nVerify the species name and that its folder exists.\n"
            "The messages go to this console only.\n" +
                kMessage);
  EXPECT_FALSE(Exists(dir.path / "Data"));
}

// A species log that is not a regular file (a folder, a FIFO that would
// hold the run forever, a device, a link that leads nowhere) cannot take
// the block: it goes to the unmerged log, and nothing is written where the
// dangling link leads.
TEST(ErrorLogMerge, ASpeciesLogThatCannotBeAppendedGoesToTheUnmergedLog) {
  for (int kind = 0; kind < 4; ++kind) {
    SCOPED_TRACE(kind);
    Temp_Dir dir;
    scds_testing::Make_Species_Folder(dir.path, "Sp");
    const std::filesystem::path species_log = dir.path / "Data/Sp/Sp.errorlog";
    const std::filesystem::path nowhere = dir.path / "nowhere.txt";
    if (kind == 0) std::filesystem::create_directory(species_log);
    if (kind == 1) scds_testing::Make_Fifo(species_log);
    if (kind == 2) std::filesystem::create_symlink("/dev/null", species_log);
    if (kind == 3) std::filesystem::create_symlink(nowhere, species_log);
    std::ostringstream out;
    alarm(20);
    Run_Cycle(dir.path, 1, true, out);
    alarm(0);
    EXPECT_EQ(out.str(), kMessage +
                             "\nImpossible to write Data/Sp/Sp.errorlog\nVerify the species name and that its folder "
                             "exists.\nThe messages went to Data/Sp/Sp_unmerged.errorlog instead.\n");
    EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp_unmerged.errorlog"), "Tessafen Errors:\n" + kMessage + "\n");
    EXPECT_FALSE(Exists(nowhere));
  }
}

// Whatever stands at the temporary log's name that is no log of an earlier
// run is removed, never followed, waited on or merged: a link to a file
// elsewhere keeps its bytes, a FIFO holds nothing up, a hard link (even to
// a log of a run) is a file of another name too, a file that does not
// begin with one of the suite's title lines is no log of a run.
TEST(ErrorLogMerge, TheTemporaryLogIsMadeAfresh) {
  for (const char* kind :
       {"a link", "a FIFO", "a hard link", "a hard link to a log of a run", "a file without a title line"}) {
    SCOPED_TRACE(kind);
    Temp_Dir dir;
    Temp_Dir elsewhere;
    scds_testing::Make_Species_Folder(dir.path, "Sp");
    const std::filesystem::path temp = dir.path / "Data/Sp/Sp_temp.errorlog";
    const std::string victim =
        kind == std::string("a hard link to a log of a run") ? "Saxmorrow Errors:\n" + kMessage + "\n" : "victim bytes\nand more\n";
    Write_File(elsewhere.path / "victim.txt", victim);
    if (kind == std::string("a FIFO")) {
      scds_testing::Make_Fifo(temp);
    } else if (kind == std::string("a file without a title line")) {
      constexpr char bytes[] = "\x7f\x01\xfe binary\0bytes\nTessafen Errors:\n\nno log\n";
      Write_File(temp, std::string(bytes, sizeof bytes - 1));
    } else if (kind == std::string("a link")) {
      std::filesystem::create_symlink(elsewhere.path / "victim.txt", temp);
    } else {
      std::filesystem::create_hard_link(elsewhere.path / "victim.txt", temp);
    }
    std::ostringstream out;
    alarm(20);
    Run_Cycle(dir.path, 1, true, out);
    alarm(0);
    EXPECT_EQ(out.str(), kMessage);
    EXPECT_EQ(Read_File(elsewhere.path / "victim.txt"), victim);
    EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp.errorlog"), "Tessafen Errors:\n" + kMessage + "\n");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(temp)));
  }
  // A folder there: the log cannot be made, as when its folder is missing.
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  std::filesystem::create_directory(dir.path / "Data/Sp/Sp_temp.errorlog");
  std::ostringstream out;
  scds::Error_Log log;
  scds::Error_Log_Open(log, out, dir.path, "Sp", scds::Error_Log_Temp_File_Path("Sp"), scds::Program::Tessafen);
  EXPECT_LT(log.fd, 0);
  EXPECT_EQ(out.str(),
            "\nImpossible to write Data/Sp/Sp_temp.errorlog\nVerify the species name and that its folder exists.\n"
            "The messages go to this console only.\n");
  EXPECT_TRUE(std::filesystem::is_directory(dir.path / "Data/Sp/Sp_temp.errorlog"));
}

const std::string kCannotSpecies =
    "\nImpossible to write Data/Sp/Sp.errorlog\nVerify the species name and that its folder exists.\n";
const std::string kCannotUnmerged =
    "\nImpossible to write Data/Sp/Sp_unmerged.errorlog\nVerify the species name and that its folder exists.\n";
const std::string kWentUnmerged = "The messages went to Data/Sp/Sp_unmerged.errorlog instead.\n";
const std::string kKept =
    "The messages stay in Data/Sp/Sp_temp.errorlog: the next run that writes that file merges them first.\n";
const std::string kMergedFirst =
    "\nData/Sp/Sp_temp.errorlog holds messages an earlier run or side did not merge: they are merged first.\n";
const std::string kMissed =
    "\nImpossible to write Data/Sp/Sp_temp.errorlog\nVerify that its folder exists and has room.\nThe messages it "
    "could not take are on this console only.\n";

// A Tessafen cycle on Sp's temporary log that has reported `message`.
void Open_With_Message(scds::Error_Log& log, std::ostream& out, const std::filesystem::path& work,
                       const std::string& message) {
  scds::Error_Log_Open(log, out, work, "Sp", scds::Error_Log_Temp_File_Path("Sp"), scds::Program::Tessafen);
  scds::Error_Log_Report(log, out, message);
}

// A message the temporary log cannot take whole (no file may grow beyond
// 1000 bytes) is cut off again, whatever its first byte, and the log
// takes no later message, not even one that would fit: the block is
// merged up to its last whole message and closed as a block is, and the
// console says which messages it lacks.
TEST(ErrorLogMerge, AMessageTheLogCannotTakeWholeIsCutOff) {
  const std::string large = "X" + std::string(2000, 'm') + "\n";
  for (bool close_block : {true, false}) {
    SCOPED_TRACE(close_block ? "a block with its empty line" : "Brindleck's block");
    Temp_Dir dir;
    scds_testing::Make_Species_Folder(dir.path, "Sp");
    std::ostringstream out;
    scds::Error_Log log;
    scds::Error_Log_Open(log, out, dir.path, "Sp", scds::Error_Log_Temp_File_Path("Sp"),
                         close_block ? scds::Program::Tessafen : scds::Program::Brindleck);
    const std::string title = close_block ? "Tessafen Errors:\n" : "Brindleck Errors:\n";
    {
      scds_testing::File_Size_Limit full(1000);
      scds::Error_Log_Report(log, out, kMessage);
      scds::Error_Log_Report(log, out, large);
      scds::Error_Log_Report(log, out, "\nshort\n");
    }
    EXPECT_TRUE(log.missed);
    const std::string closing = close_block ? "\n" : "";
    EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp_temp.errorlog"), title + kMessage + closing);
    scds::Error_Log_Merge(log, out);
    EXPECT_EQ(out.str(), kMessage + large + "\nshort\n" + kMissed);
    EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp.errorlog"), title + kMessage + closing);
    EXPECT_FALSE(Exists(dir.path / "Data/Sp/Sp_temp.errorlog"));
  }
}

// A block whose first message already could not be taken holds its title
// alone: nothing is merged, and the console says the log lacks messages.
TEST(ErrorLogMerge, ABlockWithoutAWholeMessageIsNotMerged) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  const std::string message = "\n" + std::string(5000, 'm') + "\n";
  std::ostringstream out;
  scds::Error_Log log;
  scds::Error_Log_Open(log, out, dir.path, "Sp", scds::Error_Log_Temp_File_Path("Sp"), scds::Program::Tessafen);
  {
    scds_testing::File_Size_Limit full(1000);
    scds::Error_Log_Report(log, out, message);
  }
  scds::Error_Log_Merge(log, out);
  EXPECT_EQ(out.str(), message + kMissed);
  EXPECT_FALSE(Exists(dir.path / "Data/Sp/Sp.errorlog"));
  EXPECT_FALSE(Exists(dir.path / "Data/Sp/Sp_temp.errorlog"));
}

// A species log that the disk cannot take the block into (no file may grow
// beyond 8192 bytes, and it holds 8100) keeps its earlier bytes exactly,
// not a torn block: the block goes whole to the unmerged log, and the
// console names it. When that cannot take it either, it keeps its earlier
// bytes too, and the block stays whole at the temporary log's name, which
// the console names.
TEST(ErrorLogMerge, AnAppendThatFailsPartWayIsCutBack) {
  const std::string message = "\nImpossible to read Data/Sp/" + std::string(200, 'x') + ".stl\nVerify.\n";
  const std::string block = "Tessafen Errors:\n" + message + "\n";
  const std::string earlier = std::string(8099, 'e') + "\n";
  for (bool unmerged_full : {false, true}) {
    SCOPED_TRACE(unmerged_full ? "the unmerged log is full too" : "the unmerged log takes it");
    Temp_Dir dir;
    scds_testing::Make_Species_Folder(dir.path, "Sp");
    Write_File(dir.path / "Data/Sp/Sp.errorlog", earlier);
    if (unmerged_full) Write_File(dir.path / "Data/Sp/Sp_unmerged.errorlog", earlier);
    std::ostringstream out;
    scds::Error_Log log;
    Open_With_Message(log, out, dir.path, message);
    {
      scds_testing::File_Size_Limit full(8192);
      scds::Error_Log_Merge(log, out);
    }
    EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp.errorlog"), earlier);
    EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp_unmerged.errorlog"), unmerged_full ? earlier : block);
    EXPECT_EQ(out.str(), message + kCannotSpecies + (unmerged_full ? kCannotUnmerged + kKept : kWentUnmerged));
    EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp_temp.errorlog"),
              unmerged_full ? block : "<missing Sp_temp.errorlog>");
  }
}

// Logs that a merge made and could not write are removed again: a merge
// that fails leaves the species folder as it was, but for the block kept
// at the temporary log's name.
TEST(ErrorLogMerge, ALogTheMergeCouldNotWriteIsNotLeftEmpty) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  const std::string message = "\n" + std::string(3000, 'm') + "\n";
  std::ostringstream out;
  scds::Error_Log log;
  Open_With_Message(log, out, dir.path, message);
  {
    scds_testing::File_Size_Limit full(1000);
    scds::Error_Log_Merge(log, out);
  }
  EXPECT_EQ(out.str(), message + kCannotSpecies + kCannotUnmerged + kKept);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(dir.path / "Data/Sp/Sp.errorlog")));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(dir.path / "Data/Sp/Sp_unmerged.errorlog")));
  EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp_temp.errorlog"), "Tessafen Errors:\n" + message + "\n");
}

// A block kept at the temporary log's name is merged by the next cycle
// that opens that name, first and as a block of its own. While neither log
// can take it, it is never overwritten: the next block follows it in the
// same file, and both are merged together once a log can take them.
TEST(ErrorLogMerge, AKeptBlockIsMergedByTheNextCycle) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  const std::filesystem::path species_log = dir.path / "Data/Sp/Sp.errorlog";
  const std::filesystem::path unmerged_log = dir.path / "Data/Sp/Sp_unmerged.errorlog";
  const std::filesystem::path temp = dir.path / "Data/Sp/Sp_temp.errorlog";
  const std::string first = "Quintarel Errors:\n" + kMessage + "\n";
  const std::string second = "Saxmorrow Errors:\n\nsecond\n\n";
  std::filesystem::create_directory(species_log);
  std::filesystem::create_directory(unmerged_log);

  std::ostringstream out;
  scds::Error_Log log;
  scds::Error_Log_Open(log, out, dir.path, "Sp", scds::Error_Log_Temp_File_Path("Sp"), scds::Program::Quintarel);
  scds::Error_Log_Report(log, out, kMessage);
  scds::Error_Log_Merge(log, out);
  EXPECT_EQ(out.str(), kMessage + kCannotSpecies + kCannotUnmerged + kKept);
  EXPECT_EQ(Read_File(temp), first);

  // Neither log can take it yet: the next block follows it.
  std::ostringstream again;
  scds::Error_Log_Open(log, again, dir.path, "Sp", scds::Error_Log_Temp_File_Path("Sp"), scds::Program::Saxmorrow);
  EXPECT_GE(log.fd, 0);
  EXPECT_EQ(Read_File(temp), first);
  scds::Error_Log_Report(log, again, "\nsecond\n");
  EXPECT_EQ(Read_File(temp), first + second);
  scds::Error_Log_Merge(log, again);
  const std::string kept = kCannotSpecies + kCannotUnmerged + kKept;
  EXPECT_EQ(again.str(), kMergedFirst + kept + "\nsecond\n" + kept);
  EXPECT_EQ(Read_File(temp), first + second);

  // A cycle without a message, once the species log can take them, merges
  // both blocks and leaves no temporary log.
  std::filesystem::remove(species_log);
  std::ostringstream last;
  scds::Error_Log_Open(log, last, dir.path, "Sp", scds::Error_Log_Temp_File_Path("Sp"), scds::Program::Ostravel);
  scds::Error_Log_Merge(log, last);
  EXPECT_EQ(last.str(), kMergedFirst);
  EXPECT_EQ(Read_File(species_log), first + second);
  EXPECT_FALSE(Exists(temp));
}

// A kept block that the next cycle cannot merge when it opens is merged
// when it closes, once a log can take it, even when that cycle said
// nothing.
TEST(ErrorLogMerge, AKeptBlockIsMergedAtTheCloseOfACycleThatSaidNothing) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  const std::filesystem::path species_log = dir.path / "Data/Sp/Sp.errorlog";
  const std::filesystem::path temp = dir.path / "Data/Sp/Sp_temp.errorlog";
  const std::string kept_block = "Quintarel Errors:\n" + kMessage + "\n";
  std::filesystem::create_directory(species_log);
  std::filesystem::create_directory(dir.path / "Data/Sp/Sp_unmerged.errorlog");
  Write_File(temp, kept_block);
  std::ostringstream out;
  scds::Error_Log log;
  scds::Error_Log_Open(log, out, dir.path, "Sp", scds::Error_Log_Temp_File_Path("Sp"), scds::Program::Ostravel);
  std::filesystem::remove(species_log);
  scds::Error_Log_Merge(log, out);
  EXPECT_EQ(out.str(), kMergedFirst + kCannotSpecies + kCannotUnmerged + kKept);
  EXPECT_EQ(Read_File(species_log), kept_block);
  EXPECT_FALSE(Exists(temp));
}

// A folder that allows no removal while it lives: append-only for the
// superuser, without write permission for anyone else. `taken` tells
// whether it took.
struct No_Removal {
  std::filesystem::path folder;
  scds_testing::File_Flag append_only;
  bool taken;
  explicit No_Removal(const std::filesystem::path& marked)
      : folder(marked), append_only(marked, FS_APPEND_FL), taken(geteuid() != 0 || append_only.set) {
    if (geteuid() != 0) {
      std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }
  }
  ~No_Removal() {
    if (geteuid() != 0) std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
  }
};

// A temporary log that was merged but cannot be removed is emptied, so
// that the next cycle does not merge its block a second time.
TEST(ErrorLogMerge, AMergedLogThatCannotBeRemovedIsNotMergedAgain) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  const std::filesystem::path folder = dir.path / "Data/Sp";
  Write_File(folder / "Sp.errorlog", "");
  std::ostringstream out;
  scds::Error_Log log;
  Open_With_Message(log, out, dir.path, kMessage);
  {
    const No_Removal no_removal(folder);
    scds::Error_Log_Merge(log, out);
    if (!no_removal.taken) GTEST_SKIP() << "this file system keeps no append-only flag for the folder";
  }
  const std::string block = "Tessafen Errors:\n" + kMessage + "\n";
  EXPECT_EQ(Read_File(folder / "Sp.errorlog"), block);
  EXPECT_EQ(Read_File(folder / "Sp_temp.errorlog"), "");
  std::ostringstream next;
  scds::Error_Log_Open(log, next, dir.path, "Sp", scds::Error_Log_Temp_File_Path("Sp"), scds::Program::Quintarel);
  scds::Error_Log_Merge(log, next);
  EXPECT_EQ(next.str(), "");
  EXPECT_EQ(Read_File(folder / "Sp.errorlog"), block);
  EXPECT_FALSE(Exists(folder / "Sp_temp.errorlog"));
}

// In a folder that allows no removal, an empty file at the temporary log's
// name (the emptied log a merge leaves there) is taken as the cycle's log,
// cycle after cycle: each block is merged once, and no message goes to the
// console only.
TEST(ErrorLogMerge, AnEmptiedLogThatCannotBeRemovedIsTheNextCyclesLog) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  const std::filesystem::path folder = dir.path / "Data/Sp";
  Write_File(folder / "Sp.errorlog", "");
  Write_File(folder / "Sp_temp.errorlog", "");
  const No_Removal no_removal(folder);
  if (!no_removal.taken) GTEST_SKIP() << "this file system keeps no append-only flag for the folder";
  std::string merged;
  for (const char* title : {"Quintarel", "Saxmorrow", "Ostravel"}) {
    SCOPED_TRACE(title);
    const std::string message = std::string("\nfrom ") + title + "\n";
    std::ostringstream out;
    scds::Error_Log log;
    Open_With_Message(log, out, dir.path, message);
    scds::Error_Log_Merge(log, out);
    EXPECT_EQ(out.str(), message);
    merged += "Tessafen Errors:\n" + message + "\n";
    EXPECT_EQ(Read_File(folder / "Sp.errorlog"), merged);
    EXPECT_EQ(Read_File(folder / "Sp_temp.errorlog"), "");
  }
}

}  // namespace
