#include "output_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
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

// A write that fails on the way (a full disk: no file may grow beyond 100
// bytes here), found when the text is flushed (10 bytes wait in the
// stream's buffer) or when it is written (1 MiB goes straight through): the
// temporary file is removed and the earlier file stays.
TEST(OutputFile, AFailedWriteLeavesTheEarlierFile) {
  for (std::size_t size : {std::size_t{200}, std::size_t{1} << 20}) {
    Temp_Dir dir;
    Write_File(dir.path / "m.txt", "older");
    scds::Output_File file;
    {
      scds_testing::File_Size_Limit full(100);
      ASSERT_TRUE(scds::Output_Create(file, dir.path, "m.txt"));
      scds::Output_Write(file, std::string(size, 'x'));
      EXPECT_EQ(file.failed, size > 4096) << size;
      EXPECT_FALSE(scds::Output_Finish(file)) << size;
    }
    EXPECT_EQ(Read_File(dir.path / "m.txt"), "older") << size;
    EXPECT_FALSE(Exists(dir.path / "m.txt.partial")) << size;
  }
}

// The write seam fails one output after the bytes it allows, as a full disk
// would, and no other.
TEST(OutputFile, TheWriteSeamFailsItsOutputOnly) {
  Temp_Dir dir;
  Write_File(dir.path / "m.txt", "older");
  scds::write_failure_seam = {dir.path / "m.txt", 3};
  scds::Output_File seamed;
  scds::Output_File other;
  ASSERT_TRUE(scds::Output_Create(seamed, dir.path, "m.txt"));
  ASSERT_TRUE(scds::Output_Create(other, dir.path, "n.txt"));
  scds::write_failure_seam = {};
  scds::Output_Write(seamed, "ab");
  EXPECT_FALSE(seamed.failed);
  scds::Output_Write(seamed, "cd");
  EXPECT_TRUE(seamed.failed);
  scds::Output_Write(other, "abcd");
  EXPECT_FALSE(scds::Output_Finish(seamed));
  EXPECT_TRUE(scds::Output_Finish(other));
  EXPECT_EQ(Read_File(dir.path / "m.txt"), "older");
  EXPECT_EQ(Read_File(dir.path / "n.txt"), "abcd");
  EXPECT_FALSE(Exists(dir.path / "m.txt.partial"));
}

// Another file put at the output's names while it is finished (by a racing
// run, say) is never taken for the output: one at the temporary name just
// before the rename (a file, a link to a file elsewhere, a FIFO) is neither
// renamed nor removed, and the earlier file stays; one at the output's place
// just after the rename makes the output fail. Each is reported as an
// output not written (false).
TEST(OutputFile, AnotherFileAtItsNamesIsNeverTakenForTheOutput) {
  struct Case {
    const char* name;
    char kind;  // 'f' a file, 'l' a link to a file elsewhere, 'p' a FIFO
    bool after_rename;
  };
  const Case cases[] = {
      {"a file at the temporary name", 'f', false},
      {"a link at the temporary name", 'l', false},
      {"a FIFO at the temporary name", 'p', false},
      {"a file at the output's place", 'f', true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Temp_Dir dir;
    Temp_Dir elsewhere;
    Write_File(dir.path / "m.txt", "older");
    Write_File(elsewhere.path / "victim.txt", "victim bytes");
    const fs::path swap_in = dir.path / "intruder";
    if (c.kind == 'f') Write_File(swap_in, "someone else's file");
    if (c.kind == 'l') fs::create_symlink(elsewhere.path / "victim.txt", swap_in);
    if (c.kind == 'p') scds_testing::Make_Fifo(swap_in);
    scds::Output_File file;
    ASSERT_TRUE(scds::Output_Create(file, dir.path, "m.txt"));
    scds::Output_Write(file, "newer text");
    scds::swap_seam = {dir.path / "m.txt", swap_in, c.after_rename};
    alarm(20);  // a FIFO taken for the output would hold the reads below
    EXPECT_FALSE(scds::Output_Finish(file));
    scds::swap_seam = {};
    const fs::path partial = dir.path / "m.txt.partial";
    if (c.after_rename) {
      EXPECT_EQ(Read_File(dir.path / "m.txt"), "someone else's file");
      EXPECT_FALSE(fs::exists(fs::symlink_status(partial)));
    } else {
      EXPECT_EQ(Read_File(dir.path / "m.txt"), "older");
      const fs::file_status left = fs::symlink_status(partial);
      EXPECT_EQ(left.type(), c.kind == 'f' ? fs::file_type::regular
                             : c.kind == 'l' ? fs::file_type::symlink
                                             : fs::file_type::fifo);
      if (c.kind == 'f') {
        EXPECT_EQ(Read_File(partial), "someone else's file");
      }
    }
    EXPECT_EQ(Read_File(elsewhere.path / "victim.txt"), "victim bytes");
    alarm(0);
  }
}

// Whatever someone left at the temporary name is removed, never followed or
// waited on: a link to a file elsewhere (whose bytes stay), a link that
// leads nowhere (nothing is made where it leads), a link to a device, a
// FIFO, a file. The output is a regular file of its own.
TEST(OutputFile, WhatStandsAtTheTemporaryNameIsNeverFollowed) {
  enum class Left { Link, Dangling, Device, Fifo, File };
  for (Left left : {Left::Link, Left::Dangling, Left::Device, Left::Fifo, Left::File}) {
    SCOPED_TRACE(static_cast<int>(left));
    Temp_Dir dir;
    Temp_Dir elsewhere;
    const fs::path victim = elsewhere.path / "victim.txt";
    const fs::path partial = dir.path / "m.txt.partial";
    if (left == Left::Link) Write_File(victim, "victim bytes");
    switch (left) {
      case Left::Link:
      case Left::Dangling:
        fs::create_symlink(victim, partial);
        break;
      case Left::Device:
        fs::create_symlink("/dev/null", partial);
        break;
      case Left::Fifo:
        scds_testing::Make_Fifo(partial);
        break;
      case Left::File:
        Write_File(partial, "left over");
        break;
    }
    alarm(20);  // a wait on the FIFO fails the test instead of holding it
    scds::Output_File file;
    ASSERT_TRUE(scds::Output_Create(file, dir.path, "m.txt"));
    scds::Output_Write(file, "new text");
    EXPECT_TRUE(scds::Output_Finish(file));
    alarm(0);
    EXPECT_EQ(Read_File(dir.path / "m.txt"), "new text");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir.path / "m.txt")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(partial)));
    if (left == Left::Link) {
      EXPECT_EQ(Read_File(victim), "victim bytes");
    }
    if (left == Left::Dangling) {
      EXPECT_FALSE(fs::exists(fs::symlink_status(victim)));
    }
  }
}

// Whole outputs and removals of earlier outputs, with what they say.
TEST(OutputFile, WholeOutputsSayTheirFailure) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  std::ostringstream out;
  scds::Error_Log log;
  scds::Error_Log_Open(log, out, dir.path, "Sp", "Data/Sp/Sp_temp.errorlog", scds::Program::Brindleck);
  EXPECT_TRUE(scds::Output_Write_Whole(dir.path, "Data/Sp/a.txt", "whole", log, out));
  EXPECT_EQ(Read_File(dir.path / "Data/Sp/a.txt"), "whole");
  EXPECT_FALSE(scds::Output_Write_Whole(dir.path, "Data/None/a.txt", "lost", log, out));
  const std::string said = "\nImpossible to write Data/None/a.txt\nVerify that its folder exists and has room.\n";
  EXPECT_EQ(out.str(), said);
  EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp_temp.errorlog"), "Brindleck Errors:\n" + said);
  scds::Error_Log_Merge(log, out);
}

struct Removal_Case {
  const char* what;
  bool file, link, folder;
};

TEST(OutputFile, RemovalOfAnEarlierOutput) {
  const Removal_Case cases[] = {
      {"nothing there", false, false, false},
      {"a file", true, false, false},
      {"a link (its target stays)", false, true, false},
      {"an empty folder (no output: it stays)", false, false, true},
  };
  for (const Removal_Case& c : cases) {
    SCOPED_TRACE(c.what);
    Temp_Dir dir;
    const fs::path place = dir.path / "r.txt";
    if (c.file) Write_File(place, "earlier");
    if (c.link) {
      Write_File(dir.path / "target.txt", "target");
      fs::create_symlink(dir.path / "target.txt", place);
    }
    if (c.folder) fs::create_directory(place);
    std::ostringstream out;
    scds::Error_Log log;
    EXPECT_FALSE(scds::Output_Remove_Earlier(dir.path, "r.txt", log, out));
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(fs::is_directory(fs::symlink_status(place)), c.folder);
    EXPECT_EQ(fs::exists(fs::symlink_status(place)), c.folder);
    if (c.link) {
      EXPECT_EQ(Read_File(dir.path / "target.txt"), "target");
    }
  }
  // A file nobody may remove, not even the system's administrator.
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  std::ostringstream out;
  scds::Error_Log log;
  scds::Error_Log_Open(log, out, dir.path, "Sp", "Data/Sp/Sp_temp.errorlog", scds::Program::Brindleck);
  EXPECT_TRUE(scds::Output_Remove_Earlier("/proc/self", "status", log, out));
  const std::string said = "\nImpossible to remove status\nAn earlier file of that name remains: remove it by hand.\n";
  EXPECT_EQ(out.str(), said);
  EXPECT_EQ(Read_File(dir.path / "Data/Sp/Sp_temp.errorlog"), "Brindleck Errors:\n" + said);
  scds::Error_Log_Merge(log, out);
}

struct Log_Case {
  const char* what;
  int kind;  // 0 regular, 1 link to a regular file, 2 missing, 3 dangling link, 4 FIFO, 5 folder, 6 link to a device
  bool opens;
};

// A log that stays is appended to only when it is a regular file (or a link
// to one); one that is missing is created, a dangling link never followed.
TEST(OutputFile, LogsThatStayAreAppendedOnlyWhenRegular) {
  const Log_Case cases[] = {
      {"a regular file", 0, true},  {"a link to a regular file", 1, true}, {"missing", 2, true},
      {"a dangling link", 3, false}, {"a FIFO", 4, false},                  {"a folder", 5, false},
      {"a link to a device", 6, false},
  };
  for (const Log_Case& c : cases) {
    SCOPED_TRACE(c.what);
    Temp_Dir dir;
    const fs::path log = dir.path / "s.errorlog";
    const fs::path target = dir.path / "elsewhere.txt";
    if (c.kind == 0) Write_File(log, "old\n");
    if (c.kind == 1) {
      Write_File(target, "old\n");
      fs::create_symlink(target, log);
    }
    if (c.kind == 3) fs::create_symlink(target, log);
    if (c.kind == 4) scds_testing::Make_Fifo(log);
    if (c.kind == 5) fs::create_directory(log);
    if (c.kind == 6) fs::create_symlink("/dev/null", log);
    alarm(20);
    const int fd = scds::Open_Log_Descriptor(log.c_str());
    alarm(0);
    EXPECT_EQ(fd >= 0, c.opens);
    if (fd >= 0) {
      EXPECT_TRUE(scds::Write_All(fd, "new\n", 4));
      EXPECT_EQ(close(fd), 0);
      EXPECT_EQ(Read_File(c.kind == 1 ? target : log), c.kind == 2 ? "new\n" : "old\nnew\n");
    }
    if (c.kind == 3) {
      EXPECT_FALSE(fs::exists(fs::symlink_status(target)));
    }
  }
}

}  // namespace
