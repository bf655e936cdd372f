#include "flat_mesh.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "flanmere.h"
#include "paths.h"

namespace {

TEST(FlatMeshPaths, InputsAndOutputsOfBothSides) {
  EXPECT_EQ(scds::flanmere::Input_Right_Surface_STL_File_Path("Ovis", "_Ant_Cup"), "Data/Ovis/FEA/rfea_Ovis_Ant_Cup.stl");
  EXPECT_EQ(scds::flanmere::Input_Left_Surface_STL_File_Path("Ovis", "_Lat_Cilia_Short"),
            "Data/Ovis/FEA/lfea_Ovis_Lat_Cilia_Short.stl");
  EXPECT_EQ(scds::flanmere::Output_Right_FEA_STL_File_Path("Ovis", "_Post_Cilia_Medium"),
            "Data/Ovis/FEA/rfea_Ovis_Post_Cilia_Medium_2D.stl");
  EXPECT_EQ(scds::flanmere::Output_Left_FEA_STL_File_Path("Ovis", "_Ant_Cilia_Long"),
            "Data/Ovis/FEA/lfea_Ovis_Ant_Cilia_Long_2D.stl");
}

TEST(FlatMeshPaths, LongestNameFitsTheLongestPath) {
  // The posterior medium-cilia output is the longest path: 40 + 2n characters.
  EXPECT_EQ(scds::flanmere::Output_Left_FEA_STL_File_Path("ab", "_Post_Cilia_Medium").size(), 44u);
  const std::size_t longest = scds::flanmere::Flanmere_Max_Name();
  EXPECT_EQ(longest, 107u);
  EXPECT_EQ(scds::flanmere::Output_Left_FEA_STL_File_Path(std::string(longest, 'a'), "_Post_Cilia_Medium").size(),
            scds::kMaxPath);
}

TEST(FlatMeshText, FixedTextsAndSixDecimals) {
  std::string text;
  scds::flanmere::Append_Flat_Vector(text, 0, 5.0, 6.0);
  scds::flanmere::Append_Flat_Vector(text, 1, 0.5, -0.25);
  scds::flanmere::Append_Flat_Vector(text, 2, 123456789012.0625, -1e-7);
  scds::flanmere::Append_Flat_Vector(text, 3, -0.0000005, 2.0);
  EXPECT_EQ(text,
            "\tfacet normal 0.000 0.000 1.000\n"
            "\touter loop\n\t\tvertex 0.500000 -0.250000 0.000\n"
            "\t\tvertex 123456789012.062500 -0.000000 0.000\n"
            "\t\tvertex -0.000000 2.000000 0.000\n\tendloop\nendfacet\n");
}

TEST(FlanmereBanner, FrameLinesAre58Wide) {
  std::istringstream banner(scds::flanmere::Flanmere_Banner());
  std::string line;
  int frame_lines = 0;
  while (std::getline(banner, line)) {
    if (!line.empty() && line[0] == '#') {
      EXPECT_EQ(line.size(), 58u) << line;
      ++frame_lines;
    }
  }
  EXPECT_EQ(frame_lines, 7);
}

}  // namespace
