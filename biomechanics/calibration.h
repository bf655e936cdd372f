// The cupula calibration. The Cor pass turns the finite element results into
// the cupula stiffnesses and deformation profile factors and keeps how far
// its deflections and factors lie from the power-law fits of cupula
// thickness and central section area (the residuals). The PlusCor and
// MinusCor passes evaluate the same fits at their own geometry, add the Cor
// residuals, and derive the stiffnesses back from the factors.
#pragma once

#include "biomechanics_state.h"

namespace scds::ostravel {

// Fit constants of the deflections per zone h, m, l: thickness exponent e1,
// area exponent e2, offset e0.
struct Deflection_Fit {
  double e1, e2, e0;
};
constexpr Deflection_Fit kDeflectionFit[3] = {
    {0.18422, -1.59936, 0.45633},
    {0.28299, -1.65462, 0.434},
    {0.36984, -1.69464, 0.4139},
};

// Cor pass: residuals, residual areas, stiffnesses, profile factors and
// their residuals.
void Cupula_Calibration(Run_State& run);

// PlusCor and MinusCor passes: deflections, profile factors and stiffnesses
// of the set's geometry from the Cor residuals.
void Inverted_Calibration(Run_State& run);

}  // namespace scds::ostravel
