#include "response_planes.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace scds::ostravel {
namespace {

// One cilia case of the coupled gains; index 0 is duct 1 (lateral), 1 duct
// 2 (anterior), 2 duct 3 (posterior).
struct Gain_Case {
  const double* M[3];
  const double* X_Q[3];
  const double* Minv[3][3];
  const double* Cinv[3][3];
  double *ixX[3], *iyX[3], *izX[3], *iX_Q[3], *iX_u[3], *iX_s[3];
  double *ixVG[3], *iyVG[3], *izVG[3], *iVG_Q[3], *iVG_u[3], *iVG_s[3];
};

// clang-format off
#define OSTRAVEL_THREE(stem, c) {&p.stem##1_##c, &p.stem##2_##c, &p.stem##3_##c}
#define OSTRAVEL_GAIN_CASE(c)                                                                              \
  Gain_Case{{&p.M_1_##c, &p.M_2_##c, &p.M_3_##c},                                                          \
            {&p.X_Q_1_##c, &p.X_Q_2_##c, &p.X_Q_3_##c},                                                    \
            {{&p.M_1p_##c, &p.m_12p_##c, &p.m_13p_##c},                                                    \
             {&p.m_21p_##c, &p.M_2p_##c, &p.m_23p_##c},                                                    \
             {&p.m_31p_##c, &p.m_32p_##c, &p.M_3p_##c}},                                                   \
            {{&p.C_1p_##c, &p.c_12p_##c, &p.c_13p_##c},                                                    \
             {&p.c_21p_##c, &p.C_2p_##c, &p.c_23p_##c},                                                    \
             {&p.c_31p_##c, &p.c_32p_##c, &p.C_3p_##c}},                                                   \
            OSTRAVEL_THREE(ixX_Q_, c), OSTRAVEL_THREE(iyX_Q_, c), OSTRAVEL_THREE(izX_Q_, c),               \
            OSTRAVEL_THREE(iX_Q_, c), OSTRAVEL_THREE(iX_u_, c), OSTRAVEL_THREE(iX_s_, c),                  \
            OSTRAVEL_THREE(ixVG_Q_, c), OSTRAVEL_THREE(iyVG_Q_, c), OSTRAVEL_THREE(izVG_Q_, c),            \
            OSTRAVEL_THREE(iVG_Q_, c), OSTRAVEL_THREE(iVG_u_, c), OSTRAVEL_THREE(iVG_s_, c)}

// Long, medium, short cilia.
std::array<Gain_Case, 3> Gain_Cases(Pass_State& p) {
  return {OSTRAVEL_GAIN_CASE(l), OSTRAVEL_GAIN_CASE(m), OSTRAVEL_GAIN_CASE(s)};
}
#undef OSTRAVEL_GAIN_CASE
#undef OSTRAVEL_THREE
// clang-format on

// One component of the gain vector of duct i: the own-duct term first, then
// the other two in increasing duct index; the term of duct j is
// ((P(i,j) * M_j) * Q_j) * d_j, with d_1 the lateral component negated, and
// the lateral duct's sum negated as a whole.
double Gain_Component(const double* const (&P)[3][3], const Gain_Case& k, int i, const double (&d)[3]) {
  auto term = [&](int j) { return ((*P[i][j] * *k.M[j]) * *k.X_Q[j]) * d[j]; };
  switch (i) {
    case 0:
      return -(term(0) + term(1) + term(2));
    case 1:
      return term(1) + term(0) + term(2);
    default:
      return term(2) + term(0) + term(1);
  }
}

// Gain vectors, magnitudes, per-area gains and cilia deflection gains of one
// case, through the inverse P (of the masses or of the dampings).
void Gain_Vectors(const double* const (&P)[3][3], const Gain_Case& k, int c, double* const (&ix)[3],
                  double* const (&iy)[3], double* const (&iz)[3], double* const (&iQ)[3], double* const (&iu)[3],
                  double* const (&is)[3], const Pass_State& p, const Run_State& run) {
  const double dx[3] = {-p.x_1_R, p.x_2_R, p.x_3_R};
  const double dy[3] = {-p.y_1_R, p.y_2_R, p.y_3_R};
  const double dz[3] = {-p.z_1_R, p.z_2_R, p.z_3_R};
  for (int i = 0; i < 3; ++i) {
    *ix[i] = Gain_Component(P, k, i, dx);
    *iy[i] = Gain_Component(P, k, i, dy);
    *iz[i] = Gain_Component(P, k, i, dz);
  }
  for (int i = 0; i < 3; ++i) *iQ[i] = std::sqrt((*ix[i] * *ix[i] + *iy[i] * *iy[i]) + *iz[i] * *iz[i]);

  const Carried_Values& car = run.carried;
  const double area[3] = {p.aCl_Mid + car.aCl_Res, p.aCa_Mid + car.aCa_Res, p.aCp_Mid + car.aCp_Res};
  for (int i = 0; i < 3; ++i) *iu[i] = *iQ[i] / area[i];

  const Cupula_Values& d = run.cupula;
  switch (c) {
    case 0:
      *is[0] = (((d.dl_high_mean_h + d.dl_high_mean_m) + d.dl_high_mean_l) / 3.0) * *iQ[0];
      *is[1] = (((d.da_high_mean_h + d.da_high_mean_m) + d.da_high_mean_l) / 3.0) * *iQ[1];
      *is[2] = (((d.dp_high_mean_h + d.dp_high_mean_m) + d.dp_high_mean_l) / 3.0) * *iQ[2];
      break;
    case 1:
      *is[0] = ((d.dl_med_mean_m + d.dl_med_mean_l) / 2.0) * *iQ[0];
      *is[1] = ((d.da_med_mean_m + d.da_med_mean_l) / 2.0) * *iQ[1];
      *is[2] = ((d.dp_med_mean_m + d.dp_med_mean_l) / 2.0) * *iQ[2];
      break;
    default:
      *is[0] = *iQ[0] * d.dl_low_mean_l;
      *is[1] = *iQ[1] * d.da_low_mean_l;
      *is[2] = *iQ[2] * d.dp_low_mean_l;
      break;
  }
}

// The vector (x, y, z) carried by the rotation, in place.
void Rotate(const Transform_Matrix& TM, double& x, double& y, double& z) {
  const double x0 = x, y0 = y, z0 = z;
  Transform_Apply(TM, x0, y0, z0, x, y, z);
}

// a x b, as (a_y b_z - a_z b_y, a_z b_x - a_x b_z, a_x b_y - a_y b_x).
void Cross(double ax, double ay, double az, double bx, double by, double bz, double& x, double& y, double& z) {
  x = ay * bz - az * by;
  y = az * bx - ax * bz;
  z = ax * by - ay * bx;
}

double Dot(double ax, double ay, double az, double bx, double by, double bz) { return ax * bx + ay * by + az * bz; }

double Square(double x) { return x * x; }

}  // namespace

double Angle_Degrees(double x) {
  // std::clamp keeps a nan as it is (both comparisons are false).
  return std::acos(std::clamp(x, -1.0, 1.0)) * 57.3;
}

void Rotation_About_Y(double ix_1_L, double iz_1_L, double& theta, Transform_Matrix& TM) {
  theta = std::acos(std::clamp(iz_1_L / std::sqrt(ix_1_L * ix_1_L + iz_1_L * iz_1_L), -1.0, 1.0));
  TM.TMA = std::cos(theta);
  TM.TMB = 0.0;
  TM.TMC = std::sin(theta);
  TM.TMD = 0.0;
  TM.TME = 1.0;
  TM.TMF = 0.0;
  TM.TMG = -std::sin(theta);
  TM.TMH = 0.0;
  TM.TMI = std::cos(theta);
}

void Response_Planes(Run_State& run) {
  Pass_State& p = run.pass;

  // Copies: uncoupled mechanical gains and right duct-plane normals, duct 1
  // lateral, 2 anterior, 3 posterior.
  p.X_Q_1_l = p.QX_L_high; p.X_Q_2_l = p.QX_A_high; p.X_Q_3_l = p.QX_P_high;
  p.X_Q_1_m = p.QX_L_med; p.X_Q_2_m = p.QX_A_med; p.X_Q_3_m = p.QX_P_med;
  p.X_Q_1_s = p.QX_L_low; p.X_Q_2_s = p.QX_A_low; p.X_Q_3_s = p.QX_P_low;
  p.x_1_R = p.xLDT_R; p.y_1_R = p.yLDT_R; p.z_1_R = p.zLDT_R;
  p.x_2_R = p.xADT_R; p.y_2_R = p.yADT_R; p.z_2_R = p.zADT_R;
  p.x_3_R = p.xPDT_R; p.y_3_R = p.yPDT_R; p.z_3_R = p.zPDT_R;

  // Coupled mechanical gains (inverse of the masses), then velocity gains
  // (inverse of the dampings), case by case.
  const std::array<Gain_Case, 3> cases = Gain_Cases(p);
  for (int c = 0; c < 3; ++c) {
    const Gain_Case& k = cases[c];
    Gain_Vectors(k.Minv, k, c, k.ixX, k.iyX, k.izX, k.iX_Q, k.iX_u, k.iX_s, p, run);
  }
  for (int c = 0; c < 3; ++c) {
    const Gain_Case& k = cases[c];
    Gain_Vectors(k.Cinv, k, c, k.ixVG, k.iyVG, k.izVG, k.iVG_Q, k.iVG_u, k.iVG_s, p, run);
  }

  // Maximal response planes from the medium cilia velocity gains; the left
  // side mirrors the right one (x and z negated).
  p.ix_1_R = p.ixVG_Q_1_m / p.iVG_Q_1_m; p.iy_1_R = p.iyVG_Q_1_m / p.iVG_Q_1_m; p.iz_1_R = p.izVG_Q_1_m / p.iVG_Q_1_m;
  p.ix_2_R = p.ixVG_Q_2_m / p.iVG_Q_2_m; p.iy_2_R = p.iyVG_Q_2_m / p.iVG_Q_2_m; p.iz_2_R = p.izVG_Q_2_m / p.iVG_Q_2_m;
  p.ix_3_R = p.ixVG_Q_3_m / p.iVG_Q_3_m; p.iy_3_R = p.iyVG_Q_3_m / p.iVG_Q_3_m; p.iz_3_R = p.izVG_Q_3_m / p.iVG_Q_3_m;
  p.ix_1_L = -p.ix_1_R; p.iy_1_L = p.iy_1_R; p.iz_1_L = -p.iz_1_R;
  p.ix_2_L = -p.ix_2_R; p.iy_2_L = p.iy_2_R; p.iz_2_L = -p.iz_2_R;
  p.ix_3_L = -p.ix_3_R; p.iy_3_L = p.iy_3_R; p.iz_3_L = -p.iz_3_R;

  // The rotation about y is built in the Cor pass and kept for the others.
  Carried_Values& car = run.carried;
  if (run.set == Measurement_Set::Cor) Rotation_About_Y(p.ix_1_L, p.iz_1_L, car.theta, car.TM);
  const Transform_Matrix& TM = car.TM;

  Rotate(TM, p.ix_2_R, p.iy_2_R, p.iz_2_R);
  Rotate(TM, p.ix_2_L, p.iy_2_L, p.iz_2_L);
  Rotate(TM, p.ix_3_R, p.iy_3_R, p.iz_3_R);
  Rotate(TM, p.ix_3_L, p.iy_3_L, p.iz_3_L);
  Rotate(TM, p.ix_1_R, p.iy_1_R, p.iz_1_R);
  Rotate(TM, p.ix_1_L, p.iy_1_L, p.iz_1_L);
  Rotate(TM, p.xADT_R, p.yADT_R, p.zADT_R);
  Rotate(TM, p.xADT_L, p.yADT_L, p.zADT_L);
  Rotate(TM, p.xPDT_R, p.yPDT_R, p.zPDT_R);
  Rotate(TM, p.xPDT_L, p.yPDT_L, p.zPDT_L);
  Rotate(TM, p.xLDT_R, p.yLDT_R, p.zLDT_R);
  Rotate(TM, p.xLDT_L, p.yLDT_L, p.zLDT_L);
  Rotate(TM, p.xADTc_R, p.yADTc_R, p.zADTc_R);
  Rotate(TM, p.xADTc_L, p.yADTc_L, p.zADTc_L);
  Rotate(TM, p.xPDTc_R, p.yPDTc_R, p.zPDTc_R);
  Rotate(TM, p.xPDTc_L, p.yPDTc_L, p.zPDTc_L);
  Rotate(TM, p.xLDTc_R, p.yLDTc_R, p.zLDTc_R);
  Rotate(TM, p.xLDTc_L, p.yLDTc_L, p.zLDTc_L);

  // Prime directions: anterior = posterior x lateral, posterior = lateral x
  // anterior, lateral = anterior x posterior; right side, then left.
  Cross(p.ix_3_R, p.iy_3_R, p.iz_3_R, p.ix_1_R, p.iy_1_R, p.iz_1_R, p.PxADT_R, p.PyADT_R, p.PzADT_R);
  Cross(p.ix_1_R, p.iy_1_R, p.iz_1_R, p.ix_2_R, p.iy_2_R, p.iz_2_R, p.PxPDT_R, p.PyPDT_R, p.PzPDT_R);
  Cross(p.ix_2_R, p.iy_2_R, p.iz_2_R, p.ix_3_R, p.iy_3_R, p.iz_3_R, p.PxLDT_R, p.PyLDT_R, p.PzLDT_R);
  Cross(p.ix_3_L, p.iy_3_L, p.iz_3_L, p.ix_1_L, p.iy_1_L, p.iz_1_L, p.PxADT_L, p.PyADT_L, p.PzADT_L);
  Cross(p.ix_1_L, p.iy_1_L, p.iz_1_L, p.ix_2_L, p.iy_2_L, p.iz_2_L, p.PxPDT_L, p.PyPDT_L, p.PzPDT_L);
  Cross(p.ix_2_L, p.iy_2_L, p.iz_2_L, p.ix_3_L, p.iy_3_L, p.iz_3_L, p.PxLDT_L, p.PyLDT_L, p.PzLDT_L);

  // Ipsilateral angles (right side), their deviation from orthogonality.
  p.iipsiADTPDT = Angle_Degrees(Dot(p.ix_2_R, p.iy_2_R, p.iz_2_R, p.ix_3_R, p.iy_3_R, p.iz_3_R));
  p.iipsiADTLDT = Angle_Degrees(Dot(-p.ix_2_R, -p.iy_2_R, -p.iz_2_R, p.ix_1_R, p.iy_1_R, p.iz_1_R));
  p.iipsiLDTPDT = Angle_Degrees(Dot(p.ix_3_R, p.iy_3_R, p.iz_3_R, p.ix_1_R, p.iy_1_R, p.iz_1_R));
  p.ivar90 = (Square(p.iipsiADTPDT - 90.0) + Square(p.iipsiADTLDT - 90.0) + Square(p.iipsiLDTPDT - 90.0)) / 3.0;
  p.idev90 = (std::abs(p.iipsiADTPDT - 90.0) + std::abs(p.iipsiADTLDT - 90.0) + std::abs(p.iipsiLDTPDT - 90.0)) / 3.0;

  // Synergistic angles, their deviation from planarity (the anterior and
  // posterior pair counts twice).
  p.isynADTPDT = Angle_Degrees(Dot(p.ix_2_R, p.iy_2_R, p.iz_2_R, p.ix_3_L, p.iy_3_L, p.iz_3_L));
  p.isynLDTLDT = Angle_Degrees(Dot(p.ix_1_R, p.iy_1_R, p.iz_1_R, p.ix_1_L, p.iy_1_L, p.iz_1_L));
  p.ivar180 = (Square(p.isynADTPDT - 180.0) + Square(p.isynADTPDT - 180.0) + Square(p.isynLDTLDT - 180.0)) / 3.0;
  p.idev180 =
      ((std::abs(p.isynADTPDT - 180.0) + std::abs(p.isynADTPDT - 180.0)) + std::abs(p.isynLDTLDT - 180.0)) / 3.0;

  // Pitch, roll (no lateral roll) and yaw.
  p.iADTPITCH = Angle_Degrees(p.iy_2_R);
  p.iPDTPITCH = Angle_Degrees(-p.iy_3_R);
  p.iLDTPITCH = Angle_Degrees(-p.iy_1_R);
  p.iADTROLL = Angle_Degrees(p.ix_2_R);
  p.iPDTROLL = Angle_Degrees(p.ix_3_R);
  p.iADTYAW = Angle_Degrees(-p.iz_2_R);
  p.iPDTYAW = Angle_Degrees(p.iz_3_R);
  p.iLDTYAW = Angle_Degrees(-p.iz_1_R);
}

}  // namespace scds::ostravel
