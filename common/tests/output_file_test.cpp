#include "output_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "scds_testing.h"

namespace {

namespace fs = std::filesystem;
using scds_testing::Exists;
using scds_testing::Read_File;
using scds_testing::Temp_Dir;
using scds_testing::Write_File;

// The earlier file stands until the new one is complete; then the new one
// takes its place and nothing is left beside it. A discarded output leaves
// the earlier file (or none) as it was.
TEST(OutputFile, TakesThePlaceOfTheEarlierFileOnlyWhenComplete) {
  for (bool earlier : {false, true}) {
    for (bool finished : {false, true}) {
      SCOPED_TRACE(std::string(earlier ? "an earlier file, " : "no earlier file, ") +
                   (finished ? "finished" : "discarded"));
      Temp_Dir dir;
      if (earlier) Write_File(dir.path / "m.txt", "older");
      const std::string before = earlier ? "older" : "<missing m.txt>";
      scds::Output_File file;
      ASSERT_TRUE(scds::Output_Create(file, dir.path, "m.txt"));
      EXPECT_EQ(file.path, "m.txt");
      EXPECT_EQ(file.full, dir.path / "m.txt");
      EXPECT_EQ(file.temp, dir.path / "m.txt.partial");
      scds::Output_Write(file, "newer");
      scds::Output_Write(file, " text");
      EXPECT_EQ(Read_File(dir.path / "m.txt"), before);
      if (finished) {
        EXPECT_TRUE(scds::Output_Finish(file));
      } else {
        scds::Output_Discard(file);
      }
      EXPECT_EQ(Read_File(dir.path / "m.txt"), finished ? "newer text" : before);
      EXPECT_FALSE(Exists(dir.path / "m.txt.partial"));
      scds::Output_Discard(file);  // nothing more happens
      EXPECT_EQ(Read_File(dir.path / "m.txt"), finished ? "newer text" : before);
    }
  }
}

// What a run killed while writing leaves beside the output is overwritten by
// the next one.
TEST(OutputFile, ATemporaryFileLeftByAnInterruptedRunIsOverwritten) {
  Temp_Dir dir;
  Write_File(dir.path / "m.txt", "older");
  Write_File(dir.path / "m.txt.partial", std::string(5000, 'x'));
  scds::Output_File file;
  ASSERT_TRUE(scds::Output_Create(file, dir.path, "m.txt"));
  scds::Output_Write(file, "new");
  EXPECT_TRUE(scds::Output_Finish(file));
  EXPECT_EQ(Read_File(dir.path / "m.txt"), "new");
  EXPECT_FALSE(Exists(dir.path / "m.txt.partial"));
}

TEST(OutputFile, OutputsThatCannotBeCreated) {
  Temp_Dir dir;
  scds::Output_File file;
  // No such folder.
  EXPECT_FALSE(scds::Output_Create(file, dir.path, "Data/Sp/none.txt"));
  EXPECT_FALSE(scds::Output_Finish(file));
  scds::Output_Discard(file);
  EXPECT_FALSE(Exists(dir.path / "Data"));
  // A folder stands at the output's place: nothing can take it, and no
  // temporary file is made.
  fs::create_directories(dir.path / "d.txt" / "inside");
  EXPECT_FALSE(scds::Output_Create(file, dir.path, "d.txt"));
  EXPECT_FALSE(Exists(dir.path / "d.txt.partial"));
  EXPECT_TRUE(Exists(dir.path / "d.txt" / "inside"));
  // A folder at the temporary name is not ours: it stays.
  fs::create_directory(dir.path / "t.txt.partial");
  EXPECT_FALSE(scds::Output_Create(file, dir.path, "t.txt"));
  scds::Output_Discard(file);
  EXPECT_TRUE(fs::is_directory(dir.path / "t.txt.partial"));
}

// A write that fails on the way (a full disk): the temporary file is
// removed and the earlier file stays.
TEST(OutputFile, AFailedWriteLeavesTheEarlierFile) {
  if (!Exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  for (std::size_t size : {std::size_t{10}, std::size_t{1} << 20}) {
    Temp_Dir dir;
    Write_File(dir.path / "m.txt", "older");
    fs::create_symlink("/dev/full", dir.path / "m.txt.partial");
    scds::Output_File file;
    ASSERT_TRUE(scds::Output_Create(file, dir.path, "m.txt"));
    scds::Output_Write(file, std::string(size, 'x'));
    EXPECT_FALSE(scds::Output_Finish(file)) << size;
    EXPECT_EQ(Read_File(dir.path / "m.txt"), "older") << size;
    EXPECT_FALSE(fs::is_symlink(dir.path / "m.txt.partial")) << size;
  }
}

}  // namespace
