#include "platform/win/WideScan.h"

#include <gtest/gtest.h>

TEST(WideScan, TableHeaderReadsColumnsAndRows) {
  int cols = -1, rows = -1;
  EXPECT_EQ(hvSwscanf(u"3x2", u"%ix%i", &cols, &rows), 2);
  EXPECT_EQ(cols, 3);
  EXPECT_EQ(rows, 2);
  // %i takes "0x0" as one hexadecimal number, so a new block's header
  // "E@0x0" gives a single value.
  cols = rows = -1;
  EXPECT_EQ(hvSwscanf(u"0x0", u"%ix%i", &cols, &rows), 1);
  EXPECT_EQ(cols, 0);
  EXPECT_EQ(rows, -1);
  EXPECT_EQ(hvSwscanf(u"ITEM7", u"%ix%i", &cols, &rows), 0);
  EXPECT_EQ(hvSwscanf(u"", u"%ix%i", &cols, &rows), -1);
}

TEST(WideScan, NumbersLiteralsAndWidths) {
  unsigned mj = 0;
  EXPECT_EQ(hvSwscanf(u"MJ12", u"MJ%u", &mj), 1);
  EXPECT_EQ(mj, 12u);
  double a = 0, b = 0;
  EXPECT_EQ(hvSwscanf(u" 1.5 |  -2e3", u"%lf |%lf", &a, &b), 2);
  EXPECT_DOUBLE_EQ(a, 1.5);
  EXPECT_DOUBLE_EQ(b, -2000.0);
  int x = 0, y = 0;
  EXPECT_EQ(hvSwscanf(u"12345", u"%2d%*1d%d", &x, &y), 2);
  EXPECT_EQ(x, 12);
  EXPECT_EQ(y, 45);
  EXPECT_EQ(hvSwscanf(u"50%", u"%d%%", &x), 1);
  // A target of the wrong kind ends the scan.
  EXPECT_EQ(hvSwscanf(u"1 2", u"%d %d", &x, &a), 1);
}
