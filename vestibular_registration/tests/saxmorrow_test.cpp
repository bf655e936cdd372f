// Saxmorrow run end to end: the built program in a temporary species
// folder, the answers on standard input, then the exact console text and
// the exact bytes of every file. The registered meshes come from
// expected_saxmorrow.py.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <string>

#include "banner.h"
#include "mesh_fixtures.h"
#include "saxmorrow.h"
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

namespace fs = std::filesystem;

const std::string kEarMesh =
    "solid ear\n"
    "  facet normal 0 0 1\n"
    "    outer loop\n"
    "      vertex 1.5e-03 +2 -3.25\n"
    "      vertex 10 20 30\n"
    "      vertex -0.0000004 0.0000005 1e2\n"
    "    endloop\n"
    "  endfacet\n"
    "  facet normal -0.6 0.8 0\n"
    "    outer loop\n"
    "      vertex 0.1 0.2 0.3\n"
    "      vertex 123.456789 -98.7654321 0.5\n"
    "      vertex 7 8 9\n"
    "    endloop\n"
    "  endfacet\n"
    "endsolid ear\n";

const std::string kIdentity = "1.000000\t0.000000\t0.000000\n0.000000\t1.000000\t0.000000\n0.000000\t0.000000\t1.000000";
const std::string kScale2 = "2.000000\t0.000000\t0.000000\n0.000000\t2.000000\t0.000000\n0.000000\t0.000000\t2.000000";
const std::string kRotation =
    "1.000000\t0.000000\t0.000000\n0.000000\t0.984808\t-0.173648\n0.000000\t0.173648\t0.984808";

// expected_saxmorrow.py
const std::string kEarIdentity =
    "solid\n"
    "\tfacet normal\t0.000000\t0.000000\t1.000000\n"
    "\touter loop\n\t\tvertex\t0.001500\t2.000000\t-3.250000\n"
    "\t\tvertex\t10.000000\t20.000000\t30.000000\n"
    "\t\tvertex\t-0.000000\t0.000000\t100.000000\n\tendloop\nendfacet\n"
    "\tfacet normal\t-0.600000\t0.800000\t0.000000\n"
    "\touter loop\n\t\tvertex\t0.100000\t0.200000\t0.300000\n"
    "\t\tvertex\t123.456789\t-98.765432\t0.500000\n"
    "\t\tvertex\t7.000000\t8.000000\t9.000000\n\tendloop\nendfacet\n"
    "endsolid\n";
const std::string kEarScale2 =
    "solid\n"
    "\tfacet normal\t0.000000\t0.000000\t2.000000\n"
    "\touter loop\n\t\tvertex\t0.003000\t4.000000\t-6.500000\n"
    "\t\tvertex\t20.000000\t40.000000\t60.000000\n"
    "\t\tvertex\t-0.000001\t0.000001\t200.000000\n\tendloop\nendfacet\n"
    "\tfacet normal\t-1.200000\t1.600000\t0.000000\n"
    "\touter loop\n\t\tvertex\t0.200000\t0.400000\t0.600000\n"
    "\t\tvertex\t246.913578\t-197.530864\t1.000000\n"
    "\t\tvertex\t14.000000\t16.000000\t18.000000\n\tendloop\nendfacet\n"
    "endsolid\n";
const std::string kEarRotation =
    "solid\n"
    "\tfacet normal\t0.000000\t-0.173648\t0.984808\n"
    "\touter loop\n\t\tvertex\t0.001500\t2.533972\t-2.853330\n"
    "\t\tvertex\t10.000000\t14.486720\t33.017200\n"
    "\t\tvertex\t-0.000000\t-17.364800\t98.480800\n\tendloop\nendfacet\n"
    "\tfacet normal\t-0.600000\t0.787846\t0.138918\n"
    "\touter loop\n\t\tvertex\t0.100000\t0.144867\t0.330172\n"
    "\t\tvertex\t123.456789\t-97.351812\t-16.658016\n"
    "\t\tvertex\t7.000000\t6.315632\t10.252456\n\tendloop\nendfacet\n"
    "endsolid\n";

std::string Banner() {
  return std::string(
             "\n\n####################################################################\n"
             "#                                                                  #\n"
             "#    Registration of Any STL into Vestibular Frame of Reference    #\n"
             "#                                                                  #\n"
             "#                           Version 1.0                            #\n"
             "#                                                                  #\n"
             "####################################################################\n"
             "\n") +
         std::string(scds::kCreditLine) + "\n" +
         "INPUT FILES:\n\n"
         "IN FOLDER: Data/SPECIESNAME/ScanRef/Other/\n\n"
         "FILENAME.stl\n\n"
         "and\n\n"
         "IN FOLDER: Data/SPECIESNAME/Matrix/\n\n"
         "SPECIESNAME.transmat\n\n"
         "OUTPUT FILES:\n\n"
         "IN FOLDER: Data/SPECIESNAME/VestRef/Other/\n\n"
         "FILENAME.stl\n\n"
         "Only works with STL files saved in ASCII format.\nPlease verify compatibility.\n\n"
         "Requests, questions and bug reports are welcome:\nplease send them to the project's issue tracker.\n\n";
}

std::string Species_Dialogue(const std::string& species) {
  return "\nPlease enter the exact species name your transformation matrix uses:\n\n"
         "\nIs " +
         species + " the correct name?\n\n1. Yes\n2. No\n\n";
}

std::string Mesh_Dialogue(const std::string& name) {
  return "\nPlease enter the exact name of the STL file you want to transform:\n\n"
         "\nIs " +
         name + " the correct name?\n\n1. Yes\n2. No\n\n";
}

const std::string kAnother = "\nDo you want to transform another STL file ?\n\n1. Yes\n2. No\n";
const std::string kYesNo = "\nPlease only answer yes (1) or no (2):\n\n";
const std::string kClosing = "\nPress any key, then Enter to exit.";

const std::string kMatrixPath = "Data/Ear/Matrix/Ear.transmat";
const std::string kMissingMatrix = "\nImpossible to read Data/Ear/Matrix/Ear.transmat\nVerify transfert matrix file name.\n";
const std::string kUnusableMatrix =
    "\nImpossible to use Data/Ear/Matrix/Ear.transmat\nThe transform matrix is incomplete, not finite or singular; "
    "run Ostravel again.\n";

struct Ear_Folder {
  Temp_Dir dir;
  fs::path root;
  explicit Ear_Folder(const std::string& matrix) {
    Make_Species_Folder(dir.path, "Ear");
    root = dir.path / "Data" / "Ear";
    Write_File(root / "Matrix" / "Ear.transmat", matrix);
    Write_File(root / "ScanRef" / "Other" / "ear.stl", kEarMesh);
  }
  fs::path In(const std::string& name) const { return root / "ScanRef" / "Other" / (name + ".stl"); }
  fs::path Out(const std::string& name) const { return root / "VestRef" / "Other" / (name + ".stl"); }
  std::string Species_Log() const { return Read_File(root / "Ear.errorlog"); }
  // Nothing but the expected files in the output folder, and no temporary log.
  void Expect_Only_Outputs(std::initializer_list<std::string> names) const {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(root / "VestRef" / "Other")) {
      (void)entry;
      ++count;
    }
    EXPECT_EQ(count, names.size());
    for (const std::string& name : names) EXPECT_TRUE(Exists(Out(name))) << name;
    EXPECT_FALSE(Exists(root / "Ear_temp.errorlog"));
  }
};

struct Matrix_Case {
  const char* what;
  std::string matrix;
  std::string expected;
};

TEST(SaxmorrowRun, RegistersAMeshWithTheMatrix) {
  const Matrix_Case cases[] = {
      {"identity", kIdentity, kEarIdentity},
      {"scaling by 2: normals come out with length 2", kScale2, kEarScale2},
      {"10 degrees about x", kRotation, kEarRotation},
      {"blanks for tabs, no final line end", "1 0 0\n0 0.984808 -0.173648\n0 0.173648 0.984808", kEarRotation},
  };
  for (const Matrix_Case& c : cases) {
    Ear_Folder ear(c.matrix);
    const auto run = Run_Program("Saxmorrow", ear.dir.path, "Ear\n1\near\n1\n2\nx\n");
    EXPECT_EQ(run.status, 0) << c.what;
    EXPECT_EQ(run.output, Banner() + Species_Dialogue("Ear") + Mesh_Dialogue("ear") + kAnother + kClosing) << c.what;
    EXPECT_EQ(Read_File(ear.Out("ear")), c.expected) << c.what;
    EXPECT_EQ(Read_File(ear.In("ear")), kEarMesh) << c.what;
    // A run without failures leaves the species error log alone.
    EXPECT_FALSE(Exists(ear.root / "Ear.errorlog")) << c.what;
    ear.Expect_Only_Outputs({"ear"});
  }
}

TEST(SaxmorrowRun, AMissingMatrixAsksForNoMesh) {
  Ear_Folder ear(kIdentity);
  fs::remove(ear.root / "Matrix" / "Ear.transmat");
  const auto run = Run_Program("Saxmorrow", ear.dir.path, "Ear\n1\near\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Banner() + Species_Dialogue("Ear") + kMissingMatrix + kClosing);
  EXPECT_EQ(ear.Species_Log(), "Saxmorrow Errors:\n" + kMissingMatrix + "\n");
  ear.Expect_Only_Outputs({});
}

TEST(SaxmorrowRun, AnUnusableMatrixCountsLikeAMissingOne) {
  const Matrix_Case cases[] = {
      {"eight values", "1\t0\t0\n0\t1\t0\n0\t0", ""},
      {"empty", "", ""},
      {"a value that is not finite", "1\t0\t0\n0\tnan\t0\n0\t0\t1", ""},
      {"an infinite value", "1\t0\t0\n0\t1\t0\n0\t0\tinf", ""},
      {"singular: two equal rows", "1\t2\t3\n1\t2\t3\n0\t0\t1", ""},
      {"the zero matrix", "0\t0\t0\n0\t0\t0\n0\t0\t0", ""},
  };
  for (const Matrix_Case& c : cases) {
    Ear_Folder ear(c.matrix);
    const auto run = Run_Program("Saxmorrow", ear.dir.path, "Ear\n1\near\n1\n2\n");
    EXPECT_EQ(run.status, 0) << c.what;
    EXPECT_EQ(run.output, Banner() + Species_Dialogue("Ear") + kUnusableMatrix + kClosing) << c.what;
    EXPECT_EQ(ear.Species_Log(), "Saxmorrow Errors:\n" + kUnusableMatrix + "\n") << c.what;
    ear.Expect_Only_Outputs({});
  }
}

TEST(SaxmorrowRun, TwoMeshesInOneRunAndAMissingOne) {
  Ear_Folder ear(kScale2);
  Write_File(ear.In("canal"), "solid\nendsolid\n");
  // An older registered mesh of the missing name survives the attempt.
  Write_File(ear.Out("ear.stl"), "older");
  const std::string missing = "\nImpossible to read Data/Ear/ScanRef/Other/ear.stl.stl\nVerify STL file name.\n";
  // Answers: a mesh; 0, 3 and "yes" are asked again; a name typed with its
  // ending; a mesh without facets; No.
  const auto run = Run_Program("Saxmorrow", ear.dir.path, "Ear\n1\near\n1\n0\n3\nyes\n1\near.stl\n1\n1\ncanal\n1\n2\n\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Banner() + Species_Dialogue("Ear") + Mesh_Dialogue("ear") + kAnother + kYesNo + kYesNo +
                            kYesNo + Mesh_Dialogue("ear.stl") + missing + kAnother + Mesh_Dialogue("canal") + kAnother +
                            kClosing);
  EXPECT_EQ(Read_File(ear.Out("ear")), kEarScale2);
  EXPECT_EQ(Read_File(ear.Out("canal")), "solid\nendsolid\n");
  EXPECT_EQ(Read_File(ear.Out("ear.stl")), "older");
  EXPECT_EQ(ear.Species_Log(), "Saxmorrow Errors:\n" + missing + "\n");
  ear.Expect_Only_Outputs({"ear", "canal", "ear.stl"});
}

TEST(SaxmorrowRun, RegisteringTheSameNameTwiceRewritesIt) {
  Ear_Folder ear(kIdentity);
  Write_File(ear.Out("ear"), std::string(100000, 'z'));
  const auto run = Run_Program("Saxmorrow", ear.dir.path, "Ear\n1\near\n1\n1\near\n1\n2\nx\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Read_File(ear.Out("ear")), kEarIdentity);
  ear.Expect_Only_Outputs({"ear"});
}

TEST(SaxmorrowRun, ABinaryMeshIsNotRead) {
  Ear_Folder ear(kIdentity);
  std::string binary(80, 'b');
  binary += std::string("\x01\x00\x00\x00", 4);
  binary += std::string(50, '\x7f');
  Write_File(ear.In("bin"), binary);
  Write_File(ear.In("nul"), kEarMesh + std::string(1, '\0'));
  const std::string message_bin =
      "\nImpossible to read Data/Ear/ScanRef/Other/bin.stl\nThe file is a binary STL; save it as ASCII STL.\n";
  const std::string message_nul =
      "\nImpossible to read Data/Ear/ScanRef/Other/nul.stl\nThe file is a binary STL; save it as ASCII STL.\n";
  const auto run = Run_Program("Saxmorrow", ear.dir.path, "Ear\n1\nbin\n1\n1\nnul\n1\n2\nx\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Banner() + Species_Dialogue("Ear") + Mesh_Dialogue("bin") + message_bin + kAnother +
                            Mesh_Dialogue("nul") + message_nul + kAnother + kClosing);
  EXPECT_EQ(ear.Species_Log(), "Saxmorrow Errors:\n" + message_bin + message_nul + "\n");
  ear.Expect_Only_Outputs({});
}

std::string Refused(const std::string& name) {
  return mesh_testing::Refused_Message("Data/Ear/ScanRef/Other/" + name + ".stl");
}

// A mesh laid out otherwise than one solid of seven lines a facet is refused
// as one that cannot be read, once it has been read: nothing of it is
// registered (no temporary file stays), the earlier registered mesh of its
// name stays, and the run goes on to the question of another mesh. CR LF
// line ends and blank lines after the end line read as the plain mesh.
TEST(SaxmorrowRun, MeshLayouts) {
  const std::string plain = mesh_testing::Repeat_Facets(kEarMesh, 4);
  const std::string registered = mesh_testing::Repeat_Facets(kEarIdentity, 4);
  for (const mesh_testing::Layout_Case& c : mesh_testing::kLayouts) {
    SCOPED_TRACE(c.name);
    Ear_Folder ear(kIdentity);
    Write_File(ear.In("tool"), mesh_testing::Laid_Out(c.layout, plain));
    Write_File(ear.Out("tool"), "older");
    const auto run = Run_Program("Saxmorrow", ear.dir.path, "Ear\n1\ntool\n1\n1\near\n1\n2\nx\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, Banner() + Species_Dialogue("Ear") + Mesh_Dialogue("tool") +
                              (c.refused ? Refused("tool") : "") + kAnother + Mesh_Dialogue("ear") + kAnother +
                              kClosing);
    EXPECT_EQ(Read_File(ear.Out("tool")), c.refused ? "older" : registered);
    EXPECT_EQ(Read_File(ear.Out("ear")), kEarIdentity);
    EXPECT_EQ(ear.Species_Log(), c.refused ? "Saxmorrow Errors:\n" + Refused("tool") + "\n" : "<missing Ear.errorlog>");
    ear.Expect_Only_Outputs({"tool", "ear"});
  }
}

// A FIFO (or a link to /dev/zero) in place of the matrix or of a mesh is
// handled at once as a file that cannot be opened: the run does what it
// does when that file is missing, within the time limit, and leaves no
// temporary log.
// Saxmorrow's table of paths for a species and the meshes registered.
std::vector<std::string> Table(const std::string& species, std::initializer_list<std::string> meshes) {
  std::vector<std::string> table = scds::saxmorrow::Saxmorrow_Paths(species);
  for (const std::string& mesh : meshes) {
    table.push_back(scds::saxmorrow::Input_STL_File_Path(mesh, species));
    table.push_back(scds::saxmorrow::Output_STL_File_Path(mesh, species));
  }
  return table;
}

// A link or a FIFO at the program's own names (the registered mesh's
// temporary name, the temporary log) is never followed or waited on; a FIFO
// at the species log sends the block to the unmerged log.
TEST(SaxmorrowRun, OwnNamesAreMadeAfresh) {
  Ear_Folder ear(kIdentity);
  // The ear, then a mesh that is missing: a message for the log.
  scds_testing::Expect_Own_Names_Made_Afresh({"Saxmorrow", ear.dir.path, "Ear\n1\near\n1\n1\nnone\n1\n2\nx\n",
                                              {"Data/Ear/Ear_temp.errorlog"}, "Data/Ear/Ear.errorlog",
                                              "Data/Ear/Ear_unmerged.errorlog", Table("Ear", {"ear"})});
}

TEST(SaxmorrowRun, AnInputThatIsNotARegularFileIsOneThatCannotBeOpened) {
  struct Case {
    std::string input;
    bool dev_zero;
    std::string message;
  };
  const std::string missing_mesh = "\nImpossible to read Data/Ear/ScanRef/Other/ear.stl\nVerify STL file name.\n";
  const Case cases[] = {
      {kMatrixPath, false, kMissingMatrix},
      {"Data/Ear/ScanRef/Other/ear.stl", false, missing_mesh},
      {"Data/Ear/ScanRef/Other/ear.stl", true, missing_mesh},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input + (c.dev_zero ? " -> /dev/zero" : " FIFO"));
    Ear_Folder ear(kIdentity);
    scds_testing::Expect_Odd_Input_As_Missing({"Saxmorrow", ear.dir.path, c.input, c.dev_zero, "Ear\n1\near\n1\n2\nx\n"},
                                              {c.message, "Data/Ear/Ear.errorlog", "Data/Ear/Ear_temp.errorlog"});
  }
}

TEST(SaxmorrowRun, TheInputItselfIsNeverOverwritten) {
  Ear_Folder ear(kScale2);
  // The registered folder is a link to the scan folder: the output would be
  // the input mesh.
  fs::remove_all(ear.root / "VestRef" / "Other");
  fs::create_directory_symlink(ear.root / "ScanRef" / "Other", ear.root / "VestRef" / "Other");
  const std::string message = "\nImpossible to write Data/Ear/VestRef/Other/ear.stl\nIt is the input mesh itself.\n";
  const auto run = Run_Program("Saxmorrow", ear.dir.path, "Ear\n1\near\n1\n2\nx\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Banner() + Species_Dialogue("Ear") + Mesh_Dialogue("ear") + message + kAnother + kClosing);
  EXPECT_EQ(Read_File(ear.In("ear")), kEarMesh);
  EXPECT_EQ(ear.Species_Log(), "Saxmorrow Errors:\n" + message + "\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(ear.root / "ScanRef" / "Other"), fs::directory_iterator()), 1);

  // A hard link of the input under the output's name.
  fs::remove(ear.root / "VestRef" / "Other");
  fs::create_directory(ear.root / "VestRef" / "Other");
  fs::create_hard_link(ear.In("ear"), ear.Out("ear"));
  fs::remove(ear.root / "Ear.errorlog");
  const auto linked = Run_Program("Saxmorrow", ear.dir.path, "Ear\n1\near\n1\n2\nx\n");
  EXPECT_EQ(linked.output, Banner() + Species_Dialogue("Ear") + Mesh_Dialogue("ear") + message + kAnother + kClosing);
  EXPECT_EQ(Read_File(ear.In("ear")), kEarMesh);
  EXPECT_EQ(ear.Species_Log(), "Saxmorrow Errors:\n" + message + "\n");
}

// A mesh name with a .. folder is refused and asked again: through a
// registered folder that is a link to another species' one, such a name
// would otherwise reach the other species' own input mesh. A plain name
// is written where the link leads.
TEST(SaxmorrowRun, AMeshNameThatLeadsOutOfItsFolderIsRefused) {
  Ear_Folder ear(kIdentity);
  Make_Species_Folder(ear.dir.path, "Other");
  const fs::path other = ear.dir.path / "Data" / "Other";
  Write_File(other / "ScanRef" / "Other" / "ear.stl", "the other species' own mesh\n");
  fs::remove_all(ear.root / "VestRef" / "Other");
  fs::create_directory_symlink("../../Other/VestRef/Other", ear.root / "VestRef" / "Other");
  const auto before = scds_testing::File_Tree(ear.dir.path);
  const std::string refused = "\nThis name holds a .. folder, which leads out of the species' mesh folder.\n";
  const std::string prompt = "\nPlease enter the exact name of the STL file you want to transform:\n\n";
  // The words after the refused name answer the next questions: "1" is the
  // next name, which "2" does not confirm, then "x".
  const auto run = Run_Program("Saxmorrow", ear.dir.path, "Ear\n1\n../../ScanRef/Other/ear\n1\n2\nx\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output, Banner() + Species_Dialogue("Ear") + prompt + refused + Mesh_Dialogue("1") + Mesh_Dialogue("x"));
  EXPECT_EQ(scds_testing::File_Tree(ear.dir.path), before);

  const auto plain = Run_Program("Saxmorrow", ear.dir.path, "Ear\n1\near\n1\n2\nx\n");
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(Read_File(other / "VestRef" / "Other" / "ear.stl"), kEarIdentity);
  EXPECT_EQ(Read_File(other / "ScanRef" / "Other" / "ear.stl"), "the other species' own mesh\n");
  EXPECT_EQ(Read_File(ear.In("ear")), kEarMesh);
}

TEST(SaxmorrowRun, AnOutputThatCannotBeWrittenIsReported) {
  Ear_Folder ear(kIdentity);
  fs::remove_all(ear.root / "VestRef");
  const std::string message =
      "\nImpossible to write Data/Ear/VestRef/Other/ear.stl\nVerify that its folder exists and has room.\n";
  const auto run = Run_Program("Saxmorrow", ear.dir.path, "Ear\n1\near\n1\n2\nx\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Banner() + Species_Dialogue("Ear") + Mesh_Dialogue("ear") + message + kAnother + kClosing);
  EXPECT_EQ(ear.Species_Log(), "Saxmorrow Errors:\n" + message + "\n");
  EXPECT_FALSE(Exists(ear.root / "VestRef"));
}

TEST(SaxmorrowRun, AFullDiskLeavesNoPartialMeshAndKeepsTheOlderOne) {
  Ear_Folder ear(kIdentity);
  Write_File(ear.Out("ear"), "older");
  // No file may grow beyond 300 bytes: the error logs fit, the registered
  // mesh (about 450 bytes) does not, as on a full disk.
  scds_testing::Run_Options full;
  full.file_size_limit = 300;
  const std::string message =
      "\nImpossible to write Data/Ear/VestRef/Other/ear.stl\nVerify that its folder exists and has room.\n";
  const auto run = Run_Program("Saxmorrow", ear.dir.path, "Ear\n1\near\n1\n2\nx\n", full);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, Banner() + Species_Dialogue("Ear") + Mesh_Dialogue("ear") + message + kAnother + kClosing);
  EXPECT_EQ(Read_File(ear.Out("ear")), "older");
  EXPECT_EQ(ear.Species_Log(), "Saxmorrow Errors:\n" + message + "\n");
  ear.Expect_Only_Outputs({"ear"});

  // A mesh whose registered text fills the write block many times over: the
  // failure is found at the first block and the rest is not read.
  std::string big = "solid big\n";
  for (int k = 0; k < 4000; ++k) big += kEarMesh.substr(10, kEarMesh.find("endsolid") - 10);
  big += "endsolid big\n";
  Write_File(ear.In("big"), big);
  const std::string big_message =
      "\nImpossible to write Data/Ear/VestRef/Other/big.stl\nVerify that its folder exists and has room.\n";
  const auto second = Run_Program("Saxmorrow", ear.dir.path, "Ear\n1\nbig\n1\n2\nx\n", full);
  EXPECT_EQ(second.output, Banner() + Species_Dialogue("Ear") + Mesh_Dialogue("big") + big_message + kAnother + kClosing);
  ear.Expect_Only_Outputs({"ear"});
}

// A run killed while it writes a large registered mesh (at its third
// write into the temporary file) leaves the earlier registered mesh byte
// for byte; the next run replaces it whole.
TEST(SaxmorrowRun, AKilledRunLeavesTheEarlierRegisteredMesh) {
  SCDS_REQUIRE_STRACE();
  constexpr std::int64_t kFacets = 20000;
  Ear_Folder ear(kIdentity);
  scds_testing::Write_Grid_Mesh(ear.In("grid"), kFacets);
  const std::string earlier = "an earlier registered mesh\n";
  Write_File(ear.Out("grid"), earlier);
  const scds_testing::Interrupted_Write write = scds_testing::Interrupt_And_Complete(
      "Saxmorrow", ear.dir.path, "Ear\n1\ngrid\n1\n2\nx\n", ear.Out("grid"), 3);
  EXPECT_EQ(write.status, 0);
  // The identity matrix: the first facet as it was read.
  EXPECT_TRUE(write.complete.starts_with(
      "solid\n\tfacet normal\t0.000000\t0.000000\t1.000000\n\touter loop\n\t\tvertex\t0.000000\t0.000000\t0.000000\n"
      "\t\tvertex\t1.000000\t0.000000\t0.000000\n\t\tvertex\t0.000000\t1.000000\t0.000000\n\tendloop\nendfacet\n"));
  EXPECT_TRUE(scds_testing::Whole_Written_Mesh(write.complete, kFacets)) << write.complete.size() << " bytes";
  EXPECT_FALSE(write.partial_left);
  // The kill must have landed while the mesh was written beside its place,
  // and left the earlier mesh as it was.
  EXPECT_TRUE(write.killed);
  EXPECT_EQ(write.after_kill, earlier) << write.after_kill.size() << " bytes";
}

// Ctrl-C while a mesh is registered (at the third write into its
// temporary file), after a mesh that could not be read: the registered
// mesh is not finished and its temporary file goes, the earlier mesh of
// that name stays, the log block is merged, and the program ends by the
// signal.
TEST(SaxmorrowRun, AnInterruptWhileAMeshIsWrittenLeavesTheEarlierOneAndMergesTheLog) {
  SCDS_REQUIRE_STRACE();
  Ear_Folder ear(kIdentity);
  scds_testing::Write_Grid_Mesh(ear.In("grid"), 20000);
  const std::string earlier = "an earlier registered mesh\n";
  Write_File(ear.Out("grid"), earlier);
  fs::path partial = ear.Out("grid");
  partial += ".partial";
  scds_testing::Trace_Request writes;
  writes.calls = "write";
  writes.paths = {fs::relative(partial, ear.dir.path)};
  writes.at = "write";
  writes.when = 3;
  writes.signal = SIGINT;
  const scds_testing::Traced_Run traced =
      scds_testing::Run_Traced("Saxmorrow", ear.dir.path, "Ear\n1\nnone\n1\n1\ngrid\n1\n2\nx\n", writes);
  EXPECT_EQ(traced.run.signal, SIGINT);
  EXPECT_EQ(traced.calls.size(), 3u);
  const std::string missing = "\nImpossible to read Data/Ear/ScanRef/Other/none.stl\nVerify STL file name.\n";
  EXPECT_EQ(traced.run.output, Banner() + Species_Dialogue("Ear") + Mesh_Dialogue("none") + missing + kAnother +
                                   Mesh_Dialogue("grid"));
  EXPECT_EQ(Read_File(ear.Out("grid")), earlier);
  EXPECT_FALSE(fs::exists(fs::symlink_status(partial)));
  EXPECT_EQ(ear.Species_Log(), "Saxmorrow Errors:\n" + missing + "\n");
  ear.Expect_Only_Outputs({"grid"});
}

TEST(SaxmorrowRun, EndOfInputEndsTheRunWithoutTheClosingPrompt) {
  {
    Ear_Folder ear(kIdentity);
    const auto run = Run_Program("Saxmorrow", ear.dir.path, "Ear\n1\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output,
              Banner() + Species_Dialogue("Ear") + "\nPlease enter the exact name of the STL file you want to transform:\n\n");
    EXPECT_FALSE(Exists(ear.root / "Ear.errorlog"));
    ear.Expect_Only_Outputs({});
  }
  {
    // At the yes/no question after a failed mesh: the log cycle is finished.
    Ear_Folder ear(kIdentity);
    const auto run = Run_Program("Saxmorrow", ear.dir.path, "Ear\n1\nnone\n1\n");
    EXPECT_EQ(run.status, 1);
    const std::string missing = "\nImpossible to read Data/Ear/ScanRef/Other/none.stl\nVerify STL file name.\n";
    EXPECT_EQ(run.output, Banner() + Species_Dialogue("Ear") + Mesh_Dialogue("none") + missing + kAnother);
    EXPECT_EQ(ear.Species_Log(), "Saxmorrow Errors:\n" + missing + "\n");
    ear.Expect_Only_Outputs({});
  }
  {
    Ear_Folder ear(kIdentity);
    const auto run = Run_Program("Saxmorrow", ear.dir.path, "");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, Banner() + "\nPlease enter the exact species name your transformation matrix uses:\n\n");
  }
  {
    // End of input at the closing prompt simply ends the wait.
    Ear_Folder ear(kIdentity);
    const auto run = Run_Program("Saxmorrow", ear.dir.path, "Ear\n1\near\n1\n2\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Read_File(ear.Out("ear")), kEarIdentity);
  }
}

TEST(SaxmorrowRun, NamesTooLongForTheirPathsAreRefused) {
  // The matrix path is twice the species plus 22 characters: 116 at most.
  const std::string long_species(117, 's');
  const std::string species(116, 's');
  Temp_Dir dir;
  Make_Species_Folder(dir.path, species);
  // 230 characters for both names together: 114 for the mesh.
  const std::string long_mesh(115, 'm');
  const std::string mesh(114, 'm');
  const std::string root = "Data/" + species;
  Write_File(dir.path / root / "Matrix" / (species + ".transmat"), kIdentity);
  Write_File(dir.path / root / "ScanRef" / "Other" / (mesh + ".stl"), kEarMesh);
  const auto run = Run_Program("Saxmorrow", dir.path,
                               long_species + "\n" + species + "\n1\n" + long_mesh + "\n" + mesh + "\n1\n2\nx\n");
  EXPECT_EQ(run.status, 0);
  const std::string species_prompt = "\nPlease enter the exact species name your transformation matrix uses:\n\n";
  const std::string mesh_prompt = "\nPlease enter the exact name of the STL file you want to transform:\n\n";
  EXPECT_EQ(run.output,
            Banner() + species_prompt +
                "\nThis name is too long for the file names it makes: use at most 116 characters.\n" +
                Species_Dialogue(species) + mesh_prompt +
                "\nThis name is too long for the file names it makes: use at most 114 characters.\n" +
                Mesh_Dialogue(mesh) + kAnother + kClosing);
  EXPECT_EQ(Read_File(dir.path / root / "VestRef" / "Other" / (mesh + ".stl")), kEarIdentity);
  EXPECT_EQ((root + "/VestRef/Other/" + mesh + ".stl").size(), 254u);
}

TEST(SaxmorrowPaths, BuildersFollowTheSpeciesFolder) {
  EXPECT_EQ(scds::saxmorrow::Transfrom_Matrix_Path("Ear"), "Data/Ear/Matrix/Ear.transmat");
  EXPECT_EQ(scds::saxmorrow::Input_STL_File_Path("ear", "Ear"), "Data/Ear/ScanRef/Other/ear.stl");
  EXPECT_EQ(scds::saxmorrow::Output_STL_File_Path("ear", "Ear"), "Data/Ear/VestRef/Other/ear.stl");
}

}  // namespace
