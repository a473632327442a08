// The escaped and hexadecimal text forms of profile values, read the way
// other writers may have written them.
#include "host/ProfileTextForms.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "host/parseHexPair.h"

namespace {

TEST(ProfileTextForms, UnescapeTakesShortAndLowerCaseEscapes) {
  // Two digits then not a digit; a backslash at the end stays; low byte first.
  for (const auto& [text, plain] :
       {std::pair(u"a\\0900b", u"a\tb"), {u"\\2000\\2000", u"  "}, {u"\\e900x", u"\u00e9x"}, {u"\\41-", u"A-"},
        {u"end\\4", u"end\u0004"}, {u"lone\\", u"lone\\"}, {u"\\x", u"\\x"}, {u"\\\\2000", u"\\2000"}, {u"\\1B01", u"\u011b"}})
    EXPECT_EQ(unescapeProfileText(text), plain);
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
  EXPECT_FALSE(decodeCheckedHexBlock(u"4000x", back) || decodeCheckedHexBlock(u"400", back) ||
               decodeHexBlock(u"0000000", back));
  EXPECT_EQ(back, bytes);
}

TEST(ParseHexPair, RangesAndSingleNumbers) {
  hexPair pair;
  ASSERT_TRUE(parseHexPair(u"1A-ff", pair));
  EXPECT_TRUE(pair.first == 0x1Au && pair.second == 0xFFu);
  ASSERT_TRUE(parseHexPair(u"FFFFFFFFFFFFFFFF", pair));
  EXPECT_TRUE(pair.first == ~0ull && pair.second == 0u);
  for (const char16_t* bad : {u"", u"-1", u"1-", u"1 2", u"12345678901234567", u"g"}) EXPECT_FALSE(parseHexPair(bad, pair));
  EXPECT_FALSE(parseHexPair(nullptr, pair));
  EXPECT_EQ(pair.first, ~0ull);
}

}  // namespace
