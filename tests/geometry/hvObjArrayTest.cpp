#include "geometry/hvObjArray.h"
#include "platform/ge/XtGePoint2dArray.h"
#include "platform/win/CString.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <vector>

namespace {

XtGePoint2dArray points(int n) {
  XtGePoint2dArray result;
  for (int i = 0; i < n; ++i) result.append(XtGePoint2d(i, 2.0 * i));
  return result;
}

// Counts live instances, so that a test sees every constructed element destroyed.
struct Counted {
  static inline int live = 0;
  Counted() { ++live; }
  Counted(const Counted& other) : value(other.value) { ++live; }
  Counted(Counted&& other) noexcept : value(other.value) { ++live; }
  Counted& operator=(const Counted&) = default;
  ~Counted() { --live; }
  int value = 0;
};

}  // namespace

TEST(hvObjArray, OwningElementsAreMovedNotCopiedBytewise) {
  hvObjArray<XtGePoint2dArray> rings(0, 2);
  for (int i = 0; i < 20; ++i) ASSERT_GE(rings.add(points(i + 3)), 0);
  // Adding an element of the array itself while the block grows.
  ASSERT_EQ(rings.count(), rings.capacity());
  ASSERT_EQ(rings.add(rings[4]), 20);
  EXPECT_TRUE(rings.setAtGrow(25, rings[0]));
  EXPECT_EQ(std::tuple(rings[20].length(), rings[25].length(), rings[22].length()), std::tuple(7, 3, 0));
  for (int i = 0; i < 20; ++i) EXPECT_EQ(rings[i].length(), i + 3);

  hvObjArray<XtGePoint2dArray> copy(rings);
  EXPECT_TRUE(copy.count() == 26 && copy[19].last().y == 2.0 * 21);
  copy = hvObjArray<XtGePoint2dArray>();
  EXPECT_EQ(copy.count(), 0);
}

TEST(hvObjArray, EveryConstructedElementIsDestroyed) {
  {
    hvObjArray<Counted> array(3, 4);
    EXPECT_EQ(Counted::live, 3);
    Counted one;
    one.value = 7;
    for (int i = 0; i < 9; ++i) array.add(one);
    EXPECT_EQ(std::pair(array.capacity(), Counted::live), std::pair(12, 12 + 1));
    hvObjArray<Counted> moved(std::move(array));
    EXPECT_TRUE(moved[8].value == 7 && array.count() == 0);
  }
  EXPECT_EQ(Counted::live, 0);
}

TEST(hvObjArray, AllocationFailureLeavesAnEmptyArray) {
  hvObjArray<CString> names(0, 8);
  names.add(CString(u"a"));
  hvArrayAllocationHook = [](std::size_t) { return false; };
  const hvObjArray<CString> constructed(8, 8);
  const hvObjArray<CString> copied(names);
  hvObjArray<CString> full(0, 1);
  const std::int32_t added = full.add(CString(u"b"));
  hvArrayAllocationHook = nullptr;
  EXPECT_TRUE(constructed.capacity() == 0 && copied.count() == 0 && copied.data() == nullptr);
  EXPECT_TRUE(added == -1 && full.isEmpty());
}
