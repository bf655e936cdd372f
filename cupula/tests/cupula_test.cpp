// The measures of one side: mesh areas and volumes, the derived figures in
// their fixed order and constants, the paths and the report layout.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "cupula.h"
#include "fixtures.h"
#include "mesh_measures.h"
#include "number_format.h"
#include "scds_testing.h"

namespace {

using namespace cupula_fixtures;
using scds::F;

struct Mesh_Case {
  const char* name;
  std::string text;
  double unit;
  bool volume;           // measured with Mesh_Volume, else Mesh_Area
  const char* expected;  // as the report prints it
};

// By hand: a unit square and a unit cube in every unit, wound both ways;
// the order of the sum of squares and the single division by unit squared
// (expected_values.py shows what the usual slips would print instead).
TEST(MeshMeasures, AreasAndVolumes) {
  const std::string square_mm = Rect_Mesh("1");
  const std::string square_um = Mesh_Text(Facet_Text({"0", "0", "0"}, {"1000", "0", "0"}, {"1000", "1000", "0"}) +
                                          Facet_Text({"0", "0", "0"}, {"1000", "1000", "0"}, {"0", "1000", "0"}));
  const std::string cube_um = Box_Mesh("1000", "1000", "1000");
  // The unit cube with the last two vertices of every facet swapped.
  std::string inward;
  {
    const std::string out = Box_Mesh("1", "1", "1");
    std::vector<std::string> vertices;
    std::size_t start = 0;
    while (start < out.size()) {
      const std::size_t end = out.find('\n', start) + 1;
      const std::string line = out.substr(start, end - start);
      start = end;
      if (line.rfind("\t\tvertex", 0) != 0) {
        inward += line;
        continue;
      }
      vertices.push_back(line);
      if (vertices.size() == 3) {
        inward += vertices[0] + vertices[2] + vertices[1];
        vertices.clear();
      }
    }
  }
  const std::vector<Mesh_Case> cases = {
      {"unit square, mm", square_mm, 1.0, false, "1.000000"},
      {"1000 um square", square_um, 1000.0, false, "1.000000"},
      {"unit square, cm", square_mm, 0.1, false, "100.000000"},
      {"1000 um cube", cube_um, 1000.0, true, "1.000000"},
      {"unit cube, mm", Box_Mesh("1", "1", "1"), 1.0, true, "1.000000"},
      {"unit cube, cm", Box_Mesh("1", "1", "1"), 0.1, true, "1000.000000"},
      {"unit cube wound inward", inward, 1.0, true, "-1.000000"},
      {"sum of squares in order", Order_Facet_Mesh(), 1.0, false, "0.176623"},
      {"um^2 divided by 1000 * 1000", Rect_Mesh("98765.5"), 1000.0, false, "0.098766"},
      {"cm^2 divided by 0.1 * 0.1", Rect_Mesh("0.00012345500000000002"), 0.1, false, "0.012345"},
      {"header and end line only", "solid x\nendsolid x\n", 1.0, false, "0.000000"},
  };
  scds_testing::Temp_Dir dir;
  for (const Mesh_Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto file = dir.path / "mesh.stl";
    scds_testing::Write_File(file, c.text);
    const scds::Mesh_Sum_Result r = c.volume ? scds::Mesh_Volume(file, c.unit) : scds::Mesh_Area(file, c.unit);
    ASSERT_EQ(r.opened, scds::STL_Open_Result::Opened);
    EXPECT_EQ(F(r.value), c.expected);
  }
}

// A mesh refused after one that was read takes nothing from it: the upper-
// case section after the box measures nothing.
TEST(MeshMeasures, ARefusedMeshTakesNothingFromTheMeshReadBeforeIt) {
  scds_testing::Temp_Dir dir;
  scds_testing::Write_File(dir.path / "box.stl", Box_Mesh("1", "1", "3"));
  scds_testing::Write_File(dir.path / "upper.stl", Upper_Case_Mesh());
  ASSERT_EQ(scds::Mesh_Volume(dir.path / "box.stl", 1.0).opened, scds::STL_Open_Result::Opened);
  const scds::Mesh_Sum_Result area = scds::Mesh_Area(dir.path / "upper.stl", 1.0);
  EXPECT_EQ(area.opened, scds::STL_Open_Result::Irregular);
  EXPECT_EQ(area.value, 0.0);
}

TEST(MeshMeasures, MissingBinaryAndEmptyMeshes) {
  scds_testing::Temp_Dir dir;
  std::string binary(84 + 50, '\0');
  binary[80] = 1;  // one facet
  scds_testing::Write_File(dir.path / "binary.stl", binary);
  scds_testing::Write_File(dir.path / "empty.stl", "");
  EXPECT_EQ(scds::Mesh_Area(dir.path / "none.stl", 1.0).opened, scds::STL_Open_Result::Missing);
  EXPECT_EQ(scds::Mesh_Area(dir.path, 1.0).opened, scds::STL_Open_Result::Missing);
  EXPECT_EQ(scds::Mesh_Area(dir.path / "binary.stl", 1.0).opened, scds::STL_Open_Result::Binary);
  const scds::Mesh_Sum_Result empty = scds::Mesh_Area(dir.path / "empty.stl", 1.0);
  EXPECT_EQ(empty.opened, scds::STL_Open_Result::Irregular);  // no end line
  EXPECT_EQ(empty.value, 0.0);
}

struct Derived_Case {
  const char* name;
  scds::tessafen::Cupula_Measures in;
  std::array<std::string, 18> expected;  // report rows, from expected_values.py
};

scds::tessafen::Cupula_Measures Measures(double vA, double uA, double dA, double mA, double vP, double uP, double dP,
                               double mP, double vL, double uL, double dL, double mL) {
  scds::tessafen::Cupula_Measures m;
  m.volume_Ant_Cup = vA;
  m.surface_Ant_Cup_Ut = uA;
  m.surface_Ant_Cup_Duct = dA;
  m.surface_Ant_Cup_Mid = mA;
  m.volume_Post_Cup = vP;
  m.surface_Post_Cup_Ut = uP;
  m.surface_Post_Cup_Duct = dP;
  m.surface_Post_Cup_Mid = mP;
  m.volume_Lat_Cup = vL;
  m.surface_Lat_Cup_Ut = uL;
  m.surface_Lat_Cup_Duct = dL;
  m.surface_Lat_Cup_Mid = mL;
  return m;
}

std::array<std::string, 18> Rows(const scds::tessafen::Cupula_Measures& m) {
  return {F(m.aCa),      F(m.aCp),     F(m.aCl),     F(m.surface_Ant_Cup_Mid), F(m.surface_Post_Cup_Mid),
          F(m.surface_Lat_Cup_Mid),    F(m.tCa_high), F(m.tCa_med), F(m.tCa_low), F(m.tCp_high),
          F(m.tCp_med),  F(m.tCp_low), F(m.tCl_high), F(m.tCl_med), F(m.tCl_low), F(m.tCa_R),
          F(m.tCp_R),    F(m.tCl_R)};
}

std::string Without_Nan_Sign(std::string text) {
  for (std::size_t at; (at = text.find("-nan")) != std::string::npos;) text.erase(at, 1);
  return text;
}

TEST(CupulaDerived, OrderAndConstantsShowInTheDigits) {
  const double s = 0.9999989442081809;
  const std::vector<Derived_Case> cases = {
      {"standard", Measures(3, 1, 2, 1.5, 2, 4, 2, 3, 0.125, 0.25, 0.25, 0.25), kStandardMm},
      // Ant: 0.4000005 + 3 x 0.04242 prints 0.527260 (0.527261 with the
      // literal 0.12726); Post: the halves in order give 0.279488
      // ((Ut + Duct + 2 Mid) / 4 gives 0.279489); Lat: PI = 3.14159265359
      // gives 0.394932 (the full pi, or sqrt(0.49 a / PI), 0.394933).
      {"digits", Measures(2.400003 / 6.0, 1, 1, 1, 1, 0.5774019, 0.1873051, 0.1766235, 0.125, s, s, s), kDigitsMm},
      {"failed volume", Measures(0, 1, 2, 1.5, 2, 4, 2, 3, 0.125, 0.25, 0.25, 0.25),
       {"1.500000", "3.000000", "0.250000", "1.500000", "3.000000", "0.250000", "0.127260", "0.084840", "0.042420",
        "0.793927", "0.751507", "0.709087", "0.627260", "0.584840", "0.542420", "0.483692", "0.684044",
        "0.197466"}},
      // Only the central section: the average is half of it. No section:
      // infinite thickness with the volume's sign, nan without a volume.
      {"sections failed", Measures(-1, 0, 0, 0, 2, 0, 0, 3, 0, 0, 0, 0),
       {"0.000000", "1.500000", "0.000000", "0.000000", "3.000000", "0.000000", "-inf", "-inf", "-inf",
        "1.460593", "1.418173", "1.375753", "nan", "nan", "nan", "0.000000", "0.483692", "0.000000"}},
  };
  for (const Derived_Case& c : cases) {
    SCOPED_TRACE(c.name);
    scds::tessafen::Cupula_Measures m = c.in;
    scds::tessafen::Cupula_Derived(m);
    std::array<std::string, 18> rows = Rows(m);
    for (std::string& r : rows) r = Without_Nan_Sign(r);
    EXPECT_EQ(rows, c.expected);
  }
}

// The estimation is 0.7 times the square root of the quotient, with the
// suite's PI: each average below prints differently under another form.
TEST(CupulaDerived, EstimationForm) {
  struct Case {
    double average;
    const char* expected;
    const char* slip;
  };
  const Case cases[] = {
      {1.0901250299988108, "0.412345", "full pi, or 0.7 sqrt(a) / sqrt(PI): 0.412346"},
      {0.5770291455136357, "0.300001", "0.7 sqrt(a) / sqrt(PI), or 0.7 sqrt(a (1 / PI)): 0.300000"},
      {0.40071495152719144, "0.250001", "0.7 sqrt(a (1 / PI)): 0.250000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slip);
    scds::tessafen::Cupula_Measures m = Measures(0, c.average, c.average, c.average, 0, 0, 0, 0, 0, 0, 0, 0);
    scds::tessafen::Cupula_Derived(m);
    EXPECT_EQ(m.aCa, c.average);
    EXPECT_EQ(F(m.tCa_R), c.expected);
  }
}

TEST(CupulaDerived, CiliaOffsets) {
  EXPECT_EQ(scds::tessafen::kOffset_high, 0.12725999999999998);
  EXPECT_LT(scds::tessafen::kOffset_high, 0.12726);
  EXPECT_EQ(scds::tessafen::kOffset_med, 0.08484);
  EXPECT_EQ(scds::tessafen::kOffset_low, 0.04242);
  EXPECT_EQ(scds::PI, 3.14159265359);
}

TEST(CupulaPaths, BuildersAndLongestName) {
  EXPECT_EQ(scds::tessafen::Right_Surface_STL_File_Path("Mus", "_Ant_Cup_Ut"), "Data/Mus/ScanRef/Surfaces/rs_Mus_Ant_Cup_Ut.stl");
  EXPECT_EQ(scds::tessafen::Left_Surface_STL_File_Path("Mus", "_Lat_Cup_Mid"),
            "Data/Mus/ScanRef/Surfaces/ls_Mus_Lat_Cup_Mid.stl");
  EXPECT_EQ(scds::tessafen::Right_Volume_STL_File_Path("Mus", "_Post_Cup"), "Data/Mus/ScanRef/Volumes/rv_Mus_Post_Cup.stl");
  EXPECT_EQ(scds::tessafen::Left_Volume_STL_File_Path("Mus", "_Ant_Cup"), "Data/Mus/ScanRef/Volumes/lv_Mus_Ant_Cup.stl");
  EXPECT_EQ(scds::tessafen::Right_Cupula_Results_Path("Mus"), "Data/Mus/Mus_R_Raw.cupula");
  EXPECT_EQ(scds::tessafen::Left_Cupula_Results_Path("Mus"), "Data/Mus/Mus_L_Raw.cupula");

  EXPECT_EQ(scds::tessafen::Tessafen_Max_Name(), 105u);
  const std::string name(105, 'n');
  EXPECT_EQ(scds::tessafen::Right_Surface_STL_File_Path(name, "_Post_Cup_Duct").size(), 254u);
  EXPECT_EQ(scds::tessafen::Left_Surface_STL_File_Path(name, "_Post_Cup_Duct").size(), 254u);
}

TEST(CupulaReport, Layout) {
  scds::tessafen::Cupula_Measures m;
  m.aCa = 2.5;
  m.aCp = 0.1234565;
  m.aCl = -0.5;
  m.surface_Ant_Cup_Mid = 1;
  m.surface_Post_Cup_Mid = 2;
  m.surface_Lat_Cup_Mid = 3;
  m.tCa_high = 4;
  m.tCa_med = 5;
  m.tCa_low = 6;
  m.tCp_high = 7;
  m.tCp_med = 8;
  m.tCp_low = 9;
  m.tCl_high = 10;
  m.tCl_med = 11;
  m.tCl_low = 12;
  m.tCa_R = 13;
  m.tCp_R = INFINITY;
  m.tCl_R = 1e-7;
  m.volume_Ant_Cup = 99;  // the volumes, the other sections and the
  m.tCa = 98;             // plain thicknesses are not written
  m.surface_Ant_Cup_Ut = 97;
  const std::string text = scds::tessafen::Cupula_Report_Text(m);
  EXPECT_EQ(text, Expected_Report({"2.500000", "0.123456", "-0.500000", "1.000000", "2.000000", "3.000000",
                                   "4.000000", "5.000000", "6.000000", "7.000000", "8.000000", "9.000000",
                                   "10.000000", "11.000000", "12.000000", "13.000000", "inf", "0.000000"}));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 29);
}

}  // namespace
