// The Cor pass's hand-over: the six maximal-response line sets in
// VestRef/MaxAxes, the reading of Quintarel's uncoupled matrix, and the
// vestibular transform matrix for Saxmorrow.
#pragma once

#include <ostream>
#include <string>

#include "biomechanics_state.h"

namespace scds::ostravel {

// Called in the Cor pass only. The line sets are always written;
// Matrix/<species>.transmat is written only from a whole, finite uncoupled
// matrix and a finite product. The uncoupled matrix is removed once that
// matrix has been written from it; otherwise it stays for the next run, and
// the run says so.
void Line_Sets_And_Matrix(Run_State& run, std::ostream& out);

// The text of a line set from the centre (x, y, z) along the unit normal n:
// "# LineSet 0.1", an empty line, "nDataVals 0 { {", the centre, the end
// point centre + 3333 n, an empty line and "} }" with no line end.
std::string Line_Set_Text(double x, double y, double z, double nx, double ny, double nz);

// TM x uTM, each element summed over k = 1, 2, 3 in that order.
Transform_Matrix Matrix_Product(const Transform_Matrix& TM, const Transform_Matrix& uTM);

}  // namespace scds::ostravel
