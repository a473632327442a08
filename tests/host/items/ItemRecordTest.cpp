// The item record without a host: connection-point texts, the key table, the
// write-back into the item data and the application blocks it carries.
#include <gtest/gtest.h>

#include "geometry/makeUniqueBlockName.h"
#include "host/ResbufChain.h"
#include "host/items/QevItem.h"
#include "host/items/itemKeyTable.h"
#include "host/items/slotArray.h"
#include "platform/qevdb/ProductFile.h"
#include "platform/win/Utf8.h"
#include "tests/host/items/ItemTestLists.h"

namespace {

using namespace itemtest;

TEST(ItemPoints, PointTextsReadToTheirCountOrTheirEndAndNeverPastEither) {
  const std::u16string twoPoints = u"5\r\n#G/P1/P2/#H/Q\n3\n-4\nxyz\nP3\n0\n0\n\n";
  const struct {
    std::u16string text;
    bool ok;
    std::size_t points;
  } cases[] = {
      {twoPoints, true, 2},                          // count 5, two points: stops at the end
      {u"1\n" + twoPoints.substr(3), true, 1},       // stops at the count
      {u"-1\nA\n0\n0\n-\n", false, 0},               // negative count
      {u"x\n", false, 0},                            // not a number
      {u"", false, 0},                               // nothing
      {u"2\nA\n0\n", true, 0},                       // lines missing
      {u"2\nA\n0\n0\n-\nB\n70000\n0\n-\n", true, 1}, // not 16-bit: stops there
      {u"99999999999999999999999\n", false, 0},      // a count beyond every integer
  };
  for (const auto& c : cases) {
    std::vector<itemConnectionPoint> points;
    EXPECT_EQ(parseItemPointText(c.text, points), c.ok);
    EXPECT_EQ(points.size(), c.points);
  }
  std::vector<itemConnectionPoint> points;
  ASSERT_TRUE(parseItemPointText(twoPoints, points));
  EXPECT_EQ(points[0].names, u"#G/P1/P2/#H/Q");
  EXPECT_EQ(points[0].second, -4);
  EXPECT_EQ(points[0].flag, u'x');
  using Names = std::vector<std::pair<std::u16string, std::u16string>>;
  EXPECT_EQ(points[0].groupNames, (Names{{u"G", u"P1"}, {u"G", u"P2"}, {u"H", u"Q"}}));
  EXPECT_EQ(points[1].flag, 0);
  EXPECT_EQ(points[1].groupNames, (Names{{u"", u"P3"}}));

  // A name pattern of 300 units is cut to 243.
  points.clear();
  ASSERT_TRUE(parseItemPointText(u"1\n" + std::u16string(300, u'n') + u"\n0\n0\n-\n", points));
  EXPECT_EQ(points.at(0).names.size(), kMaxItemPointNames);
}

TEST(ItemPoints, PtsValuesTakeTheirPlacementFromInsertionPairsInOrder) {
  ownedChain list = itemInsert(u"E@0x0", {{u"_PTS", u"1\n#G/A\n1\n2\n+\n"}}, {{0, 0}, {-50, 25}});
  std::vector<itemConnectionPoint> points;
  ASSERT_TRUE(readItemPoints(points, list.get(), nullptr));
  ASSERT_EQ(points.size(), 2u);  // the second pair has no record but keeps its placement
  EXPECT_EQ(points[0].groupNames.at(0).second, u"A");
  EXPECT_EQ(points[1].position, XtGePoint2d(-50, 25));
  EXPECT_EQ(points[1].direction, XtGeVector2d(1, 0));
  ownedChain none = itemInsert(u"E@0x0", {}, {});
  EXPECT_FALSE(readItemPoints(points, none.get(), nullptr));
}

// An item as read from a reference: its insert data is the reference's
// extended data.
QevItem itemWith(const Pairs& pairs, std::vector<ResbufPair> extra = {}) {
  QevItem item;
  item.id = u"TOT0000-0023";
  ownedChain list = itemInsert(u"E@0x0", pairs, {{0, 0}}, std::move(extra));
  const resbuf* data = list.get();
  while (data->code != 1001) data = data->next;
  item.insertData = itemListHolder::owning(copyResbufChain(data, false));
  return item;
}

TEST(ItemKeyTable, RemovingAKeyTakesItsEntryAndItsFirstPair) {
  QevItem item = itemWith({{u"_PT_X_IN_T1", u"55"}, {u"K", u"v"}, {u"_pt_x_in_t1", u"66"}});
  QevItem shared = item;  // shares the insert data, which must not change
  itemArray::setText(item, u"_PT_X_IN_T1", u"55");
  EXPECT_TRUE(itemKeyList::removeKey(item, u"_pt_X_IN_t1"));
  EXPECT_EQ(itemArray::itemAt(item, u"_PT_X_IN_T1"), nullptr);
  EXPECT_EQ(dataPairs(item.insertData.list()), (Pairs{{u"K", u"v"}, {u"_pt_x_in_t1", u"66"}}));
  EXPECT_EQ(dataPairs(shared.insertData.list()).size(), 3u);
  EXPECT_TRUE(itemKeyList::removeKey(item, u"_PT_X_IN_T1"));  // a pair without an entry
  EXPECT_FALSE(itemKeyList::removeKey(item, 0));
  EXPECT_EQ(dataPairs(item.insertData.list()), (Pairs{{u"K", u"v"}}));
}

TEST(ItemXdataWrite, PairsTakeTheRecordsValuesOnceAndNewKeysFollowTheLastPair) {
  QevItem item = itemWith({{u"_LABEL", u"RZ1"}, {u"RZ", u"old"}, {u"rz", u"second"}, {u"KEEP", u"k"}},
                          {{1001, u"VE2R_ASSOC"}, {1000, u"old"}, {1001, u"OTHER"}, {1070, 1}});
  item.texts.setAt(1, u"RZ7");  // "_LABEL"
  item.texts.setAt(4, u"");     // "_LENGTH": empty and absent, so not written
  itemArray::setText(item, u"RZ", u"RZ7");
  itemArray::setText(item, u"KEEP", u"changed");
  itemArray::setText(item, u"_PT_X_DSD_NC", u"1");
  itemArray::setText(item, u"EMPTY", u"");
  ownedChain assoc(buildResbufList({{1001, u"VE2R_ASSOC"}, {1000, u"VE2R_HEATPIPES"}, {1005, u"100"}}));
  item.setExtraApps(assoc.get());
  ownedChain fresh(buildResbufList({{1001, u"NEWAPP"}, {1070, 5}, {1001, u"QEV_DATA"}, {1000, u"ignored"}}));
  item.setExtraApps(fresh.get());  // "QEV_DATA" is never taken as an extra block
  ASSERT_EQ(item.extraApps.size(), 2u);

  const std::u16string_view excluded[] = {u"keep"};
  ASSERT_TRUE(item.writeXdata(nullptr, excluded));
  const resbuf* list = item.insertData.list();
  EXPECT_EQ(dataPairs(list), (Pairs{{u"_LABEL", u"RZ7"}, {u"RZ", u"RZ7"}, {u"rz", u"second"}, {u"KEEP", u"k"},
                                     {u"_PT_X_DSD_NC", u"1"}}));
  for (const char16_t* app : {u"QEV_DATA", u"QEV_INSPT", u"VE2R_ASSOC", u"OTHER", u"NEWAPP"})
    EXPECT_EQ(appCount(list, app), 1) << std::string(app, app + 3);
  EXPECT_EQ(appBlock(list, u"VE2R_ASSOC").at(2), "1005:100");

  // Written again, nothing changes.
  const std::vector<std::string> before = appBlock(list, u"QEV_DATA");
  ASSERT_TRUE(item.writeXdata(nullptr, excluded));
  EXPECT_EQ(appBlock(item.insertData.list(), u"QEV_DATA"), before);

  QevItem bare;
  EXPECT_FALSE(bare.writeXdata(nullptr));
}

TEST(ItemXdataWrite, AnItemOfItsOwnKindMarksTheEighthHeaderCharacterWhenThereIsOne) {
  for (const auto& [header, marked] : {std::pair{u"E@0x0abc", "1000:E@0x0abi"}, std::pair{u"E@0x0", "1000:E@0x0"}}) {
    QevItem item;
    item.insertData = itemListHolder::owning(itemInsert(header, {}, {}).release());
    item.kind = 1;
    ASSERT_TRUE(item.writeXdata(nullptr));
    EXPECT_EQ(appBlock(item.insertData.list(), u"QEV_DATA").at(1), marked);
  }
}

TEST(ItemDialogTexts, AttributeTextsEscapeSlashesAndNeverCutAnEntry) {
  QevItem item;
  item.attributes = {{u"A", u"1/2", 16, 0}, {u"", u"x", 0, 0}, {u"B", u"", 0, 0}, {u"C", u"c", 0, 1}, {u"D", u"d", 3, 0}};
  std::u16string names, values, statuses;
  item.attributeTexts(names, values, statuses);
  EXPECT_EQ(names, u"#A/#D");
  EXPECT_EQ(values, u"1\\/2/d");
  EXPECT_EQ(statuses, u"16/3");

  item.attributes.assign(300, {u"KEY", std::u16string(10, u'v'), 0, 0});
  item.attributeTexts(names, values, statuses);
  EXPECT_LE(values.size(), 2047u);
  EXPECT_EQ(values.size() % 11, 10u);  // whole entries only
  EXPECT_EQ(names.size() + 1, (values.size() + 1) / 11 * 5);

  QevItem few;
  EXPECT_EQ(few.propertyFlags(nullptr), (std::vector<std::uint8_t>{1, 1, 1, 1}));
  few.texts.setAt(12, u"x");
  const std::vector<std::uint8_t> flags = few.propertyFlags(nullptr);
  ASSERT_EQ(flags.size(), 13u);
  EXPECT_EQ(flags[9], 1);   // "_ANGLE" has a name
  EXPECT_EQ(flags[11], 0);  // neither name nor value
  EXPECT_EQ(flags[12], 1);
}

TEST(ItemRecord, DimensionSlotsFillFromTheDatabaseOnceAndStay) {
  const qevDatabase::ProductDatabases dbs =
      qevDatabase::ProductDatabases::parse("[PROFESSION T]\nDIM2_1=DN15\nDIM2_2=DN20\n", "dims.dat");
  slotArray slots;
  EXPECT_EQ(slotArray::getOrCreate(slots, 1, dbs.find(u'T')), nullptr);
  EXPECT_EQ(slotArray::getOrCreate(slots, -1, dbs.find(u'T')), nullptr);
  const std::vector<std::u16string>* names = slotArray::getOrCreate(slots, 2, dbs.find(u'T'));
  ASSERT_NE(names, nullptr);
  EXPECT_EQ(*names, (std::vector<std::u16string>{u"DN15", u"DN20"}));
  EXPECT_EQ(slotArray::getOrCreate(slots, 2, nullptr), names);  // kept without the database
}

}  // namespace
