#include "platform/win/NumberParse.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cmath>

TEST(NumberParse, ReadsTheLeadingNumberAndReportsWhereItStopped) {
  WCHAR* end = nullptr;
  const WCHAR text[] = u"  \t-12.5e1xyz";
  EXPECT_DOUBLE_EQ(wcstod(text, &end), -125.0);
  EXPECT_EQ(end, text + 10);

  const WCHAR comma[] = u"1,5";
  EXPECT_DOUBLE_EQ(wcstod(comma, &end), 1.0);
  EXPECT_EQ(*end, u',');

  const WCHAR none[] = u"  abc";
  EXPECT_EQ(wcstod(none, &end), 0.0);
  EXPECT_EQ(end, none);  // nothing read: the start, not after the blanks

  const WCHAR whole[] = u"0.017";
  wcstod(whole, &end);
  EXPECT_EQ(*end, 0);

  // Parsing stops at the first unit outside ASCII.
  const WCHAR czech[] = u"20\u00B0C";
  EXPECT_DOUBLE_EQ(wcstod(czech, &end), 20.0);
  EXPECT_EQ(end, czech + 2);
}

TEST(NumberParse, IntegersClampToThirtyTwoBitsAsOnWindows) {
  WCHAR* end = nullptr;
  const WCHAR text[] = u"42abc";
  EXPECT_EQ(wcstol(text, &end, 10), 42);
  EXPECT_EQ(end, text + 2);
  errno = 0;
  EXPECT_EQ(wcstol(u"99999999999", nullptr, 10), 2147483647);
  EXPECT_EQ(errno, ERANGE);
  EXPECT_EQ(wcstol(u"-99999999999", nullptr, 10), -2147483647 - 1);
  EXPECT_EQ(wcstol(u"0x1F", nullptr, 16), 31);
  EXPECT_EQ(wcstol(u"017", nullptr, 0), 15);
  EXPECT_EQ(wcstol(u"5", nullptr, 1), 0);  // invalid base
}

TEST(NumberParse, ConvenienceReadersGiveZeroWithoutANumber) {
  EXPECT_EQ(_wtoi(u" 7 kW"), 7);
  EXPECT_EQ(_wtoi(u"kW"), 0);
  EXPECT_EQ(_wtoi(nullptr), 0);
  EXPECT_DOUBLE_EQ(_wtof(u"22.5"), 22.5);
  EXPECT_DOUBLE_EQ(_wtof(u""), 0.0);
  EXPECT_EQ(_wtol(u"-3"), -3);
}

TEST(NumberParse, IgnoresTheProcessLocale) {
  // A locale with a decimal comma, when the machine has one.
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  if (!std::setlocale(LC_NUMERIC, "cs_CZ.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
    GTEST_SKIP() << "no locale with a decimal comma installed";
  EXPECT_DOUBLE_EQ(_wtof(u"1.25"), 1.25);
  EXPECT_DOUBLE_EQ(_wtof(u"1,25"), 1.0);
  std::setlocale(LC_NUMERIC, saved.c_str());
}
