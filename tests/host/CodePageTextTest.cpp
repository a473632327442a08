// Narrow code page 1250 text with escapes: every byte against Python's cp1250
// codec, every UTF-16 unit, random round trips, surrogate pairs, the escape
// convention, the bounded printf and the text control codes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "host/CodePageText.h"

namespace {

// Bytes 0x80 to 0xFF as Python's cp1250 codec decodes them; the five bytes it
// leaves undefined as '?'.
constexpr char16_t pythonUpperHalf[128] = {
    0x20AC, 0x003F, 0x201A, 0x003F, 0x201E, 0x2026, 0x2020, 0x2021,
    0x003F, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x003F, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x003F, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

char16_t pythonDecode(unsigned byte) {
  return byte < 0x80 ? static_cast<char16_t>(byte) : pythonUpperHalf[byte - 0x80];
}

std::string escapeOf(char16_t unit) {
  char text[8];
  std::snprintf(text, sizeof text, "\\U+%04x", static_cast<unsigned>(unit));
  return text;
}

TEST(CodePageText, EveryByteAsPythonDecodesIt) {
  for (unsigned byte = 0; byte < 256; ++byte) {
    const char c = static_cast<char>(byte);
    EXPECT_EQ(hvMbToWide(std::string_view(&c, 1)), std::u16string(1, pythonDecode(byte))) << byte;
  }
}

TEST(CodePageText, EveryUnitToOneByteOrAnEscape) {
  std::u16string bytesOfUnit(0x10000, u'\0');
  for (unsigned byte = 0; byte < 256; ++byte)
    if (pythonDecode(byte) != u'?' || byte == '?') bytesOfUnit[pythonDecode(byte)] = static_cast<char16_t>(byte + 1);
  for (unsigned u = 0; u < 0x10000; ++u) {
    const auto unit = static_cast<char16_t>(u);
    const std::string narrow = hvWideToMb(std::u16string_view(&unit, 1));
    if (bytesOfUnit[u] != 0)
      ASSERT_EQ(narrow, std::string(1, static_cast<char>(bytesOfUnit[u] - 1))) << u;
    else
      ASSERT_EQ(narrow, escapeOf(unit)) << u;
    ASSERT_EQ(hvMbToWide(narrow), std::u16string(1, unit)) << u;
  }
}

TEST(CodePageText, RandomTextRoundTrips) {
  std::mt19937 rng(1250);
  const std::u16string literalEscape = u"\\U+";
  for (int round = 0; round < 2000; ++round) {
    std::u16string text(rng() % 40, u'\0');
    for (char16_t& c : text) {
      const unsigned kind = rng() % 4;
      c = static_cast<char16_t>(kind == 0 ? rng() % 0x80 : kind == 1 ? 0x80 + rng() % 0x200
                                                                     : rng() % 0x10000);
    }
    if (text.find(literalEscape) != std::u16string::npos) continue;  // the host's convention
    ASSERT_EQ(hvMbToWide(hvWideToMb(text)), text) << round;
  }
}

TEST(CodePageText, SuperscriptAndSurrogatePairs) {
  EXPECT_EQ(hvWideToMb(u"m²"), "m\\U+00b2");
  EXPECT_EQ(hvMbToWide("m\\U+00b2"), u"m²");
  const std::u16string pipe = u"a\U0001F6B0b";  // one character, two UTF-16 units
  ASSERT_EQ(pipe.size(), 4u);
  EXPECT_EQ(hvWideToMb(pipe), "a\\U+d83d\\U+deb0b");
  EXPECT_EQ(hvMbToWide(hvWideToMb(pipe)), pipe);
  EXPECT_EQ(hvWideToMb(u"Žluťoučký kůň"), "\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2");
}

TEST(CodePageText, EscapesAreReadInEitherCaseAndOnlyWhole) {
  EXPECT_EQ(hvMbToWide("x\\U+00B2\\U+00b2"), u"x²²");
  EXPECT_EQ(hvMbToWide("\\U+00zz"), u"\\U+00zz");
  EXPECT_EQ(hvMbToWide("ab\\U+00b"), u"ab\\U+00b");  // cut short at the end
  EXPECT_EQ(hvMbToWide("\\u+00b2"), u"\\u+00b2");    // the U must be upper case
  EXPECT_EQ(hvMbToWide("\\\\U+00b2"), u"\\²");
}

TEST(CodePageText, LiteralEscapeTypedByAUserReadsAsItsUnit) {
  // The host's convention: a backslash is not escaped itself, so a user's
  // literal "\U+0041" comes back as "A".
  const std::u16string typed = u"\\U+0041";
  EXPECT_EQ(hvWideToMb(typed), "\\U+0041");
  EXPECT_EQ(hvMbToWide(hvWideToMb(typed)), u"A");
}

TEST(CodePageText, HeapCopies) {
  char16_t* wide = hvMbDupToWide("m\\U+00b2 \xE8");
  EXPECT_EQ(std::u16string(wide), u"m² č");
  char* narrow = hvWideDupToMb(wide);
  EXPECT_STREQ(narrow, "m\\U+00b2 \xE8");
  std::free(wide);
  std::free(narrow);
}

TEST(CodePageText, BoundedPrintf) {
  WCHAR buffer[hvSwprintfCapacity];
  const std::u16string fits(1023, u'x');
  EXPECT_EQ(hvSwprintf1024(buffer, u"%s", fits), 1023);
  EXPECT_EQ(hvSwprintf1024(buffer, u"%s!", fits), -1);
}

TEST(CodePageText, TextControlCodes) {
  CString out;
  EXPECT_EQ(std::u16string(expandTextControlCodes(out, u"20%%d").GetString()), u"20°");
  EXPECT_EQ(std::u16string(expandTextControlCodes(out, u"%%D %%P1 %%c50 %%Uab%%u").GetString()),
            u"° ±1 O50 ab");
  EXPECT_EQ(std::u16string(expandTextControlCodes(out, u"%%x 100% %%").GetString()), u"%%x 100% %%");
  EXPECT_EQ(expandTextControlCodes(out, nullptr).GetLength(), 0);
  const std::u16string longText(5000, u'a');
  EXPECT_EQ(expandTextControlCodes(out, longText.c_str()).GetLength(), 4095);
}

}  // namespace
