#include "cupula_frame.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "expected_flat_meshes.h"
#include "number_format.h"
#include "scds_testing.h"
#include "stl_text.h"

namespace {

using scds::flanmere::Cupula_Frame;

Cupula_Frame Frame_Of(double x1, double y1, double z1, double x2, double y2, double z2, double x3, double y3,
                      double z3) {
  Cupula_Frame f;
  f.x1 = x1, f.y1 = y1, f.z1 = z1;
  f.x2 = x2, f.y2 = y2, f.z2 = z2;
  f.x3 = x3, f.y3 = y3, f.z3 = z3;
  scds::flanmere::Compute_Cupula_Frame(f);
  return f;
}

std::string Flat_Text(const Cupula_Frame& f, double x, double y, double z) {
  double x0 = 0.0, y0 = 0.0;
  scds::flanmere::Flatten_Vertex(f.matrix, x, y, z, x0, y0);
  return scds::F(x0) + " " + scds::F(y0);
}

const double r = std::sqrt(0.5);  // 1/sqrt(2)

struct Axis_Case {
  const char* name;
  double P[9];
  double X[3], Y[3], Z[3];
  double point[3];
  const char* flat;  // the point's flat image, as written
};

// Axes worked out by hand: Z the facet's normal, Y = Z x (1,1,1)/sqrt(3)
// normalised, X = Y x Z.
TEST(CupulaFrame, AxesOfSimpleFacets) {
  const Axis_Case cases[] = {
      {"xy plane", {0, 0, 0, 1, 0, 0, 0, 1, 0}, {r, r, 0}, {-r, r, 0}, {0, 0, 1}, {1, 0, 0}, "0.707107 -0.707107"},
      {"xy plane, second vertex", {0, 0, 0, 1, 0, 0, 0, 1, 0}, {r, r, 0}, {-r, r, 0}, {0, 0, 1}, {0, 1, 0},
       "0.707107 0.707107"},
      {"xy plane, origin", {0, 0, 0, 1, 0, 0, 0, 1, 0}, {r, r, 0}, {-r, r, 0}, {0, 0, 1}, {0, 0, 0},
       "0.000000 0.000000"},
      {"vertices swapped: mirror image", {0, 0, 0, 0, 1, 0, 1, 0, 0}, {r, r, 0}, {r, -r, 0}, {0, 0, -1}, {1, 0, 0},
       "0.707107 0.707107"},
      // No point is subtracted: the first vertex does not land on the origin.
      {"translated", {1, 2, 3, 2, 2, 3, 1, 3, 3}, {r, r, 0}, {-r, r, 0}, {0, 0, 1}, {1, 2, 3}, "2.121320 0.707107"},
      {"xz plane", {0, 0, 0, 1, 0, 0, 0, 0, 1}, {r, 0, r}, {-r, 0, r}, {0, -1, 0}, {0, 0, 1}, "0.707107 0.707107"},
  };
  for (const Axis_Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Cupula_Frame f = Frame_Of(c.P[0], c.P[1], c.P[2], c.P[3], c.P[4], c.P[5], c.P[6], c.P[7], c.P[8]);
    const double got[9] = {f.axes.Xx, f.axes.Xy, f.axes.Xz, f.axes.Yx, f.axes.Yy, f.axes.Yz, f.axes.Zx, f.axes.Zy, f.axes.Zz};
    const double want[9] = {c.X[0], c.X[1], c.X[2], c.Y[0], c.Y[1], c.Y[2], c.Z[0], c.Z[1], c.Z[2]};
    for (int k = 0; k < 9; ++k) EXPECT_NEAR(got[k], want[k], 1e-15) << "axis element " << k;
    EXPECT_NEAR(f.axes.detA, 1.0, 1e-15);
    EXPECT_EQ(Flat_Text(f, c.point[0], c.point[1], c.point[2]), c.flat);
    EXPECT_FALSE(scds::flanmere::Cupula_Frame_Degenerate(f));
  }
}

// Every stored quantity of one frame, bit for bit, against the values the
// independent script works out in the same order of operations.
TEST(CupulaFrame, ExactDoublesOfAFrame) {
  const Cupula_Frame f = Frame_Of(1.2336, -0.4887, 0.8481, 1.4694, -0.2623, 0.9364, 1.3141, -0.0760, 0.7064);
  using namespace flanmere_expected;
  EXPECT_EQ(f.axes.Z, kFrameRAntLengths[0]);
  EXPECT_EQ(f.axes.Y, kFrameRAntLengths[1]);
  EXPECT_EQ(f.axes.X, kFrameRAntLengths[2]);
  EXPECT_EQ(f.axes.detA, kFrameRAntLengths[3]);
  const double axes[9] = {f.axes.Xx, f.axes.Xy, f.axes.Xz, f.axes.Yx, f.axes.Yy, f.axes.Yz, f.axes.Zx, f.axes.Zy, f.axes.Zz};
  const scds::Transform_Matrix& m = f.matrix;
  const double matrix[9] = {m.TMA, m.TMB, m.TMC, m.TMD, m.TME, m.TMF, m.TMG, m.TMH, m.TMI};
  bool differs_from_sqrt3 = false, differs_from_transpose = false;
  for (int k = 0; k < 9; ++k) {
    EXPECT_EQ(axes[k], kFrameRAntAxes[k]) << "axis element " << k;
    EXPECT_EQ(matrix[k], kFrameRAntMatrix[k]) << "matrix element " << k;
    differs_from_sqrt3 |= matrix[k] != kFrameRAntMatrix_sqrt3[k];
    differs_from_transpose |= matrix[k] != kFrameRAntMatrix_transpose[k];
  }
  // The fixture tells the literal constant from 1/sqrt(3), and the adjugate
  // over detA from the transpose.
  EXPECT_TRUE(differs_from_sqrt3);
  EXPECT_TRUE(differs_from_transpose);
}

TEST(CupulaFrame, ReferenceConstantIsTheLiteral) {
  EXPECT_EQ(scds::flanmere::kReferenceComponent, 0x1.279a74590331cp-1);
  EXPECT_NE(scds::flanmere::kReferenceComponent, 1.0 / std::sqrt(3.0));
}

TEST(CupulaFrame, DegenerateFacets) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* name;
    double P[9];
    bool degenerate;
  };
  const Case cases[] = {
      {"all zero", {0, 0, 0, 0, 0, 0, 0, 0, 0}, true},
      {"coincident vertices", {1, 2, 3, 1, 2, 3, 4, 5, 6}, true},
      {"collinear vertices", {0, 0, 0, 1, 1, 0, 2, 2, 0}, true},
      {"normal along (1, 1, 1)", {1, 0, 0, 0, 1, 0, 0, 0, 1}, true},
      {"normal along (-1, -1, -1)", {1, 0, 0, 0, 0, 1, 0, 1, 0}, true},
      {"a nan coordinate", {0, 0, 0, 1, 0, 0, 0, nan, 0}, true},
      {"an infinite coordinate", {0, 0, 0, inf, 0, 0, 0, 1, 0}, true},
      {"a proper facet", {0, 0, 0, 1, 0, 0, 0, 1, 0}, false},
      {"a tiny proper facet", {0, 0, 0, 1e-9, 0, 0, 0, 1e-9, 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Cupula_Frame f = Frame_Of(c.P[0], c.P[1], c.P[2], c.P[3], c.P[4], c.P[5], c.P[6], c.P[7], c.P[8]);
    EXPECT_EQ(scds::flanmere::Cupula_Frame_Degenerate(f), c.degenerate);
  }
}

struct Built {
  bool usable = false;
  scds::STL_Open_Result outcome = scds::STL_Open_Result::Missing;  // STL_Read_Outcome after the build
  double after[3] = {0, 0, 0};  // the first vertex read again after the build
};

// Opens a mesh, counts it and builds the frame from its first facet. With
// `io_error`, the file under the open mesh is swapped for a folder once it
// is counted, so that every later read of it fails.
Built Build_From(const std::string& text, Cupula_Frame& frame, bool io_error = false) {
  scds_testing::Temp_Dir dir;
  scds_testing::Write_File(dir.path / "cup.stl", text);
  scds::STL_Mesh mesh;
  EXPECT_EQ(scds::STL_Open(mesh, dir.path / "cup.stl"), scds::STL_Open_Result::Opened);
  const std::int64_t facets = scds::Facet_Count(mesh);
  if (io_error) {
    const int folder = open(dir.path.c_str(), O_RDONLY | O_DIRECTORY);
    EXPECT_GE(folder, 0);
    EXPECT_GE(dup2(folder, fileno(mesh.source.stream)), 0);
    close(folder);
  }
  double x = 0, y = 0, z = 0;
  Built built;
  built.usable = scds::flanmere::Build_Cupula_Frame(mesh, facets, frame, x, y, z);
  built.outcome = scds::STL_Read_Outcome(mesh);
  scds::STL_Read_Vector(mesh, 0, x, y, z);
  scds::STL_Read_Vector(mesh, 1, built.after[0], built.after[1], built.after[2]);
  scds::STL_Close(mesh);
  return built;
}

TEST(BuildCupulaFrame, ReadsTheFirstFacetAndGoesBackToIt) {
  Cupula_Frame frame;
  const Built built = Build_From(std::string(flanmere_expected::kCupRAnt), frame);
  EXPECT_TRUE(built.usable);
  EXPECT_EQ(built.outcome, scds::STL_Open_Result::Opened);
  EXPECT_EQ(frame.x1, 1.2336);
  EXPECT_EQ(frame.z3, 0.7064);
  EXPECT_EQ(frame.matrix.TMA, flanmere_expected::kFrameRAntMatrix[0]);
  // The facet pass starts again at the first facet.
  EXPECT_EQ(built.after[0], 1.2336);
  EXPECT_EQ(built.after[1], -0.4887);
  EXPECT_EQ(built.after[2], 0.8481);
}

// A cupula that gives no frame, after one that gave a frame: its matrix
// and axes are zero, and what the reads found tells why. A first facet that
// is not regular text (its reads stop before the end of its format, however
// many coordinates they set) and a mesh of no facet whose end line is not
// "endsolid" are Irregular, even where the coordinates read would give a
// frame; a mesh of no facet read whole, and a first facet read whole whose
// frame is degenerate, are Opened.
TEST(BuildCupulaFrame, ACupulaThatGivesNoFrame) {
  const std::string head = "solid a\nfacet normal 0 0 1\nouter loop\n";
  const std::string proper = head + "vertex 1 0 0\nvertex 0 1 0\nvertex 0 0 2\n";
  struct Case {
    const char* what;
    std::string text;
    scds::STL_Open_Result outcome;
  };
  const Case cases[] = {
      {"empty file", "", scds::STL_Open_Result::Irregular},
      {"no facet", "solid a\nendsolid a\n", scds::STL_Open_Result::Opened},
      {"upper case", "solid a\n  FACET NORMAL 0 0 1\nendsolid a\n", scds::STL_Open_Result::Irregular},
      {"degenerate", head + "vertex 1 0 0\nvertex 2 0 0\nvertex 3 0 0\nendloop\nendfacet\nendsolid a\n",
       scds::STL_Open_Result::Opened},
      {"third vertex without z", head + "vertex 1 0 0\nvertex 0 1 0\nvertex 0 0\n", scds::STL_Open_Result::Irregular},
      {"third vertex not a number",
       head + "vertex 1 0 0\nvertex 0 1 0\nvertex 0 0 x\nendloop\nendfacet\nendsolid a\n",
       scds::STL_Open_Result::Irregular},
      {"third vertex without numbers", head + "vertex 1 0 0\nvertex 0 1 0\nvertex\n", scds::STL_Open_Result::Irregular},
      {"second vertex cut short", head + "vertex 1 0 0\nvertex 0 1\n", scds::STL_Open_Result::Irregular},
      {"third keyword misspelt", head + "vertex 1 0 0\nvertex 0 1 0\nvertx 0 0 1\nendloop\nendfacet\nendsolid a\n",
       scds::STL_Open_Result::Irregular},
      {"first vertex without z", head + "vertex 1 0\nvertex 0 1 0\nvertex 0 0 1\nendloop\nendfacet\nendsolid a\n",
       scds::STL_Open_Result::Irregular},
      {"the facet without its end", proper, scds::STL_Open_Result::Irregular},
      {"the facet without endfacet", proper + "endloop\n", scds::STL_Open_Result::Irregular},
      {"the facet without the end line", proper + "endloop\nendfacet\n", scds::STL_Open_Result::Irregular},
      {"the facet cut inside endloop", proper + "end\n", scds::STL_Open_Result::Irregular},
  };
  Cupula_Frame earlier;
  ASSERT_TRUE(Build_From(proper + "endloop\nendfacet\nendsolid a\n", earlier).usable);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Cupula_Frame frame = earlier;
    const Built built = Build_From(c.text, frame);
    EXPECT_FALSE(built.usable);
    EXPECT_EQ(built.outcome, c.outcome);
    EXPECT_EQ(frame.matrix.TMA, 0.0);
    EXPECT_EQ(frame.matrix.TMF, 0.0);
    EXPECT_EQ(frame.axes.Xx, 0.0);
    EXPECT_EQ(frame.axes.Zz, 0.0);
  }
}

// A cupula that opened but cannot be read in the first-facet pass is not a
// degenerate one.
TEST(BuildCupulaFrame, AnInputOutputErrorMakesTheCupulaUnreadable) {
  Cupula_Frame frame;
  const Built built = Build_From(std::string(flanmere_expected::kCupRAnt), frame, true);
  EXPECT_FALSE(built.usable);
  EXPECT_EQ(built.outcome, scds::STL_Open_Result::Missing);
  EXPECT_EQ(frame.matrix.TMA, 0.0);
  EXPECT_EQ(frame.axes.Xx, 0.0);
}

}  // namespace
