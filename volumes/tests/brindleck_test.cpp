// Brindleck run end to end: a species folder in a temporary directory, the
// answers on standard input, the exact console text and the exact bytes of
// every file written. The fixture meshes are boxes with integer corners, so
// every volume is known by hand.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "brindleck.h"
#include "mesh_fixtures.h"
#include "odd_input.h"
#include "own_names.h"
#include "scds_testing.h"
#include "traced_run.h"

namespace {

using scds_testing::Exists;
using scds_testing::Make_Species_Folder;
using scds_testing::Read_File;
using scds_testing::Run_Program;
using scds_testing::Temp_Dir;
using scds_testing::Write_File;
using namespace mesh_testing;

const std::string kBanner =
    "\n\n#####################################################\n"
    "#                                                   #\n"
    "#              Computation of Volumes               #\n"
    "#                                                   #\n"
    "#                   Version 1.0                     #\n"
    "#                                                   #\n"
    "#####################################################\n"
    "\n"
    "Part of the semicircular duct system analysis suite.\n"
    "\n"
    "Only works with STL files saved in ASCII format.\nPlease verify compatibility.\n\n"
    "INPUT FILES:\n\n"
    "IN FOLDER: Data/SPECIESNAME/ScanRef/Volumes/\n\n"
    "rv_SPECIESNAME_Sa.stl\nrv_SPECIESNAME_Sp.stl\nrv_SPECIESNAME_Sl.stl\nrv_SPECIESNAME_CC.stl\n"
    "rv_SPECIESNAME_SC.stl\nrv_SPECIESNAME_Aa.stl\nrv_SPECIESNAME_Ap.stl\nrv_SPECIESNAME_Al.stl\n"
    "rv_SPECIESNAME_Ua.stl\nrv_SPECIESNAME_Up.stl\nrv_SPECIESNAME_Uc.stl\nrv_SPECIESNAME_Control.stl\n\n"
    "and/or\n\n"
    "lv_SPECIESNAME_Sa.stl\nlv_SPECIESNAME_Sp.stl\nlv_SPECIESNAME_Sl.stl\nlv_SPECIESNAME_CC.stl\n"
    "lv_SPECIESNAME_SC.stl\nlv_SPECIESNAME_Aa.stl\nlv_SPECIESNAME_Ap.stl\nlv_SPECIESNAME_Al.stl\n"
    "lv_SPECIESNAME_Ua.stl\nlv_SPECIESNAME_Up.stl\nlv_SPECIESNAME_Uc.stl\nlv_SPECIESNAME_Control.stl\n\n"
    "IN FOLDER: Data/SPECIESNAME/ScanRef/Other/\n\n"
    "r_SPECIESNAME_SCDS.stl\n\nand/or\n\nl_SPECIESNAME_SCDS.stl\n\n"
    "OUTPUT FILES:\n\n"
    "IN FOLDER: Data/SPECIESNAME/\n\n"
    "SPECIESNAME_R_Raw.volume\n\nand/or\n\nSPECIESNAME_L_Raw.volume\n\n"
    "Requests, questions and bug reports are welcome:\nplease send them to the project's issue tracker.\n\n";

const std::string kNamePrompt = "\nPlease enter the exact species name your STL files use:\n\n";
const std::string kUnitQuestion =
    "\nYour STL files are defined in:\n\n1. micrometers\n2. millimeters\n3. centimeters\n\n";
const std::string kSideQuestion =
    "\nYou have STL files for:\n\n1. the right semicircular duct system\n2. the left semicircular duct system\n"
    "3. both semicircular duct systems\n\n";
const std::string kClosing = "\nPress any key, then Enter to exit.";

std::string Confirm(const std::string& name) { return "\nIs " + name + " the correct name?\n\n1. Yes\n2. No\n\n"; }

// Everything a run writes before its first side pass.
std::string Dialogue(const std::string& species) {
  return kBanner + kNamePrompt + Confirm(species) + kUnitQuestion + kSideQuestion;
}

std::string Missing(const std::string& path) {
  return "\nImpossible to read " + path + "\nVerify both species name and STL file name.\n";
}
std::string Binary(const std::string& path) {
  return "\nImpossible to read " + path + "\nThe file is a binary STL; save it as ASCII STL.\n";
}
std::string Refused(const std::string& path) {
  return mesh_testing::Refused_Message(path);
}
std::string Cannot_Write(const std::string& path) {
  return "\nImpossible to write " + path + "\nVerify that its folder exists and has room.\n";
}

const std::string kSpecies = "Ts";
const std::vector<std::string> kSegments = {"Sa", "Sp", "Sl", "CC", "SC", "Ua", "Up", "Uc", "Aa", "Ap", "Al"};

std::string Mesh_Path(char side, const std::string& code, const std::string& species = kSpecies) {
  const std::string side_prefix(1, side);
  if (code == "SCDS") return "Data/" + species + "/ScanRef/Other/" + side_prefix + "_" + species + "_SCDS.stl";
  return "Data/" + species + "/ScanRef/Volumes/" + side_prefix + "v_" + species + "_" + code + ".stl";
}
std::string V(char side, const std::string& code) { return Mesh_Path(side, code); }

// The fixture meshes of one side. Right: segment k (1 to 11, in the order
// of kSegments) is a 1 x 1 x k box, the control a 1 x 6 x 11 box (66), the
// whole system a 3 x 4 x 5 box (60). Left: every segment and the control
// twice as large, the whole system a 2 x 5 x 11 box (110). `exponent` scales
// every coordinate (micrometres "e3", centimetres "e-1").
void Write_Side(const std::filesystem::path& work, char side, const std::string& exponent = "",
                const std::string& species = kSpecies) {
  const long width = side == 'r' ? 1 : 2;
  for (long k = 1; k <= 11; ++k) {
    Write_File(work / Mesh_Path(side, kSegments[k - 1], species),
               Mesh_Text(Box(k, 2 * k, 3 * k, width, 1, k), exponent));
  }
  Write_File(work / Mesh_Path(side, "Control", species), Mesh_Text(Box(1, 1, 1, width, 6, 11), exponent));
  Write_File(work / Mesh_Path(side, "SCDS", species),
             Mesh_Text(side == 'r' ? Box(3, 4, 5, 3, 4, 5) : Box(-3, 4, 5, 2, 5, 11), exponent));
}

struct Report_Values {
  std::string Sa, Sp, Sl, CC, SC, UCa, UCp, Aa, Ap, Al, A, P, L, Total, SCDS, Control, S, D;
};

std::string Report(const Report_Values& v) {
  return "ENDOLYMPH VOLUMES\n\nAnterior slender duct: " + v.Sa + " mm^3\nPosterior slender duct: " + v.Sp +
         " mm^3\nLateral slender duct: " + v.Sl + " mm^3\n\nCommon crus: " + v.CC + " mm^3\nSimple crus: " + v.SC +
         " mm^3\n\nAnterior utricle: " + v.UCa + " mm^3\nPosterior utricle: " + v.UCp +
         " mm^3\n\nAnterior ampulla: " + v.Aa + " mm^3\nPosterior ampulla: " + v.Ap + " mm^3\nLateral ampulla: " +
         v.Al + " mm^3\n\nAnterior duct: " + v.A + " mm^3\nPosterior duct: " + v.P + " mm^3\nLateral duct: " + v.L +
         " mm^3\n\nTotal SCDS volume: " + v.Total + " mm^3\nSmoothed SCDS volume: " + v.SCDS +
         " mm^3\nSegmented SCDS volume: " + v.Control + " mm^3\n\nSmoothing effect: " + v.S +
         " %\nDivision error: " + v.D + " %\n";
}

// By hand: utricles 6 + 8 and 7 + 8; ducts (14 + 1) + 4 + 9, (15 + 2) + 4 + 10,
// (14 + 3) + 5 + 11; total 66; (60 - 66) / 66 and (66 - 60) / 60.
const Report_Values kRight = {"1.000000",  "2.000000",  "3.000000",  "4.000000",   "5.000000",  "14.000000",
                              "15.000000", "9.000000",  "10.000000", "11.000000",  "28.000000", "31.000000",
                              "33.000000", "66.000000", "60.000000", "66.000000",  "-9.090909", "10.000000"};
// Twice the segments: total 132; (110 - 132) / 132 and (132 - 110) / 110.
const Report_Values kLeft = {"2.000000",   "4.000000",   "6.000000",   "8.000000",   "10.000000",  "28.000000",
                             "30.000000",  "18.000000",  "20.000000",  "22.000000",  "56.000000",  "62.000000",
                             "66.000000",  "132.000000", "110.000000", "132.000000", "-16.666667", "20.000000"};

std::filesystem::path Report_File(const std::filesystem::path& work, char side) {
  return work / "Data" / kSpecies / (kSpecies + (side == 'r' ? "_R_Raw.volume" : "_L_Raw.volume"));
}
std::filesystem::path Species_Log(const std::filesystem::path& work) {
  return work / "Data" / kSpecies / (kSpecies + ".errorlog");
}
std::filesystem::path Temp_Log(const std::filesystem::path& work) {
  return work / "Data" / kSpecies / (kSpecies + "_temp_R.errorlog");
}

// "Ts", yes, the unit, the side, a key at the closing prompt.
std::string Answers(int unit, int side) {
  return kSpecies + "\n1\n" + std::to_string(unit) + "\n" + std::to_string(side) + "\nq\n";
}

// The console text of the side passes, between the side question and the
// closing prompt; a marker when the run's frame is not as it should be.
std::string Sides_Of(const scds_testing::Program_Run& run, const std::string& species = kSpecies) {
  const std::string head = Dialogue(species);
  if (run.status != 0) return "<status " + std::to_string(run.status) + ">";
  if (run.output.compare(0, head.size(), head) != 0) return "<other dialogue>\n" + run.output;
  if (run.output.size() < head.size() + kClosing.size() ||
      run.output.compare(run.output.size() - kClosing.size(), kClosing.size(), kClosing) != 0) {
    return "<no closing prompt>\n" + run.output;
  }
  return run.output.substr(head.size(), run.output.size() - head.size() - kClosing.size());
}

// A nan is written with whatever sign the arithmetic gives.
std::string Unsigned_Nan(std::string text) {
  for (std::size_t at; (at = text.find("-nan")) != std::string::npos;) text.erase(at, 1);
  return text;
}

TEST(BrindleckRun, EveryMeshReadInEachUnit) {
  struct Case {
    int unit;
    const char* exponent;
  };
  for (const Case& c : {Case{1, "e3"}, Case{2, ""}, Case{3, "e-1"}}) {
    Temp_Dir dir;
    Make_Species_Folder(dir.path, kSpecies);
    Write_Side(dir.path, 'r', c.exponent);
    const auto run = Run_Program("Brindleck", dir.path, Answers(c.unit, 1));
    // The side prints one empty line, then exactly the report's lines.
    EXPECT_EQ(Sides_Of(run), "\n" + Report(kRight)) << c.unit;
    EXPECT_EQ(Read_File(Report_File(dir.path, 'r')), Report(kRight)) << c.unit;
    EXPECT_FALSE(Exists(Report_File(dir.path, 'l')));
    EXPECT_FALSE(Exists(Species_Log(dir.path)));
    EXPECT_FALSE(Exists(Temp_Log(dir.path)));
  }
}

TEST(BrindleckRun, UnitDividesTheVolumes) {
  // Millimetre coordinates answered as centimetres: every volume times 1000,
  // the effects unchanged.
  Temp_Dir dir;
  Make_Species_Folder(dir.path, kSpecies);
  Write_Side(dir.path, 'r');
  Run_Program("Brindleck", dir.path, Answers(3, 1));
  const Report_Values thousand = {
      "1000.000000",  "2000.000000",  "3000.000000",  "4000.000000",  "5000.000000",  "14000.000000",
      "15000.000000", "9000.000000",  "10000.000000", "11000.000000", "28000.000000", "31000.000000",
      "33000.000000", "66000.000000", "60000.000000", "66000.000000", "-9.090909",    "10.000000"};
  EXPECT_EQ(Read_File(Report_File(dir.path, 'r')), Report(thousand));
}

struct Missing_Case {
  const char* name;
  std::vector<std::string> removed;  // meshes of the right side not written
  std::string console;               // the side pass
  std::optional<Report_Values> report;
  std::string messages;  // the species error log after its title line
};

std::string Lines_After_Sa() {
  return "Posterior slender duct: 2.000000 mm^3\nLateral slender duct: 3.000000 mm^3\n\nCommon crus: 4.000000 mm^3\n"
         "Simple crus: 5.000000 mm^3\n";
}
const std::string kHeadingAndSa = "\nENDOLYMPH VOLUMES\n\nAnterior slender duct: 1.000000 mm^3\n";
const std::string kUtricles = "\nAnterior utricle: 14.000000 mm^3\nPosterior utricle: 15.000000 mm^3\n";
const std::string kAmpullae =
    "\nAnterior ampulla: 9.000000 mm^3\nPosterior ampulla: 10.000000 mm^3\nLateral ampulla: 11.000000 mm^3\n";
const std::string kDucts =
    "\nAnterior duct: 28.000000 mm^3\nPosterior duct: 31.000000 mm^3\nLateral duct: 33.000000 mm^3\n";
const std::string kWhole = "Smoothed SCDS volume: 60.000000 mm^3\nSegmented SCDS volume: 66.000000 mm^3\n";

// The right side pass of the fixture meshes with Sa not read, `message`
// said in its place: no heading, no anterior duct, no total.
std::string Side_Without_Sa(const std::string& message) {
  return message + Lines_After_Sa() + kUtricles + kAmpullae +
         "Posterior duct: 31.000000 mm^3\nLateral duct: 33.000000 mm^3\n" + kWhole +
         "\nSmoothing effect: -9.090909 %\nDivision error: -100.000000 %\n";
}
Report_Values Report_Without_Sa() {
  Report_Values r = kRight;
  r.Sa = r.A = r.Total = "0.000000";
  r.D = "-100.000000";
  return r;
}

std::vector<Missing_Case> Missing_Cases() {
  std::vector<Missing_Case> cases;
  cases.push_back({"only Sa: no heading, no anterior duct, no total",
                   {"Sa"},
                   Side_Without_Sa(Missing(V('r', "Sa"))),
                   Report_Without_Sa(),
                   Missing(V('r', "Sa"))});
  {
    Report_Values r = kRight;
    r.UCa = r.UCp = r.A = r.P = r.L = r.Total = "0.000000";
    r.D = "-100.000000";
    cases.push_back({"only Uc: no utricle, duct or total",
                     {"Uc"},
                     kHeadingAndSa + Lines_After_Sa() + Missing(V('r', "Uc")) + kAmpullae + kWhole +
                         "\nSmoothing effect: -9.090909 %\nDivision error: -100.000000 %\n",
                     r, Missing(V('r', "Uc"))});
  }
  {
    Report_Values r = kRight;
    r.UCa = r.A = r.L = r.Total = "0.000000";
    r.D = "-100.000000";
    cases.push_back({"only Ua: posterior utricle and duct without their empty lines",
                     {"Ua"},
                     kHeadingAndSa + Lines_After_Sa() + Missing(V('r', "Ua")) +
                         "Posterior utricle: 15.000000 mm^3\n" + kAmpullae + "Posterior duct: 31.000000 mm^3\n" +
                         kWhole + "\nSmoothing effect: -9.090909 %\nDivision error: -100.000000 %\n",
                     r, Missing(V('r', "Ua"))});
  }
  {
    Report_Values r = kRight;
    r.Control = "0.000000";
    r.S = "inf";
    cases.push_back({"only the control mesh: counts nothing",
                     {"Control"},
                     kHeadingAndSa + Lines_After_Sa() + kUtricles + kAmpullae + kDucts +
                         "\nTotal SCDS volume: 66.000000 mm^3\n" + Missing(V('r', "Control")) +
                         "Smoothed SCDS volume: 60.000000 mm^3\nSegmented SCDS volume: 0.000000 mm^3\n"
                         "\nSmoothing effect: inf %\nDivision error: 10.000000 %\n",
                     r, Missing(V('r', "Control"))});
  }
  {
    Report_Values r = kRight;
    r.SCDS = "0.000000";
    r.S = "-100.000000";
    r.D = "inf";
    cases.push_back({"only the whole-system mesh: no smoothed or segmented line",
                     {"SCDS"},
                     kHeadingAndSa + Lines_After_Sa() + kUtricles + kAmpullae + kDucts +
                         "\nTotal SCDS volume: 66.000000 mm^3\n" + Missing(V('r', "SCDS")) +
                         "\nSmoothing effect: -100.000000 %\nDivision error: inf %\n",
                     r, Missing(V('r', "SCDS"))});
  }
  {
    const std::string zero = "0.000000";
    const Report_Values r = {"1.000000", zero, zero, zero,        zero,        zero,        zero,
                             zero,       zero, zero, zero,        zero,        zero,        zero,
                             "60.000000", "66.000000", "-9.090909", "-100.000000"};
    std::string console = kHeadingAndSa;
    std::string messages;
    for (std::size_t k = 1; k < kSegments.size(); ++k) {
      console += Missing(V('r', kSegments[k]));
      messages += Missing(V('r', kSegments[k]));
    }
    cases.push_back({"ten segments: the report stays with the one segment read",
                     {"Sp", "Sl", "CC", "SC", "Ua", "Up", "Uc", "Aa", "Ap", "Al"},
                     console + kWhole + "\nSmoothing effect: -9.090909 %\nDivision error: -100.000000 %\n",
                     r, messages});
  }
  {
    std::string eleven;
    for (const std::string& code : kSegments) eleven += Missing(V('r', code));
    cases.push_back({"all eleven segments: no report remains, control and whole system still shown",
                     kSegments,
                     eleven + kWhole + "\nSmoothing effect: -9.090909 %\nDivision error: -100.000000 %\n",
                     std::nullopt, eleven});
  }
  return cases;
}

TEST(BrindleckRun, MissingMeshes) {
  for (const Missing_Case& c : Missing_Cases()) {
    Temp_Dir dir;
    Make_Species_Folder(dir.path, kSpecies);
    Write_Side(dir.path, 'r');
    for (const std::string& code : c.removed) std::filesystem::remove(dir.path / V('r', code));
    // A report left by an earlier run is replaced, or removed.
    Write_File(Report_File(dir.path, 'r'), "an earlier report\n");
    const auto run = Run_Program("Brindleck", dir.path, Answers(2, 1));
    EXPECT_EQ(Sides_Of(run), c.console) << c.name;
    if (c.report) {
      EXPECT_EQ(Read_File(Report_File(dir.path, 'r')), Report(*c.report)) << c.name;
    } else {
      EXPECT_FALSE(Exists(Report_File(dir.path, 'r'))) << c.name;
    }
    // No empty line closes Brindleck's block.
    EXPECT_EQ(Read_File(Species_Log(dir.path)), "Brindleck Errors:\n" + c.messages) << c.name;
    EXPECT_FALSE(Exists(Temp_Log(dir.path))) << c.name;
  }
}

std::string Left_Without_Sp() {
  return "\nENDOLYMPH VOLUMES\n\nAnterior slender duct: 2.000000 mm^3\n" + Missing(V('l', "Sp")) +
         "Lateral slender duct: 6.000000 mm^3\n\nCommon crus: 8.000000 mm^3\nSimple crus: 10.000000 mm^3\n"
         "\nAnterior utricle: 28.000000 mm^3\nPosterior utricle: 30.000000 mm^3\n"
         "\nAnterior ampulla: 18.000000 mm^3\nPosterior ampulla: 20.000000 mm^3\nLateral ampulla: 22.000000 mm^3\n"
         "\nAnterior duct: 56.000000 mm^3\nLateral duct: 66.000000 mm^3\n"
         "Smoothed SCDS volume: 110.000000 mm^3\nSegmented SCDS volume: 132.000000 mm^3\n"
         "\nSmoothing effect: -16.666667 %\nDivision error: -100.000000 %\n";
}

TEST(BrindleckRun, BothSidesGiveWhatEachSideGivesAlone) {
  Report_Values left = kLeft;
  left.Sp = left.P = left.Total = "0.000000";
  left.D = "-100.000000";

  std::map<int, scds_testing::Program_Run> runs;
  std::map<int, std::string> right_report, left_report, log;
  for (int side : {1, 2, 3}) {
    Temp_Dir dir;
    Make_Species_Folder(dir.path, kSpecies);
    Write_Side(dir.path, 'r');
    Write_Side(dir.path, 'l');
    std::filesystem::remove(dir.path / V('l', "Sp"));
    runs[side] = Run_Program("Brindleck", dir.path, Answers(2, side));
    right_report[side] = Read_File(Report_File(dir.path, 'r'));
    left_report[side] = Read_File(Report_File(dir.path, 'l'));
    log[side] = Read_File(Species_Log(dir.path));
    EXPECT_FALSE(Exists(Temp_Log(dir.path)));
    EXPECT_FALSE(Exists(dir.path / "Data" / kSpecies / (kSpecies + "_temp_L.errorlog")));
  }
  EXPECT_EQ(Sides_Of(runs[1]), "\n" + Report(kRight));
  EXPECT_EQ(Sides_Of(runs[2]), Left_Without_Sp());
  // Nothing between the sides; one closing prompt.
  EXPECT_EQ(Sides_Of(runs[3]), "\n" + Report(kRight) + Left_Without_Sp());
  EXPECT_EQ(right_report[1], Report(kRight));
  EXPECT_EQ(right_report[3], Report(kRight));
  EXPECT_EQ(left_report[2], Report(left));
  EXPECT_EQ(left_report[3], Report(left));
  EXPECT_EQ(right_report[2], "<missing Ts_R_Raw.volume>");
  EXPECT_EQ(left_report[1], "<missing Ts_L_Raw.volume>");
  // Only the left pass's log grew: one block, the same as a left-only run's.
  EXPECT_EQ(log[1], "<missing Ts.errorlog>");
  EXPECT_EQ(log[2], "Brindleck Errors:\n" + Missing(V('l', "Sp")));
  EXPECT_EQ(log[3], log[2]);
}

TEST(BrindleckRun, FailuresOnBothSidesGiveTwoBlocks) {
  Temp_Dir dir;
  Make_Species_Folder(dir.path, kSpecies);
  Write_Side(dir.path, 'r');
  Write_Side(dir.path, 'l');
  for (const std::string& code : kSegments) std::filesystem::remove(dir.path / V('l', code));
  std::filesystem::remove(dir.path / V('r', "SCDS"));
  Write_File(Species_Log(dir.path), "an earlier block\n");
  const auto run = Run_Program("Brindleck", dir.path, Answers(2, 3));
  EXPECT_EQ(run.status, 0);
  std::string left_messages;
  for (const std::string& code : kSegments) left_messages += Missing(V('l', code));
  EXPECT_EQ(Read_File(Species_Log(dir.path)), "an earlier block\nBrindleck Errors:\n" + Missing(V('r', "SCDS")) +
                                                  "Brindleck Errors:\n" + left_messages);
  // Every left segment missing: no left report, the right one stays.
  EXPECT_TRUE(Exists(Report_File(dir.path, 'r')));
  EXPECT_FALSE(Exists(Report_File(dir.path, 'l')));
}

// A mesh refused after one that was read takes nothing from it: Sa is one
// slanted facet (1/6 mm^3), Sp the same facet in upper case. On both sides
// Sp counts as a mesh that cannot be read.
TEST(BrindleckRun, ARefusedMeshTakesNothingFromTheMeshReadBeforeIt) {
  const Triangle slanted = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  std::string upper = Facet_Text(slanted);
  for (char& ch : upper) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  }
  const std::string unreadable = "solid u\n" + upper + "endsolid u\n";

  std::map<int, std::string> sides;
  for (int side : {2, 3}) {
    Temp_Dir dir;
    Make_Species_Folder(dir.path, kSpecies);
    Write_File(dir.path / V('r', "Sa"), Mesh_Text({slanted}));
    Write_File(dir.path / V('r', "Sp"), unreadable);
    Write_File(dir.path / V('r', "Control"), Mesh_Text(Box(1, 1, 1, 1, 6, 11)));
    Write_File(dir.path / V('r', "SCDS"), Mesh_Text(Box(3, 4, 5, 3, 4, 5)));
    Write_File(dir.path / V('l', "Sp"), unreadable);
    Write_File(dir.path / V('l', "Control"), Mesh_Text(Box(1, 1, 1, 1, 6, 11)));
    Write_File(dir.path / V('l', "SCDS"), Mesh_Text(Box(3, 4, 5, 3, 4, 5)));
    sides[side] = Sides_Of(Run_Program("Brindleck", dir.path, Answers(2, side)));
  }
  std::string right_missing, left_missing;
  for (std::size_t k = 2; k < kSegments.size(); ++k) {
    right_missing += Missing(V('r', kSegments[k]));
    left_missing += Missing(V('l', kSegments[k]));
  }
  const std::string tail = kWhole + "\nSmoothing effect: -9.090909 %\nDivision error: -100.000000 %\n";
  const std::string right =
      "\nENDOLYMPH VOLUMES\n\nAnterior slender duct: 0.166667 mm^3\n" + Refused(V('r', "Sp")) + right_missing + tail;
  const std::string left = Missing(V('l', "Sa")) + Refused(V('l', "Sp")) + left_missing + tail;
  EXPECT_EQ(sides[2], left);
  EXPECT_EQ(sides[3], right + left);
}

TEST(BrindleckRun, RefusedAndBinaryMeshes) {
  Temp_Dir dir;
  Make_Species_Folder(dir.path, kSpecies);
  Write_Side(dir.path, 'r');
  // Sa whose end line is not "endsolid": read, then refused.
  std::string sa = Mesh_Text(Box(1, 2, 3, 1, 1, 1));
  sa.replace(sa.rfind("endsolid"), 8, "end");
  Write_File(dir.path / V('r', "Sa"), sa);
  // Sp and the control mesh as binary STL: 84 + 50 n bytes.
  std::string binary(84 + 50 * 12, 'x');
  binary[80] = 12;
  binary[81] = binary[82] = binary[83] = 0;
  Write_File(dir.path / V('r', "Sp"), binary);
  Write_File(dir.path / V('r', "Control"), binary);

  const auto run = Run_Program("Brindleck", dir.path, Answers(2, 1));
  EXPECT_EQ(Sides_Of(run),
            Refused(V('r', "Sa")) + Binary(V('r', "Sp")) +
                "Lateral slender duct: 3.000000 mm^3\n\nCommon crus: 4.000000 mm^3\nSimple crus: 5.000000 mm^3\n" +
                kUtricles + kAmpullae + "Lateral duct: 33.000000 mm^3\n" + Binary(V('r', "Control")) +
                "Smoothed SCDS volume: 60.000000 mm^3\nSegmented SCDS volume: 0.000000 mm^3\n"
                "\nSmoothing effect: inf %\nDivision error: -100.000000 %\n");
  Report_Values r = kRight;
  r.Sa = r.Sp = r.A = r.P = r.Total = r.Control = "0.000000";
  r.S = "inf";
  r.D = "-100.000000";
  EXPECT_EQ(Read_File(Report_File(dir.path, 'r')), Report(r));
  EXPECT_EQ(Read_File(Species_Log(dir.path)),
            "Brindleck Errors:\n" + Refused(V('r', "Sa")) + Binary(V('r', "Sp")) + Binary(V('r', "Control")));
}

// Sa in the layouts other tools write: refused as a mesh that cannot be
// read (its rows and the sums made from it as for a missing Sa), or, with
// CR LF line ends and blank lines after the end line, read as the plain
// mesh.
TEST(BrindleckRun, MeshLayouts) {
  const std::string plain = Mesh_Text(Box(1, 2, 3, 1, 1, 1));  // Sa as Write_Side writes it
  for (const Layout_Case& c : kLayouts) {
    SCOPED_TRACE(c.name);
    Temp_Dir dir;
    Make_Species_Folder(dir.path, kSpecies);
    Write_Side(dir.path, 'r');
    Write_File(dir.path / V('r', "Sa"), Laid_Out(c.layout, plain));
    const auto run = Run_Program("Brindleck", dir.path, Answers(2, 1));
    const std::string refused = Refused(V('r', "Sa"));
    EXPECT_EQ(Sides_Of(run), c.refused ? Side_Without_Sa(refused) : "\n" + Report(kRight));
    EXPECT_EQ(Read_File(Report_File(dir.path, 'r')), Report(c.refused ? Report_Without_Sa() : kRight));
    EXPECT_EQ(Read_File(Species_Log(dir.path)),
              c.refused ? "Brindleck Errors:\n" + refused : "<missing Ts.errorlog>");
    EXPECT_FALSE(Exists(Temp_Log(dir.path)));
  }
}

// A FIFO (or a link to /dev/zero) in place of a segment, control or
// whole-system mesh is handled at once as a mesh that cannot be opened: the
// run does what it does when that mesh is missing, within the time limit,
// and leaves no temporary log.
TEST(BrindleckRun, AMeshThatIsNotARegularFileIsOneThatCannotBeOpened) {
  struct Case {
    char side;
    const char* code;
    bool dev_zero;
  };
  const Case cases[] = {{'r', "Sa", false}, {'l', "SCDS", false}, {'l', "Control", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(V(c.side, c.code));
    Temp_Dir dir;
    Make_Species_Folder(dir.path, kSpecies);
    Write_Side(dir.path, 'r');
    Write_Side(dir.path, 'l');
    scds_testing::Expect_Odd_Input_As_Missing({"Brindleck", dir.path, V(c.side, c.code), c.dev_zero, Answers(2, 3)},
                                              {Missing(V(c.side, c.code)), "Data/Ts/Ts.errorlog", "Data/Ts/Ts_temp_R.errorlog"});
  }
}

// A link or a FIFO at the program's own names (each report's temporary name,
// the temporary log) is never followed or waited on; a FIFO at the species
// log sends the blocks to the unmerged log.
TEST(BrindleckRun, OwnNamesAreMadeAfresh) {
  Temp_Dir dir;
  Make_Species_Folder(dir.path, kSpecies);
  Write_Side(dir.path, 'r');
  Write_Side(dir.path, 'l');
  std::filesystem::remove(dir.path / V('l', "Sa"));  // a message for the log
  scds_testing::Expect_Own_Names_Made_Afresh({"Brindleck", dir.path, Answers(2, 3), {"Data/Ts/Ts_temp_R.errorlog"},
                                              "Data/Ts/Ts.errorlog", "Data/Ts/Ts_unmerged.errorlog",
                                              scds::brindleck::Brindleck_Paths("Ts")});
}

TEST(BrindleckRun, ReportThatCannotBeWritten) {
  struct Case {
    const char* name;
    bool segments;
  };
  for (const Case& c : {Case{"every mesh read", true}, Case{"every segment missing", false}}) {
    Temp_Dir dir;
    Make_Species_Folder(dir.path, kSpecies);
    Write_Side(dir.path, 'r');
    std::string missing;
    if (!c.segments) {
      for (const std::string& code : kSegments) {
        std::filesystem::remove(dir.path / V('r', code));
        missing += Missing(V('r', code));
      }
    }
    // A folder stands where the report goes.
    std::filesystem::create_directory(Report_File(dir.path, 'r'));
    const std::string cannot = Cannot_Write("Data/Ts/Ts_R_Raw.volume");
    const auto run = Run_Program("Brindleck", dir.path, Answers(2, 1));
    const std::string side =
        c.segments ? "\n" + Report(kRight)
                   : missing + kWhole + "\nSmoothing effect: -9.090909 %\nDivision error: -100.000000 %\n";
    EXPECT_EQ(Sides_Of(run), side + cannot) << c.name;
    EXPECT_EQ(Read_File(Species_Log(dir.path)), "Brindleck Errors:\n" + missing + cannot) << c.name;
    // The folder is not the program's to remove.
    EXPECT_TRUE(std::filesystem::is_directory(Report_File(dir.path, 'r'))) << c.name;
  }
}

// Ctrl-C while the meshes are read, after one that is missing: no report
// is written and none removed (the earlier one stays), the log block is
// merged, and the program ends by the signal. The signal comes at the
// second read of the next mesh, one of several blocks, so that it is read
// half-way.
TEST(BrindleckRun, AnInterruptWhileTheMeshesAreReadKeepsTheEarlierReport) {
  SCDS_REQUIRE_STRACE();
  Temp_Dir dir;
  Make_Species_Folder(dir.path, kSpecies);
  Write_Side(dir.path, 'r');
  std::filesystem::remove(dir.path / V('r', "Sa"));
  scds_testing::Write_Grid_Mesh(dir.path / V('r', "Sp"), 3000);
  Write_File(Report_File(dir.path, 'r'), "an earlier report\n");
  scds_testing::Trace_Request reads;
  reads.calls = "read";
  reads.paths = {V('r', "Sp")};
  reads.at = "read";
  reads.when = 2;
  reads.signal = SIGINT;
  const scds_testing::Traced_Run traced = scds_testing::Run_Traced("Brindleck", dir.path, Answers(2, 1), reads);
  const std::string& console = traced.run.output;
  EXPECT_EQ(traced.run.signal, SIGINT);
  // The signal came at that read: the mesh was not read to its end.
  ASSERT_EQ(traced.calls.size(), 2u);
  EXPECT_EQ(traced.calls[1].result, "65536");
  EXPECT_TRUE(console.starts_with(Dialogue(kSpecies))) << console;
  EXPECT_TRUE(console.ends_with(Missing(V('r', "Sa")))) << console;
  EXPECT_EQ(Read_File(Report_File(dir.path, 'r')), "an earlier report\n");
  EXPECT_EQ(Read_File(Species_Log(dir.path)), "Brindleck Errors:\n" + Missing(V('r', "Sa")));
  EXPECT_FALSE(Exists(Temp_Log(dir.path)));
  EXPECT_EQ(scds_testing::Temporary_Files(dir.path), std::vector<std::string>{});
}

TEST(BrindleckRun, SpeciesFolderMissing) {
  Temp_Dir dir;
  const auto run = Run_Program("Brindleck", dir.path, "Nf\n1\n2\n1\nq\n");
  std::string expected = "\nImpossible to write Data/Nf/Nf_temp_R.errorlog\n"
                         "Verify the species name and that its folder exists.\n"
                         "The messages go to this console only.\n";
  for (const std::string& code : kSegments) expected += Missing(Mesh_Path('r', code, "Nf"));
  expected += Missing(Mesh_Path('r', "Control", "Nf")) + Missing(Mesh_Path('r', "SCDS", "Nf"));
  expected += "\nSmoothing effect: nan %\nDivision error: nan %\n" + Cannot_Write("Data/Nf/Nf_R_Raw.volume");
  EXPECT_EQ(Unsigned_Nan(Sides_Of(run, "Nf")), expected);
  EXPECT_FALSE(Exists(dir.path / "Data"));
}

// A temporary log an interrupted run left is merged first, as a block of
// its own, before the run's own block.
TEST(BrindleckRun, ALeftOverTemporaryLogIsMergedFirst) {
  const std::string left_over = "Brindleck Errors:\nfrom an interrupted run\n";
  for (bool fails : {false, true}) {
    Temp_Dir dir;
    Make_Species_Folder(dir.path, kSpecies);
    Write_Side(dir.path, 'r');
    if (fails) std::filesystem::remove(dir.path / V('r', "Sa"));
    Write_File(Temp_Log(dir.path), left_over);
    const auto run = Run_Program("Brindleck", dir.path, Answers(2, 1));
    const std::string said = "\nData/" + kSpecies + "/" + kSpecies +
                             "_temp_R.errorlog holds messages an earlier run or side did not merge: they are merged "
                             "first.\n";
    EXPECT_NE(run.output.find(said), std::string::npos) << run.output;
    EXPECT_EQ(Read_File(Species_Log(dir.path)),
              left_over + (fails ? "Brindleck Errors:\n" + Missing(V('r', "Sa")) : ""));
    EXPECT_FALSE(Exists(Temp_Log(dir.path)));
  }
}

TEST(BrindleckRun, AnswersOutOfRangeOrNotWholeAreAskedAgain) {
  Temp_Dir dir;
  Make_Species_Folder(dir.path, kSpecies);
  Write_Side(dir.path, 'r');
  const auto run = Run_Program("Brindleck", dir.path, "Tx\n2\nTs\n0\n1\nmm\n4\n2\n1.5\n-1\n1\nq\n");
  const std::string expected =
      kBanner + kNamePrompt + Confirm("Tx") + kNamePrompt + Confirm("Ts") +
      "\nPlease only answer yes (1) or no (2):\n\n" + kUnitQuestion +
      "\nPlease only answer micrometers (1), millimeters (2) or centimeters (3):\n\n"
      "\nPlease only answer micrometers (1), millimeters (2) or centimeters (3):\n\n" +
      kSideQuestion + "\nPlease only answer right (1), left (2) or both (3):\n\n" +
      "\nPlease only answer right (1), left (2) or both (3):\n\n" + "\n" + Report(kRight) + kClosing;
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, expected);
}

TEST(BrindleckRun, EndOfInputBeforeTheSideIsKnown) {
  for (const std::string answers : {"", "Ts\n", "Ts\n1\n", "Ts\n1\n2\n", "Ts\n1\n2\n7\n"}) {
    Temp_Dir dir;
    Make_Species_Folder(dir.path, kSpecies);
    Write_Side(dir.path, 'r');
    const auto run = Run_Program("Brindleck", dir.path, answers);
    EXPECT_EQ(run.status, 1) << answers;
    EXPECT_EQ(run.output.find("Press any key"), std::string::npos) << answers;
    EXPECT_FALSE(Exists(Report_File(dir.path, 'r'))) << answers;
    EXPECT_FALSE(Exists(Temp_Log(dir.path))) << answers;
  }
  // At the closing prompt the end of input just ends the wait.
  Temp_Dir dir;
  Make_Species_Folder(dir.path, kSpecies);
  Write_Side(dir.path, 'r');
  const auto run = Run_Program("Brindleck", dir.path, "Ts\n1\n2\n1\n");
  EXPECT_EQ(Sides_Of(run), "\n" + Report(kRight));
}

TEST(BrindleckRun, SpeciesNameLength) {
  // The control mesh path, 2n + 37 characters, is the longest.
  EXPECT_EQ(scds::brindleck::Brindleck_Max_Name(), 108u);
  const std::string longest(108, 'n');
  EXPECT_EQ(Mesh_Path('r', "Control", longest).size(), 253u);
  Temp_Dir dir;
  Make_Species_Folder(dir.path, longest);
  Write_Side(dir.path, 'r', "", longest);
  const auto run = Run_Program("Brindleck", dir.path, std::string(109, 'n') + "\n" + longest + "\n1\n2\n1\nq\n");
  EXPECT_EQ(run.status, 0);
  const std::string expected =
      kBanner + kNamePrompt + "\nThis name is too long for the file names it makes: use at most 108 characters.\n" +
      kNamePrompt + Confirm(longest) + kUnitQuestion + kSideQuestion + "\n" + Report(kRight) + kClosing;
  EXPECT_EQ(run.output, expected);
  EXPECT_EQ(Read_File(dir.path / "Data" / longest / (longest + "_R_Raw.volume")), Report(kRight));
}

// The sample species of examples/, run with its answers: both sides in
// micrometres. The reports are those of volumes/tests/expected_volumes.py.
TEST(BrindleckRun, SampleSpecies) {
  Temp_Dir dir;
  std::filesystem::copy(SCDS_EXAMPLES_DIR "/Data", dir.path / "Data", std::filesystem::copy_options::recursive);
  const std::string answers = Read_File(SCDS_EXAMPLES_DIR "/answers/Brindleck.txt");
  const auto run = Run_Program("Brindleck", dir.path, answers);
  const std::string right =
      "ENDOLYMPH VOLUMES\n\n"
      "Anterior slender duct: 0.117560 mm^3\nPosterior slender duct: 0.121069 mm^3\n"
      "Lateral slender duct: 0.086104 mm^3\n\n"
      "Common crus: 0.092610 mm^3\nSimple crus: 0.049596 mm^3\n\n"
      "Anterior utricle: 1.000294 mm^3\nPosterior utricle: 0.876512 mm^3\n\n"
      "Anterior ampulla: 0.156511 mm^3\nPosterior ampulla: 0.143104 mm^3\nLateral ampulla: 0.130484 mm^3\n\n"
      "Anterior duct: 1.366975 mm^3\nPosterior duct: 1.233293 mm^3\nLateral duct: 1.266478 mm^3\n\n"
      "Total SCDS volume: 2.213933 mm^3\nSmoothed SCDS volume: 2.129805 mm^3\n"
      "Segmented SCDS volume: 2.222789 mm^3\n\n"
      "Smoothing effect: -4.183221 %\nDivision error: 3.950030 %\n";
  const std::string left =
      "ENDOLYMPH VOLUMES\n\n"
      "Anterior slender duct: 0.107294 mm^3\nPosterior slender duct: 0.110497 mm^3\n"
      "Lateral slender duct: 0.078584 mm^3\n\n"
      "Common crus: 0.084522 mm^3\nSimple crus: 0.045265 mm^3\n\n"
      "Anterior utricle: 0.912942 mm^3\nPosterior utricle: 0.799969 mm^3\n\n"
      "Anterior ampulla: 0.142844 mm^3\nPosterior ampulla: 0.130607 mm^3\nLateral ampulla: 0.119090 mm^3\n\n"
      "Anterior duct: 1.247601 mm^3\nPosterior duct: 1.125594 mm^3\nLateral duct: 1.155881 mm^3\n\n"
      "Total SCDS volume: 2.020598 mm^3\nSmoothed SCDS volume: 1.943815 mm^3\n"
      "Segmented SCDS volume: 2.028680 mm^3\n\n"
      "Smoothing effect: -4.183230 %\nDivision error: 3.950076 %\n";
  EXPECT_EQ(Sides_Of(run, "Sample"), "\n" + right + "\n" + left);
  EXPECT_EQ(Read_File(dir.path / "Data/Sample/Sample_R_Raw.volume"), right);
  EXPECT_EQ(Read_File(dir.path / "Data/Sample/Sample_L_Raw.volume"), left);
  EXPECT_FALSE(Exists(dir.path / "Data/Sample/Sample.errorlog"));
  EXPECT_FALSE(Exists(dir.path / "Data/Sample/Sample_temp_R.errorlog"));
}

}  // namespace
