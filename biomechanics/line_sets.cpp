#include "line_sets.h"

namespace scds::ostravel {

// Not built yet: nothing is read or written.
void Line_Sets_And_Matrix(Run_State&, std::ostream&) {}

}  // namespace scds::ostravel
