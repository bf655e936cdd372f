// The .sif and .deflection pairs, the merge rule, the pair messages and the
// material prompts.
#include "fea_inputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include "biomechanics_paths.h"
#include "error_log.h"
#include "scds_testing.h"

namespace {

using namespace scds::ostravel;
using scds_testing::Read_File;
using scds_testing::Temp_Dir;
using scds_testing::Write_File;

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

std::string Sif(const std::string& E, const std::string& p, const std::string& t_comment =
                                                                 "Input cupula thickness (Long cilia) in meter") {
  return "!!! CHECK BOUNDARIES LABELS !!!\n\n\n$t = 1.8e-4 ! " + t_comment +
         "\n$cs = 1e-3 ! 1e-6 for mesh in um, 1e-3 for mesh in mm, 1e-2 for mesh in cm\n$E = " + E +
         " ! Young modulus\n$p = " + p + " ! Poisson ratio\nSimulation\n";
}

// A deflection row: max, mean, zone integrals, zone areas, cupula area, perimeters.
std::string Row(double mean, double h, double m, double l, double ah, double am, double al, double cup) {
  std::ostringstream row;
  row.precision(17);
  for (double x : {2.0 * mean, mean, h, m, l, ah, am, al, cup, 1e-3, 2e-3}) row << '\t' << x;
  row << '\n';
  return row.str();
}

struct Species {
  Temp_Dir dir;
  Run_State run;
  std::ostringstream console;

  Species() {
    scds_testing::Make_Species_Folder(dir.path, "Sp");
    run.work_dir = dir.path;
    run.species = "Sp";
  }
  void Open_Log() {
    scds::Error_Log_Open(run.log, console, dir.path, "Sp", "Data/Sp/Sp_temp.errorlog", scds::Program::Ostravel);
  }
  std::string Log() const { return Read_File(dir.path / "Data/Sp/Sp_temp.errorlog"); }
  void Write(const std::string& path, const std::string& text) { Write_File(dir.path / path, text); }
  // Every deflection file of both sides with the same plausible row.
  void Write_All_Deflections() {
    for (const char* duct : {"Ant", "Post", "Lat"}) {
      for (const char* cilia : {"Long", "Medium", "Short"}) {
        const std::string row = Row(1.2e-6, 1.9e-13, 2.2e-13, 1.6e-13, 1.2e-7, 1.7e-7, 2.3e-7, 1.05e-6);
        Write(Right_Result_Deflection_Path("Sp", duct, cilia), row);
        Write(Left_Result_Deflection_Path("Sp", duct, cilia), row);
      }
    }
  }
};

TEST(MergeRule, ValueByValue) {
  struct Case {
    double right, left, before, merged;
  };
  const Case cases[] = {
      {0.0, 2.5e-07, 0.0, 2.5e-07},
      {2.0e-07, 3.0e-07, 0.0, (2.0e-07 + 3.0e-07) / 2.0},
      {4.0, 0.0, 0.0, 4.0},
      {-1.0, 3.0, 0.0, 1.0},
      {0.0, 0.0, 7.0, 7.0},  // not assigned: the value before stays
  };
  for (const Case& c : cases) {
    double merged = c.before;
    Merge_Value(c.right, c.left, merged);
    EXPECT_EQ(merged, c.merged) << c.right << " " << c.left;
  }
  // A nan counts as non-zero.
  double merged = 0.0;
  Merge_Value(kNan, 0.0, merged);
  EXPECT_TRUE(std::isnan(merged));
  merged = 0.0;
  Merge_Value(0.0, kNan, merged);
  EXPECT_TRUE(std::isnan(merged));
}

TEST(SifPair, BothPresentAreAveraged) {
  Species s;
  s.Write(Right_Sif_File_Path("Sp"), Sif("5.4", "0.48"));
  s.Write(Left_Sif_File_Path("Sp"), Sif("5.0", "0.5"));
  Read_Solver_Inputs(s.run, s.console);
  EXPECT_EQ(s.console.str(), "");
  EXPECT_EQ(s.run.carried.Young, (5.4 + 5.0) / 2.0);
  EXPECT_EQ(s.run.carried.poisson, (0.48 + 0.5) / 2.0);
  EXPECT_EQ(s.run.counters.error_ant_sif, 0);
}

TEST(SifPair, OnlyLeftPresentGivesLeftValuesAndNoMessage) {
  Species s;
  s.Write(Left_Sif_File_Path("Sp"), Sif("5.1", "0.46"));
  Read_Solver_Inputs(s.run, s.console);
  EXPECT_EQ(s.console.str(), "");
  EXPECT_EQ(s.run.carried.Young, 5.1);
  EXPECT_EQ(s.run.carried.poisson, 0.46);
  EXPECT_EQ(s.run.counters.error_ant_sif, 1);
  EXPECT_EQ(s.run.counters.error_count, 0);
}

TEST(SifPair, BothMissingIsReportedOnceByItsLabel) {
  Species s;
  s.Open_Log();
  // A folder in place of a file counts as a file that cannot be read.
  std::filesystem::create_directories(s.dir.path / Right_Sif_File_Path("Sp"));
  Read_Solver_Inputs(s.run, s.console);
  const std::string message = "\nImpossible to read \"Ant_Long\" sif files.\nVerify both species name and files name.\n";
  EXPECT_EQ(s.console.str(), message);
  EXPECT_EQ(s.Log(), "Ostravel Errors:\n" + message + "\n");
  EXPECT_EQ(s.run.counters.error_ant_sif, 2);
  EXPECT_EQ(s.run.counters.error_count, 1);
  EXPECT_EQ(s.run.carried.Young, 0.0);
  EXPECT_EQ(s.run.carried.poisson, 0.0);
  scds::Error_Log_Merge(s.run.log, s.console);
}

// A head whose comment after "$t = " differs stops matching there: its
// values stay 0, the other side's are taken, and the file is named as
// incomplete.
TEST(SifPair, DifferentCommentStopsTheMatch) {
  Species s;
  s.Write(Right_Sif_File_Path("Sp"), Sif("5.4", "0.48", "cupula thickness in metres"));
  s.Write(Left_Sif_File_Path("Sp"), Sif("5.1", "0.46"));
  Read_Solver_Inputs(s.run, s.console);
  EXPECT_EQ(s.console.str(), "\nWarning: Data/Sp/FEA/rfea_Sp_Ant_Cilia_Long.sif is incomplete: 1 of 4 values read.\n");
  EXPECT_EQ(s.run.fea.Young_R, 0.0);
  EXPECT_EQ(s.run.carried.Young, 5.1);
  EXPECT_EQ(s.run.carried.poisson, 0.46);
  EXPECT_EQ(s.run.counters.error_count, 0);
}

TEST(DeflectionPairs, EachPairIsReportedByItsLabelWhenBothFilesAreMissing) {
  const char* ducts[] = {"Ant", "Post", "Lat"};
  const char* cilia[] = {"Long", "Medium", "Short"};
  for (int k = 0; k < 9; ++k) {
    Species s;
    s.Open_Log();
    s.Write_All_Deflections();
    const std::string label = std::string(ducts[k / 3]) + "_" + cilia[k % 3];
    std::filesystem::remove(s.dir.path / Right_Result_Deflection_Path("Sp", ducts[k / 3], cilia[k % 3]));
    std::filesystem::remove(s.dir.path / Left_Result_Deflection_Path("Sp", ducts[k / 3], cilia[k % 3]));
    Read_Deflection_Results(s.run, s.console);
    const std::string message =
        "\nImpossible to read \"" + label + "\" deflection files.\nVerify both species name and files name.\n";
    EXPECT_EQ(s.console.str(), message);
    EXPECT_EQ(s.Log(), "Ostravel Errors:\n" + message + "\n");
    EXPECT_EQ(s.run.counters.error_count, 1) << label;
    const int* counters = &s.run.counters.error_ant_def_h;
    for (int j = 0; j < 9; ++j) EXPECT_EQ(counters[j], j == k ? 2 : 0) << label << " " << j;
    scds::Error_Log_Merge(s.run.log, s.console);
  }
}

TEST(DeflectionPairs, OneMissingFileTakesTheOtherSide) {
  Species s;
  s.Write_All_Deflections();
  s.Write(Left_Result_Deflection_Path("Sp", "Lat", "Long"),
          Row(3.0e-6, 3.0e-13, 4.0e-13, 5.0e-13, 1.0e-7, 2.0e-7, 2.5e-7, 2.0e-6));
  std::filesystem::remove(s.dir.path / Right_Result_Deflection_Path("Sp", "Lat", "Long"));
  Read_Deflection_Results(s.run, s.console);
  EXPECT_EQ(s.console.str(), "");
  EXPECT_EQ(s.run.counters.error_lat_def_h, 1);
  EXPECT_EQ(s.run.counters.error_count, 0);
  EXPECT_EQ(s.run.fea.ul_high_mean, 3.0e-6);
  EXPECT_EQ(s.run.fea.ul_high_m, 4.0e-13);
  EXPECT_EQ(s.run.fea.ul_l_area, 2.5e-7);
  EXPECT_EQ(s.run.fea.aCl_FEA, 2.0e-6);
  EXPECT_EQ(s.run.fea.ul_high_mean_m, 4.0e-13 / 2.0e-7);
  EXPECT_EQ(s.run.cupula.dl_high_mean_m, ((4.0e-13 / 2.0e-7 / 4.5e-05) * 57.2957795) / ((3.0e-6 * 2.0e-6) * 1e12));
}

// A Medium pair with both files missing leaves that case's deflections nan;
// the Long and Short ones are computed as usual. Columns 6 to 11 of a
// Medium or Short file never count.
TEST(DeflectionPairs, MissingMediumPairAndUnusedColumns) {
  Species s;
  s.Write_All_Deflections();
  s.Write(Right_Result_Deflection_Path("Sp", "Ant", "Short"),
          Row(1.2e-6, 1.9e-13, 2.2e-13, 1.6e-13, 9.0, 9.0, 9.0, 9.0));
  std::filesystem::remove(s.dir.path / Right_Result_Deflection_Path("Sp", "Ant", "Medium"));
  std::filesystem::remove(s.dir.path / Left_Result_Deflection_Path("Sp", "Ant", "Medium"));
  Read_Deflection_Results(s.run, s.console);
  const Cupula_Values& d = s.run.cupula;
  for (double value : {d.da_med_mean_h, d.da_med_mean_m, d.da_med_mean_l}) EXPECT_TRUE(std::isnan(value));
  for (double value : {d.da_high_mean_h, d.da_high_mean_l, d.da_low_mean_m, d.dp_med_mean_m}) {
    EXPECT_TRUE(std::isfinite(value)) << value;
  }
  EXPECT_EQ(d.da_low_mean_h, d.dp_low_mean_h);  // the same rows, whatever columns 6 to 11 of one hold
  EXPECT_EQ(s.run.fea.ua_h_area, 1.2e-7);
  EXPECT_EQ(s.run.fea.aCa_FEA, 1.05e-6);
}

// Without its Long pair a duct has no zone or cupula areas: its zone means
// and deflections are not finite.
TEST(DeflectionPairs, MissingLongPairLeavesTheDuctWithoutAreas) {
  Species s;
  s.Write_All_Deflections();
  std::filesystem::remove(s.dir.path / Right_Result_Deflection_Path("Sp", "Post", "Long"));
  std::filesystem::remove(s.dir.path / Left_Result_Deflection_Path("Sp", "Post", "Long"));
  Read_Deflection_Results(s.run, s.console);
  const Cupula_Values& d = s.run.cupula;
  for (double value : {d.dp_high_mean_h, d.dp_med_mean_m, d.dp_low_mean_l}) EXPECT_FALSE(std::isfinite(value));
  EXPECT_TRUE(std::isfinite(d.da_high_mean_h));
}

TEST(DeflectionPairs, ShortRowIsNamedAsIncomplete) {
  Species s;
  s.Open_Log();
  s.Write_All_Deflections();
  s.Write(Left_Result_Deflection_Path("Sp", "Post", "Short"), "\t1e-6\t2e-6\t3e-13\t4e-13\t5e-13\t1e-7\t2e-7 and so on\n");
  Read_Deflection_Results(s.run, s.console);
  const std::string warning =
      "\nWarning: Data/Sp/FEA/lfea_Sp_Post_Cilia_Short.deflection is incomplete: 7 of 11 values read.\n";
  EXPECT_EQ(s.console.str(), warning);
  EXPECT_EQ(s.Log(), "Ostravel Errors:\n" + warning + "\n");
  EXPECT_EQ(s.run.counters.error_count, 0);
  EXPECT_EQ(s.run.fea.up_low_mean_L, 2e-6);
  EXPECT_EQ(s.run.fea.up_low_mean, (1.2e-6 + 2e-6) / 2.0);
  scds::Error_Log_Merge(s.run.log, s.console);
}

TEST(MaterialPrompts, AnswersThatAreNotNumbersAreAskedAgain) {
  Species s;
  std::istringstream answers("abc 37 1e 1,5 2.414\n\n 1000 1.1e3\n");
  ASSERT_TRUE(Ask_Material_Constants(s.run, answers, s.console));
  const std::string T = "\nPlease enter body temperature (C):\n\n";
  const std::string mu = "\nPlease enter endolymph viscosity factor (e-5 Pa.s):\n\n";
  const std::string rho_e = "\nPlease enter endolymph density (kg/m^3):\n\n";
  const std::string rho_c = "\nPlease enter cupula density (kg/m^3):\n\n";
  EXPECT_EQ(s.console.str(), T + T + "\n" + mu + mu + mu + "\n" + rho_e + "\n" + rho_c + "\n");
  EXPECT_EQ(s.run.carried.T, 37.0);
  EXPECT_EQ(s.run.carried.mu_A, 2.414);
  EXPECT_EQ(s.run.carried.rho_e, 1000.0 / 1e6);
  EXPECT_EQ(s.run.carried.rho_c, 1100.0 / 1e6);
}

TEST(MaterialPrompts, EndOfInputStopsTheQuestions) {
  Species s;
  std::istringstream answers("37 2.414 x");
  EXPECT_FALSE(Ask_Material_Constants(s.run, answers, s.console));
  EXPECT_EQ(s.run.carried.mu_A, 2.414);
  EXPECT_EQ(s.run.carried.rho_e, 0.0);
}

TEST(MaterialConstants, DerivedValues) {
  Carried_Values c;
  c.T = 37.0;
  c.mu_A = 1.0;
  c.Young = 5.4;
  c.poisson = 0.48;
  Derive_Material_Constants(c);
  EXPECT_EQ(c.gamma, 5.4 / (1.48 + 1.48));
  EXPECT_EQ(c.mu_e, 1e-05 * std::pow(10.0, 247.8 / 170.15));
  EXPECT_EQ(c.mu_c, c.mu_e * 10.0);
  // Both .sif files missing: Young and poisson 0, so gamma 0.
  Carried_Values none;
  Derive_Material_Constants(none);
  EXPECT_EQ(none.gamma, 0.0);
}

}  // namespace
