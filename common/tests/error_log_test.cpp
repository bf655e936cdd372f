#include "error_log.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <sstream>

#include "byte_source.h"
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

// One cycle with the given messages, closed the way of every program
// (close_block) or of Brindleck.
void Run_Cycle(const std::filesystem::path& work, int messages, bool close_block, std::ostream& out) {
  scds::Error_Log log;
  scds::Error_Log_Open(log, out, work, "Sp", scds::Error_Log_Temp_File_Path("Sp"), "Tessafen Errors:\n",
                       close_block);
  EXPECT_TRUE(log.active);
  EXPECT_EQ(log.line_count_B, 1);
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
            "Older block\nTessafen Errors:\n" + kMessage + kMessage + "\n" + "Tessafen Errors:\n" + kMessage);
  EXPECT_EQ(out.str(), kMessage + kMessage + kMessage);
}

TEST(ErrorLogMerge, AMissingSpeciesLogIsCreatedAndLongLinesCopiedWhole) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  const std::string long_message = "\nImpossible to read " + std::string(600, 'p') + "\nVerify.\n";
  std::ostringstream out;
  scds::Error_Log log;
  scds::Error_Log_Open(log, out, dir.path, "Sp", scds::Error_Log_Temp_File_Path_R("Sp"), "Brindleck Errors:\n", false);
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
  scds::Error_Log_Open(log, out, dir.path, "Sp", scds::Error_Log_Temp_File_Path("Sp"), "Quintarel Errors:\n", true);
  EXPECT_FALSE(log.active);
  scds::Error_Log_Report(log, out, kMessage);
  scds::Error_Log_Merge(log, out);
  EXPECT_EQ(out.str(),
            "\nImpossible to write Data/Sp/Sp_temp.errorlog\nVerify the species name and that its folder exists.\n" +
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
                             "exists.\n");
    EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp_unmerged.errorlog"), "Tessafen Errors:\n" + kMessage + "\n");
    EXPECT_FALSE(Exists(nowhere));
  }
}

// Whatever stands at the temporary log's name is removed, never followed or
// waited on: a link to a file elsewhere keeps its bytes, a FIFO holds
// nothing up.
TEST(ErrorLogMerge, TheTemporaryLogIsMadeAfresh) {
  for (bool fifo : {false, true}) {
    SCOPED_TRACE(fifo ? "a FIFO" : "a link");
    Temp_Dir dir;
    Temp_Dir elsewhere;
    scds_testing::Make_Species_Folder(dir.path, "Sp");
    const std::filesystem::path temp = dir.path / "Data/Sp/Sp_temp.errorlog";
    Write_File(elsewhere.path / "victim.txt", "victim bytes\n");
    if (fifo) {
      scds_testing::Make_Fifo(temp);
    } else {
      std::filesystem::create_symlink(elsewhere.path / "victim.txt", temp);
    }
    std::ostringstream out;
    alarm(20);
    Run_Cycle(dir.path, 1, true, out);
    alarm(0);
    EXPECT_EQ(out.str(), kMessage);
    EXPECT_EQ(Read_File(elsewhere.path / "victim.txt"), "victim bytes\n");
    EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp.errorlog"), "Tessafen Errors:\n" + kMessage + "\n");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(temp)));
  }
  // A folder there: the log cannot be made, as when its folder is missing.
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  std::filesystem::create_directory(dir.path / "Data/Sp/Sp_temp.errorlog");
  std::ostringstream out;
  scds::Error_Log log;
  scds::Error_Log_Open(log, out, dir.path, "Sp", scds::Error_Log_Temp_File_Path("Sp"), "Tessafen Errors:\n", true);
  EXPECT_FALSE(log.active);
  EXPECT_EQ(out.str(),
            "\nImpossible to write Data/Sp/Sp_temp.errorlog\nVerify the species name and that its folder exists.\n");
  EXPECT_TRUE(std::filesystem::is_directory(dir.path / "Data/Sp/Sp_temp.errorlog"));
}

// A temporary log whose writing failed during the run (no file may grow
// beyond 1000 bytes while a 5000-byte message goes in) is said on the
// console when it is closed; what it holds is merged as usual.
TEST(ErrorLogMerge, ATemporaryLogThatMissesTextIsSaid) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  const std::string message = "\n" + std::string(5000, 'm') + "\n";
  std::ostringstream out;
  scds::Error_Log log;
  scds::Error_Log_Open(log, out, dir.path, "Sp", scds::Error_Log_Temp_File_Path("Sp"), "Tessafen Errors:\n", true);
  {
    scds_testing::File_Size_Limit full(1000);
    scds::Error_Log_Report(log, out, message);
  }
  EXPECT_TRUE(log.write_failed);
  scds::Error_Log_Merge(log, out);
  EXPECT_EQ(out.str(),
            message + "\nImpossible to write Data/Sp/Sp_temp.errorlog\nVerify that its folder exists and has room.\n");
  EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp.errorlog"), "Tessafen Errors:\n" + message.substr(0, 1000 - 17) + "\n");
  EXPECT_FALSE(Exists(dir.path / "Data/Sp/Sp_temp.errorlog"));
}

// A species log that the disk cannot take the block into (no file may grow
// beyond 8192 bytes, and it holds 8100) keeps its earlier bytes exactly,
// not a torn block: the block goes whole to the unmerged log. When that
// cannot take it either, it keeps its earlier bytes too.
TEST(ErrorLogMerge, AnAppendThatFailsPartWayIsCutBack) {
  const std::string message = "\nImpossible to read Data/Sp/" + std::string(200, 'x') + ".stl\nVerify.\n";
  const std::string block = "Tessafen Errors:\n" + message + "\n";
  const std::string earlier = std::string(8099, 'e') + "\n";
  const std::string cannot_species =
      "\nImpossible to write Data/Sp/Sp.errorlog\nVerify the species name and that its folder exists.\n";
  const std::string cannot_unmerged =
      "\nImpossible to write Data/Sp/Sp_unmerged.errorlog\nVerify the species name and that its folder exists.\n";
  for (bool unmerged_full : {false, true}) {
    SCOPED_TRACE(unmerged_full ? "the unmerged log is full too" : "the unmerged log takes it");
    Temp_Dir dir;
    scds_testing::Make_Species_Folder(dir.path, "Sp");
    Write_File(dir.path / "Data/Sp/Sp.errorlog", earlier);
    if (unmerged_full) Write_File(dir.path / "Data/Sp/Sp_unmerged.errorlog", earlier);
    std::ostringstream out;
    scds::Error_Log log;
    scds::Error_Log_Open(log, out, dir.path, "Sp", scds::Error_Log_Temp_File_Path("Sp"), "Tessafen Errors:\n", true);
    scds::Error_Log_Report(log, out, message);
    {
      scds_testing::File_Size_Limit full(8192);
      scds::Error_Log_Merge(log, out);
    }
    EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp.errorlog"), earlier);
    EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp_unmerged.errorlog"), unmerged_full ? earlier : block);
    EXPECT_EQ(out.str(), message + cannot_species + (unmerged_full ? cannot_unmerged : ""));
    EXPECT_FALSE(Exists(dir.path / "Data/Sp/Sp_temp.errorlog"));
  }
}

}  // namespace
