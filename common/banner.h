// Wording shared by the programs' banners.
#pragma once

#include <string_view>

namespace scds {

// The credit line of every banner (written as a line).
constexpr std::string_view kCreditLine = "Part of the semicircular duct system analysis suite.\n";

// The two-line contact note of every banner: an invitation to send requests
// and reports, and where to. It ends with its own line end; each program
// writes it as a line or as is.
constexpr std::string_view kContactNote =
    "Requests, questions and bug reports are welcome:\n"
    "please send them to the project's issue tracker.\n";

}  // namespace scds
