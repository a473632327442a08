#include "platform/win/StringCompare.h"

#include <gtest/gtest.h>

TEST(StringCompare, WcsicmpFoldsAsciiOnly) {
  EXPECT_EQ(_wcsicmp(u"FH_PAGE_CALC", u"fh_page_calc"), 0);
  EXPECT_NE(_wcsicmp(u"\u010Cerpadlo", u"\u010Derpadlo"), 0);  // Č and č differ
  // Letters fold to lower case, so '_' (0x5F) sorts before 'A' (as 'a').
  EXPECT_GT(_wcsicmp(u"A", u"_"), 0);
  EXPECT_LT(_wcsicmp(u"ab", u"ABC"), 0);
  EXPECT_EQ(_wcsnicmp(u"MODULE_x", u"module_Y", 7), 0);
  EXPECT_EQ(_wcsicmp(nullptr, u"a"), HV_NLSCMPERROR);
}

TEST(StringCompare, LstrcmpiFoldsEveryLetterOfTheCodePage) {
  EXPECT_EQ(lstrcmpiW(u"\u0160T\u011AP\u00C1N \u017DLU\u0164OU\u010CK\u00DD", u"\u0161t\u011Bp\u00E1n \u017Elu\u0165ou\u010Dk\u00FD"), 0);
  EXPECT_EQ(lstrcmpiW(u"\u0158\u00CD\u010E\u0147\u016E\u0141\u0104\u0179\u0150\u0170", u"\u0159\u00ED\u010F\u0148\u016F\u0142\u0105\u017A\u0151\u0171"), 0);
  EXPECT_EQ(lstrcmpiW(u"\u0178", u"\u00FF"), 0);
  EXPECT_NE(lstrcmpiW(u"\u00D7", u"\u00F7"), 0);  // × and ÷ are not letters
  EXPECT_EQ(lstrcmpiW(u"abc", u"abd"), -1);
  EXPECT_EQ(lstrcmpiW(u"abd", u"ABC"), 1);
  EXPECT_EQ(lstrcmpiW(nullptr, nullptr), 0);
  EXPECT_EQ(lstrcmpiW(nullptr, u""), -1);
}
