// Reals in DXF text: the usual form other programs write and read, exact
// round trips, and nothing that is not a finite number.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>

#include "platform/cadhost/DxfNumber.h"

namespace cadhost {
namespace {

std::string written(double value, bool degrees = false) {
  std::string text;
  degrees ? appendDxfDegrees(text, value) : appendDxfReal(text, value);
  return text;
}

TEST(CadhostDxfNumber, RealsAreWrittenInTheUsualForm) {
  const std::pair<double, const char*> cases[] = {
      {10.0, "10.0"}, {0.5, "0.5"}, {1234.5678, "1234.5678"}, {-0.000125, "-0.000125"}, {100000.0, "100000.0"},
      {-0.0, "-0.0"}, {1e15, "1000000000000000.0"}, {1e16, "1e+16"}, {1.5e-5, "1.5e-05"}, {1.5e300, "1.5e+300"},
      {0.1 + 0.2, "0.30000000000000004"}, {-2.5e-310, "-2.5e-310"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(written(value), text);
  EXPECT_EQ(written(1e-10, true), "5.729577951308232e-09");  // degrees take the same form
}

// Any finite double reads back from its text, which has the digits of the
// shortest round trip and an exponent only outside 1e-4 <= |x| < 1e16.
TEST(CadhostDxfNumber, EveryFiniteRealComesBackFromItsShortestText) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 200000; ++i) {
    double value = std::bit_cast<double>(random());
    if (i % 2) value = std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 120) - 80);
    if (!std::isfinite(value)) continue;
    const std::string text = written(value);
    double back = 0;
    ASSERT_TRUE(parseDxfReal(text, back) && std::bit_cast<std::uint64_t>(back) == std::bit_cast<std::uint64_t>(value))
        << text;
    const double magnitude = std::fabs(value);
    ASSERT_EQ(text.find('e') == std::string::npos, magnitude == 0 || (magnitude >= 1e-4 && magnitude < 1e16)) << text;
    if (text.find('e') != std::string::npos) continue;
    // Fixed form: no digit beyond the shortest round trip.
    const std::string shorter = text.substr(0, text.size() - 1);
    ASSERT_TRUE(text.ends_with(".0") || !parseDxfReal(shorter, back) || back != value) << text;
  }
}

TEST(CadhostDxfNumber, OnlyFiniteNumbersAreRead) {
  for (const char* text : {"nan", "-nan(1)", "inf", "-inf", "infinity", "1e309", "-1e309", "1e99999"}) {
    double value = 7;
    EXPECT_EQ(readDxfReal(text, value), RealReading::notFinite) << text;
    EXPECT_EQ(readDxfDegrees(text, value), RealReading::notFinite) << text;
    EXPECT_EQ(value, 7);
  }
  double value = 1;
  for (const char* text : {"", "x", "1,5", "0x10", "1e", "--1"})
    EXPECT_EQ(readDxfReal(text, value), RealReading::notANumber) << text;
  // Too small for a double: zero of its sign, as other readers take it.
  EXPECT_TRUE(readDxfReal("-1e-400", value) == RealReading::ok && value == 0 && std::signbit(value));
  EXPECT_TRUE(readDxfReal("1e-99999", value) == RealReading::ok && value == 0);
  EXPECT_TRUE(readDxfReal(" +2.5e-310\r", value) == RealReading::ok && value == 2.5e-310);
  std::int64_t whole = 0;
  EXPECT_FALSE(parseDxfInteger("nan", whole) || parseDxfInteger("1e309", whole));
}

}  // namespace
}  // namespace cadhost
