// Expected values as data: a table of rows, each the name of a quantity, the
// member of its part of the run state that holds it and the value it must
// hold, walked by one loop. A value is the same double to the last bit (the
// tables write them as hexadecimal literals); a nan row asks for a nan.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

namespace expected_rows {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

template <class Part>
struct Expected {
  const char* name;
  double Part::*member;
  double value;
};

// "0x1.8p+1 (3)": the exact bits and the value people read.
inline std::string Both_Forms(double x) {
  char text[80];
  std::snprintf(text, sizeof text, "%a (%.17g)", x, x);
  return text;
}

inline bool Same(double actual, double expected) {
  if (std::isnan(expected)) return std::isnan(actual);
  return std::bit_cast<std::uint64_t>(actual) == std::bit_cast<std::uint64_t>(expected);
}

// Every row against `part`; a failure names the quantity as `label.name`.
template <class Part, std::size_t N>
void Expect_Rows(const Part& part, const char* label, const Expected<Part> (&rows)[N]) {
  for (const Expected<Part>& row : rows) {
    const double actual = part.*row.member;
    EXPECT_TRUE(Same(actual, row.value)) << label << "." << row.name << " = " << Both_Forms(actual) << ", expected "
                                         << Both_Forms(row.value);
  }
}

}  // namespace expected_rows
