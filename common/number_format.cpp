#include "number_format.h"

#include <charconv>
#include <cstdint>
#include <cstring>

namespace scds {
namespace {

// Writes the decimal digits of n (at least one) and returns the end.
char* Write_Unsigned(char* out, std::uint64_t n) {
  char digits[20];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0);
  while (count > 0) *out++ = digits[--count];
  return out;
}

// Writes the six decimals of frac (below 1000000).
char* Write_Six(char* out, std::uint32_t frac) {
  for (int k = 5; k >= 0; --k) {
    out[k] = static_cast<char>('0' + frac % 10);
    frac /= 10;
  }
  return out + 6;
}

}  // namespace

char* Format_F(char* out, double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  const bool negative = (bits >> 63) != 0;
  const unsigned biased = static_cast<unsigned>((bits >> 52) & 0x7ff);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);

  if (biased == 0x7ff) {
    // glibc writes the sign of a nan too.
    if (negative) *out++ = '-';
    std::memcpy(out, fraction != 0 ? "nan" : "inf", 3);
    return out + 3;
  }

  const std::uint64_t mantissa = biased != 0 ? (fraction | (std::uint64_t{1} << 52)) : fraction;
  const int exponent = (biased != 0 ? static_cast<int>(biased) : 1) - 1075;

  // v = mantissa * 2^exponent. The scaled value round(|v| * 10^6) is worked
  // out exactly in 128-bit integers whenever it fits in 64 bits.
  std::uint64_t scaled = 0;
  bool fast = true;
  if (mantissa == 0) {
    scaled = 0;
  } else if (exponent >= 0) {
    if (exponent <= 10) {
      const unsigned __int128 whole = static_cast<unsigned __int128>(mantissa << exponent) * 1000000u;
      if (whole >> 64) {
        fast = false;
      } else {
        scaled = static_cast<std::uint64_t>(whole);
      }
    } else {
      fast = false;
    }
  } else {
    const int shift = -exponent;
    const unsigned __int128 product = static_cast<unsigned __int128>(mantissa) * 1000000u;  // < 2^73
    if (shift >= 100) {
      scaled = 0;  // far below half a millionth
    } else {
      const unsigned __int128 quotient = product >> shift;
      const unsigned __int128 remainder = product - (quotient << shift);
      const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
      unsigned __int128 rounded = quotient;
      if (remainder > half || (remainder == half && (quotient & 1) != 0)) ++rounded;
      if (rounded >> 64) {
        fast = false;
      } else {
        scaled = static_cast<std::uint64_t>(rounded);
      }
    }
  }

  if (!fast) {
    // Large magnitudes: the standard library's exact fixed-point conversion.
    const auto result = std::to_chars(out, out + kFormatFMax, v, std::chars_format::fixed, 6);
    return result.ptr;
  }

  if (negative) *out++ = '-';
  out = Write_Unsigned(out, scaled / 1000000u);
  *out++ = '.';
  return Write_Six(out, static_cast<std::uint32_t>(scaled % 1000000u));
}

void Append_F(std::string& text, double v) {
  char buffer[kFormatFMax];
  char* end = Format_F(buffer, v);
  text.append(buffer, static_cast<std::size_t>(end - buffer));
}

std::string F(double v) {
  std::string text;
  Append_F(text, v);
  return text;
}

}  // namespace scds
