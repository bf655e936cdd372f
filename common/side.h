// The side of the head a file or a pass belongs to.
#pragma once

namespace scds {

enum class Side { Right, Left };

}  // namespace scds
