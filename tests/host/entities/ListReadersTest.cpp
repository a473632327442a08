// The small readers and comparisons of the list code.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "geometry/hexWriter.h"
#include "host/ResbufBuilder.h"
#include "host/entities/findXdataApp.h"
#include "host/entities/hexStreamReader.h"
#include "host/entities/itemTable.h"
#include "host/entities/ownedChain.h"
#include "host/entities/splitToken.h"
#include "host/entities/storedRecords.h"
#include "host/entities/valueComparisons.h"

namespace {

TEST(ListReaders, FindXdataAppTellsNoneOthersAndOurs) {
  ownedChain none(buildResbufList({{0, u"LINE"}, {8, u"0"}}));
  ownedChain ours(buildResbufList({{0, u"LINE"}, {1001, u"VE2R_ASSOC"}, {1001, u"qev_data"}}));
  EXPECT_EQ(findXdataApp(none.get(), u"QEV_DATA"), 0);
  EXPECT_EQ(findXdataApp(ours.get(), u"QEV_DATA"), 2);
  EXPECT_EQ(findXdataApp(ours.get(), u"QEV_INSPT"), 1);
}

TEST(ListReaders, SplitTokenCutsPadsAndBoundsTheCopy) {
  const std::tuple<const char16_t*, std::size_t, const char16_t*, const char16_t*> cases[] = {
      {u"ab  ;cd", 16, u"ab", u"cd"}, {u"abcdef;x", 4, u"abc", u"x"}, {u"abc", 16, u"abc", u""},
      {u";x", 16, u"", u"x"},         {u"a b;", 16, u"a b", u""},     {u"abc;d", 0, u"####", u"d"}};
  for (auto [text, size, token, rest] : cases) {
    std::array<char16_t, 16> buffer{u'#', u'#', u'#', u'#'};
    const char16_t* cursor = text;
    EXPECT_EQ(splitToken(cursor, buffer.data(), size, u';', u' '), size ? std::u16string_view(token).size() : 0);
    EXPECT_EQ(std::u16string(buffer.data()), token);
    EXPECT_EQ(std::u16string(cursor), rest);
  }
}

TEST(ListReaders, HexStreamReadsBackWhatTheHexWriterWroteAndRefusesWithoutMoving) {
  hexWriter writer(256);
  ASSERT_TRUE(writer.writeInt32(-123456) && writer.writeText("Zóna") && writer.writeDouble(-2.5e-300) &&
              writer.writeDouble(2.0) && writer.writeDouble(NAN));
  const std::string_view written = *writer.finish();
  const std::u16string text(written.begin(), written.end());
  hexStreamReader reader(text);
  std::int32_t i = 0;
  std::string s;
  std::array<double, 3> p{};
  EXPECT_TRUE(reader.readInt32(i) && reader.readText(s) && reader.readPoint(p));
  EXPECT_EQ(std::tuple(i, s, p[0], p[1], std::isnan(p[2])), std::tuple(-123456, "Zóna", -2.5e-300, 2.0, true));
  EXPECT_EQ(reader.remaining(), 0u);

  hexStreamReader bad(u"0100000041x2");
  double d = 0;
  EXPECT_TRUE(bad.readInt32(i));
  EXPECT_FALSE(bad.readInt32(i) || bad.readText(s) || bad.readDouble(d) || bad.readPoint(p));
  EXPECT_EQ(bad.position(), 8u);
}

TEST(ListReaders, SmallComparisonsAndRecords) {
  EXPECT_TRUE(compareIntPairs({1, 9}, {2, 0}) && compareIntPairs({1, 1}, {1, 2}));
  EXPECT_FALSE(compareIntPairs({1, 2}, {1, 2}) || compareIntPairs({2, 0}, {1, 9}));
  EXPECT_TRUE(isValueInRange(0.0, 3.0, 3));
  EXPECT_FALSE(isValueInRange(0.0, 3.5, 3) || isValueInRange(-1e-12, 1.0, 3));
  EXPECT_TRUE(pointWithinTolerance({1, 2}, {1, 2 + 5e-6}));
  EXPECT_FALSE(pointWithinTolerance({1, 2}, {1 + 1e-12, 2 + 5e-6}) || pointWithinTolerance({1, 2}, {1, 2 + 2e-5}));

  struct entry {
    char16_t hotkey;
    int value;
  };
  const std::array<entry, 3> table{{{u'a', 1}, {u'B', 2}, {u'b', 3}}};
  EXPECT_EQ(itemTable::findByKey<entry>(table, u'b')->value, 3);
  EXPECT_EQ(itemTable::findByKey<entry>(table, u'A')->value, 1);
  EXPECT_EQ(itemTable::findByKey<entry>(table, u'x'), nullptr);

  const std::array<int, 2> records{7, 8};
  EXPECT_EQ(*recordAtStoredIndex<int>(records, 1), 8);
  EXPECT_TRUE(!recordAtStoredIndex<int>(records, -1) && !recordAtStoredIndex<int>(records, -2));
  pointPairRecord record;
  const XtGePoint3d p3(1, 2, 3);
  const XtGePoint2d p2(4, 5);
  EXPECT_FALSE(setPointPairRecord(record, &p3, nullptr, 9));
  EXPECT_TRUE(setPointPairRecord(record, &p3, &p2, 9) && record.point2d.y == 5);
}

}  // namespace
