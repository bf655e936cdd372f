// The built program end to end: a species folder in a temporary directory,
// the answers on standard input, the console text, the species error log
// and the exit status.
#include <gtest/gtest.h>

#include <linux/fs.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "biomechanics_paths.h"
#include "biomechanics_state.h"
#include "expected_rows.h"
#include "file_flags.h"
#include "odd_input.h"
#include "own_names.h"
#include "ostravel.h"
#include "output_file.h"
#include "scds_testing.h"

namespace {

#include "first_half_fixture.inc"
#include "second_half_fixture.inc"

using scds_testing::Exists;
using scds_testing::Read_File;
using scds_testing::Run_Program;
using scds_testing::Temp_Dir;

const std::string kBanner =
    "\n\n###################################################\n"
    "#                                                 #\n"
    "#     Computation of Biomechanical Parameters     #\n"
    "#                                                 #\n"
    "#                  Version 1.1                    #\n"
    "#                                                 #\n"
    "###################################################\n"
    "\n"
    "Part of the semicircular duct system analysis suite.\n\n"
    "INPUT FILES:\n\n"
    "IN FOLDER: Data/SPECIESNAME/\n\n"
    "SPECIESNAME_Cor.morph\n"
    "SPECIESNAME_MinusCor.morph\n"
    "SPECIESNAME_PlusCor.morph\n\n"
    "IN FOLDER: Data/SPECIESNAME/FEA/\n\n"
    "rfea_SPECIESNAME_Ant_Cilia_Long.deflection\n"
    "rfea_SPECIESNAME_Ant_Cilia_Medium.deflection\n"
    "rfea_SPECIESNAME_Ant_Cilia_Short.deflection\n"
    "rfea_SPECIESNAME_Post_Cilia_Long.deflection\n"
    "rfea_SPECIESNAME_Post_Cilia_Medium.deflection\n"
    "rfea_SPECIESNAME_Post_Cilia_Short.deflection\n"
    "rfea_SPECIESNAME_Lat_Cilia_Long.deflection\n"
    "rfea_SPECIESNAME_Lat_Cilia_Medium.deflection\n"
    "rfea_SPECIESNAME_Lat_Cilia_Short.deflection\n\n"
    "and/or\n\n"
    "lfea_SPECIESNAME_Ant_Cilia_Long.deflection\n"
    "lfea_SPECIESNAME_Ant_Cilia_Medium.deflection\n"
    "lfea_SPECIESNAME_Ant_Cilia_Short.deflection\n"
    "lfea_SPECIESNAME_Post_Cilia_Long.deflection\n"
    "lfea_SPECIESNAME_Post_Cilia_Medium.deflection\n"
    "lfea_SPECIESNAME_Post_Cilia_Short.deflection\n"
    "lfea_SPECIESNAME_Lat_Cilia_Long.deflection\n"
    "lfea_SPECIESNAME_Lat_Cilia_Medium.deflection\n"
    "lfea_SPECIESNAME_Lat_Cilia_Short.deflection\n\n"
    "and\n\n"
    "rfea_SPECIESNAME_Ant_Cilia_Long.sif\n\n"
    "and/or\n\n"
    "lfea_SPECIESNAME_Ant_Cilia_Long.sif\n\n"
    "IN FOLDER: Data/SPECIESNAME/Matrix\n\n"
    "SPECIESNAME_uncoupled.transmat\n\n"
    "OUTPUT FILES:\n\n"
    "IN FOLDER: Data/SPECIESNAME/\n\n"
    "SPECIESNAME_Cor.biomecha\n"
    "SPECIESNAME_MinusCor.biomecha\n"
    "SPECIESNAME_PlusCor.biomecha\n"
    "SPECIESNAME_Cor_Extended.biomecha\n"
    "SPECIESNAME_MinusCor_Extended.biomecha\n"
    "SPECIESNAME_PlusCor_Extended.biomecha\n\n"
    "IN FOLDER: Data/SPECIESNAME/VestRef/MaxAxes/\n\n"
    "rma_SPECIESNAME_Ant.lineset\n"
    "rma_SPECIESNAME_Post.lineset\n"
    "rma_SPECIESNAME_Lat.lineset\n\n"
    "and\n\n"
    "lma_SPECIESNAME_Ant.lineset\n"
    "lma_SPECIESNAME_Post.lineset\n"
    "lma_SPECIESNAME_Lat.lineset\n\n"
    "IN FOLDER: Data/SPECIESNAME/Matrix\n\n"
    "SPECIESNAME.transmat\n\n"
    "Requests, questions and bug reports are welcome:\nplease send them to the project's issue tracker.\n\n";

const std::string kNamePrompt = "\nPlease enter the exact species name your files use:\n\n";

std::string Confirmation(const std::string& name) {
  return "\nIs " + name + " the correct name?\n\n1. Yes\n2. No\n\n";
}

const std::string kTemperature = "\nPlease enter body temperature (C):\n\n";
const std::string kViscosity = "\nPlease enter endolymph viscosity factor (e-5 Pa.s):\n\n";
const std::string kEndolymph = "\nPlease enter endolymph density (kg/m^3):\n\n";
const std::string kCupula = "\nPlease enter cupula density (kg/m^3):\n\n";
const std::string kMaterialDialogue = kTemperature + "\n" + kViscosity + "\n" + kEndolymph + "\n" + kCupula + "\n";
const std::string kClosing = "\nPress any key, then Enter to exit.";

const std::string kSifMessage =
    "\nImpossible to read \"Ant_Long\" sif files.\nVerify both species name and files name.\n";

std::string Deflection_Message(const std::string& label) {
  return "\nImpossible to read \"" + label + "\" deflection files.\nVerify both species name and files name.\n";
}

std::string Morph_Message(const std::string& set) {
  return "\nImpossible to read Data/Fx/Fx_" + set + ".morph\nVerify both species name and morpho file name.\n";
}

const std::string kUncoupledMissing =
    "\nImpossible to read Data/Fx/Matrix/Fx_uncoupled.transmat\nVerify transfert matrix file name.\n";
const std::string kUncoupledUnusable =
    "\nImpossible to use Data/Fx/Matrix/Fx_uncoupled.transmat\nThe uncoupled transform matrix is incomplete or not "
    "finite; run Quintarel again.\n";
const std::string kNotComputed =
    "\nThe vestibular transform matrix could not be computed; Data/Fx/Matrix/Fx.transmat was not written.\n";
const std::string kKept = "\nThe uncoupled matrix Data/Fx/Matrix/Fx_uncoupled.transmat was kept for the next run.\n";

std::string Cannot_Write(const std::string& path) {
  return "\nImpossible to write " + path + "\nVerify that its folder exists and has room.\n";
}

const std::string kUncoupledPath = "Data/Fx/Matrix/Fx_uncoupled.transmat";
const std::string kTransmatPath = "Data/Fx/Matrix/Fx.transmat";

// The text of a file of the fixture species.
std::string Fixture_Text(const std::string& path) {
  for (const Fixture_File& file : kFixtureFiles) {
    if (file.path == path) return file.text;
  }
  throw std::runtime_error("no fixture file " + path);
}

const std::string kUncoupledText = Fixture_Text(kUncoupledPath);

const std::string kAnswers = std::string("Fx\n1\n") + kMaterialAnswers + "x\n";

// The console echo of the Cor pass's short report, from its first line to
// its shear-modulus row, is replaced by this mark (its text is checked with
// the reports).
const std::string kEcho = "[echo]";

std::string Echo_Marked(std::string output) {
  const std::size_t begin = output.find("CUPULA FINITE ELEMENT ANALYSIS\n");
  if (begin == std::string::npos) return output;
  const std::size_t last = output.find("\nCupula Shear modulus: ", begin);
  if (last == std::string::npos) return output;
  const std::size_t end = output.find('\n', last + 1);
  if (end == std::string::npos) return output;
  return output.replace(begin, end + 1 - begin, kEcho);
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// The fixture species with every input (the MinusCor set as the Cor one).
struct Species_Folder {
  Temp_Dir dir;
  explicit Species_Folder(bool with_files = true) {
    scds_testing::Make_Species_Folder(dir.path, kSpecies);
    if (!with_files) return;
    for (const Fixture_File& file : kFixtureFiles) {
      scds_testing::Write_File(dir.path / file.path, file.text);
      if (std::string(file.path) == "Data/Fx/Fx_Cor.morph") {
        scds_testing::Write_File(dir.path / "Data/Fx/Fx_MinusCor.morph", file.text);
      }
    }
  }
  std::filesystem::path File(const std::string& path) const { return dir.path / path; }
  void Remove(const std::string& path) const { ASSERT_TRUE(std::filesystem::remove(File(path))) << path; }
  std::string Log() const { return Read_File(File("Data/Fx/Fx.errorlog")); }
  bool Temp_Log_Gone() const { return !Exists(File("Data/Fx/Fx_temp.errorlog")); }
};

// The two points of a line set: "<x>x\t<y>y\t<z>z\n" on its lines 4 and 5.
std::array<std::array<double, 3>, 2> Line_Set_Points(const std::string& text) {
  std::array<std::array<double, 3>, 2> points{};
  std::size_t at = text.find("{ {\n");
  if (at == std::string::npos) return points;
  const char* cursor = text.c_str() + at + 4;
  for (auto& point : points) {
    for (double& value : point) {
      char* end = nullptr;
      value = std::strtod(cursor, &end);
      cursor = end + 2;  // the axis letter and the tab or line end
    }
  }
  return points;
}

TEST(OstravelRun, CompleteSpeciesRunsSilentlyToTheClosingPrompt) {
  Species_Folder species;
  // A material constant that is not a number is asked again at once.
  const auto run = Run_Program("Ostravel", species.dir.path, std::string("Fx\n1\n37\n2.414\none\n") +
                                                                  "1000\n1100\nx\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Echo_Marked(run.output), kBanner + kNamePrompt + Confirmation("Fx") + kTemperature + "\n" + kViscosity +
                                         "\n" + kEndolymph + kEndolymph + "\n" + kCupula + "\n" + kEcho + kClosing);
  // Nothing failed: the temporary log is gone and nothing was merged.
  EXPECT_TRUE(species.Temp_Log_Gone());
  EXPECT_FALSE(Exists(species.File("Data/Fx/Fx.errorlog")));
}

// The Cor pass's hand-over, byte for byte as expected_second_half.py works
// it out: six line sets and the vestibular matrix; Quintarel's matrix is
// used up.
TEST(OstravelRun, WritesTheLineSetsAndTheVestibularMatrix) {
  Species_Folder species;
  const auto run = Run_Program("Ostravel", species.dir.path, kAnswers);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Echo_Marked(run.output), kBanner + kNamePrompt + Confirmation("Fx") + kMaterialDialogue + kEcho + kClosing);
  for (const Fixture_File& file : kLineSets) EXPECT_EQ(Read_File(species.File(file.path)), file.text) << file.path;
  EXPECT_EQ(Read_File(species.File(kTransmat.path)), kTransmat.text);
  EXPECT_FALSE(Exists(species.File(kUncoupledPath)));
  EXPECT_FALSE(Exists(species.File("Data/Fx/Fx.errorlog")));

  // Each left line set runs along its right one mirrored (x and z negated).
  for (int k = 0; k < 3; ++k) {
    const auto right = Line_Set_Points(Read_File(species.File(kLineSets[k].path)));
    const auto left = Line_Set_Points(Read_File(species.File(kLineSets[k + 3].path)));
    const double sign[3] = {-1.0, 1.0, -1.0};
    for (int a = 0; a < 3; ++a) {
      const double along_right = (right[1][a] - right[0][a]) / 3333.0;
      const double along_left = (left[1][a] - left[0][a]) / 3333.0;
      EXPECT_NEAR(along_left, sign[a] * along_right, 1e-9) << kLineSets[k + 3].path << " axis " << a;
    }
  }
}

// A second run without a new uncoupled matrix reports it and leaves the
// vestibular matrix of the first run as it was.
TEST(OstravelRun, SecondRunKeepsTheVestibularMatrix) {
  Species_Folder species;
  ASSERT_EQ(Run_Program("Ostravel", species.dir.path, kAnswers).status, 0);
  const auto again = Run_Program("Ostravel", species.dir.path, kAnswers);
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(Echo_Marked(again.output), kBanner + kNamePrompt + Confirmation("Fx") + kMaterialDialogue +
                                          kUncoupledMissing + kNotComputed + kEcho + kClosing);
  EXPECT_EQ(species.Log(), "Ostravel Errors:\n" + kUncoupledMissing + kNotComputed + "\n");
  EXPECT_EQ(Read_File(species.File(kTransmat.path)), kTransmat.text);
  for (const Fixture_File& file : kLineSets) EXPECT_EQ(Read_File(species.File(file.path)), file.text) << file.path;
}

// A run that cannot write the vestibular matrix (here: the Cor morphometry
// is missing) keeps Quintarel's matrix byte for byte; the next run, with
// the morphometry back, writes the vestibular matrix from it and only then
// uses it up.
TEST(OstravelRun, TheUncoupledMatrixWaitsForTheVestibularMatrix) {
  Species_Folder species;
  const std::string morph = Read_File(species.File("Data/Fx/Fx_Cor.morph"));
  species.Remove("Data/Fx/Fx_Cor.morph");
  const auto first = Run_Program("Ostravel", species.dir.path, kAnswers);
  EXPECT_EQ(first.status, 0);
  const std::string messages = Morph_Message("Cor") + kNotComputed + kKept;
  EXPECT_EQ(Echo_Marked(first.output), kBanner + kNamePrompt + Confirmation("Fx") + kMaterialDialogue + messages +
                                           kEcho + kClosing);
  EXPECT_EQ(species.Log(), "Ostravel Errors:\n" + messages + "\n");
  EXPECT_EQ(Read_File(species.File(kUncoupledPath)), kUncoupledText);
  EXPECT_FALSE(Exists(species.File(kTransmatPath)));

  scds_testing::Write_File(species.File("Data/Fx/Fx_Cor.morph"), morph);
  const auto second = Run_Program("Ostravel", species.dir.path, kAnswers);
  EXPECT_EQ(second.status, 0);
  EXPECT_EQ(Echo_Marked(second.output), kBanner + kNamePrompt + Confirmation("Fx") + kMaterialDialogue + kEcho + kClosing);
  EXPECT_EQ(Read_File(species.File(kTransmat.path)), kTransmat.text);
  EXPECT_FALSE(Exists(species.File(kUncoupledPath)));
  EXPECT_EQ(species.Log(), "Ostravel Errors:\n" + messages + "\n");
}

// A vestibular matrix written from an uncoupled matrix that this run cannot
// remove: in a shared (sticky, mode 1777) Matrix folder where it is
// another user's (root's) file and the run the unprivileged user's, or
// marked immutable. The next run would use it again: it is said and stays,
// and the vestibular matrix stands.
TEST(OstravelRun, AnUncoupledMatrixThatCannotBeRemovedIsSaid) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can leave a file to another user or mark it immutable";
  const std::string message = "\nImpossible to remove " + kUncoupledPath +
                              "\nThe uncoupled matrix is used up but remains: remove it by hand.\n";
  for (bool shared_folder : {true, false}) {
    SCOPED_TRACE(shared_folder ? "another user's file in a shared folder" : "an immutable file");
    Species_Folder species;
    scds_testing::Run_Options options;
    if (shared_folder) {
      std::filesystem::permissions(species.File("Data/Fx/Matrix"),
                                   std::filesystem::perms::all | std::filesystem::perms::sticky_bit);
      options.unprivileged = true;
      options.left_to_root = {"Data/Fx/Matrix", kUncoupledPath};
    }
    std::optional<scds_testing::File_Flag> flag;
    if (!shared_folder) {
      flag.emplace(species.File(kUncoupledPath), FS_IMMUTABLE_FL);
      if (!flag->set) GTEST_SKIP() << "the file system here keeps no immutable flag";
    }
    const auto run = Run_Program("Ostravel", species.dir.path, kAnswers, options);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Echo_Marked(run.output),
              kBanner + kNamePrompt + Confirmation("Fx") + kMaterialDialogue + message + kEcho + kClosing);
    EXPECT_EQ(species.Log(), "Ostravel Errors:\n" + message + "\n");
    EXPECT_EQ(Read_File(species.File(kUncoupledPath)), kUncoupledText);
    EXPECT_EQ(Read_File(species.File(kTransmat.path)), kTransmat.text);
    for (const Fixture_File& file : kLineSets) EXPECT_EQ(Read_File(species.File(file.path)), file.text) << file.path;
  }
}

// An uncoupled matrix that is missing, short or not finite: its message,
// no vestibular matrix (an earlier one stays), a file that was there kept
// as it was (and said so), and the closing empty line of the log block.
TEST(OstravelRun, UnusableUncoupledMatrix) {
  const std::string earlier = "1.000000\t0.000000\t0.000000\n0.000000\t1.000000\t0.000000\n0.000000\t0.000000\t1.000000";
  struct Case {
    const char* name;
    const char* text;  // nullptr: no file
    std::string message;  // with the closing messages
  };
  const std::string unusable = kUncoupledUnusable + kNotComputed + kKept;
  const Case cases[] = {
      {"missing", nullptr, kUncoupledMissing + kNotComputed},
      {"empty", "", unusable},
      {"eight values", "0.583107\t0.797331\t0.155493\n-0.792650\t0.598912\t-0.113824\n-0.183814\t-0.074325",
       unusable},
      {"a value that does not parse",
       "0.583107\t0.797331\t0.155493\n-0.792650\tx\t-0.113824\n-0.183814\t-0.074325\t0.980147", unusable},
      {"a nan", "0.583107\t0.797331\t0.155493\n-0.792650\tnan\t-0.113824\n-0.183814\t-0.074325\t0.980147",
       unusable},
      {"an infinite value", "0.583107\t0.797331\t0.155493\n-0.792650\t0.598912\t-0.113824\n-0.183814\t-0.074325\t1e999",
       unusable},
  };
  for (const Case& c : cases) {
    for (bool with_earlier : {false, true}) {
      Species_Folder species;
      species.Remove(kUncoupledPath);
      if (c.text != nullptr) scds_testing::Write_File(species.File(kUncoupledPath), c.text);
      if (with_earlier) scds_testing::Write_File(species.File(kTransmatPath), earlier);
      const auto run = Run_Program("Ostravel", species.dir.path, kAnswers);
      EXPECT_EQ(run.status, 0) << c.name;
      EXPECT_EQ(Echo_Marked(run.output),
                kBanner + kNamePrompt + Confirmation("Fx") + kMaterialDialogue + c.message + kEcho + kClosing)
          << c.name;
      EXPECT_EQ(species.Log(), "Ostravel Errors:\n" + c.message + "\n") << c.name;
      EXPECT_EQ(Read_File(species.File(kUncoupledPath)), c.text != nullptr ? c.text : "<missing Fx_uncoupled.transmat>")
          << c.name;
      if (with_earlier) {
        EXPECT_EQ(Read_File(species.File(kTransmatPath)), earlier) << c.name;
      } else {
        EXPECT_FALSE(Exists(species.File(kTransmatPath))) << c.name;
      }
      // The line sets do not depend on it.
      EXPECT_EQ(Read_File(species.File(kLineSets[0].path)), kLineSets[0].text) << c.name;
    }
  }
}

// Outputs that cannot be written are reported once each, counted, and leave
// no file; the others are still written.
TEST(OstravelRun, OutputsThatCannotBeWritten) {
  {
    Species_Folder species;
    std::filesystem::remove_all(species.File("Data/Fx/VestRef/MaxAxes"));
    const auto run = Run_Program("Ostravel", species.dir.path, kAnswers);
    EXPECT_EQ(run.status, 0);
    std::string messages;
    for (const Fixture_File& file : kLineSets) messages += Cannot_Write(file.path);
    EXPECT_EQ(Echo_Marked(run.output),
              kBanner + kNamePrompt + Confirmation("Fx") + kMaterialDialogue + messages + kEcho + kClosing);
    EXPECT_EQ(species.Log(), "Ostravel Errors:\n" + messages + "\n");
    EXPECT_EQ(Read_File(species.File(kTransmat.path)), kTransmat.text);
  }
  {
    Species_Folder species;
    std::filesystem::create_directory(species.File(kTransmatPath));
    const auto run = Run_Program("Ostravel", species.dir.path, kAnswers);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Echo_Marked(run.output), kBanner + kNamePrompt + Confirmation("Fx") + kMaterialDialogue +
                                           Cannot_Write(kTransmatPath) + kKept + kEcho + kClosing);
    EXPECT_EQ(species.Log(), "Ostravel Errors:\n" + Cannot_Write(kTransmatPath) + kKept + "\n");
    EXPECT_TRUE(std::filesystem::is_directory(species.File(kTransmatPath)));
    EXPECT_EQ(Read_File(species.File(kUncoupledPath)), kUncoupledText);
  }
  {
    // A write that fails on the way (a full disk; here the write seam fails
    // it after its first 20 bytes, in a run of the program's entry point)
    // leaves the matrix of an earlier run as it was, for Saxmorrow.
    Species_Folder species;
    const std::string older = "1.000000\t0.000000\t0.000000\n0.000000\t1.000000\t0.000000\n0.000000\t0.000000\t1.000000";
    scds_testing::Write_File(species.File(kTransmatPath), older);
    scds::write_failure_seam = {species.File(kTransmatPath), 20};
    std::istringstream in(kAnswers);
    std::ostringstream out;
    const int status = scds::ostravel::Run_Ostravel(in, out, species.dir.path);
    scds::write_failure_seam = {};
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Echo_Marked(out.str()), kBanner + kNamePrompt + Confirmation("Fx") + kMaterialDialogue +
                                          Cannot_Write(kTransmatPath) + kKept + kEcho + kClosing);
    EXPECT_EQ(Read_File(species.File(kTransmatPath)), older);
    EXPECT_EQ(Read_File(species.File(kUncoupledPath)), kUncoupledText);
    EXPECT_FALSE(Exists(species.File(kTransmatPath + ".partial")));
  }
}

// Missing inputs run through every stage to the closing prompt, merge the
// error log and exit 0. Where the Cor pass cannot give a rotation (its
// morphometry, both .sif files, its Long or Medium deflections), no
// vestibular matrix is written.
TEST(OstravelRun, MissingInputsGiveTheirErrorLogBlocks) {
  struct Case {
    const char* name;
    std::vector<std::string> removed;
    std::string before_prompts;  // console and log, in order
    std::string after_prompts;
    bool transmat;         // the vestibular matrix is written
    std::string after_echo = "";  // the messages that come after the Cor pass's echo
  };
  const std::string fea = "Data/Fx/FEA/";
  const Case cases[] = {
      {"one deflection file", {fea + "lfea_Fx_Lat_Cilia_Short.deflection"}, "", "", true},
      {"one sif file", {fea + "rfea_Fx_Ant_Cilia_Long.sif"}, "", "", true},
      {"both sif files",
       {fea + "rfea_Fx_Ant_Cilia_Long.sif", fea + "lfea_Fx_Ant_Cilia_Long.sif"},
       kSifMessage,
       kNotComputed + kKept,
       false},
      {"the Ant Long deflection pair",
       {fea + "rfea_Fx_Ant_Cilia_Long.deflection", fea + "lfea_Fx_Ant_Cilia_Long.deflection"},
       "",
       Deflection_Message("Ant_Long") + kNotComputed + kKept,
       false},
      {"the Post Medium deflection pair (its right file is already missing)",
       {fea + "lfea_Fx_Post_Cilia_Medium.deflection"},
       "",
       Deflection_Message("Post_Medium") + kNotComputed + kKept,
       false},
      {"the Lat Short deflection pair (the response planes come from the medium case)",
       {fea + "rfea_Fx_Lat_Cilia_Short.deflection", fea + "lfea_Fx_Lat_Cilia_Short.deflection"},
       "",
       Deflection_Message("Lat_Short"),
       true},
      {"the Cor morphometry", {"Data/Fx/Fx_Cor.morph"}, "", Morph_Message("Cor") + kNotComputed + kKept, false},
      {"the PlusCor morphometry", {"Data/Fx/Fx_PlusCor.morph"}, "", Morph_Message("PlusCor"), true,
       Morph_Message("PlusCor")},
      {"the three morphometry files",
       {"Data/Fx/Fx_Cor.morph", "Data/Fx/Fx_PlusCor.morph", "Data/Fx/Fx_MinusCor.morph"},
       "",
       Morph_Message("Cor") + kNotComputed + kKept + Morph_Message("PlusCor") + Morph_Message("MinusCor"),
       false,
       Morph_Message("PlusCor") + Morph_Message("MinusCor")},
  };
  for (const Case& c : cases) {
    Species_Folder species;
    for (const std::string& path : c.removed) species.Remove(path);
    const auto run = Run_Program("Ostravel", species.dir.path, kAnswers);
    EXPECT_EQ(run.status, 0) << c.name;
    // The .sif messages come before the prompts, the others after them; the
    // PlusCor and MinusCor passes' after the echo.
    const std::string before_echo = c.after_prompts.substr(0, c.after_prompts.size() - c.after_echo.size());
    EXPECT_EQ(Echo_Marked(run.output), kBanner + kNamePrompt + Confirmation("Fx") + c.before_prompts +
                                           kMaterialDialogue + before_echo + kEcho + c.after_echo + kClosing)
        << c.name;
    EXPECT_TRUE(species.Temp_Log_Gone()) << c.name;
    const std::string messages = c.before_prompts + c.after_prompts;
    if (messages.empty()) {
      EXPECT_FALSE(Exists(species.File("Data/Fx/Fx.errorlog"))) << c.name;
    } else {
      // Any message, counted or not, closes the block with an empty line.
      EXPECT_EQ(species.Log(), "Ostravel Errors:\n" + messages + "\n") << c.name;
    }
    EXPECT_EQ(Exists(species.File(kTransmatPath)), c.transmat) << c.name;
    EXPECT_EQ(Read_File(species.File(kUncoupledPath)),
              c.transmat ? "<missing Fx_uncoupled.transmat>" : kUncoupledText)
        << c.name;
    // The line sets are written in every case.
    for (const Fixture_File& file : kLineSets) EXPECT_TRUE(Exists(species.File(file.path))) << c.name << file.path;
  }
}

// Every input missing: the run goes through every stage on zeros, without a
// crash, reports everything once and ends normally; a second run appends
// its block to the same species log.
TEST(OstravelRun, EmptySpeciesFolder) {
  Species_Folder species(false);
  std::string deflections;
  for (const char* duct : {"Ant", "Post", "Lat"}) {
    for (const char* cilia : {"Long", "Medium", "Short"}) {
      deflections += Deflection_Message(std::string(duct) + "_" + cilia);
    }
  }
  const std::string passes = Morph_Message("Cor") + kUncoupledMissing + kNotComputed + Morph_Message("PlusCor") +
                             Morph_Message("MinusCor");
  const auto run = Run_Program("Ostravel", species.dir.path, kAnswers);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Echo_Marked(run.output), kBanner + kNamePrompt + Confirmation("Fx") + kSifMessage + kMaterialDialogue +
                                         deflections + Morph_Message("Cor") + kUncoupledMissing + kNotComputed +
                                         kEcho + Morph_Message("PlusCor") + Morph_Message("MinusCor") + kClosing);
  const std::string block = "Ostravel Errors:\n" + kSifMessage + deflections + passes + "\n";
  EXPECT_EQ(species.Log(), block);
  EXPECT_TRUE(species.Temp_Log_Gone());
  EXPECT_FALSE(Exists(species.File(kTransmatPath)));
  // The line sets hold what the failed pass gives: no number to read.
  const std::string lateral = Read_File(species.File(kLineSets[2].path));
  EXPECT_TRUE(lateral.starts_with("# LineSet 0.1\n\nnDataVals 0 { {\n")) << lateral;
  EXPECT_TRUE(lateral.ends_with("\n\n} }")) << lateral;
  EXPECT_NE(lateral.find("nan"), std::string::npos) << lateral;
  const auto again = Run_Program("Ostravel", species.dir.path, kAnswers);
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(species.Log(), block + block);
}

// An answer to a material prompt that is a number but not a finite one
// (nan, an infinity, a decimal too large for a double) is dropped and the
// same prompt is written again, like a token that is not a number; a
// decimal too small for a double is the finite 0 and is taken. The run then
// goes on exactly as one answered with the values taken.
TEST(OstravelRun, MaterialConstantsThatAreNotFiniteAreAskedAgain) {
  Species_Folder odd;
  const auto run =
      Run_Program("Ostravel", odd.dir.path, "Fx\n1\nnan\n-inf\n1e999\n1e-999\nINFINITY\n2.414\n-1e400 1000\n1100\nx\n");
  Species_Folder plain;
  const auto expected = Run_Program("Ostravel", plain.dir.path, "Fx\n1\n0\n2.414\n1000\n1100\nx\n");
  EXPECT_EQ(run.status, 0);
  const std::string dialogue = kBanner + kNamePrompt + Confirmation("Fx") + kTemperature + kTemperature +
                               kTemperature + kTemperature + "\n" + kViscosity + kViscosity + "\n" + kEndolymph +
                               kEndolymph + "\n" + kCupula + "\n";
  EXPECT_EQ(Echo_Marked(run.output), dialogue + kEcho + kClosing);
  const std::string plain_dialogue = kBanner + kNamePrompt + Confirmation("Fx") + kMaterialDialogue;
  ASSERT_TRUE(expected.output.starts_with(plain_dialogue));
  EXPECT_EQ(run.output, dialogue + expected.output.substr(plain_dialogue.size()));
  EXPECT_EQ(scds_testing::File_Tree(odd.dir.path), scds_testing::File_Tree(plain.dir.path));
  EXPECT_TRUE(odd.Temp_Log_Gone());
}

// A FIFO (or a link to /dev/zero) in place of an input is handled at once as
// a file that cannot be opened: the run does what it does when that file is
// missing, within the time limit, and leaves no temporary log. A pair's
// message needs both files gone: the other file of the pair is removed.
// A link or a FIFO at the program's own names (each output's temporary
// name, the temporary log) is never followed or waited on; a FIFO at the
// species log sends the block to the unmerged log.
TEST(OstravelRun, OwnNamesAreMadeAfresh) {
  Species_Folder species;
  species.Remove("Data/Fx/Fx_MinusCor.morph");  // a failed pass: a message for the log
  scds_testing::Expect_Own_Names_Made_Afresh({"Ostravel", species.dir.path, kAnswers, {"Data/Fx/Fx_temp.errorlog"},
                                              "Data/Fx/Fx.errorlog", "Data/Fx/Fx_unmerged.errorlog",
                                              scds::ostravel::Ostravel_Paths("Fx")});
}

TEST(OstravelRun, AnInputThatIsNotARegularFileIsOneThatCannotBeOpened) {
  struct Case {
    std::string input;
    std::string partner;  // removed beforehand ("" none)
    bool dev_zero;
    std::string message;
  };
  const std::string fea = "Data/Fx/FEA/";
  const Case cases[] = {
      {fea + "rfea_Fx_Ant_Cilia_Long.sif", fea + "lfea_Fx_Ant_Cilia_Long.sif", false, kSifMessage},
      {fea + "lfea_Fx_Lat_Cilia_Short.deflection", fea + "rfea_Fx_Lat_Cilia_Short.deflection", false,
       Deflection_Message("Lat_Short")},
      {fea + "rfea_Fx_Ant_Cilia_Long.deflection", fea + "lfea_Fx_Ant_Cilia_Long.deflection", true,
       Deflection_Message("Ant_Long")},
      {"Data/Fx/Fx_PlusCor.morph", "", false, Morph_Message("PlusCor")},
      {kUncoupledPath, "", false, kUncoupledMissing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    Species_Folder species;
    if (!c.partner.empty()) species.Remove(c.partner);
    scds_testing::Expect_Odd_Input_As_Missing({"Ostravel", species.dir.path, c.input, c.dev_zero, kAnswers},
                                              {c.message, "Data/Fx/Fx.errorlog", "Data/Fx/Fx_temp.errorlog"});
  }
}

// Material constants of zero (so no viscosity, no density) and nonsense
// values run through without a crash; none of them gives a usable
// rotation, so no vestibular matrix is written. A huge viscosity gives
// finite state matrices the eigenvalue solver gives up on (with GSL's
// default error handler this would abort the run).
TEST(OstravelRun, DegenerateMaterialConstants) {
  for (const char* constants :
       {"0\n0\n0\n0\n", "-133.15\n1\n1000\n1000\n", "-1e308\n1e308\n-1e308\n1e-320\n", "37\n1e250\n1000\n1100\n"}) {
    Species_Folder species;
    const auto run = Run_Program("Ostravel", species.dir.path, std::string("Fx\n1\n") + constants + "x\n");
    EXPECT_EQ(run.status, 0) << constants;
    EXPECT_TRUE(Echo_Marked(run.output).ends_with(kMaterialDialogue + kNotComputed + kKept + kEcho + kClosing))
        << constants << run.output;
    EXPECT_EQ(species.Log(), "Ostravel Errors:\n" + kNotComputed + kKept + "\n") << constants;
    EXPECT_EQ(Read_File(species.File(kUncoupledPath)), kUncoupledText) << constants;
    EXPECT_FALSE(Exists(species.File(kTransmatPath))) << constants;
  }
}

TEST(OstravelRun, SpeciesFolderThatDoesNotExist) {
  Temp_Dir dir;
  const auto run = Run_Program("Ostravel", dir.path, "Nope\n1\n37\n2.414\n1000\n1000\nx\n");
  EXPECT_EQ(run.status, 0);
  const std::string cannot_write =
      "\nImpossible to write Data/Nope/Nope_temp.errorlog\nVerify the species name and that its folder exists.\n"
      "The messages go to this console only.\n";
  const std::string sif = kSifMessage;
  EXPECT_TRUE(run.output.starts_with(kBanner + kNamePrompt + Confirmation("Nope") + cannot_write + sif +
                                     kMaterialDialogue))
      << run.output;
  // No report can be written either: each is said once.
  const std::string no_reports =
      "\nImpossible to write Data/Nope/Nope_MinusCor.biomecha\nVerify that its folder exists and has room.\n"
      "\nImpossible to write Data/Nope/Nope_MinusCor_Extended.biomecha\nVerify that its folder exists and has "
      "room.\n";
  EXPECT_TRUE(run.output.ends_with(
      "\nImpossible to read Data/Nope/Nope_MinusCor.morph\nVerify both species name and morpho file name.\n" +
      no_reports + kClosing));
  EXPECT_EQ(Count(run.output, "\nImpossible to write Data/Nope/Nope_Cor.biomecha\n"), 1u);
  EXPECT_EQ(Count(run.output, "\nImpossible to write Data/Nope/Nope_Cor_Extended.biomecha\n"), 1u);
  EXPECT_FALSE(Exists(dir.path / "Data"));
}

// End of input before the last question: no more questions, the log cycle
// is finished (merge, removal), status 1, no closing prompt.
TEST(OstravelRun, EndOfInputAtAMaterialPrompt) {
  Species_Folder species;
  species.Remove("Data/Fx/FEA/rfea_Fx_Ant_Cilia_Long.sif");
  species.Remove("Data/Fx/FEA/lfea_Fx_Ant_Cilia_Long.sif");
  const auto run = Run_Program("Ostravel", species.dir.path, "Fx\n1\n37\n2.414\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output, kBanner + kNamePrompt + Confirmation("Fx") + kSifMessage + kTemperature + "\n" + kViscosity +
                            "\n" + kEndolymph);
  EXPECT_EQ(species.Log(), "Ostravel Errors:\n" + kSifMessage + "\n");
  EXPECT_TRUE(species.Temp_Log_Gone());

  // With nothing to report, nothing is merged.
  Species_Folder complete;
  const auto quiet = Run_Program("Ostravel", complete.dir.path, "Fx\n1\n");
  EXPECT_EQ(quiet.status, 1);
  EXPECT_EQ(quiet.output, kBanner + kNamePrompt + Confirmation("Fx") + kTemperature);
  EXPECT_FALSE(Exists(complete.File("Data/Fx/Fx.errorlog")));
  EXPECT_TRUE(complete.Temp_Log_Gone());
}

TEST(OstravelRun, EndOfInputAtTheSpeciesQuestions) {
  for (const char* answers : {"", "Fx\n", "Fx\n2\n"}) {
    Species_Folder species;
    const auto run = Run_Program("Ostravel", species.dir.path, answers);
    EXPECT_EQ(run.status, 1) << answers;
    EXPECT_FALSE(run.output.ends_with(kClosing)) << answers;
    EXPECT_FALSE(Exists(species.File("Data/Fx/Fx.errorlog")));
    EXPECT_TRUE(species.Temp_Log_Gone());
  }
}

// A name whose deflection paths would pass 254 characters is refused before
// it is confirmed; 105 characters are the most.
TEST(OstravelRun, NameTooLongForItsPaths) {
  Species_Folder species;
  const std::string too_long(106, 'n');
  const auto run = Run_Program("Ostravel", species.dir.path, too_long + "\nFx\n1\n" + kMaterialAnswers + "x\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(Echo_Marked(run.output).starts_with(
      kBanner + kNamePrompt + "\nThis name is too long for the file names it makes: use at most 105 characters.\n" +
      kNamePrompt + Confirmation("Fx") + kMaterialDialogue + kEcho + kClosing))
      << run.output;
}

// The sample species of the repository is complete once Quintarel has
// written its uncoupled matrix: a run on a copy of it reports nothing and
// hands the vestibular frame on.
TEST(OstravelRun, SampleSpeciesIsComplete) {
  Temp_Dir dir;
  const std::filesystem::path examples(SCDS_EXAMPLES_DIR);
  std::filesystem::copy(examples / "Data", dir.path / "Data", std::filesystem::copy_options::recursive);
  const auto frame = Run_Program("Quintarel", dir.path, Read_File(examples / "answers/Quintarel.txt"));
  ASSERT_EQ(frame.status, 0);
  ASSERT_TRUE(Exists(dir.path / "Data/Sample/Matrix/Sample_uncoupled.transmat"));
  const auto run = Run_Program("Ostravel", dir.path, Read_File(examples / "answers/Ostravel.txt"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Echo_Marked(run.output), kBanner + kNamePrompt + Confirmation("Sample") + kMaterialDialogue + kEcho + kClosing);
  for (const char* set : {"Cor", "PlusCor", "MinusCor"}) {
    EXPECT_TRUE(Exists(dir.path / ("Data/Sample/Sample_" + std::string(set) + ".biomecha"))) << set;
    EXPECT_TRUE(Exists(dir.path / ("Data/Sample/Sample_" + std::string(set) + "_Extended.biomecha"))) << set;
  }
  EXPECT_FALSE(Exists(dir.path / "Data/Sample/Sample.errorlog"));
  EXPECT_FALSE(Exists(dir.path / "Data/Sample/Sample_temp.errorlog"));
  EXPECT_FALSE(Exists(dir.path / "Data/Sample/Matrix/Sample_uncoupled.transmat"));
  const std::string transmat = Read_File(dir.path / "Data/Sample/Matrix/Sample.transmat");
  EXPECT_EQ(transmat.find("nan"), std::string::npos) << transmat;
  EXPECT_EQ(std::count(transmat.begin(), transmat.end(), '\n'), 2) << transmat;
  for (const char* side : {"rma_", "lma_"}) {
    for (const char* duct : {"Ant", "Post", "Lat"}) {
      const std::string text =
          Read_File(dir.path / "Data/Sample/VestRef/MaxAxes" / (std::string(side) + "Sample_" + duct + ".lineset"));
      EXPECT_TRUE(text.starts_with("# LineSet 0.1\n")) << side << duct;
      EXPECT_EQ(text.find("nan"), std::string::npos) << text;
    }
  }
}

}  // namespace
