// Tessafen run end to end: the built program in a temporary species folder,
// scripted answers, then the exact console text, report bytes and species
// error log.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "byte_source.h"
#include "cupula.h"
#include "tessafen.h"
#include "fixtures.h"
#include "mesh_fixtures.h"
#include "odd_input.h"
#include "own_names.h"
#include "scds_testing.h"

namespace {

using namespace cupula_fixtures;
using scds_testing::Exists;
using scds_testing::Read_File;
using scds_testing::Run_Program;
using scds_testing::Temp_Dir;
using scds_testing::Write_File;

const std::string kBanner =
    "\n\n#################################################\n"
    "#                                               #\n"
    "#        Morphometric Analysis of Cupula        #\n"
    "#                                               #\n"
    "#                Version 1.0                    #\n"
    "#                                               #\n"
    "#################################################\n"
    "\n"
    "Part of the semicircular duct system analysis suite.\n\n"
    "Only works with STL files saved in ASCII format.\nPlease verify compatibility.\n\n"
    "INPUT FILES:\n\n"
    "IN FOLDER: Data/SPECIESNAME/ScanRef/Volumes/\n\n"
    "rv_SPECIESNAME_Ant_Cup.stl\nrv_SPECIESNAME_Post_Cup.stl\nrv_SPECIESNAME_Lat_Cup.stl\n\n"
    "and/or\n\n"
    "lv_SPECIESNAME_Ant_Cup.stl\nlv_SPECIESNAME_Post_Cup.stl\nlv_SPECIESNAME_Lat_Cup.stl\n\n"
    "IN FOLDER: Data/SPECIESNAME/ScanRef/Surfaces/\n\n"
    "rs_SPECIESNAME_Ant_Cup_Ut.stl\nrs_SPECIESNAME_Ant_Cup_Duct.stl\nrs_SPECIESNAME_Ant_Cup_Mid.stl\n"
    "rs_SPECIESNAME_Post_Cup_Ut.stl\nrs_SPECIESNAME_Post_Cup_Duct.stl\nrs_SPECIESNAME_Post_Cup_Mid.stl\n"
    "rs_SPECIESNAME_Lat_Cup_Ut.stl\nrs_SPECIESNAME_Lat_Cup_Duct.stl\nrs_SPECIESNAME_Lat_Cup_Mid.stl\n\n"
    "and/or\n\n"
    "ls_SPECIESNAME_Ant_Cup_Ut.stl\nls_SPECIESNAME_Ant_Cup_Duct.stl\nls_SPECIESNAME_Ant_Cup_Mid.stl\n"
    "ls_SPECIESNAME_Post_Cup_Ut.stl\nls_SPECIESNAME_Post_Cup_Duct.stl\nls_SPECIESNAME_Post_Cup_Mid.stl\n"
    "ls_SPECIESNAME_Lat_Cup_Ut.stl\nls_SPECIESNAME_Lat_Cup_Duct.stl\nls_SPECIESNAME_Lat_Cup_Mid.stl\n\n"
    "OUTPUT FILES:\n\n"
    "IN FOLDER: Data/SPECIESNAME/\n\n"
    "SPECIESNAME_R_Raw.cupula\n\nand/or\n\nSPECIESNAME_L_Raw.cupula\n\n"
    "Requests, questions and bug reports are welcome:\nplease send them to the project's issue tracker.\n";

const std::string kNamePrompt = "\nPlease enter the exact species name your STL files use:\n\n";
const std::string kYesNo = "1. Yes\n2. No\n\n";
const std::string kUnitMenu = "\nYour STLs are defined in:\n\n1. micrometers\n2. millimeters\n3. centimeters\n\n";
const std::string kSideMenu =
    "\nYou have STL files for:\n\n1. the right cupulae\n2. the left cupulae\n3. all cupulae\n\n";
const std::string kClosing = "\nPress any key, then Enter to exit.";

std::string Confirm(const std::string& name) { return "\nIs " + name + " the correct name?\n\n" + kYesNo; }

// Banner and dialogue of a run answered name, 1 (yes), a unit, a side.
std::string Dialogue(const std::string& name = "Mus") {
  return kBanner + kNamePrompt + Confirm(name) + kUnitMenu + kSideMenu;
}

std::string Cannot_Read(const std::string& species, char side, std::string_view suffix) {
  return "\nImpossible to read " + Mesh_Path(species, side, suffix) + "\nVerify both species name and STL file name.\n";
}

std::string Refused(const std::string& species, char side, std::string_view suffix) {
  return mesh_testing::Refused_Message(Mesh_Path(species, side, suffix));
}

// The standard set's report without the volume of one cupula: its three
// thicknesses are the cilia offsets alone.
const std::array<std::string, 18> kStandardWithoutAnt = {
    "1.500000", "3.000000", "0.250000", "1.500000", "3.000000", "0.250000", "0.127260", "0.084840", "0.042420",
    "0.793927", "0.751507", "0.709087", "0.627260", "0.584840", "0.542420", "0.483692", "0.684044", "0.197466"};
const std::array<std::string, 18> kStandardWithoutPost = {
    "1.500000", "3.000000", "0.250000", "1.500000", "3.000000", "0.250000", "2.127260", "2.084840", "2.042420",
    "0.127260", "0.084840", "0.042420", "0.627260", "0.584840", "0.542420", "0.483692", "0.684044", "0.197466"};

std::string Without_Nan_Sign(std::string text) {
  for (std::size_t at; (at = text.find("-nan")) != std::string::npos;) text.erase(at, 1);
  return text;
}

struct Species {
  Temp_Dir dir;
  std::string name = "Mus";
  explicit Species(std::string species = "Mus") : name(std::move(species)) {
    scds_testing::Make_Species_Folder(dir.path, name);
  }
  std::filesystem::path File(const std::string& relative) const { return dir.path / relative; }
  std::filesystem::path Folder() const { return dir.path / "Data" / name; }
  void Write_Side(char side, const Mesh_Set& meshes) const {
    for (const auto& [suffix, text] : meshes) Write_File(File(Mesh_Path(name, side, suffix)), text);
  }
  std::string Report(char side) const {
    return Read_File(Folder() / (name + (side == 'r' ? "_R_Raw.cupula" : "_L_Raw.cupula")));
  }
  bool Has_Report(char side) const {
    return Exists(Folder() / (name + (side == 'r' ? "_R_Raw.cupula" : "_L_Raw.cupula")));
  }
  std::string Error_Log() const { return Read_File(Folder() / (name + ".errorlog")); }
  bool Has_Error_Log() const { return Exists(Folder() / (name + ".errorlog")); }
  bool Has_Temp_Log() const { return Exists(Folder() / (name + "_temp_R.errorlog")); }
  scds_testing::Program_Run Run(const std::string& answers) const { return Run_Program("Tessafen", dir.path, answers); }
};

// Every file below a folder, relative to it.
std::set<std::string> Files_Below(const std::filesystem::path& root) {
  std::set<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    files.insert(std::filesystem::relative(entry.path(), root).string());
  }
  return files;
}

TEST(TessafenRun, RightSideWithEveryMesh) {
  Species s;
  s.Write_Side('r', Standard_Set());
  s.Write_Side('l', Digits_Set());  // never opened in a right-only run
  const auto run = s.Run("Mus\n1\n2\n1\nx\n");
  EXPECT_EQ(run.status, 0);
  const std::string report = Expected_Report(kStandardMm);
  EXPECT_EQ(run.output, Dialogue() + "\n" + report + kClosing);
  EXPECT_EQ(s.Report('r'), report);
  EXPECT_FALSE(s.Has_Report('l'));
  EXPECT_FALSE(s.Has_Error_Log());
  EXPECT_FALSE(s.Has_Temp_Log());
}

// The same meshes in each unit; the central lateral section is chosen for
// each unit so that a division other than by unit * unit shows.
TEST(TessafenRun, EachUnit) {
  struct Case {
    const char* answer;
    const char* lat_mid;
    std::array<std::string, 18> rows;
  };
  const Case cases[] = {
      {"1", "98765.5",
       {"0.000002", "0.000003", "0.049383", "0.000002", "0.000003", "0.098766", "0.129260", "0.086840", "0.044420",
        "0.127927", "0.085507", "0.043087", "0.127260", "0.084840", "0.042420", "0.000484", "0.000684",
        "0.087763"}},
      {"2", "1.5",
       {"1.500000", "3.000000", "0.875000", "1.500000", "3.000000", "1.500000", "2.127260", "2.084840", "2.042420",
        "0.793927", "0.751507", "0.709087", "0.270117", "0.227697", "0.185277", "0.483692", "0.684044",
        "0.369426"}},
      {"3", "0.00012345500000000002",
       {"150.000000", "300.000000", "12.506173", "150.000000", "300.000000", "0.012345", "20.127260", "20.084840",
        "20.042420", "6.793927", "6.751507", "6.709087", "10.122324", "10.079904", "10.037484", "4.836918",
        "6.840435", "1.396643"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    Species s;
    s.Write_Side('r', Standard_Set(c.lat_mid));
    const auto run = s.Run(std::string("Mus\n1\n") + c.answer + "\n1\nx\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(s.Report('r'), Expected_Report(c.rows));
    EXPECT_EQ(run.output, Dialogue() + "\n" + Expected_Report(c.rows) + kClosing);
  }
}

// Both sides: the right pass is a right-only run and the left pass a
// left-only run, one echo after the other with nothing naming the side.
TEST(TessafenRun, BothSidesEqualOneSideRuns) {
  Species s;
  s.Write_Side('r', Standard_Set());
  s.Write_Side('l', Digits_Set());
  const std::string right = Expected_Report(kStandardMm);
  const std::string left = Expected_Report(kDigitsMm);

  const auto both = s.Run("Mus\n1\n2\n3\nx\n");
  EXPECT_EQ(both.status, 0);
  EXPECT_EQ(both.output, Dialogue() + "\n" + right + "\n" + left + kClosing);
  EXPECT_EQ(s.Report('r'), right);
  EXPECT_EQ(s.Report('l'), left);
  EXPECT_FALSE(s.Has_Error_Log());

  std::filesystem::remove(s.Folder() / "Mus_R_Raw.cupula");
  std::filesystem::remove(s.Folder() / "Mus_L_Raw.cupula");
  const auto left_only = s.Run("Mus\n1\n2\n2\nx\n");
  EXPECT_EQ(left_only.output, Dialogue() + "\n" + left + kClosing);
  EXPECT_EQ(s.Report('l'), left);
  EXPECT_FALSE(s.Has_Report('r'));
}

// A mesh refused after others were read takes nothing from them, on either
// side of a run on both sides, and the left pass is the pass of a left-only
// run: the right side's Post_Cup and the left side's Ant_Cup are in upper
// case, so each counts as a volume that cannot be read.
TEST(TessafenRun, ARefusedMeshTakesNothingFromTheMeshesReadBeforeIt) {
  Species s;
  Mesh_Set right = Standard_Set();
  right["Post_Cup"] = Upper_Case_Mesh();
  Mesh_Set left = Standard_Set();
  left["Ant_Cup"] = Upper_Case_Mesh();
  s.Write_Side('r', right);
  s.Write_Side('l', left);
  const std::string right_report = Expected_Report(kStandardWithoutPost);
  const std::string left_report = Expected_Report(kStandardWithoutAnt);
  const std::string right_message = Refused("Mus", 'r', "Post_Cup");
  const std::string left_message = Refused("Mus", 'l', "Ant_Cup");

  const auto both = s.Run("Mus\n1\n2\n3\nx\n");
  EXPECT_EQ(both.status, 0);
  EXPECT_EQ(both.output,
            Dialogue() + right_message + "\n" + right_report + left_message + "\n" + left_report + kClosing);
  EXPECT_EQ(s.Report('r'), right_report);
  EXPECT_EQ(s.Report('l'), left_report);
  EXPECT_EQ(s.Error_Log(),
            "Tessafen Errors:\n" + right_message + "\n" + "Tessafen Errors:\n" + left_message + "\n");

  std::filesystem::remove(s.Folder() / "Mus.errorlog");
  const auto left_only = s.Run("Mus\n1\n2\n2\nx\n");
  EXPECT_EQ(left_only.output, Dialogue() + left_message + "\n" + left_report + kClosing);
  EXPECT_EQ(s.Report('l'), left_report);
  EXPECT_EQ(s.Error_Log(), "Tessafen Errors:\n" + left_message + "\n");
}

// Ant_Cup in the layouts other tools write: refused as a mesh that cannot
// be read (its volume as for a missing mesh), or, with CR LF line ends and
// blank lines after the end line, read as the plain mesh.
TEST(TessafenRun, MeshLayouts) {
  for (const mesh_testing::Layout_Case& c : mesh_testing::kLayouts) {
    SCOPED_TRACE(c.name);
    Species s;
    Mesh_Set right = Standard_Set();
    right["Ant_Cup"] = mesh_testing::Laid_Out(c.layout, right["Ant_Cup"]);
    s.Write_Side('r', right);
    const auto run = s.Run("Mus\n1\n2\n1\nx\n");
    const std::string message = Refused("Mus", 'r', "Ant_Cup");
    const std::string report = Expected_Report(c.refused ? kStandardWithoutAnt : kStandardMm);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, Dialogue() + (c.refused ? message : "") + "\n" + report + kClosing);
    EXPECT_EQ(s.Report('r'), report);
    EXPECT_EQ(s.Error_Log(), c.refused ? "Tessafen Errors:\n" + message + "\n" : "<missing Mus.errorlog>");
    EXPECT_FALSE(s.Has_Temp_Log());
  }
}

TEST(TessafenRun, MissingMeshesAreReportedInOrderAndCountAsZero) {
  Species s;
  Mesh_Set right = Standard_Set();
  right.erase("Ant_Cup");
  right.erase("Lat_Cup_Mid");
  s.Write_Side('r', right);
  Write_File(s.Folder() / "Mus.errorlog", "Earlier run\n");
  const auto run = s.Run("Mus\n1\n2\n1\nx\n");
  EXPECT_EQ(run.status, 0);
  const std::string messages = Cannot_Read("Mus", 'r', "Ant_Cup") + Cannot_Read("Mus", 'r', "Lat_Cup_Mid");
  const std::string report =
      Expected_Report({"1.500000", "3.000000", "0.125000", "1.500000", "3.000000", "0.000000", "0.127260",
                       "0.084840", "0.042420", "0.793927", "0.751507", "0.709087", "1.127260", "1.084840",
                       "1.042420", "0.483692", "0.684044", "0.139630"});
  EXPECT_EQ(run.output, Dialogue() + messages + "\n" + report + kClosing);
  EXPECT_EQ(s.Report('r'), report);
  EXPECT_EQ(s.Error_Log(), "Earlier run\nTessafen Errors:\n" + messages + "\n");
  EXPECT_FALSE(s.Has_Temp_Log());
}

// Eleven failures keep the report; twelve remove it, also one left by an
// earlier run, while the console still shows the figures.
TEST(TessafenRun, ElevenAndTwelveFailures) {
  {
    Species s;
    s.Write_Side('l', {{"Post_Cup_Mid", Rect_Mesh("3")}});
    const auto run = s.Run("Mus\n1\n2\n2\nx\n");
    std::string messages;
    for (std::string_view suffix : kSuffixes) {
      if (suffix != "Post_Cup_Mid") messages += Cannot_Read("Mus", 'l', suffix);
    }
    const std::string report =
        Expected_Report({"0.000000", "1.500000", "0.000000", "0.000000", "3.000000", "0.000000", "nan", "nan",
                         "nan", "0.127260", "0.084840", "0.042420", "nan", "nan", "nan", "0.000000", "0.483692",
                         "0.000000"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Without_Nan_Sign(run.output), Dialogue() + messages + "\n" + report + kClosing);
    EXPECT_EQ(Without_Nan_Sign(s.Report('l')), report);
    EXPECT_EQ(s.Error_Log(), "Tessafen Errors:\n" + messages + "\n");
  }
  {
    Species s;
    Write_File(s.Folder() / "Mus_R_Raw.cupula", "old report\n");
    Write_File(s.Folder() / "Mus_temp_R.errorlog", "Tessafen Errors:\nleft over\nfrom a crash\n");
    const auto run = s.Run("Mus\n1\n2\n1\nx\n");
    std::string messages;
    for (std::string_view suffix : kSuffixes) messages += Cannot_Read("Mus", 'r', suffix);
    const std::string report =
        Expected_Report({"0.000000", "0.000000", "0.000000", "0.000000", "0.000000", "0.000000", "nan", "nan",
                         "nan", "nan", "nan", "nan", "nan", "nan", "nan", "0.000000", "0.000000", "0.000000"});
    EXPECT_EQ(run.status, 0);
    // The left-over is merged first, as a block of its own.
    const std::string merged_first =
        "\nData/Mus/Mus_temp_R.errorlog holds messages an earlier run or side did not merge: they are merged "
        "first.\n";
    EXPECT_EQ(Without_Nan_Sign(run.output), Dialogue() + merged_first + messages + "\n" + report + kClosing);
    EXPECT_FALSE(s.Has_Report('r'));
    EXPECT_EQ(s.Error_Log(), "Tessafen Errors:\nleft over\nfrom a crash\nTessafen Errors:\n" + messages + "\n");
    EXPECT_FALSE(s.Has_Temp_Log());
  }
}

// An empty file is refused (it has no end line); a file of its first and
// last lines alone is a regular mesh without facets; a binary STL is not
// read. The two refused meshes count as failures.
TEST(TessafenRun, EmptyHeaderOnlyAndBinaryMeshes) {
  Species s;
  Mesh_Set right = Standard_Set();
  right["Ant_Cup"] = "";
  right["Post_Cup"] = "solid nothing\nendsolid nothing\n";
  std::string binary(84 + 50, '\0');
  binary[80] = 1;
  right["Lat_Cup"] = binary;
  s.Write_Side('r', right);
  const auto run = s.Run("Mus\n1\n2\n1\nx\n");
  const std::string messages = Refused("Mus", 'r', "Ant_Cup") + "\nImpossible to read " +
                               Mesh_Path("Mus", 'r', "Lat_Cup") +
                               "\nThe file is a binary STL; save it as ASCII STL.\n";
  const std::string report =
      Expected_Report({"1.500000", "3.000000", "0.250000", "1.500000", "3.000000", "0.250000", "0.127260",
                       "0.084840", "0.042420", "0.127260", "0.084840", "0.042420", "0.127260", "0.084840",
                       "0.042420", "0.483692", "0.684044", "0.197466"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Dialogue() + messages + "\n" + report + kClosing);
  EXPECT_EQ(s.Report('r'), report);
  EXPECT_EQ(s.Error_Log(), "Tessafen Errors:\n" + messages + "\n");
}

// End of input at any question but the closing one: nothing more is asked,
// no file is touched, status 1, no closing prompt.
TEST(TessafenRun, EndOfInputAtEachQuestion) {
  struct Case {
    const char* answers;
    std::string console;
  };
  const Case cases[] = {
      {"", kBanner + kNamePrompt},
      {"Mus\n", kBanner + kNamePrompt + Confirm("Mus")},
      {"Mus\n1\n", kBanner + kNamePrompt + Confirm("Mus") + kUnitMenu},
      {"Mus\n1\n2\n", kBanner + kNamePrompt + Confirm("Mus") + kUnitMenu + kSideMenu},
      {"Mus\n1\n2\n7\n", kBanner + kNamePrompt + Confirm("Mus") + kUnitMenu + kSideMenu +
                             "\nPlease only answer right (1), left (2) or both (3):\n\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answers);
    Species s;
    s.Write_Side('r', Standard_Set());
    const std::set<std::string> before = Files_Below(s.dir.path);
    const auto run = s.Run(c.answers);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, c.console);
    EXPECT_EQ(Files_Below(s.dir.path), before);
  }
  Species s;
  s.Write_Side('r', Standard_Set());
  const auto run = s.Run("Mus\n1\n2\n1\n");  // the closing prompt simply ends
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Dialogue() + "\n" + Expected_Report(kStandardMm) + kClosing);
}

TEST(TessafenRun, AnswersOutOfRangeOrNotWholeIntegers) {
  Species s;
  s.Write_Side('l', Standard_Set());
  const auto run = s.Run("Rat\n2\nMus\nyes\n3\n1\n0\nmm\n2.0\n2\n4\n-1\n+2\n\n  q r\n");
  const std::string yes_no = "\nPlease only answer yes (1) or no (2):\n\n";
  const std::string unit = "\nPlease only answer micrometers (1), millimeters (2) or centimeters (3):\n\n";
  const std::string side = "\nPlease only answer right (1), left (2) or both (3):\n\n";
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, kBanner + kNamePrompt + Confirm("Rat") + kNamePrompt + Confirm("Mus") + yes_no + yes_no +
                            kUnitMenu + unit + unit + unit + kSideMenu + side + side + "\n" +
                            Expected_Report(kStandardMm) + kClosing);
  EXPECT_EQ(s.Report('l'), Expected_Report(kStandardMm));
}

// A name that would make a section-mesh path longer than 254 characters is
// refused before it is confirmed; 105 characters fit.
TEST(TessafenRun, SpeciesNameLength) {
  const std::string fits(105, 'm');
  const std::string too_long = fits + "m";
  Species s(fits);
  Mesh_Set right = Standard_Set();
  s.Write_Side('r', right);
  const auto run = s.Run(too_long + "\n" + fits + "\n1\n2\n1\nx\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, kBanner + kNamePrompt +
                            "\nThis name is too long for the file names it makes: use at most 105 characters.\n" +
                            kNamePrompt + Confirm(fits) + kUnitMenu + kSideMenu + "\n" +
                            Expected_Report(kStandardMm) + kClosing);
  EXPECT_EQ(s.Report('r'), Expected_Report(kStandardMm));
}

// Without a species folder the temporary log cannot be created and the
// report cannot be written: both are said on the console, the run goes on
// and ends normally, and nothing is created.
TEST(TessafenRun, NoSpeciesFolder) {
  Temp_Dir dir;
  std::filesystem::create_directories(dir.path / "Data");
  const auto run = Run_Program("Tessafen", dir.path, "Ghost\n1\n2\n2\nx\n");
  std::string messages;
  for (std::string_view suffix : kSuffixes) messages += Cannot_Read("Ghost", 'l', suffix);
  const std::string report =
      Expected_Report({"0.000000", "0.000000", "0.000000", "0.000000", "0.000000", "0.000000", "nan", "nan", "nan",
                       "nan", "nan", "nan", "nan", "nan", "nan", "0.000000", "0.000000", "0.000000"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Without_Nan_Sign(run.output),
            Dialogue("Ghost") +
                "\nImpossible to write Data/Ghost/Ghost_temp_R.errorlog\nVerify the species name and that its "
                "folder exists.\nThe messages go to this console only.\n" +
                messages +
                "\nImpossible to write Data/Ghost/Ghost_L_Raw.cupula\nVerify that its folder exists and has room.\n" +
                "\n" + report + kClosing);
  EXPECT_TRUE(Files_Below(dir.path / "Data").empty());
}

// A report that cannot be created is said once, on the console and in the
// log, and its block closes with the empty line.
TEST(TessafenRun, ReportCannotBeCreated) {
  Species s;
  s.Write_Side('r', Standard_Set());
  std::filesystem::create_directories(s.Folder() / "Mus_R_Raw.cupula");
  const auto run = s.Run("Mus\n1\n2\n1\nx\n");
  const std::string message =
      "\nImpossible to write Data/Mus/Mus_R_Raw.cupula\nVerify that its folder exists and has room.\n";
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Dialogue() + message + "\n" + Expected_Report(kStandardMm) + kClosing);
  EXPECT_EQ(s.Error_Log(), "Tessafen Errors:\n" + message + "\n");
  EXPECT_TRUE(std::filesystem::is_directory(s.Folder() / "Mus_R_Raw.cupula"));
}

// A report whose writing fails (here no file may grow beyond 400 bytes: the
// error logs fit, the report does not, as on a full disk) is said once,
// where the failure shows, after the echo, and leaves the earlier report of
// that name and nothing beside it.
// Every input of the side missing, and an empty folder at the report's
// place: the report cannot be written, and the removal that keeps no report
// of such a side leaves the folder (no report) without a word.
TEST(TessafenRun, AFolderAtTheReportOfASideWithoutInputsStays) {
  Species s;
  std::filesystem::create_directories(s.Folder() / "Mus_L_Raw.cupula");
  const auto run = s.Run("Mus\n1\n2\n2\nx\n");
  std::string messages;
  for (std::string_view suffix : kSuffixes) messages += Cannot_Read("Mus", 'l', suffix);
  messages += "\nImpossible to write Data/Mus/Mus_L_Raw.cupula\nVerify that its folder exists and has room.\n";
  const std::string report =
      Expected_Report({"0.000000", "0.000000", "0.000000", "0.000000", "0.000000", "0.000000", "nan", "nan", "nan",
                       "nan", "nan", "nan", "nan", "nan", "nan", "0.000000", "0.000000", "0.000000"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Without_Nan_Sign(run.output), Dialogue() + messages + "\n" + report + kClosing);
  EXPECT_EQ(s.Error_Log(), "Tessafen Errors:\n" + messages + "\n");
  EXPECT_TRUE(std::filesystem::is_directory(s.Folder() / "Mus_L_Raw.cupula"));
}

TEST(TessafenRun, ReportWritingFails) {
  Species s;
  s.Write_Side('l', Standard_Set());
  Write_File(s.Folder() / "Mus_L_Raw.cupula", "an earlier report\n");
  scds_testing::Run_Options full;
  full.file_size_limit = 400;
  const auto run = Run_Program("Tessafen", s.dir.path, "Mus\n1\n2\n2\nx\n", full);
  const std::string message =
      "\nImpossible to write Data/Mus/Mus_L_Raw.cupula\nVerify that its folder exists and has room.\n";
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Dialogue() + "\n" + Expected_Report(kStandardMm) + message + kClosing);
  EXPECT_EQ(s.Error_Log(), "Tessafen Errors:\n" + message + "\n");
  EXPECT_EQ(Read_File(s.Folder() / "Mus_L_Raw.cupula"), "an earlier report\n");
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(s.Folder() / "Mus_L_Raw.cupula.partial")));
}

// The report of zeros of a side none of whose meshes was read is made and
// never kept. Under a file-size limit (600 bytes) below its size (880
// bytes, less than the stream's buffer), its write goes into the buffer
// whole and fails only when the report is flushed, as on a full disk: the
// failure is said and counted all the same. The limit leaves the
// temporary log room for its title and its first messages.
TEST(TessafenRun, AReportNotKeptWhoseFlushFailsIsSaidAndCounted) {
  constexpr std::uint64_t kLimit = 600;
  const std::string message =
      "\nImpossible to write Data/Mus/Mus_R_Raw.cupula\nVerify that its folder exists and has room.\n";
  const std::string first_read = Cannot_Read("Mus", 'r', kSuffixes[0]);
  {
    SCOPED_TRACE("the built program");
    Species s;
    Write_File(s.Folder() / "Mus_R_Raw.cupula", "an earlier report\n");
    scds_testing::Run_Options limited;
    limited.file_size_limit = kLimit;
    const auto run = Run_Program("Tessafen", s.dir.path, "Mus\n1\n2\n1\nx\n", limited);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.status, 0);
    const std::size_t said = run.output.find(message);
    EXPECT_NE(said, std::string::npos) << run.output;
    EXPECT_LT(run.output.find(Cannot_Read("Mus", 'r', kSuffixes[11])), said);
    EXPECT_TRUE(s.Error_Log().starts_with("Tessafen Errors:\n" + first_read)) << s.Error_Log();
    EXPECT_FALSE(s.Has_Report('r'));
    EXPECT_EQ(scds_testing::Temporary_Files(s.dir.path), std::vector<std::string>{});
  }
  {
    SCOPED_TRACE("the side pass, for its count");
    Species s;
    std::ostringstream out;
    scds::tessafen::Cupula_Measures measures;
    int failures = 0;
    {
      scds_testing::File_Size_Limit full(kLimit);
      failures = scds::tessafen::Cupula_Side_Pass(out, s.dir.path, "Mus", 1.0, scds::Side::Right, measures);
    }
    EXPECT_EQ(failures, scds::tessafen::kInputCount + 1);
    // What the case rests on: a report above the limit, within the buffer.
    const std::size_t size = scds::tessafen::Cupula_Report_Text(measures).size();
    EXPECT_GT(size, kLimit);
    EXPECT_LT(size, std::size_t{4096});
    EXPECT_NE(out.str().find(message), std::string::npos) << out.str();
  }
}

// A section mesh that opens and is counted, and whose reading then fails
// during the facet pass (the byte source's test seam, as an I/O error
// would): it is a mesh that cannot be read. Its message, one failure, no
// area from the facets it never read.
TEST(TessafenRun, AMeshWhoseReadingFailsAfterItOpenedIsNotMeasured) {
  Species s;
  s.Write_Side('r', Standard_Set());
  const std::string failing = Mesh_Path("Mus", 'r', "Post_Cup_Mid");
  const std::uint64_t size = std::filesystem::file_size(s.File(failing));
  // The count pass reads the whole file; the facet pass gets the first line
  // and part of the first facet.
  scds::read_failure_seam = {s.File(failing), size + 40};
  std::istringstream in("Mus\n1\n2\n1\nx\n");
  std::ostringstream out;
  const int status = scds::tessafen::Run_Tessafen(in, out, s.dir.path);
  scds::read_failure_seam = {};
  const std::string message = Cannot_Read("Mus", 'r', "Post_Cup_Mid");
  // Post: sections 4, 2 and none: average 1.5 over the 2 x 2 x 0.5 box
  // (expected_values.py, "standard missing Post_Cup_Mid").
  const std::string report =
      Expected_Report({"1.500000", "1.500000", "0.250000", "1.500000", "0.000000", "0.250000", "2.127260",
                       "2.084840", "2.042420", "1.460593", "1.418173", "1.375753", "0.627260", "0.584840",
                       "0.542420", "0.483692", "0.483692", "0.197466"});
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out.str(), Dialogue() + message + "\n" + report + kClosing);
  EXPECT_EQ(s.Report('r'), report);
  EXPECT_EQ(s.Error_Log(), "Tessafen Errors:\n" + message + "\n");
  EXPECT_FALSE(s.Has_Temp_Log());
}

// A FIFO in place of a volume or a section mesh, or a link to /dev/zero: the
// run goes on at once as if the mesh were missing (same console, same
// files, no temporary log left), within the time limit.
// A link or a FIFO at the program's own names (each report's temporary
// name, the temporary log) is never followed or waited on; a FIFO at the
// species log sends the blocks to the unmerged log.
TEST(TessafenRun, OwnNamesAreMadeAfresh) {
  Species s;
  s.Write_Side('r', Standard_Set());
  s.Write_Side('l', Standard_Set());
  std::filesystem::remove(s.dir.path / Mesh_Path("Mus", 'l', "Lat_Cup_Duct"));  // a message for the log
  scds_testing::Expect_Own_Names_Made_Afresh({"Tessafen", s.dir.path, "Mus\n1\n2\n3\nx\n",
                                              {"Data/Mus/Mus_temp_R.errorlog"}, "Data/Mus/Mus.errorlog",
                                              "Data/Mus/Mus_unmerged.errorlog", scds::tessafen::Tessafen_Paths("Mus")});
}

TEST(TessafenRun, AMeshThatIsNotARegularFileIsOneThatCannotBeOpened) {
  struct Case {
    char side;
    std::string_view suffix;
    bool dev_zero;
  };
  const Case cases[] = {
      {'r', "Ant_Cup", false},
      {'l', "Lat_Cup_Duct", false},
      {'r', "Post_Cup_Mid", true},
  };
  for (const Case& c : cases) {
    const std::string input = Mesh_Path("Mus", c.side, c.suffix);
    SCOPED_TRACE(input);
    Species s;
    s.Write_Side('r', Standard_Set());
    s.Write_Side('l', Standard_Set());
    scds_testing::Expect_Odd_Input_As_Missing({"Tessafen", s.dir.path, input, c.dev_zero, "Mus\n1\n2\n3\nx\n"},
                                              {Cannot_Read("Mus", c.side, c.suffix), "Data/Mus/Mus.errorlog",
                                               "Data/Mus/Mus_temp_R.errorlog"});
  }
}

// The sample species with the sample answers (micrometres, both sides).
TEST(TessafenRun, SampleSpecies) {
  Temp_Dir dir;
  const std::filesystem::path source = SCDS_SOURCE_DIR;
  std::filesystem::copy(source / "examples" / "Data", dir.path / "Data", std::filesystem::copy_options::recursive);
  const auto run = Run_Program("Tessafen", dir.path, Read_File(source / "examples" / "answers" / "Tessafen.txt"));
  const std::string right =
      Expected_Report({"0.099971", "0.093005", "0.067506", "0.112164", "0.102325", "0.075066", "0.221014",
                       "0.178594", "0.136174", "0.208618", "0.166198", "0.123778", "0.199097", "0.156677",
                       "0.114257", "0.124870", "0.120442", "0.102611"});
  const std::string left =
      Expected_Report({"0.095824", "0.092953", "0.067570", "0.107516", "0.101825", "0.075048", "0.218023",
                       "0.175603", "0.133183", "0.211127", "0.168707", "0.126287", "0.196608", "0.154188",
                       "0.111768", "0.122253", "0.120408", "0.102659"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, kBanner + kNamePrompt + Confirm("Sample") + kUnitMenu + kSideMenu + "\n" + right + "\n" +
                            left + kClosing);
  EXPECT_EQ(Read_File(dir.path / "Data/Sample/Sample_R_Raw.cupula"), right);
  EXPECT_EQ(Read_File(dir.path / "Data/Sample/Sample_L_Raw.cupula"), left);
  EXPECT_FALSE(Exists(dir.path / "Data/Sample/Sample.errorlog"));
}

}  // namespace
