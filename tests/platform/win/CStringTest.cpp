#include "platform/win/CString.h"

#include "platform/win/FrameworkArrays.h"
#include "platform/win/StringTable.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

TEST(CString, FormatMayReadTheStringItself) {
  CString zones;
  ASSERT_TRUE(zones.Format(u"%d, %d", 3, 7));
  ASSERT_TRUE(zones.Format(u"%s, %d", zones, 9));
  EXPECT_EQ(zones, u"3, 7, 9");
  ASSERT_TRUE(zones.AppendFormat(u" (%s)", zones));
  EXPECT_EQ(zones, u"3, 7, 9 (3, 7, 9)");

  EXPECT_FALSE(zones.Format(u"%s", 1));
  EXPECT_TRUE(zones.IsEmpty());
  CString kept(u"kept");
  EXPECT_FALSE(kept.AppendFormat(u"%d"));
  EXPECT_EQ(kept, u"kept");
}

TEST(CString, LoadStringOfAMissingIdGivesFalseAndEmpty) {
  static const HvStringResource table[] = {{61001, u"Zkou\u0161ka %d"}};
  hvRegisterStringTable(table, 1);
  CString text(u"old");
  EXPECT_FALSE(text.LoadString(61002));
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_TRUE(text.LoadString(61001) && text == u"Zkou\u0161ka %d");
  CString formatted;
  EXPECT_TRUE(formatted.Format(61001u, 4) && formatted == u"Zkou\u0161ka 4");
  EXPECT_FALSE(formatted.Format(61002u, 4));
  EXPECT_TRUE(formatted.IsEmpty());

  WCHAR buffer[6];
  EXPECT_EQ(LoadStringW(nullptr, 61001, buffer, 6), 5);  // size - 1 units
  EXPECT_EQ(std::u16string(buffer), u"Zkou\u0161");
  hvUnregisterStringTable(table);
  EXPECT_FALSE(text.LoadString(61001));
}

TEST(CString, PiecesClampInsteadOfFailing) {
  const CString s(u"MODULE_E");
  EXPECT_EQ(s.Left(6), u"MODULE");
  EXPECT_EQ(s.Right(1), u"E");
  EXPECT_EQ(s.Mid(7), u"E");
  EXPECT_EQ(s.Mid(2, 100), u"DULE_E");
  EXPECT_EQ(s.Left(-1), u"");
  EXPECT_EQ(s.Mid(50), u"");
  EXPECT_EQ(s.GetAt(8), 0);
  EXPECT_EQ(s[-1], 0);
  EXPECT_EQ(s.Find(u'_'), 6);
  EXPECT_EQ(s.Find(u"DU", 1), 2);
  EXPECT_EQ(s.Find(u'M', 1), -1);
  EXPECT_EQ(s.ReverseFind(u'E'), 7);
  EXPECT_EQ(s.FindOneOf(u"_E"), 5);
  EXPECT_EQ(CString(static_cast<const char*>(nullptr)), u"");
  EXPECT_EQ(CString(static_cast<const WCHAR*>(nullptr)), u"");
}

TEST(CString, EditingOperations) {
  CString s(u"  a\u00A0b;c;;d \t");
  s.Trim();
  EXPECT_EQ(s, u"a\u00A0b;c;;d");  // no-break space is not trimmed white space
  EXPECT_EQ(s.Replace(u";", u"--"), 3);
  EXPECT_EQ(s, u"a\u00A0b--c----d");
  EXPECT_EQ(s.Replace(u"", u"x"), 0);
  EXPECT_EQ(s.Remove(u'-'), 6);
  s.Insert(100, u"!");
  s.Delete(1, 1);
  EXPECT_EQ(s, u"abcd!");
  s.MakeUpper();
  EXPECT_EQ(s, u"ABCD!");
  CString czech(u"\u010Derpadlo");
  czech.MakeUpper();
  EXPECT_EQ(czech, u"\u010DERPADLO");  // "C" locale: A-Z only
  EXPECT_EQ(CString(u"FH_page").CompareNoCase(u"fh_PAGE"), 0);
  EXPECT_NE(CString(u"\u010C").CompareNoCase(u"\u010D"), 0);
}

TEST(CString, TokenizeEndsEvenWithoutSeparators) {
  const CString s(u";a;;b;");
  std::vector<std::u16string> tokens;
  int pos = 0;
  for (CString t = s.Tokenize(u";", pos); pos != -1; t = s.Tokenize(u";", pos)) tokens.push_back(t.str());
  EXPECT_EQ(tokens, (std::vector<std::u16string>{u"a", u"b"}));

  pos = 0;
  int rounds = 0;
  for (CString t = s.Tokenize(u"", pos); pos != -1 && rounds < 5; t = s.Tokenize(u"", pos)) ++rounds;
  EXPECT_EQ(rounds, 1);
}

TEST(FrameworkArrays, AddGetRemoveAndCheckedIndexes) {
  CStringArray names;
  EXPECT_EQ((std::tuple{names.Add(CString(u"a")), names.Add(CString(u"b"))}), std::tuple(0, 1));
  EXPECT_TRUE(names.GetSize() == 2 && names[1] == u"b");
  names.SetAtGrow(3, CString(u"d"));
  EXPECT_TRUE(names.GetSize() == 4 && names.GetAt(2).IsEmpty());
  EXPECT_THROW(names.GetAt(4), std::out_of_range);
  EXPECT_THROW(names.GetAt(-1), std::out_of_range);
  names.RemoveAt(0, 2);
  EXPECT_EQ(names.GetSize(), 2);
  names.RemoveAll();
  EXPECT_TRUE(names.IsEmpty());

  int x = 0;
  CPtrArray pointers;
  pointers.Add(&x);
  EXPECT_EQ(pointers.GetAt(0), &x);
}
