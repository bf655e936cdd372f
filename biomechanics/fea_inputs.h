// The finite element inputs and the material constants: the .sif heads of
// the Ant Long solver runs (Young modulus, Poisson ratio), the four constants
// typed by the user, and the nine right/left pairs of cilia deflection
// results, merged side by side into the zone means and the deflections per
// displaced volume. Read once, before the first pass.
#pragma once

#include <istream>
#include <ostream>
#include <string_view>

#include "biomechanics_state.h"
#include "byte_source.h"

namespace scds::ostravel {

// Cilia heights of the long, medium and short cilia zones (m).
constexpr double H_h = 7.5e-05;
constexpr double H_m = 4.5e-05;
constexpr double H_l = 1.5e-05;

// Values a .sif head holds, and a .deflection row.
constexpr int kSifValues = 4;
constexpr int kDeflectionValues = 11;

// The merge of a right and a left value: their mean when both are non-zero,
// the non-zero one when only one is, and `merged` untouched when both are 0.
// A nan counts as non-zero.
void Merge_Value(double right, double left, double& merged);

// The six reads of a .sif head; Young and poisson receive the $E and $p
// numbers. Returns how many of the head's four numbers were converted.
int Read_Sif_Head(Byte_Source& source, double& Young, double& poisson);

// The .sif pair: reads both heads, reports the pair when both are missing,
// else merges Young and poisson.
void Read_Solver_Inputs(Run_State& run, std::ostream& out);

// The four prompts (temperature, viscosity factor, the two densities, which
// are turned into g/mm^3). An answer that is not a number, or not a finite
// one (nan, inf, a decimal too large for a double), is asked again.
// Returns false when the input ends before the four are answered.
bool Ask_Material_Constants(Run_State& run, std::istream& in, std::ostream& out);

// gamma, mu_e and mu_c from the typed and merged constants.
void Derive_Material_Constants(Carried_Values& carried);

// The nine .deflection pairs, Ant Long to Lat Short: reading, pair messages,
// merge, zone means and deflections per displaced volume.
void Read_Deflection_Results(Run_State& run, std::ostream& out);

}  // namespace scds::ostravel
