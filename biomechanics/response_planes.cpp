#include "response_planes.h"

namespace scds::ostravel {

// Not built yet: the pass's gains, planes and angles stay zero.
void Response_Planes(Run_State&) {}

}  // namespace scds::ostravel
