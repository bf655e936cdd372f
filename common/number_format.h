// Numbers written exactly as C's printf "%f" writes them (six decimals,
// rounded from the exact binary value, ties to even), without going through
// printf or a locale.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scds {

// Longest text Format_F can write: sign, 309 integer digits, point, six
// decimals, with room to spare.
constexpr std::size_t kFormatFMax = 330;

// Writes v as "%f" would into out (which holds at least kFormatFMax
// characters) and returns the end of what was written. No terminator.
char* Format_F(char* out, double v);

// Appends v as "%f" would.
void Append_F(std::string& text, double v);

// Appends head, v as "%f" would write it, then tail: one row of a report.
void Append_Row(std::string& text, std::string_view head, double v, std::string_view tail);

// v as "%f" would write it.
std::string F(double v);

}  // namespace scds
