#include "number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

namespace {

std::string Printf_F(double v) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%f", v);
  return buffer;
}

TEST(FormatF, MatchesPrintfOnChosenValues) {
  const double values[] = {0.0,
                           -0.0,
                           1.0,
                           -1.0,
                           0.5,
                           0.0000005,       // just below or above a tie in binary
                           0.0000015,
                           0.0078125,       // exact tie 0.0078125: to even -> 0.007812
                           0.0234375,       // exact tie: -> 0.023438
                           -0.0078125,
                           1e-7,
                           -1e-7,           // rounds to -0.000000
                           4.9406564584124654e-324,
                           -4.9406564584124654e-324,
                           std::numeric_limits<double>::min(),
                           123456.7890125,
                           9007199254740992.0,
                           9007199254740993.0,
                           18446744073709.551615,
                           18446744073709551615.0,
                           1e15,
                           1e16,
                           1e20,
                           1e22,
                           1e300,
                           -1e300,
                           std::numeric_limits<double>::max(),
                           -std::numeric_limits<double>::max(),
                           57.3,
                           180.0132591,
                           3.14159265359,
                           0.1,
                           0.2,
                           0.3,
                           2.5e-6,
                           999999.9999995,
                           0.9999995,
                           0.99999949999999999,
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity()};
  for (double v : values) {
    EXPECT_EQ(scds::F(v), Printf_F(v)) << "value bits of " << v;
  }
}

TEST(FormatF, NanKeepsItsSign) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(scds::F(nan), Printf_F(nan));
  EXPECT_EQ(scds::F(-nan), Printf_F(-nan));
  EXPECT_EQ(scds::F(std::copysign(nan, -1.0)), "-nan");
}

TEST(FormatF, MatchesPrintfOnRandomBitPatterns) {
  std::mt19937_64 random(12345);
  for (int k = 0; k < 300000; ++k) {
    std::uint64_t bits = random();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    ASSERT_EQ(scds::F(v), Printf_F(v)) << std::hexfloat << v;
  }
}

TEST(FormatF, MatchesPrintfOnMeshLikeAndTieValues) {
  std::mt19937_64 random(777);
  std::uniform_real_distribution<double> coordinate(-5000.0, 5000.0);
  std::uniform_int_distribution<int> power(-30, 40);
  for (int k = 0; k < 300000; ++k) {
    const double v = coordinate(random) * std::ldexp(1.0, power(random));
    ASSERT_EQ(scds::F(v), Printf_F(v)) << std::hexfloat << v;
  }
  // Halves of the last printed digit that a double holds exactly: n / 2^7
  // has seven decimals and ends in 5.
  for (int n = -5000; n <= 5000; ++n) {
    const double v = n / 128.0;
    ASSERT_EQ(scds::F(v), Printf_F(v)) << v;
    const double w = n / 1024.0 + 1e6;
    ASSERT_EQ(scds::F(w), Printf_F(w)) << w;
  }
}

TEST(FormatF, MatchesPrintfAtEveryBinaryExponentAndDigitCount) {
  // Every power of two that a double holds, with mantissas at both ends of
  // the range and in between: each way the scaled value is worked out,
  // and the edges between them.
  std::mt19937_64 random(4242);
  for (int e = -1074; e <= 1023; ++e) {
    const double base = std::ldexp(1.0, e);
    const double values[] = {base, std::nextafter(base * 2, 0.0), std::nextafter(base, 0.0),
                             base * (1.0 + std::ldexp(static_cast<double>(random() >> 12), -52))};
    for (double v : values) {
      ASSERT_EQ(scds::F(v), Printf_F(v)) << std::hexfloat << v;
      ASSERT_EQ(scds::F(-v), Printf_F(-v)) << std::hexfloat << -v;
    }
  }
  // Exact ties of the sixth decimal around the 64-bit edges: k + 0.0000005
  // is no double, but n / 2^7 + an integer is, up to 2^45.
  for (int e = 30; e <= 46; ++e) {
    for (int n = 1; n < 128; n += 2) {
      const double v = std::ldexp(1.0, e) + n / 128.0;
      ASSERT_EQ(scds::F(v), Printf_F(v)) << std::hexfloat << v;
    }
  }
  // Integer parts of every length.
  double p = 1.0;
  for (int digits = 1; digits <= 22; ++digits, p *= 10.0) {
    for (double v : {p, p - 1.0, p + 0.5, 9.999999 * p}) {
      ASSERT_EQ(scds::F(v), Printf_F(v)) << v;
    }
  }
}

}  // namespace
