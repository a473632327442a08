// The escaped and hexadecimal text forms of profile values, read the way
// other writers may have written them.
#include "host/ProfileTextForms.h"

#include <gtest/gtest.h>

#include <vector>

#include "host/parseHexPair.h"

namespace {

TEST(ProfileTextForms, UnescapeTakesShortAndLowerCaseEscapes) {
  EXPECT_EQ(unescapeProfileText(u"a\\0900b"), u"a\tb");
  EXPECT_EQ(unescapeProfileText(u"\\2000\\2000"), u"  ");
  EXPECT_EQ(unescapeProfileText(u"\\e900x"), u"\u00e9x");
  EXPECT_EQ(unescapeProfileText(u"\\41-"), u"A-");      // two digits, then not a digit
  EXPECT_EQ(unescapeProfileText(u"end\\4"), u"end\u0004");
  EXPECT_EQ(unescapeProfileText(u"lone\\"), u"lone\\");  // a backslash at the end stays
  EXPECT_EQ(unescapeProfileText(u"\\x"), u"\\x");
  EXPECT_EQ(unescapeProfileText(u"\\\\2000"), u"\\2000");
  EXPECT_EQ(unescapeProfileText(u"\\1B01"), u"\u011b");  // low byte first
}

TEST(ProfileTextForms, EscapeRoundTripsEveryUnit) {
  std::u16string all;
  for (char32_t c = 1; c < 0x10000; c += 7) all += static_cast<char16_t>(c);
  EXPECT_EQ(unescapeProfileText(escapeProfileText(all).view()).str(), all);
  EXPECT_EQ(escapeProfileText(u"'x'"), u"\\2700x'");
}

TEST(ProfileTextForms, HexBlocksOfBothFamilies) {
  const std::vector<BYTE> bytes = {0x00, 0xFF, 0x12};
  EXPECT_EQ(encodeHexBlock(bytes), u"0000000300FF12");
  EXPECT_EQ(encodeCheckedHexBlock(bytes), u"A00000FF21");
  std::vector<BYTE> back;
  ASSERT_TRUE(decodeCheckedHexBlock(u"A00000FF21", back));
  EXPECT_EQ(back, bytes);
  EXPECT_FALSE(decodeCheckedHexBlock(u"4000x", back));
  EXPECT_FALSE(decodeCheckedHexBlock(u"400", back));
  EXPECT_FALSE(decodeHexBlock(u"0000000", back));
  EXPECT_EQ(back, bytes);
}

TEST(ParseHexPair, RangesAndSingleNumbers) {
  hexPair pair;
  ASSERT_TRUE(parseHexPair(u"1A-ff", pair));
  EXPECT_EQ(pair.first, 0x1Au);
  EXPECT_EQ(pair.second, 0xFFu);
  ASSERT_TRUE(parseHexPair(u"FFFFFFFFFFFFFFFF", pair));
  EXPECT_EQ(pair.first, ~0ull);
  EXPECT_EQ(pair.second, 0u);
  for (const char16_t* bad : {u"", u"-1", u"1-", u"1 2", u"12345678901234567", u"g"}) EXPECT_FALSE(parseHexPair(bad, pair));
  EXPECT_FALSE(parseHexPair(nullptr, pair));
  EXPECT_EQ(pair.first, ~0ull);
}

}  // namespace
