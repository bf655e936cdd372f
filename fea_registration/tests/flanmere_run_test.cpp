// Flanmere run end to end: the built program in a temporary species folder,
// its answers on standard input, then the console text and the bytes of every
// file it leaves. The flat meshes expected come from expected_flat_meshes.py.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>

#include "expected_flat_meshes.h"
#include "flanmere.h"
#include "mesh_fixtures.h"
#include "odd_input.h"
#include "own_names.h"
#include "output_file.h"
#include "scds_testing.h"
#include "traced_run.h"

namespace {

namespace fs = std::filesystem;
namespace ex = flanmere_expected;
using scds_testing::Exists;
using scds_testing::Read_File;
using scds_testing::Run_Program;
using scds_testing::Temp_Dir;
using scds_testing::Write_File;

const std::string kSpecies = "Ovis";
const char* const kPrefix[2] = {"rfea_", "lfea_"};
const char* const kDuct[3] = {"_Ant", "_Post", "_Lat"};
const char* const kCase[4] = {"_Cup", "_Cilia_Long", "_Cilia_Medium", "_Cilia_Short"};

const std::string_view kCup[2][3] = {{ex::kCupRAnt, ex::kCupRPost, ex::kCupRLat},
                                     {ex::kCupLAnt, ex::kCupLPost, ex::kCupLLat}};
const std::string_view kCupOdd[2][3] = {{ex::kCupRAntOdd, ex::kCupRPostOdd, ex::kCupRLatOdd},
                                        {ex::kCupLAntOdd, ex::kCupLPostOdd, ex::kCupLLatOdd}};
const std::string_view kCilia[3] = {ex::kCiliaLong, ex::kCiliaMedium, ex::kCiliaShort};
const std::string_view kCiliaOdd[3] = {ex::kCiliaLongOdd, ex::kCiliaMediumOdd, ex::kCiliaShortOdd};
// [side][duct][case]: the flat meshes of a run in which every input is there.
const std::string_view kFlat[2][3][4] = {
    {{ex::kFlatCupRAnt, ex::kFlatCiliaLongRAnt, ex::kFlatCiliaMediumRAnt, ex::kFlatCiliaShortRAnt},
     {ex::kFlatCupRPost, ex::kFlatCiliaLongRPost, ex::kFlatCiliaMediumRPost, ex::kFlatCiliaShortRPost},
     {ex::kFlatCupRLat, ex::kFlatCiliaLongRLat, ex::kFlatCiliaMediumRLat, ex::kFlatCiliaShortRLat}},
    {{ex::kFlatCupLAnt, ex::kFlatCiliaLongLAnt, ex::kFlatCiliaMediumLAnt, ex::kFlatCiliaShortLAnt},
     {ex::kFlatCupLPost, ex::kFlatCiliaLongLPost, ex::kFlatCiliaMediumLPost, ex::kFlatCiliaShortLPost},
     {ex::kFlatCupLLat, ex::kFlatCiliaLongLLat, ex::kFlatCiliaMediumLLat, ex::kFlatCiliaShortLLat}},
};

constexpr std::string_view kBanner =
    "\n\n##########################################################\n"
    "#                                                        #\n"
    "#    Registration of STL in 2D FEA Frame of Reference    #\n"
    "#                                                        #\n"
    "#                      Version 1.0                       #\n"
    "#                                                        #\n"
    "##########################################################\n"
    "\n"
    "Part of the semicircular duct system analysis suite.\n\n"
    "Only works with STL files saved in ASCII format.\nPlease verify compatibility.\n\n"
    "INPUT FILES:\n\n"
    "IN FOLDER: Data/SPECIESNAME/FEA/\n\n"
    "rfea_SPECIESNAME_Ant_Cup.stl\nrfea_SPECIESNAME_Ant_Cilia_Short.stl\nrfea_SPECIESNAME_Ant_Cilia_Medium.stl\n"
    "rfea_SPECIESNAME_Ant_Cilia_Long.stl\nrfea_SPECIESNAME_Post_Cup.stl\nrfea_SPECIESNAME_Post_Cilia_Short.stl\n"
    "rfea_SPECIESNAME_Post_Cilia_Medium.stl\nrfea_SPECIESNAME_Post_Cilia_Long.stl\nrfea_SPECIESNAME_Lat_Cup.stl\n"
    "rfea_SPECIESNAME_Lat_Cilia_Short.stl\nrfea_SPECIESNAME_Lat_Cilia_Medium.stl\n"
    "rfea_SPECIESNAME_Lat_Cilia_Long.stl\n\n"
    "and/or\n\n"
    "lfea_SPECIESNAME_Ant_Cup.stl\nlfea_SPECIESNAME_Ant_Cilia_Short.stl\nlfea_SPECIESNAME_Ant_Cilia_Medium.stl\n"
    "lfea_SPECIESNAME_Ant_Cilia_Long.stl\nlfea_SPECIESNAME_Post_Cup.stl\nlfea_SPECIESNAME_Post_Cilia_Short.stl\n"
    "lfea_SPECIESNAME_Post_Cilia_Medium.stl\nlfea_SPECIESNAME_Post_Cilia_Long.stl\nlfea_SPECIESNAME_Lat_Cup.stl\n"
    "lfea_SPECIESNAME_Lat_Cilia_Short.stl\nlfea_SPECIESNAME_Lat_Cilia_Medium.stl\n"
    "lfea_SPECIESNAME_Lat_Cilia_Long.stl\n\n"
    "OUTPUT FILES:\n\n"
    "IN FOLDER: Data/SPECIESNAME/FEA/\n\n"
    "rfea_SPECIESNAME_Ant_Cup_2D.stl\nrfea_SPECIESNAME_Ant_Cilia_Short_2D.stl\n"
    "rfea_SPECIESNAME_Ant_Cilia_Medium_2D.stl\nrfea_SPECIESNAME_Ant_Cilia_Long_2D.stl\n"
    "rfea_SPECIESNAME_Post_Cup_2D.stl\nrfea_SPECIESNAME_Post_Cilia_Short_2D.stl\n"
    "rfea_SPECIESNAME_Post_Cilia_Medium_2D.stl\nrfea_SPECIESNAME_Post_Cilia_Long_2D.stl\n"
    "rfea_SPECIESNAME_Lat_Cup_2D.stl\nrfea_SPECIESNAME_Lat_Cilia_Short_2D.stl\n"
    "rfea_SPECIESNAME_Lat_Cilia_Medium_2D.stl\nrfea_SPECIESNAME_Lat_Cilia_Long_2D.stl\n\n"
    "and/or\n\n"
    "lfea_SPECIESNAME_Ant_Cup_2D.stl\nlfea_SPECIESNAME_Ant_Cilia_Short_2D.stl\n"
    "lfea_SPECIESNAME_Ant_Cilia_Medium_2D.stl\nlfea_SPECIESNAME_Ant_Cilia_Long_2D.stl\n"
    "lfea_SPECIESNAME_Post_Cup_2D.stl\nlfea_SPECIESNAME_Post_Cilia_Short_2D.stl\n"
    "lfea_SPECIESNAME_Post_Cilia_Medium_2D.stl\nlfea_SPECIESNAME_Post_Cilia_Long_2D.stl\n"
    "lfea_SPECIESNAME_Lat_Cup_2D.stl\nlfea_SPECIESNAME_Lat_Cilia_Short_2D.stl\n"
    "lfea_SPECIESNAME_Lat_Cilia_Medium_2D.stl\nlfea_SPECIESNAME_Lat_Cilia_Long_2D.stl\n\n"
    "Requests, questions and bug reports are welcome:\nplease send them to the project's issue tracker.\n\n";

constexpr std::string_view kNamePrompt = "\nPlease enter the exact species name your FEA files use\n\n";
constexpr std::string_view kMenu =
    "\nYou have FEA files for:\n\n"
    "1. the right semicircular duct system\n"
    "2. the left semicircular duct system\n"
    "3. both semicircular duct systems\n\n";
constexpr std::string_view kClosing = "\nPress any key, then Enter to exit.";

std::string Confirm(std::string_view name) {
  return "\nIs " + std::string(name) + " the correct name?\n\n1. Yes\n2. No\n\n";
}

// Everything the console shows before the first side pass.
std::string Head() { return std::string(kBanner) + std::string(kNamePrompt) + Confirm(kSpecies) + std::string(kMenu); }

std::string Answers(int side) { return kSpecies + "\n1\n" + std::to_string(side) + "\nq\n"; }

std::string Name(int side, int duct, int kase, bool flat) {
  return std::string(kPrefix[side]) + kSpecies + kDuct[duct] + kCase[kase] + (flat ? "_2D.stl" : ".stl");
}

std::string Shown(int side, int duct, int kase, bool flat = false) {
  return "Data/" + kSpecies + "/FEA/" + Name(side, duct, kase, flat);
}

std::string Cannot_Read(int side, int duct, int kase) {
  return "\nImpossible to read " + Shown(side, duct, kase) + "\nVerify STL file name.\n";
}

std::string Degenerate(int side, int duct) {
  return "\nImpossible to use " + Shown(side, duct, 0) +
         "\nIts first facet is degenerate; no frame can be built from it.\n";
}

std::string No_Frame(int side, int duct, int kase) {
  return "\nImpossible to flatten " + Shown(side, duct, kase) + "\nIts cupula gave no frame to flatten it in.\n";
}

// The duct's three cilia meshes when its cupula gave no frame.
std::string No_Frame_Cilia(int side, int duct) {
  return No_Frame(side, duct, 1) + No_Frame(side, duct, 2) + No_Frame(side, duct, 3);
}

std::string Refused(int side, int duct, int kase) {
  return mesh_testing::Refused_Message(Shown(side, duct, kase));
}

struct Folder {
  Temp_Dir dir;
  Folder() { scds_testing::Make_Species_Folder(dir.path, kSpecies); }
  fs::path Species() const { return dir.path / "Data" / kSpecies; }
  fs::path File(int side, int duct, int kase, bool flat = false) const {
    return Species() / "FEA" / Name(side, duct, kase, flat);
  }
  fs::path Error_Log() const { return Species() / (kSpecies + ".errorlog"); }
  fs::path Temp_Log() const { return Species() / (kSpecies + "_temp_R.errorlog"); }
  // Flat meshes of the duct as an earlier run wrote them.
  void Write_Earlier_Flat_Meshes(int side, int duct) const {
    for (int k = 0; k < 4; ++k) Write_File(File(side, duct, k, true), kFlat[side][duct][k]);
  }
  // The twelve inputs of a side, as the expected flat meshes were made from.
  void Write_Side(int side, bool odd = false) const {
    for (int duct = 0; duct < 3; ++duct) {
      Write_File(File(side, duct, 0), odd ? kCupOdd[side][duct] : kCup[side][duct]);
      for (int k = 1; k < 4; ++k) Write_File(File(side, duct, k), odd ? kCiliaOdd[k - 1] : kCilia[k - 1]);
    }
  }
  scds_testing::Program_Run Run(std::string_view answers) const { return Run_Program("Flanmere", dir.path, answers); }
};

// Checks the twelve flat meshes of a side against kFlat.
void Expect_Side(const Folder& folder, int side) {
  for (int duct = 0; duct < 3; ++duct) {
    for (int k = 0; k < 4; ++k) {
      SCOPED_TRACE(Name(side, duct, k, true));
      EXPECT_EQ(Read_File(folder.File(side, duct, k, true)), kFlat[side][duct][k]);
    }
  }
}

void Expect_No_Flat_Mesh(const Folder& folder, int side) {
  for (int duct = 0; duct < 3; ++duct) {
    for (int k = 0; k < 4; ++k) EXPECT_FALSE(Exists(folder.File(side, duct, k, true))) << Name(side, duct, k, true);
  }
}

TEST(FlanmereRun, EachSideAndBothSides) {
  struct Case {
    int answer;
    bool right, left;
  };
  for (const Case c : {Case{1, true, false}, Case{2, false, true}, Case{3, true, true}}) {
    SCOPED_TRACE(c.answer);
    Folder folder;
    folder.Write_Side(0);
    folder.Write_Side(1);
    const auto run = folder.Run(Answers(c.answer));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, Head() + std::string(kClosing));
    if (c.right) Expect_Side(folder, 0);
    else Expect_No_Flat_Mesh(folder, 0);
    if (c.left) Expect_Side(folder, 1);
    else Expect_No_Flat_Mesh(folder, 1);
    // Nothing failed: no species error log, and the temporary one is gone.
    EXPECT_FALSE(Exists(folder.Error_Log()));
    EXPECT_FALSE(Exists(folder.Temp_Log()));
    // The inputs are untouched.
    EXPECT_EQ(Read_File(folder.File(0, 1, 0)), kCup[0][1]);
  }
}

TEST(FlanmereRun, CrLfBlanksAndExponentsReadAlike) {
  Folder folder;
  folder.Write_Side(0, true);
  const auto run = folder.Run(Answers(1));
  EXPECT_EQ(run.output, Head() + std::string(kClosing));
  Expect_Side(folder, 0);
}

// A missing cupula leaves its duct without a frame: no flat mesh of the
// duct stands afterwards, and its cilia meshes are not read. A missing
// cilia mesh of a duct with a frame leaves no flat mesh of its name either,
// not even one an earlier run wrote.
TEST(FlanmereRun, MissingInputs) {
  Folder folder;
  folder.Write_Side(0);
  fs::remove(folder.File(0, 0, 0));  // anterior cupula
  fs::remove(folder.File(0, 1, 2));  // posterior medium cilia
  // Flat meshes of an earlier run.
  folder.Write_Earlier_Flat_Meshes(0, 0);
  Write_File(folder.File(0, 1, 2, true), "an earlier flat mesh\n");
  Write_File(folder.Error_Log(), "Earlier Errors:\n\nkept\n\n");
  const auto run = folder.Run(Answers(1));
  EXPECT_EQ(run.status, 0);
  const std::string messages = Cannot_Read(0, 0, 0) + No_Frame_Cilia(0, 0) + Cannot_Read(0, 1, 2);
  EXPECT_EQ(run.output, Head() + messages + std::string(kClosing));
  for (int k = 0; k < 4; ++k) EXPECT_FALSE(Exists(folder.File(0, 0, k, true))) << k;
  // The next ducts have their own frames.
  for (int k : {0, 1, 3}) EXPECT_EQ(Read_File(folder.File(0, 1, k, true)), kFlat[0][1][k]) << k;
  EXPECT_FALSE(Exists(folder.File(0, 1, 2, true)));
  for (int k = 0; k < 4; ++k) EXPECT_EQ(Read_File(folder.File(0, 2, k, true)), kFlat[0][2][k]) << k;
  EXPECT_EQ(Read_File(folder.Error_Log()), "Earlier Errors:\n\nkept\n\nFlanmere Errors:\n" + messages + "\n");
  EXPECT_FALSE(Exists(folder.Temp_Log()));
}

// A FIFO (or a link to /dev/zero) in place of a cupula or a cilia-region
// mesh is handled at once as a mesh that cannot be opened: the run does
// what it does when that mesh is missing, within the time limit, and leaves
// no temporary log.
// A link or a FIFO at the program's own names (each flat mesh's temporary
// name, the temporary log) is never followed or waited on; a FIFO at the
// species log sends the block to the unmerged log.
// An earlier flat mesh that cannot be removed (FEA/ is read-only for the
// user) while its duct's cupula is missing: each is said where it is found,
// counted, and stays; nothing already absent is said.
TEST(FlanmereRun, AFlatMeshThatCannotBeRemovedIsSaid) {
  Folder folder;
  folder.Write_Earlier_Flat_Meshes(0, 0);
  const fs::path fea = folder.Species() / "FEA";
  fs::permissions(fea, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  scds_testing::Run_Options read_only;
  read_only.unprivileged = true;  // as root, a user for whom the folder is read-only
  const auto run = Run_Program("Flanmere", folder.dir.path, Answers(1), read_only);
  fs::permissions(fea, fs::perms::owner_write, fs::perm_options::add);
  auto cannot_remove = [](int kase) {
    return "\nImpossible to remove " + Shown(0, 0, kase, true) +
           "\nAn earlier file of that name remains: remove it by hand.\n";
  };
  std::string messages = Cannot_Read(0, 0, 0) + cannot_remove(0);
  for (int k = 1; k < 4; ++k) messages += No_Frame(0, 0, k) + cannot_remove(k);
  for (int duct = 1; duct < 3; ++duct) messages += Cannot_Read(0, duct, 0) + No_Frame_Cilia(0, duct);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Head() + messages + std::string(kClosing));
  EXPECT_EQ(Read_File(folder.Error_Log()), "Flanmere Errors:\n" + messages + "\n");
  for (int k = 0; k < 4; ++k) EXPECT_EQ(Read_File(folder.File(0, 0, k, true)), kFlat[0][0][k]) << k;
}

TEST(FlanmereRun, OwnNamesAreMadeAfresh) {
  Folder folder;
  folder.Write_Side(0);
  fs::remove(folder.File(0, 2, 3));  // a message for the log
  const std::string species = "Data/" + kSpecies + "/" + kSpecies;
  scds_testing::Expect_Own_Names_Made_Afresh({"Flanmere", folder.dir.path, Answers(1), {species + "_temp_R.errorlog"},
                                              species + ".errorlog", species + "_unmerged.errorlog",
                                              scds::flanmere::Flanmere_Paths(kSpecies)});
}

TEST(FlanmereRun, AMeshThatIsNotARegularFileIsOneThatCannotBeOpened) {
  struct Case {
    int side, duct, kase;
    bool dev_zero;
  };
  const Case cases[] = {{0, 0, 0, false}, {1, 2, 3, false}, {1, 1, 0, true}};
  for (const Case& c : cases) {
    const std::string input = Shown(c.side, c.duct, c.kase);
    SCOPED_TRACE(input);
    Folder folder;
    folder.Write_Side(0);
    folder.Write_Side(1);
    const std::string species = "Data/" + kSpecies + "/" + kSpecies;
    scds_testing::Expect_Odd_Input_As_Missing({"Flanmere", folder.dir.path, input, c.dev_zero, Answers(3)},
                                              {Cannot_Read(c.side, c.duct, c.kase), species + ".errorlog",
                                               species + "_temp_R.errorlog"});
  }
}

TEST(FlanmereRun, AllInputsMissing) {
  Folder folder;
  const auto run = folder.Run(Answers(2));
  std::string messages;
  for (int duct = 0; duct < 3; ++duct) messages += Cannot_Read(1, duct, 0) + No_Frame_Cilia(1, duct);
  EXPECT_EQ(run.output, Head() + messages + std::string(kClosing));
  EXPECT_EQ(Read_File(folder.Error_Log()), "Flanmere Errors:\n" + messages + "\n");
  Expect_No_Flat_Mesh(folder, 1);
  EXPECT_TRUE(fs::is_empty(folder.Species() / "FEA"));
}

// Each of these cupula meshes opens but gives no frame: its first facet is
// degenerate (or it has none), or its first facet is not regular text. The
// cupula is reported, its cilia meshes are not read and each is reported,
// and no flat mesh of the duct stands afterwards.
TEST(FlanmereRun, CupulaWithoutAFrame) {
  const std::string facet_head = "solid c\n facet normal 0 0 1\n  outer loop\n";
  const std::string facet_tail = "  endloop\n endfacet\nendsolid c\n";
  struct Case {
    const char* name;
    std::string text;
    bool refused;  // otherwise degenerate
  };
  const Case cases[] = {
      {"empty file", "", true},
      {"no facet", "solid c\nendsolid c\n", false},
      {"collinear", facet_head + "vertex 1 1 1\nvertex 2 3 4\nvertex 3 5 7\n" + facet_tail, false},
      {"coincident", facet_head + "vertex 1 2 3\nvertex 1 2 3\nvertex 0 1 0\n" + facet_tail, false},
      {"normal along (1, 1, 1)", facet_head + "vertex 1 0 0\nvertex 0 1 0\nvertex 0 0 1\n" + facet_tail, false},
      {"not a number", facet_head + "vertex 0 0 0\nvertex nan 0 0\nvertex 0 1 0\n" + facet_tail, false},
      {"upper-case keywords", "solid c\n FACET NORMAL 0 0 1\n" + std::string(ex::kCupRPost).substr(8), true},
      {"a vertex without its z", facet_head + "vertex 1 0 0\nvertex 0 1\nvertex 0 0 1\n" + facet_tail, true},
      {"third vertex cut short", facet_head + "vertex 1 0 0\nvertex 0 1 0\nvertex 0 0\n", true},
      {"second vertex cut short", facet_head + "vertex 1 0 0\nvertex 0 1\n", true},
      {"first vertex only", facet_head + "vertex 1 2 3\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Folder folder;
    folder.Write_Side(0);
    Write_File(folder.File(0, 1, 0), c.text);
    folder.Write_Earlier_Flat_Meshes(0, 1);
    const auto run = folder.Run(Answers(1));
    const std::string messages = (c.refused ? Refused(0, 1, 0) : Degenerate(0, 1)) + No_Frame_Cilia(0, 1);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, Head() + messages + std::string(kClosing));
    for (int k = 0; k < 4; ++k) EXPECT_FALSE(Exists(folder.File(0, 1, k, true))) << k;
    for (int k = 0; k < 4; ++k) EXPECT_EQ(Read_File(folder.File(0, 0, k, true)), kFlat[0][0][k]) << k;
    for (int k = 0; k < 4; ++k) EXPECT_EQ(Read_File(folder.File(0, 2, k, true)), kFlat[0][2][k]) << k;
    EXPECT_EQ(Read_File(folder.Error_Log()), "Flanmere Errors:\n" + messages + "\n");
  }
}

// A cupula mesh of 8 lines whose first facet parses and whose end line is
// missing: refused once read, so its duct has no frame and no flat mesh.
TEST(FlanmereRun, ACupulaWithoutItsEndLineGivesNoFrame) {
  Folder folder;
  folder.Write_Side(0);
  folder.Write_Earlier_Flat_Meshes(0, 0);
  Write_File(folder.File(0, 0, 0), ex::kCupRAntFirstOnly);
  const auto run = folder.Run(Answers(1));
  const std::string messages = Refused(0, 0, 0) + No_Frame_Cilia(0, 0);
  EXPECT_EQ(run.output, Head() + messages + std::string(kClosing));
  for (int k = 0; k < 4; ++k) EXPECT_FALSE(Exists(folder.File(0, 0, k, true))) << k;
  for (int k = 0; k < 4; ++k) EXPECT_EQ(Read_File(folder.File(0, 1, k, true)), kFlat[0][1][k]) << k;
  EXPECT_EQ(Read_File(folder.Error_Log()), "Flanmere Errors:\n" + messages + "\n");
}

// A cupula and a cilia mesh in the layouts other tools write, each made of
// eight facets (its own, repeated). Refused: the mesh counts as one that
// cannot be read, so it leaves no flat mesh (an earlier one is removed), and
// a refused cupula leaves its duct without a frame. CR LF line ends and
// blank lines after the end line read as the plain mesh.
TEST(FlanmereRun, MeshLayouts) {
  struct Target {
    int duct, kase, times;
  };
  for (const Target t : {Target{1, 0, 4}, Target{2, 2, 8}}) {
    const std::string plain = mesh_testing::Repeat_Facets(t.kase == 0 ? kCup[0][t.duct] : kCilia[t.kase - 1], t.times);
    const std::string flat = mesh_testing::Repeat_Facets(kFlat[0][t.duct][t.kase], t.times);
    for (const mesh_testing::Layout_Case& c : mesh_testing::kLayouts) {
      SCOPED_TRACE(std::string(c.name) + ", " + Name(0, t.duct, t.kase, false));
      Folder folder;
      folder.Write_Side(0);
      Write_File(folder.File(0, t.duct, t.kase), mesh_testing::Laid_Out(c.layout, plain));
      folder.Write_Earlier_Flat_Meshes(0, t.duct);
      const auto run = folder.Run(Answers(1));
      std::string messages;
      if (c.refused) messages = Refused(0, t.duct, t.kase) + (t.kase == 0 ? No_Frame_Cilia(0, t.duct) : "");
      EXPECT_EQ(run.status, 0);
      EXPECT_EQ(run.output, Head() + messages + std::string(kClosing));
      for (int duct = 0; duct < 3; ++duct) {
        for (int k = 0; k < 4; ++k) {
          SCOPED_TRACE(Name(0, duct, k, true));
          const bool gone = c.refused && duct == t.duct && (k == t.kase || t.kase == 0);
          if (gone) {
            EXPECT_FALSE(Exists(folder.File(0, duct, k, true)));
          } else {
            const bool target = duct == t.duct && k == t.kase;
            EXPECT_EQ(Read_File(folder.File(0, duct, k, true)), target ? flat : std::string(kFlat[0][duct][k]));
          }
        }
      }
      EXPECT_EQ(Read_File(folder.Error_Log()),
                c.refused ? "Flanmere Errors:\n" + messages + "\n" : "<missing " + kSpecies + ".errorlog>");
      EXPECT_EQ(scds_testing::Temporary_Files(folder.dir.path), std::vector<std::string>{});
    }
  }
}

TEST(FlanmereRun, BinaryCupulaIsNotRead) {
  Folder folder;
  folder.Write_Side(0);
  std::string binary(84 + 50, '\0');
  binary[80] = 1;
  Write_File(folder.File(0, 2, 0), binary);
  const auto run = folder.Run(Answers(1));
  const std::string message = "\nImpossible to read " + Shown(0, 2, 0) +
                              "\nThe file is a binary STL; save it as ASCII STL.\n" + No_Frame_Cilia(0, 2);
  EXPECT_EQ(run.output, Head() + message + std::string(kClosing));
  for (int k = 0; k < 4; ++k) EXPECT_FALSE(Exists(folder.File(0, 2, k, true))) << k;
  EXPECT_EQ(Read_File(folder.Error_Log()), "Flanmere Errors:\n" + message + "\n");
}

// The left pass of a both-sides run never takes the right side's frame:
// neither through the matrix (missing cupula) nor through the first-facet
// points (a cupula whose first facet does not parse).
TEST(FlanmereRun, LeftPassOfBothSidesEqualsLeftOnly) {
  for (bool missing : {true, false}) {
    SCOPED_TRACE(missing ? "left anterior cupula missing" : "left anterior cupula without a facet");
    Folder folder;
    folder.Write_Side(0);
    folder.Write_Side(1);
    if (missing) fs::remove(folder.File(1, 0, 0));
    else Write_File(folder.File(1, 0, 0), "solid c\nendsolid c\n");
    const auto run = folder.Run(Answers(3));
    const std::string message = (missing ? Cannot_Read(1, 0, 0) : Degenerate(1, 0)) + No_Frame_Cilia(1, 0);
    EXPECT_EQ(run.output, Head() + message + std::string(kClosing));
    Expect_Side(folder, 0);
    for (int k = 0; k < 4; ++k) EXPECT_FALSE(Exists(folder.File(1, 0, k, true))) << k;
    for (int k = 0; k < 4; ++k) EXPECT_EQ(Read_File(folder.File(1, 1, k, true)), kFlat[1][1][k]) << k;
    // Only the left side failed: one block, the left side's.
    EXPECT_EQ(Read_File(folder.Error_Log()), "Flanmere Errors:\n" + message + "\n");
  }
}

TEST(FlanmereRun, FailuresOnBothSidesGiveTwoBlocks) {
  Folder folder;
  folder.Write_Side(0);
  folder.Write_Side(1);
  fs::remove(folder.File(0, 2, 3));
  fs::remove(folder.File(1, 1, 1));
  const auto run = folder.Run(Answers(3));
  EXPECT_EQ(run.output, Head() + Cannot_Read(0, 2, 3) + Cannot_Read(1, 1, 1) + std::string(kClosing));
  EXPECT_EQ(Read_File(folder.Error_Log()),
            "Flanmere Errors:\n" + Cannot_Read(0, 2, 3) + "\nFlanmere Errors:\n" + Cannot_Read(1, 1, 1) + "\n");
}

// A flat mesh that cannot be created is reported; the cupula's frame is
// built all the same, so its cilia meshes are flattened properly.
TEST(FlanmereRun, UnwritableFlatMesh) {
  Folder folder;
  folder.Write_Side(0);
  fs::create_directories(folder.File(0, 0, 0, true));  // a folder in the way
  const auto run = folder.Run(Answers(1));
  const std::string message = "\nImpossible to write " + Shown(0, 0, 0, true) +
                              "\nVerify that its folder exists and has room.\n";
  EXPECT_EQ(run.output, Head() + message + std::string(kClosing));
  EXPECT_TRUE(fs::is_directory(folder.File(0, 0, 0, true)));
  for (int k = 1; k < 4; ++k) EXPECT_EQ(Read_File(folder.File(0, 0, k, true)), kFlat[0][0][k]) << k;
  EXPECT_EQ(Read_File(folder.Error_Log()), "Flanmere Errors:\n" + message + "\n");
}

// A flat mesh whose writing fails on the way (a full disk; here the write
// seam fails it after its first 100 bytes) leaves the one an earlier run
// wrote, and nothing beside it. The run is the program's own entry point.
TEST(FlanmereRun, AFullDiskKeepsTheEarlierFlatMesh) {
  Folder folder;
  folder.Write_Side(0);
  Write_File(folder.File(0, 1, 2, true), "an earlier flat mesh\n");
  scds::write_failure_seam = {folder.File(0, 1, 2, true), 100};
  std::istringstream in(Answers(1));
  std::ostringstream out;
  const int status = scds::flanmere::Run_Flanmere(in, out, folder.dir.path);
  scds::write_failure_seam = {};
  const std::string message = "\nImpossible to write " + Shown(0, 1, 2, true) +
                              "\nVerify that its folder exists and has room.\n";
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out.str(), Head() + message + std::string(kClosing));
  EXPECT_EQ(Read_File(folder.File(0, 1, 2, true)), "an earlier flat mesh\n");
  EXPECT_FALSE(Exists(folder.Species() / "FEA" / (Name(0, 1, 2, true) + ".partial")));
  for (int k : {0, 1, 3}) EXPECT_EQ(Read_File(folder.File(0, 1, k, true)), kFlat[0][1][k]) << k;
  EXPECT_EQ(Read_File(folder.Error_Log()), "Flanmere Errors:\n" + message + "\n");
}

// A run killed while it writes a large flat mesh (at its third write into
// the temporary file) leaves the earlier flat mesh of that name byte for
// byte; the next run replaces it whole.
TEST(FlanmereRun, AKilledRunLeavesTheEarlierFlatMesh) {
  SCDS_REQUIRE_STRACE();
  constexpr std::int64_t kFacets = 20000;
  Folder folder;
  folder.Write_Side(0);
  scds_testing::Write_Grid_Mesh(folder.File(0, 1, 0), kFacets);
  const std::string earlier = "an earlier flat mesh\n";
  Write_File(folder.File(0, 1, 0, true), earlier);
  const scds_testing::Interrupted_Write write = scds_testing::Interrupt_And_Complete(
      "Flanmere", folder.dir.path, Answers(1), folder.File(0, 1, 0, true), 3);
  EXPECT_EQ(write.status, 0);
  EXPECT_TRUE(write.complete.starts_with("solid\n\tfacet normal 0.000 0.000 1.000\n"));
  EXPECT_TRUE(scds_testing::Whole_Written_Mesh(write.complete, kFacets)) << write.complete.size() << " bytes";
  EXPECT_FALSE(write.partial_left);
  // The kill must have landed while the mesh was written beside its place,
  // and left the earlier mesh as it was.
  EXPECT_TRUE(write.killed);
  EXPECT_EQ(write.after_kill, earlier) << write.after_kill.size() << " bytes";
}

// What an earlier run left at the temporary log's name is merged first, as
// a block of its own, and said; a title line alone (a run that said
// nothing) is dropped without a word.
TEST(FlanmereRun, ALeftOverTemporaryLogIsMergedFirst) {
  struct Case {
    std::string left_over;
    std::string said;
    std::string log;
  };
  const std::string block = "Flanmere Errors:\nold message\n\n";
  const std::string merged_first =
      "\nData/" + kSpecies + "/" + kSpecies +
      "_temp_R.errorlog holds messages an earlier run or side did not merge: they are merged first.\n";
  const Case cases[] = {
      {block, merged_first, block},
      {"Flanmere Errors:\n", "", "<missing " + kSpecies + ".errorlog>"},
      // Cut off inside its last line: it is merged with a line end.
      {"Flanmere Errors:\n\nold", merged_first, "Flanmere Errors:\n\nold\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.left_over);
    Folder folder;
    folder.Write_Side(0);
    Write_File(folder.Temp_Log(), c.left_over);
    const auto run = folder.Run(Answers(1));
    EXPECT_EQ(run.output, Head() + c.said + std::string(kClosing));
    EXPECT_FALSE(Exists(folder.Temp_Log()));
    EXPECT_EQ(Read_File(folder.Error_Log()), c.log);
  }
}

TEST(FlanmereRun, SpeciesFolderMissing) {
  Temp_Dir dir;
  const auto run = Run_Program("Flanmere", dir.path, Answers(1));
  EXPECT_EQ(run.status, 0);
  std::string messages = "\nImpossible to write Data/" + kSpecies + "/" + kSpecies +
                         "_temp_R.errorlog\nVerify the species name and that its folder exists.\n"
                         "The messages go to this console only.\n";
  for (int duct = 0; duct < 3; ++duct) messages += Cannot_Read(0, duct, 0) + No_Frame_Cilia(0, duct);
  EXPECT_EQ(run.output, Head() + messages + std::string(kClosing));
  EXPECT_FALSE(Exists(dir.path / "Data"));
}

TEST(FlanmereDialogue, RepromptsAndRefusals) {
  Folder folder;
  folder.Write_Side(1);
  const std::string too_long(108, 'a');
  const auto run = folder.Run(too_long + "\nOvis\n0\nx\n2\nOvis\n1\n4\nleft\n-1\n2\n\n  q\n");
  const std::string expected =
      std::string(kBanner) + std::string(kNamePrompt) +
      "\nThis name is too long for the file names it makes: use at most 107 characters.\n" +
      std::string(kNamePrompt) + Confirm(kSpecies) + "\nPlease only answer yes (1) or no (2)\n\n" +
      "\nPlease only answer yes (1) or no (2)\n\n" + std::string(kNamePrompt) + Confirm(kSpecies) +
      std::string(kMenu) + "\nPlease only answer right (1), left (2) or both (3)\n\n" +
      "\nPlease only answer right (1), left (2) or both (3)\n\n" +
      "\nPlease only answer right (1), left (2) or both (3)\n\n" + std::string(kClosing);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, expected);
  Expect_Side(folder, 1);
}

TEST(FlanmereDialogue, EndOfInputBeforeTheAnswers) {
  struct Case {
    const char* answers;
    std::string output;
  };
  const Case cases[] = {
      {"", std::string(kBanner) + std::string(kNamePrompt)},
      {"Ovis\n", std::string(kBanner) + std::string(kNamePrompt) + Confirm(kSpecies)},
      {"Ovis\n1\n", Head()},
      {"Ovis\n1\n7\n", Head() + "\nPlease only answer right (1), left (2) or both (3)\n\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answers);
    Folder folder;
    folder.Write_Side(0);
    const auto run = folder.Run(c.answers);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, c.output);
    Expect_No_Flat_Mesh(folder, 0);
    EXPECT_FALSE(Exists(folder.Temp_Log()));
  }
}

TEST(FlanmereDialogue, EndOfInputAtTheClosingPrompt) {
  Folder folder;
  folder.Write_Side(0);
  const auto run = folder.Run("Ovis\n1\n1\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Head() + std::string(kClosing));
  Expect_Side(folder, 0);
}

}  // namespace
