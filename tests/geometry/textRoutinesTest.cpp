#include "geometry/textRoutines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::vector<std::u16string> toStrings(const CStringArray& a) {
  std::vector<std::u16string> out;
  for (const CString& s : a) out.push_back(s.str());
  return out;
}

}  // namespace

TEST(compareNamesPpNp, SortsPpFirstDescendingThenPlainThenNpAscending) {
  std::vector<std::u16string> names{u"pp2", u"b", u"np10", u"A", u"pp10", u"np2", u""};
  std::sort(names.begin(), names.end(),
            [](const auto& a, const auto& b) { return compareNamesPpNp(a.c_str(), b.c_str()) < 0; });
  EXPECT_EQ(names, (std::vector<std::u16string>{u"", u"pp10", u"pp2", u"A", u"b", u"np2", u"np10"}));
  EXPECT_EQ(compareNamesPpNp(u"pp2", u"pp10"), 1);
  EXPECT_EQ(compareNamesPpNp(nullptr, u""), 0);
  EXPECT_EQ(compareNamesPpNp(u"anp", u"ppnp"), 1);
  EXPECT_EQ(compareNamesPpNp(u"ppnp", u"anp"), -1);
}

TEST(compareNamesPpNp, IsAStrictWeakOrderThatStdSortMayUse) {
  const std::vector<const char16_t*> pool{nullptr, u"",    u"pp",    u"np",    u"ppnp", u"NPpp", u"anp",
                                          u"a1",   u"a01", u"a10",   u"A2",    u"pp9",  u"np9",  u"9",
                                          u"b",    u"x",   u"Pp100", u"nP007", u"np7"};
  for (const char16_t* a : pool) {
    EXPECT_EQ(compareNamesPpNp(a, a), 0);
    for (const char16_t* b : pool) {
      const int ab = compareNamesPpNp(a, b);
      EXPECT_EQ(ab, -compareNamesPpNp(b, a));
      for (const char16_t* c : pool) {
        const int bc = compareNamesPpNp(b, c), ac = compareNamesPpNp(a, c);
        EXPECT_TRUE(!(ab <= 0 && bc <= 0) || ac <= 0);
        EXPECT_TRUE(!(ab == 0 && bc == 0) || ac == 0);
      }
    }
  }
  std::mt19937 random(3);
  std::vector<std::u16string> names;
  for (int i = 0; i < 2000; ++i) names.push_back(pool[1 + random() % (pool.size() - 1)] + std::u16string(random() % 2, u'1'));
  std::sort(names.begin(), names.end(),
            [](const auto& a, const auto& b) { return compareNamesPpNp(a.c_str(), b.c_str()) < 0; });
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end(),
                             [](const auto& a, const auto& b) { return compareNamesPpNp(a.c_str(), b.c_str()) < 0; }));
}

TEST(TextRoutines, NaturalAndOrdinalComparison) {
  const std::tuple<const char16_t*, const char16_t*, int> cases[] = {
      {u"a9", u"a10", -1},  {u"9a", u"a", -1},  {u"x007", u"x7", 0},  {u"", u"a", -1},
      {u"a", u"", 1},       {u"B", u"a", -1},   {u"a99999999999", u"a99999999998", 1},
      {u"a123456789012345678901", u"a123456789012345678902", -1},  {nullptr, nullptr, 0},
      {u"ab", u"ab1", -1},  {u"ab1", u"abc", -1},
  };
  for (const auto& [a, b, expected] : cases) EXPECT_EQ(naturalCompare(a, b), expected);
  EXPECT_EQ(compareOrdinal(u"a", u"b"), -1);
  EXPECT_EQ(compareOrdinal(u"b", u"a"), 1);
  EXPECT_EQ(compareOrdinal(u"a", u"a"), 0);
  EXPECT_EQ(compareOrdinal(nullptr, u"a"), -1);
  EXPECT_EQ(compareOrdinal(u"a", nullptr), -1);
}

TEST(TextRoutines, NumberParsers) {
  const std::tuple<char, char, int> hex[] = {{'7', 'f', 127}, {'g', '5', 5}, {'7', 'g', 112}, {'g', 'h', 0}, {'A', 'b', 171}};
  for (const auto& [a, b, value] : hex) EXPECT_EQ(parseHexByte(a, b), value);
  const std::tuple<const char16_t*, double> commas[] = {{u"1,5", 1.5}, {u"1.5,2", 1.5}, {u"1,000,5", 1.0}, {nullptr, 0.0}};
  for (const auto& [text, value] : commas) EXPECT_EQ(parseNumberWithComma(text), value);

  double x = 9, y = 9, z = 9;
  parseVector3d(u"1.5,2,-3", x, y, z);
  EXPECT_EQ(std::tuple(x, y, z), std::tuple(1.5, 2.0, -3.0));
  parseVector3d(u"4", x, y, z);
  EXPECT_EQ(std::tuple(x, y, z), std::tuple(4.0, 0.0, 0.0));
  parseVector3d(nullptr, x, y, z);
  EXPECT_EQ(x, 0.0);

  double w = -1, h = -1;
  EXPECT_TRUE(parseSizeText(u" 12 X  7", w, h));
  EXPECT_EQ(std::tuple(w, h), std::tuple(12.0, 7.0));
  for (const char16_t* bad : {u"12 * 7", u"12 x", u"x 7", static_cast<const char16_t*>(nullptr)})
    EXPECT_FALSE(parseSizeText(bad, w, h));
  EXPECT_EQ(std::tuple(w, h), std::tuple(12.0, 7.0));
}

TEST(TextRoutines, FormattersCutToTheBufferAndWriteNothingIntoNone) {
  const double point[3] = {0.1, 2, -3};
  char16_t buffer[32];
  EXPECT_EQ(formatPoint3d(point, buffer, 32), 8u);
  EXPECT_EQ(std::u16string(buffer), u"0.1,2,-3");
  EXPECT_EQ(formatPoint3d(point, buffer, 5), 4u);
  EXPECT_EQ(std::u16string(buffer), u"0.1,");
  EXPECT_EQ(formatPoint3d(nullptr, buffer, 32), 0u);
  EXPECT_EQ(std::u16string(buffer), u"");
  // Size 0: not even a terminator (ASan sees a one-unit buffer).
  char16_t* one = new char16_t[1]{u'z'};
  EXPECT_EQ(formatPoint3d(point, one, 0), 0u);
  EXPECT_EQ(formatSizeText(1, 2, one, 0), 0u);
  EXPECT_EQ(one[0], u'z');
  delete[] one;
  formatSizeText(1920, 1080.4, buffer, 32);
  EXPECT_EQ(std::u16string(buffer), u"1920 x 1080");
}

TEST(TextRoutines, TextEdits) {
  const std::tuple<std::u16string, bool, std::u16string> dashes[] = {
      {u"ABCDEFGiJ", true, u"ABCDEFG-J"}, {u"ABCDEFGi", true, u"ABCDEFG-"},
      {u"ABCDEFi", false, u"ABCDEFi"},    {u"ABCDEFGj", false, u"ABCDEFGj"}};
  for (auto [text, changed, after] : dashes) {
    EXPECT_EQ(fixDashAt7(text.data()), changed);
    EXPECT_EQ(text, after);
  }
  EXPECT_FALSE(fixDashAt7(nullptr));

  CString name(u"a b");
  toUpperUnderscore(name);
  EXPECT_EQ(name.str(), u"A_B");

  CStringArray pieces;
  pieces.Add(CString(u"x"));
  splitAtChar(u"a;;b", pieces, u';');
  EXPECT_EQ(toStrings(pieces), (std::vector<std::u16string>{u"x", u"a", u"", u"b"}));
  pieces.RemoveAll();
  splitAtChar(u"abc", pieces, u';');
  splitAtChar(nullptr, pieces, u';');
  EXPECT_EQ(toStrings(pieces), std::vector<std::u16string>{u"abc"});
  pieces.Add(CString(u"d"));
  EXPECT_EQ(joinStrings(pieces).str(), u"abcd");

  char16_t target[4];
  copyBackslashToNewline(u"a\\b\\c", target, 3);
  EXPECT_EQ(std::u16string(target), u"a\nb");

  char16_t lines[8] = u"abc";
  EXPECT_TRUE(appendLineIfFits(lines, 8, u"de"));
  EXPECT_EQ(std::u16string(lines), u"abcde\n");
  EXPECT_FALSE(appendLineIfFits(lines, 8, u"x"));
  EXPECT_EQ(countLineBreaks(u"a\nb\nc", 3), 1);
  EXPECT_EQ(countLineBreaks(u"a\n\0\n", 4), 1);
  EXPECT_EQ(countLineBreaks(nullptr, 4), 0);
}

TEST(TextRoutines, NextLineGivesEveryLineOnce) {
  const std::tuple<std::u16string, std::vector<std::u16string>> cases[] = {
      {u"ab\ncd", {u"ab", u"cd"}}, {u"ab\nc", {u"ab", u"c"}}, {u"ab\n\n", {u"ab"}}, {u"x", {u"x"}}, {u"\n", {}}};
  for (auto [text, expected] : cases) {
    char16_t* cursor = text.data();
    std::vector<std::u16string> got;
    for (int guard = 0; guard < 10; ++guard) {
      auto line = nextLine(text.data(), text.size(), cursor);
      if (!line) break;
      got.push_back(*line);
    }
    EXPECT_EQ(got, expected);
  }
  char16_t* none = nullptr;
  EXPECT_FALSE(nextLine(nullptr, 3, none));
}

TEST(TextRoutines, StringAndCategoryLists) {
  char16_t** list = newStringList(3);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(std::count(list, list + 4, nullptr), 4);
  list[0] = heapTextCopy(u"a");
  list[1] = heapTextCopy(u"b");
  freeStringList(list);  // ASan: both strings and the list freed
  EXPECT_EQ(newStringList(-1), nullptr);
  freeStringList(nullptr);

  categoryList categories;
  parseCategoryList(categories, u"#Pipes/PE-X 16/#Valves/V1");
  EXPECT_EQ(categories.text, u"#Pipes/PE-X 16/#Valves/V1");
  ASSERT_EQ(categories.entries.size(), 4u);
  EXPECT_EQ(categories.entries[0].category, u"Pipes");
  EXPECT_FALSE(categories.entries[0].item);
  EXPECT_EQ(categories.entries[1].item, u"PE-X 16");
  EXPECT_EQ(categories.entries[2].category, u"Valves");
  EXPECT_EQ(categories.entries[3].item, u"V1");
  parseCategoryList(categories, nullptr);
  EXPECT_TRUE(categories.entries.empty());
}

TEST(TextRoutines, NameTests) {
  const std::tuple<const char16_t*, int> sizes[] = {{u"A4", 1}, {u"b", 2}, {u"D1", 3}, {u"iz", 4}, {u"I", 0}, {nullptr, 0}};
  for (const auto& [text, code] : sizes) EXPECT_EQ(sizeLetterCode(text), code);
  EXPECT_TRUE(isAssociationName(u"VE2R_ASSOC_FIELD"));
  EXPECT_FALSE(isAssociationName(u"VE2R_ASSO"));
  EXPECT_FALSE(isAssociationName(nullptr));
  EXPECT_TRUE(hasDollarDigitDollar(u"x$3$"));
  for (const char16_t* text : {u"$$", u"$a$", u"$3", static_cast<const char16_t*>(nullptr)})
    EXPECT_FALSE(hasDollarDigitDollar(text));
}
