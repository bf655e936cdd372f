#include "folder_lock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "scds_testing.h"

namespace {

using scds_testing::Temp_Dir;

const std::string kHeld =
    "\nAnother program of the suite is working on Data/Sp now.\nRun this one again once it has finished.\n";

// A second run on a species that one run holds is turned away with the
// message, whatever path leads to the folder; another species, a missing
// folder and a species released again go on.
TEST(SpeciesLock, OneRunPerSpeciesAtATime) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  scds_testing::Make_Species_Folder(dir.path, "Other");
  std::filesystem::create_directory_symlink("Sp", dir.path / "Data" / "Alias");
  std::ostringstream out;
  {
    scds::Species_Lock first;
    ASSERT_TRUE(scds::Hold_Species(first, dir.path, "Sp", out));
    EXPECT_GE(first.fd, 0);

    scds::Species_Lock second;
    EXPECT_FALSE(scds::Hold_Species(second, dir.path, "Sp", out));
    EXPECT_EQ(second.fd, -1);
    EXPECT_EQ(out.str(), kHeld);

    // The same folder under another name is the same species.
    std::ostringstream alias_out;
    scds::Species_Lock alias;
    EXPECT_FALSE(scds::Hold_Species(alias, dir.path, "Alias", alias_out));
    EXPECT_EQ(alias_out.str(),
              "\nAnother program of the suite is working on Data/Alias now.\nRun this one again once it has "
              "finished.\n");

    std::ostringstream other_out;
    scds::Species_Lock other;
    EXPECT_TRUE(scds::Hold_Species(other, dir.path, "Other", other_out));
    EXPECT_GE(other.fd, 0);

    // No folder: no lock, and the run goes on.
    scds::Species_Lock none;
    EXPECT_TRUE(scds::Hold_Species(none, dir.path, "None", other_out));
    EXPECT_EQ(none.fd, -1);
    EXPECT_EQ(other_out.str(), "");
  }
  // Released with the run: the next one takes it.
  std::ostringstream again_out;
  scds::Species_Lock again;
  EXPECT_TRUE(scds::Hold_Species(again, dir.path, "Sp", again_out));
  EXPECT_EQ(again_out.str(), "");
}

// A run turned away ends with the closing prompt and the status 1.
TEST(SpeciesLock, ARunTurnedAwayEndsWithTheClosingPrompt) {
  std::istringstream in("x\n");
  std::ostringstream out;
  EXPECT_EQ(scds::Species_Held_Elsewhere(in, out), 1);
  EXPECT_EQ(out.str(), "\nPress any key, then Enter to exit.");
}

}  // namespace
