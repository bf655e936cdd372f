#include "coupled_model.h"

namespace scds::ostravel {

// Not built yet: the pass's coupled quantities stay zero.
void Coupled_Model(Run_State&) {}

}  // namespace scds::ostravel
