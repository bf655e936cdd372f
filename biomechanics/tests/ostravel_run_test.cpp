// The built program end to end: a species folder in a temporary directory,
// the answers on standard input, the console text, the species error log
// and the exit status.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "biomechanics_state.h"
#include "scds_testing.h"

namespace {

#define EXPECT_SAME(actual, expected) EXPECT_EQ(actual, expected)
#define EXPECT_NAN(actual) EXPECT_TRUE(std::isnan(actual))
#include "first_half_fixture.inc"

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
    "Requests and bug reports are welcome on the project's issue tracker.\n\n";

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

TEST(OstravelRun, MissingInputsGiveTheirErrorLogBlocks) {
  std::vector<std::string> all_deflections;
  std::string all_deflection_messages;
  for (const char* duct : {"Ant", "Post", "Lat"}) {
    for (const char* cilia : {"Long", "Medium", "Short"}) {
      all_deflection_messages += Deflection_Message(std::string(duct) + "_" + cilia);
    }
  }
  struct Case {
    const char* name;
    std::vector<std::string> removed;
    std::string messages;  // console and log, in order
    bool empty_line;       // the log block ends with an empty line
    std::string after_echo = "";  // the messages that come after the Cor pass's echo
  };
  const std::string fea = "Data/Fx/FEA/";
  const Case cases[] = {
      {"one deflection file", {fea + "lfea_Fx_Lat_Cilia_Short.deflection"}, "", false},
      {"one sif file", {fea + "rfea_Fx_Ant_Cilia_Long.sif"}, "", false},
      {"both sif files",
       {fea + "rfea_Fx_Ant_Cilia_Long.sif", fea + "lfea_Fx_Ant_Cilia_Long.sif"},
       kSifMessage,
       true},
      {"the Ant Long deflection pair",
       {fea + "rfea_Fx_Ant_Cilia_Long.deflection", fea + "lfea_Fx_Ant_Cilia_Long.deflection"},
       Deflection_Message("Ant_Long"),
       true},
      {"the Post Medium deflection pair (its right file is already missing)",
       {fea + "lfea_Fx_Post_Cilia_Medium.deflection"},
       Deflection_Message("Post_Medium"),
       true},
      {"the Cor morphometry", {"Data/Fx/Fx_Cor.morph"}, Morph_Message("Cor"), false},
      {"the PlusCor morphometry", {"Data/Fx/Fx_PlusCor.morph"}, Morph_Message("PlusCor"), false,
       Morph_Message("PlusCor")},
      {"the three morphometry files",
       {"Data/Fx/Fx_Cor.morph", "Data/Fx/Fx_PlusCor.morph", "Data/Fx/Fx_MinusCor.morph"},
       Morph_Message("Cor") + Morph_Message("PlusCor") + Morph_Message("MinusCor"),
       false,
       Morph_Message("PlusCor") + Morph_Message("MinusCor")},
  };
  for (const Case& c : cases) {
    Species_Folder species;
    for (const std::string& path : c.removed) species.Remove(path);
    const auto run = Run_Program("Ostravel", species.dir.path, kAnswers);
    EXPECT_EQ(run.status, 0) << c.name;
    // The .sif and deflection messages come before and after the prompts.
    std::string before_prompts, after_prompts;
    (c.messages == kSifMessage ? before_prompts : after_prompts) =
        c.messages.substr(0, c.messages.size() - c.after_echo.size());
    EXPECT_EQ(Echo_Marked(run.output), kBanner + kNamePrompt + Confirmation("Fx") + before_prompts +
                                           kMaterialDialogue + after_prompts + kEcho + c.after_echo + kClosing)
        << c.name;
    EXPECT_TRUE(species.Temp_Log_Gone()) << c.name;
    if (c.messages.empty()) {
      EXPECT_FALSE(Exists(species.File("Data/Fx/Fx.errorlog"))) << c.name;
    } else {
      EXPECT_EQ(species.Log(), "Ostravel Errors:\n" + c.messages + (c.empty_line ? "\n" : "")) << c.name;
    }
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
  const std::string morph = Morph_Message("Cor") + Morph_Message("PlusCor") + Morph_Message("MinusCor");
  const auto run = Run_Program("Ostravel", species.dir.path, kAnswers);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Echo_Marked(run.output), kBanner + kNamePrompt + Confirmation("Fx") + kSifMessage + kMaterialDialogue +
                                         deflections + Morph_Message("Cor") + kEcho + Morph_Message("PlusCor") +
                                         Morph_Message("MinusCor") + kClosing);
  const std::string block = "Ostravel Errors:\n" + kSifMessage + deflections + morph + "\n";
  EXPECT_EQ(species.Log(), block);
  EXPECT_TRUE(species.Temp_Log_Gone());
  const auto again = Run_Program("Ostravel", species.dir.path, kAnswers);
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(species.Log(), block + block);
}

// Material constants of zero (so no viscosity, no density) and nonsense
// values run through without a crash.
TEST(OstravelRun, DegenerateMaterialConstants) {
  for (const char* constants : {"0\n0\n0\n0\n", "-133.15\n1\n1000\n1000\n", "inf\nnan\n-1e308\n1e-320\n"}) {
    Species_Folder species;
    const auto run = Run_Program("Ostravel", species.dir.path, std::string("Fx\n1\n") + constants + "x\n");
    EXPECT_EQ(run.status, 0) << constants;
    EXPECT_TRUE(Echo_Marked(run.output).ends_with(kMaterialDialogue + kEcho + kClosing)) << constants;
  }
}

TEST(OstravelRun, SpeciesFolderThatDoesNotExist) {
  Temp_Dir dir;
  const auto run = Run_Program("Ostravel", dir.path, "Nope\n1\n37\n2.414\n1000\n1000\nx\n");
  EXPECT_EQ(run.status, 0);
  const std::string cannot_write =
      "\nImpossible to write Data/Nope/Nope_temp.errorlog\nVerify the species name and that its folder exists.\n";
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

// The sample species of the repository is complete: a run on a copy of it
// reports nothing.
TEST(OstravelRun, SampleSpeciesIsComplete) {
  Temp_Dir dir;
  std::filesystem::copy(std::filesystem::path(SCDS_EXAMPLES_DIR) / "Data", dir.path / "Data",
                        std::filesystem::copy_options::recursive);
  const std::string answers = Read_File(std::filesystem::path(SCDS_EXAMPLES_DIR) / "answers/Ostravel.txt");
  const auto run = Run_Program("Ostravel", dir.path, answers);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Echo_Marked(run.output), kBanner + kNamePrompt + Confirmation("Sample") + kMaterialDialogue + kEcho + kClosing);
  for (const char* set : {"Cor", "PlusCor", "MinusCor"}) {
    EXPECT_TRUE(Exists(dir.path / ("Data/Sample/Sample_" + std::string(set) + ".biomecha"))) << set;
    EXPECT_TRUE(Exists(dir.path / ("Data/Sample/Sample_" + std::string(set) + "_Extended.biomecha"))) << set;
  }
  EXPECT_FALSE(Exists(dir.path / "Data/Sample/Sample.errorlog"));
  EXPECT_FALSE(Exists(dir.path / "Data/Sample/Sample_temp.errorlog"));
}

}  // namespace
