#include "geometry/blockDescRec.h"
#include "geometry/byteBuffer.h"
#include "geometry/hexWriter.h"
#include "geometry/hvSharedBlock.h"
#include "geometry/insertTextRec.h"
#include "geometry/listHelpers.h"
#include "geometry/ptrList.h"
#include "geometry/recordNames.h"
#include "geometry/savedTolerance.h"
#include "geometry/stringListRec.h"
#include "platform/ge/XtGePoint2dArray.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <tuple>
#include <utility>

TEST(savedTolerance, RestoresTheToleranceOnEveryWayOut) {
  const XtGeTol before = XtGeContext::gTol;
  auto changeAndThrow = [] {
    savedTolerance saved;
    XtGeContext::gTol = XtGeTol(0.5, 0.25);
    throw std::runtime_error("failed inside");
  };
  EXPECT_THROW(changeAndThrow(), std::runtime_error);
  EXPECT_EQ(std::tuple(XtGeContext::gTol.equalPoint(), XtGeContext::gTol.equalVector()),
            std::tuple(before.equalPoint(), before.equalVector()));
  {
    savedTolerance saved;
    XtGeContext::gTol.setEqualPoint(3.0);
    EXPECT_EQ(saved.saved().equalPoint(), before.equalPoint());
  }
  EXPECT_EQ(XtGeContext::gTol.equalPoint(), before.equalPoint());
}

TEST(hexWriter, WritesLowestByteFirstAndRefusesToOverflow) {
  hexWriter writer(64);
  ASSERT_TRUE(writer.writeInt32(1) && writer.writeInt32(-2) && writer.writeText("A\xE1") && writer.writeDouble(1.0));
  const auto text = writer.finish();
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, "01000000feffffff41e100000000000000f03f");
  EXPECT_EQ(text->data()[text->size()], '\0');

  hexWriter small(9);
  EXPECT_TRUE(small.writeInt32(1));
  EXPECT_FALSE(small.writeInt32(1) || small.writeText(""));
  EXPECT_EQ(small.position(), 8u);
  EXPECT_EQ(small.finish().value(), "01000000");
  hexWriter full(8);
  EXPECT_TRUE(full.writeInt32(1));
  EXPECT_FALSE(full.finish().has_value());
  hexWriter none(0);
  EXPECT_FALSE(none.writeText("") || none.writeDouble(0.0));
}

TEST(SmallRecords, OwningListsReleaseEverything) {
  ptrList list;
  const char data[] = "podlaha";
  ASSERT_NE(list.addCopy(data, sizeof data), nullptr);
  ASSERT_NE(list.add(0), nullptr);
  EXPECT_EQ(list.addCopy(nullptr, 4), nullptr);
  EXPECT_STREQ(static_cast<const char*>(list.at(0)), "podlaha");
  EXPECT_TRUE(list.count() == 2u && list.sizeAt(1) == 0u && list.at(2) == nullptr);
  list.freeAll();
  EXPECT_EQ(list.count(), 0u);
  list.add(16);  // usable again; freed by the destructor

  hvArray<insertTextRec*> records(0, 8);
  records.append(new insertTextRec);
  records.append(nullptr);
  records[0]->lines.Add(CString(u"line"));
  records[0]->values.append(5);
  ownedRecArray::clear(records);
  EXPECT_EQ(records.count(), 0);

  stringListRec a;
  a.text = u"first";
  a.strings = std::make_unique<CStringArray>();
  a.strings->Add(CString(u"x"));
  stringListRec b(a);
  a.strings->Add(CString(u"y"));
  EXPECT_EQ(b.strings->GetSize(), 1);
  b = stringListRec();
  EXPECT_TRUE(b.strings == nullptr && b.text.IsEmpty());
}

TEST(SmallRecords, RecordNamesCountsIndicesAndOneEntryArrays) {
  unsigned char patterns[2][80] = {};
  std::memcpy(patterns[0], "ANSI31", 7);
  std::memcpy(patterns[1], "\x8a" "RAFA", 6);  // code page 1250
  const unsigned char unterminated[4] = {'A', 'B', 'C', 'D'};
  CStringArray names;
  EXPECT_EQ(appendRecordNames(patterns[0], 2, 80, names), 2);
  EXPECT_EQ(appendRecordNames(unterminated, 1, 4, names), 1);  // the whole record, never past it
  EXPECT_EQ(appendRecordNames(nullptr, 3, 80, names), 0);
  ASSERT_EQ(names.GetSize(), 3);
  EXPECT_EQ(names[1], u"\u0160RAFA");
  EXPECT_EQ(names[2], u"ABCD");

  EXPECT_EQ(sharedArray::count<hvArray<int>>(nullptr), 0);
  auto* shared = hvSharedBlock<hvArray<int>>::create();
  shared->arrays().append(4);
  EXPECT_EQ(sharedArray::count(shared), 1);
  shared->release();
  struct { std::int32_t index = 0; } record;
  for (auto [given, stored] : {std::pair(5, 5), std::pair(0, 0), std::pair(-7, -1)}) {
    setIndexOrNone(record, given);
    EXPECT_EQ(record.index, stored);
  }

  // All or nothing: memory refused at any step leaves both arrays as they were.
  hvArray<int> source;
  for (int i = 1; i <= 3; ++i) source.append(i);
  hvArray<hvArray<int>*> target;
  static int allowed;
  int tries = 0;
  for (bool moved = false; !moved; ++tries) {
    ASSERT_LT(tries, 10);
    allowed = tries;
    hvArrayAllocationHook = [](std::size_t) { return allowed-- > 0; };
    moved = moveEntriesToArrays(source, target);
    hvArrayAllocationHook = nullptr;
    if (!moved) {
      EXPECT_TRUE(source.count() == 3 && target.count() == 0) << tries;
    }
  }
  EXPECT_GT(tries, 3);  // one array per entry had to be made
  EXPECT_EQ(source.count(), 0);
  ASSERT_EQ(target.count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(target[i]->count(), 1);
    EXPECT_EQ((*target[i])[0], 3 - i);  // last entry first
    delete target[i];
  }

  // Owned bytes are freed (LSan), lent ones left alone.
  byteBuffer owned;
  owned.data = static_cast<unsigned char*>(std::malloc(16));
  owned.size = 16;
  owned.owned = true;
  byteBuffer::clear(owned);
  EXPECT_TRUE(owned.data == nullptr && owned.size == 0 && !owned.owned);
  unsigned char lent[4] = {1, 2, 3, 4};
  byteBuffer borrowed;
  borrowed.data = lent;
  borrowed.size = 4;
  byteBuffer::clear(borrowed);
  EXPECT_EQ(borrowed.data, nullptr);
  EXPECT_EQ(lent[3], 4);
}
