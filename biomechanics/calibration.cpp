#include "calibration.h"

#include <array>
#include <cmath>

namespace scds::ostravel {
namespace {

// The quantities of one cupula X and one finite element case c.
struct Cupula_Case {
  double* d[3];          // dX_c_mean_z, zones h, m, l
  double* Log_Res_d[3];  // Log_Res_dX_c_mean_z
  double* LC;            // LCX_c
  double* aC_Mid;        // aCX_Mid
  double* aC_FEA;        // aCX_FEA
  double* u_mean;        // uX_c_mean
  double* K;             // KDDT_c
  double* wsC;           // wsCX_c
  double* Log_Res_wsC;   // Log_Res_wsCX_c
  double* aC_Res;        // aCX_Res
};

// clang-format off
#define OSTRAVEL_CASE(X, D, c)                                                                          \
  Cupula_Case{{&cup.d##X##_##c##_mean_h, &cup.d##X##_##c##_mean_m, &cup.d##X##_##c##_mean_l},          \
              {&car.Log_Res_d##X##_##c##_mean_h, &car.Log_Res_d##X##_##c##_mean_m,                     \
               &car.Log_Res_d##X##_##c##_mean_l},                                                      \
              &pass.LC##X##_##c, &pass.aC##X##_Mid, &fea.aC##X##_FEA, &fea.u##X##_##c##_mean,          \
              &cup.K##D##DT_##c, &pass.wsC##X##_##c, &car.Log_Res_wsC##X##_##c, &car.aC##X##_Res}

// Cupula by cupula (a, p, l), case by case (high, med, low).
std::array<Cupula_Case, 9> Cupula_Cases(Run_State& run) {
  Cupula_Values& cup = run.cupula;
  Carried_Values& car = run.carried;
  Pass_State& pass = run.pass;
  Finite_Element_Values& fea = run.fea;
  return {OSTRAVEL_CASE(a, A, high), OSTRAVEL_CASE(a, A, med), OSTRAVEL_CASE(a, A, low),
          OSTRAVEL_CASE(p, P, high), OSTRAVEL_CASE(p, P, med), OSTRAVEL_CASE(p, P, low),
          OSTRAVEL_CASE(l, L, high), OSTRAVEL_CASE(l, L, med), OSTRAVEL_CASE(l, L, low)};
}
#undef OSTRAVEL_CASE
// clang-format on

// The fitted log10 deflection of zone z.
double Deflection_Fit_Value(const Cupula_Case& k, int z) {
  const Deflection_Fit& fit = kDeflectionFit[z];
  return (std::log10(*k.LC) * fit.e1 + std::log10(*k.aC_Mid) * fit.e2) - fit.e0;
}

// The fitted log10 profile factor.
double Profile_Fit_Value(const Cupula_Case& k) {
  return (std::log10(*k.LC) * 0.31842 + std::log10(*k.aC_Mid + *k.aC_Res) * -0.20786) + 1.36053;
}

}  // namespace

void Cupula_Calibration(Run_State& run) {
  const std::array<Cupula_Case, 9> cases = Cupula_Cases(run);
  const double gamma = run.carried.gamma;
  for (const Cupula_Case& k : cases) {
    for (int z = 0; z < 3; ++z) *k.Log_Res_d[z] = std::log10(*k.d[z]) - Deflection_Fit_Value(k, z);
  }
  for (const Cupula_Case& k : cases) *k.aC_Res = *k.aC_FEA * 1000000.0 - *k.aC_Mid;
  for (const Cupula_Case& k : cases) *k.K = (0.05 / (*k.u_mean * *k.aC_FEA)) / 1000000000.0;
  for (const Cupula_Case& k : cases) {
    const double area = *k.aC_Mid + *k.aC_Res;
    *k.wsC = ((area * area) * *k.K) / (*k.LC * gamma);
  }
  for (const Cupula_Case& k : cases) *k.Log_Res_wsC = std::log10(*k.wsC) - Profile_Fit_Value(k);
}

void Inverted_Calibration(Run_State& run) {
  const std::array<Cupula_Case, 9> cases = Cupula_Cases(run);
  const double gamma = run.carried.gamma;
  for (const Cupula_Case& k : cases) {
    for (int z = 0; z < 3; ++z) *k.d[z] = std::pow(10.0, Deflection_Fit_Value(k, z) + *k.Log_Res_d[z]);
  }
  for (const Cupula_Case& k : cases) *k.wsC = std::pow(10.0, Profile_Fit_Value(k) + *k.Log_Res_wsC);
  for (const Cupula_Case& k : cases) {
    const double area = *k.aC_Mid + *k.aC_Res;
    *k.K = ((*k.wsC * gamma) * *k.LC) / (area * area);
  }
}

}  // namespace scds::ostravel
