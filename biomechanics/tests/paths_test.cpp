#include "biomechanics_paths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace scds::ostravel;

TEST(OstravelPaths, Builders) {
  EXPECT_EQ(Right_Sif_File_Path("Sp"), "Data/Sp/FEA/rfea_Sp_Ant_Cilia_Long.sif");
  EXPECT_EQ(Left_Sif_File_Path("Sp"), "Data/Sp/FEA/lfea_Sp_Ant_Cilia_Long.sif");
  EXPECT_EQ(Right_Result_Deflection_Path("Sp", "Post", "Medium"), "Data/Sp/FEA/rfea_Sp_Post_Cilia_Medium.deflection");
  EXPECT_EQ(Left_Result_Deflection_Path("Sp", "Lat", "Short"), "Data/Sp/FEA/lfea_Sp_Lat_Cilia_Short.deflection");
  EXPECT_EQ(Result_Morphometry_Path("Sp"), "Data/Sp/Sp_Cor.morph");
  EXPECT_EQ(Plus_Result_Morphometry_Path("Sp"), "Data/Sp/Sp_PlusCor.morph");
  EXPECT_EQ(Minus_Result_Morphometry_Path("Sp"), "Data/Sp/Sp_MinusCor.morph");
  EXPECT_EQ(Morphometry_Path("Sp", Measurement_Set::PlusCor), "Data/Sp/Sp_PlusCor.morph");
  EXPECT_EQ(Result_Biomecha_Path("Sp"), "Data/Sp/Sp_Cor.biomecha");
  EXPECT_EQ(Biomecha_Path("Sp", Measurement_Set::MinusCor), "Data/Sp/Sp_MinusCor.biomecha");
  EXPECT_EQ(Plus_Result_Biomecha_Full_Path("Sp"), "Data/Sp/Sp_PlusCor_Extended.biomecha");
  EXPECT_EQ(Biomecha_Full_Path("Sp", Measurement_Set::Cor), "Data/Sp/Sp_Cor_Extended.biomecha");
  EXPECT_EQ(Right_Anterior_Vector_Path("Sp"), "Data/Sp/VestRef/MaxAxes/rma_Sp_Ant.lineset");
  EXPECT_EQ(Left_Posterior_Vector_Path("Sp"), "Data/Sp/VestRef/MaxAxes/lma_Sp_Post.lineset");
  EXPECT_EQ(Left_Lateral_Vector_Path("Sp"), "Data/Sp/VestRef/MaxAxes/lma_Sp_Lat.lineset");
  EXPECT_EQ(Uncoupled_Transfrom_Matrix_Path("Sp"), "Data/Sp/Matrix/Sp_uncoupled.transmat");
  EXPECT_EQ(Transfrom_Matrix_Path("Sp"), "Data/Sp/Matrix/Sp.transmat");
}

// 44 characters plus twice the name for the longest path: 105 characters fit.
TEST(OstravelPaths, LongestNameFitsEveryPath) {
  ASSERT_EQ(Max_Species_Name(), 105u);
  const std::string name(105, 'n');
  EXPECT_EQ(Right_Result_Deflection_Path(name, "Post", "Medium").size(), 254u);
  for (const std::string& path :
       {Left_Result_Deflection_Path(name, "Post", "Medium"), Right_Sif_File_Path(name),
        Minus_Result_Biomecha_Full_Path(name), Right_Posterior_Vector_Path(name),
        Uncoupled_Transfrom_Matrix_Path(name), Minus_Result_Morphometry_Path(name)}) {
    EXPECT_LE(path.size(), 254u) << path;
  }
  EXPECT_GT(Right_Result_Deflection_Path(name + "n", "Post", "Medium").size(), 254u);
}

}  // namespace
