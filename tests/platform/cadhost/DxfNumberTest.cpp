// Reals in DXF text: the usual form other programs write and read, exact
// round trips, and nothing that is not a finite number.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>

#include "platform/cadhost/DxfNumber.h"

namespace cadhost {
namespace {

std::string written(double value) {
  std::string text;
  appendDxfReal(text, value);
  return text;
}

TEST(CadhostDxfNumber, RealsAreWrittenInTheUsualForm) {
  const std::pair<double, const char*> cases[] = {
      {10.0, "10.0"},        {0.5, "0.5"},           {1234.5678, "1234.5678"}, {-0.000125, "-0.000125"},
      {100000.0, "100000.0"}, {0.0, "0.0"},           {-0.0, "-0.0"},           {1e15, "1000000000000000.0"},
      {0.0001, "0.0001"},    {1e16, "1e+16"},        {1.5e-5, "1.5e-05"},      {1e-20, "1e-20"},
      {1.5e300, "1.5e+300"}, {0.1 + 0.2, "0.30000000000000004"},               {-2.5e-310, "-2.5e-310"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(written(value), text) << value;
  // Angles in degrees take the same form.
  for (const auto& [radians, text] : {std::pair{1e-10, "5.729577951308232e-09"}, std::pair{0.5, "28.64788975654116"},
                                      std::pair{-1e15, "-5.7295779513082321e+16"}}) {
    std::string degrees;
    appendDxfDegrees(degrees, radians);
    EXPECT_EQ(degrees, text);
  }
}

// Any finite double: the text reads back to the same double, has no more
// digits than the shortest round trip, and uses an exponent only outside
// 1e-4 <= |x| < 1e16.
TEST(CadhostDxfNumber, EveryFiniteRealComesBackFromItsShortestText) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 200000; ++i) {
    double value = std::bit_cast<double>(random());
    if (i % 2) value = std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 120) - 80);
    if (!std::isfinite(value)) continue;
    const std::string text = written(value);
    double back = 0;
    ASSERT_TRUE(parseDxfReal(text, back)) << text;
    ASSERT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(value)) << text;
    char shortest[40];
    auto r = std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::scientific);
    const std::string_view digits(shortest, static_cast<std::size_t>(r.ptr - shortest));
    const auto significant = [](std::string_view s) {
      s = s.substr(0, s.find('e'));
      std::string d;
      for (char c : s)
        if (c >= '0' && c <= '9') d += c;
      d.erase(0, std::min(d.find_first_not_of('0'), d.size()));
      d.erase(d.find_last_not_of('0') + 1);
      return d;
    };
    ASSERT_EQ(significant(text), significant(digits)) << text;
    const double magnitude = std::fabs(value);
    ASSERT_EQ(text.find('e') == std::string::npos, magnitude == 0 || (magnitude >= 1e-4 && magnitude < 1e16))
        << text;
  }
}

TEST(CadhostDxfNumber, OnlyFiniteNumbersAreRead) {
  const char* notFinite[] = {"nan", "NaN", "-nan(1)", "inf", "-inf", "infinity", "1e309", "-1e309", "1e99999",
                             "123456e99999999999999999999"};
  for (const char* text : notFinite) {
    double value = 7;
    EXPECT_EQ(readDxfReal(text, value), RealReading::notFinite) << text;
    EXPECT_EQ(readDxfDegrees(text, value), RealReading::notFinite) << text;
    EXPECT_EQ(value, 7);
  }
  for (const char* text : {"", "x", "1,5", "0x10", "1e", "--1"}) {
    double value = 0;
    EXPECT_EQ(readDxfReal(text, value), RealReading::notANumber) << text;
  }
  // Too small for a double: zero of its sign, as other readers take it.
  double value = 1;
  EXPECT_EQ(readDxfReal("-1e-400", value), RealReading::ok);
  EXPECT_TRUE(value == 0 && std::signbit(value));
  EXPECT_EQ(readDxfReal("1e-99999", value), RealReading::ok);
  EXPECT_EQ(value, 0);
  EXPECT_EQ(readDxfReal(" +2.5e-310\r", value), RealReading::ok);
  EXPECT_EQ(value, 2.5e-310);
  std::int64_t whole = 0;
  EXPECT_FALSE(parseDxfInteger("nan", whole));
  EXPECT_FALSE(parseDxfInteger("1e309", whole));
}

}  // namespace
}  // namespace cadhost
