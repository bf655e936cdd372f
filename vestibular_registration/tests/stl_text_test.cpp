#include "stl_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scds_testing.h"

namespace {

using scds_testing::Temp_Dir;
using scds_testing::Write_File;

const std::string kFacetA =
    "  facet normal 0 0 1\n    outer loop\n      vertex 1 2 3\n      vertex 4 5 6\n      vertex 7 8 9\n"
    "    endloop\n  endfacet\n";
const std::string kFacetB =
    "\tfacet normal\t-1.5e-03\t+2\t0\n\touter loop\n\t\tvertex\t10\t20\t30\n\t\tvertex\t40\t50\t60\n"
    "\t\tvertex\t70\t80\t90\n\tendloop\nendfacet\n";

struct Mesh_Result {
  scds::STL_Open_Result opened;
  std::int64_t facets = 0;
  std::vector<scds::STL_Facet> read;
  bool irregular = false;
};

// Reads a mesh the way Brindleck and Tessafen do: twelve held coordinates.
Mesh_Result Read_Held(const std::string& text, scds::STL_Facet held = {}) {
  Temp_Dir dir;
  Write_File(dir.path / "m.stl", text);
  scds::STL_Mesh mesh;
  Mesh_Result result;
  result.opened = scds::STL_Open(mesh, dir.path / "m.stl");
  if (result.opened != scds::STL_Open_Result::Opened) return result;
  result.facets = scds::Facet_Count(mesh);
  for (std::int64_t j = 0; j < result.facets; ++j) {
    scds::STL_Read_Facet(mesh, held);
    result.read.push_back(held);
  }
  scds::STL_End_Read(mesh);
  result.irregular = mesh.irregular;
  scds::STL_Close(mesh);
  return result;
}

struct Count_Case {
  std::string text;
  std::int64_t facets;
  bool irregular;
};

TEST(FacetCount, LinesMinusTwoOverSeven) {
  const std::string one = "solid a\n" + kFacetA + "endsolid a\n";
  const Count_Case cases[] = {
      {one, 1, false},
      {"solid a\n" + kFacetA + "endsolid a", 1, false},                 // no final line end
      {"solid a\n" + kFacetA, 0, true},                                 // 8 lines
      {"solid", 0, true},                                               // 1 line
      {"", 0, true},                                                    // 0 bytes
      {"solid a\n" + kFacetA + kFacetB, 1, true},                       // 7n + 1 lines: the last facet is never read
      {one + "\n\n\n\n\n\n\n\n", 1, false},                            // eight trailing empty lines
      {"solid a\n" + kFacetA + "\n\n\n\n\n\n\nendsolid a\n", 2, true},     // seven empty lines before the end
      {" \r\n\t\n", 0, true},                                          // white space alone
      {"solid a\n" + kFacetA + kFacetB + "endsolid\n", 2, false},
  };
  for (const Count_Case& c : cases) {
    const Mesh_Result result = Read_Held(c.text);
    ASSERT_EQ(result.opened, scds::STL_Open_Result::Opened);
    EXPECT_EQ(result.facets, c.facets) << c.text;
    EXPECT_EQ(result.irregular, c.irregular) << c.text;
  }
}

// The lines counted are those up to the last one that holds more than
// white space, whatever the size of the reading window: white space that
// ends a window, fills whole windows or runs across them.
TEST(FacetCount, LinesUpToTheLastOneNotBlank) {
  struct Case {
    std::string text;
    std::int64_t lines;
  };
  const Case cases[] = {
      {"", 0},
      {"   \n\t\r\n\v\f", 0},
      {"solid", 1},
      {"solid\n", 1},
      {"solid\n\n\n", 1},
      {"solid\n  x\n", 2},
      {"solid\r\nendsolid\r\n", 2},
      {"\n\nsolid\n", 3},
      {"solid\n\n\nendsolid   ", 4},
      {"solid\nendsolid\n \n\t\n\n\n\n\n\n  ", 2},
      {"solid\n" + std::string(100, ' ') + std::string(20, '\n') + "x" + std::string(30, '\n') + std::string(40, ' '), 22},
  };
  for (std::size_t block : {scds::kSTLBlock, std::size_t{5}, std::size_t{1}}) {
    for (const Case& c : cases) {
      Temp_Dir dir;
      Write_File(dir.path / "m.stl", c.text);
      scds::STL_Mesh mesh;
      ASSERT_EQ(scds::STL_Open(mesh, dir.path / "m.stl", block), scds::STL_Open_Result::Opened) << c.text;
      EXPECT_EQ(mesh.lines, c.lines) << "block " << block << ": " << c.text;
      scds::STL_Close(mesh);
    }
  }
}

TEST(FacetReads, LayoutsReadTheSameValues) {
  std::string crlf;
  for (char ch : "solid a\n" + kFacetA + "endsolid a\n") {
    if (ch == '\n') crlf += '\r';
    crlf += ch;
  }
  for (const std::string& text : {"solid a\n" + kFacetA + "endsolid a\n", crlf}) {
    const Mesh_Result result = Read_Held(text);
    ASSERT_EQ(result.read.size(), 1u);
    const scds::STL_Facet& f = result.read[0];
    EXPECT_EQ(f.Nz, 1.0);
    EXPECT_EQ(f.V1x, 1.0);
    EXPECT_EQ(f.V2y, 5.0);
    EXPECT_EQ(f.V3z, 9.0);
    EXPECT_FALSE(result.irregular);
  }
  const Mesh_Result b = Read_Held("solid\n" + kFacetB + "endsolid\n");
  ASSERT_EQ(b.read.size(), 1u);
  EXPECT_EQ(b.read[0].Nx, -1.5e-03);
  EXPECT_EQ(b.read[0].Ny, 2.0);
  EXPECT_EQ(b.read[0].V3x, 70.0);
}

TEST(FacetReads, UpperCaseKeywordsKeepTheHeldValues) {
  scds::STL_Facet held;
  held.V1x = 42.0;
  std::string upper = kFacetA;
  upper.replace(upper.find("facet normal"), 12, "FACET NORMAL");
  const Mesh_Result result = Read_Held("solid\n" + upper + kFacetB + "endsolid\n", held);
  ASSERT_EQ(result.read.size(), 2u);
  EXPECT_EQ(result.read[0].V1x, 42.0);
  EXPECT_EQ(result.read[1].V1x, 42.0);  // every later read stops at the same place
  EXPECT_TRUE(result.irregular);
}

// Each read tells how many of its three numbers it set, whether it is
// matched in the window or, with a window of a few bytes, by the general
// matcher; what follows the numbers does not count.
TEST(FacetReads, EachReadTellsHowManyNumbersItSet) {
  struct Case {
    int read;
    const char* text;  // after the first line
    int set;
  };
  const Case cases[] = {
      {0, "facet normal 0 0 1\n", 3},
      {0, "facet normal 0 0\n", 2},
      {0, "facet norm 0 0 1\n", 0},
      {1, "outer loop\nvertex 1 2 3\n", 3},
      {1, "outer loop\nvertex 1 x 3\n", 1},
      {1, "vertex 1 2 3\n", 0},
      {2, "vertex 1 2 3e\n", 3},
      {2, "vertex -\n", 0},
      {3, "vertex 1 2 3\nendloop\nendfacet\n", 3},
      {3, "vertex 1 2 3\n", 3},
      {3, "vertex 1 2 3\nend\n", 3},
      {3, "vertex 1 2\nendloop\nendfacet\n", 2},
  };
  for (std::size_t block : {scds::kSTLBlock, std::size_t{8}}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.text);
      Temp_Dir dir;
      Write_File(dir.path / "m.stl", std::string("solid\n") + c.text);
      scds::STL_Mesh mesh;
      ASSERT_EQ(scds::STL_Open(mesh, dir.path / "m.stl", block), scds::STL_Open_Result::Opened);
      scds::Facet_Count(mesh);
      double x = 0, y = 0, z = 0;
      EXPECT_EQ(scds::STL_Read_Vector(mesh, c.read, x, y, z), c.set) << block;
      scds::STL_Close(mesh);
    }
  }
}

TEST(FacetReads, BinaryMeshesAreRecognised) {
  std::string binary(80, ' ');
  binary += std::string("\x01\x00\x00\x00", 4);
  binary += std::string(50, 'a');
  EXPECT_EQ(Read_Held(binary).opened, scds::STL_Open_Result::Binary);
  EXPECT_EQ(Read_Held("solid\n" + kFacetA + std::string(1, '\0') + "endsolid\n").opened,
            scds::STL_Open_Result::Binary);
  Temp_Dir dir;
  scds::STL_Mesh mesh;
  EXPECT_EQ(scds::STL_Open(mesh, dir.path / "none.stl"), scds::STL_Open_Result::Missing);
  EXPECT_EQ(scds::STL_Open(mesh, dir.path), scds::STL_Open_Result::Missing);
}

// The values after each facet, in both ways of holding a facet, from the
// same starting values.
struct Held_Run {
  std::int64_t facets = 0;
  bool irregular = false;
  std::vector<std::vector<double>> values;  // twelve per facet
};

const double kStart[12] = {-1, -2, -3, -4, -5, -6, -7, -8, -9, -10, -11, -12};

Held_Run Run_Mesh(const std::string& text, bool triple, std::size_t block = scds::kSTLBlock) {
  Temp_Dir dir;
  Write_File(dir.path / "m.stl", text);
  scds::STL_Mesh mesh;
  Held_Run run;
  EXPECT_EQ(scds::STL_Open(mesh, dir.path / "m.stl", block), scds::STL_Open_Result::Opened);
  run.facets = scds::Facet_Count(mesh);
  scds::STL_Facet f{kStart[0], kStart[1], kStart[2], kStart[3], kStart[4], kStart[5],
                    kStart[6], kStart[7], kStart[8], kStart[9], kStart[10], kStart[11]};
  // One triple: it starts as the starting facet's third vertex, as if that
  // vertex had been the last vector read.
  double x = kStart[9], y = kStart[10], z = kStart[11];
  for (std::int64_t j = 0; j < run.facets; ++j) {
    std::vector<double> v;
    if (triple) {
      for (int read = 0; read < 4; ++read) {
        scds::STL_Read_Vector(mesh, read, x, y, z);
        v.insert(v.end(), {x, y, z});
      }
    } else {
      scds::STL_Read_Facet(mesh, f);
      v = {f.Nx, f.Ny, f.Nz, f.V1x, f.V1y, f.V1z, f.V2x, f.V2y, f.V2z, f.V3x, f.V3y, f.V3z};
    }
    run.values.push_back(v);
  }
  scds::STL_End_Read(mesh);
  run.irregular = mesh.irregular;
  scds::STL_Close(mesh);
  return run;
}

std::string With_CRLF(const std::string& text) {
  std::string out;
  for (char ch : text) {
    if (ch == '\n') out += '\r';
    out += ch;
  }
  return out;
}

using Values = std::vector<std::vector<double>>;

struct Reading_Case {
  const char* what;
  std::string text;
  std::int64_t facets;
  bool irregular;
  Values held;    // twelve held coordinates (Brindleck, Tessafen)
  Values triple;  // one triple (Saxmorrow, Flanmere)
};

TEST(ReadingRule, CasesInBothWaysOfHoldingAFacet) {
  const std::vector<double> a = {0, 0, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  const std::vector<double> b = {-1.5e-03, 2, 0, 10, 20, 30, 40, 50, 60, 70, 80, 90};
  const std::vector<double> start(kStart, kStart + 12);
  const std::vector<double> start_v3 = {-10, -11, -12, -10, -11, -12, -10, -11, -12, -10, -11, -12};
  const std::vector<double> a_v3 = {7, 8, 9, 7, 8, 9, 7, 8, 9, 7, 8, 9};
  const std::string one = "solid a\n" + kFacetA + "endsolid a\n";
  std::string upper_b = kFacetB;
  upper_b.replace(upper_b.find("facet normal"), 12, "FACET NORMAL");
  std::string blanks = "solid a\n" + kFacetB + "endsolid a\n";
  for (char& ch : blanks) {
    if (ch == '\t') ch = ' ';
  }
  // A vertex that lacks its z: the read stops at the next line's "vertex",
  // where the fourth read matches again.
  std::string short_vertex = kFacetA;
  short_vertex.replace(short_vertex.find("vertex 4 5 6"), 12, "vertex 4 5");
  std::vector<double> short_held = a, short_triple = a;
  short_held[8] = kStart[8];  // V2z of the facet held before
  short_triple[8] = 3;        // z of the vector read just before: V1z

  const Reading_Case cases[] = {
      {"9 lines", one, 1, false, {a}, {a}},
      {"no line end after the last line", "solid a\n" + kFacetA + "endsolid a", 1, false, {a}, {a}},
      {"CR LF line ends", With_CRLF(one), 1, false, {a}, {a}},
      {"8 lines", "solid a\n" + kFacetA, 0, true, {}, {}},
      {"1 line", "solid a\n", 0, true, {}, {}},
      {"0 lines", "", 0, true, {}, {}},
      {"blanks for tabs, -1.5e-03 and +2", blanks, 1, false, {b}, {b}},
      {"tabs, -1.5e-03 and +2", "solid\n" + kFacetB + "endsolid\n", 1, false, {b}, {b}},
      {"upper-case keywords in the first facet", "solid\n" + upper_b + kFacetA + "endsolid\n", 2, true,
       {start, start}, {start_v3, start_v3}},
      {"upper-case keywords in the second facet", "solid\n" + kFacetA + upper_b + "endsolid\n", 2, true, {a, a},
       {a, a_v3}},
      {"7n + 1 lines", "solid a\n" + kFacetA + kFacetB, 1, true, {a}, {a}},
      {"eight trailing empty lines", one + "\n\n\n\n\n\n\n\n", 1, false, {a}, {a}},
      {"seven empty lines before the end line", "solid a\n" + kFacetA + "\n\n\n\n\n\n\nendsolid a\n", 2, true,
       {a, a}, {a, a_v3}},
      {"a vertex without its z", "solid\n" + short_vertex + "endsolid\n", 1, true, {short_held}, {short_triple}},
      {"lines of any length", "solid " + std::string(3000, 'x') + "\n" + kFacetA + "endsolid " +
                                  std::string(700, 'y') + "\n",
       1, false, {a}, {a}},
      {"white space of any length", "solid\n" + kFacetA.substr(0, 20) + std::string(5000, ' ') + kFacetA.substr(20) +
                                        "\n\n\n   endsolid",
       1, false, {a}, {a}},
      {"an end line that is not endsolid", "solid\n" + kFacetA + "end solid\n", 1, true, {a}, {a}},
  };
  for (const Reading_Case& c : cases) {
    for (std::size_t block : {scds::kSTLBlock, std::size_t{64}}) {
      for (bool triple : {false, true}) {
        const Held_Run run = Run_Mesh(c.text, triple, block);
        const std::string label = std::string(c.what) + (triple ? ", one triple" : ", twelve held") +
                                  ", block " + std::to_string(block);
        EXPECT_EQ(run.facets, c.facets) << label;
        EXPECT_EQ(run.irregular, c.irregular) << label;
        EXPECT_EQ(run.values, triple ? c.triple : c.held) << label;
      }
    }
  }
}

TEST(ReadingRule, TheFacetCountIsSixtyFourBit) {
  // (lines - 2) / 7 for counts beyond 32 bits is checked on the count rule
  // itself, with a mesh whose line count is set by hand.
  Temp_Dir dir;
  Write_File(dir.path / "m.stl", "solid\nendsolid\n");
  scds::STL_Mesh mesh;
  ASSERT_EQ(scds::STL_Open(mesh, dir.path / "m.stl"), scds::STL_Open_Result::Opened);
  mesh.lines = std::int64_t{7} * 3000000000 + 2;
  EXPECT_EQ(scds::Facet_Count(mesh), std::int64_t{3000000000});
  scds::STL_Close(mesh);
}

TEST(RegisteredLayout, VectorLines) {
  std::string text;
  text += scds::kSolidLine;
  scds::Append_Registered_Vector(text, 0, 0, 0, 1);
  scds::Append_Registered_Vector(text, 1, 1, 2, 3);
  scds::Append_Registered_Vector(text, 2, -1, 0.5, 1e-7);
  scds::Append_Registered_Vector(text, 3, 7, 8, 9);
  text += scds::kEndSolidLine;
  EXPECT_EQ(text,
            "solid\n\tfacet normal\t0.000000\t0.000000\t1.000000\n\touter loop\n\t\tvertex\t1.000000\t2.000000\t3.000000\n"
            "\t\tvertex\t-1.000000\t0.500000\t0.000000\n\t\tvertex\t7.000000\t8.000000\t9.000000\n\tendloop\n"
            "endfacet\nendsolid\n");
}

}  // namespace
