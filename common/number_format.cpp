#include "number_format.h"

#include <charconv>
#include <cstdint>
#include <cstring>

namespace scds {
namespace {

// "00" to "99": two digits are written at a time.
constexpr char kDigitPairs[201] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

inline void Write_Pair(char* out, unsigned n) { std::memcpy(out, kDigitPairs + 2 * n, 2); }

// Writes the decimal digits of n (at least one) and returns the end.
char* Write_Unsigned(char* out, std::uint64_t n) {
  if (n < 10) {
    *out = static_cast<char>('0' + n);
    return out + 1;
  }
  if (n < 100) {
    Write_Pair(out, static_cast<unsigned>(n));
    return out + 2;
  }
  char digits[20];
  int begin = 20;
  while (n >= 100) {
    const std::uint64_t q = n / 100;
    begin -= 2;
    Write_Pair(digits + begin, static_cast<unsigned>(n - q * 100));
    n = q;
  }
  if (n >= 10) {
    begin -= 2;
    Write_Pair(digits + begin, static_cast<unsigned>(n));
  } else {
    digits[--begin] = static_cast<char>('0' + n);
  }
  std::memcpy(out, digits + begin, static_cast<std::size_t>(20 - begin));
  return out + (20 - begin);
}

// Writes the six decimals of frac (below 1000000).
char* Write_Six(char* out, std::uint32_t frac) {
  const std::uint32_t high = frac / 10000;
  const std::uint32_t low = frac - high * 10000;
  const std::uint32_t middle = low / 100;
  Write_Pair(out, high);
  Write_Pair(out + 2, middle);
  Write_Pair(out + 4, low - middle * 100);
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
    if (shift >= 10 && shift < 64) {
      // The usual magnitudes (below 2^43): the quotient fits in 64 bits and
      // the remainder lies in the low word.
      const std::uint64_t low = static_cast<std::uint64_t>(product);
      const std::uint64_t high = static_cast<std::uint64_t>(product >> 64);
      const std::uint64_t quotient = (low >> shift) | (high << (64 - shift));
      const std::uint64_t remainder = low & ((std::uint64_t{1} << shift) - 1);
      const std::uint64_t half = std::uint64_t{1} << (shift - 1);
      scaled = quotient + static_cast<std::uint64_t>(remainder > half || (remainder == half && (quotient & 1) != 0));
    } else if (shift >= 100) {
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

void Append_Row(std::string& text, std::string_view head, double v, std::string_view tail) {
  text += head;
  Append_F(text, v);
  text += tail;
}

std::string F(double v) {
  std::string text;
  Append_F(text, v);
  return text;
}

}  // namespace scds
