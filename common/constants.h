// The fixed numbers the programs share.
#pragma once

namespace scds {

// pi as the programs use it (not the full-precision value).
inline constexpr double PI = 3.14159265359;

}  // namespace scds
