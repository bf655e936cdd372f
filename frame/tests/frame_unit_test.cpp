// The readers, builders and formulas of the frame program, one by one.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "byte_source.h"
#include "frame_angles.h"
#include "frame_compute.h"
#include "frame_files.h"
#include "frame_paths.h"
#include "number_format.h"
#include "scds_testing.h"

namespace {

using scds::quintarel::Duct_Plane_Set;
using scds::quintarel::Duct_Vector;
using scds_testing::Temp_Dir;
using scds_testing::Write_File;

TEST(FramePaths, BuildEveryFileOfTheSpecies) {
  struct Case {
    std::string built;
    const char* path;
  };
  const Case cases[] = {
      {scds::quintarel::Mid_Plane_Path("Sp"), "Data/Sp/Matrix/Sp.midplane"},
      {scds::quintarel::Right_Vector_Path("Sp"), "Data/Sp/Sp_R_Cor.rawvector"},
      {scds::quintarel::Right_Vector_Plus_Path("Sp"), "Data/Sp/Sp_R_PlusCor.rawvector"},
      {scds::quintarel::Right_Vector_Minus_Path("Sp"), "Data/Sp/Sp_R_MinusCor.rawvector"},
      {scds::quintarel::Left_Vector_Path("Sp"), "Data/Sp/Sp_L_Cor.rawvector"},
      {scds::quintarel::Left_Vector_Plus_Path("Sp"), "Data/Sp/Sp_L_PlusCor.rawvector"},
      {scds::quintarel::Left_Vector_Minus_Path("Sp"), "Data/Sp/Sp_L_MinusCor.rawvector"},
      {scds::quintarel::Symmetry_Matrix_Path("Sp"), "Data/Sp/Matrix/Sp.symmat"},
      {scds::quintarel::Transfrom_Matrix_Path("Sp"), "Data/Sp/Matrix/Sp_uncoupled.transmat"},
      {scds::quintarel::Result_Vector_Path("Sp"), "Data/Sp/Sp_Cor.vector"},
      {scds::quintarel::Result_Vector_Plus_Path("Sp"), "Data/Sp/Sp_PlusCor.vector"},
      {scds::quintarel::Result_Vector_Minus_Path("Sp"), "Data/Sp/Sp_MinusCor.vector"},
      {scds::quintarel::Synergistic_Angle_Result_Path("Sp"), "Data/Sp/Sp_Cor.synangle"},
      {scds::quintarel::Synergistic_Angle_Plus_Result_Path("Sp"), "Data/Sp/Sp_PlusCor.synangle"},
      {scds::quintarel::Synergistic_Angle_Minus_Result_Path("Sp"), "Data/Sp/Sp_MinusCor.synangle"},
      {scds::quintarel::Functional_Angle_Result_Path_R("Sp"), "Data/Sp/Sp_R_Cor.functionangle"},
      {scds::quintarel::Functional_Angle_Plus_Result_Path_R("Sp"), "Data/Sp/Sp_R_PlusCor.functionangle"},
      {scds::quintarel::Functional_Angle_Minus_Result_Path_R("Sp"), "Data/Sp/Sp_R_MinusCor.functionangle"},
      {scds::quintarel::Functional_Angle_Result_Path_L("Sp"), "Data/Sp/Sp_L_Cor.functionangle"},
      {scds::quintarel::Functional_Angle_Plus_Result_Path_L("Sp"), "Data/Sp/Sp_L_PlusCor.functionangle"},
      {scds::quintarel::Functional_Angle_Minus_Result_Path_L("Sp"), "Data/Sp/Sp_L_MinusCor.functionangle"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.built, c.path);
}

TEST(FramePaths, LongestNameFillsTheMatrixPathExactly) {
  ASSERT_EQ(scds::quintarel::Max_Species_Name(), 111u);
  const std::string name(111, 'a');
  EXPECT_EQ(scds::quintarel::Transfrom_Matrix_Path(name).size(), 254u);
  EXPECT_EQ(scds::quintarel::Functional_Angle_Minus_Result_Path_L(name).size(), 253u);
}

// Reads a raw vector text the program's way; returns the values counted.
int Read_Raw(const std::string& text, const char* side, Duct_Plane_Set& set) {
  Temp_Dir dir;
  Write_File(dir.path / "f.rawvector", text);
  scds::Byte_Source source;
  EXPECT_TRUE(scds::Source_Open(source, dir.path / "f.rawvector"));
  const int values = scds::quintarel::Raw_Vector_Read(source, side, set);
  scds::Source_Close(source);
  return values;
}

const char* const kGoodRight =
    "SEMICIRCULAR DUCT PLANES (UNCOUPLED)\n\n"
    "Right Anterior duct: 0.5x -0.25y 0.125z\n"
    "Right Posterior duct: 1x 2y 3z\n"
    "Right Lateral duct: -4x 5e-1y 6.5z\n\n"
    "SEMICIRCULAR DUCT CENTER OF ROTATION\n\n"
    "Right Anterior duct: 7x 8y 9z\n"
    "Right Posterior duct: 10x 11y 12z\n"
    "Right Lateral duct: 13x 14y -15z\n";

void Expect_Good_Values(const Duct_Plane_Set& s) {
  EXPECT_EQ(s.ADT.x, 0.5);
  EXPECT_EQ(s.ADT.y, -0.25);
  EXPECT_EQ(s.ADT.z, 0.125);
  EXPECT_EQ(s.PDT.z, 3.0);
  EXPECT_EQ(s.LDT.x, -4.0);
  EXPECT_EQ(s.LDT.y, 0.5);
  EXPECT_EQ(s.LDT.z, 6.5);
  EXPECT_EQ(s.ADTc.x, 7.0);
  EXPECT_EQ(s.PDTc.y, 11.0);
  EXPECT_EQ(s.LDTc.z, -15.0);
}

TEST(RawVectorRead, EmptyLinesAreOptional) {
  const char* const texts[] = {
      kGoodRight,
      // no empty lines
      "SEMICIRCULAR DUCT PLANES (UNCOUPLED)\nRight Anterior duct: 0.5x -0.25y 0.125z\n"
      "Right Posterior duct: 1x 2y 3z\nRight Lateral duct: -4x 5e-1y 6.5z\n"
      "SEMICIRCULAR DUCT CENTER OF ROTATION\nRight Anterior duct: 7x 8y 9z\n"
      "Right Posterior duct: 10x 11y 12z\nRight Lateral duct: 13x 14y -15z",
      // several, and line ends of another platform
      "SEMICIRCULAR DUCT PLANES (UNCOUPLED)\r\n\r\n\r\nRight Anterior duct: 0.5x -0.25y 0.125z\r\n"
      "Right Posterior duct: 1x 2y 3z\r\nRight Lateral duct: -4x 5e-1y 6.5z\r\n\r\n\r\n\r\n"
      "SEMICIRCULAR DUCT CENTER OF ROTATION\r\n\r\n\r\nRight Anterior duct: 7x 8y 9z\r\n"
      "Right Posterior duct: 10x 11y 12z\r\n\r\nRight Lateral duct: 13x 14y -15z\r\n\r\n",
  };
  for (const char* text : texts) {
    Duct_Plane_Set s;
    EXPECT_EQ(Read_Raw(text, "Right", s), 18) << text;
    Expect_Good_Values(s);
  }
}

TEST(RawVectorRead, CountsOnlyValuesConvertedAndFinite) {
  struct Case {
    std::string text;
    const char* side;
    int values;
  };
  const std::string good = kGoodRight;
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string t = good;
    t.replace(t.find(from), from.size(), to);
    return t;
  };
  const Case cases[] = {
      {good, "Right", 18},
      {good, "Left", 0},                                                  // the other side's file
      {"", "Right", 0},                                                   // empty file
      {good.substr(0, good.find("Right Lateral duct: 13x")), "Right", 15},  // last row missing
      {replaced("14y -15z", "14y"), "Right", 17},                         // cut short
      {replaced("2y", "nany"), "Right", 17},                              // a nan
      {replaced("-15z", "-INFz"), "Right", 17},                           // an infinity
      {replaced("8y", "1e999y"), "Right", 17},                            // out of range: inf
      // letters swapped: the read stops at the z, and so do all later reads
      {replaced("Posterior duct: 1x 2y 3z", "Posterior duct: 1x 2z 3y"), "Right", 5},
  };
  for (const Case& c : cases) {
    Duct_Plane_Set s;
    EXPECT_EQ(Read_Raw(c.text, c.side, s), c.values) << c.text;
  }
}

TEST(RawVectorRead, ZeroBeforeTheLetterXIsNotHexadecimal) {
  std::string text = kGoodRight;
  text.replace(text.find("7x 8y 9z"), 8, "0x 0y 0z");
  Duct_Plane_Set s;
  ASSERT_EQ(Read_Raw(text, "Right", s), 18);
  EXPECT_EQ(s.ADTc.x, 0.0);
  EXPECT_EQ(s.PDTc.x, 10.0);
}

TEST(MidPlaneRead, TabsOrBlanksAndCounts) {
  struct Case {
    const char* text;
    int values;
  };
  const Case cases[] = {
      {"2\t0\t0\n5\t0\t0\n", 6},       {"2 0 0\n5 0 0", 6},      {"2\t0\t0\n\n\n5 0\t0\nrest\n", 6},
      {"2\t0\t0\n", 3},                {"2\t0\t0\n5\t0\n", 5},   {"2\tnan\t0\n5\t0\t0\n", 5},
      {"2\t0\t0\n5\tinf\t-inf\n", 4}, {"", 0},
  };
  for (const Case& c : cases) {
    Temp_Dir dir;
    Write_File(dir.path / "m", c.text);
    scds::Byte_Source source;
    ASSERT_TRUE(scds::Source_Open(source, dir.path / "m"));
    scds::quintarel::Mid_Plane mid;
    EXPECT_EQ(scds::quintarel::Mid_Plane_Read(source, mid), c.values) << c.text;
    scds::Source_Close(source);
    if (c.values == 6) {
      EXPECT_EQ(mid.xMP, 2.0);
      EXPECT_EQ(mid.xMPP, 5.0);
    }
  }
}

TEST(Reflection, PlaneNormalAlongX) {
  // Normal (2, 0, 0) through (5, 0, 0): the plane x = 5.
  scds::quintarel::Mid_Plane mid;
  mid.xMP = 2.0;
  mid.xMPP = 5.0;
  scds::quintarel::Mid_Plane_Normalise(mid);
  const scds::Transform_Matrix S = scds::quintarel::Reflection_Matrix(mid);
  EXPECT_EQ(scds::Transform_Matrix_Text(S),
            "-1.000000\t-0.000000\t-0.000000\n-0.000000\t1.000000\t-0.000000\n-0.000000\t-0.000000\t1.000000");
  Duct_Plane_Set right;
  right.ADT = {0.25, 0.5, -0.75};
  right.ADTc = {1.5, 2.0, 3.0};
  right.LDTc = {0.0, 0.0, 0.0};
  Duct_Plane_Set left;
  scds::quintarel::Mirror_Side(S, mid, right, left);
  // A normal (a, b, c) becomes (a, -b, -c), a centre (u, v, w) (10 - u, v, w).
  EXPECT_EQ(left.ADT.x, 0.25);
  EXPECT_EQ(left.ADT.y, -0.5);
  EXPECT_EQ(left.ADT.z, 0.75);
  EXPECT_EQ(left.ADTc.x, 8.5);
  EXPECT_EQ(left.ADTc.y, 2.0);
  EXPECT_EQ(left.ADTc.z, 3.0);
  EXPECT_EQ(left.LDTc.x, 10.0);
}

TEST(Reflection, ZeroNormalGivesNotANumber) {
  scds::quintarel::Mid_Plane mid;
  scds::quintarel::Mid_Plane_Normalise(mid);
  const scds::Transform_Matrix S = scds::quintarel::Reflection_Matrix(mid);
  EXPECT_TRUE(std::isnan(S.TMA));
  EXPECT_TRUE(std::isnan(S.TMI));
}

// A both-sides set turned about z by the angle whose cosine is 0.6.
void Perpendicular_Set(Duct_Plane_Set& R, Duct_Plane_Set& L) {
  R.LDT = {0.0, 0.0, -1.0};
  L.LDT = {0.0, 0.0, 1.0};
  R.ADT = {-0.5, 0.25, 0.0};
  L.ADT = {-0.5, 0.25, 0.0};
  R.PDT = {0.3, -0.5, 0.0};
  L.PDT = {0.3, -0.5, 0.0};
}

TEST(Frame, PerpendicularAxesGiveTheRotationWithRowsXYZ) {
  Duct_Plane_Set R, L;
  Perpendicular_Set(R, L);  // Y along (-1.6, 1.5, 0), Z along (0, 0, 1)
  const scds::quintarel::Vestibular_Frame f = scds::quintarel::Frame_Of(R, L);
  const double n = std::sqrt(1.6 * 1.6 + 1.5 * 1.5);
  EXPECT_NEAR(f.Yx, -1.6 / n, 1e-15);
  EXPECT_NEAR(f.Yy, 1.5 / n, 1e-15);
  EXPECT_EQ(f.Zz, 1.0);
  EXPECT_NEAR(f.Xx, 1.5 / n, 1e-15);
  EXPECT_NEAR(f.Xy, 1.6 / n, 1e-15);
  EXPECT_NEAR(f.detA, 1.0, 1e-15);
  const scds::Transform_Matrix TM = scds::quintarel::Frame_Inverse(f);
  EXPECT_NEAR(TM.TMA, f.Xx, 1e-15);
  EXPECT_NEAR(TM.TMB, f.Xy, 1e-15);
  EXPECT_NEAR(TM.TMD, f.Yx, 1e-15);
  EXPECT_NEAR(TM.TME, f.Yy, 1e-15);
  EXPECT_EQ(TM.TMI, 1.0);
  // A vector along Y is written as 0, 1, 0; a centre at the origin stays.
  Duct_Plane_Set side;
  side.ADT = {f.Yx, f.Yy, f.Yz};
  scds::quintarel::Transform_Side(TM, side);
  EXPECT_EQ(scds::F(side.ADT.x) + " " + scds::F(side.ADT.y) + " " + scds::F(side.ADT.z),
            "0.000000 1.000000 0.000000");
  EXPECT_EQ(scds::F(side.ADTc.x) + scds::F(side.ADTc.y) + scds::F(side.ADTc.z), "0.0000000.0000000.000000");
}

TEST(Frame, SkewAxesAreInvertedNotTransposed) {
  Duct_Plane_Set R, L;
  Perpendicular_Set(R, L);
  L.LDT = {0.2, 0.8, 1.0};  // Z leans towards Y
  const scds::quintarel::Vestibular_Frame f = scds::quintarel::Frame_Of(R, L);
  ASSERT_GT(std::fabs((f.Yx * f.Zx + f.Yy * f.Zy) + f.Yz * f.Zz), 0.05);
  const scds::Transform_Matrix TM = scds::quintarel::Frame_Inverse(f);
  const double axes[3][3] = {{f.Xx, f.Xy, f.Xz}, {f.Yx, f.Yy, f.Yz}, {f.Zx, f.Zy, f.Zz}};
  for (int k = 0; k < 3; ++k) {
    double v[3];
    scds::Transform_Apply(TM, axes[k][0], axes[k][1], axes[k][2], v[0], v[1], v[2]);
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(v[j], j == k ? 1.0 : 0.0, 1e-14) << k << j;
  }
  // The transpose would take Z elsewhere.
  EXPECT_GT(std::fabs(TM.TMH - f.Zy), 0.01);
}

TEST(Frame, EqualLateralNormalsGiveNotANumber) {
  Duct_Plane_Set R, L;
  Perpendicular_Set(R, L);
  L.LDT = R.LDT;
  const scds::Transform_Matrix TM = scds::quintarel::Frame_Inverse(scds::quintarel::Frame_Of(R, L));
  EXPECT_FALSE(scds::Transform_Matrix_Finite(TM));
}

TEST(Angles, ArgumentsBeyondOneAreClamped) {
  struct Case {
    double argument;
    const char* degrees;
  };
  const Case cases[] = {
      {1.0, "0.000000"},       {1.0000001, "0.000000"}, {0.0, "90.006630"},
      {-1.0, "180.013259"},    {-1.5, "180.013259"},    {0.5, "60.004420"},
  };
  for (const Case& c : cases) EXPECT_EQ(scds::F(scds::quintarel::Angle_Degrees(c.argument)), c.degrees) << c.argument;
  EXPECT_TRUE(std::isnan(scds::quintarel::Angle_Degrees(std::nan(""))));
}

TEST(Angles, IdealConfigurationIsSlightlyMoreThan180) {
  Duct_Plane_Set R, L;
  R.ADT = {0.0, 1.0, 0.0};
  L.PDT = {0.0, -1.0, 0.0};
  L.ADT = {0.6, 0.8, 0.0};
  R.PDT = {-0.6, -0.8, 0.0};  // opposite up to rounding: clamped
  R.LDT = {0.0, 0.0, -1.0};
  L.LDT = {0.0, 0.0, 1.0};
  const std::string text = scds::quintarel::Synergistic_Text(scds::quintarel::Synergistic_Angles_Of(R, L));
  EXPECT_EQ(text,
            "SYNERGISTIC ANGLES (UNCOUPLED)\n\n"
            "Right Anterior and Left Posterior ducts: 180.013259 Degrees\n"
            "Left Anterior and Right Posterior ducts: 180.013259 Degrees\n"
            "Lateral ducts: 180.013259 Degrees\n\n"
            "DEVIATION FROM IDEAL CONFIGURATION (UNCOUPLED)\n\n"
            "Variance from planarity: 0.000176 Degrees^2\n\n"
            "Average deviation from planarity: 0.013259 Degrees\n");
}

TEST(Angles, ReferenceSignsOfEachSide) {
  // Unit components 1 give 0 degrees, -1 give pi x 57.3; each side's signs.
  Duct_Plane_Set R, L;
  R.ADT = {1.0, 1.0, -1.0};  // roll 0, pitch 0, yaw acos(1)
  R.PDT = {-1.0, -1.0, 1.0};
  R.LDT = {0.0, 1.0, 0.0};
  L.ADT = {1.0, 1.0, -1.0};
  L.PDT = {-1.0, -1.0, 1.0};
  L.LDT = {0.0, 1.0, 0.0};
  const std::string right = scds::quintarel::Reference_Text(scds::quintarel::Right_Reference_Angles(R));
  const std::string left = scds::quintarel::Reference_Text(scds::quintarel::Left_Reference_Angles(L));
  EXPECT_EQ(right,
            "REFERENCE ANGLES (UNCOUPLED)\n\nVESTIBULAR PITCH / MID-SAGITTAL PLANE\n\n"
            "Anterior duct: 0.000000 Degrees\nPosterior duct: 0.000000 Degrees\nLateral duct: 180.013259 Degrees\n\n"
            "VESTIBULAR ROLL / CORONAL PLANE\n\n"
            "Anterior duct: 0.000000 Degrees\nPosterior duct: 180.013259 Degrees\n\n"
            "VESTIBULAR YAW / HORIZONTAL PLANE\n\n"
            "Anterior duct: 0.000000 Degrees\nPosterior duct: 0.000000 Degrees\nLateral duct: 90.006630 Degrees\n");
  EXPECT_EQ(left,
            "REFERENCE ANGLES (UNCOUPLED)\n\nVESTIBULAR PITCH / MID-SAGITTAL PLANE\n\n"
            "Anterior duct: 0.000000 Degrees\nPosterior duct: 0.000000 Degrees\nLateral duct: 180.013259 Degrees\n\n"
            "VESTIBULAR ROLL / CORONAL PLANE\n\n"
            "Anterior duct: 180.013259 Degrees\nPosterior duct: 0.000000 Degrees\n\n"
            "VESTIBULAR YAW / HORIZONTAL PLANE\n\n"
            "Anterior duct: 180.013259 Degrees\nPosterior duct: 180.013259 Degrees\nLateral duct: 90.006630 Degrees\n");
}

TEST(VectorFile, TwoEmptyLinesBeforeTheCentres) {
  Duct_Plane_Set R, L;
  R.ADT = {1.0, -0.5, 0.0};
  L.LDTc = {-2.25, 3.0, -0.0000004};
  EXPECT_EQ(scds::quintarel::Vector_File_Text(R, L),
            "SEMICIRCULAR DUCT PLANES (UNCOUPLED)\n\n"
            "Right Anterior duct: 1.000000x -0.500000y 0.000000z\n"
            "Right Posterior duct: 0.000000x 0.000000y 0.000000z\n"
            "Right Lateral duct: 0.000000x 0.000000y 0.000000z\n"
            "Left Anterior duct: 0.000000x 0.000000y 0.000000z\n"
            "Left Posterior duct: 0.000000x 0.000000y 0.000000z\n"
            "Left Lateral duct: 0.000000x 0.000000y 0.000000z\n\n\n"
            "SEMICIRCULAR DUCT CENTER OF ROTATION\n\n"
            "Right Anterior duct: 0.000000x 0.000000y 0.000000z\n"
            "Right Posterior duct: 0.000000x 0.000000y 0.000000z\n"
            "Right Lateral duct: 0.000000x 0.000000y 0.000000z\n"
            "Left Anterior duct: 0.000000x 0.000000y 0.000000z\n"
            "Left Posterior duct: 0.000000x 0.000000y 0.000000z\n"
            "Left Lateral duct: -2.250000x 3.000000y -0.000000z\n");
}

}  // namespace
