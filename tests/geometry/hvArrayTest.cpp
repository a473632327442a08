#include "geometry/hvArray.h"
#include "geometry/hvString.h"
#include "platform/ge/XtGePoint2dArray.h"
#include "platform/win/CString.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// Refuses every allocation while it is installed on this thread.
class RefuseAllocations {
 public:
  RefuseAllocations() { hvArrayAllocationHook = [](std::size_t) { return false; }; }
  ~RefuseAllocations() { hvArrayAllocationHook = nullptr; }
};

XtGePoint2dArray ring(int n, double offset) {
  XtGePoint2dArray points;
  for (int i = 0; i < n; ++i) points.append(XtGePoint2d(offset + i, -i));
  return points;
}

}  // namespace

TEST(hvArray, InsertionGrowthDoublesUpTo64KBThenStepsBy64KB) {
  hvArray<std::int32_t> array(0, 8);
  std::vector<std::int32_t> capacities;
  for (std::int32_t i = 0; i < 20000; ++i) {
    ASSERT_TRUE(array.insertAt(array.count(), i));
    if (capacities.empty() || capacities.back() != array.capacity()) capacities.push_back(array.capacity());
  }
  const std::vector<std::int32_t> expected{8,    16,   32,   64,    128,   256,  512,
                                           1024, 2048, 4096, 8192, 16384, 32768};
  EXPECT_EQ(capacities, expected);
  for (std::int32_t i = 0; i < 20000; ++i) ASSERT_EQ(array[i], i);

  // Beyond 64 KB each growth adds 16,384 elements.
  hvArray<std::int32_t> big(0, 8);
  for (std::int32_t i = 0; i < 50000; ++i) big.append(i);
  EXPECT_EQ(big.capacity(), 32768 + 2 * 16384);

  // 64-bit elements: the 64 KB step is 8192 elements.
  hvArray<std::int64_t> wide(8192, 8);
  for (int i = 0; i < 8193; ++i) wide.append(i);
  EXPECT_EQ(wide.capacity(), 16384);
}

TEST(hvArray, EmptyArrayWithoutGrowStepStillGrows) {
  hvArray<std::int32_t> array(0, 0);
  EXPECT_EQ(array.data(), nullptr);
  EXPECT_FALSE(array.insertAt(1, 7) || array.insertAt(-1, 7));  // outside the array
  EXPECT_TRUE(array.insertAt(0, 5));
  EXPECT_EQ(array.capacity(), 1);
  EXPECT_TRUE(array.insertAt(0, 4) && array.insertAt(2, 6));
  EXPECT_FALSE(array.insertAt(4, 9));
  EXPECT_EQ(array.capacity(), 4);
  EXPECT_EQ((std::vector<std::int32_t>(array.begin(), array.end())), (std::vector<std::int32_t>{4, 5, 6}));
}

TEST(hvArray, InsertingItsOwnElementWhileGrowingKeepsTheValue) {
  hvArray<CString> names(0, 1);
  names.append(CString(u"first"));
  names.append(CString(u"second"));
  ASSERT_EQ(names.count(), names.capacity());
  ASSERT_TRUE(names.insertAt(0, names[1]));
  EXPECT_TRUE(names[0] == u"second" && names[1] == u"first" && names[2] == u"second");
}

TEST(hvArray, AppendingTheArrayToItselfDoublesIt) {
  hvArray<CString> names(2, 8);
  names.append(CString(u"a"));
  names.append(CString(u"b"));
  ASSERT_EQ(names.count(), names.capacity());
  ASSERT_TRUE(names.append(names));
  ASSERT_EQ(names.count(), 4);
  EXPECT_TRUE(names[2] == u"a" && names[3] == u"b");
  // Without growth too.
  ASSERT_TRUE(names.setCapacity(16));
  ASSERT_TRUE(names.append(names.data() + 1, 2));
  EXPECT_TRUE(names.count() == 6 && names[4] == u"b" && names[5] == u"a");
  EXPECT_FALSE(names.append(nullptr, 1) || names.append(names.data(), -1));
}

TEST(hvArray, AllocationFailureLeavesAnEmptyArray) {
  hvArray<std::int32_t> source(4, 8);
  source.append(1);
  source.append(2);
  hvArray<std::int32_t> target(1, 8);
  target.append(5);
  {
    RefuseAllocations refuse;
    const hvArray<std::int32_t> constructed(16, 8);
    EXPECT_TRUE(constructed.capacity() == 0 && constructed.data() == nullptr);
    const hvArray<std::int32_t> copied(source);
    EXPECT_TRUE(copied.capacity() == 0 && copied.count() == 0);
    target = source;
    EXPECT_TRUE(target.capacity() == 0 && target.count() == 0);
    // A growth that fails leaves the array as it was.
    hvArray<std::int32_t> full(0, 8);
    EXPECT_FALSE(full.insertAt(0, 1));
    EXPECT_EQ(full.count(), 0);
  }
  EXPECT_EQ(target.append(7), 0);
}

TEST(hvArray, FindNoCaseMatchesNamesWithoutRegardToCase) {
  struct Named {
    LPCWSTR name = nullptr;
    int value = 0;
  };
  hvArray<Named> records(0, 8);
  EXPECT_EQ(records.findNoCase(u"abc"), -1);
  records.append(Named{nullptr, 1});
  records.append(Named{u"xyz", 2});
  records.append(Named{u"abc", 3});
  EXPECT_EQ(records.findNoCase(u"ABC"), 2);
  EXPECT_EQ(records.findNoCase(u"ab"), -1);
  EXPECT_EQ(records.findNoCase(nullptr), -1);

  hvArray<CString> names(0, 8);
  names.append(CString(u"Podlaha"));
  EXPECT_EQ(names.findNoCase(u"PODLAHA"), 0);
}

TEST(hvArray, OwningElementsSurviveGrowthAndRemoval) {
  hvArray<XtGePoint2dArray> rings(0, 1);
  for (int i = 0; i < 40; ++i) {
    ASSERT_TRUE(rings.insertAt(i / 2, ring(i + 1, i)));
  }
  ASSERT_TRUE(rings.insertAt(3, rings[10]));
  ASSERT_TRUE(rings.append(rings));
  EXPECT_EQ(rings.count(), 82);
  EXPECT_EQ(rings[3].length(), rings[11].length());
  hvArray<XtGePoint2dArray> copy(rings);
  copy = hvArray<XtGePoint2dArray>(1, 1);
  rings.removeAll();
  EXPECT_EQ(rings.count(), 0);
  EXPECT_TRUE(rings.setCapacity(0));
  EXPECT_EQ(rings.data(), nullptr);
}

TEST(hvString, BlocksComeFromTheSharedAllocator) {
  using Shared = qevDatabase::Helper::hvArraySharedAllocator_UTF16;
  const std::int64_t before = Shared::liveBlocks();
  {
    hvString text(4, 8);
    EXPECT_EQ(Shared::liveBlocks(), before + 1);
    for (char16_t unit : std::u16string_view(u"podlahové topení")) text.append(unit);
    EXPECT_EQ(text.count(), 16);
    EXPECT_EQ(Shared::liveBlocks(), before + 1);
    const hvString copy(text);
    EXPECT_EQ(Shared::liveBlocks(), before + 2);
    EXPECT_EQ(std::u16string_view(copy.data(), copy.count()), u"podlahové topení");
  }
  EXPECT_EQ(Shared::liveBlocks(), before);
  EXPECT_EQ(Shared::constructArray(0), nullptr);
  Shared::destructArray(nullptr, 5);
}
