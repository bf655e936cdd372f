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
      {one + "\n\n\n\n\n\n\n", 2, true},                                // seven trailing empty lines
      {"solid a\n" + kFacetA + kFacetB + "endsolid\n", 2, false},
  };
  for (const Count_Case& c : cases) {
    const Mesh_Result result = Read_Held(c.text);
    ASSERT_EQ(result.opened, scds::STL_Open_Result::Opened);
    EXPECT_EQ(result.facets, c.facets) << c.text;
    EXPECT_EQ(result.irregular, c.irregular) << c.text;
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
