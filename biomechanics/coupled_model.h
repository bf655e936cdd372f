// The coupled model of the three ducts: the mass, damping and stiffness
// matrices of the three ducts coupled through the common parts of the
// anterior utricle and of the common crus, their closed-form inverses, the
// 6x6 state matrices of the three cilia cases and the time constants and
// corner frequencies from their eigenvalues.
#pragma once

#include <array>

#include <gsl/gsl_vector.h>

#include "biomechanics_state.h"

namespace scds::ostravel {

// Runs on the pass's uncoupled model and the pass's own state matrices
// (run.matrices[Pass_Index(run.set)]), whose rows 0 to 2 it fills and
// which the eigenvalue solver then overwrites.
void Coupled_Model(Run_State& run);

struct Eigenvalue {
  double re = 0.0, im = 0.0;
};
using Eigenvalues = std::array<Eigenvalue, 6>;

// The six eigenvalues of a state matrix, the three fastest modes (largest
// absolute real parts) in positions 1 to 3. A matrix with an entry that is
// not finite is not handed to the solver, and a solver that fails gives six
// nan values; the run goes on in both cases. The matrix is overwritten.
Eigenvalues State_Eigenvalues(State_Matrix& MatA);

// What the solver's result gives: six nan values unless status is GSL's
// success, otherwise the values of eval in its order, the three fastest
// moved to the front when they are not there already.
Eigenvalues Solver_Eigenvalues(int status, const gsl_vector_complex* eval);

// Moves the three fastest modes to positions 1 to 3 and the three slowest to
// 4 to 6, each group in its given relative order; values already so placed
// stay where they are.
void Fast_Modes_First(Eigenvalues& values);

}  // namespace scds::ostravel
