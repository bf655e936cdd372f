#include "paths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Paths, SharedBuilders) {
  EXPECT_EQ(scds::Right_STL_File_Path("Sp", "Sa"), "Data/Sp/ScanRef/Volumes/rv_SpSa.stl");
  EXPECT_EQ(scds::Left_STL_File_Path("Sp", "_Control"), "Data/Sp/ScanRef/Volumes/lv_Sp_Control.stl");
  EXPECT_EQ(scds::Error_Log_File_Path("Sp"), "Data/Sp/Sp.errorlog");
  EXPECT_EQ(scds::Error_Log_Temp_File_Path("Sp"), "Data/Sp/Sp_temp.errorlog");
  EXPECT_EQ(scds::Error_Log_Temp_File_Path_R("Sp"), "Data/Sp/Sp_temp_R.errorlog");
  EXPECT_EQ(scds::Error_Log_Temp_File_Path_L("Sp"), "Data/Sp/Sp_temp_R.errorlog");
}

TEST(Paths, LengthsAndNameBounds) {
  const std::string name(116, 'a');
  EXPECT_EQ(scds::Error_Log_Temp_File_Path_R(name).size(), 254u);
  EXPECT_EQ(scds::Max_Name_Length(scds::Error_Log_Temp_File_Path_R("a").size(),
                                  scds::Error_Log_Temp_File_Path_R("aa").size()),
            116u);
  EXPECT_EQ(scds::Max_Name_Length(scds::Error_Log_Temp_File_Path("a").size(),
                                  scds::Error_Log_Temp_File_Path("aa").size()),
            117u);
  EXPECT_EQ(scds::Max_Name_Length(scds::Error_Log_File_Path("a").size(), scds::Error_Log_File_Path("aa").size()),
            119u);
  // Mesh builders: 29 + 2n + s characters.
  EXPECT_EQ(scds::Right_STL_File_Path("abc", "Sa").size(), 29u + 6u + 2u);
}

}  // namespace
