#include "platform/win/CodePage.h"

#include "platform/win/LastError.h"
#include "platform/win/Utf8.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace {

std::string allBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

// glibc's own code page 1250 converter, an independent reading of the table.
// Answers -1 for the bytes it leaves undefined.
int iconvUnit(iconv_t cd, unsigned char byte) {
  char in[1] = {static_cast<char>(byte)};
  char out[4] = {};
  char* inp = in;
  char* outp = out;
  std::size_t inLeft = 1, outLeft = sizeof out;
  if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<std::size_t>(-1)) return -1;
  return static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8;
}

}  // namespace

TEST(CodePage1250, AllBytesRoundTripThroughTheSystemCalls) {
  const std::string bytes = allBytes();
  WCHAR wide[256];
  ASSERT_EQ(MultiByteToWideChar(CP_1250, 0, bytes.data(), 256, wide, 256), 256);
  char back[256];
  BOOL usedDefault = TRUE;
  ASSERT_EQ(WideCharToMultiByte(CP_1250, WC_NO_BEST_FIT_CHARS, wide, 256, back, 256, nullptr, &usedDefault), 256);
  EXPECT_FALSE(usedDefault);
  EXPECT_EQ(std::string(back, 256), bytes);
}

TEST(CodePage1250, TableAgreesWithTheCLibraryConverter) {
  iconv_t cd = iconv_open("UTF-16LE", "CP1250");
  if (cd == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "no CP1250 converter in this C library";
  int undefined = 0;
  for (int b = 0; b < 256; ++b) {
    const int expected = iconvUnit(cd, static_cast<unsigned char>(b));
    if (expected < 0) {
      ++undefined;
      // Undefined bytes become the control character of the same value.
      EXPECT_EQ(hvCp1250ToUnit(static_cast<unsigned char>(b)), b);
      continue;
    }
    EXPECT_EQ(hvCp1250ToUnit(static_cast<unsigned char>(b)), expected) << "byte " << b;
  }
  iconv_close(cd);
  EXPECT_EQ(undefined, 5);
  for (int b : {0x81, 0x83, 0x88, 0x90, 0x98}) EXPECT_EQ(hvCp1250ToUnit(static_cast<unsigned char>(b)), b);
}

TEST(CodePage1250, CzechLettersHaveTheirBytes) {
  bool usedDefault = true;
  EXPECT_EQ(hvWideToCp1250(u"Příliš žluťoučký kůň úpěl ďábelské ódy", &usedDefault),
            "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFAp\xECl \xEF\xE1\x62\x65lsk\xE9 \xF3\x64y");
  EXPECT_FALSE(usedDefault);
}

TEST(CodePage1250, UnmappableUnitsReportTheDefault) {
  // m² : the superscript two has no byte in code page 1250.
  const WCHAR text[] = u"m\u00B2";
  char out[8] = {};
  BOOL usedDefault = FALSE;
  const char zero = 0;
  ASSERT_EQ(WideCharToMultiByte(CP_1250, WC_NO_BEST_FIT_CHARS, text, 2, out, 8, &zero, &usedDefault), 2);
  EXPECT_TRUE(usedDefault);
  EXPECT_EQ(out[0], 'm');
  EXPECT_EQ(out[1], 0);

  // Without a default character the default is '?'; no best-fit to '2'.
  ASSERT_EQ(WideCharToMultiByte(CP_1250, WC_NO_BEST_FIT_CHARS, text, 2, out, 8, nullptr, nullptr), 2);
  EXPECT_EQ(std::string(out, 2), "m?");
}

TEST(CodePage1250, EachSurrogateHalfIsUnmappableOnItsOwn) {
  const std::u16string pair = u"\U0001F600";
  ASSERT_EQ(pair.size(), 2u);
  for (WCHAR half : pair) {
    char out = 'x';
    BOOL usedDefault = FALSE;
    ASSERT_EQ(WideCharToMultiByte(CP_1250, WC_NO_BEST_FIT_CHARS, &half, 1, &out, 1, nullptr, &usedDefault), 1);
    EXPECT_TRUE(usedDefault) << std::hex << static_cast<int>(half);
    EXPECT_EQ(hvCp1250FromUnit(half), -1);
  }
}

TEST(CodePage1250, BufferSizesFollowTheSystemRules) {
  const char* text = "abc";
  EXPECT_EQ(MultiByteToWideChar(CP_1250, 0, text, -1, nullptr, 0), 4);  // terminator counted
  WCHAR small[2];
  EXPECT_EQ(MultiByteToWideChar(CP_1250, 0, text, -1, small, 2), 0);
  EXPECT_EQ(GetLastError(), 122u);  // ERROR_INSUFFICIENT_BUFFER
  EXPECT_EQ(WideCharToMultiByte(CP_1250, 0, u"\u0159", -1, nullptr, 0, nullptr, nullptr), 2);
  EXPECT_EQ(MultiByteToWideChar(437, 0, text, -1, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), 87u);  // ERROR_INVALID_PARAMETER
  EXPECT_EQ(MultiByteToWideChar(CP_1250, 0, nullptr, 3, small, 2), 0);
}

TEST(CodePageUtf8, RejectsMalformedSequences) {
  EXPECT_TRUE(hvIsValidUtf8("N\xC3\xA1zev \xF0\x9F\x98\x80"));
  EXPECT_FALSE(hvIsValidUtf8("\xC0\x80"));          // overlong zero
  EXPECT_FALSE(hvIsValidUtf8("\xED\xA0\x80"));      // encoded surrogate
  EXPECT_FALSE(hvIsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_FALSE(hvIsValidUtf8("\xC5"));              // cut short
  EXPECT_FALSE(hvIsValidUtf8("P\xF8\xEDli\x9A"));   // code page 1250 bytes
}

TEST(CodePageUtf8, ConvertsBothWaysWithSurrogatePairs) {
  const std::string utf8 = "\xC5\x99\xF0\x9F\x98\x80";  // ř and U+1F600
  EXPECT_EQ(hvUtf8ToWide(utf8), u"\u0159\U0001F600");
  EXPECT_EQ(hvWideToUtf8(u"\u0159\U0001F600"), utf8);
  EXPECT_EQ(hvUtf8ToWide("a\xFF" "b"), u"a\uFFFD" "b");
  EXPECT_EQ(hvWideToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
  EXPECT_FALSE(hvIsWellFormedUtf16(std::u16string(1, u'\xDC00')));

  char out[8];
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u0159", 1, out, 8, nullptr, nullptr), 2);
  BOOL usedDefault;
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u0159", 1, out, 8, nullptr, &usedDefault), 0);
}
