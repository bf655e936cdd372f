#include "text_match.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace scds {
namespace {

inline bool Is_Digit(int c) { return c >= '0' && c <= '9'; }

inline int Lower(int c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

// True when the text at p (up to end) starts with `word`, ignoring case.
bool Starts_With_Word(const char* p, const char* end, std::string_view word) {
  if (static_cast<std::size_t>(end - p) < word.size()) return false;
  for (std::size_t k = 0; k < word.size(); ++k) {
    if (Lower(static_cast<unsigned char>(p[k])) != word[k]) return false;
  }
  return true;
}

// Exact powers of ten that a double holds.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Longest token a window must hold for the pointer path; longer numbers are
// gathered piecewise.
constexpr std::size_t kWindow = 512;

// An exponent's digits are read up to this value; any exponent past it gives
// inf or 0 whatever digits come with it.
constexpr std::int64_t kExponentCap = std::int64_t{1} << 58;

// Significant digits kept of a very long number: enough to decide the
// rounding of any double; the rest only matters as "nonzero or not".
constexpr std::size_t kMaxDigits = 800;

}  // namespace

std::size_t Number_Length(const char* begin, const char* end) {
  const char* p = begin;
  if (p < end && (*p == '+' || *p == '-')) ++p;
  if (p < end && (*p == 'i' || *p == 'I' || *p == 'n' || *p == 'N')) {
    if (Starts_With_Word(p, end, "infinity")) return static_cast<std::size_t>(p + 8 - begin);
    if (Starts_With_Word(p, end, "inf")) return static_cast<std::size_t>(p + 3 - begin);
    if (Starts_With_Word(p, end, "nan")) return static_cast<std::size_t>(p + 3 - begin);
    return 0;
  }
  bool digits = false;
  while (p < end && Is_Digit(*p)) {
    ++p;
    digits = true;
  }
  if (p < end && *p == '.') {
    ++p;
    while (p < end && Is_Digit(*p)) {
      ++p;
      digits = true;
    }
  }
  if (!digits) return 0;
  if (p < end && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    if (q < end && (*q == '+' || *q == '-')) ++q;
    if (q < end && Is_Digit(*q)) {
      while (q < end && Is_Digit(*q)) ++q;
      p = q;
    }
  }
  return static_cast<std::size_t>(p - begin);
}

double Number_Value(const char* begin, std::size_t length) {
  const char* p = begin;
  const char* end = begin + length;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  if (p < end && !Is_Digit(*p) && *p != '.') {
    const double special = (Lower(static_cast<unsigned char>(*p)) == 'i') ? HUGE_VAL : std::nan("");
    return negative ? -special : special;
  }

  // Fast path: at most 19 significant digits and a small exponent, where one
  // exact product or quotient gives the correctly rounded value.
  std::uint64_t mantissa = 0;
  int digit_count = 0;
  std::int64_t scale = 0;  // power of ten applied to mantissa (one step per leading zero of a fraction)
  bool exact = true;
  const char* q = p;
  while (q < end && Is_Digit(*q)) {
    if (digit_count < 19) {
      mantissa = mantissa * 10 + static_cast<unsigned>(*q - '0');
      if (mantissa != 0) ++digit_count;
    } else {
      exact = false;
    }
    ++q;
  }
  if (q < end && *q == '.') {
    ++q;
    while (q < end && Is_Digit(*q)) {
      if (digit_count < 19) {
        mantissa = mantissa * 10 + static_cast<unsigned>(*q - '0');
        if (mantissa != 0) ++digit_count;
        --scale;
      } else {
        exact = false;
      }
      ++q;
    }
  }
  if (exact && q < end) {
    // exponent
    ++q;
    bool exp_negative = false;
    if (q < end && (*q == '+' || *q == '-')) {
      exp_negative = *q == '-';
      ++q;
    }
    // Saturated far beyond any double's range, yet far from overflowing
    // when the fraction's leading zeros (at most the text's length) are
    // added: the sum keeps the sign and size that decide inf or 0.
    std::int64_t exp_value = 0;
    while (q < end && Is_Digit(*q)) {
      if (exp_value < kExponentCap) exp_value = exp_value * 10 + (*q - '0');
      ++q;
    }
    scale += exp_negative ? -exp_value : exp_value;
  }
  if (exact && mantissa <= (std::uint64_t{1} << 53) && scale >= -22 && scale <= 22) {
    double value = static_cast<double>(mantissa);
    value = scale >= 0 ? value * kPow10[scale] : value / kPow10[-scale];
    return negative ? -value : value;
  }

  double value = 0.0;
  const auto result = std::from_chars(p, end, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range || result.ptr != end) {
    // strtod gives the overflowed or underflowed value itself.
    const std::string copy(p, end);
    value = std::strtod(copy.c_str(), nullptr);
  }
  return negative ? -value : value;
}

namespace {

// Gathers a number that does not fit in the window, byte by byte, into a
// normalised text of bounded size (significant digits and a decimal
// exponent), then converts it. The grammar is the one of Number_Length.
bool Read_Long_Number(Byte_Source& source, double& value) {
  // Every decision needs at most a few bytes of look-ahead, which Source_Fill
  // keeps available.
  auto peek = [&source](std::size_t k) -> int {
    if (Source_Fill(source, k + 1) <= k) return -1;
    return static_cast<unsigned char>(source.buffer[source.pos + k]);
  };
  std::size_t k = 0;
  bool negative = false;
  if (peek(0) == '+' || peek(0) == '-') {
    negative = peek(0) == '-';
    k = 1;
  }
  {
    // Words: short enough for the window.
    Source_Fill(source, k + 8);
    const char* p = source.buffer.data() + source.pos;
    const std::size_t length = Number_Length(p, source.buffer.data() + source.end);
    if (length == 0) return false;
    if (Lower(peek(k)) == 'i' || Lower(peek(k)) == 'n') {
      value = Number_Value(p, length);
      source.pos += length;
      return true;
    }
  }
  std::string digits;        // significant digits, leading zeros dropped
  bool dropped_nonzero = false;
  std::int64_t exponent = 0;  // value = 0.digits * 10^exponent
  auto take_digit = [&](int c, bool integer_part) {
    if (digits.empty() && c == '0') {
      if (!integer_part) --exponent;
      return;
    }
    if (digits.size() < kMaxDigits) {
      digits.push_back(static_cast<char>(c));
    } else if (c != '0') {
      dropped_nonzero = true;
    }
    if (integer_part) ++exponent;
  };
  // Consume bytes as they are decided, so the window never needs to hold the
  // whole number.
  auto advance = [&source]() { ++source.pos; };
  if (k == 1) advance();
  int c;
  while (Is_Digit(c = peek(0))) {
    take_digit(c, true);
    advance();
  }
  if (c == '.') {
    advance();
    while (Is_Digit(c = peek(0))) {
      take_digit(c, false);
      advance();
    }
  }
  if (c == 'e' || c == 'E') {
    std::size_t at = 1;
    bool exp_negative = false;
    if (peek(1) == '+' || peek(1) == '-') {
      exp_negative = peek(1) == '-';
      at = 2;
    }
    if (Is_Digit(peek(at))) {
      for (std::size_t s = 0; s < at; ++s) advance();
      std::int64_t e = 0;
      while (Is_Digit(c = peek(0))) {
        if (e < kExponentCap) e = e * 10 + (c - '0');
        advance();
      }
      exponent += exp_negative ? -e : e;
    }
  }
  if (digits.empty()) {
    value = negative ? -0.0 : 0.0;
    return true;
  }
  if (dropped_nonzero) digits.push_back('1');
  if (exponent > 100000) exponent = 100000;
  if (exponent < -100000) exponent = -100000;
  const std::string text = "0." + digits + "e" + std::to_string(exponent);
  value = std::strtod(text.c_str(), nullptr);
  if (negative) value = -value;
  return true;
}

}  // namespace

bool Read_Number(Byte_Source& source, double& value) {
  const std::size_t available = Source_Fill(source, kWindow);
  const char* p = source.buffer.data() + source.pos;
  const char* stop = p + available;
  const std::size_t length = Number_Length(p, stop);
  if (length == 0 && available >= 2) return false;
  if (source.at_eof || length + 16 < available) {
    if (length == 0) return false;
    value = Number_Value(p, length);
    source.pos += length;
    return true;
  }
  return Read_Long_Number(source, value);
}

Scan_Result Scan_Format(Byte_Source& source, std::string_view format, double* const* values, std::size_t count) {
  Scan_Result result;
  std::size_t slot = 0;
  for (std::size_t f = 0; f < format.size(); ++f) {
    const char wanted = format[f];
    if (Is_Space(static_cast<unsigned char>(wanted))) {
      Skip_Space(source);
      continue;
    }
    if (wanted == '%' && f + 1 < format.size() && format[f + 1] == '%') {
      ++f;
      if (Source_Peek(source) != '%') return result;
      ++source.pos;
      continue;
    }
    if (wanted == '%') {
      // "%lf" or "%f"
      f += (f + 1 < format.size() && format[f + 1] == 'l') ? 2 : 1;
      Skip_Space(source);
      double number = 0.0;
      if (!Read_Number(source, number)) return result;
      if (slot < count && values[slot] != nullptr) *values[slot] = number;
      ++slot;
      ++result.converted;
      continue;
    }
    if (Source_Peek(source) != static_cast<unsigned char>(wanted)) return result;
    ++source.pos;
  }
  result.complete = true;
  return result;
}

bool Parse_Whole_Number(std::string_view text, double& value) {
  const std::size_t length = Number_Length(text.data(), text.data() + text.size());
  if (length == 0 || length != text.size()) return false;
  value = Number_Value(text.data(), length);
  return true;
}

}  // namespace scds
