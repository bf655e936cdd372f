#include "biomecha_reports.h"

namespace scds::ostravel {

// Not built yet: no report is written.
void Biomechanics_Reports(Run_State&, std::ostream&) {}

}  // namespace scds::ostravel
