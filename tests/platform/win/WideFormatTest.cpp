#include "platform/win/WideFormat.h"

#include "platform/win/CString.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

template <typename... Args>
std::u16string fmt(const char16_t* format, const Args&... args) {
  const std::optional<std::u16string> text = hvFormat(format, args...);
  EXPECT_TRUE(text.has_value()) << "format failed";
  return text.value_or(u"<failed>");
}

}  // namespace

TEST(WideFormat, AssertionReport) {
  const int version = 1929;
  EXPECT_EQ(fmt(u"%s\n%s (%d) %s\n%s modified\n%s compiled\nCompiler: %d.%d", u"<unknown application>",
                u"geBound", 18, u"getPointsArea", u"7/30/2024 10:02:07 PM", u"11:06:57 Mar  5 2025",
                version / 100, version % 100),
            u"<unknown application>\ngeBound (18) getPointsArea\n7/30/2024 10:02:07 PM modified\n"
            u"11:06:57 Mar  5 2025 compiled\nCompiler: 19.29");
}

TEST(WideFormat, IntegersReadThirtyTwoBitsUnlessToldOtherwise) {
  EXPECT_EQ(fmt(u"*UMSHV9%X", 0x1A2Bu), u"*UMSHV91A2B");
  EXPECT_EQ(fmt(u"*UMSHV9%X", -1), u"*UMSHV9FFFFFFFF");
  EXPECT_EQ(fmt(u"%u", -1), u"4294967295");
  EXPECT_EQ(fmt(u"%d", 0xFFFFFFFFu), u"-1");
  EXPECT_EQ(fmt(u"%d", 0x100000005LL), u"5");  // as Windows reads an int
  EXPECT_EQ(fmt(u"%lld|%I64u", 0x100000005LL, 0x100000005ULL), u"4294967301|4294967301");
  EXPECT_EQ(fmt(u"MJ%u", 3u) + fmt(u"MAT%u", 12u) + fmt(u"DIM%u", 0u), u"MJ3MAT12DIM0");
  EXPECT_EQ(fmt(u"%i", -17), u"-17");
  EXPECT_EQ(fmt(u"%ix%i", 3, 2), u"3x2");
  EXPECT_EQ(fmt(u"[%05d|%-4d|%+d|%#x|%o]", 42, 7, 3, 255, 8), u"[00042|7   |+3|0xff|10]");
}

TEST(WideFormat, CharactersAndStringsAreWide) {
  EXPECT_EQ(fmt(u"MODULE_%c", u'E'), u"MODULE_E");
  EXPECT_EQ(fmt(u"MODULE_%c", u'\u0158'), u"MODULE_\u0158");
  EXPECT_EQ(fmt(u"%s%d", u"CB_DISTR", 3), u"CB_DISTR3");
  EXPECT_EQ(fmt(u"%s_%d", std::u16string(u"LIST"), 0), u"LIST_0");
  EXPECT_EQ(fmt(u"%s.%d", CString(u"TP"), 2), u"TP.2");
  EXPECT_EQ(fmt(u"[%-6s|%6s|%.3s]", u"ab", u"\u0159\u017E", u"abcdef"), u"[ab    |    \u0159\u017E|abc]");
  // Narrow text only through %S or %hs, read as code page 1250.
  EXPECT_EQ(fmt(u"%S|%hs|%C", "P\xF8\xEDvod", "\x9Alu", 0xE8), u"P\u0159\u00EDvod|\u0161lu|\u010D");
  EXPECT_EQ(fmt(u"%s", static_cast<const WCHAR*>(nullptr)), u"(null)");
  EXPECT_EQ(fmt(u"100%%"), u"100%");
}

TEST(WideFormat, FloatingPointUsesTheCLocale) {
  EXPECT_EQ(fmt(u"%g|%g|%g|%g", 1234567.8, 0.0001, 1e-5, 100000.0), u"1.23457e+06|0.0001|1e-05|100000");
  EXPECT_EQ(fmt(u"%.16g|%.16g", 0.1, 1.0 / 3.0), u"0.1|0.3333333333333333");
  EXPECT_EQ(fmt(u"%.*f|%.*f", 2, 3.14159, 0, 2.6), u"3.14|3");
  EXPECT_EQ(fmt(u"%.0lf|%.1lf|%.2lf|%.3lf|%.4lf", 1234.56789, 1234.56789, 1234.56789, 1234.56789, 1234.56789),
            u"1235|1234.6|1234.57|1234.568|1234.5679");
  EXPECT_EQ(fmt(u"%lf", 1234.56789), u"1234.567890");
  EXPECT_EQ(fmt(u"%.2lf %s", 12.5, u"kPa"), u"12.50 kPa");
  EXPECT_EQ(fmt(u"0 %s", u"Pa"), u"0 Pa");
  EXPECT_EQ(fmt(u"(%.2f|%.2f|%.2f)", 1.0, 2.5, -0.126), u"(1.00|2.50|-0.13)");
  EXPECT_EQ(fmt(u"[%f|%f]", 0.2, 38.0), u"[0.200000|38.000000]");
  EXPECT_EQ(fmt(u"\\f%s;\\W%.2f;%s", u"Arial", 0.75, u"Z1"), u"\\fArial;\\W0.75;Z1");
  EXPECT_EQ(fmt(u"\n\\W%.2f;\\H%.2fx;", 0.8, 0.6667), u"\n\\W0.80;\\H0.67x;");
  EXPECT_EQ(fmt(u"%8.3f|%-8.1e|", 3.14159, 31415.9), u"   3.142|3.1e+04 |");

  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, "cs_CZ.UTF-8") || std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
    EXPECT_EQ(fmt(u"%.2f|%g", 1.5, 0.25), u"1.50|0.25");
    std::setlocale(LC_NUMERIC, saved.c_str());
  }
}

TEST(WideFormat, PointersPrintSixteenUpperCaseDigits) {
  int value = 0;
  const void* p = &value;
  const std::u16string text = fmt(u"%p", p);
  ASSERT_EQ(text.size(), 16u);
  EXPECT_EQ(text.find_first_not_of(u"0123456789ABCDEF"), std::u16string::npos);
  EXPECT_EQ(fmt(u"%p", nullptr), u"0000000000000000");
}

TEST(WideFormat, MismatchedOrMissingArgumentsFailTheFormat) {
  EXPECT_FALSE(hvFormat(u"%s", 5));
  EXPECT_FALSE(hvFormat(u"%d", u"five"));
  EXPECT_FALSE(hvFormat(u"%d", 5.0));
  EXPECT_FALSE(hvFormat(u"%f", 5));
  EXPECT_FALSE(hvFormat(u"%s", "narrow"));
  EXPECT_FALSE(hvFormat(u"%S", u"wide"));
  EXPECT_FALSE(hvFormat(u"%d %d", 1));
  EXPECT_FALSE(hvFormat(u"%.*f", 2.0, 1.0));
  EXPECT_FALSE(hvFormat(u"50%"));
  EXPECT_FALSE(hvFormat(u"%n", 1));
  EXPECT_FALSE(hvFormat(u"%q", 1));
  EXPECT_FALSE(hvFormat(u"%999999999d", 1));
  EXPECT_FALSE(hvFormat(nullptr));
  EXPECT_TRUE(hvFormat(u"%d", 1, 2));  // extra arguments are ignored
}

TEST(WideFormat, BoundedFormatAnswersMinusOneWhenTheTextDoesNotFit) {
  WCHAR buffer[1024];
  const std::u16string fits(1023, u'x');
  EXPECT_EQ(hvSwprintf(buffer, 1024, u"%s", fits), 1023);
  EXPECT_EQ(std::u16string(buffer), fits);
  const std::u16string tooLong(1024, u'x');
  EXPECT_EQ(hvSwprintf(buffer, 1024, u"%s", tooLong), -1);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(hvSwprintf(buffer, 1024, u"%s - %s [ %i ] ( timestamp %s )", u"Error", u"text", 7, u"t"),
            34);
  EXPECT_EQ(std::u16string(buffer), u"Error - text [ 7 ] ( timestamp t )");
  EXPECT_EQ(hvSwprintf(buffer, 1024, u"%d", u"bad"), -1);
}
