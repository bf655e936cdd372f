// Wording shared by the programs' banners.
#pragma once

#include <string_view>

namespace scds {

// The credit and contact lines of every banner (each written as a line).
constexpr std::string_view kCreditLine = "Part of the semicircular duct system analysis suite.\n";
constexpr std::string_view kContactLine =
    "Requests and bug reports are welcome on the project's issue tracker.\n";

}  // namespace scds
