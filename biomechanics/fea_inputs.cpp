#include "fea_inputs.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "biomechanics_paths.h"
#include "byte_source.h"
#include "dialogue.h"
#include "error_log.h"
#include "text_match.h"

namespace scds::ostravel {

void Merge_Value(double right, double left, double& merged) {
  if (right != 0.0 && left != 0.0) {
    merged = (right + left) / 2.0;
  } else if (right != 0.0 && left == 0.0) {
    merged = right;
  } else if (left != 0.0 && right == 0.0) {
    merged = left;
  }
}

namespace {

void Warn_If_Incomplete(Run_State& run, std::ostream& out, const std::string& path, int read, int expected) {
  if (read < expected) Error_Log_Report(run.log, out, Incomplete_Message(path, read, expected));
}

// Reads one side's .sif head; false when the file cannot be read.
bool Read_Sif_File(Run_State& run, std::ostream& out, const std::string& path, double& Young, double& poisson) {
  Byte_Source source;
  if (!Source_Open(source, run.work_dir / path)) return false;
  const int read = Read_Sif_Head(source, Young, poisson);
  Source_Close(source);
  Warn_If_Incomplete(run, out, path, read, kSifValues);
  return true;
}

std::string Pair_Message(std::string_view label, std::string_view kind) {
  std::string text = "\nImpossible to read \"";
  text += label;
  text += "\" ";
  text += kind;
  text += " files.\nVerify both species name and files name.\n";
  return text;
}

// Where the values of one right/left pair of .deflection files go. Index 0
// is the right reading, 1 the left one, 2 the merged value.
struct Deflection_Pair {
  std::string_view duct;   // "Ant", "Post", "Lat"
  std::string_view cilia;  // "Long", "Medium", "Short"
  int* counter;
  bool long_pair;          // only the Long pair gives the zone and cupula areas
  double* mean[3];         // column 2
  double* zone[3][3];      // [zone h, m, l][side]: columns 3 to 5
  double* area[3][3];      // [zone][side]: columns 6 to 8 of the duct's Long pair
  double* FEA[3];          // column 9 of the duct's Long pair
  double* zone_mean[3];    // [zone]
  double* deflection[3];   // [zone]
};

// clang-format off
#define OSTRAVEL_SIDES(name) {&f.name##_R, &f.name##_L, &f.name}
#define OSTRAVEL_PAIR(DUCT, CILIA, X, c, COUNTER)                                                      \
  Deflection_Pair{DUCT, CILIA, &run.counters.COUNTER, CILIA == std::string_view("Long"),              \
                  OSTRAVEL_SIDES(u##X##_##c##_mean),                                                   \
                  {OSTRAVEL_SIDES(u##X##_##c##_h), OSTRAVEL_SIDES(u##X##_##c##_m),                     \
                   OSTRAVEL_SIDES(u##X##_##c##_l)},                                                    \
                  {OSTRAVEL_SIDES(u##X##_h_area), OSTRAVEL_SIDES(u##X##_m_area),                       \
                   OSTRAVEL_SIDES(u##X##_l_area)},                                                     \
                  OSTRAVEL_SIDES(aC##X##_FEA),                                                         \
                  {&f.u##X##_##c##_mean_h, &f.u##X##_##c##_mean_m, &f.u##X##_##c##_mean_l},            \
                  {&d.d##X##_##c##_mean_h, &d.d##X##_##c##_mean_m, &d.d##X##_##c##_mean_l}}

// The nine pairs in the order they are read.
std::array<Deflection_Pair, 9> Deflection_Pairs(Run_State& run) {
  Finite_Element_Values& f = run.fea;
  Cupula_Values& d = run.cupula;
  return {OSTRAVEL_PAIR("Ant", "Long", a, high, error_ant_def_h),
          OSTRAVEL_PAIR("Ant", "Medium", a, med, error_ant_def_m),
          OSTRAVEL_PAIR("Ant", "Short", a, low, error_ant_def_l),
          OSTRAVEL_PAIR("Post", "Long", p, high, error_post_def_h),
          OSTRAVEL_PAIR("Post", "Medium", p, med, error_post_def_m),
          OSTRAVEL_PAIR("Post", "Short", p, low, error_post_def_l),
          OSTRAVEL_PAIR("Lat", "Long", l, high, error_lat_def_h),
          OSTRAVEL_PAIR("Lat", "Medium", l, med, error_lat_def_m),
          OSTRAVEL_PAIR("Lat", "Short", l, low, error_lat_def_l)};
}
#undef OSTRAVEL_PAIR
#undef OSTRAVEL_SIDES
// clang-format on

// Reads one side's row into the pair's values of that side; false when the
// file cannot be read.
bool Read_Deflection_File(Run_State& run, std::ostream& out, const std::string& path, const Deflection_Pair& pair,
                          int side) {
  Byte_Source source;
  if (!Source_Open(source, run.work_dir / path)) return false;
  double Dummy = 0.0;
  double* area_h = pair.long_pair ? pair.area[0][side] : &Dummy;
  double* area_m = pair.long_pair ? pair.area[1][side] : &Dummy;
  double* area_l = pair.long_pair ? pair.area[2][side] : &Dummy;
  double* FEA = pair.long_pair ? pair.FEA[side] : &Dummy;
  const int read = Scan(source, "\t%lf\t%lf\t%lf\t%lf\t%lf\t%lf\t%lf\t%lf\t%lf\t%lf\t%lf\n", &Dummy,
                        pair.mean[side], pair.zone[0][side], pair.zone[1][side], pair.zone[2][side], area_h, area_m,
                        area_l, FEA, &Dummy, &Dummy)
                       .converted;
  Source_Close(source);
  Warn_If_Incomplete(run, out, path, read, kDeflectionValues);
  return true;
}

}  // namespace

int Read_Sif_Head(Byte_Source& source, double& Young, double& poisson) {
  double Dummy = 0.0;
  int read = 0;
  Scan(source, "!!! CHECK BOUNDARIES LABELS !!!\n");
  Scan(source, "\n");
  read += Scan(source, "$t = %lf ! Input cupula thickness (Long cilia) in meter\n", &Dummy).converted;
  read += Scan(source, "$cs = %lf ! 1e-6 for mesh in um, 1e-3 for mesh in mm, 1e-2 for mesh in cm\n", &Dummy)
              .converted;
  read += Scan(source, "$E = %lf ! Young modulus\n", &Young).converted;
  read += Scan(source, "$p = %lf ! Poisson ratio\n", &poisson).converted;
  return read;
}

void Read_Solver_Inputs(Run_State& run, std::ostream& out) {
  Finite_Element_Values& f = run.fea;
  if (!Read_Sif_File(run, out, Right_Sif_File_Path(run.species), f.Young_R, f.poisson_R)) {
    ++run.counters.error_ant_sif;
  }
  if (!Read_Sif_File(run, out, Left_Sif_File_Path(run.species), f.Young_L, f.poisson_L)) {
    ++run.counters.error_ant_sif;
  }
  if (run.counters.error_ant_sif == 2) {
    Error_Log_Report(run.log, out, Pair_Message("Ant_Long", "sif"));
    ++run.counters.error_count;
  } else {
    Merge_Value(f.Young_R, f.Young_L, run.carried.Young);
    Merge_Value(f.poisson_R, f.poisson_L, run.carried.poisson);
  }
}

bool Ask_Material_Constants(Run_State& run, std::istream& in, std::ostream& out) {
  Carried_Values& c = run.carried;
  struct Prompt {
    std::string_view text;
    double* value;
    bool density;  // typed in kg/m^3, held in g/mm^3
  };
  const Prompt prompts[] = {
      {"\nPlease enter body temperature (C):\n", &c.T, false},
      {"\nPlease enter endolymph viscosity factor (e-5 Pa.s):\n", &c.mu_A, false},
      {"\nPlease enter endolymph density (kg/m^3):\n", &c.rho_e, true},
      {"\nPlease enter cupula density (kg/m^3):\n", &c.rho_c, true},
  };
  for (const Prompt& prompt : prompts) {
    Write_Line(out, prompt.text);
    const std::optional<double> answer = Read_Real(in, out, std::string(prompt.text) + "\n");
    if (!answer) return false;
    *prompt.value = *answer;
    if (prompt.density) *prompt.value = *prompt.value / 1e6;
    out << '\n';
  }
  return true;
}

void Derive_Material_Constants(Carried_Values& c) {
  c.gamma = c.Young / ((c.poisson + 1.0) + (c.poisson + 1.0));
  c.mu_e = (c.mu_A * 1e-05) * std::pow(10.0, 247.8 / (c.T + 133.15));
  c.mu_c = c.mu_e * 10.0;
}

void Read_Deflection_Results(Run_State& run, std::ostream& out) {
  static constexpr double H[3] = {H_h, H_m, H_l};
  for (const Deflection_Pair& pair : Deflection_Pairs(run)) {
    if (!Read_Deflection_File(run, out, Right_Result_Deflection_Path(run.species, pair.duct, pair.cilia), pair, 0)) {
      ++*pair.counter;
    }
    if (!Read_Deflection_File(run, out, Left_Result_Deflection_Path(run.species, pair.duct, pair.cilia), pair, 1)) {
      ++*pair.counter;
    }
    if (*pair.counter == 2) {
      std::string label(pair.duct);
      label += '_';
      label += pair.cilia;
      Error_Log_Report(run.log, out, Pair_Message(label, "deflection"));
      ++run.counters.error_count;
    } else {
      Merge_Value(*pair.mean[0], *pair.mean[1], *pair.mean[2]);
      for (int z = 0; z < 3; ++z) Merge_Value(*pair.zone[z][0], *pair.zone[z][1], *pair.zone[z][2]);
      if (pair.long_pair) {
        for (int z = 0; z < 3; ++z) Merge_Value(*pair.area[z][0], *pair.area[z][1], *pair.area[z][2]);
        Merge_Value(*pair.FEA[0], *pair.FEA[1], *pair.FEA[2]);
      }
    }
    // Zone means, then the deflection of each zone: the small-angle deflection
    // in degrees over the displaced volume in nanolitres.
    for (int z = 0; z < 3; ++z) *pair.zone_mean[z] = *pair.zone[z][2] / *pair.area[z][2];
    for (int z = 0; z < 3; ++z) {
      *pair.deflection[z] = ((*pair.zone_mean[z] / H[z]) * 57.2957795) / ((*pair.mean[2] * *pair.FEA[2]) * 1e12);
    }
  }
}

}  // namespace scds::ostravel
