#include "geometry/nameRec.h"

#include <gtest/gtest.h>

// The copy replaces what the array held, keeps the records' order and their
// empty names (an index of one is an index of the other), and leaves the
// records as they were.
TEST(nameRec, NamesAreCopiedInOrderIntoAnArrayEmptiedFirst) {
  hvObjArray<nameRec> records;
  records.add(nameRec{CString(u"\u017Dlu\u0165"), CString(u"first"), {1, 2}});
  records.add(nameRec{CString(), CString(u"unnamed"), {0, 0}});
  records.add(nameRec{CString(u"b"), CString(), {0, 0}});
  CStringArray names;
  names.Add(CString(u"left over"));
  copyRecordNames(records, names);
  ASSERT_EQ(names.GetSize(), 3);
  EXPECT_EQ(names[0], u"\u017Dlu\u0165");
  EXPECT_TRUE(names[1].IsEmpty());
  EXPECT_EQ(names[2], u"b");
  EXPECT_EQ(records[0].text, u"first");

  copyRecordNames(records, names);  // again: the same three, not six
  EXPECT_EQ(names.GetSize(), 3);
  copyRecordNames(hvObjArray<nameRec>(), names);
  EXPECT_EQ(names.GetSize(), 0);
}
