// The quantities of one run of Ostravel, as plain structs.
//
// Run_State owns everything. Its parts differ in lifetime:
//   - Finite_Element_Values: read once, before the first pass, never reset;
//   - Carried_Values: the material constants and what derives from them, the
//     calibration residuals of the Cor pass and the rotation about the y axis
//     that the Cor pass builds; the PlusCor and MinusCor passes only read them;
//   - Cupula_Values: the deflections per displaced volume and the stiffnesses,
//     which every pass computes before it reads them (so no reset);
//   - Pass_State: everything a pass computes from its own morphometry; the
//     reset before the PlusCor and the MinusCor pass is `pass = Pass_State{}`;
//   - State_Matrices: the three 6x6 state matrices of each pass, each pass its
//     own, starting from the [identity | zero] block in rows 3 to 5.
//
// Names: ducts a/p/l (cupulae), A/P/L and ADT/PDT/LDT (ducts); finite element
// cases high/med/low (long, medium, short cilia) up to the uncoupled model and
// _l/_m/_s in the coupled quantities, whose duct index is 1 lateral, 2
// anterior, 3 posterior; cilia zones h/m/l.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>

#include "constants.h"
#include "error_log.h"
#include "transform_matrix.h"

namespace scds::ostravel {

// The measurement sets, in the order of the passes.
enum class Measurement_Set { Cor, PlusCor, MinusCor };

constexpr std::size_t Pass_Index(Measurement_Set set) { return static_cast<std::size_t>(set); }

// "Cor", "PlusCor", "MinusCor".
constexpr const char* Set_Name(Measurement_Set set) {
  return set == Measurement_Set::Cor ? "Cor" : (set == Measurement_Set::PlusCor ? "PlusCor" : "MinusCor");
}

struct Counters {
  // The run's general count of failures.
  int error_count = 0;
  // Files of a right/left pair that could not be read (0, 1 or 2).
  int error_ant_sif = 0;
  int error_ant_def_h = 0, error_ant_def_m = 0, error_ant_def_l = 0;
  int error_post_def_h = 0, error_post_def_m = 0, error_post_def_l = 0;
  int error_lat_def_h = 0, error_lat_def_m = 0, error_lat_def_l = 0;
};

// What the .sif heads and the .deflection files give, in SI units as the
// solver writes them: the right (_R) and left (_L) readings and the merged
// values (no suffix).
struct Finite_Element_Values {
  // .sif heads
  double Young_R = 0.0, Young_L = 0.0, poisson_R = 0.0, poisson_L = 0.0;
  // anterior cupula: mean displacements (column 2) of the Long, Medium, Short pairs
  double ua_high_mean_R = 0.0, ua_med_mean_R = 0.0, ua_low_mean_R = 0.0;
  double ua_high_mean_L = 0.0, ua_med_mean_L = 0.0, ua_low_mean_L = 0.0;
  double ua_high_mean = 0.0, ua_med_mean = 0.0, ua_low_mean = 0.0;
  // zone integrals (columns 3 to 5)
  double ua_high_h_R = 0.0, ua_high_m_R = 0.0, ua_high_l_R = 0.0;
  double ua_high_h_L = 0.0, ua_high_m_L = 0.0, ua_high_l_L = 0.0;
  double ua_high_h = 0.0, ua_high_m = 0.0, ua_high_l = 0.0;
  double ua_med_h_R = 0.0, ua_med_m_R = 0.0, ua_med_l_R = 0.0;
  double ua_med_h_L = 0.0, ua_med_m_L = 0.0, ua_med_l_L = 0.0;
  double ua_med_h = 0.0, ua_med_m = 0.0, ua_med_l = 0.0;
  double ua_low_h_R = 0.0, ua_low_m_R = 0.0, ua_low_l_R = 0.0;
  double ua_low_h_L = 0.0, ua_low_m_L = 0.0, ua_low_l_L = 0.0;
  double ua_low_h = 0.0, ua_low_m = 0.0, ua_low_l = 0.0;
  // zone areas (columns 6 to 8) and cupula area (column 9) of the Long pair
  double ua_h_area_R = 0.0, ua_m_area_R = 0.0, ua_l_area_R = 0.0, aCa_FEA_R = 0.0;
  double ua_h_area_L = 0.0, ua_m_area_L = 0.0, ua_l_area_L = 0.0, aCa_FEA_L = 0.0;
  double ua_h_area = 0.0, ua_m_area = 0.0, ua_l_area = 0.0, aCa_FEA = 0.0;
  // zone means
  double ua_high_mean_h = 0.0, ua_high_mean_m = 0.0, ua_high_mean_l = 0.0;
  double ua_med_mean_h = 0.0, ua_med_mean_m = 0.0, ua_med_mean_l = 0.0;
  double ua_low_mean_h = 0.0, ua_low_mean_m = 0.0, ua_low_mean_l = 0.0;
  // posterior cupula: mean displacements (column 2) of the Long, Medium, Short pairs
  double up_high_mean_R = 0.0, up_med_mean_R = 0.0, up_low_mean_R = 0.0;
  double up_high_mean_L = 0.0, up_med_mean_L = 0.0, up_low_mean_L = 0.0;
  double up_high_mean = 0.0, up_med_mean = 0.0, up_low_mean = 0.0;
  // zone integrals (columns 3 to 5)
  double up_high_h_R = 0.0, up_high_m_R = 0.0, up_high_l_R = 0.0;
  double up_high_h_L = 0.0, up_high_m_L = 0.0, up_high_l_L = 0.0;
  double up_high_h = 0.0, up_high_m = 0.0, up_high_l = 0.0;
  double up_med_h_R = 0.0, up_med_m_R = 0.0, up_med_l_R = 0.0;
  double up_med_h_L = 0.0, up_med_m_L = 0.0, up_med_l_L = 0.0;
  double up_med_h = 0.0, up_med_m = 0.0, up_med_l = 0.0;
  double up_low_h_R = 0.0, up_low_m_R = 0.0, up_low_l_R = 0.0;
  double up_low_h_L = 0.0, up_low_m_L = 0.0, up_low_l_L = 0.0;
  double up_low_h = 0.0, up_low_m = 0.0, up_low_l = 0.0;
  // zone areas (columns 6 to 8) and cupula area (column 9) of the Long pair
  double up_h_area_R = 0.0, up_m_area_R = 0.0, up_l_area_R = 0.0, aCp_FEA_R = 0.0;
  double up_h_area_L = 0.0, up_m_area_L = 0.0, up_l_area_L = 0.0, aCp_FEA_L = 0.0;
  double up_h_area = 0.0, up_m_area = 0.0, up_l_area = 0.0, aCp_FEA = 0.0;
  // zone means
  double up_high_mean_h = 0.0, up_high_mean_m = 0.0, up_high_mean_l = 0.0;
  double up_med_mean_h = 0.0, up_med_mean_m = 0.0, up_med_mean_l = 0.0;
  double up_low_mean_h = 0.0, up_low_mean_m = 0.0, up_low_mean_l = 0.0;
  // lateral cupula: mean displacements (column 2) of the Long, Medium, Short pairs
  double ul_high_mean_R = 0.0, ul_med_mean_R = 0.0, ul_low_mean_R = 0.0;
  double ul_high_mean_L = 0.0, ul_med_mean_L = 0.0, ul_low_mean_L = 0.0;
  double ul_high_mean = 0.0, ul_med_mean = 0.0, ul_low_mean = 0.0;
  // zone integrals (columns 3 to 5)
  double ul_high_h_R = 0.0, ul_high_m_R = 0.0, ul_high_l_R = 0.0;
  double ul_high_h_L = 0.0, ul_high_m_L = 0.0, ul_high_l_L = 0.0;
  double ul_high_h = 0.0, ul_high_m = 0.0, ul_high_l = 0.0;
  double ul_med_h_R = 0.0, ul_med_m_R = 0.0, ul_med_l_R = 0.0;
  double ul_med_h_L = 0.0, ul_med_m_L = 0.0, ul_med_l_L = 0.0;
  double ul_med_h = 0.0, ul_med_m = 0.0, ul_med_l = 0.0;
  double ul_low_h_R = 0.0, ul_low_m_R = 0.0, ul_low_l_R = 0.0;
  double ul_low_h_L = 0.0, ul_low_m_L = 0.0, ul_low_l_L = 0.0;
  double ul_low_h = 0.0, ul_low_m = 0.0, ul_low_l = 0.0;
  // zone areas (columns 6 to 8) and cupula area (column 9) of the Long pair
  double ul_h_area_R = 0.0, ul_m_area_R = 0.0, ul_l_area_R = 0.0, aCl_FEA_R = 0.0;
  double ul_h_area_L = 0.0, ul_m_area_L = 0.0, ul_l_area_L = 0.0, aCl_FEA_L = 0.0;
  double ul_h_area = 0.0, ul_m_area = 0.0, ul_l_area = 0.0, aCl_FEA = 0.0;
  // zone means
  double ul_high_mean_h = 0.0, ul_high_mean_m = 0.0, ul_high_mean_l = 0.0;
  double ul_med_mean_h = 0.0, ul_med_mean_m = 0.0, ul_med_mean_l = 0.0;
  double ul_low_mean_h = 0.0, ul_low_mean_m = 0.0, ul_low_mean_l = 0.0;
};

// Read or derived once, before the first pass; the Cor pass adds its
// calibration residuals and its rotation. Passes 2 and 3 only read these.
struct Carried_Values {
  // Material constants: body temperature (C), endolymph viscosity factor
  // (1e-5 Pa.s), densities (typed in kg/m^3, held in g/mm^3), the merged
  // Young modulus and Poisson ratio (Pa, none), shear modulus (Pa),
  // viscosities (Pa.s = g/(mm s)).
  double T = 0.0, mu_A = 0.0, rho_e = 0.0, rho_c = 0.0;
  double Young = 0.0, poisson = 0.0, gamma = 0.0, mu_e = 0.0, mu_c = 0.0;

  // Calibration residuals of the Cor set (decimal logarithms).
  double Log_Res_da_high_mean_h = 0.0, Log_Res_da_high_mean_m = 0.0, Log_Res_da_high_mean_l = 0.0;
  double Log_Res_da_med_mean_h = 0.0, Log_Res_da_med_mean_m = 0.0, Log_Res_da_med_mean_l = 0.0;
  double Log_Res_da_low_mean_h = 0.0, Log_Res_da_low_mean_m = 0.0, Log_Res_da_low_mean_l = 0.0;
  double Log_Res_dp_high_mean_h = 0.0, Log_Res_dp_high_mean_m = 0.0, Log_Res_dp_high_mean_l = 0.0;
  double Log_Res_dp_med_mean_h = 0.0, Log_Res_dp_med_mean_m = 0.0, Log_Res_dp_med_mean_l = 0.0;
  double Log_Res_dp_low_mean_h = 0.0, Log_Res_dp_low_mean_m = 0.0, Log_Res_dp_low_mean_l = 0.0;
  double Log_Res_dl_high_mean_h = 0.0, Log_Res_dl_high_mean_m = 0.0, Log_Res_dl_high_mean_l = 0.0;
  double Log_Res_dl_med_mean_h = 0.0, Log_Res_dl_med_mean_m = 0.0, Log_Res_dl_med_mean_l = 0.0;
  double Log_Res_dl_low_mean_h = 0.0, Log_Res_dl_low_mean_m = 0.0, Log_Res_dl_low_mean_l = 0.0;
  double Log_Res_wsCa_high = 0.0, Log_Res_wsCa_med = 0.0, Log_Res_wsCa_low = 0.0;
  double Log_Res_wsCp_high = 0.0, Log_Res_wsCp_med = 0.0, Log_Res_wsCp_low = 0.0;
  double Log_Res_wsCl_high = 0.0, Log_Res_wsCl_med = 0.0, Log_Res_wsCl_low = 0.0;
  // Finite element cupula area (mm^2) less the Cor central section area.
  double aCa_Res = 0.0, aCp_Res = 0.0, aCl_Res = 0.0;

  // The rotation about the y axis built in the Cor pass (row-major TMA..TMI)
  // and its angle (radians).
  double theta = 0.0;
  Transform_Matrix TM;
};

// Deflections per displaced volume (deg/nL) and stiffnesses (g/s^2.mm^4):
// every pass computes them before it reads them, so no reset clears them.
struct Cupula_Values {
  double da_high_mean_h = 0.0, da_high_mean_m = 0.0, da_high_mean_l = 0.0;
  double da_med_mean_h = 0.0, da_med_mean_m = 0.0, da_med_mean_l = 0.0;
  double da_low_mean_h = 0.0, da_low_mean_m = 0.0, da_low_mean_l = 0.0;
  double dp_high_mean_h = 0.0, dp_high_mean_m = 0.0, dp_high_mean_l = 0.0;
  double dp_med_mean_h = 0.0, dp_med_mean_m = 0.0, dp_med_mean_l = 0.0;
  double dp_low_mean_h = 0.0, dp_low_mean_m = 0.0, dp_low_mean_l = 0.0;
  double dl_high_mean_h = 0.0, dl_high_mean_m = 0.0, dl_high_mean_l = 0.0;
  double dl_med_mean_h = 0.0, dl_med_mean_m = 0.0, dl_med_mean_l = 0.0;
  double dl_low_mean_h = 0.0, dl_low_mean_m = 0.0, dl_low_mean_l = 0.0;
  double KADT_high = 0.0, KADT_med = 0.0, KADT_low = 0.0;
  double KPDT_high = 0.0, KPDT_med = 0.0, KPDT_low = 0.0;
  double KLDT_high = 0.0, KLDT_med = 0.0, KLDT_low = 0.0;
};

// Everything one pass computes from its own measurement set; the reset before
// the PlusCor and MinusCor passes clears exactly this.
struct Pass_State {
  // Morphometry files that failed to open in this pass (0 or 1).
  int error_morpho = 0;

  // ---- Morphometry (mm, mm^2, none) ----
  // streamline lengths
  double LSa = 0.0, LSp = 0.0, LSl = 0.0;
  double LCCa = 0.0, LCCp = 0.0, LCC = 0.0;
  double LUl = 0.0, LUCa = 0.0, LUCl = 0.0;
  double LUC = 0.0, LUCp = 0.0, LAa = 0.0;
  double LAp = 0.0, LAl = 0.0;
  // streamline enclosed areas
  double AADT = 0.0, APDT = 0.0, ALDT = 0.0;
  // cross-sectional areas
  double aSa = 0.0, aSp = 0.0, aSl = 0.0;
  double aCCa = 0.0, aCCp = 0.0, aCC = 0.0;
  double aUl = 0.0, aUCa = 0.0, aUCl = 0.0;
  double aUC = 0.0, aUCp = 0.0, aAa = 0.0;
  double aAp = 0.0, aAl = 0.0;
  // wall shape drag factors
  double wsSa = 0.0, wsSp = 0.0, wsSl = 0.0;
  double wsCCa = 0.0, wsCCp = 0.0, wsCC = 0.0;
  double wsUl = 0.0, wsUCa = 0.0, wsUCl = 0.0;
  double wsUC = 0.0, wsUCp = 0.0, wsAa = 0.0;
  double wsAp = 0.0, wsAl = 0.0;
  // cupula average and central section areas
  double aCa = 0.0, aCp = 0.0, aCl = 0.0;
  double aCa_Mid = 0.0, aCp_Mid = 0.0, aCl_Mid = 0.0;
  // cupula thicknesses of the long, medium and short cilia cases
  double LCa_high = 0.0, LCa_med = 0.0, LCa_low = 0.0;
  double LCp_high = 0.0, LCp_med = 0.0, LCp_low = 0.0;
  double LCl_high = 0.0, LCl_med = 0.0, LCl_low = 0.0;
  // duct-plane unit normals (rotated into the vestibular frame later in the pass)
  double xADT_R = 0.0, yADT_R = 0.0, zADT_R = 0.0;
  double xPDT_R = 0.0, yPDT_R = 0.0, zPDT_R = 0.0;
  double xLDT_R = 0.0, yLDT_R = 0.0, zLDT_R = 0.0;
  double xADT_L = 0.0, yADT_L = 0.0, zADT_L = 0.0;
  double xPDT_L = 0.0, yPDT_L = 0.0, zPDT_L = 0.0;
  double xLDT_L = 0.0, yLDT_L = 0.0, zLDT_L = 0.0;
  // centres of rotation (rotated likewise)
  double xADTc_R = 0.0, yADTc_R = 0.0, zADTc_R = 0.0;
  double xPDTc_R = 0.0, yPDTc_R = 0.0, zPDTc_R = 0.0;
  double xLDTc_R = 0.0, yLDTc_R = 0.0, zLDTc_R = 0.0;
  double xADTc_L = 0.0, yADTc_L = 0.0, zADTc_L = 0.0;
  double xPDTc_L = 0.0, yPDTc_L = 0.0, zPDTc_L = 0.0;
  double xLDTc_L = 0.0, yLDTc_L = 0.0, zLDTc_L = 0.0;

  // ---- Deformation profile factors (none) ----
  double wsCa_high = 0.0, wsCa_med = 0.0, wsCa_low = 0.0;
  double wsCp_high = 0.0, wsCp_med = 0.0, wsCp_low = 0.0;
  double wsCl_high = 0.0, wsCl_med = 0.0, wsCl_low = 0.0;

  // ---- Uncoupled duct model ----
  // masses (g/mm^4): fixed segments, ampullae, cupulae, ducts
  double MSa = 0.0, MSp = 0.0, MSl = 0.0;
  double MCCa = 0.0, MCCp = 0.0, MCC = 0.0;
  double MUl = 0.0, MUCa = 0.0, MUCl = 0.0;
  double MUC = 0.0, MUCp = 0.0, MAa_high = 0.0;
  double MAa_med = 0.0, MAa_low = 0.0, MAp_high = 0.0;
  double MAp_med = 0.0, MAp_low = 0.0, MAl_high = 0.0;
  double MAl_med = 0.0, MAl_low = 0.0, MCa_high = 0.0;
  double MCa_med = 0.0, MCa_low = 0.0, MCp_high = 0.0;
  double MCp_med = 0.0, MCp_low = 0.0, MCl_high = 0.0;
  double MCl_med = 0.0, MCl_low = 0.0, MADT_high = 0.0;
  double MADT_med = 0.0, MADT_low = 0.0, MPDT_high = 0.0;
  double MPDT_med = 0.0, MPDT_low = 0.0, MLDT_high = 0.0;
  double MLDT_med = 0.0, MLDT_low = 0.0;
  // dampings (g/s.mm^4): fixed segments, ampullae, cupulae, ducts
  double CSa = 0.0, CSp = 0.0, CSl = 0.0;
  double CCCa = 0.0, CCCp = 0.0, CCC = 0.0;
  double CUl = 0.0, CUCa = 0.0, CUCl = 0.0;
  double CUC = 0.0, CUCp = 0.0, CAa_high = 0.0;
  double CAa_med = 0.0, CAa_low = 0.0, CAp_high = 0.0;
  double CAp_med = 0.0, CAp_low = 0.0, CAl_high = 0.0;
  double CAl_med = 0.0, CAl_low = 0.0, CCa_high = 0.0;
  double CCa_med = 0.0, CCa_low = 0.0, CCp_high = 0.0;
  double CCp_med = 0.0, CCp_low = 0.0, CCl_high = 0.0;
  double CCl_med = 0.0, CCl_low = 0.0, CADT_high = 0.0;
  double CADT_med = 0.0, CADT_low = 0.0, CPDT_high = 0.0;
  double CPDT_med = 0.0, CPDT_low = 0.0, CLDT_high = 0.0;
  double CLDT_med = 0.0, CLDT_low = 0.0;
  // inertial forcing (g/mm)
  double GADT = 0.0, GPDT = 0.0, GLDT = 0.0;
  // long (s) and short (ms) time constants
  double T1_A_high = 0.0, T1_A_med = 0.0, T1_A_low = 0.0;
  double T1_P_high = 0.0, T1_P_med = 0.0, T1_P_low = 0.0;
  double T1_L_high = 0.0, T1_L_med = 0.0, T1_L_low = 0.0;
  double T2_A_high = 0.0, T2_A_med = 0.0, T2_A_low = 0.0;
  double T2_P_high = 0.0, T2_P_med = 0.0, T2_P_low = 0.0;
  double T2_L_high = 0.0, T2_L_med = 0.0, T2_L_low = 0.0;
  // lower, upper and natural frequencies (Hz), fractional bandwidths
  double w1_A_high = 0.0, w1_A_med = 0.0, w1_A_low = 0.0;
  double w1_P_high = 0.0, w1_P_med = 0.0, w1_P_low = 0.0;
  double w1_L_high = 0.0, w1_L_med = 0.0, w1_L_low = 0.0;
  double w2_A_high = 0.0, w2_A_med = 0.0, w2_A_low = 0.0;
  double w2_P_high = 0.0, w2_P_med = 0.0, w2_P_low = 0.0;
  double w2_L_high = 0.0, w2_L_med = 0.0, w2_L_low = 0.0;
  double wn_A_high = 0.0, wn_A_med = 0.0, wn_A_low = 0.0;
  double wn_P_high = 0.0, wn_P_med = 0.0, wn_P_low = 0.0;
  double wn_L_high = 0.0, wn_L_med = 0.0, wn_L_low = 0.0;
  double FB_A_high = 0.0, FB_A_med = 0.0, FB_A_low = 0.0;
  double FB_P_high = 0.0, FB_P_med = 0.0, FB_P_low = 0.0;
  double FB_L_high = 0.0, FB_L_med = 0.0, FB_L_low = 0.0;
  // mechanical gain: displaced volume (nL/deg), average cupula displacement
  // (um/deg), cilia deflection (deg/deg; the letter after the stem is the case)
  double QX_A_high = 0.0, QX_A_med = 0.0, QX_A_low = 0.0;
  double QX_P_high = 0.0, QX_P_med = 0.0, QX_P_low = 0.0;
  double QX_L_high = 0.0, QX_L_med = 0.0, QX_L_low = 0.0;
  double uX_A_high = 0.0, uX_A_med = 0.0, uX_A_low = 0.0;
  double uX_P_high = 0.0, uX_P_med = 0.0, uX_P_low = 0.0;
  double uX_L_high = 0.0, uX_L_med = 0.0, uX_L_low = 0.0;
  double bXh_A = 0.0, bXm_A = 0.0, bXl_A = 0.0;
  double bXh_P = 0.0, bXm_P = 0.0, bXl_P = 0.0;
  double bXh_L = 0.0, bXm_L = 0.0, bXl_L = 0.0;
  // velocity gain (per deg.s-1)
  double QVG_A_high = 0.0, QVG_A_med = 0.0, QVG_A_low = 0.0;
  double QVG_P_high = 0.0, QVG_P_med = 0.0, QVG_P_low = 0.0;
  double QVG_L_high = 0.0, QVG_L_med = 0.0, QVG_L_low = 0.0;
  double uVG_A_high = 0.0, uVG_A_med = 0.0, uVG_A_low = 0.0;
  double uVG_P_high = 0.0, uVG_P_med = 0.0, uVG_P_low = 0.0;
  double uVG_L_high = 0.0, uVG_L_med = 0.0, uVG_L_low = 0.0;
  double bVGh_A = 0.0, bVGm_A = 0.0, bVGl_A = 0.0;
  double bVGh_P = 0.0, bVGm_P = 0.0, bVGl_P = 0.0;
  double bVGh_L = 0.0, bVGm_L = 0.0, bVGl_L = 0.0;
  // acceleration gain (per deg.s-2)
  double QAG_A_high = 0.0, QAG_A_med = 0.0, QAG_A_low = 0.0;
  double QAG_P_high = 0.0, QAG_P_med = 0.0, QAG_P_low = 0.0;
  double QAG_L_high = 0.0, QAG_L_med = 0.0, QAG_L_low = 0.0;
  double uAG_A_high = 0.0, uAG_A_med = 0.0, uAG_A_low = 0.0;
  double uAG_P_high = 0.0, uAG_P_med = 0.0, uAG_P_low = 0.0;
  double uAG_L_high = 0.0, uAG_L_med = 0.0, uAG_L_low = 0.0;
  double bAGh_A = 0.0, bAGm_A = 0.0, bAGl_A = 0.0;
  double bAGh_P = 0.0, bAGm_P = 0.0, bAGl_P = 0.0;
  double bAGh_L = 0.0, bAGm_L = 0.0, bAGl_L = 0.0;

  // ---- Coupled three-duct model ----
  // stiffnesses, masses and dampings of the coupled system
  double K_1_l = 0.0, K_2_l = 0.0, K_3_l = 0.0;
  double K_1_m = 0.0, K_2_m = 0.0, K_3_m = 0.0;
  double K_1_s = 0.0, K_2_s = 0.0, K_3_s = 0.0;
  double M_1_l = 0.0, M_2_l = 0.0, M_3_l = 0.0;
  double M_1_m = 0.0, M_2_m = 0.0, M_3_m = 0.0;
  double M_1_s = 0.0, M_2_s = 0.0, M_3_s = 0.0;
  double C_1_l = 0.0, C_2_l = 0.0, C_3_l = 0.0;
  double C_1_m = 0.0, C_2_m = 0.0, C_3_m = 0.0;
  double C_1_s = 0.0, C_2_s = 0.0, C_3_s = 0.0;
  // coupling terms (common parts of the anterior utricle and of the common crus)
  double m_12 = 0.0, m_23 = 0.0, c_12 = 0.0, c_23 = 0.0;
  // inverse of the mass matrix: determinant, then row by row
  double detM_l = 0.0, M_1p_l = 0.0, m_12p_l = 0.0;
  double m_13p_l = 0.0, m_21p_l = 0.0, M_2p_l = 0.0;
  double m_23p_l = 0.0, m_31p_l = 0.0, m_32p_l = 0.0;
  double M_3p_l = 0.0, detM_m = 0.0, M_1p_m = 0.0;
  double m_12p_m = 0.0, m_13p_m = 0.0, m_21p_m = 0.0;
  double M_2p_m = 0.0, m_23p_m = 0.0, m_31p_m = 0.0;
  double m_32p_m = 0.0, M_3p_m = 0.0, detM_s = 0.0;
  double M_1p_s = 0.0, m_12p_s = 0.0, m_13p_s = 0.0;
  double m_21p_s = 0.0, M_2p_s = 0.0, m_23p_s = 0.0;
  double m_31p_s = 0.0, m_32p_s = 0.0, M_3p_s = 0.0;
  // inverse of the damping matrix
  double detC_l = 0.0, C_1p_l = 0.0, c_12p_l = 0.0;
  double c_13p_l = 0.0, c_21p_l = 0.0, C_2p_l = 0.0;
  double c_23p_l = 0.0, c_31p_l = 0.0, c_32p_l = 0.0;
  double C_3p_l = 0.0, detC_m = 0.0, C_1p_m = 0.0;
  double c_12p_m = 0.0, c_13p_m = 0.0, c_21p_m = 0.0;
  double C_2p_m = 0.0, c_23p_m = 0.0, c_31p_m = 0.0;
  double c_32p_m = 0.0, C_3p_m = 0.0, detC_s = 0.0;
  double C_1p_s = 0.0, c_12p_s = 0.0, c_13p_s = 0.0;
  double c_21p_s = 0.0, C_2p_s = 0.0, c_23p_s = 0.0;
  double c_31p_s = 0.0, c_32p_s = 0.0, C_3p_s = 0.0;
  // absolute real parts of the eigenvalues, then corner frequencies (Hz)
  double w_1_l = 0.0, w_2_l = 0.0, w_3_l = 0.0, w_4_l = 0.0, w_5_l = 0.0, w_6_l = 0.0;
  double w_1_m = 0.0, w_2_m = 0.0, w_3_m = 0.0, w_4_m = 0.0, w_5_m = 0.0, w_6_m = 0.0;
  double w_1_s = 0.0, w_2_s = 0.0, w_3_s = 0.0, w_4_s = 0.0, w_5_s = 0.0, w_6_s = 0.0;
  // time constants: t_1 to t_3 short (ms), t_4 to t_6 long (s)
  double t_1_l = 0.0, t_2_l = 0.0, t_3_l = 0.0, t_4_l = 0.0, t_5_l = 0.0, t_6_l = 0.0;
  double t_1_m = 0.0, t_2_m = 0.0, t_3_m = 0.0, t_4_m = 0.0, t_5_m = 0.0, t_6_m = 0.0;
  double t_1_s = 0.0, t_2_s = 0.0, t_3_s = 0.0, t_4_s = 0.0, t_5_s = 0.0, t_6_s = 0.0;

  // ---- Coupled gains, response planes and angles ----
  // copies of the uncoupled mechanical gains and of the right duct-plane normals
  double X_Q_1_l = 0.0, X_Q_2_l = 0.0, X_Q_3_l = 0.0;
  double X_Q_1_m = 0.0, X_Q_2_m = 0.0, X_Q_3_m = 0.0;
  double X_Q_1_s = 0.0, X_Q_2_s = 0.0, X_Q_3_s = 0.0;
  double x_1_R = 0.0, y_1_R = 0.0, z_1_R = 0.0;
  double x_2_R = 0.0, y_2_R = 0.0, z_2_R = 0.0;
  double x_3_R = 0.0, y_3_R = 0.0, z_3_R = 0.0;
  // coupled mechanical gain vectors (nL/deg), magnitudes, per area (um/deg),
  // cilia deflection (deg/deg)
  double ixX_Q_1_l = 0.0, iyX_Q_1_l = 0.0, izX_Q_1_l = 0.0;
  double ixX_Q_2_l = 0.0, iyX_Q_2_l = 0.0, izX_Q_2_l = 0.0;
  double ixX_Q_3_l = 0.0, iyX_Q_3_l = 0.0, izX_Q_3_l = 0.0;
  double ixX_Q_1_m = 0.0, iyX_Q_1_m = 0.0, izX_Q_1_m = 0.0;
  double ixX_Q_2_m = 0.0, iyX_Q_2_m = 0.0, izX_Q_2_m = 0.0;
  double ixX_Q_3_m = 0.0, iyX_Q_3_m = 0.0, izX_Q_3_m = 0.0;
  double ixX_Q_1_s = 0.0, iyX_Q_1_s = 0.0, izX_Q_1_s = 0.0;
  double ixX_Q_2_s = 0.0, iyX_Q_2_s = 0.0, izX_Q_2_s = 0.0;
  double ixX_Q_3_s = 0.0, iyX_Q_3_s = 0.0, izX_Q_3_s = 0.0;
  double iX_Q_1_l = 0.0, iX_Q_2_l = 0.0, iX_Q_3_l = 0.0;
  double iX_Q_1_m = 0.0, iX_Q_2_m = 0.0, iX_Q_3_m = 0.0;
  double iX_Q_1_s = 0.0, iX_Q_2_s = 0.0, iX_Q_3_s = 0.0;
  double iX_u_1_l = 0.0, iX_u_2_l = 0.0, iX_u_3_l = 0.0;
  double iX_u_1_m = 0.0, iX_u_2_m = 0.0, iX_u_3_m = 0.0;
  double iX_u_1_s = 0.0, iX_u_2_s = 0.0, iX_u_3_s = 0.0;
  double iX_s_1_l = 0.0, iX_s_2_l = 0.0, iX_s_3_l = 0.0;
  double iX_s_1_m = 0.0, iX_s_2_m = 0.0, iX_s_3_m = 0.0;
  double iX_s_1_s = 0.0, iX_s_2_s = 0.0, iX_s_3_s = 0.0;
  // coupled velocity gain vectors and their derived gains (per deg.s-1)
  double ixVG_Q_1_l = 0.0, iyVG_Q_1_l = 0.0, izVG_Q_1_l = 0.0;
  double ixVG_Q_2_l = 0.0, iyVG_Q_2_l = 0.0, izVG_Q_2_l = 0.0;
  double ixVG_Q_3_l = 0.0, iyVG_Q_3_l = 0.0, izVG_Q_3_l = 0.0;
  double ixVG_Q_1_m = 0.0, iyVG_Q_1_m = 0.0, izVG_Q_1_m = 0.0;
  double ixVG_Q_2_m = 0.0, iyVG_Q_2_m = 0.0, izVG_Q_2_m = 0.0;
  double ixVG_Q_3_m = 0.0, iyVG_Q_3_m = 0.0, izVG_Q_3_m = 0.0;
  double ixVG_Q_1_s = 0.0, iyVG_Q_1_s = 0.0, izVG_Q_1_s = 0.0;
  double ixVG_Q_2_s = 0.0, iyVG_Q_2_s = 0.0, izVG_Q_2_s = 0.0;
  double ixVG_Q_3_s = 0.0, iyVG_Q_3_s = 0.0, izVG_Q_3_s = 0.0;
  double iVG_Q_1_l = 0.0, iVG_Q_2_l = 0.0, iVG_Q_3_l = 0.0;
  double iVG_Q_1_m = 0.0, iVG_Q_2_m = 0.0, iVG_Q_3_m = 0.0;
  double iVG_Q_1_s = 0.0, iVG_Q_2_s = 0.0, iVG_Q_3_s = 0.0;
  double iVG_u_1_l = 0.0, iVG_u_2_l = 0.0, iVG_u_3_l = 0.0;
  double iVG_u_1_m = 0.0, iVG_u_2_m = 0.0, iVG_u_3_m = 0.0;
  double iVG_u_1_s = 0.0, iVG_u_2_s = 0.0, iVG_u_3_s = 0.0;
  double iVG_s_1_l = 0.0, iVG_s_2_l = 0.0, iVG_s_3_l = 0.0;
  double iVG_s_1_m = 0.0, iVG_s_2_m = 0.0, iVG_s_3_m = 0.0;
  double iVG_s_1_s = 0.0, iVG_s_2_s = 0.0, iVG_s_3_s = 0.0;
  // maximal response plane unit normals
  double ix_1_R = 0.0, iy_1_R = 0.0, iz_1_R = 0.0;
  double ix_2_R = 0.0, iy_2_R = 0.0, iz_2_R = 0.0;
  double ix_3_R = 0.0, iy_3_R = 0.0, iz_3_R = 0.0;
  double ix_1_L = 0.0, iy_1_L = 0.0, iz_1_L = 0.0;
  double ix_2_L = 0.0, iy_2_L = 0.0, iz_2_L = 0.0;
  double ix_3_L = 0.0, iy_3_L = 0.0, iz_3_L = 0.0;
  // prime directions
  double PxADT_R = 0.0, PyADT_R = 0.0, PzADT_R = 0.0;
  double PxPDT_R = 0.0, PyPDT_R = 0.0, PzPDT_R = 0.0;
  double PxLDT_R = 0.0, PyLDT_R = 0.0, PzLDT_R = 0.0;
  double PxADT_L = 0.0, PyADT_L = 0.0, PzADT_L = 0.0;
  double PxPDT_L = 0.0, PyPDT_L = 0.0, PzPDT_L = 0.0;
  double PxLDT_L = 0.0, PyLDT_L = 0.0, PzLDT_L = 0.0;
  // ipsilateral, synergistic and reference angles (degrees), deviations
  double iipsiADTPDT = 0.0, iipsiADTLDT = 0.0, iipsiLDTPDT = 0.0, isynADTPDT = 0.0, isynLDTLDT = 0.0;
  double iADTPITCH = 0.0, iPDTPITCH = 0.0, iLDTPITCH = 0.0, iADTROLL = 0.0, iPDTROLL = 0.0;
  double iADTYAW = 0.0, iPDTYAW = 0.0, iLDTYAW = 0.0, ivar90 = 0.0, idev90 = 0.0;
  double ivar180 = 0.0, idev180 = 0.0;
};

// One pass's state matrices, 6x6 row-major.
using State_Matrix = std::array<double, 36>;

// Zeros with 1.0 at (3,0), (4,1) and (5,2).
constexpr State_Matrix Initial_State_Matrix() {
  State_Matrix m{};
  m[3 * 6 + 0] = 1.0;
  m[4 * 6 + 1] = 1.0;
  m[5 * 6 + 2] = 1.0;
  return m;
}

struct State_Matrices {
  State_Matrix MatA_l = Initial_State_Matrix();
  State_Matrix MatA_m = Initial_State_Matrix();
  State_Matrix MatA_s = Initial_State_Matrix();
};

struct Run_State {
  std::filesystem::path work_dir;  // files are opened at work_dir / path
  std::string species;
  Error_Log log;  // the temporary error log of the run
  Counters counters;

  Finite_Element_Values fea;
  Carried_Values carried;
  Cupula_Values cupula;

  Measurement_Set set = Measurement_Set::Cor;  // the running pass
  Pass_State pass;
  // Per pass: [0] MatA_l, MatA_m, MatA_s; [1] MatA_l_p ...; [2] MatA_l_m ...
  State_Matrices matrices[3];

  // The uncoupled matrix as read and the vestibular matrix written (Cor pass).
  Transform_Matrix uTM;
  Transform_Matrix iTM;
};

}  // namespace scds::ostravel
