// Quintarel run end to end: a species folder in a temporary directory, the
// answers on standard input, then the console text, every file written, the
// species error log and the inputs that remain. The expected numbers come
// from expected_quintarel.py (expected_quintarel.h).
#include <gtest/gtest.h>

#include <linux/fs.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "banner.h"
#include "expected_quintarel.h"
#include "file_flags.h"
#include "frame_paths.h"
#include "odd_input.h"
#include "output_file.h"
#include "own_names.h"
#include "quintarel.h"
#include "scds_testing.h"
#include "traced_run.h"

namespace {

namespace fs = std::filesystem;
using scds_testing::Exists;
using scds_testing::Read_File;
using scds_testing::Run_Program;
using scds_testing::Temp_Dir;
using scds_testing::Write_File;

const char* const kSets[3] = {"Cor", "PlusCor", "MinusCor"};
const std::string kEarlier = "written by an earlier run\n";

const std::string& Expected(const std::string& name) {
  const auto found = expected::kByName.find(name);
  if (found == expected::kByName.end()) throw std::runtime_error("no expected text " + name);
  return *found->second;
}

// The console up to the side question, for a species name answered and
// confirmed at once.
std::string Console_Start(const std::string& species) {
  std::string text =
      "\n\n###########################################################\n"
      "#                                                         #\n"
      "#    Computation of the Vestibular Frame of Reference     #\n"
      "#                                                         #\n"
      "#                      Version 1.1                        #\n"
      "#                                                         #\n"
      "###########################################################\n"
      "\n";
  text += std::string(scds::kCreditLine) + "\n";
  text +=
      "INPUT FILES:\n\n"
      "IN FOLDER: Data/SPECIESNAME/\n\n"
      "SPECIESNAME_R_Cor.rawvector\n"
      "SPECIESNAME_R_MinusCor.rawvector\n"
      "SPECIESNAME_R_PlusCor.rawvector\n\n"
      "and/or\n\n"
      "SPECIESNAME_L_Cor.rawvector\n"
      "SPECIESNAME_L_MinusCor.rawvector\n"
      "SPECIESNAME_L_PlusCor.rawvector\n\n"
      "and potentially\n\n"
      "IN FOLDER: Data/SPECIESNAME/Matrix/\n\n"
      "SPECIESNAME.midplane\n\n"
      "OUTPUT FILES:\n\n"
      "IN FOLDER: Data/SPECIESNAME/Matrix\n\n"
      "SPECIESNAME_uncoupled.transmat\n"
      "SPECIESNAME.symmat\n\n"
      "IN FOLDER: Data/SPECIESNAME/\n\n"
      "SPECIESNAME_Cor.synangle\n"
      "SPECIESNAME_Cor.vector\n"
      "SPECIESNAME_MinusCor.synangle\n"
      "SPECIESNAME_MinusCor.vector\n"
      "SPECIESNAME_PlusCor.synangle\n"
      "SPECIESNAME_PlusCor.vector\n\n"
      "and\n\n"
      "SPECIESNAME_R_Cor.functionangle\n"
      "SPECIESNAME_R_MinusCor.functionangle\n"
      "SPECIESNAME_R_PlusCor.functionangle\n\n"
      "and/or\n\n"
      "SPECIESNAME_L_Cor.functionangle\n"
      "SPECIESNAME_L_MinusCor.functionangle\n"
      "SPECIESNAME_L_PlusCor.functionangle\n\n";
  text += "Requests, questions and bug reports are welcome:\nplease send them to the project's issue tracker.\n\n";
  text += "\nPlease enter the exact species name your functional unit vector files use:\n\n";
  text += "\nIs " + species + " the correct name?\n\n1. Yes\n2. No\n\n";
  return text;
}

const std::string kSideMenu =
    "\nYou have functional unit vectors for:\n\n"
    "1. the right semicircular duct system\n"
    "2. the left semicircular duct system\n"
    "3. both semicircular duct systems\n\n";

const std::string kClosing = "\nPress any key, then Enter to exit.";

// The sign printf writes before a nan is the arithmetic's; compare nan as nan.
std::string Without_Nan_Signs(std::string text) {
  for (std::size_t at = text.find("-nan"); at != std::string::npos; at = text.find("-nan", at)) text.erase(at, 1);
  return text;
}

std::string Raw_Path(const std::string& side, int set) {
  return "Data/Sp/Sp_" + side + "_" + kSets[set] + ".rawvector";
}

std::string Raw_Text(const std::string& side, int set) {
  return Expected(std::string("Raw_") + side + "_" + kSets[set]);
}

// The six good raw vector files of both sides.
void Write_Raw_Vectors(const fs::path& work_dir) {
  for (int k = 0; k < 3; ++k) {
    Write_File(work_dir / Raw_Path("R", k), Raw_Text("R", k));
    Write_File(work_dir / Raw_Path("L", k), Raw_Text("L", k));
  }
}

// After both sides' run in which only the Cor set could not write all its
// results: its raw vectors stay, the other sets' are consumed.
void Expect_Only_Cor_Inputs_Kept(const fs::path& work_dir) {
  EXPECT_EQ(Read_File(work_dir / Raw_Path("R", 0)), Raw_Text("R", 0));
  EXPECT_EQ(Read_File(work_dir / Raw_Path("L", 0)), Raw_Text("L", 0));
  for (int k = 1; k < 3; ++k) {
    EXPECT_FALSE(Exists(work_dir / Raw_Path("R", k)));
    EXPECT_FALSE(Exists(work_dir / Raw_Path("L", k)));
  }
}

// A change to the six good raw vector files a case starts from.
struct Raw_Change {
  const char* side;  // "R" or "L"
  int set;
  enum { Missing, Text, Folder } kind;
  std::string text;  // for Text
};

struct Run_Case {
  const char* name;
  int mode;          // the side answer: 1 right, 2 left, 3 both
  const char* mid;   // mid-plane file text, nullptr for none
  std::vector<Raw_Change> changes;
  std::string messages;  // the failures reported, in order
  bool ran[3];           // which set passes ran
  const char* symmat;    // expected .symmat, "" when empty; nan compared as nan
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at == std::string::npos) throw std::runtime_error("no " + from);
  return text.replace(at, from.size(), to);
}

const std::string kNanMatrix = "nan\tnan\tnan\nnan\tnan\tnan\nnan\tnan\tnan";

std::string Open_Message(const std::string& path, const std::string& what) {
  return "\nImpossible to read " + path + "\nVerify " + what + " file name.\n";
}

std::string Layout_Message(const std::string& path, const std::string& set, int values) {
  return "\nImpossible to read " + path + "\nVerify the layout of the " + set + " vector file: " +
         std::to_string(values) + " of 18 values read.\n";
}

const std::string kMidLayout =
    "\nImpossible to read Data/Sp/Matrix/Sp.midplane\nVerify the layout of the mid-plane file.\n";

std::vector<Run_Case> Cases() {
  const std::string right_cor = Raw_Text("R", 0);
  std::vector<Run_Case> cases;
  cases.push_back({"BothSidesEveryFile", 3, expected::kMidPlane.c_str(), {}, "", {true, true, true}, ""});
  cases.push_back({"BothSidesLeftPlusCorMissing", 3, nullptr, {{"L", 1, Raw_Change::Missing, ""}},
                   Open_Message(Raw_Path("L", 1), "PlusCor vector"), {true, false, true}, ""});
  cases.push_back({"BothSidesBothCorMissing", 3, nullptr,
                   {{"R", 0, Raw_Change::Missing, ""}, {"L", 0, Raw_Change::Missing, ""}},
                   Open_Message(Raw_Path("R", 0), "Cor vector") + Open_Message(Raw_Path("L", 0), "Cor vector"),
                   {false, true, true}, ""});
  cases.push_back({"BothSidesRightCorCutShort", 3, nullptr,
                   {{"R", 0, Raw_Change::Text, Replaced(right_cor, " -0.841z\n", "\n")}},
                   Layout_Message(Raw_Path("R", 0), "Cor", 17), {false, true, true}, ""});
  cases.push_back({"BothSidesLeftMinusCorHoldsNan", 3, nullptr,
                   {{"L", 2, Raw_Change::Text, Replaced(Raw_Text("L", 2), "-0.31076x", "nanx")}},
                   Layout_Message(Raw_Path("L", 2), "MinusCor", 17), {true, true, false}, ""});
  cases.push_back({"BothSidesRightPlusCorIsALeftFile", 3, nullptr, {{"R", 1, Raw_Change::Text, Raw_Text("L", 1)}},
                   Layout_Message(Raw_Path("R", 1), "PlusCor", 0), {true, false, true}, ""});
  cases.push_back({"BothSidesRightMinusCorIsAFolder", 3, nullptr, {{"R", 2, Raw_Change::Folder, ""}},
                   Open_Message(Raw_Path("R", 2), "MinusCor vector"), {true, true, false}, ""});

  cases.push_back({"RightSideMirrored", 1, expected::kMidPlane.c_str(), {}, "", {true, true, true},
                   expected::kSymmat.c_str()});
  cases.push_back({"LeftSideMirrored", 2, expected::kMidPlane.c_str(), {}, "", {true, true, true},
                   expected::kSymmat.c_str()});
  cases.push_back({"RightSidePlusCorMissing", 1, expected::kMidPlane.c_str(), {{"R", 1, Raw_Change::Missing, ""}},
                   Open_Message(Raw_Path("R", 1), "PlusCor vector"), {true, false, true},
                   expected::kSymmat.c_str()});
  cases.push_back({"RightSideOnlyLeftFiles", 1, expected::kMidPlane.c_str(),
                   {{"R", 0, Raw_Change::Missing, ""}, {"R", 1, Raw_Change::Missing, ""},
                    {"R", 2, Raw_Change::Missing, ""}},
                   Open_Message(Raw_Path("R", 0), "Cor vector") + Open_Message(Raw_Path("R", 1), "PlusCor vector") +
                       Open_Message(Raw_Path("R", 2), "MinusCor vector"),
                   {false, false, false}, expected::kSymmat.c_str()});
  cases.push_back({"RightSideMidPlaneMissing", 1, nullptr, {},
                   Open_Message("Data/Sp/Matrix/Sp.midplane", "mid-plane"), {false, false, false},
                   kNanMatrix.c_str()});
  cases.push_back({"LeftSideMidPlaneFiveValues", 2, "0.05\t2.0\t-0.1\n0.3 0.2\n", {}, kMidLayout,
                   {false, false, false}, kNanMatrix.c_str()});
  cases.push_back({"RightSideMidPlaneZeroNormal", 1, "0\t0\t0\n0.3\t0.2\t-0.1\n", {}, kMidLayout,
                   {false, false, false}, kNanMatrix.c_str()});
  cases.push_back({"RightSideMidPlaneNormalTooLong", 1, "1e200\t1e200\t0\n0\t0\t0\n", {}, kMidLayout,
                   {false, false, false}, kNanMatrix.c_str()});
  cases.push_back({"LeftSideMidPlanePointInfinite", 2, "0.05\t2.0\t-0.1\n0.3\tinf\t-0.1\n", {}, kMidLayout,
                   {false, false, false}, kNanMatrix.c_str()});
  // The other side's missing file is not read, so not reported.
  cases.push_back({"LeftSideWithoutRightFiles", 2, expected::kMidPlane.c_str(),
                   {{"R", 0, Raw_Change::Missing, ""}, {"R", 1, Raw_Change::Missing, ""}}, "", {true, true, true},
                   expected::kSymmat.c_str()});
  return cases;
}

// What a file this run does not write holds afterwards.
std::string Untouched(bool earlier, const std::string& name) { return earlier ? kEarlier : "<missing " + name + ">"; }

// Runs one case on a fresh species, or on one with the outputs of an
// earlier run, and checks the console, every file and the species log.
void Check_Case(const Run_Case& c, bool earlier) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  const fs::path sp = dir.path / "Data/Sp";

  // Inputs: the six good raw vector files, then the case's changes.
  std::string raw[2][3];  // what each raw file holds before the run ("" none)
  const char* const sides[2] = {"R", "L"};
  for (int s = 0; s < 2; ++s) {
    for (int k = 0; k < 3; ++k) raw[s][k] = Raw_Text(sides[s], k);
  }
  bool folder[2][3] = {};
  for (const Raw_Change& change : c.changes) {
    const int s = std::string(change.side) == "R" ? 0 : 1;
    raw[s][change.set] = change.kind == Raw_Change::Text ? change.text : "";
    folder[s][change.set] = change.kind == Raw_Change::Folder;
  }
  for (int s = 0; s < 2; ++s) {
    for (int k = 0; k < 3; ++k) {
      const fs::path file = dir.path / Raw_Path(sides[s], k);
      if (folder[s][k]) fs::create_directory(file);
      if (!raw[s][k].empty()) Write_File(file, raw[s][k]);
    }
  }
  if (c.mid != nullptr) Write_File(sp / "Matrix/Sp.midplane", c.mid);
  if (earlier) {
    Write_File(sp / "Matrix/Sp_uncoupled.transmat", kEarlier);
    for (int k = 0; k < 3; ++k) {
      Write_File(sp / ("Sp_" + std::string(kSets[k]) + ".vector"), kEarlier);
      Write_File(sp / ("Sp_" + std::string(kSets[k]) + ".synangle"), kEarlier);
      for (const char* side : sides) {
        Write_File(sp / ("Sp_" + std::string(side) + "_" + kSets[k] + ".functionangle"), kEarlier);
      }
    }
  }

  const scds_testing::Program_Run run =
      Run_Program("Quintarel", dir.path, "Sp\n1\n" + std::to_string(c.mode) + "\nx\n");

  const std::string prefix = c.mode == 3 ? "Both_" : c.mode == 1 ? "Right_" : "Left_";
  const bool read_side[2] = {c.mode != 2, c.mode != 1};

  std::string console = Console_Start("Sp") + kSideMenu + c.messages;
  if (c.ran[0]) {
    console += "\n" + Expected(prefix + "Cor_vector") + "\n" + Expected(prefix + "Cor_synangle");
    if (read_side[0]) console += "\n" + Expected(prefix + "Cor_function_R");
    if (read_side[1]) console += "\n" + Expected(prefix + "Cor_function_L");
  }
  console += kClosing;
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, console);

  EXPECT_EQ(Read_File(sp / "Matrix/Sp_uncoupled.transmat"),
            c.ran[0] ? Expected(c.mode == 3 ? "Both_Transmat" : prefix + "Transmat")
                     : Untouched(earlier, "Sp_uncoupled.transmat"));
  EXPECT_EQ(Without_Nan_Signs(Read_File(sp / "Matrix/Sp.symmat")), c.symmat);

  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(kSets[k]);
    const std::string set = kSets[k];
    EXPECT_EQ(Read_File(sp / ("Sp_" + set + ".vector")),
              c.ran[k] ? Expected(prefix + set + "_vector") : Untouched(earlier, "Sp_" + set + ".vector"));
    EXPECT_EQ(Read_File(sp / ("Sp_" + set + ".synangle")),
              c.ran[k] ? Expected(prefix + set + "_synangle") : Untouched(earlier, "Sp_" + set + ".synangle"));
    for (int s = 0; s < 2; ++s) {
      const std::string side = sides[s];
      EXPECT_EQ(Read_File(sp / ("Sp_" + side + "_" + set + ".functionangle")),
                c.ran[k] && read_side[s] ? Expected(prefix + set + "_function_" + side)
                                         : Untouched(earlier, "Sp_" + side + "_" + set + ".functionangle"))
          << side;
      // A raw file is consumed only by a set that ran on it.
      const fs::path file = dir.path / Raw_Path(side, k);
      if (c.ran[k] && read_side[s]) {
        EXPECT_FALSE(Exists(file)) << side;
      } else if (folder[s][k]) {
        EXPECT_TRUE(fs::is_directory(file)) << side;
      } else {
        EXPECT_EQ(Read_File(file), raw[s][k].empty() ? "<missing " + file.filename().string() + ">" : raw[s][k])
            << side;
      }
    }
  }
  if (c.mid != nullptr) {
    EXPECT_EQ(Read_File(sp / "Matrix/Sp.midplane"), c.mid);
  }

  EXPECT_EQ(Read_File(sp / "Sp.errorlog"),
            c.messages.empty() ? "<missing Sp.errorlog>" : "Quintarel Errors:\n" + c.messages + "\n");
  EXPECT_FALSE(Exists(sp / "Sp_temp.errorlog"));
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(sp)) {
    EXPECT_FALSE(entry.path().string().ends_with(".partial")) << entry.path();
  }
}

// Each case on a fresh species and on one with the outputs of an earlier
// run: a set that runs replaces them, a set that fails leaves them as they
// were (a fresh species then has none).
TEST(QuintarelRun, EveryFileConsoleAndLog) {
  for (const Run_Case& c : Cases()) {
    for (bool earlier : {false, true}) {
      SCOPED_TRACE(c.name);
      SCOPED_TRACE(earlier ? "with earlier outputs" : "fresh species");
      Check_Case(c, earlier);
    }
  }
}

// A FIFO (or a link to /dev/zero) in place of a raw vector file or of the
// mid-plane is handled at once as a file that cannot be opened: the run
// does what it does when that file is missing (the same console, files and
// inputs left), within the time limit, and leaves no temporary log.
// A link or a FIFO at the program's own names (each output's temporary
// name, the temporary log) is never followed or waited on; a FIFO at the
// species log sends the block to the unmerged log.
TEST(QuintarelRun, OwnNamesAreMadeAfresh) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  for (const char* side : {"R", "L"}) {
    for (int k = 0; k < 3; ++k) Write_File(dir.path / Raw_Path(side, k), Raw_Text(side, k));
  }
  std::filesystem::remove(dir.path / Raw_Path("L", 2));  // the MinusCor set fails: a message for the log
  scds_testing::Expect_Own_Names_Made_Afresh({"Quintarel", dir.path, "Sp\n1\n3\nx\n", {"Data/Sp/Sp_temp.errorlog"},
                                              "Data/Sp/Sp.errorlog", "Data/Sp/Sp_unmerged.errorlog",
                                              scds::quintarel::Quintarel_Paths("Sp")});
}

TEST(QuintarelRun, AnInputThatIsNotARegularFileIsOneThatCannotBeOpened) {
  struct Case {
    int mode;
    std::string input;
    bool dev_zero;
    std::string message;
  };
  const Case cases[] = {
      {1, "Data/Sp/Matrix/Sp.midplane", false, Open_Message("Data/Sp/Matrix/Sp.midplane", "mid-plane")},
      {1, Raw_Path("R", 0), false, Open_Message(Raw_Path("R", 0), "Cor vector")},
      {3, Raw_Path("L", 1), false, Open_Message(Raw_Path("L", 1), "PlusCor vector")},
      {2, Raw_Path("L", 2), true, Open_Message(Raw_Path("L", 2), "MinusCor vector")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    Temp_Dir dir;
    scds_testing::Make_Species_Folder(dir.path, "Sp");
    for (const char* side : {"R", "L"}) {
      for (int k = 0; k < 3; ++k) Write_File(dir.path / Raw_Path(side, k), Raw_Text(side, k));
    }
    Write_File(dir.path / "Data/Sp/Matrix/Sp.midplane", expected::kMidPlane);
    scds_testing::Expect_Odd_Input_As_Missing(
        {"Quintarel", dir.path, c.input, c.dev_zero, "Sp\n1\n" + std::to_string(c.mode) + "\nx\n"},
        {c.message, "Data/Sp/Sp.errorlog", "Data/Sp/Sp_temp.errorlog"});
  }
}

TEST(QuintarelRun, FrameWithoutLengthWritesNotANumber) {
  // Equal lateral normals: Z has no length; nan runs through the Cor set.
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  const fs::path sp = dir.path / "Data/Sp";
  Write_File(dir.path / Raw_Path("R", 0), Raw_Text("R", 0));
  Write_File(dir.path / Raw_Path("L", 0),
             Replaced(Raw_Text("L", 0), "Left Lateral duct: -0.31645x -0.04108y 0.94772z",
                      "Left Lateral duct: 0.32891x -0.03566y -0.94369z"));
  const scds_testing::Program_Run run = Run_Program("Quintarel", dir.path, "Sp\n1\n3\nx\n");
  const std::string messages = Open_Message(Raw_Path("R", 1), "PlusCor vector") +
                               Open_Message(Raw_Path("L", 1), "PlusCor vector") +
                               Open_Message(Raw_Path("R", 2), "MinusCor vector") +
                               Open_Message(Raw_Path("L", 2), "MinusCor vector");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Without_Nan_Signs(run.output),
            Console_Start("Sp") + kSideMenu + messages + "\n" + expected::kDegenerate_vector + "\n" +
                expected::kDegenerate_synangle + "\n" + expected::kDegenerate_function_R + "\n" +
                expected::kDegenerate_function_L + kClosing);
  EXPECT_EQ(Without_Nan_Signs(Read_File(sp / "Matrix/Sp_uncoupled.transmat")), expected::kDegenerate_Transmat);
  EXPECT_EQ(Without_Nan_Signs(Read_File(sp / "Sp_Cor.vector")), expected::kDegenerate_vector);
  EXPECT_EQ(Without_Nan_Signs(Read_File(sp / "Sp_Cor.synangle")), expected::kDegenerate_synangle);
  EXPECT_EQ(Without_Nan_Signs(Read_File(sp / "Sp_R_Cor.functionangle")), expected::kDegenerate_function_R);
  EXPECT_EQ(Without_Nan_Signs(Read_File(sp / "Sp_L_Cor.functionangle")), expected::kDegenerate_function_L);
  EXPECT_FALSE(Exists(sp / "Sp_PlusCor.vector"));
  EXPECT_FALSE(Exists(sp / "Sp_MinusCor.vector"));
  EXPECT_EQ(Read_File(sp / "Sp.errorlog"), "Quintarel Errors:\n" + messages + "\n");
}

// Every file below the species folder, by its path there, with its bytes.
std::map<std::string, std::string> Snapshot(const fs::path& sp) {
  std::map<std::string, std::string> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(sp)) {
    if (entry.is_regular_file()) files[fs::relative(entry.path(), sp).string()] = Read_File(entry.path());
  }
  return files;
}

// A first run consumes the raw vectors; a second run without them, ended at
// a question or run to its end, leaves every output of the first one byte
// for byte (only the species log gains the second run's messages).
TEST(QuintarelRun, ASecondRunWithoutRawVectorsKeepsEveryEarlierOutput) {
  std::string missing_right, missing_both;
  for (int k = 0; k < 3; ++k) {
    const std::string what = std::string(kSets[k]) + " vector";
    missing_right += Open_Message(Raw_Path("R", k), what);
    missing_both += Open_Message(Raw_Path("R", k), what) + Open_Message(Raw_Path("L", k), what);
  }
  struct Case {
    const char* name;
    int first_mode;
    std::string second;  // the second run's answers
    int status;
    std::string console;  // the second run's console after the species name
    std::string messages;  // what the second run adds to the species log
  };
  const Case cases[] = {
      {"end of input at the name's confirmation", 3, "Sp\n", 1, "", ""},
      {"end of input at the side question", 3, "Sp\n1\n", 1, kSideMenu, ""},
      {"end of input at the side question after a one-side run", 1, "Sp\n1\n", 1, kSideMenu, ""},
      {"both sides to the end", 3, "Sp\n1\n3\nx\n", 0, kSideMenu + missing_both + kClosing, missing_both},
      {"one side to the end", 1, "Sp\n1\n1\nx\n", 0, kSideMenu + missing_right + kClosing, missing_right},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Temp_Dir dir;
    scds_testing::Make_Species_Folder(dir.path, "Sp");
    const fs::path sp = dir.path / "Data/Sp";
    Write_Raw_Vectors(dir.path);
    Write_File(sp / "Matrix/Sp.midplane", expected::kMidPlane);
    ASSERT_EQ(Run_Program("Quintarel", dir.path, "Sp\n1\n" + std::to_string(c.first_mode) + "\nx\n").status, 0);
    ASSERT_FALSE(Exists(dir.path / Raw_Path("R", 0)));
    ASSERT_EQ(Read_File(sp / "Sp_Cor.vector"), Expected(c.first_mode == 3 ? "Both_Cor_vector" : "Right_Cor_vector"));
    const std::map<std::string, std::string> before = Snapshot(sp);

    const scds_testing::Program_Run second = Run_Program("Quintarel", dir.path, c.second);
    EXPECT_EQ(second.status, c.status);
    EXPECT_EQ(second.output, Console_Start("Sp") + c.console);
    std::map<std::string, std::string> after = Snapshot(sp);
    EXPECT_EQ(before.count("Sp.errorlog"), 0u);
    const std::string log = after.count("Sp.errorlog") != 0 ? after["Sp.errorlog"] : "<none>";
    after.erase("Sp.errorlog");
    EXPECT_EQ(after, before);
    EXPECT_EQ(log, c.messages.empty() ? "<none>" : "Quintarel Errors:\n" + c.messages + "\n");
  }
}

TEST(QuintarelRun, EndOfInputAtTheNameCreatesNothing) {
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  const scds_testing::Program_Run run = Run_Program("Quintarel", dir.path, "  \n");
  EXPECT_EQ(run.status, 1);
  const std::string start = Console_Start("Sp");
  EXPECT_EQ(run.output, start.substr(0, start.find("\nIs Sp")));
  EXPECT_TRUE(fs::is_empty(dir.path / "Data/Sp/Matrix"));
}

TEST(QuintarelRun, AnswersOutOfPlaceAreAskedAgain) {
  // A name too long for the matrix path, a "no", a word at the side question.
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  const std::string too_long(112, 'n');
  const scds_testing::Program_Run run =
      Run_Program("Quintarel", dir.path, too_long + "\nOther\n2\nSp\n1\nboth\n0\n1\nx\n");
  const std::string start = Console_Start("Sp");
  const std::string prompt = "\nPlease enter the exact species name your functional unit vector files use:\n\n";
  const std::string banner = start.substr(0, start.find(prompt));
  const std::string reprompt = "\nPlease only answer right (1), left (2) or both (3):\n\n";
  const std::string messages = Open_Message("Data/Sp/Matrix/Sp.midplane", "mid-plane") +
                               Open_Message(Raw_Path("R", 0), "Cor vector") +
                               Open_Message(Raw_Path("R", 1), "PlusCor vector") +
                               Open_Message(Raw_Path("R", 2), "MinusCor vector");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, banner + prompt +
                            "\nThis name is too long for the file names it makes: use at most 111 characters.\n" +
                            prompt + "\nIs Other the correct name?\n\n1. Yes\n2. No\n\n" + prompt +
                            "\nIs Sp the correct name?\n\n1. Yes\n2. No\n\n" + kSideMenu + reprompt + reprompt +
                            messages + kClosing);
}

TEST(QuintarelRun, SpeciesFolderMissing) {
  // Nothing can be read or written: every input is reported, then the
  // empty symmetry matrix; the run goes on with console messages only and
  // ends normally.
  Temp_Dir dir;
  fs::create_directory(dir.path / "Data");
  const scds_testing::Program_Run run = Run_Program("Quintarel", dir.path, "Nope\n1\n3\nx\n");
  std::string reads;
  for (int k = 0; k < 3; ++k) {
    for (const char* side : {"R", "L"}) {
      reads += "\nImpossible to read Data/Nope/Nope_" + std::string(side) + "_" + kSets[k] +
               ".rawvector\nVerify " + kSets[k] + " vector file name.\n";
    }
  }
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Console_Start("Nope") +
                            "\nImpossible to write Data/Nope/Nope_temp.errorlog\n"
                            "Verify the species name and that its folder exists.\n"
                            "The messages go to this console only.\n" +
                            kSideMenu + reads +
                            "\nImpossible to write Data/Nope/Matrix/Nope.symmat\n"
                            "Verify that its folder exists and has room.\n" +
                            kClosing);
  EXPECT_TRUE(fs::is_empty(dir.path / "Data"));
}

TEST(QuintarelRun, AngleFileThatCannotBeWritten) {
  // The Cor synergistic file is a folder: reported once, counted for the
  // log's empty line; everything else is written as usual.
  Temp_Dir dir;
  scds_testing::Make_Species_Folder(dir.path, "Sp");
  const fs::path sp = dir.path / "Data/Sp";
  Write_Raw_Vectors(dir.path);
  fs::create_directory(sp / "Sp_Cor.synangle");
  const scds_testing::Program_Run run = Run_Program("Quintarel", dir.path, "Sp\n1\n3\nx\n");
  const std::string message =
      "\nImpossible to write Data/Sp/Sp_Cor.synangle\nVerify that its folder exists and has room.\n";
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Console_Start("Sp") + kSideMenu + "\n" + expected::kBoth_Cor_vector + "\n" +
                            expected::kBoth_Cor_synangle + message + "\n" + expected::kBoth_Cor_function_R + "\n" +
                            expected::kBoth_Cor_function_L + kClosing);
  EXPECT_EQ(Read_File(sp / "Matrix/Sp_uncoupled.transmat"), expected::kBoth_Transmat);
  EXPECT_EQ(Read_File(sp / "Sp_Cor.vector"), expected::kBoth_Cor_vector);
  EXPECT_EQ(Read_File(sp / "Sp_R_Cor.functionangle"), expected::kBoth_Cor_function_R);
  EXPECT_EQ(Read_File(sp / "Sp_PlusCor.synangle"), expected::kBoth_PlusCor_synangle);
  EXPECT_TRUE(fs::is_directory(sp / "Sp_Cor.synangle"));
  EXPECT_EQ(Read_File(sp / "Sp.errorlog"), "Quintarel Errors:\n" + message + "\n");
  // The Cor inputs stay for a run that can write all their results.
  Expect_Only_Cor_Inputs_Kept(dir.path);
}

// Another file put at an output's names between its writing and its rename
// (at the temporary name), or just after the rename (at its place), as a
// racing process could: the output is reported as not written, so the set's
// raw vectors stay for the next run, and the other results stand.
TEST(QuintarelRun, AnOutputSwappedForAnotherFileIsNotWritten) {
  for (bool after_rename : {false, true}) {
    SCOPED_TRACE(after_rename ? "at the output's place after the rename" : "at the temporary name before the rename");
    Temp_Dir dir;
    scds_testing::Make_Species_Folder(dir.path, "Sp");
    const fs::path sp = dir.path / "Data/Sp";
    Write_Raw_Vectors(dir.path);
    Write_File(sp / "Sp_Cor.synangle", kEarlier);
    Write_File(dir.path / "intruder", "someone else's file\n");
    scds::swap_seam = {sp / "Sp_Cor.synangle", dir.path / "intruder", after_rename};
    std::istringstream in("Sp\n1\n3\nx\n");
    std::ostringstream out;
    const int status = scds::quintarel::Run_Quintarel(in, out, dir.path);
    scds::swap_seam = {};
    const std::string message =
        "\nImpossible to write Data/Sp/Sp_Cor.synangle\nVerify that its folder exists and has room.\n";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.str(), Console_Start("Sp") + kSideMenu + "\n" + expected::kBoth_Cor_vector + "\n" +
                             expected::kBoth_Cor_synangle + message + "\n" + expected::kBoth_Cor_function_R + "\n" +
                             expected::kBoth_Cor_function_L + kClosing);
    EXPECT_EQ(Read_File(sp / "Sp_Cor.synangle"), after_rename ? "someone else's file\n" : kEarlier);
    EXPECT_EQ(Read_File(sp / "Sp.errorlog"), "Quintarel Errors:\n" + message + "\n");
    EXPECT_EQ(Read_File(sp / "Matrix/Sp_uncoupled.transmat"), expected::kBoth_Transmat);
    EXPECT_EQ(Read_File(sp / "Sp_Cor.vector"), expected::kBoth_Cor_vector);
    EXPECT_EQ(Read_File(sp / "Sp_PlusCor.synangle"), expected::kBoth_PlusCor_synangle);
    Expect_Only_Cor_Inputs_Kept(dir.path);
  }
}

const std::string kCannotWriteTransmat =
    "\nImpossible to write Data/Sp/Matrix/Sp_uncoupled.transmat\nVerify that its folder exists and has room.\n";
const std::string kCannotWriteSymmat =
    "\nImpossible to write Data/Sp/Matrix/Sp.symmat\nVerify that its folder exists and has room.\n";

TEST(QuintarelRun, MatrixFolderMissingOneSide) {
  // No Matrix folder: no mid-plane can be read, so every set fails, keeps
  // its input and writes nothing; the symmetry matrix cannot be written.
  Temp_Dir dir;
  const fs::path sp = dir.path / "Data/Sp";
  fs::create_directories(sp);
  for (int k = 0; k < 3; ++k) Write_File(dir.path / Raw_Path("R", k), Raw_Text("R", k));
  const scds_testing::Program_Run run = Run_Program("Quintarel", dir.path, "Sp\n1\n1\nx\n");
  const std::string messages = Open_Message("Data/Sp/Matrix/Sp.midplane", "mid-plane") + kCannotWriteSymmat;
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Console_Start("Sp") + kSideMenu + messages + kClosing);
  EXPECT_EQ(Read_File(sp / "Sp.errorlog"), "Quintarel Errors:\n" + messages + "\n");
  for (int k = 0; k < 3; ++k) EXPECT_EQ(Read_File(dir.path / Raw_Path("R", k)), Raw_Text("R", k));
  for (const char* file : {"Sp_Cor.vector", "Sp_PlusCor.vector", "Sp_MinusCor.vector", "Sp_Cor.synangle"}) {
    EXPECT_FALSE(Exists(sp / file)) << file;
  }
}

TEST(QuintarelRun, MatrixFolderMissingBothSides) {
  // Both sides read, every pass runs, but the Cor matrix cannot be handed
  // over: the Cor inputs are kept, the other sets' inputs are consumed.
  Temp_Dir dir;
  const fs::path sp = dir.path / "Data/Sp";
  fs::create_directories(sp);
  Write_Raw_Vectors(dir.path);
  const scds_testing::Program_Run run = Run_Program("Quintarel", dir.path, "Sp\n1\n3\nx\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Console_Start("Sp") + kSideMenu + kCannotWriteTransmat + "\n" + expected::kBoth_Cor_vector +
                            "\n" + expected::kBoth_Cor_synangle + "\n" + expected::kBoth_Cor_function_R + "\n" +
                            expected::kBoth_Cor_function_L + kCannotWriteSymmat + kClosing);
  EXPECT_EQ(Read_File(sp / "Sp_Cor.vector"), expected::kBoth_Cor_vector);
  EXPECT_EQ(Read_File(sp / "Sp_MinusCor.vector"), expected::kBoth_MinusCor_vector);
  Expect_Only_Cor_Inputs_Kept(dir.path);
  EXPECT_EQ(Read_File(sp / "Sp.errorlog"), "Quintarel Errors:\n" + kCannotWriteTransmat + kCannotWriteSymmat + "\n");
}

// A run whose sets all write their results, one set of which has a raw
// vector file the run cannot remove: that set keeps every one of its files
// (never one side consumed and the other kept), each file that cannot go
// is said on the console and in the log, and the other sets are consumed.
struct Kept_Set {
  const char* name;
  int mode;                       // the side answer: 3 both sides, 1 the right side mirrored
  int set;                        // the set whose files stay
  std::vector<std::string> said;  // the sides of the files that cannot go, in the order said
  int flag = 0;                   // FS_IMMUTABLE_FL or FS_APPEND_FL on those files, where the case uses one
};

std::vector<std::string> Sides_Read(int mode) {
  return mode == 3 ? std::vector<std::string>{"R", "L"} : std::vector<std::string>{"R"};
}

std::string Kept_Message(const Kept_Set& kept, const std::string& side) {
  return "\nImpossible to remove " + Raw_Path(side, kept.set) + "\nThe " + kSets[kept.set] +
         (kept.mode == 3 ? " set is written but keeps both raw vector files: remove them by hand.\n"
                         : " set is written but keeps its raw vector file: remove it by hand.\n");
}

// The raw vector files of the sides the run reads (and the mid-plane).
void Write_Kept_Set_Inputs(const fs::path& work_dir, int mode) {
  scds_testing::Make_Species_Folder(work_dir, "Sp");
  for (const std::string& side : Sides_Read(mode)) {
    for (int k = 0; k < 3; ++k) Write_File(work_dir / Raw_Path(side, k), Raw_Text(side, k));
  }
  if (mode != 3) Write_File(work_dir / "Data/Sp/Matrix/Sp.midplane", expected::kMidPlane);
}

// The console, every set's results and raw vector files, and the species
// log after such a run.
void Expect_Set_Kept(const fs::path& work_dir, const scds_testing::Program_Run& run, const Kept_Set& kept) {
  const fs::path sp = work_dir / "Data/Sp";
  const std::string prefix = kept.mode == 3 ? "Both_" : "Right_";
  std::string messages;
  for (const std::string& side : kept.said) messages += Kept_Message(kept, side);
  std::string echo = "\n" + Expected(prefix + "Cor_vector") + "\n" + Expected(prefix + "Cor_synangle");
  for (const std::string& side : Sides_Read(kept.mode)) echo += "\n" + Expected(prefix + "Cor_function_" + side);
  EXPECT_EQ(run.signal, 0);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Console_Start("Sp") + kSideMenu + echo + messages + kClosing);
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(kSets[k]);
    const std::string set = kSets[k];
    EXPECT_EQ(Read_File(sp / ("Sp_" + set + ".vector")), Expected(prefix + set + "_vector"));
    for (const std::string& side : Sides_Read(kept.mode)) {
      const fs::path raw = work_dir / Raw_Path(side, k);
      if (k == kept.set) {
        EXPECT_EQ(Read_File(raw), Raw_Text(side, k)) << side;
      } else {
        EXPECT_FALSE(Exists(raw)) << side;
      }
    }
  }
  EXPECT_EQ(Read_File(sp / "Sp.errorlog"), "Quintarel Errors:\n" + messages + "\n");
}

// A shared folder (sticky, mode 1777, as /tmp is) in which the files that
// cannot go are another user's (root's) and the run is the unprivileged
// user's: the system lets it remove its own files only.
TEST(QuintarelRun, AnotherUsersRawVectorFileInASharedFolderKeepsItsWholeSet) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can leave a file to a user the run is not";
  const Kept_Set cases[] = {
      {"the left Cor file", 3, 0, {"L"}},
      {"both PlusCor files", 3, 1, {"R", "L"}},
      {"the right MinusCor file, one side read", 1, 2, {"R"}},
  };
  for (const Kept_Set& kept : cases) {
    SCOPED_TRACE(kept.name);
    Temp_Dir dir;
    Write_Kept_Set_Inputs(dir.path, kept.mode);
    fs::permissions(dir.path / "Data/Sp", fs::perms::all | fs::perms::sticky_bit);
    scds_testing::Run_Options options;
    options.unprivileged = true;
    options.left_to_root = {"Data/Sp"};
    for (const std::string& side : kept.said) options.left_to_root.push_back(Raw_Path(side, kept.set));
    Expect_Set_Kept(dir.path, Run_Program("Quintarel", dir.path, "Sp\n1\n" + std::to_string(kept.mode) + "\nx\n",
                                          options),
                    kept);
  }
}

// A raw vector file marked immutable or append-only, which not even root
// may remove.
TEST(QuintarelRun, AnImmutableRawVectorFileKeepsItsWholeSet) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can mark a file immutable or append-only";
  const Kept_Set cases[] = {
      {"the left Cor file immutable", 3, 0, {"L"}, FS_IMMUTABLE_FL},
      {"the right MinusCor file append-only", 3, 2, {"R"}, FS_APPEND_FL},
      {"the right PlusCor file immutable, one side read", 1, 1, {"R"}, FS_IMMUTABLE_FL},
  };
  for (const Kept_Set& kept : cases) {
    SCOPED_TRACE(kept.name);
    Temp_Dir dir;
    Write_Kept_Set_Inputs(dir.path, kept.mode);
    const scds_testing::File_Flag flag(dir.path / Raw_Path(kept.said[0], kept.set), kept.flag);
    if (!flag.set) GTEST_SKIP() << "the file system of " << dir.path << " keeps no such flag";
    Expect_Set_Kept(dir.path, Run_Program("Quintarel", dir.path, "Sp\n1\n" + std::to_string(kept.mode) + "\nx\n"),
                    kept);
  }
}

// The species folder loses its write permission once the MinusCor set's
// results are written, before its raw vector files go (the run is held at
// the rename of the set's last result meanwhile): neither file can go.
// The species log, there already, still takes the block; the temporary
// log stays, as the folder takes no removal.
TEST(QuintarelRun, ARawVectorFolderThatCannotBeWrittenKeepsItsWholeSet) {
  SCDS_REQUIRE_STRACE();
  const Kept_Set kept = {"both MinusCor files", 3, 2, {"R", "L"}};
  Temp_Dir dir;
  Write_Kept_Set_Inputs(dir.path, kept.mode);
  const fs::path sp = dir.path / "Data/Sp";
  Write_File(sp / "Sp.errorlog", "");
  const fs::path last = sp / "Sp_L_MinusCor.functionangle";
  scds_testing::Trace_Request request;
  request.calls = "rename,renameat,renameat2";
  {
    // Which rename of the run puts the set's last result in its place.
    Temp_Dir plain;
    Write_Kept_Set_Inputs(plain.path, kept.mode);
    const scds_testing::Traced_Run whole = scds_testing::Run_Traced("Quintarel", plain.path, "Sp\n1\n3\nx\n", request);
    std::map<std::string, int> seen;
    for (const scds_testing::Traced_Call& call : whole.calls) {
      ++seen[call.name];
      if (call.strings.size() == 2 && call.strings[1].ends_with("/Sp_L_MinusCor.functionangle")) {
        request.at = call.name;
        request.when = seen[call.name];
        break;
      }
    }
    ASSERT_GT(request.when, 0);
  }
  request.delay_exit_us = 3000000;
  request.unprivileged = true;
  std::thread closer([&sp, &last] {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (!Exists(last) && std::chrono::steady_clock::now() < give_up) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    fs::permissions(sp, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                            fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  });
  const scds_testing::Traced_Run traced = scds_testing::Run_Traced("Quintarel", dir.path, "Sp\n1\n3\nx\n", request);
  closer.join();
  fs::permissions(sp, fs::perms::owner_all, fs::perm_options::add);
  Expect_Set_Kept(dir.path, traced.run, kept);
}

}  // namespace
