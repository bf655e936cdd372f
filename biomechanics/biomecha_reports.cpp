#include "biomecha_reports.h"

#include <string>
#include <string_view>

#include "biomechanics_paths.h"
#include "duct_plane.h"
#include "error_log.h"
#include "number_format.h"
#include "output_file.h"

namespace scds::ostravel {
namespace {

// Which outputs a row stands in: the short report, the extended report and
// the Cor pass's console echo (All); both reports but not the echo (Files);
// the extended report only (Ext). The short report's rows are therefore, in
// order, rows of the extended report, and the echo's rows rows of the short
// report.
enum class In { All, Files, Ext };
constexpr In All = In::All;
constexpr In Files = In::Files;
constexpr In Ext = In::Ext;

// A quantity of the run: one of the three member pointers is set. Densities
// are held in g/mm^3 and printed in kg/m^3.
struct Quantity {
  double Pass_State::*pass = nullptr;
  double Cupula_Values::*cupula = nullptr;
  double Carried_Values::*carried = nullptr;
  bool density = false;
};

// One line of a report:
//   numbers 0: `text` is the whole line (a heading, a fixed row, or "" for an
//              empty line);
//   numbers 1: "<text>: <number>" and, when `unit` is not empty, " <unit>";
//   numbers 3: "<text> <duct> duct: <x>x <y>y <z>z", `text` being the side.
struct Row {
  In in = All;
  std::string_view text;
  int numbers = 0;
  Quantity q[3];
  std::string_view unit;
  std::string_view duct;
};

constexpr Row Line(In in, std::string_view text) {
  Row row;
  row.in = in;
  row.text = text;
  return row;
}

constexpr Row Number(In in, std::string_view label, Quantity q, std::string_view unit = {}) {
  Row row;
  row.in = in;
  row.text = label;
  row.numbers = 1;
  row.q[0] = q;
  row.unit = unit;
  return row;
}

constexpr Row Vector(In in, std::string_view side, std::string_view duct, Quantity x, Quantity y, Quantity z) {
  Row row;
  row.in = in;
  row.text = side;
  row.numbers = 3;
  row.q[0] = x;
  row.q[1] = y;
  row.q[2] = z;
  row.duct = duct;
  return row;
}

#define PASS(name) Quantity{&Pass_State::name, nullptr, nullptr, false}
#define CUP(name) Quantity{nullptr, &Cupula_Values::name, nullptr, false}
#define MAT(name) Quantity{nullptr, nullptr, &Carried_Values::name, false}
#define DENSITY(name) Quantity{nullptr, nullptr, &Carried_Values::name, true}

// clang-format off
// The extended report, line by line; the rows tagged All or Files are the
// short report.
constexpr Row kLayout[] = {
    Line(All, "CUPULA FINITE ELEMENT ANALYSIS"),
    Line(All, ""),
    Line(All, "DEFORMATION PROFILE FACTORS"),
    Line(All, ""),
    Number(All, "Anterior cupula (long cilia)", PASS(wsCa_high)),
    Number(All, "Anterior cupula (medium cilia)", PASS(wsCa_med)),
    Number(All, "Anterior cupula (short cilia)", PASS(wsCa_low)),
    Line(All, ""),
    Number(All, "Posterior cupula (long cilia)", PASS(wsCp_high)),
    Number(All, "Posterior cupula (medium cilia)", PASS(wsCp_med)),
    Number(All, "Posterior cupula (short cilia)", PASS(wsCp_low)),
    Line(All, ""),
    Number(All, "Lateral cupula (long cilia)", PASS(wsCl_high)),
    Number(All, "Lateral cupula (medium cilia)", PASS(wsCl_med)),
    Number(All, "Lateral cupula (short cilia)", PASS(wsCl_low)),
    Line(All, ""),
    Line(All, "DEFLECTION CILIA AREAS"),
    Line(All, ""),
    Number(All, "Anterior cupula (long cilia, high thickness)", CUP(da_high_mean_h), "deg/nL"),
    Number(Ext, "Anterior cupula (long cilia, medium thickness)", CUP(da_med_mean_h), "deg/nL"),
    Number(Ext, "Anterior cupula (long cilia, low thickness)", CUP(da_low_mean_h), "deg/nL"),
    Line(Ext, ""),
    Number(All, "Anterior cupula (medium cilia, high thickness)", CUP(da_high_mean_m), "deg/nL"),
    Number(All, "Anterior cupula (medium cilia, medium thickness)", CUP(da_med_mean_m), "deg/nL"),
    Number(Ext, "Anterior cupula (medium cilia, low thickness)", CUP(da_low_mean_m), "deg/nL"),
    Line(Ext, ""),
    Number(All, "Anterior cupula (short cilia, high thickness)", CUP(da_high_mean_l), "deg/nL"),
    Number(All, "Anterior cupula (short cilia, medium thickness)", CUP(da_med_mean_l), "deg/nL"),
    Number(All, "Anterior cupula (short cilia, low thickness)", CUP(da_low_mean_l), "deg/nL"),
    Line(All, ""),
    Number(All, "Posterior cupula (long cilia, high thickness)", CUP(dp_high_mean_h), "deg/nL"),
    Number(Ext, "Posterior cupula (long cilia, medium thickness)", CUP(dp_med_mean_h), "deg/nL"),
    Number(Ext, "Posterior cupula (long cilia, low thickness)", CUP(dp_low_mean_h), "deg/nL"),
    Line(Ext, ""),
    Number(All, "Posterior cupula (medium cilia, high thickness)", CUP(dp_high_mean_m), "deg/nL"),
    Number(All, "Posterior cupula (medium cilia, medium thickness)", CUP(dp_med_mean_m), "deg/nL"),
    Number(Ext, "Posterior cupula (medium cilia, low thickness)", CUP(dp_low_mean_m), "deg/nL"),
    Line(Ext, ""),
    Number(All, "Posterior cupula (short cilia, high thickness)", CUP(dp_high_mean_l), "deg/nL"),
    Number(All, "Posterior cupula (short cilia, medium thickness)", CUP(dp_med_mean_l), "deg/nL"),
    Number(All, "Posterior cupula (short cilia, low thickness)", CUP(dp_low_mean_l), "deg/nL"),
    Line(All, ""),
    Number(All, "Lateral cupula (long cilia, high thickness)", CUP(dl_high_mean_h), "deg/nL"),
    Number(Ext, "Lateral cupula (long cilia, medium thickness)", CUP(dl_med_mean_h), "deg/nL"),
    Number(Ext, "Lateral cupula (long cilia, low thickness)", CUP(dl_low_mean_h), "deg/nL"),
    Line(Ext, ""),
    Number(All, "Lateral cupula (medium cilia, high thickness)", CUP(dl_high_mean_m), "deg/nL"),
    Number(All, "Lateral cupula (medium cilia, medium thickness)", CUP(dl_med_mean_m), "deg/nL"),
    Number(Ext, "Lateral cupula (medium cilia, low thickness)", CUP(dl_low_mean_m), "deg/nL"),
    Line(Ext, ""),
    Number(All, "Lateral cupula (short cilia, high thickness)", CUP(dl_high_mean_l), "deg/nL"),
    Number(All, "Lateral cupula (short cilia, medium thickness)", CUP(dl_med_mean_l), "deg/nL"),
    Number(All, "Lateral cupula (short cilia, low thickness)", CUP(dl_low_mean_l), "deg/nL"),
    Line(All, ""),
    Line(All, "STIFFNESS"),
    Line(All, ""),
    Number(All, "Anterior cupula (long cilia)", CUP(KADT_high), "g/s^2.mm^4"),
    Number(All, "Anterior cupula (medium cilia)", CUP(KADT_med), "g/s^2.mm^4"),
    Number(All, "Anterior cupula (short cilia)", CUP(KADT_low), "g/s^2.mm^4"),
    Line(All, ""),
    Number(All, "Posterior cupula (long cilia)", CUP(KPDT_high), "g/s^2.mm^4"),
    Number(All, "Posterior cupula (medium cilia)", CUP(KPDT_med), "g/s^2.mm^4"),
    Number(All, "Posterior cupula (short cilia)", CUP(KPDT_low), "g/s^2.mm^4"),
    Line(All, ""),
    Number(All, "Lateral cupula (long cilia)", CUP(KLDT_high), "g/s^2.mm^4"),
    Number(All, "Lateral cupula (medium cilia)", CUP(KLDT_med), "g/s^2.mm^4"),
    Number(All, "Lateral cupula (short cilia)", CUP(KLDT_low), "g/s^2.mm^4"),
    Line(All, ""),
    Line(All, ""),
    Line(All, "STRUCTURAL PARAMETERS"),
    Line(All, ""),
    Line(All, "MASS"),
    Line(All, ""),
    Number(Ext, "Anterior slender duct", PASS(MSa), "g/mm^4"),
    Number(Ext, "Posterior slender duct", PASS(MSp), "g/mm^4"),
    Number(Ext, "Lateral slender duct", PASS(MSl), "g/mm^4"),
    Line(Ext, ""),
    Number(Ext, "Common crus (anterior trajectory)", PASS(MCCa), "g/mm^4"),
    Number(Ext, "Common crus (posterior trajectory)", PASS(MCCp), "g/mm^4"),
    Number(All, "Common crus (common part)", PASS(MCC), "g/mm^4"),
    Number(Ext, "Simple crus", PASS(MUl), "g/mm^4"),
    Line(Ext, ""),
    Number(Ext, "Anterior utricle (anterior trajectory)", PASS(MUCa), "g/mm^4"),
    Number(Ext, "Anterior utricle (lateral trajectory)", PASS(MUCl), "g/mm^4"),
    Number(All, "Anterior utricle (common part)", PASS(MUC), "g/mm^4"),
    Number(Ext, "Posterior utricle", PASS(MUCp), "g/mm^4"),
    Line(All, ""),
    Number(Ext, "Anterior ampulla (long cilia)", PASS(MAa_high), "g/mm^4"),
    Number(Ext, "Anterior ampulla (medium cilia)", PASS(MAa_med), "g/mm^4"),
    Number(Ext, "Anterior ampulla (short cilia)", PASS(MAa_low), "g/mm^4"),
    Line(Ext, ""),
    Number(Ext, "Posterior ampulla (long cilia)", PASS(MAp_high), "g/mm^4"),
    Number(Ext, "Posterior ampulla (medium cilia)", PASS(MAp_med), "g/mm^4"),
    Number(Ext, "Posterior ampulla (short cilia)", PASS(MAp_low), "g/mm^4"),
    Line(Ext, ""),
    Number(Ext, "Lateral ampulla (long cilia)", PASS(MAl_high), "g/mm^4"),
    Number(Ext, "Lateral ampulla (medium cilia)", PASS(MAl_med), "g/mm^4"),
    Number(Ext, "Lateral ampulla (short cilia)", PASS(MAl_low), "g/mm^4"),
    Line(Ext, ""),
    Number(Ext, "Anterior cupula (long cilia)", PASS(MCa_high), "g/mm^4"),
    Number(Ext, "Anterior cupula (medium cilia)", PASS(MCa_med), "g/mm^4"),
    Number(Ext, "Anterior cupula (short cilia)", PASS(MCa_low), "g/mm^4"),
    Line(Ext, ""),
    Number(Ext, "Posterior cupula (long cilia)", PASS(MCp_high), "g/mm^4"),
    Number(Ext, "Posterior cupula (medium cilia)", PASS(MCp_med), "g/mm^4"),
    Number(Ext, "Posterior cupula (short cilia)", PASS(MCp_low), "g/mm^4"),
    Line(Ext, ""),
    Number(Ext, "Lateral cupula (long cilia)", PASS(MCl_high), "g/mm^4"),
    Number(Ext, "Lateral cupula (medium cilia)", PASS(MCl_med), "g/mm^4"),
    Number(Ext, "Lateral cupula (short cilia)", PASS(MCl_low), "g/mm^4"),
    Line(Ext, ""),
    Number(All, "Anterior duct (long cilia)", PASS(MADT_high), "g/mm^4"),
    Number(All, "Anterior duct (medium cilia)", PASS(MADT_med), "g/mm^4"),
    Number(All, "Anterior duct (short cilia)", PASS(MADT_low), "g/mm^4"),
    Line(All, ""),
    Number(All, "Posterior duct (long cilia)", PASS(MPDT_high), "g/mm^4"),
    Number(All, "Posterior duct (medium cilia)", PASS(MPDT_med), "g/mm^4"),
    Number(All, "Posterior duct (short cilia)", PASS(MPDT_low), "g/mm^4"),
    Line(All, ""),
    Number(All, "Lateral duct (long cilia)", PASS(MLDT_high), "g/mm^4"),
    Number(All, "Lateral duct (medium cilia)", PASS(MLDT_med), "g/mm^4"),
    Number(All, "Lateral duct (short cilia)", PASS(MLDT_low), "g/mm^4"),
    Line(All, ""),
    Line(All, "DAMPING"),
    Line(All, ""),
    Number(Ext, "Anterior slender duct", PASS(CSa), "g/s.mm^4"),
    Number(Ext, "Posterior slender duct", PASS(CSp), "g/s.mm^4"),
    Number(Ext, "Lateral slender duct", PASS(CSl), "g/s.mm^4"),
    Line(Ext, ""),
    Number(Ext, "Common crus (anterior trajectory)", PASS(CCCa), "g/s.mm^4"),
    Number(Ext, "Common crus (posterior trajectory)", PASS(CCCp), "g/s.mm^4"),
    Number(All, "Common crus (common part)", PASS(CCC), "g/s.mm^4"),
    Number(Ext, "Simple crus", PASS(CUl), "g/s.mm^4"),
    Line(Ext, ""),
    Number(Ext, "Anterior utricle (anterior trajectory)", PASS(CUCa), "g/s.mm^4"),
    Number(Ext, "Anterior utricle (lateral trajectory)", PASS(CUCl), "g/s.mm^4"),
    Number(All, "Anterior utricle (common part)", PASS(CUC), "g/s.mm^4"),
    Number(Ext, "Posterior utricle", PASS(CUCp), "g/s.mm^4"),
    Line(All, ""),
    Number(Ext, "Anterior ampulla (long cilia)", PASS(CAa_high), "g/s.mm^4"),
    Number(Ext, "Anterior ampulla (medium cilia)", PASS(CAa_med), "g/s.mm^4"),
    Number(Ext, "Anterior ampulla (short cilia)", PASS(CAa_low), "g/s.mm^4"),
    Line(Ext, ""),
    Number(Ext, "Posterior ampulla (long cilia)", PASS(CAp_high), "g/s.mm^4"),
    Number(Ext, "Posterior ampulla (medium cilia)", PASS(CAp_med), "g/s.mm^4"),
    Number(Ext, "Posterior ampulla (short cilia)", PASS(CAp_low), "g/s.mm^4"),
    Line(Ext, ""),
    Number(Ext, "Lateral ampulla (long cilia)", PASS(CAl_high), "g/s.mm^4"),
    Number(Ext, "Lateral ampulla (medium cilia)", PASS(CAl_med), "g/s.mm^4"),
    Number(Ext, "Lateral ampulla (short cilia)", PASS(CAl_low), "g/s.mm^4"),
    Line(Ext, ""),
    Number(Ext, "Anterior cupula (long cilia)", PASS(CCa_high), "g/s.mm^4"),
    Number(Ext, "Anterior cupula (medium cilia)", PASS(CCa_med), "g/s.mm^4"),
    Number(Ext, "Anterior cupula (short cilia)", PASS(CCa_low), "g/s.mm^4"),
    Line(Ext, ""),
    Number(Ext, "Posterior cupula (long cilia)", PASS(CCp_high), "g/s.mm^4"),
    Number(Ext, "Posterior cupula (medium cilia)", PASS(CCp_med), "g/s.mm^4"),
    Number(Ext, "Posterior cupula (short cilia)", PASS(CCp_low), "g/s.mm^4"),
    Line(Ext, ""),
    Number(Ext, "Lateral cupula (long cilia)", PASS(CCl_high), "g/s.mm^4"),
    Number(Ext, "Lateral cupula (medium cilia)", PASS(CCl_med), "g/s.mm^4"),
    Number(Ext, "Lateral cupula (short cilia)", PASS(CCl_low), "g/s.mm^4"),
    Line(Ext, ""),
    Number(All, "Anterior duct (long cilia)", PASS(CADT_high), "g/s.mm^4"),
    Number(All, "Anterior duct (medium cilia)", PASS(CADT_med), "g/s.mm^4"),
    Number(All, "Anterior duct (short cilia)", PASS(CADT_low), "g/s.mm^4"),
    Line(All, ""),
    Number(All, "Posterior duct (long cilia)", PASS(CPDT_high), "g/s.mm^4"),
    Number(All, "Posterior duct (medium cilia)", PASS(CPDT_med), "g/s.mm^4"),
    Number(All, "Posterior duct (short cilia)", PASS(CPDT_low), "g/s.mm^4"),
    Line(All, ""),
    Number(All, "Lateral duct (long cilia)", PASS(CLDT_high), "g/s.mm^4"),
    Number(All, "Lateral duct (medium cilia)", PASS(CLDT_med), "g/s.mm^4"),
    Number(All, "Lateral duct (short cilia)", PASS(CLDT_low), "g/s.mm^4"),
    Line(All, ""),
    Line(All, "INERTIAL FORCING"),
    Line(All, ""),
    Number(All, "Anterior duct", PASS(GADT), "g/mm"),
    Number(All, "Posterior duct", PASS(GPDT), "g/mm"),
    Number(All, "Lateral duct", PASS(GLDT), "g/mm"),
    Line(All, ""),
    Line(All, ""),
    Line(All, "DYNAMIC PARAMETERS"),
    Line(All, ""),
    Line(All, "TIME CONSTANTS"),
    Line(All, ""),
    Line(Files, "LONG TIME CONSTANTS"),
    Line(Files, ""),
    Number(All, "First constant (long cilia)", PASS(t_5_l), "s"),
    Number(All, "First constant (medium cilia)", PASS(t_5_m), "s"),
    Number(All, "First constant (short cilia)", PASS(t_5_s), "s"),
    Line(All, ""),
    Number(All, "Second constant (long cilia)", PASS(t_6_l), "s"),
    Number(All, "Second constant (medium cilia)", PASS(t_6_m), "s"),
    Number(All, "Second constant (short cilia)", PASS(t_6_s), "s"),
    Line(All, ""),
    Number(All, "Third constant (long cilia)", PASS(t_4_l), "s"),
    Number(All, "Third constant (medium cilia)", PASS(t_4_m), "s"),
    Number(All, "Third constant (short cilia)", PASS(t_4_s), "s"),
    Line(All, ""),
    Line(Ext, "LONG TIME CONSTANTS (UNCOUPLED)"),
    Line(Ext, ""),
    Number(Ext, "Anterior duct (long cilia)", PASS(T1_A_high), "s"),
    Number(Ext, "Anterior duct (medium cilia)", PASS(T1_A_med), "s"),
    Number(Ext, "Anterior duct (short cilia)", PASS(T1_A_low), "s"),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (long cilia)", PASS(T1_P_high), "s"),
    Number(Ext, "Posterior duct (medium cilia)", PASS(T1_P_med), "s"),
    Number(Ext, "Posterior duct (short cilia)", PASS(T1_P_low), "s"),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (long cilia)", PASS(T1_L_high), "s"),
    Number(Ext, "Lateral duct (medium cilia)", PASS(T1_L_med), "s"),
    Number(Ext, "Lateral duct (short cilia)", PASS(T1_L_low), "s"),
    Line(Ext, ""),
    Line(All, "SHORT TIME CONSTANTS"),
    Line(All, ""),
    Number(All, "First constant (long cilia)", PASS(t_2_l), "ms"),
    Number(All, "First constant (medium cilia)", PASS(t_2_m), "ms"),
    Number(All, "First constant (short cilia)", PASS(t_2_s), "ms"),
    Line(All, ""),
    Number(All, "Second constant (long cilia)", PASS(t_3_l), "ms"),
    Number(All, "Second constant (medium cilia)", PASS(t_3_m), "ms"),
    Number(All, "Second constant (short cilia)", PASS(t_3_s), "ms"),
    Line(All, ""),
    Number(All, "Third constant (long cilia)", PASS(t_1_l), "ms"),
    Number(All, "Third constant (medium cilia)", PASS(t_1_m), "ms"),
    Number(All, "Third constant (short cilia)", PASS(t_1_s), "ms"),
    Line(All, ""),
    Line(Ext, "SHORT TIME CONSTANTS (UNCOUPLED)"),
    Line(Ext, ""),
    Number(Ext, "Anterior duct (long cilia)", PASS(T2_A_high), "ms"),
    Number(Ext, "Anterior duct (medium cilia)", PASS(T2_A_med), "ms"),
    Number(Ext, "Anterior duct (short cilia)", PASS(T2_A_low), "ms"),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (long cilia)", PASS(T2_P_high), "ms"),
    Number(Ext, "Posterior duct (medium cilia)", PASS(T2_P_med), "ms"),
    Number(Ext, "Posterior duct (short cilia)", PASS(T2_P_low), "ms"),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (long cilia)", PASS(T2_L_high), "ms"),
    Number(Ext, "Lateral duct (medium cilia)", PASS(T2_L_med), "ms"),
    Number(Ext, "Lateral duct (short cilia)", PASS(T2_L_low), "ms"),
    Line(Ext, ""),
    Line(All, "BANDWIDTH"),
    Line(All, ""),
    Line(All, "LOWER CORNER FREQUENCIES"),
    Line(All, ""),
    Number(All, "First frequency (long cilia)", PASS(w_5_l), "Hz"),
    Number(All, "First frequency (medium cilia)", PASS(w_5_m), "Hz"),
    Number(All, "First frequency (short cilia)", PASS(w_5_s), "Hz"),
    Line(All, ""),
    Number(All, "Second frequency (long cilia)", PASS(w_6_l), "Hz"),
    Number(All, "Second frequency (medium cilia)", PASS(w_6_m), "Hz"),
    Number(All, "Second frequency (short cilia)", PASS(w_6_s), "Hz"),
    Line(All, ""),
    Number(All, "Third frequency (long cilia)", PASS(w_4_l), "Hz"),
    Number(All, "Third frequency (medium cilia)", PASS(w_4_m), "Hz"),
    Number(All, "Third frequency (short cilia)", PASS(w_4_s), "Hz"),
    Line(All, ""),
    Line(Ext, "LOWER CORNER FREQUENCIES (UNCOUPLED)"),
    Line(Ext, ""),
    Number(Ext, "Anterior duct (long cilia)", PASS(w1_A_high), "Hz"),
    Number(Ext, "Anterior duct (medium cilia)", PASS(w1_A_med), "Hz"),
    Number(Ext, "Anterior duct (short cilia)", PASS(w1_A_low), "Hz"),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (long cilia)", PASS(w1_P_high), "Hz"),
    Number(Ext, "Posterior duct (medium cilia)", PASS(w1_P_med), "Hz"),
    Number(Ext, "Posterior duct (short cilia)", PASS(w1_P_low), "Hz"),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (long cilia)", PASS(w1_L_high), "Hz"),
    Number(Ext, "Lateral duct (medium cilia)", PASS(w1_L_med), "Hz"),
    Number(Ext, "Lateral duct (short cilia)", PASS(w1_L_low), "Hz"),
    Line(Ext, ""),
    Line(All, "UPPER CORNER FREQUENCIES"),
    Line(All, ""),
    Number(All, "First frequency (long cilia)", PASS(w_2_l), "Hz"),
    Number(All, "First frequency (medium cilia)", PASS(w_2_m), "Hz"),
    Number(All, "First frequency (short cilia)", PASS(w_2_s), "Hz"),
    Line(All, ""),
    Number(All, "Second frequency (long cilia)", PASS(w_3_l), "Hz"),
    Number(All, "Second frequency (medium cilia)", PASS(w_3_m), "Hz"),
    Number(All, "Second frequency (short cilia)", PASS(w_3_s), "Hz"),
    Line(All, ""),
    Number(All, "Third frequency (long cilia)", PASS(w_1_l), "Hz"),
    Number(All, "Third frequency (medium cilia)", PASS(w_1_m), "Hz"),
    Number(All, "Third frequency (short cilia)", PASS(w_1_s), "Hz"),
    Line(All, ""),
    Line(Ext, "UPPER CORNER FREQUENCIES (UNCOUPLED)"),
    Line(Ext, ""),
    Number(Ext, "Anterior duct (long cilia)", PASS(w2_A_high), "Hz"),
    Number(Ext, "Anterior duct (medium cilia)", PASS(w2_A_med), "Hz"),
    Number(Ext, "Anterior duct (short cilia)", PASS(w2_A_low), "Hz"),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (long cilia)", PASS(w2_P_high), "Hz"),
    Number(Ext, "Posterior duct (medium cilia)", PASS(w2_P_med), "Hz"),
    Number(Ext, "Posterior duct (short cilia)", PASS(w2_P_low), "Hz"),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (long cilia)", PASS(w2_L_high), "Hz"),
    Number(Ext, "Lateral duct (medium cilia)", PASS(w2_L_med), "Hz"),
    Number(Ext, "Lateral duct (short cilia)", PASS(w2_L_low), "Hz"),
    Line(Ext, ""),
    Line(Ext, "NATURAL FREQUENCIES (UNCOUPLED)"),
    Line(Ext, ""),
    Number(Ext, "Anterior duct (long cilia)", PASS(wn_A_high), "Hz"),
    Number(Ext, "Anterior duct (medium cilia)", PASS(wn_A_med), "Hz"),
    Number(Ext, "Anterior duct (short cilia)", PASS(wn_A_low), "Hz"),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (long cilia)", PASS(wn_P_high), "Hz"),
    Number(Ext, "Posterior duct (medium cilia)", PASS(wn_P_med), "Hz"),
    Number(Ext, "Posterior duct (short cilia)", PASS(wn_P_low), "Hz"),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (long cilia)", PASS(wn_L_high), "Hz"),
    Number(Ext, "Lateral duct (medium cilia)", PASS(wn_L_med), "Hz"),
    Number(Ext, "Lateral duct (short cilia)", PASS(wn_L_low), "Hz"),
    Line(Ext, ""),
    Line(Ext, "FRACTIONAL BANDWIDTHS (UNCOUPLED)"),
    Line(Ext, ""),
    Number(Ext, "Anterior duct (long cilia)", PASS(FB_A_high)),
    Number(Ext, "Anterior duct (medium cilia)", PASS(FB_A_med)),
    Number(Ext, "Anterior duct (short cilia)", PASS(FB_A_low)),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (long cilia)", PASS(FB_P_high)),
    Number(Ext, "Posterior duct (medium cilia)", PASS(FB_P_med)),
    Number(Ext, "Posterior duct (short cilia)", PASS(FB_P_low)),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (long cilia)", PASS(FB_L_high)),
    Number(Ext, "Lateral duct (medium cilia)", PASS(FB_L_med)),
    Number(Ext, "Lateral duct (short cilia)", PASS(FB_L_low)),
    Line(Ext, ""),
    Line(All, ""),
    Line(All, "IN-PLANE SENSITIVITY PARAMETERS"),
    Line(All, ""),
    Line(All, "MECHANICAL GAIN"),
    Line(All, ""),
    Number(Ext, "Anterior duct (cupula volumic displacement, long cilia)", PASS(iX_Q_2_l), "nL/deg"),
    Number(Ext, "Anterior duct (cupula volumic displacement, medium cilia)", PASS(iX_Q_2_m), "nL/deg"),
    Number(Ext, "Anterior duct (cupula volumic displacement, short cilia)", PASS(iX_Q_2_s), "nL/deg"),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (cupula volumic displacement, long cilia)", PASS(iX_Q_3_l), "nL/deg"),
    Number(Ext, "Posterior duct (cupula volumic displacement, medium cilia)", PASS(iX_Q_3_m), "nL/deg"),
    Number(Ext, "Posterior duct (cupula volumic displacement, short cilia)", PASS(iX_Q_3_s), "nL/deg"),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (cupula volumic displacement, long cilia)", PASS(iX_Q_1_l), "nL/deg"),
    Number(Ext, "Lateral duct (cupula volumic displacement, medium cilia)", PASS(iX_Q_1_m), "nL/deg"),
    Number(Ext, "Lateral duct (cupula volumic displacement, short cilia)", PASS(iX_Q_1_s), "nL/deg"),
    Line(Ext, ""),
    Line(Ext, ""),
    Number(Ext, "Anterior duct (cupula average linear displacement, long cilia)", PASS(iX_u_2_l), "um/deg"),
    Number(Ext, "Anterior duct (cupula average linear displacement, medium cilia)", PASS(iX_u_2_m), "um/deg"),
    Number(Ext, "Anterior duct (cupula average linear displacement, short cilia)", PASS(iX_u_2_s), "um/deg"),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (cupula average linear displacement, long cilia)", PASS(iX_u_3_l), "um/deg"),
    Number(Ext, "Posterior duct (cupula average linear displacement, medium cilia)", PASS(iX_u_3_m), "um/deg"),
    Number(Ext, "Posterior duct (cupula average linear displacement, short cilia)", PASS(iX_u_3_s), "um/deg"),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (cupula average linear displacement, long cilia)", PASS(iX_u_1_l), "um/deg"),
    Number(Ext, "Lateral duct (cupula average linear displacement, medium cilia)", PASS(iX_u_1_m), "um/deg"),
    Number(Ext, "Lateral duct (cupula average linear displacement, short cilia)", PASS(iX_u_1_s), "um/deg"),
    Line(Ext, ""),
    Line(Ext, ""),
    Number(All, "Anterior duct (cilia average deflection, long cilia)", PASS(iX_s_2_l), "deg/deg"),
    Number(All, "Anterior duct (cilia average deflection, medium cilia)", PASS(iX_s_2_m), "deg/deg"),
    Number(All, "Anterior duct (cilia average deflection, short cilia)", PASS(iX_s_2_s), "deg/deg"),
    Line(All, ""),
    Number(All, "Posterior duct (cilia average deflection, long cilia)", PASS(iX_s_3_l), "deg/deg"),
    Number(All, "Posterior duct (cilia average deflection, medium cilia)", PASS(iX_s_3_m), "deg/deg"),
    Number(All, "Posterior duct (cilia average deflection, short cilia)", PASS(iX_s_3_s), "deg/deg"),
    Line(All, ""),
    Number(All, "Lateral duct (cilia average deflection, long cilia)", PASS(iX_s_1_l), "deg/deg"),
    Number(All, "Lateral duct (cilia average deflection, medium cilia)", PASS(iX_s_1_m), "deg/deg"),
    Number(All, "Lateral duct (cilia average deflection, short cilia)", PASS(iX_s_1_s), "deg/deg"),
    Line(All, ""),
    Line(Ext, "MECHANICAL GAIN (UNCOUPLED)"),
    Line(Ext, ""),
    Number(Ext, "Anterior duct (cupula volumic displacement, long cilia)", PASS(QX_A_high), "nL/deg"),
    Number(Ext, "Anterior duct (cupula volumic displacement, medium cilia)", PASS(QX_A_med), "nL/deg"),
    Number(Ext, "Anterior duct (cupula volumic displacement, short cilia)", PASS(QX_A_low), "nL/deg"),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (cupula volumic displacement, long cilia)", PASS(QX_P_high), "nL/deg"),
    Number(Ext, "Posterior duct (cupula volumic displacement, medium cilia)", PASS(QX_P_med), "nL/deg"),
    Number(Ext, "Posterior duct (cupula volumic displacement, short cilia)", PASS(QX_P_low), "nL/deg"),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (cupula volumic displacement, long cilia)", PASS(QX_L_high), "nL/deg"),
    Number(Ext, "Lateral duct (cupula volumic displacement, medium cilia)", PASS(QX_L_med), "nL/deg"),
    Number(Ext, "Lateral duct (cupula volumic displacement, short cilia)", PASS(QX_L_low), "nL/deg"),
    Line(Ext, ""),
    Line(Ext, ""),
    Number(Ext, "Anterior duct (cupula average linear displacement, long cilia)", PASS(uX_A_high), "um/deg"),
    Number(Ext, "Anterior duct (cupula average linear displacement, medium cilia)", PASS(uX_A_med), "um/deg"),
    Number(Ext, "Anterior duct (cupula average linear displacement, short cilia)", PASS(uX_A_low), "um/deg"),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (cupula average linear displacement, long cilia)", PASS(uX_P_high), "um/deg"),
    Number(Ext, "Posterior duct (cupula average linear displacement, medium cilia)", PASS(uX_P_med), "um/deg"),
    Number(Ext, "Posterior duct (cupula average linear displacement, short cilia)", PASS(uX_P_low), "um/deg"),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (cupula average linear displacement, long cilia)", PASS(uX_L_high), "um/deg"),
    Number(Ext, "Lateral duct (cupula average linear displacement, medium cilia)", PASS(uX_L_med), "um/deg"),
    Number(Ext, "Lateral duct (cupula average linear displacement, short cilia)", PASS(uX_L_low), "um/deg"),
    Line(Ext, ""),
    Line(Ext, ""),
    Number(Ext, "Anterior duct (cilia average deflection, long cilia)", PASS(bXh_A), "deg/deg"),
    Number(Ext, "Anterior duct (cilia average deflection, medium cilia)", PASS(bXm_A), "deg/deg"),
    Number(Ext, "Anterior duct (cilia average deflection, short cilia)", PASS(bXl_A), "deg/deg"),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (cilia average deflection, long cilia)", PASS(bXh_P), "deg/deg"),
    Number(Ext, "Posterior duct (cilia average deflection, medium cilia)", PASS(bXm_P), "deg/deg"),
    Number(Ext, "Posterior duct (cilia average deflection, short cilia)", PASS(bXl_P), "deg/deg"),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (cilia average deflection, long cilia)", PASS(bXh_L), "deg/deg"),
    Number(Ext, "Lateral duct (cilia average deflection, medium cilia)", PASS(bXm_L), "deg/deg"),
    Number(Ext, "Lateral duct (cilia average deflection, short cilia)", PASS(bXl_L), "deg/deg"),
    Line(Ext, ""),
    Line(All, "VELOCITY GAIN"),
    Line(All, ""),
    Number(Ext, "Anterior duct (cupula volumic displacement, long cilia)", PASS(iVG_Q_2_l), "nL/deg.s-1"),
    Number(Ext, "Anterior duct (cupula volumic displacement, medium cilia)", PASS(iVG_Q_2_m), "nL/deg.s-1"),
    Number(Ext, "Anterior duct (cupula volumic displacement, short cilia)", PASS(iVG_Q_2_s), "nL/deg.s-1"),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (cupula volumic displacement, long cilia)", PASS(iVG_Q_3_l), "nL/deg.s-1"),
    Number(Ext, "Posterior duct (cupula volumic displacement, medium cilia)", PASS(iVG_Q_3_m), "nL/deg.s-1"),
    Number(Ext, "Posterior duct (cupula volumic displacement, short cilia)", PASS(iVG_Q_3_s), "nL/deg.s-1"),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (cupula volumic displacement, long cilia)", PASS(iVG_Q_1_l), "nL/deg.s-1"),
    Number(Ext, "Lateral duct (cupula volumic displacement, medium cilia)", PASS(iVG_Q_1_m), "nL/deg.s-1"),
    Number(Ext, "Lateral duct (cupula volumic displacement, short cilia)", PASS(iVG_Q_1_s), "nL/deg.s-1"),
    Line(Ext, ""),
    Line(Ext, ""),
    Number(Ext, "Anterior duct (cupula average linear displacement, long cilia)", PASS(iVG_u_2_l), "um/deg.s-1"),
    Number(Ext, "Anterior duct (cupula average linear displacement, medium cilia)", PASS(iVG_u_2_m), "um/deg.s-1"),
    Number(Ext, "Anterior duct (cupula average linear displacement, short cilia)", PASS(iVG_u_2_s), "um/deg.s-1"),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (cupula average linear displacement, long cilia)", PASS(iVG_u_3_l), "um/deg.s-1"),
    Number(Ext, "Posterior duct (cupula average linear displacement, medium cilia)", PASS(iVG_u_3_m), "um/deg.s-1"),
    Number(Ext, "Posterior duct (cupula average linear displacement, short cilia)", PASS(iVG_u_3_s), "um/deg.s-1"),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (cupula average linear displacement, long cilia)", PASS(iVG_u_1_l), "um/deg.s-1"),
    Number(Ext, "Lateral duct (cupula average linear displacement, medium cilia)", PASS(iVG_u_1_m), "um/deg.s-1"),
    Number(Ext, "Lateral duct (cupula average linear displacement, short cilia)", PASS(iVG_u_1_s), "um/deg.s-1"),
    Line(Ext, ""),
    Line(Ext, ""),
    Number(All, "Anterior duct (cilia average deflection, long cilia)", PASS(iVG_s_2_l), "deg/deg.s-1"),
    Number(All, "Anterior duct (cilia average deflection, medium cilia)", PASS(iVG_s_2_m), "deg/deg.s-1"),
    Number(All, "Anterior duct (cilia average deflection, short cilia)", PASS(iVG_s_2_s), "deg/deg.s-1"),
    Line(All, ""),
    Number(All, "Posterior duct (cilia average deflection, long cilia)", PASS(iVG_s_3_l), "deg/deg.s-1"),
    Number(All, "Posterior duct (cilia average deflection, medium cilia)", PASS(iVG_s_3_m), "deg/deg.s-1"),
    Number(All, "Posterior duct (cilia average deflection, short cilia)", PASS(iVG_s_3_s), "deg/deg.s-1"),
    Line(All, ""),
    Number(All, "Lateral duct (cilia average deflection, long cilia)", PASS(iVG_s_1_l), "deg/deg.s-1"),
    Number(All, "Lateral duct (cilia average deflection, medium cilia)", PASS(iVG_s_1_m), "deg/deg.s-1"),
    Number(All, "Lateral duct (cilia average deflection, short cilia)", PASS(iVG_s_1_s), "deg/deg.s-1"),
    Line(All, ""),
    Line(Ext, "VELOCITY GAIN (UNCOUPLED)"),
    Line(Ext, ""),
    Number(Ext, "Anterior duct (cupula volumic displacement, long cilia)", PASS(QVG_A_high), "nL/deg.s-1"),
    Number(Ext, "Anterior duct (cupula volumic displacement, medium cilia)", PASS(QVG_A_med), "nL/deg.s-1"),
    Number(Ext, "Anterior duct (cupula volumic displacement, short cilia)", PASS(QVG_A_low), "nL/deg.s-1"),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (cupula volumic displacement, long cilia)", PASS(QVG_P_high), "nL/deg.s-1"),
    Number(Ext, "Posterior duct (cupula volumic displacement, medium cilia)", PASS(QVG_P_med), "nL/deg.s-1"),
    Number(Ext, "Posterior duct (cupula volumic displacement, short cilia)", PASS(QVG_P_low), "nL/deg.s-1"),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (cupula volumic displacement, long cilia)", PASS(QVG_L_high), "nL/deg.s-1"),
    Number(Ext, "Lateral duct (cupula volumic displacement, medium cilia)", PASS(QVG_L_med), "nL/deg.s-1"),
    Number(Ext, "Lateral duct (cupula volumic displacement, short cilia)", PASS(QVG_L_low), "nL/deg.s-1"),
    Line(Ext, ""),
    Line(Ext, ""),
    Number(Ext, "Anterior duct (cupula average linear displacement, long cilia)", PASS(uVG_A_high), "um/deg.s-1"),
    Number(Ext, "Anterior duct (cupula average linear displacement, medium cilia)", PASS(uVG_A_med), "um/deg.s-1"),
    Number(Ext, "Anterior duct (cupula average linear displacement, short cilia)", PASS(uVG_A_low), "um/deg.s-1"),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (cupula average linear displacement, long cilia)", PASS(uVG_P_high), "um/deg.s-1"),
    Number(Ext, "Posterior duct (cupula average linear displacement, medium cilia)", PASS(uVG_P_med), "um/deg.s-1"),
    Number(Ext, "Posterior duct (cupula average linear displacement, short cilia)", PASS(uVG_P_low), "um/deg.s-1"),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (cupula average linear displacement, long cilia)", PASS(uVG_L_high), "um/deg.s-1"),
    Number(Ext, "Lateral duct (cupula average linear displacement, medium cilia)", PASS(uVG_L_med), "um/deg.s-1"),
    Number(Ext, "Lateral duct (cupula average linear displacement, short cilia)", PASS(uVG_L_low), "um/deg.s-1"),
    Line(Ext, ""),
    Line(Ext, ""),
    Number(Ext, "Anterior duct (cilia average deflection, long cilia)", PASS(bVGh_A), "deg/deg.s-1"),
    Number(Ext, "Anterior duct (cilia average deflection, medium cilia)", PASS(bVGm_A), "deg/deg.s-1"),
    Number(Ext, "Anterior duct (cilia average deflection, short cilia)", PASS(bVGl_A), "deg/deg.s-1"),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (cilia average deflection, long cilia)", PASS(bVGh_P), "deg/deg.s-1"),
    Number(Ext, "Posterior duct (cilia average deflection, medium cilia)", PASS(bVGm_P), "deg/deg.s-1"),
    Number(Ext, "Posterior duct (cilia average deflection, short cilia)", PASS(bVGl_P), "deg/deg.s-1"),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (cilia average deflection, long cilia)", PASS(bVGh_L), "deg/deg.s-1"),
    Number(Ext, "Lateral duct (cilia average deflection, medium cilia)", PASS(bVGm_L), "deg/deg.s-1"),
    Number(Ext, "Lateral duct (cilia average deflection, short cilia)", PASS(bVGl_L), "deg/deg.s-1"),
    Line(Ext, ""),
    Line(All, "ACCELERATION GAIN"),
    Line(All, ""),
    Number(Ext, "Anterior duct (cupula volumic displacement, long cilia)", PASS(QAG_A_high), "nL/deg.s-2"),
    Number(Ext, "Anterior duct (cupula volumic displacement, medium cilia)", PASS(QAG_A_med), "nL/deg.s-2"),
    Number(Ext, "Anterior duct (cupula volumic displacement, short cilia)", PASS(QAG_A_low), "nL/deg.s-2"),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (cupula volumic displacement, long cilia)", PASS(QAG_P_high), "nL/deg.s-2"),
    Number(Ext, "Posterior duct (cupula volumic displacement, medium cilia)", PASS(QAG_P_med), "nL/deg.s-2"),
    Number(Ext, "Posterior duct (cupula volumic displacement, short cilia)", PASS(QAG_P_low), "nL/deg.s-2"),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (cupula volumic displacement, long cilia)", PASS(QAG_L_high), "nL/deg.s-2"),
    Number(Ext, "Lateral duct (cupula volumic displacement, medium cilia)", PASS(QAG_L_med), "nL/deg.s-2"),
    Number(Ext, "Lateral duct (cupula volumic displacement, short cilia)", PASS(QAG_L_low), "nL/deg.s-2"),
    Line(Ext, ""),
    Line(Ext, ""),
    Number(Ext, "Anterior duct (cupula average linear displacement, long cilia)", PASS(uAG_A_high), "um/deg.s-2"),
    Number(Ext, "Anterior duct (cupula average linear displacement, medium cilia)", PASS(uAG_A_med), "um/deg.s-2"),
    Number(Ext, "Anterior duct (cupula average linear displacement, short cilia)", PASS(uAG_A_low), "um/deg.s-2"),
    Line(Ext, ""),
    Number(Ext, "Posterior duct (cupula average linear displacement, long cilia)", PASS(uAG_P_high), "um/deg.s-2"),
    Number(Ext, "Posterior duct (cupula average linear displacement, medium cilia)", PASS(uAG_P_med), "um/deg.s-2"),
    Number(Ext, "Posterior duct (cupula average linear displacement, short cilia)", PASS(uAG_P_low), "um/deg.s-2"),
    Line(Ext, ""),
    Number(Ext, "Lateral duct (cupula average linear displacement, long cilia)", PASS(uAG_L_high), "um/deg.s-2"),
    Number(Ext, "Lateral duct (cupula average linear displacement, medium cilia)", PASS(uAG_L_med), "um/deg.s-2"),
    Number(Ext, "Lateral duct (cupula average linear displacement, short cilia)", PASS(uAG_L_low), "um/deg.s-2"),
    Line(Ext, ""),
    Line(Ext, ""),
    Number(All, "Anterior duct (cilia average deflection, long cilia)", PASS(bAGh_A), "deg/deg.s-2"),
    Number(All, "Anterior duct (cilia average deflection, medium cilia)", PASS(bAGm_A), "deg/deg.s-2"),
    Number(All, "Anterior duct (cilia average deflection, short cilia)", PASS(bAGl_A), "deg/deg.s-2"),
    Line(All, ""),
    Number(All, "Posterior duct (cilia average deflection, long cilia)", PASS(bAGh_P), "deg/deg.s-2"),
    Number(All, "Posterior duct (cilia average deflection, medium cilia)", PASS(bAGm_P), "deg/deg.s-2"),
    Number(All, "Posterior duct (cilia average deflection, short cilia)", PASS(bAGl_P), "deg/deg.s-2"),
    Line(All, ""),
    Number(All, "Lateral duct (cilia average deflection, long cilia)", PASS(bAGh_L), "deg/deg.s-2"),
    Number(All, "Lateral duct (cilia average deflection, medium cilia)", PASS(bAGm_L), "deg/deg.s-2"),
    Number(All, "Lateral duct (cilia average deflection, short cilia)", PASS(bAGl_L), "deg/deg.s-2"),
    Line(All, ""),
    Line(All, ""),
    Line(All, "FUNCTIONAL PLANES"),
    Line(All, ""),
    Line(All, "MAXIMAL RESPONSE PLANES"),
    Line(All, ""),
    Vector(All, "Right", "Anterior", PASS(ix_2_R), PASS(iy_2_R), PASS(iz_2_R)),
    Vector(All, "Right", "Posterior", PASS(ix_3_R), PASS(iy_3_R), PASS(iz_3_R)),
    Vector(All, "Right", "Lateral", PASS(ix_1_R), PASS(iy_1_R), PASS(iz_1_R)),
    Vector(All, "Left", "Anterior", PASS(ix_2_L), PASS(iy_2_L), PASS(iz_2_L)),
    Vector(All, "Left", "Posterior", PASS(ix_3_L), PASS(iy_3_L), PASS(iz_3_L)),
    Vector(All, "Left", "Lateral", PASS(ix_1_L), PASS(iy_1_L), PASS(iz_1_L)),
    Line(Ext, ""),
    Line(Ext, "MAXIMAL RESPONSE PLANES (UNCOUPLED)"),
    Line(Ext, ""),
    Vector(Ext, "Right", "Anterior", PASS(xADT_R), PASS(yADT_R), PASS(zADT_R)),
    Vector(Ext, "Right", "Posterior", PASS(xPDT_R), PASS(yPDT_R), PASS(zPDT_R)),
    Vector(Ext, "Right", "Lateral", PASS(xLDT_R), PASS(yLDT_R), PASS(zLDT_R)),
    Vector(Ext, "Left", "Anterior", PASS(xADT_L), PASS(yADT_L), PASS(zADT_L)),
    Vector(Ext, "Left", "Posterior", PASS(xPDT_L), PASS(yPDT_L), PASS(zPDT_L)),
    Vector(Ext, "Left", "Lateral", PASS(xLDT_L), PASS(yLDT_L), PASS(zLDT_L)),
    Line(All, ""),
    Line(All, "PRIME DIRECTIONS"),
    Line(All, ""),
    Vector(All, "Right", "Anterior", PASS(PxADT_R), PASS(PyADT_R), PASS(PzADT_R)),
    Vector(All, "Right", "Posterior", PASS(PxPDT_R), PASS(PyPDT_R), PASS(PzPDT_R)),
    Vector(All, "Right", "Lateral", PASS(PxLDT_R), PASS(PyLDT_R), PASS(PzLDT_R)),
    Vector(All, "Left", "Anterior", PASS(PxADT_L), PASS(PyADT_L), PASS(PzADT_L)),
    Vector(All, "Left", "Posterior", PASS(PxPDT_L), PASS(PyPDT_L), PASS(PzPDT_L)),
    Vector(All, "Left", "Lateral", PASS(PxLDT_L), PASS(PyLDT_L), PASS(PzLDT_L)),
    Line(All, ""),
    Line(All, "IPSILATERAL ANGLES"),
    Line(All, ""),
    Number(All, "Anterior and Posterior ducts", PASS(iipsiADTPDT), "Degrees"),
    Number(All, "Anterior and Lateral ducts", PASS(iipsiADTLDT), "Degrees"),
    Number(All, "Lateral and Posterior ducts", PASS(iipsiLDTPDT), "Degrees"),
    Line(All, ""),
    Line(All, "SYNERGISTIC ANGLES"),
    Line(All, ""),
    Number(All, "Anterior and Posterior ducts", PASS(isynADTPDT), "Degrees"),
    Number(All, "Lateral ducts", PASS(isynLDTLDT), "Degrees"),
    Line(All, ""),
    Line(All, "REFERENCE ANGLES"),
    Line(All, ""),
    Line(All, "VESTIBULAR PITCH / MID-SAGITTAL PLANE"),
    Line(All, ""),
    Number(All, "Anterior duct", PASS(iADTPITCH), "Degrees"),
    Number(All, "Posterior duct", PASS(iPDTPITCH), "Degrees"),
    Number(All, "Lateral duct", PASS(iLDTPITCH), "Degrees"),
    Line(All, ""),
    Line(All, "VESTIBULAR ROLL / CORONAL PLANE"),
    Line(All, ""),
    Number(All, "Anterior duct", PASS(iADTROLL), "Degrees"),
    Number(All, "Posterior duct", PASS(iPDTROLL), "Degrees"),
    Line(All, "Lateral duct: 90.000000 Degrees"),
    Line(All, ""),
    Line(All, "VESTIBULAR YAW / HORIZONTAL PLANE"),
    Line(All, ""),
    Number(All, "Anterior duct", PASS(iADTYAW), "Degrees"),
    Number(All, "Posterior duct", PASS(iPDTYAW), "Degrees"),
    Number(All, "Lateral duct", PASS(iLDTYAW), "Degrees"),
    Line(All, ""),
    Line(All, "DEVIATION FROM IDEAL CONFIGURATION"),
    Line(All, ""),
    Number(All, "Variance from orthogonality", PASS(ivar90), "Degrees^2"),
    Line(All, ""),
    Number(All, "Average deviation from orthogonality", PASS(idev90), "Degrees"),
    Line(All, ""),
    Number(All, "Variance from planarity", PASS(ivar180), "Degrees^2"),
    Line(All, ""),
    Number(All, "Average deviation from planarity", PASS(idev180), "Degrees"),
    Line(All, ""),
    Line(All, "SEMICIRCULAR DUCT CENTER OF ROTATION"),
    Line(All, ""),
    Vector(All, "Right", "Anterior", PASS(xADTc_R), PASS(yADTc_R), PASS(zADTc_R)),
    Vector(All, "Right", "Posterior", PASS(xPDTc_R), PASS(yPDTc_R), PASS(zPDTc_R)),
    Vector(All, "Right", "Lateral", PASS(xLDTc_R), PASS(yLDTc_R), PASS(zLDTc_R)),
    Vector(All, "Left", "Anterior", PASS(xADTc_L), PASS(yADTc_L), PASS(zADTc_L)),
    Vector(All, "Left", "Posterior", PASS(xPDTc_L), PASS(yPDTc_L), PASS(zPDTc_L)),
    Vector(All, "Left", "Lateral", PASS(xLDTc_L), PASS(yLDTc_L), PASS(zLDTc_L)),
    Line(All, ""),
    Line(All, ""),
    Line(All, "MATERIAL PROPERTIES"),
    Line(All, ""),
    Number(All, "Body temperature", MAT(T), "C"),
    Line(All, ""),
    Number(All, "Endolymph density", DENSITY(rho_e), "kg/m^3"),
    Number(All, "Endolymph viscosity", MAT(mu_e), "Pa.s"),
    Number(All, "Endolymph viscosity factor", MAT(mu_A), "e-5 Pa.s"),
    Line(All, ""),
    Number(All, "Cupula density", DENSITY(rho_c), "kg/m^3"),
    Number(All, "Cupula viscosity", MAT(mu_c), "Pa.s"),
    Number(All, "Cupula Poisson ratio", MAT(poisson)),
    Number(All, "Cupula Young modulus", MAT(Young), "Pa"),
    Number(All, "Cupula Shear modulus", MAT(gamma), "Pa"),
};
// clang-format on

#undef PASS
#undef CUP
#undef MAT
#undef DENSITY

bool Stands_In(In in, Report_Kind kind) {
  switch (kind) {
    case Report_Kind::Extended:
      return true;
    case Report_Kind::Short:
      return in != Ext;
    case Report_Kind::Echo:
      return in == All;
  }
  return false;
}

double Value(const Run_State& run, const Quantity& q) {
  const double value = q.pass != nullptr     ? run.pass.*q.pass
                       : q.cupula != nullptr ? run.cupula.*q.cupula
                                             : run.carried.*q.carried;
  return q.density ? 1000000.0 * value : value;
}

// A report that cannot be created, written or closed is said once and
// counted in the run's general count.
bool Create_Report(Run_State& run, std::ostream& out, Output_File& file, std::string path) {
  if (Output_Begin(file, run.work_dir, std::move(path), run.log, out)) return true;
  ++run.counters.error_count;
  return false;
}

// Closes the report; one that was not written whole is gone afterwards.
bool Finish_Report(Run_State& run, std::ostream& out, Output_File& file) {
  if (Output_End(file, run.log, out)) return true;
  ++run.counters.error_count;
  return false;
}

}  // namespace

std::string Report_Text(const Run_State& run, Report_Kind kind) {
  std::string text;
  text.reserve(kind == Report_Kind::Extended ? 40000 : 16000);
  for (const Row& row : kLayout) {
    if (!Stands_In(row.in, kind)) continue;
    if (row.numbers == 3) {
      text += Duct_Plane_Row(row.text, row.duct, Value(run, row.q[0]), Value(run, row.q[1]), Value(run, row.q[2]));
    } else {
      text += row.text;
      if (row.numbers == 1) {
        text += ": ";
        Append_F(text, Value(run, row.q[0]));
        if (!row.unit.empty()) {
          text += ' ';
          text += row.unit;
        }
      }
    }
    text += '\n';
  }
  return text;
}

void Biomechanics_Reports(Run_State& run, std::ostream& out) {
  Output_File report;
  if (Create_Report(run, out, report, Biomecha_Path(run.species, run.set))) {
    Output_Write(report, Report_Text(run, Report_Kind::Short));
    Finish_Report(run, out, report);
  }

  // The extended report stays open through the console echo.
  Output_File extended;
  const bool created = Create_Report(run, out, extended, Biomecha_Full_Path(run.species, run.set));
  if (created) Output_Write(extended, Report_Text(run, Report_Kind::Extended));

  if (run.set == Measurement_Set::Cor) out << Report_Text(run, Report_Kind::Echo);

  // End of the pass: a set whose morphometry could not be read keeps its
  // short report only, not even an extended report of an earlier run (a
  // folder standing at that path is not a report and stays). Its extended
  // report, made without morphometry, never takes a place: whatever ends
  // the run meanwhile leaves the earlier report or none.
  if (run.pass.error_morpho == 0) {
    if (created) Finish_Report(run, out, extended);
    return;
  }
  if (created && !Output_Abandon(extended, run.log, out)) ++run.counters.error_count;
  if (Output_Remove_Earlier(run.work_dir, Biomecha_Full_Path(run.species, run.set), run.log, out)) {
    ++run.counters.error_count;
  }
}

}  // namespace scds::ostravel
