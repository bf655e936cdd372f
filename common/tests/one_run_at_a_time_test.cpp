// One run per species at a time, across the six programs: while a run of any
// of them holds a species (it waits at a question), a run of any program on
// that species is turned away at once and changes no file, a run on another
// species goes on, and the first run then ends as if it had been alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "scds_testing.h"

namespace {

namespace fs = std::filesystem;
using scds_testing::Program_Run;
using scds_testing::Run_Program;
using scds_testing::Temp_Dir;

struct Program_Case {
  std::string program;
  std::string waits_at;  // the question the program waits at once the species is its own
  std::string rest;      // the answers after the species name and its confirmation
};

const Program_Case kPrograms[] = {
    {"Quintarel", "\nYou have functional unit vectors for:\n", "3\nx\n"},
    {"Ostravel", "\nPlease enter body temperature (C):\n", "37\n1\n1\n1\nx\n"},
    {"Saxmorrow", "\nPlease enter the exact name of the STL file you want to transform:\n", "none\n1\n2\nx\n"},
    {"Brindleck", "\nYour STL files are defined in:\n", "1\n3\nx\n"},
    {"Tessafen", "\nYour STLs are defined in:\n", "1\n3\nx\n"},
    {"Flanmere", "\nYou have FEA files for:\n", "3\nx\n"},
};

const std::string kHeld =
    "\nAnother program of the suite is working on Data/Sp now.\nRun this one again once it has finished.\n";
const std::string kClosing = "\nPress any key, then Enter to exit.";

// Two species, each with its folders and a vestibular matrix (so that
// Saxmorrow asks for a mesh); no other input: every run reports its missing
// files and ends.
void Prepare(const fs::path& work) {
  for (const char* species : {"Sp", "Other"}) {
    scds_testing::Make_Species_Folder(work, species);
    scds_testing::Write_File(work / "Data" / species / "Matrix" / (std::string(species) + ".transmat"),
                             "1.000000\t0.000000\t0.000000\n0.000000\t1.000000\t0.000000\n0.000000\t0.000000\t1.000000");
  }
}

TEST(OneRunPerSpecies, ARunOnAHeldSpeciesIsTurnedAway) {
  // Each program alone on the species: what its run must still give.
  std::map<std::string, Program_Run> alone;
  std::map<std::string, std::map<std::string, std::string>> alone_files;
  for (const Program_Case& p : kPrograms) {
    Temp_Dir dir;
    Prepare(dir.path);
    alone[p.program] = Run_Program(p.program, dir.path, "Sp\n1\n" + p.rest, 60);
    ASSERT_EQ(alone[p.program].status, 0) << p.program;
    alone_files[p.program] = scds_testing::File_Tree(dir.path / "Data" / "Sp");
  }

  for (const Program_Case& holder : kPrograms) {
    SCOPED_TRACE(holder.program + " holds the species");
    Temp_Dir dir;
    Prepare(dir.path);
    scds_testing::Live_Run first = scds_testing::Start_Live(holder.program, dir.path);
    scds_testing::Live_Answer(first, "Sp\n1\n");
    ASSERT_TRUE(scds_testing::Live_Wait_For(first, holder.waits_at)) << first.output;
    const auto held_files = scds_testing::File_Tree(dir.path);

    for (const Program_Case& second : kPrograms) {
      SCOPED_TRACE(second.program + " comes second");
      const Program_Run turned = Run_Program(second.program, dir.path, "Sp\n1\nx\n", 30);
      EXPECT_EQ(turned.status, 1);
      ASSERT_TRUE(turned.output.ends_with(kHeld + kClosing)) << turned.output;
      // Up to the message, the run is the one it would have been alone.
      const std::string before = turned.output.substr(0, turned.output.size() - kHeld.size() - kClosing.size());
      EXPECT_TRUE(alone[second.program].output.starts_with(before));
      EXPECT_EQ(scds_testing::File_Tree(dir.path), held_files);
    }

    // Another species goes on meanwhile.
    const Program_Run other = Run_Program(holder.program, dir.path, "Other\n1\n" + holder.rest, 60);
    EXPECT_EQ(other.status, 0);
    EXPECT_EQ(other.output.find(kHeld), std::string::npos);
    EXPECT_TRUE(other.output.ends_with(kClosing));

    const Program_Run finished = scds_testing::Live_Finish(first, holder.rest, 60);
    EXPECT_EQ(finished.status, 0);
    EXPECT_EQ(finished.output, alone[holder.program].output);
    EXPECT_EQ(scds_testing::File_Tree(dir.path / "Data" / "Sp"), alone_files[holder.program]);
  }
}

}  // namespace
