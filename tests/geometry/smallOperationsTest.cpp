// Small operations and records: comparers, headers, paths, the ordered
// pointer list, record arrays, layout and scale records, mode fields, the
// multileader marks and properties, and the additions to landed records.
#include "geometry/multileaderRec.h"
#include "geometry/ptrList.h"
#include "geometry/relationLevels.h"
#include "geometry/smallOperations.h"
#include "geometry/smallRecords.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

TEST(SmallOperations, ComparersParsersAndPaths) {
  const std::uint16_t one = 1, two = 2;
  EXPECT_EQ(std::tuple(compareWord(&one, &two), compareWord(&two, &two), compareWord(&two, &one)), std::tuple(-1, 0, 1));
  hvArray<std::int32_t> values;
  for (std::int32_t v : {1, 2, 3}) values.append(v);
  EXPECT_FALSE(containsIntFrom(values, 2, 2));
  EXPECT_TRUE(containsIntFrom(values, 2, 1));
  EXPECT_TRUE(containsIntFrom(values, 1, -5));

  const std::tuple<const char16_t*, bool, std::uint32_t, std::uint32_t> headers[] = {
      {u"E@2x3", true, 2, 3},       {u"X@10;4", true, 10, 4},  {u"E@2x", false, 0, 0},
      {u"E2x3", false, 0, 0},       {u"E@-1x3", false, 0, 0},  {u"E@99999999999x1", false, 0, 0},
      {nullptr, false, 0, 0}};
  for (const auto& [text, ok, columns, rows] : headers) {
    std::uint32_t c = 0, r = 0;
    EXPECT_EQ(parseTableHeader(text, c, r), ok);
    EXPECT_EQ(std::tuple(c, r), std::tuple(columns, rows));
  }

  const std::tuple<std::u16string, std::u16string> paths[] = {
      {u"C:\\dir\\/", u"C:\\dir"}, {u"/", u"/"}, {u"\\\\", u"\\"}, {u"a", u"a"}, {u"", u""}};
  for (auto [path, trimmed] : paths) {
    trimTrailingSlashes(path.data(), path.size());
    EXPECT_EQ(std::u16string(path.c_str()), trimmed);
  }
}

TEST(SmallOperations, SortedPointerListKeepsItsOrderIndexWhenElementsGo) {
  struct keyed {
    std::int32_t key;
  };
  sortedPtrList<keyed> list;
  for (std::int32_t key : {10, 20, 30}) list.items.push_back(std::make_unique<keyed>(keyed{key}));
  list.order = {2, 0, 1};
  EXPECT_EQ(list.atOrdered(0)->key, 30);
  EXPECT_EQ(list.atMapped(2)->key, 20);
  EXPECT_EQ(list.findByKey(20)->key, 20);
  EXPECT_EQ(list.at(3), nullptr);
  EXPECT_EQ(list.atMapped(-1), nullptr);
  ASSERT_TRUE(list.removeByKey(20));
  EXPECT_EQ(list.order, (std::vector<std::int32_t>{1, 0}));
  EXPECT_EQ(std::tuple(list.atOrdered(0)->key, list.atMapped(1)->key), std::tuple(30, 10));
  EXPECT_FALSE(list.removeByKey(20));
  list.inOrder = true;
  EXPECT_EQ(list.atOrdered(0)->key, 10);
  list.order = {5};
  list.inOrder = false;
  EXPECT_EQ(list.atOrdered(0), nullptr);  // an order entry out of range
}

TEST(SmallOperations, RecordsArraysAndResets) {
  recArray32 a;
  recArray80 b;
  recArray32b c;
  EXPECT_EQ(a.lastItem(), nullptr);
  EXPECT_EQ(b.lastItem(), nullptr);
  EXPECT_EQ(c.lastItem(), nullptr);
  a.items.add(rawRecord<32>{});
  a.items.add(rawRecord<32>{{7}});
  EXPECT_EQ(a.lastItem()->bytes[0], 7);

  textTriple target;
  target.texts[0] = u"x";
  target.texts[1] = u"y";
  target.texts[2] = u"z";
  target.values[0] = 1;
  target.values[1] = 2;
  textTriple source;
  source.texts[1] = u"b";
  source.values[0] = 3;
  source.values[1] = 4;
  target.assign(source);
  EXPECT_EQ(std::tuple(target.texts[0], target.texts[1], target.texts[2], target.values[0], target.values[1]),
            std::tuple(std::optional<std::u16string>(u"x"), std::optional<std::u16string>(u"b"),
                       std::optional<std::u16string>(), 3, 4));
  target.assign(target);
  EXPECT_EQ(target.texts[1], u"b");

  monitorLayout layout;
  layout.flags[0] = true;
  layout.windows.append({1, 2, 3, 4});
  layout.names.Add(CString(u"n"));
  layout.text = u"t";
  layout.reset();
  EXPECT_TRUE(!layout.flags[0] && layout.windows.count() == 0 && layout.names.IsEmpty() && layout.text.IsEmpty());

  scaleSetting scale;
  scale.scale = 3;
  scale.offset = 2;
  scale.setAuto();
  EXPECT_EQ(std::tuple(scale.automatic, scale.scale, scale.offset), std::tuple(true, 50.0, 0.0));
  scale.allocEntries(3);
  scale.allocEntries(0);
  EXPECT_EQ(std::tuple(scale.count, scale.entryFlags.size(), scale.entryScales[0], scale.entryOffsets[0]),
            std::tuple(0, 1u, 50.0, 0.0));

  struct refRec {
    const int* object;
    std::int32_t first, second;
  };
  const int owner = 0, other = 0;
  std::vector<refRec> refs{{&owner, 1, 2}, {&other, 1, 2}};
  setRecordInts(refs, &owner, 5, -1);
  EXPECT_EQ(std::tuple(refs[0].first, refs[0].second, refs[1].first), std::tuple(5, 2, 1));

  const std::tuple<void (*)(std::uint32_t&), std::uint32_t> modes[] = {
      {setModeField0, 0xFFF0FFFFu}, {setModeField1, 0xFFF1FFFFu}, {setModeField3, 0xFFF3FFFFu}, {setModeField4, 0xFFF4FFFFu}};
  for (const auto& [set, expected] : modes) {
    std::uint32_t flags = 0xFFFFFFFFu;
    set(flags);
    EXPECT_EQ(flags, expected);
  }

  textFieldsRec fields;
  fields.fields[4] = u"x";
  fields.value = 9;
  resetTextFields(fields);
  EXPECT_TRUE(fields.fields[4].IsEmpty());
  EXPECT_EQ(fields.value, 9);
  stringListRec strings;
  strings.text = u"t";
  strings.strings = std::make_unique<CStringArray>();
  resetStringList(strings);
  EXPECT_TRUE(strings.text.IsEmpty() && !strings.strings);
}

TEST(SmallRecords, DefaultsAndTheOwnedObjectHolder) {
  EXPECT_EQ(sixValuesRec().values[5], 0);
  EXPECT_EQ(std::tuple(fieldsWith257Rec().fields[0], fieldsWith257Rec().last), std::tuple(0, 257));
  EXPECT_EQ(pointerPairRec().second, nullptr);
  EXPECT_EQ(firstOneRec().first, 1);
  EXPECT_EQ(std::tuple(zeroBytesRec().bytes[8], zeroBytesRec().value), std::tuple(0, 0));

  struct counted {
    explicit counted(int& deaths) : deaths_(deaths) {}
    virtual ~counted() { ++deaths_; }
    int& deaths_;
  };
  int deaths = 0;
  ownedObjectHolder<counted> holder(std::make_unique<counted>(deaths));
  holder.reset();
  holder.reset();
  EXPECT_EQ(std::tuple(deaths, holder.get()), std::tuple(1, static_cast<counted*>(nullptr)));

  ptrList blocks;
  blocks.add(4);
  blocks.add(8);
  EXPECT_FALSE(blocks.removeAtAndFree(2));
  EXPECT_TRUE(blocks.removeAtAndFree(0));
  EXPECT_EQ(std::tuple(blocks.count(), blocks.sizeAt(0)), std::tuple(1u, 8u));

  boundarySet set(2);
  set[1].kinds = {2, 5, 1};
  EXPECT_FALSE(boundaryHasOutsideKind(set, 1, 1));
  EXPECT_TRUE(boundaryHasOutsideKind(set, 1, 2));
  EXPECT_FALSE(boundaryHasOutsideKind(set, 2, 3));
  EXPECT_FALSE(boundaryHasOutsideKind(set, 0, 3));
}

TEST(multileaderRec, MarksTheOverridesOfItsStyle) {
  multileaderRec style;
  style.texts[0] = u"_CLOSED";
  style.contentType = 1;
  multileaderRec r;
  r.initFromStyle(&style);
  EXPECT_EQ(std::tuple(r.style, r.contentType, r.texts[0].str()), std::tuple(&style, 1, std::u16string(u"_CLOSED")));
  r.setArrowheadName(u"_Closed");
  r.setArrowheadName(u"");
  EXPECT_EQ(r.changed, 0u);
  r.setContentType(2);
  EXPECT_EQ(r.changed, (1u << 10) | (1u << 18));
  style.contentType = 2;
  r.changed = 0;
  r.setContentType(2);
  EXPECT_EQ(r.changed, 0u);
  r.setBlockName(u"MARK");
  EXPECT_EQ(std::tuple(r.contentType, r.changed), std::tuple(1, (1u << 10) | (1u << 19)));

  multileaderRec alone;
  alone.unitFactor = 1000;
  alone.setBlockScale(2);
  EXPECT_EQ(std::tuple(alone.block.scale.sx, alone.block.scale.sz), std::tuple(2000.0, 2000.0));
  EXPECT_TRUE(propsTestChangedBit(alone, 21));
  alone.setTextStyleName(u"Standard");
  EXPECT_TRUE(propsTestChangedBit(alone, 11));

  multileaderRec scaled;  // a style of scale 1 given at factor 1000
  scaled.unitFactor = 1000;
  scaled.setBlockScale(1);
  multileaderRec same;
  same.style = &scaled;
  same.unitFactor = 1000;
  same.setBlockScale(1);
  EXPECT_EQ(same.block.scale.sx, 1000.0);
  EXPECT_FALSE(propsTestChangedBit(same, 21));
  same.setBlockScale(2);
  EXPECT_TRUE(propsTestChangedBit(same, 21));

  propsSetChangedBit(r, 33, true);
  EXPECT_TRUE(propsTestChangedBit(r, 1));
  propsSetChangedBit(r, -1, true);
  EXPECT_TRUE(propsTestChangedBit(r, 31));
  EXPECT_FALSE(propsTestChangedBit(r, 32) || propsTestChangedBit(r, -1));
}

TEST(multileaderRec, PropertiesFollowTheUnitFactor) {
  multileaderRec source;
  source.lengths[0] = 1;
  source.lengths[1] = 2;
  source.lengths[2] = 3;
  source.unitFactor = 1000;
  source.colour = 0xC2010203u;
  multileaderRec r;
  propsAssignScaled(r, source);
  EXPECT_EQ(std::tuple(r.lengths[0], r.lengths[1], r.lengths[2], r.block.scale.sy, r.unitFactor, r.colour),
            std::tuple(1000.0, 2000.0, 3000.0, 1000.0, 1000.0, 0xC2010203u));

  r.vector = XtGeVector2d(4000, 8000);
  ASSERT_TRUE(propsSetUnitFactor(r, 1));
  EXPECT_EQ(std::tuple(r.vector.x, r.lengths[0], r.lengths[1], r.lengths[2], r.block.scale.sx, r.unitFactor),
            std::tuple(4.0, 1.0, 2.0, 3000.0, 1.0, 1.0));
  EXPECT_TRUE(propsTestChangedBit(r, 24));
  multileaderRec style;
  r.style = &style;
  ASSERT_TRUE(propsSetUnitFactor(r, 1));
  EXPECT_FALSE(propsTestChangedBit(r, 24));
  for (const double bad : {0.0, -1.0, std::numeric_limits<double>::infinity(), std::nan("")})
    EXPECT_FALSE(propsSetUnitFactor(r, bad));
  EXPECT_EQ(std::tuple(r.unitFactor, r.lengths[0]), std::tuple(1.0, 1.0));
  r.unitFactor = 0;
  ASSERT_TRUE(propsSetUnitFactor(r, 10));
  EXPECT_EQ(std::tuple(r.unitFactor, r.lengths[0]), std::tuple(10.0, 1.0));
}
