#include "coupled_model.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <gsl/gsl_eigen.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_matrix.h>

namespace scds::ostravel {
namespace {

// The closed-form inverse of the symmetric tridiagonal matrix
// (d1 b12 0 / b12 d2 b23 / 0 b23 d3): each entry is its cofactor divided by
// the determinant.
struct Inverse {
  double *det, *p11, *p12, *p13, *p21, *p22, *p23, *p31, *p32, *p33;
};

void Invert(double d1, double d2, double d3, double b12, double b23, const Inverse& inv) {
  const double det = ((d1 * d2) * d3 - (d1 * b23) * b23) - (d3 * b12) * b12;
  *inv.det = det;
  *inv.p11 = (d2 * d3 - b23 * b23) / det;
  *inv.p12 = -(b12 * d3) / det;
  *inv.p21 = -(b12 * d3) / det;
  *inv.p13 = (b12 * b23) / det;
  *inv.p31 = (b12 * b23) / det;
  *inv.p22 = (d1 * d3) / det;
  *inv.p23 = -(b23 * d1) / det;
  *inv.p32 = -(b23 * d1) / det;
  *inv.p33 = (d1 * d2 - b12 * b12) / det;
}

// The quantities of one cilia case (long, medium or short cilia).
struct Coupled_Case {
  double *K_1, *K_2, *K_3, *M_1, *M_2, *M_3, *C_1, *C_2, *C_3;
  Inverse Minv, Cinv;
  double* w[6];
  double* t[6];
  State_Matrix* MatA;
};

// clang-format off
#define OSTRAVEL_COUPLED_CASE(c, matrix)                                                                 \
  Coupled_Case{&p.K_1_##c, &p.K_2_##c, &p.K_3_##c, &p.M_1_##c, &p.M_2_##c, &p.M_3_##c,                  \
               &p.C_1_##c, &p.C_2_##c, &p.C_3_##c,                                                       \
               Inverse{&p.detM_##c, &p.M_1p_##c, &p.m_12p_##c, &p.m_13p_##c, &p.m_21p_##c, &p.M_2p_##c,  \
                       &p.m_23p_##c, &p.m_31p_##c, &p.m_32p_##c, &p.M_3p_##c},                           \
               Inverse{&p.detC_##c, &p.C_1p_##c, &p.c_12p_##c, &p.c_13p_##c, &p.c_21p_##c, &p.C_2p_##c,  \
                       &p.c_23p_##c, &p.c_31p_##c, &p.c_32p_##c, &p.C_3p_##c},                           \
               {&p.w_1_##c, &p.w_2_##c, &p.w_3_##c, &p.w_4_##c, &p.w_5_##c, &p.w_6_##c},                 \
               {&p.t_1_##c, &p.t_2_##c, &p.t_3_##c, &p.t_4_##c, &p.t_5_##c, &p.t_6_##c},                 \
               &matrices.matrix}

// Long, medium, short cilia.
std::array<Coupled_Case, 3> Cases(Pass_State& p, State_Matrices& matrices) {
  return {OSTRAVEL_COUPLED_CASE(l, MatA_l), OSTRAVEL_COUPLED_CASE(m, MatA_m), OSTRAVEL_COUPLED_CASE(s, MatA_s)};
}
#undef OSTRAVEL_COUPLED_CASE
// clang-format on

// Rows 0 to 2: -(M^-1 C) in columns 0 to 2, -(M^-1 K) in columns 3 to 5,
// over the non-zero entries only; rows 3 to 5 keep [identity | zero].
void Fill_State_Matrix(const Coupled_Case& k, double c_12, double c_23) {
  State_Matrix& A = *k.MatA;
  const Inverse& P = k.Minv;
  const double C_1 = *k.C_1, C_2 = *k.C_2, C_3 = *k.C_3;
  const double K_1 = *k.K_1, K_2 = *k.K_2, K_3 = *k.K_3;
  A[0] = -(*P.p11 * C_1) - *P.p12 * c_12;
  A[1] = -(*P.p11 * c_12) - *P.p12 * C_2 - *P.p13 * c_23;
  A[2] = -(*P.p12 * c_23) - *P.p13 * C_3;
  A[3] = -(*P.p11 * K_1);
  A[4] = -(*P.p12 * K_2);
  A[5] = -(*P.p13 * K_3);
  A[6] = -(*P.p21 * C_1) - *P.p22 * c_12;
  A[7] = -(*P.p21 * c_12) - *P.p22 * C_2 - *P.p23 * c_23;
  A[8] = -(*P.p22 * c_23) - *P.p23 * C_3;
  A[9] = -(*P.p21 * K_1);
  A[10] = -(*P.p22 * K_2);
  A[11] = -(*P.p23 * K_3);
  A[12] = -(*P.p31 * C_1) - *P.p32 * c_12;
  A[13] = -(*P.p31 * c_12) - *P.p32 * C_2 - *P.p33 * c_23;
  A[14] = -(*P.p32 * c_23) - *P.p33 * C_3;
  A[15] = -(*P.p31 * K_1);
  A[16] = -(*P.p32 * K_2);
  A[17] = -(*P.p33 * K_3);
}

Eigenvalues Nan_Eigenvalues() {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  Eigenvalues values;
  for (Eigenvalue& value : values) value = Eigenvalue{nan, nan};
  return values;
}

}  // namespace

void Fast_Modes_First(Eigenvalues& values) {
  double slowest_fast = std::abs(values[0].re);
  double fastest_slow = std::abs(values[3].re);
  for (int k = 1; k < 3; ++k) slowest_fast = std::min(slowest_fast, std::abs(values[k].re));
  for (int k = 4; k < 6; ++k) fastest_slow = std::max(fastest_slow, std::abs(values[k].re));
  if (slowest_fast >= fastest_slow) return;

  // The three fastest, equal speeds taken in the given order.
  std::array<int, 6> by_speed = {0, 1, 2, 3, 4, 5};
  std::stable_sort(by_speed.begin(), by_speed.end(),
                   [&values](int a, int b) { return std::abs(values[a].re) > std::abs(values[b].re); });
  std::array<bool, 6> fast{};
  for (int k = 0; k < 3; ++k) fast[by_speed[k]] = true;
  Eigenvalues ordered;
  int next = 0;
  for (int k = 0; k < 6; ++k) {
    if (fast[k]) ordered[next++] = values[k];
  }
  for (int k = 0; k < 6; ++k) {
    if (!fast[k]) ordered[next++] = values[k];
  }
  values = ordered;
}

Eigenvalues Solver_Eigenvalues(int status, const gsl_vector_complex* eval) {
  if (status != GSL_SUCCESS || eval == nullptr) return Nan_Eigenvalues();
  Eigenvalues values;
  for (int k = 0; k < 6; ++k) {
    const gsl_complex z = gsl_vector_complex_get(eval, static_cast<std::size_t>(k));
    values[k] = Eigenvalue{GSL_REAL(z), GSL_IMAG(z)};
  }
  Fast_Modes_First(values);
  return values;
}

Eigenvalues State_Eigenvalues(State_Matrix& MatA) {
  // A failure is a status to handle here, never a reason to abort the run.
  gsl_set_error_handler_off();
  for (double entry : MatA) {
    if (!std::isfinite(entry)) return Nan_Eigenvalues();
  }
  gsl_matrix_view m = gsl_matrix_view_array(MatA.data(), 6, 6);
  gsl_vector_complex* eval = gsl_vector_complex_alloc(6);
  gsl_matrix_complex* evec = gsl_matrix_complex_alloc(6, 6);
  gsl_eigen_nonsymmv_workspace* w = gsl_eigen_nonsymmv_alloc(6);
  int status = GSL_ENOMEM;
  if (eval != nullptr && evec != nullptr && w != nullptr) status = gsl_eigen_nonsymmv(&m.matrix, eval, evec, w);
  if (w != nullptr) gsl_eigen_nonsymmv_free(w);
  const Eigenvalues values = Solver_Eigenvalues(status, eval);
  if (eval != nullptr) gsl_vector_complex_free(eval);
  if (evec != nullptr) gsl_matrix_complex_free(evec);
  return values;
}

void Coupled_Model(Run_State& run) {
  Pass_State& p = run.pass;
  const Cupula_Values& cup = run.cupula;
  const std::array<Coupled_Case, 3> cases = Cases(p, run.matrices[Pass_Index(run.set)]);

  // Stiffnesses, masses and the two mass couplings, dampings and the two
  // damping couplings; duct 1 lateral, 2 anterior, 3 posterior.
  p.K_1_l = cup.KLDT_high; p.K_1_m = cup.KLDT_med; p.K_1_s = cup.KLDT_low;
  p.K_2_l = cup.KADT_high; p.K_2_m = cup.KADT_med; p.K_2_s = cup.KADT_low;
  p.K_3_l = cup.KPDT_high; p.K_3_m = cup.KPDT_med; p.K_3_s = cup.KPDT_low;
  p.M_1_l = p.MLDT_high; p.M_1_m = p.MLDT_med; p.M_1_s = p.MLDT_low;
  p.M_2_l = p.MADT_high; p.M_2_m = p.MADT_med; p.M_2_s = p.MADT_low;
  p.M_3_l = p.MPDT_high; p.M_3_m = p.MPDT_med; p.M_3_s = p.MPDT_low;
  p.m_12 = p.MUC;
  p.m_23 = p.MCC;
  p.C_1_l = p.CLDT_high; p.C_1_m = p.CLDT_med; p.C_1_s = p.CLDT_low;
  p.C_2_l = p.CADT_high; p.C_2_m = p.CADT_med; p.C_2_s = p.CADT_low;
  p.C_3_l = p.CPDT_high; p.C_3_m = p.CPDT_med; p.C_3_s = p.CPDT_low;
  p.c_12 = p.CUC;
  p.c_23 = p.CCC;

  for (const Coupled_Case& k : cases) Invert(*k.M_1, *k.M_2, *k.M_3, p.m_12, p.m_23, k.Minv);
  for (const Coupled_Case& k : cases) Invert(*k.C_1, *k.C_2, *k.C_3, p.c_12, p.c_23, k.Cinv);
  for (const Coupled_Case& k : cases) Fill_State_Matrix(k, p.c_12, p.c_23);

  for (const Coupled_Case& k : cases) {
    const Eigenvalues values = State_Eigenvalues(*k.MatA);
    // Absolute real parts (1/s); short time constants in ms, long ones in s;
    // then corner frequencies in Hz.
    for (int j = 0; j < 6; ++j) *k.w[j] = std::abs(values[j].re);
    for (int j = 0; j < 3; ++j) *k.t[j] = 1000.0 / *k.w[j];
    for (int j = 3; j < 6; ++j) *k.t[j] = 1.0 / *k.w[j];
    for (int j = 0; j < 6; ++j) *k.w[j] = *k.w[j] / (PI + PI);
  }
}

}  // namespace scds::ostravel
