#include "mesh_measures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "byte_source.h"
#include "mesh_fixtures.h"
#include "number_format.h"
#include "scds_testing.h"

namespace {

using scds::Mesh_Volume;
using scds::STL_Open_Result;
using scds_testing::Temp_Dir;
using scds_testing::Write_File;
using namespace mesh_testing;

// The corner tetrahedron (0,0,0), (1,0,0), (0,1,0), (0,0,1), outward: the
// slanted facet gives 1/6, the three facets through the origin give 0.
const std::vector<Triangle> kTetrahedron = {
    {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
    {{{0, 0, 0}, {0, 1, 0}, {1, 0, 0}}},
    {{{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}},
    {{{0, 0, 0}, {0, 0, 1}, {0, 1, 0}}},
};

scds::Mesh_Sum_Result Measure(const std::string& text, double unit) {
  Temp_Dir dir;
  Write_File(dir.path / "m.stl", text);
  return Mesh_Volume(dir.path / "m.stl", unit);
}

TEST(MeshVolume, TetrahedronByHandInEachUnit) {
  const std::string text = Mesh_Text(kTetrahedron);
  struct Case {
    double unit;
    const char* printed;
  };
  for (const Case& c : {Case{1.0, "0.166667"}, Case{0.1, "166.666667"}, Case{1000.0, "0.000000"}}) {
    const auto result = Measure(text, c.unit);
    EXPECT_EQ(result.opened, STL_Open_Result::Opened);
    EXPECT_EQ(scds::F(result.value), c.printed) << c.unit;
  }
  // One sixth exactly, the other facets adding nothing.
  EXPECT_EQ(Measure(text, 1.0).value, 1.0 / 6.0);
  // Micrometre coordinates: 1000^3 / 6 / 1e9.
  EXPECT_EQ(scds::F(Measure(Mesh_Text(kTetrahedron, "e3"), 1000.0).value), "0.166667");
}

TEST(MeshVolume, BoxAwayFromTheOriginGivesItsVolume) {
  const auto result = Measure(Mesh_Text(Box(3, -4, 5, 2, 3, 4)), 1.0);
  EXPECT_NEAR(result.value, 24.0, 1e-12);
  EXPECT_EQ(scds::F(result.value), "24.000000");
  // Centimetre coordinates read as millimetres in centimetres: 2 x 3 x 4 cm.
  EXPECT_EQ(scds::F(Measure(Mesh_Text(Box(3, -4, 5, 2, 3, 4)), 0.1).value), "24000.000000");
}

TEST(MeshVolume, ReversedFacetsNegateAndNormalsDoNotCount) {
  const std::vector<Triangle> box = Box(1, 2, 3, 5, 6, 7);
  const double forward = Measure(Mesh_Text(box), 1.0).value;
  EXPECT_EQ(Measure(Mesh_Text(Reversed(box)), 1.0).value, -forward);
  std::string odd_normals = "solid n\n";
  for (const Triangle& t : box) odd_normals += Facet_Text(t, "", "7 -3 1e5");
  odd_normals += "endsolid n\n";
  EXPECT_EQ(Measure(odd_normals, 1.0).value, forward);
}

TEST(MeshVolume, UnreadableMeshes) {
  Temp_Dir dir;
  EXPECT_EQ(Mesh_Volume(dir.path / "none.stl", 1.0).opened, STL_Open_Result::Missing);
  std::filesystem::create_directory(dir.path / "folder.stl");
  EXPECT_EQ(Mesh_Volume(dir.path / "folder.stl", 1.0).opened, STL_Open_Result::Missing);
  // 84 + 50 n bytes with n stored at bytes 80 to 83: a binary STL.
  std::string binary(84 + 50 * 2, ' ');
  binary[80] = 2;
  binary[81] = binary[82] = binary[83] = 0;
  Write_File(dir.path / "binary.stl", binary);
  EXPECT_EQ(Mesh_Volume(dir.path / "binary.stl", 1.0).opened, STL_Open_Result::Binary);
  Write_File(dir.path / "nul.stl", Mesh_Text(kTetrahedron) + std::string(1, '\0'));
  EXPECT_EQ(Mesh_Volume(dir.path / "nul.stl", 1.0).opened, STL_Open_Result::Binary);
}

// A mesh that opens and is counted, and whose reading then fails in the
// facet pass (the byte source's test seam standing for an I/O error): no sum
// of facets that were never read; it counts as a mesh that cannot be read,
// for the volume and the area alike.
TEST(MeshVolume, AReadingThatFailsAfterTheOpenMeasuresNothing) {
  Temp_Dir dir;
  const std::filesystem::path file = dir.path / "m.stl";
  Write_File(file, Mesh_Text(kTetrahedron));
  // The count pass reads the whole file; the facet pass gets a few bytes.
  scds::read_failure_seam = {file, std::filesystem::file_size(file) + 40};
  for (scds::Facet_Term term : {scds::Facet_Term::Volume, scds::Facet_Term::Area}) {
    const scds::Mesh_Sum_Result result = scds::Mesh_Facet_Sum(file, term);
    EXPECT_EQ(result.opened, STL_Open_Result::Missing);
    EXPECT_EQ(result.value, 0.0);
  }
  scds::read_failure_seam = {};
  EXPECT_EQ(scds::Mesh_Facet_Sum(file, scds::Facet_Term::Volume).value, 1.0 / 6.0);
}

// Text that is not regular ASCII STL is refused once read, and measures
// nothing; white space after the end line and CR LF line ends are read as
// the plain mesh.
TEST(MeshVolume, IrregularTextIsRefused) {
  struct Case {
    const char* what;
    std::string text;
    STL_Open_Result opened;
    double value;
  };
  const std::string facet = Facet_Text(kTetrahedron[0]);
  std::string upper = facet;
  for (char& ch : upper) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  }
  std::string crlf;
  for (char ch : "solid a\n" + facet + "endsolid a\n") {
    if (ch == '\n') crlf += '\r';
    crlf += ch;
  }
  const Case cases[] = {
      {"empty file", "", STL_Open_Result::Irregular, 0.0},
      {"8 lines: no facet, no end line", "solid a\n" + facet, STL_Open_Result::Irregular, 0.0},
      {"no final line end", "solid a\n" + facet + "endsolid a", STL_Open_Result::Opened, 1.0 / 6.0},
      {"end line not endsolid", "solid a\n" + facet + "end\n", STL_Open_Result::Irregular, 0.0},
      {"second facet in upper case", "solid a\n" + facet + upper + "endsolid a\n", STL_Open_Result::Irregular, 0.0},
      {"seven blank lines before the end line", "solid a\n" + facet + "\n\n\n\n\n\n\nendsolid a\n",
       STL_Open_Result::Irregular, 0.0},
      {"white space after the end line", "solid a\n" + facet + "endsolid a\n\n \n\t\n\n\r\n\n\n\n  ",
       STL_Open_Result::Opened, 1.0 / 6.0},
      {"CR LF", crlf, STL_Open_Result::Opened, 1.0 / 6.0},
  };
  for (const Case& c : cases) {
    const auto result = Measure(c.text, 1.0);
    EXPECT_EQ(result.opened, c.opened) << c.what;
    EXPECT_EQ(result.value, c.value) << c.what;
  }
}

// A larger closed mesh of the sample species (288 facets in micrometres):
// the values of volumes/tests/expected_volumes.py, which sums each facet's
// term in file order in double precision.
TEST(MeshVolume, SampleSphereMatchesTheIndependentSum) {
  const std::filesystem::path sample = SCDS_EXAMPLES_DIR "/Data/Sample/ScanRef/Volumes/rv_Sample_Control.stl";
  auto result = Mesh_Volume(sample, 1000.0);
  ASSERT_EQ(result.opened, STL_Open_Result::Opened);
  EXPECT_EQ(result.value, 2.2227890911098624);
  EXPECT_EQ(scds::F(result.value), "2.222789");
  result = Mesh_Volume(sample, 1.0);
  EXPECT_EQ(result.value, 2222789091.1098623);
  const std::filesystem::path tube = SCDS_EXAMPLES_DIR "/Data/Sample/ScanRef/Volumes/rv_Sample_Sa.stl";
  EXPECT_EQ(Mesh_Volume(tube, 1000.0).value, 0.11756041915567816);
}

}  // namespace
