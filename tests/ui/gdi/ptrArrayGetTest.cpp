#include "ui/gdi/colorTable.h"
#include "ui/gdi/ptrArray.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ptrArray, GetAnswersNullOutsideTheArray) {
  int a = 1, b = 2;
  const std::vector<int*> objects{&a, &b};
  EXPECT_EQ(ptrArray::get(objects, 1), &b);
  EXPECT_EQ(ptrArray::get(objects, 2), nullptr);
  EXPECT_EQ(ptrArray::get(objects, -1), nullptr);
  EXPECT_EQ(ptrArray::get(std::vector<int*>(), 0), nullptr);
}

TEST(signedColorTable, HoldsTheColoursOfTheUnsignedTable) {
  colorTable plain;
  signedColorTable signedTable;
  ASSERT_TRUE(plain.fill(1) && signedTable.fill(1));
  for (int i = 0; i < HV_COLOR_INDEX_COUNT; ++i)
    EXPECT_EQ(static_cast<COLORREF>(signedTable.colours[static_cast<std::size_t>(i)]), plain.colours[static_cast<std::size_t>(i)]);
  signedColorTable kept;
  EXPECT_TRUE(kept.fill(0));
  EXPECT_EQ(kept.colours[7], 0);
  EXPECT_FALSE(kept.fill(2));
  EXPECT_EQ(kept.kind, 0);
}
