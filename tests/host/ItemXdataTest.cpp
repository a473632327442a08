// Item data on block references: finding, changing and rebuilding the
// "QEV_DATA" block, the insertion points of "QEV_INSPT" and the "ACAD"
// overrides, held against pairs that ezdxf reads back from a DXF file.
#include "host/items/ItemXdata.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "host/AcadOverride.h"
#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"
#include "host/items/ItemInsPoints.h"
#include "platform/win/Utf8.h"
#include "tests/host/ResbufTestUtil.h"

namespace {

struct ItemFixture {
  std::vector<ResbufPair> groups;
  const char16_t* id;
  int insertionIndex;
  std::array<double, 3> direction;
};

#include "tests/host/ItemXdataFixture.inc"

// One line per node: its code and its value as text.
std::vector<std::string> describe(const resbuf* list) {
  std::vector<std::string> lines;
  for (; list; list = list->next) {
    std::string line = std::to_string(list->code) + ":";
    const int c = list->code;
    if (c == 0 || (c >= 1000 && c <= 1003)) {
      line += list->value.str ? hvWideToUtf8(list->value.str) : "<null>";
    } else if (c == 10 || (c >= 1010 && c <= 1013)) {
      for (const double v : list->value.point) line += std::to_string(v) + ",";
    } else if (c == 50 || c == 1040) {
      line += std::to_string(list->value.real);
    } else if (c == 1070) {
      line += std::to_string(list->value.i16);
    }
    lines.push_back(line);
  }
  return lines;
}

resbuf* build(std::initializer_list<ResbufPair> pairs) { return buildResbufList(pairs); }

resbuf* itemBlock(std::initializer_list<const char16_t*> texts) {
  std::vector<ResbufPair> pairs = {{0, u"INSERT"}, {-3}, {1001, u"QEV_DATA"}};
  for (const char16_t* t : texts) pairs.push_back({1000, t});
  return buildResbufList(pairs);
}

std::u16string idOf(const resbuf* list) {
  CString id;
  return findItemXdata(list, &id) ? id.str() : u"<none>";
}

TEST(ItemXdata, TheIdentifierFollowsAnyNewFormHeader) {
  ListGuard table(itemBlock({u"E@2x1", u"a", u"b", u"_QEVITEM_ID", u"X1"}));
  EXPECT_EQ(idOf(table.list), u"X1");
  EXPECT_EQ(describe(findItemXdata(table.list)->next).front(), "1000:_QEVITEM_ID");

  ListGuard empty(itemBlock({u"E@0x0", u"_qevitem_id", u"TOT0000-0001"}));
  EXPECT_EQ(idOf(empty.list), u"TOT0000-0001");
  ListGuard noId(itemBlock({u"E@0x0", u"_TYPE", u"4"}));
  EXPECT_EQ(idOf(noId.list), u"E@0x0");
  ListGuard oldForm(itemBlock({u"ABC", u"_QEVITEM_ID", u"ignored"}));
  EXPECT_EQ(idOf(oldForm.list), u"ABC");
}

TEST(ItemXdata, TableSizesAreDecimalAndBoundedByTheBlock) {
  ListGuard short5(itemBlock({u"E@2x3", u"1", u"2", u"3", u"4", u"5"}));
  EXPECT_EQ(findItemXdata(short5.list), nullptr);
  EXPECT_EQ(setItemXdataValue(u"K", u"v", short5.list), 0);

  std::vector<const char16_t*> sixteen(16, u"v");
  std::vector<ResbufPair> pairs = {{0, u"INSERT"}, {1001, u"QEV_DATA"}, {1000, u"E@08x2"}};
  for (const char16_t* t : sixteen) pairs.push_back({1000, t});
  pairs.push_back({1000, u"_QEVITEM_ID"});
  pairs.push_back({1000, u"OCTAL-TRAP"});
  ListGuard octal(buildResbufList(pairs));
  EXPECT_EQ(idOf(octal.list), u"OCTAL-TRAP");

  // A table may not run into the next application's data.
  ListGuard intoNext(build({{1001, u"QEV_DATA"}, {1000, u"E@1x2"}, {1000, u"a"}, {1001, u"OTHER"}, {1000, u"b"}}));
  EXPECT_EQ(findItemXdata(intoNext.list), nullptr);
  ListGuard huge(itemBlock({u"E@999999999x999999999", u"a"}));
  EXPECT_EQ(findItemXdata(huge.list), nullptr);
  ListGuard noHeader(build({{1001, u"QEV_DATA"}, {1070, 1}}));
  EXPECT_EQ(findItemXdata(noHeader.list), nullptr);
}

TEST(ItemXdata, SettingValues) {
  ListGuard item(itemBlock({u"E@0x0", u"_TYPE", u"4", u"_PTS", u"2"}));
  EXPECT_EQ(setItemXdataValue(u"_type", u"8", item.list), 1);
  EXPECT_EQ(setItemXdataValue(u"_GROUP", nullptr, item.list), 2);
  EXPECT_EQ(describe(item.list).size(), 8u);
  // The pairs run to the end of the list: the new pair goes after the last.
  EXPECT_EQ(setItemXdataValue(u"_SLOPE", u"0.02", item.list), 2);
  EXPECT_EQ(setItemXdataValue(u"_PTS", nullptr, item.list), 1);
  const std::vector<std::string> expected = {"0:INSERT", "-3:", "1001:QEV_DATA", "1000:E@0x0", "1000:_TYPE",
                                             "1000:8", "1000:_SLOPE", "1000:0.02"};
  EXPECT_EQ(describe(item.list), expected);

  // Before the next application and before a lone key.
  ListGuard mixed(build({{1001, u"QEV_DATA"}, {1000, u"E@0x0"}, {1000, u"K"}, {1000, u"V"}, {1000, u"lone"},
                         {1001, u"OTHER"}, {1000, u"x"}}));
  EXPECT_EQ(setItemXdataValue(u"N", u"1", mixed.list), 2);
  EXPECT_EQ(describe(mixed.list)[4], "1000:N");
  EXPECT_EQ(describe(mixed.list)[6], "1000:lone");
}

TEST(ItemXdata, NewHeadersKeepTheOldIdentifier) {
  resbuf* list = itemBlock({u"ABC"});
  ASSERT_TRUE(setItemHeader(&list, build({{1000, emptyItemHeader}})));
  ListGuard guard(list);
  const std::vector<std::string> expected = {"0:INSERT", "-3:", "1001:QEV_DATA", "1000:E@0x0", "1000:_QEVITEM_ID",
                                             "1000:ABC"};
  EXPECT_EQ(describe(list), expected);
  EXPECT_EQ(idOf(list), u"ABC");

  // A table is replaced by the new one; the pairs after it stay.
  ASSERT_TRUE(setItemHeader(&guard.list, build({{1001, u"QEV_DATA"}, {1000, u"E@1x1"}, {1000, u"cell"}})));
  EXPECT_EQ(describe(guard.list)[3], "1000:E@1x1");
  EXPECT_EQ(idOf(guard.list), u"ABC");
  ASSERT_TRUE(setItemHeader(&guard.list, build({{1000, u"E@0x0"}})));
  EXPECT_EQ(describe(guard.list), expected);

  EXPECT_FALSE(setItemHeader(&guard.list, build({{1000, u"OLD"}})));
  EXPECT_FALSE(setItemHeader(&guard.list, build({{1070, 1}})));
  EXPECT_FALSE(setItemHeader(nullptr, build({{1000, u"E@0x0"}})));
  EXPECT_EQ(describe(guard.list), expected);
}

TEST(ItemXdata, AMissingBlockIsAppendedWithItsMarker) {
  resbuf* list = build({{0, u"INSERT"}, {2, u"QEV_ITEM"}});
  ASSERT_TRUE(setItemHeader(&list, build({{1000, u"E@0x0"}, {1000, u"_QEVITEM_ID"}, {1000, u"T1"}})));
  ListGuard guard(list);
  EXPECT_EQ(codesOf(list), (std::vector<int>{0, 2, -3, 1001, 1000, 1000, 1000}));
  resbuf* empty = nullptr;
  ASSERT_TRUE(setItemHeader(&empty, build({{1000, u"E@0x0"}})));
  ListGuard emptyGuard(empty);
  EXPECT_EQ(codesOf(empty), (std::vector<int>{-3, 1001, 1000}));
}

TEST(ItemXdata, ItemInsertsByLetterAndType) {
  ListGuard item(itemBlock({u"E@0x0", u"_QEVITEM_ID", u"tot0000-0001", u"_TYPE", u"12"}));
  CString id;
  int type = -1;
  EXPECT_TRUE(isItemInsert(item.list, u'T', 12, &id, &type) && id == u"tot0000-0001" && type == 12);
  EXPECT_FALSE(isItemInsert(item.list, u'E', 0, nullptr, nullptr));
  EXPECT_TRUE(isItemInsert(item.list, 0, 4, nullptr, nullptr, false));
  EXPECT_FALSE(isItemInsert(item.list, 0, 4, nullptr, nullptr));  // exact
  EXPECT_FALSE(isItemInsert(item.list, 0, 1, nullptr, nullptr, false));
  ListGuard untyped(itemBlock({u"E@0x0", u"_QEVITEM_ID", u"T1"}));
  EXPECT_TRUE(isItemInsert(untyped.list, u't', 0, nullptr, nullptr));
  EXPECT_FALSE(isItemInsert(untyped.list, u't', 2, nullptr, nullptr, false));
  ListGuard line(build({{0, u"LINE"}, {-3}, {1001, u"QEV_DATA"}, {1000, u"T1"}}));
  EXPECT_FALSE(isItemInsert(line.list, 0, 0, nullptr, nullptr));
}

TEST(ItemXdata, EzdxfItemsGiveIdentifierAndInsertionDirection) {
  for (const ItemFixture* fixture : {&moduleItem, &tableItem}) {
    ListGuard list(buildResbufList(fixture->groups));
    ASSERT_NE(list.list, nullptr);
    EXPECT_EQ(idOf(list.list), std::u16string(fixture->id));
    std::int16_t value = -1;
    int index = -1;
    XtGePoint3d point;
    XtGeVector3d direction, normal;
    ASSERT_TRUE(readInsPointXdata(list.list, &value, &index, &point, &direction, &normal));
    EXPECT_EQ(std::tuple(index, normal.z, point.x), std::tuple(fixture->insertionIndex, 1.0, fixture->groups[1].value.point()[0]));
    EXPECT_LT(std::hypot(direction.x - fixture->direction[0], direction.y - fixture->direction[1]), 1e-12);
  }
}

TEST(ItemXdata, TheWritersProduceExactlyThePairsEzdxfReads) {
  resbuf* list = build({{0, u"INSERT"}, {10, std::array<double, 3>{1000.0, 2000.0, 0.0}}, {50, M_PI / 6}});
  ASSERT_TRUE(setItemHeader(&list, build({{1000, emptyItemHeader}})));
  ListGuard guard(list);
  EXPECT_EQ(setItemXdataValue(itemKey::id, u"TOT0000-0001", list), 2);
  EXPECT_EQ(setItemXdataValue(itemKey::type, u"4", list), 2);
  EXPECT_EQ(setItemXdataValue(u"N\u00e1zev", u"Rozd\u011blova\u010d", list), 2);
  const XtGePoint2d base(1000.0, 2000.0);
  const std::vector<XtGePoint2d> points = {base, {1250.0, 2000.0}};
  const std::vector<XtGeVector2d> directions = {{0.0, -1.0}, {0.0, 100.0}};
  resbuf* insPoints = writeInsPointXdata(points, directions, 3, base);
  ASSERT_NE(insPoints, nullptr);
  appendResbufChain(&guard.list, insPoints);

  ListGuard expected(buildResbufList(moduleItem.groups));
  EXPECT_EQ(describe(guard.list), describe(expected.list));
  EXPECT_EQ(writeInsPointXdata(points, std::vector<XtGeVector2d>{}, 0, base), nullptr);
}

TEST(ItemInsPoints, WithoutAZeroPairTheRotationAlone) {
  ListGuard list(build({{0, u"INSERT"}, {10, std::array<double, 3>{1.0, 2.0, 0.0}}, {50, M_PI / 2},
                        {210, std::array<double, 3>{0.0, 0.0, -1.0}}, {-3}, {1001, u"qev_inspt"},
                        {1010, std::array<double, 3>{1.0, 0.0, 0.0}}, {1010, std::array<double, 3>{1.0, 1.0, 0.0}}}));
  std::int16_t value = 9;
  int index = 9;
  XtGeVector3d direction, normal;
  ASSERT_TRUE(readInsPointXdata(list.list, &value, &index, nullptr, &direction, &normal));
  EXPECT_EQ(std::tuple(value, index, normal.z), std::tuple(0, 0, -1.0));
  EXPECT_LT(std::hypot(direction.x, direction.y - 1.0), 1e-15);

  ListGuard noPoint(build({{0, u"INSERT"}, {1001, u"QEV_INSPT"}}));
  XtGePoint3d point;
  EXPECT_FALSE(readInsPointXdata(noPoint.list, nullptr, nullptr, &point, nullptr, nullptr));
  EXPECT_TRUE(readInsPointXdata(noPoint.list, nullptr, &index, nullptr, nullptr, nullptr));
  ListGuard noBlock(build({{0, u"INSERT"}, {10, std::array<double, 3>{1.0, 2.0, 0.0}}}));
  EXPECT_FALSE(readInsPointXdata(noBlock.list, nullptr, nullptr, &point, nullptr, nullptr));
}

TEST(ItemInsPoints, VectorsFollowTheTransform) {
  ListGuard list(buildResbufList(moduleItem.groups));
  XtGeMatrix2d turn;  // a quarter turn, then 10 along x
  turn(0, 0) = turn(1, 1) = 0.0;
  turn(0, 1) = -1.0, turn(1, 0) = 1.0, turn(0, 2) = 10.0;
  XtGePoint2dArray points;
  XtGeVector2dArray vectors;
  ASSERT_TRUE(readInsPointVectors(points, vectors, list.list, &turn));
  ASSERT_TRUE(points.length() == 2 && vectors.length() == 2);
  EXPECT_EQ(std::tuple(points[1].x, points[1].y, vectors[1].x, vectors[1].y), std::tuple(10.0, 250.0, -100.0, 0.0));
  ASSERT_TRUE(readInsPointVectors(points, vectors, list.list, nullptr));
  EXPECT_TRUE(points.length() == 4 && vectors[3].y == 100.0);  // appended

  // A lone 1010 ends the pairs.
  ListGuard lone(build({{1001, u"QEV_INSPT"}, {1070, 0}, {1010, std::array<double, 3>{1.0, 0.0, 0.0}},
                        {1010, std::array<double, 3>{2.0, 0.0, 0.0}}, {1010, std::array<double, 3>{3.0, 0.0, 0.0}},
                        {1001, u"NEXT"}, {1010, std::array<double, 3>{4.0, 0.0, 0.0}}}));
  XtGePoint2dArray fewer;
  XtGeVector2dArray fewerVectors;
  ASSERT_TRUE(readInsPointVectors(fewer, fewerVectors, lone.list, nullptr));
  EXPECT_EQ(fewer.length(), 1);
}

TEST(AcadOverride, PairsAreWalkedSoValuesAreNotTakenForCodes) {
  ListGuard dimension(build({{-1, u"<entity>"}, {0, u"DIMENSION"}, {-3}, {1001, u"QEV_DATA"}, {1070, 40},
                             {1001, u"acad"}, {1000, u"DSTYLE"}, {1002, u"{"}, {1070, 173}, {1070, 40},
                             {1070, 40}, {1040, 2.5}, {1070, 3}, {1000, u"havlen"}, {1070, 1}, {1002, u"}"},
                             {1001, u"OTHER"}, {1070, 5}, {1070, 7}}));
  const resbuf* found = findAcadOverride(dimension.list, 40);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->next->code, 1040);
  ListGuard value(acadOverrideValue(dimension.list, 40));
  ASSERT_NE(value.list, nullptr);
  EXPECT_TRUE(value.list->value.real == 2.5 && value.list->next == nullptr);
  ListGuard text(acadOverrideValue(dimension.list, 3));
  ASSERT_NE(text.list, nullptr);
  EXPECT_EQ(std::u16string(text.list->value.str), u"havlen");
  // 1 is only the value of 173, 5 lies beyond the block.
  EXPECT_TRUE(!findAcadOverride(dimension.list, 1) && !findAcadOverride(dimension.list, 5) &&
              !acadOverrideValue(dimension.list, 99));
}

}  // namespace
