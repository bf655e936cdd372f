// The formatted-text matcher every input of the suite is read through.
//
// A format is matched against the input from where the previous read
// stopped: a white-space character of the format matches any run of white
// space (none included), "%lf" (or "%f") skips white space and converts one
// decimal number, "%%" matches one '%', and every other character must equal
// the next input character. At the first mismatch the read stops and leaves
// that character unread; values not converted keep what they held.
//
// A number is what C's strtod takes from decimal text: optional sign, digits
// with an optional point and fraction (at least one digit), an optional
// exponent (only when digits follow the e), or "inf", "infinity", "nan" in
// any case. Hexadecimal is never read, so "0x" reads 0 and stops at the x.
#pragma once

#include <cstddef>
#include <string_view>

#include "byte_source.h"

namespace scds {

struct Scan_Result {
  int converted = 0;      // numbers stored by this read
  bool complete = false;  // the whole format matched
};

// Matches `format` against the source, storing the converted numbers into
// values[0], values[1], ... in order (count is the number of slots).
Scan_Result Scan_Format(Byte_Source& source, std::string_view format, double* const* values, std::size_t count);

template <class... Doubles>
Scan_Result Scan(Byte_Source& source, std::string_view format, Doubles*... values) {
  double* slots[] = {values..., nullptr};
  return Scan_Format(source, format, slots, sizeof...(values));
}

// Length of the number at the start of [begin, end), 0 when none starts there.
// `end` must be the real end of the text (no more bytes can follow).
std::size_t Number_Length(const char* begin, const char* end);

// Converts the number of Number_Length characters at begin (as strtod
// would: correctly rounded; out of range gives inf or 0).
double Number_Value(const char* begin, std::size_t length);

// Converts the number at the start of the source (after no white space) and
// advances past it. Returns false, consuming nothing, when none starts there.
bool Read_Number(Byte_Source& source, double& value);

// True when the whole text is one number; its value goes into value.
bool Parse_Whole_Number(std::string_view text, double& value);

}  // namespace scds
