// The coupled model, the coupled gains, response planes and angles and the
// line-set and matrix texts: on the fixture species, whose values
// expected_second_half.py worked out from the model's formulas, and on
// hand-made cases.
#include <gtest/gtest.h>

#include <gsl/gsl_eigen.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_matrix.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "fixture_run.h"
#include "line_sets.h"
#include "number_format.h"

namespace {

using namespace scds::ostravel;
using scds::PI;

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

TEST(SecondHalf, CorPassMatchesTheIndependentValues) {
  Fixture_Run f;
  f.Prologue();
  f.Cor_Pass();
  f.Second_Half();
  Check_Cor_Second_Half(f.run);
  // The left normals mirror the right ones (x and z negated), also after the
  // rotation about y.
  const Pass_State& p = f.run.pass;
  EXPECT_EQ(p.ix_1_L, -p.ix_1_R);
  EXPECT_EQ(p.iy_1_L, p.iy_1_R);
  EXPECT_EQ(p.iz_1_L, -p.iz_1_R);
  EXPECT_EQ(p.ix_2_L, -p.ix_2_R);
  EXPECT_EQ(p.iy_2_L, p.iy_2_R);
  EXPECT_EQ(p.iz_2_L, -p.iz_2_R);
  EXPECT_EQ(p.ix_3_L, -p.ix_3_R);
  EXPECT_EQ(p.iy_3_L, p.iy_3_R);
  EXPECT_EQ(p.iz_3_L, -p.iz_3_R);
  // The rotated left lateral normal lies in the y-z plane (its x was
  // negative before the rotation).
  EXPECT_NEAR(p.ix_1_L, 0.0, 1e-15);
  EXPECT_GT(p.iz_1_L, 0.0);
}

// The PlusCor pass uses its own state matrices and the Cor rotation.
TEST(SecondHalf, PlusCorPassMatchesTheIndependentValues) {
  Fixture_Run f;
  f.Prologue();
  f.Cor_Pass();
  f.Second_Half();
  const scds::Transform_Matrix cor_rotation = f.run.carried.TM;
  const double cor_theta = f.run.carried.theta;
  f.Variant_Pass(Measurement_Set::PlusCor);
  f.Second_Half();
  Check_PlusCor_Second_Half(f.run);
  EXPECT_EQ(f.run.carried.theta, cor_theta);
  EXPECT_EQ(scds::Transform_Matrix_Text(f.run.carried.TM), scds::Transform_Matrix_Text(cor_rotation));
  EXPECT_NE(f.run.matrices[1].MatA_m, Initial_State_Matrix());
  EXPECT_EQ(f.run.matrices[2].MatA_m, Initial_State_Matrix());
}

// ---------------------------------------------------------------- coupled model

// M = (2 1 0 / 1 3 1 / 0 1 4): the closed-form inverse.
TEST(CoupledModel, InverseOfTheMassMatrix) {
  Run_State run;
  run.pass.MLDT_high = 2.0;
  run.pass.MADT_high = 3.0;
  run.pass.MPDT_high = 4.0;
  run.pass.MUC = 1.0;
  run.pass.MCC = 1.0;
  Coupled_Model(run);
  const Pass_State& p = run.pass;
  EXPECT_EQ(p.detM_l, 18.0);
  EXPECT_EQ(p.M_1p_l, 11.0 / 18.0);
  EXPECT_EQ(p.m_12p_l, -4.0 / 18.0);
  EXPECT_EQ(p.m_21p_l, -4.0 / 18.0);
  EXPECT_EQ(p.m_13p_l, 1.0 / 18.0);
  EXPECT_EQ(p.m_31p_l, 1.0 / 18.0);
  EXPECT_EQ(p.M_2p_l, 8.0 / 18.0);
  EXPECT_EQ(p.m_23p_l, -2.0 / 18.0);
  EXPECT_EQ(p.m_32p_l, -2.0 / 18.0);
  EXPECT_EQ(p.M_3p_l, 5.0 / 18.0);
  const double M[3][3] = {{2, 1, 0}, {1, 3, 1}, {0, 1, 4}};
  const double P[3][3] = {{p.M_1p_l, p.m_12p_l, p.m_13p_l}, {p.m_21p_l, p.M_2p_l, p.m_23p_l},
                          {p.m_31p_l, p.m_32p_l, p.M_3p_l}};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      const double product = P[i][0] * M[0][j] + P[i][1] * M[1][j] + P[i][2] * M[2][j];
      EXPECT_NEAR(product, i == j ? 1.0 : 0.0, 1e-15) << i << j;
    }
  }
}

// The fixture's ducts with the coupling segments taken out.
struct Uncoupled_Fixture : Fixture_Run {
  Uncoupled_Fixture() {
    Prologue();
    Cor_Pass();
    run.pass.MUC = run.pass.MCC = run.pass.CUC = run.pass.CCC = 0.0;
  }
};

// The absolute real parts of the eigenvalues of position 1 to 6, from the
// corner frequencies.
std::array<double, 6> Speeds(const Pass_State& p, char c) {
  if (c == 'l') return {p.w_1_l, p.w_2_l, p.w_3_l, p.w_4_l, p.w_5_l, p.w_6_l};
  if (c == 'm') return {p.w_1_m, p.w_2_m, p.w_3_m, p.w_4_m, p.w_5_m, p.w_6_m};
  return {p.w_1_s, p.w_2_s, p.w_3_s, p.w_4_s, p.w_5_s, p.w_6_s};
}

// Zero coupling: diagonal inverses, and the six eigenvalues are, duct by
// duct, the two roots of M s^2 + C s + K = 0, the three fast ones first.
TEST(CoupledModel, ZeroCouplingGivesTheRootsDuctByDuct) {
  Uncoupled_Fixture f;
  f.Second_Half();
  const Pass_State& p = f.run.pass;
  EXPECT_NEAR(p.M_1p_m, 1.0 / p.M_1_m, 1e-15 / p.M_1_m);
  EXPECT_NEAR(p.M_2p_m, 1.0 / p.M_2_m, 1e-15 / p.M_2_m);
  EXPECT_NEAR(p.M_3p_m, 1.0 / p.M_3_m, 1e-15 / p.M_3_m);
  EXPECT_NEAR(p.C_2p_s, 1.0 / p.C_2_s, 1e-15 / p.C_2_s);
  for (double off : {p.m_12p_l, p.m_13p_l, p.m_21p_l, p.m_23p_l, p.m_31p_l, p.m_32p_l, p.c_12p_m, p.c_13p_m,
                     p.c_21p_m, p.c_23p_m, p.c_31p_m, p.c_32p_m}) {
    EXPECT_EQ(off, 0.0);
  }

  struct Case {
    char c;
    double M[3], C[3], K[3];
  };
  const Case cases[] = {
      {'l', {p.M_1_l, p.M_2_l, p.M_3_l}, {p.C_1_l, p.C_2_l, p.C_3_l}, {p.K_1_l, p.K_2_l, p.K_3_l}},
      {'m', {p.M_1_m, p.M_2_m, p.M_3_m}, {p.C_1_m, p.C_2_m, p.C_3_m}, {p.K_1_m, p.K_2_m, p.K_3_m}},
      {'s', {p.M_1_s, p.M_2_s, p.M_3_s}, {p.C_1_s, p.C_2_s, p.C_3_s}, {p.K_1_s, p.K_2_s, p.K_3_s}},
  };
  for (const Case& k : cases) {
    std::vector<double> fast, slow;
    for (int i = 0; i < 3; ++i) {
      const double root = std::sqrt(k.C[i] * k.C[i] - 4.0 * k.M[i] * k.K[i]);
      fast.push_back((k.C[i] + root) / (2.0 * k.M[i]));
      slow.push_back((k.C[i] - root) / (2.0 * k.M[i]));
    }
    const std::array<double, 6> w = Speeds(p, k.c);
    std::vector<double> got_fast, got_slow;
    for (int j = 0; j < 3; ++j) got_fast.push_back(w[j] * (PI + PI));
    for (int j = 3; j < 6; ++j) got_slow.push_back(w[j] * (PI + PI));
    for (std::vector<double>* v : {&fast, &slow, &got_fast, &got_slow}) std::sort(v->begin(), v->end());
    for (int j = 0; j < 3; ++j) {
      EXPECT_NEAR(got_fast[j], fast[j], fast[j] * 1e-9) << k.c << j;
      EXPECT_NEAR(got_slow[j], slow[j], slow[j] * 1e-9) << k.c << j;
    }
  }
  // Time constants: ms for the fast modes, s for the slow ones.
  EXPECT_NEAR(p.t_1_l, 1000.0 / (p.w_1_l * (PI + PI)), p.t_1_l * 1e-12);
  EXPECT_NEAR(p.t_5_s, 1.0 / (p.w_5_s * (PI + PI)), p.t_5_s * 1e-12);
}

// GSL's own order of the eigenvalues of A (which it overwrites).
std::array<Eigenvalue, 6> Raw_Gsl_Order(State_Matrix A) {
  gsl_set_error_handler_off();
  gsl_matrix_view m = gsl_matrix_view_array(A.data(), 6, 6);
  gsl_vector_complex* eval = gsl_vector_complex_alloc(6);
  gsl_matrix_complex* evec = gsl_matrix_complex_alloc(6, 6);
  gsl_eigen_nonsymmv_workspace* w = gsl_eigen_nonsymmv_alloc(6);
  EXPECT_EQ(gsl_eigen_nonsymmv(&m.matrix, eval, evec, w), GSL_SUCCESS);
  std::array<Eigenvalue, 6> values;
  for (std::size_t k = 0; k < 6; ++k) {
    const gsl_complex z = gsl_vector_complex_get(eval, k);
    values[k] = Eigenvalue{GSL_REAL(z), GSL_IMAG(z)};
  }
  gsl_eigen_nonsymmv_free(w);
  gsl_vector_complex_free(eval);
  gsl_matrix_complex_free(evec);
  return values;
}

// With zero coupling GSL returns a slow mode before a fast one; the three
// fastest are moved to the front, each group in GSL's order.
TEST(CoupledModel, ModesReturnedMixedAreOrderedFastFirst) {
  Uncoupled_Fixture f;
  f.Second_Half();
  const Pass_State& p = f.run.pass;
  // The medium cilia state matrix as the model fills it (the coupling
  // terms add zeros).
  State_Matrix A = Initial_State_Matrix();
  const double Mp[3] = {p.M_1p_m, p.M_2p_m, p.M_3p_m};
  const double C[3] = {p.C_1_m, p.C_2_m, p.C_3_m};
  const double K[3] = {p.K_1_m, p.K_2_m, p.K_3_m};
  for (int i = 0; i < 3; ++i) {
    A[6 * i + i] = -(Mp[i] * C[i]);
    A[6 * i + 3 + i] = -(Mp[i] * K[i]);
  }
  const std::array<Eigenvalue, 6> raw = Raw_Gsl_Order(A);
  double slowest_fast = kInf, fastest_slow = 0.0;
  for (int k = 0; k < 3; ++k) slowest_fast = std::min(slowest_fast, std::abs(raw[k].re));
  for (int k = 3; k < 6; ++k) fastest_slow = std::max(fastest_slow, std::abs(raw[k].re));
  ASSERT_LT(slowest_fast, fastest_slow) << "GSL no longer returns this case mixed";

  // Expected: the three largest speeds first, then the others, each in the
  // raw order.
  std::array<double, 6> speeds;
  for (int k = 0; k < 6; ++k) speeds[k] = std::abs(raw[k].re);
  std::array<double, 6> sorted = speeds;
  std::sort(sorted.begin(), sorted.end());
  const double threshold = sorted[3];  // the slowest of the three fastest (all distinct here)
  std::vector<double> expected;
  for (double s : speeds) {
    if (s >= threshold) expected.push_back(s);
  }
  for (double s : speeds) {
    if (s < threshold) expected.push_back(s);
  }
  const std::array<double, 6> w = Speeds(p, 'm');
  for (int k = 0; k < 6; ++k) EXPECT_EQ(w[k], expected[k] / (PI + PI)) << k;
  EXPECT_LT(p.t_1_m, 1000.0 * p.t_4_m);  // short constants in ms, long in s: fast first
}

TEST(CoupledModel, FastModesFirst) {
  struct Case {
    const char* name;
    std::array<double, 6> given, expected;  // real parts
  };
  const Case cases[] = {
      {"already fast first", {-300, -200, -250, -1, -3, -2}, {-300, -200, -250, -1, -3, -2}},
      {"slow modes first", {-1, -2, -3, -100, -300, -200}, {-100, -300, -200, -1, -2, -3}},
      {"interleaved", {-2, -200, -3, -100, -1, -300}, {-200, -100, -300, -2, -3, -1}},
      {"a conjugate pair on the boundary kept", {-50, -50, -9, -9, -2, -1}, {-50, -50, -9, -9, -2, -1}},
      {"equal speeds across the groups stay", {-5, -5, -5, -5, -5, -5}, {-5, -5, -5, -5, -5, -5}},
      {"ties taken in the given order", {-1, -7, -1, -7, -7, -7}, {-7, -7, -7, -1, -1, -7}},
  };
  for (const Case& c : cases) {
    Eigenvalues values;
    for (int k = 0; k < 6; ++k) values[k] = Eigenvalue{c.given[k], static_cast<double>(k)};
    Fast_Modes_First(values);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(values[k].re, c.expected[k]) << c.name << " " << k;
  }
  // The imaginary parts travel with their values.
  Eigenvalues values;
  for (int k = 0; k < 6; ++k) values[k] = Eigenvalue{k < 3 ? -1.0 : -10.0, static_cast<double>(k)};
  Fast_Modes_First(values);
  EXPECT_EQ(values[0].im, 3.0);
  EXPECT_EQ(values[5].im, 2.0);
}

// A complex pair gives two equal time constants and corner frequencies.
TEST(CoupledModel, ComplexPairGivesEqualConstants) {
  Run_State run;
  Pass_State& p = run.pass;
  // Lateral duct underdamped: s^2 + 0.2 s + 1.01 = 0, s = -0.1 +- i, the
  // slowest modes; the other two ducts overdamped.
  p.MLDT_high = 1.0, p.CLDT_high = 0.2, run.cupula.KLDT_high = 1.01;
  p.MADT_high = 1.0, p.CADT_high = 300.0, run.cupula.KADT_high = 200.0;
  p.MPDT_high = 1.0, p.CPDT_high = 400.0, run.cupula.KPDT_high = 300.0;
  Coupled_Model(run);
  const std::array<double, 6> w = Speeds(p, 'l');
  const double t[6] = {p.t_1_l, p.t_2_l, p.t_3_l, p.t_4_l, p.t_5_l, p.t_6_l};
  std::vector<int> pair;
  for (int k = 0; k < 6; ++k) {
    if (std::abs(w[k] * (PI + PI) - 0.1) < 1e-12) pair.push_back(k);
  }
  ASSERT_EQ(pair.size(), 2u);
  EXPECT_GE(pair[0], 3);  // among the slow modes
  EXPECT_EQ(w[pair[0]], w[pair[1]]);
  EXPECT_EQ(t[pair[0]], t[pair[1]]);
  EXPECT_NEAR(t[pair[0]], 10.0, 1e-9);
}

// A state matrix with an entry that is not finite (a morphometry file that
// could not be read) never reaches the solver: that cilia case gets six nan
// eigenvalues, the others are computed, and the run goes on.
TEST(CoupledModel, NonFiniteStateMatrixGivesNanConstants) {
  Fixture_Run f;
  f.Prologue();
  f.Cor_Pass();
  f.run.pass.MADT_med = kNan;
  f.run.cupula.KLDT_low = kInf;
  f.Second_Half();
  const Pass_State& p = f.run.pass;
  for (double x : {p.t_1_m, p.t_2_m, p.t_3_m, p.t_4_m, p.t_5_m, p.t_6_m, p.w_1_m, p.w_2_m, p.w_3_m, p.w_4_m,
                   p.w_5_m, p.w_6_m, p.t_1_s, p.t_6_s, p.w_1_s, p.w_6_s}) {
    EXPECT_NAN(x);
  }
  for (double x : {p.t_1_l, p.t_2_l, p.t_3_l, p.t_4_l, p.t_5_l, p.t_6_l, p.w_1_l, p.w_6_l}) {
    EXPECT_TRUE(std::isfinite(x)) << x;
  }

  State_Matrix A = Initial_State_Matrix();
  A[7] = kInf;
  for (const Eigenvalue& e : State_Eigenvalues(A)) {
    EXPECT_NAN(e.re);
    EXPECT_NAN(e.im);
  }
  EXPECT_EQ(A[7], kInf);  // not handed to the solver
}

// A solver that does not converge gives nan eigenvalues instead of
// stopping the run: finite entries near the largest double make GSL give
// up; and whatever the eigenvalue vector holds, a failed status gives nan.
TEST(CoupledModel, FailedSolverGivesNanEigenvalues) {
  State_Matrix A = Initial_State_Matrix();
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 6; ++j) A[6 * i + j] = -1e300 * (1 + i + j);
  }
  for (const Eigenvalue& e : State_Eigenvalues(A)) EXPECT_NAN(e.re);

  // So does a viscosity factor of 1e250: huge finite dampings.
  Fixture_Run f;
  f.Prologue();
  f.run.carried.mu_A = 1e250;
  scds::ostravel::Derive_Material_Constants(f.run.carried);
  f.Cor_Pass();
  f.Second_Half();
  const Pass_State& p = f.run.pass;
  ASSERT_TRUE(std::isfinite(p.C_1_l) && std::isfinite(p.M_1p_l));
  for (double x : {p.t_1_l, p.t_4_l, p.t_6_l, p.w_1_m, p.w_3_m, p.w_5_m, p.t_2_s, p.w_6_s}) EXPECT_NAN(x);

  gsl_vector_complex* eval = gsl_vector_complex_alloc(6);
  for (std::size_t k = 0; k < 6; ++k) gsl_vector_complex_set(eval, k, gsl_complex{{-1.0 - k, 0.0}});
  for (const Eigenvalue& e : Solver_Eigenvalues(GSL_EMAXITER, eval)) EXPECT_NAN(e.re);
  const Eigenvalues good = Solver_Eigenvalues(GSL_SUCCESS, eval);
  EXPECT_EQ(good[0].re, -4.0);  // the fastest first
  EXPECT_EQ(good[5].re, -3.0);
  gsl_vector_complex_free(eval);
}

// ------------------------------------------------------- gains and planes

// Zero coupling and right normals along the axes: each gain vector lies
// along its own duct's normal, and the angles are those of perpendicular
// and opposite unit vectors under the factor 57.3.
TEST(ResponsePlanes, ZeroCouplingAndNormalsAlongTheAxes) {
  Uncoupled_Fixture f;
  Pass_State& p = f.run.pass;
  p.xADT_R = 1.0, p.yADT_R = 0.0, p.zADT_R = 0.0;
  p.xPDT_R = 0.0, p.yPDT_R = 1.0, p.zPDT_R = 0.0;
  p.xLDT_R = 0.0, p.yLDT_R = 0.0, p.zLDT_R = -1.0;
  f.Second_Half();

  // Gains: the uncoupled ones.
  EXPECT_NEAR(p.iX_Q_2_l, p.QX_A_high, p.QX_A_high * 1e-14);
  EXPECT_NEAR(p.ixX_Q_2_l, p.QX_A_high, p.QX_A_high * 1e-14);
  EXPECT_NEAR(p.izX_Q_1_m, -p.QX_L_med, p.QX_L_med * 1e-14);  // along the lateral normal itself
  EXPECT_NEAR(p.iVG_Q_2_l, p.QVG_A_high, p.QVG_A_high * 1e-14);
  EXPECT_NEAR(p.iX_s_2_l, p.bXh_A, p.bXh_A * 1e-14);
  EXPECT_NEAR(p.iVG_s_3_m, p.bVGm_P, p.bVGm_P * 1e-14);
  EXPECT_NEAR(p.iX_s_1_s, p.bXl_L, p.bXl_L * 1e-14);
  EXPECT_NEAR(p.iX_u_3_l, p.uX_P_high, p.uX_P_high * 1e-14);

  // The left lateral normal (0, 0, 1) needs no rotation.
  EXPECT_EQ(f.run.carried.theta, 0.0);
  EXPECT_EQ(f.run.carried.TM.TMA, 1.0);
  EXPECT_EQ(f.run.carried.TM.TMC, 0.0);
  EXPECT_EQ(p.ix_2_R, 1.0);
  EXPECT_EQ(p.iy_3_R, 1.0);
  EXPECT_EQ(p.iz_1_R, -1.0);
  EXPECT_EQ(p.iz_1_L, 1.0);

  const double right = (3.14159265358979323846 / 2) * 57.3;  // slightly more than 90
  const double opposite = 3.14159265358979323846 * 57.3;    // slightly more than 180
  EXPECT_EQ(scds::F(right), "90.006630");
  EXPECT_EQ(scds::F(opposite), "180.013259");
  EXPECT_NEAR(p.iipsiADTPDT, right, 1e-12);
  EXPECT_NEAR(p.iipsiADTLDT, right, 1e-12);
  EXPECT_NEAR(p.iipsiLDTPDT, right, 1e-12);
  EXPECT_NEAR(p.ivar90, (right - 90.0) * (right - 90.0), 1e-12);
  EXPECT_NEAR(p.idev90, right - 90.0, 1e-12);
  EXPECT_NEAR(p.isynADTPDT, right, 1e-12);
  EXPECT_NEAR(p.isynLDTLDT, opposite, 1e-12);  // acos(-1), clamped or not
  EXPECT_NEAR(p.ivar180, (2 * (right - 180) * (right - 180) + (opposite - 180) * (opposite - 180)) / 3, 1e-9);
  EXPECT_NEAR(p.iADTPITCH, right, 1e-12);
  EXPECT_NEAR(p.iPDTPITCH, opposite, 1e-12);
  EXPECT_NEAR(p.iLDTPITCH, right, 1e-12);
  EXPECT_EQ(p.iADTROLL, 0.0);
  EXPECT_NEAR(p.iPDTROLL, right, 1e-12);
  EXPECT_NEAR(p.iADTYAW, right, 1e-12);
  EXPECT_NEAR(p.iPDTYAW, right, 1e-12);
  EXPECT_EQ(p.iLDTYAW, 0.0);
  // Prime directions: posterior x lateral, lateral x anterior, anterior x posterior.
  EXPECT_EQ(p.PxADT_R, -1.0);
  EXPECT_EQ(p.PyPDT_R, -1.0);
  EXPECT_EQ(p.PzLDT_R, 1.0);
}

// Parallel anterior and lateral normals: the anterior-lateral angle uses
// the negated dot product.
TEST(ResponsePlanes, ParallelAnteriorAndLateralNormals) {
  Uncoupled_Fixture f;
  Pass_State& p = f.run.pass;
  p.xADT_R = 0.0, p.yADT_R = 0.0, p.zADT_R = -1.0;
  p.xPDT_R = 0.0, p.yPDT_R = 1.0, p.zPDT_R = 0.0;
  p.xLDT_R = 0.0, p.yLDT_R = 0.0, p.zLDT_R = -1.0;
  f.Second_Half();
  EXPECT_EQ(p.iz_2_R, -1.0);
  EXPECT_EQ(p.iz_1_R, -1.0);
  EXPECT_EQ(scds::F(p.iipsiADTLDT), "180.013259");
  EXPECT_EQ(scds::F(p.iADTYAW), "0.000000");
}

TEST(ResponsePlanes, RotationAboutY) {
  double theta = 0.0;
  scds::Transform_Matrix TM;
  Rotation_About_Y(-0.6, 0.8, theta, TM);
  EXPECT_DOUBLE_EQ(theta, std::acos(0.8));
  EXPECT_NEAR(TM.TMA, 0.8, 1e-15);
  EXPECT_NEAR(TM.TMI, 0.8, 1e-15);
  EXPECT_NEAR(TM.TMC, 0.6, 1e-15);
  EXPECT_NEAR(TM.TMG, -0.6, 1e-15);
  EXPECT_EQ(TM.TMB, 0.0);
  EXPECT_EQ(TM.TME, 1.0);
  EXPECT_EQ(TM.TMH, 0.0);
  double x, y, z;
  scds::Transform_Apply(TM, -0.6, 0.0, 0.8, x, y, z);  // the left lateral normal
  EXPECT_NEAR(x, 0.0, 1e-15);
  EXPECT_NEAR(z, 1.0, 1e-15);
  scds::Transform_Apply(TM, 0.6, 0.0, -0.8, x, y, z);  // the right one
  EXPECT_NEAR(x, 0.0, 1e-15);
  EXPECT_NEAR(z, -1.0, 1e-15);

  // The sign of x does not change the angle; a vector that is not unit
  // keeps its length in the y-z plane.
  double theta_positive = 0.0;
  Rotation_About_Y(0.6, 0.8, theta_positive, TM);
  EXPECT_EQ(theta_positive, theta);
  Rotation_About_Y(-0.3, 0.4, theta, TM);
  scds::Transform_Apply(TM, -0.3, 0.2, 0.4, x, y, z);
  EXPECT_NEAR(x, 0.0, 1e-15);
  EXPECT_EQ(y, 0.2);
  EXPECT_NEAR(z, 0.5, 1e-15);

  // A zero normal (a failed pass) gives a nan rotation.
  Rotation_About_Y(0.0, 0.0, theta, TM);
  EXPECT_NAN(theta);
  EXPECT_NAN(TM.TMA);
  EXPECT_FALSE(scds::Transform_Matrix_Finite(TM));
}

TEST(ResponsePlanes, AnglesAreClamped) {
  EXPECT_EQ(Angle_Degrees(1.0), 0.0);
  EXPECT_EQ(Angle_Degrees(1.0 + 1e-15), 0.0);
  EXPECT_EQ(scds::F(Angle_Degrees(-1.0 - 2e-16)), "180.013259");
  EXPECT_EQ(scds::F(Angle_Degrees(0.0)), "90.006630");
  EXPECT_NAN(Angle_Degrees(kNan));
  EXPECT_EQ(Angle_Degrees(-kInf), Angle_Degrees(-1.0));
}

// ------------------------------------------------------ line sets, matrix

TEST(LineSets, Text) {
  EXPECT_EQ(Line_Set_Text(1, 2, 3, 0, 0, 1),
            "# LineSet 0.1\n\nnDataVals 0 { {\n1.000000x\t2.000000y\t3.000000z\n"
            "1.000000x\t2.000000y\t3336.000000z\n\n} }");
  EXPECT_EQ(Line_Set_Text(0, 0, 0, 0, 0, 0),
            "# LineSet 0.1\n\nnDataVals 0 { {\n0.000000x\t0.000000y\t0.000000z\n"
            "0.000000x\t0.000000y\t0.000000z\n\n} }");
  EXPECT_EQ(Line_Set_Text(-1.5, 0.25, 0, -0.5, 0, 1e-7),
            "# LineSet 0.1\n\nnDataVals 0 { {\n-1.500000x\t0.250000y\t0.000000z\n"
            "-1668.000000x\t0.250000y\t0.000333z\n\n} }");
}

TEST(LineSets, MatrixProduct) {
  scds::Transform_Matrix TM;
  double theta = 0.0;
  Rotation_About_Y(-0.6, 0.8, theta, TM);
  scds::Transform_Matrix identity;
  identity.TMA = identity.TME = identity.TMI = 1.0;
  EXPECT_EQ(scds::Transform_Matrix_Text(Matrix_Product(TM, identity)), scds::Transform_Matrix_Text(TM));

  // The rotation is applied after the uncoupled matrix: p' = TM (uTM p).
  scds::Transform_Matrix uTM;
  uTM.TMA = 1, uTM.TMB = 2, uTM.TMC = 3, uTM.TMD = 4, uTM.TME = 5, uTM.TMF = 6, uTM.TMG = 7, uTM.TMH = 8,
  uTM.TMI = 10;
  const scds::Transform_Matrix iTM = Matrix_Product(TM, uTM);
  double ux, uy, uz, x, y, z, ix, iy, iz;
  scds::Transform_Apply(uTM, 0.5, -1.0, 2.0, ux, uy, uz);
  scds::Transform_Apply(TM, ux, uy, uz, x, y, z);
  scds::Transform_Apply(iTM, 0.5, -1.0, 2.0, ix, iy, iz);
  EXPECT_NEAR(ix, x, 1e-13);
  EXPECT_NEAR(iy, y, 1e-13);
  EXPECT_NEAR(iz, z, 1e-13);
}

}  // namespace
