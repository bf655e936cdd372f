#include "uncoupled_model.h"

#include <array>
#include <cmath>

namespace scds::ostravel {
namespace {

// One fixed segment: length, area, drag factor, mass, damping.
struct Segment {
  const double* L;
  const double* a;
  const double* ws;
  double* M;
  double* C;
};

// clang-format off
#define OSTRAVEL_SEGMENT(s) Segment{&p.L##s, &p.a##s, &p.ws##s, &p.M##s, &p.C##s}

// The eleven fixed segments (ampullae and cupulae depend on the case).
std::array<Segment, 11> Fixed_Segments(Pass_State& p) {
  return {OSTRAVEL_SEGMENT(Sa),  OSTRAVEL_SEGMENT(Sp),  OSTRAVEL_SEGMENT(Sl),  OSTRAVEL_SEGMENT(CCa),
          OSTRAVEL_SEGMENT(CCp), OSTRAVEL_SEGMENT(CC),  OSTRAVEL_SEGMENT(Ul),  OSTRAVEL_SEGMENT(UCa),
          OSTRAVEL_SEGMENT(UCl), OSTRAVEL_SEGMENT(UC),  OSTRAVEL_SEGMENT(UCp)};
}
#undef OSTRAVEL_SEGMENT
// clang-format on

// The quantities of one cilia case of a duct.
struct Duct_Case {
  double *LC, *K, *wsC;
  double *MA, *MC, *M, *CA, *CC, *C;
  double *T1, *T2, *w1, *w2, *wn, *FB;
  double *QX, *uX, *QVG, *uVG, *QAG, *uAG;
  double* d[3];  // deflections of the case's zones h, m, l
};

// One duct: its slender duct, utricle and crus segments (summed in that order
// around the ampulla and cupula), ampulla, cupula, forcing, cases and cilia
// deflection gains (index 0 long, 1 medium, 2 short cilia).
struct Duct {
  double *MS, *MU, *MCr, *CS, *CU, *CCr;
  double *LA, *aA, *wsA;
  double *aC, *aC_Mid, *aC_Res;
  double *A, *G;
  Duct_Case cases[3];
  double *bX[3], *bVG[3], *bAG[3];
};

// clang-format off
#define OSTRAVEL_CASE(X, D, c)                                                                          \
  Duct_Case{&p.LC##X##_##c, &cup.K##D##DT_##c, &p.wsC##X##_##c,                                        \
            &p.MA##X##_##c, &p.MC##X##_##c, &p.M##D##DT_##c, &p.CA##X##_##c, &p.CC##X##_##c,           \
            &p.C##D##DT_##c,                                                                           \
            &p.T1_##D##_##c, &p.T2_##D##_##c, &p.w1_##D##_##c, &p.w2_##D##_##c, &p.wn_##D##_##c,       \
            &p.FB_##D##_##c,                                                                           \
            &p.QX_##D##_##c, &p.uX_##D##_##c, &p.QVG_##D##_##c, &p.uVG_##D##_##c, &p.QAG_##D##_##c,    \
            &p.uAG_##D##_##c,                                                                          \
            {&cup.d##X##_##c##_mean_h, &cup.d##X##_##c##_mean_m, &cup.d##X##_##c##_mean_l}}
#define OSTRAVEL_DUCT(X, D, S, U, Cr)                                                                   \
  Duct{&p.M##S, &p.M##U, &p.M##Cr, &p.C##S, &p.C##U, &p.C##Cr,                                          \
       &p.LA##X, &p.aA##X, &p.wsA##X, &p.aC##X, &p.aC##X##_Mid, &car.aC##X##_Res,                       \
       &p.A##D##DT, &p.G##D##DT,                                                                        \
       {OSTRAVEL_CASE(X, D, high), OSTRAVEL_CASE(X, D, med), OSTRAVEL_CASE(X, D, low)},                 \
       {&p.bXh_##D, &p.bXm_##D, &p.bXl_##D}, {&p.bVGh_##D, &p.bVGm_##D, &p.bVGl_##D},                   \
       {&p.bAGh_##D, &p.bAGm_##D, &p.bAGl_##D}}

// Anterior, posterior, lateral.
std::array<Duct, 3> Ducts(Run_State& run) {
  Pass_State& p = run.pass;
  Cupula_Values& cup = run.cupula;
  Carried_Values& car = run.carried;
  return {OSTRAVEL_DUCT(a, A, Sa, UCa, CCa), OSTRAVEL_DUCT(p, P, Sp, UCp, CCp), OSTRAVEL_DUCT(l, L, Sl, UCl, Ul)};
}
#undef OSTRAVEL_DUCT
#undef OSTRAVEL_CASE
// clang-format on

// Cilia deflection gain of each case from the volume gains QG of the three
// cases: long cilia over the three zones, medium over the medium and short
// zones, short over the short zone only.
void Cilia_Gains(const Duct& duct, double* const QG[3], double* const b[3]) {
  const Duct_Case& high = duct.cases[0];
  const Duct_Case& med = duct.cases[1];
  const Duct_Case& low = duct.cases[2];
  *b[0] = (((*high.d[0] + *high.d[1]) + *high.d[2]) / 3.0) * *QG[0];
  *b[1] = ((*med.d[1] + *med.d[2]) / 2.0) * *QG[1];
  *b[2] = *QG[2] * *low.d[2];
}

}  // namespace

void Uncoupled_Model(Run_State& run) {
  Pass_State& p = run.pass;
  const Carried_Values& car = run.carried;
  const double rho_e = car.rho_e;
  const double rho_c = car.rho_c;
  const double mu_e = car.mu_e;
  const double mu_c = car.mu_c;
  const std::array<Segment, 11> segments = Fixed_Segments(p);
  const std::array<Duct, 3> ducts = Ducts(run);

  // Masses: fixed segments, then ampulla and cupula case by case, then ducts.
  for (const Segment& s : segments) *s.M = (*s.L / *s.a) * rho_e;
  for (int c = 0; c < 3; ++c) {
    for (const Duct& duct : ducts) {
      const Duct_Case& k = duct.cases[c];
      *k.MA = ((*duct.LA - *k.LC) / *duct.aA) * rho_e;
      *k.MC = (*k.LC / *duct.aC) * rho_c;
    }
  }
  for (const Duct& duct : ducts) {
    for (const Duct_Case& k : duct.cases) *k.M = *duct.MS + *k.MA + *k.MC + *duct.MU + *duct.MCr;
  }

  // Dampings, in the same order.
  for (const Segment& s : segments) *s.C = ((*s.L / (*s.a * *s.a)) * mu_e) * *s.ws;
  for (int c = 0; c < 3; ++c) {
    for (const Duct& duct : ducts) {
      const Duct_Case& k = duct.cases[c];
      *k.CA = (((*duct.LA - *k.LC) / (*duct.aA * *duct.aA)) * mu_e) * *duct.wsA;
      *k.CC = ((*k.LC / (*duct.aC * *duct.aC)) * mu_c) * *k.wsC;
    }
  }
  for (const Duct& duct : ducts) {
    for (const Duct_Case& k : duct.cases) *k.C = *duct.CS + *k.CA + *k.CC + *duct.CU + *duct.CCr;
  }

  for (const Duct& duct : ducts) *duct.G = (2 * rho_e) * *duct.A;

  for (const Duct& duct : ducts) {
    // Per-area gains divide by the central area plus the residual area.
    const double area = *duct.aC_Mid + *duct.aC_Res;
    for (const Duct_Case& k : duct.cases) {
      *k.T1 = *k.C / *k.K;
      *k.T2 = (*k.M * 1000.0) / *k.C;
      *k.w1 = 1 / ((2 * *k.T1) * PI);
      *k.w2 = 1000.0 / ((2 * *k.T2) * PI);
      *k.wn = 1 / ((2 * std::sqrt((*k.T1 * *k.T2) * 0.001)) * PI);
      *k.FB = *k.w2 / *k.wn;
      *k.QX = ((*duct.G / *k.M) / 57.2957795) * 1000.0;
      *k.uX = *k.QX / area;
      *k.QVG = (*k.T2 / 1000.0) * *k.QX;
      *k.uVG = *k.QVG / area;
    }
    for (int c = 0; c < 3; ++c) {
      const Duct_Case& k = duct.cases[c];
      if (c == 0 || run.set != Measurement_Set::Cor) {
        *k.QAG = *k.QVG * *k.T1;
      } else {
        *k.QAG = ((*duct.G / *k.K) / 57.2957795) * 1000.0;
      }
      *k.uAG = *k.QAG / area;
    }
  }

  for (const Duct& duct : ducts) {
    double* const QX[3] = {duct.cases[0].QX, duct.cases[1].QX, duct.cases[2].QX};
    double* const QVG[3] = {duct.cases[0].QVG, duct.cases[1].QVG, duct.cases[2].QVG};
    double* const QAG[3] = {duct.cases[0].QAG, duct.cases[1].QAG, duct.cases[2].QAG};
    Cilia_Gains(duct, QX, duct.bX);
    Cilia_Gains(duct, QVG, duct.bVG);
    Cilia_Gains(duct, QAG, duct.bAG);
  }
}

}  // namespace scds::ostravel
