#include "ui/gdi/acceptAlways.h"
#include "ui/gdi/colorTable.h"
#include "ui/gdi/hotkeyList.h"
#include "ui/gdi/measureTextExtent.h"
#include "ui/gdi/paletteColor.h"
#include "ui/gdi/strList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct tableEntry {
  char16_t hotkey = 0;
  int value = 0;
};

}  // namespace

TEST(hotkeyList, FindsTheFirstEntryAndRetriesWithTheOtherCase) {
  const std::vector<tableEntry> entries{{u'a', 1}, {u'B', 2}, {u'\u010C', 3}, {u'b', 4}, {u'7', 5}};
  EXPECT_EQ(hotkeyList::findByChar(entries, u'a'), 0);
  EXPECT_EQ(hotkeyList::findByChar(entries, u'A'), 0);
  EXPECT_EQ(hotkeyList::findByChar(entries, u'b'), 3);  // exact case first
  EXPECT_EQ(hotkeyList::findByChar(entries, u'\u010D'), 2);  // č finds Č
  EXPECT_EQ(hotkeyList::findByChar(entries, u'7'), 4);
  EXPECT_EQ(hotkeyList::findByChar(entries, u'x'), -1);
  EXPECT_EQ(hotkeyList::findByChar(entries, u'8'), -1);
  EXPECT_EQ(hotkeyList::findByChar(std::u16string(u"\u03B1\u0416"), u'\u0391'), 0);  // Greek
  EXPECT_EQ(hotkeyList::findByChar(std::u16string(u"\u03B1\u0416"), u'\u0436'), 1);  // Cyrillic
  EXPECT_EQ(hotkeyList::findByChar(std::u16string(), u'a'), -1);
  EXPECT_EQ(hotkeyList::otherLetterCase(u'\u00DF'), u'\u00DF');  // ß has no single upper unit
  EXPECT_EQ(hotkeyList::otherLetterCase(char16_t{0xD800}), char16_t{0xD800});
}

TEST(strList, SetAtGrowsWithEmptyEntriesAndKeepsPrivateCopies) {
  strList list;
  std::u16string text = u"rozdělovač";
  EXPECT_TRUE(list.setAt(1, text.c_str()));
  text[0] = u'X';
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.getAt(1), u"rozdělovač");
  EXPECT_TRUE(list.getAt(0).IsEmpty());
  EXPECT_EQ(list.getDataAt(0), 0);
  EXPECT_TRUE(list.setDataAt(1, 77));
  EXPECT_TRUE(list.setAt(1, nullptr));
  EXPECT_EQ(list.getDataAt(1), 77);
  EXPECT_EQ(list.getDataAt(2), 0);
  EXPECT_EQ(list.getDataAt(-1), 0);
  EXPECT_FALSE(list.setDataAt(5, 1));
  EXPECT_FALSE(list.setAt(-1, u"x"));
  EXPECT_FALSE(list.setAt(strList::kMaxEntries, u"x"));
  EXPECT_EQ(list.count(), 2);
}

TEST(measureTextExtent, CharactersTimesHeightWithTabsAsEight) {
  EXPECT_EQ(measureTextExtent(nullptr, u"abcde", 10), 30);
  EXPECT_EQ(measureTextExtent(nullptr, u"a\tb", 10), 60);
  EXPECT_EQ(measureTextExtent(nullptr, u"abcde", -10), 30);
  EXPECT_EQ(measureTextExtent(nullptr, u"\U0001F600", 10), 6);  // one character in two units
  EXPECT_EQ(measureTextExtent(nullptr, nullptr, 10), 0);
  EXPECT_EQ(measureTextExtent(nullptr, u"", 10), 0);
}

TEST(colorTable, FillsTheColourIndexPalette) {
  colorTable table;
  EXPECT_TRUE(table.fill(1));
  EXPECT_EQ(table.kind, 1);
  EXPECT_EQ(table.colours[1], RGB(255, 0, 0));
  EXPECT_EQ(table.colours[5], RGB(0, 0, 255));
  EXPECT_EQ(table.colours[7], RGB(255, 255, 255));
  EXPECT_EQ(table.colours[8], RGB(128, 128, 128));
  EXPECT_EQ(table.colours[20], RGB(255, 63, 0));
  EXPECT_EQ(table.colours[33], RGB(165, 124, 82));
  EXPECT_EQ(table.colours[91], RGB(127, 255, 127));
  EXPECT_EQ(table.colours[249], RGB(38, 19, 23));
  EXPECT_EQ(table.colours[250], RGB(51, 51, 51));
  EXPECT_EQ(table.colours[255], RGB(255, 255, 255));
  EXPECT_EQ(table.colours[0], table.colours[7]);
  EXPECT_EQ(table.colours[256], table.colours[7]);

  table.colours[3] = 0;
  EXPECT_TRUE(table.fill(0));
  EXPECT_EQ(table.kind, 0);
  EXPECT_EQ(table.colours[3], 0u);
  EXPECT_FALSE(table.fill(2));
  EXPECT_EQ(table.kind, 0);
  EXPECT_EQ(colorIndexRgb(257), RGB(0, 0, 0));
  EXPECT_EQ(colorIndexRgb(-1), RGB(0, 0, 0));
}

TEST(paletteColor, NearestPaletteEntryAndOtherModes) {
  EXPECT_EQ(paletteColor(RGB(1, 2, 3), 0), RGB(1, 2, 3));
  EXPECT_EQ(paletteColor(RGB(250, 5, 5), 1), 1u);
  EXPECT_EQ(paletteColor(RGB(0, 0, 250), 1), 5u);
  // Pure white is 7 and 255; the lower index wins, never 0 or 256.
  EXPECT_EQ(paletteColor(RGB(255, 255, 255), 1), 7u);
  EXPECT_EQ(paletteColor(RGB(52, 52, 52), 1), 250u);
  for (int index = 1; index <= 255; ++index) {
    const std::uint32_t found = paletteColor(colorIndexRgb(index), 1);
    EXPECT_EQ(colorIndexRgb(static_cast<int>(found)), colorIndexRgb(index));
    EXPECT_LE(found, static_cast<std::uint32_t>(index));
  }
  EXPECT_EQ(paletteColor(RGB(1, 2, 3), 2), 0u);
  EXPECT_EQ(paletteColor(RGB(1, 2, 3), -1), 0u);
  EXPECT_TRUE(acceptAlways(nullptr));
}
