// The finite element inputs, the morphometry, the calibration and the
// uncoupled model on a small species folder whose every value was worked
// out independently (expected_first_half.py, from the model's formulas).
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <filesystem>

#include "fixture_run.h"

namespace {

using namespace scds::ostravel;

TEST(FirstHalf, CorPassMatchesTheIndependentValues) {
  Fixture_Run f;
  f.Prologue();
  f.Cor_Pass();
  Check_Cor_Pass(f.run);
  // One .deflection file missing and one value 0 on a side are no failure.
  EXPECT_EQ(f.run.counters.error_count, 0);
  EXPECT_EQ(f.run.counters.error_post_def_m, 1);
  EXPECT_EQ(f.run.pass.error_morpho, 0);
}

TEST(FirstHalf, PlusCorPassMatchesTheIndependentValues) {
  Fixture_Run f;
  f.Prologue();
  f.Cor_Pass();
  f.Variant_Pass(Measurement_Set::PlusCor);
  Check_PlusCor_Pass(f.run);
}

// The inverted calibration on the Cor geometry gives back the Cor pass's
// deflections, profile factors and stiffnesses, up to the last bits.
TEST(FirstHalf, InvertedCalibrationOnCorGeometryGivesCorValuesBack) {
  Fixture_Run f;
  f.Prologue();
  f.Cor_Pass();
  const Cupula_Values cor_cupula = f.run.cupula;
  const Pass_State cor_pass = f.run.pass;
  f.Variant_Pass(Measurement_Set::Cor);  // the Cor file read again as if it were a variant set

  const double* got = &f.run.cupula.da_high_mean_h;
  const double* want = &cor_cupula.da_high_mean_h;
  constexpr int kCupulaValues = sizeof(Cupula_Values) / sizeof(double);
  static_assert(kCupulaValues == 36);
  for (int k = 0; k < kCupulaValues; ++k) EXPECT_NEAR(got[k], want[k], std::abs(want[k]) * 1e-13) << k;
  const double* ws = &f.run.pass.wsCa_high;
  const double* ws_cor = &cor_pass.wsCa_high;
  for (int k = 0; k < 9; ++k) EXPECT_NEAR(ws[k], ws_cor[k], std::abs(ws_cor[k]) * 1e-13) << k;
}

// The reset between passes clears the pass's state and nothing else.
TEST(FirstHalf, ResetClearsThePassOnly) {
  Fixture_Run f;
  f.Prologue();
  f.Cor_Pass();
  f.run.matrices[0].MatA_l[0] = 5.0;
  f.run.carried.TM.TMA = 0.5;
  const Run_State before = f.run;
  Reset_Pass(f.run);
  const double* values = &f.run.pass.LSa;
  const std::size_t count = (sizeof(Pass_State) - offsetof(Pass_State, LSa)) / sizeof(double);
  for (std::size_t k = 0; k < count; ++k) ASSERT_EQ(values[k], 0.0) << k;
  EXPECT_EQ(f.run.pass.error_morpho, 0);
  EXPECT_EQ(f.run.cupula.KADT_high, before.cupula.KADT_high);
  EXPECT_EQ(f.run.cupula.dl_low_mean_l, before.cupula.dl_low_mean_l);
  EXPECT_EQ(f.run.carried.Log_Res_wsCl_low, before.carried.Log_Res_wsCl_low);
  EXPECT_EQ(f.run.carried.aCp_Res, before.carried.aCp_Res);
  EXPECT_EQ(f.run.carried.rho_e, before.carried.rho_e);
  EXPECT_EQ(f.run.carried.TM.TMA, 0.5);
  EXPECT_EQ(f.run.fea.aCl_FEA, before.fea.aCl_FEA);
  EXPECT_EQ(f.run.matrices[0].MatA_l[0], 5.0);
  EXPECT_EQ(f.run.matrices[1].MatA_l, Initial_State_Matrix());
}

// A missing morphometry file: every segment mass and damping is nan, the
// forcing zero; the message names the path.
TEST(FirstHalf, MissingMorphometryLeavesZerosAndNans) {
  Fixture_Run f;
  std::filesystem::remove(f.dir.path / "Data/Fx/Fx_PlusCor.morph");
  f.Prologue();
  f.Cor_Pass();
  f.console.str("");
  f.Variant_Pass(Measurement_Set::PlusCor);
  EXPECT_EQ(f.console.str(),
            "\nImpossible to read Data/Fx/Fx_PlusCor.morph\nVerify both species name and morpho file name.\n");
  EXPECT_EQ(f.run.pass.error_morpho, 1);
  EXPECT_EQ(f.run.counters.error_count, 0);
  const Pass_State& p = f.run.pass;
  for (double value : {p.MSa, p.MCC, p.MUC, p.MAa_high, p.MCl_low, p.MADT_high, p.MLDT_low, p.CSa, p.CCC, p.CUC,
                       p.CAp_med, p.CCa_low, p.CPDT_med, p.T1_A_high, p.T2_L_low, p.QX_P_med, p.bXh_A}) {
    EXPECT_TRUE(std::isnan(value)) << value;
  }
  EXPECT_EQ(p.GADT, 0.0);
  EXPECT_EQ(p.GPDT, 0.0);
  EXPECT_EQ(p.GLDT, 0.0);
  EXPECT_TRUE(std::isnan(f.run.cupula.da_high_mean_h));
  EXPECT_EQ(p.xADT_R, 0.0);
}

// Zero viscosity: every damping 0, T1 0 and T2 infinite; in the Cor pass
// the long-cilia acceleration gains are nan, the medium and short finite.
TEST(FirstHalf, ZeroViscosity) {
  Fixture_Run f;
  f.Prologue();
  f.run.carried.mu_A = 0.0;
  Derive_Material_Constants(f.run.carried);
  ASSERT_EQ(f.run.carried.mu_e, 0.0);
  ASSERT_EQ(f.run.carried.mu_c, 0.0);
  f.Cor_Pass();
  const Pass_State& p = f.run.pass;
  for (double damping : {p.CSa, p.CCC, p.CADT_high, p.CPDT_med, p.CLDT_low}) EXPECT_EQ(damping, 0.0);
  for (double T1 : {p.T1_A_high, p.T1_P_med, p.T1_L_low}) EXPECT_EQ(T1, 0.0);
  for (double T2 : {p.T2_A_high, p.T2_P_med, p.T2_L_low}) EXPECT_EQ(T2, kInf);
  for (double QAG : {p.QAG_A_high, p.QAG_P_high, p.QAG_L_high, p.bAGh_A}) EXPECT_TRUE(std::isnan(QAG));
  for (double QAG : {p.QAG_A_med, p.QAG_A_low, p.QAG_P_med, p.QAG_L_low, p.bAGm_P, p.bAGl_L}) {
    EXPECT_TRUE(std::isfinite(QAG)) << QAG;
  }
}

// A zero mean displacement gives an infinite stiffness and profile factor; a
// zero central area an infinite deflection residual with a finite residual
// area, stiffness and profile factor.
TEST(FirstHalf, CalibrationEdgeCases) {
  Fixture_Run f;
  f.Prologue();
  f.run.set = Measurement_Set::Cor;
  f.console.str("");
  Read_Morphometry(f.run, f.console);
  f.run.fea.up_med_mean = 0.0;
  f.run.pass.aCl_Mid = 0.0;
  Cupula_Calibration(f.run);
  EXPECT_EQ(f.run.cupula.KPDT_med, kInf);
  EXPECT_EQ(f.run.pass.wsCp_med, kInf);
  EXPECT_TRUE(std::isfinite(f.run.cupula.KPDT_high));
  for (double r : {f.run.carried.Log_Res_dl_high_mean_h, f.run.carried.Log_Res_dl_med_mean_m,
                   f.run.carried.Log_Res_dl_low_mean_l}) {
    EXPECT_TRUE(std::isinf(r)) << r;
  }
  EXPECT_TRUE(std::isfinite(f.run.carried.aCl_Res));
  EXPECT_TRUE(std::isfinite(f.run.cupula.KLDT_low));
  EXPECT_TRUE(std::isfinite(f.run.pass.wsCl_low));
}

}  // namespace
