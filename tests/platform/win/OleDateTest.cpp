#include "platform/win/OleDate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr DATE kJul30 = 45503.0;  // 2024-07-30
constexpr DATE kMar5 = 45721.0;   // 2025-03-05

// The parse of `text`, or NaN when it is refused.
DATE parse(const char16_t* text) {
  DATE date = 0.0;
  return VarDateFromStr(text, LOCALE_EN_US, 0, &date) == S_OK ? date : std::nan("");
}

std::string format(DATE date, ULONG flags = 0) {
  BSTR text = nullptr;
  if (VarBstrFromDate(date, LOCALE_USER_DEFAULT, flags, &text) != S_OK) return "<refused>";
  std::string narrow(text, text + SysStringLen(text));
  SysFreeString(text);
  return narrow;
}

double seconds(int h, int m, int s) { return (h * 3600 + m * 60 + s) / 86400.0; }

}  // namespace

TEST(OleDate, ParsesTheCompilerStampShapes) {
  EXPECT_NEAR(parse(u"Jul 30  2024 22:02:07"), kJul30 + seconds(22, 2, 7), 1e-9);
  EXPECT_NEAR(parse(u"11:06:57 Mar  5 2025"), kMar5 + seconds(11, 6, 57), 1e-9);
  EXPECT_NEAR(parse(u"Tue Jul 30 22:02:07 2024"), kJul30 + seconds(22, 2, 7), 1e-9);
  EXPECT_NEAR(parse(u"Fri Jul  5 09:01:02 2024"), kJul30 - 25 + seconds(9, 1, 2), 1e-9);
  EXPECT_EQ(format(parse(u"Jul 30  2024 22:02:07")), "30.07.2024 22:02:07");
  EXPECT_EQ(format(parse(u"11:06:57 Mar  5 2025")), "05.03.2025 11:06:57");
}

TEST(OleDate, OtherAcceptedForms) {
  const DATE evening = kJul30 + seconds(22, 2, 7);
  EXPECT_NEAR(parse(u"30 July 2024, 10:02:07 PM"), evening, 1e-9);
  EXPECT_NEAR(parse(u"2024 jul 30 10:02:07pm"), evening, 1e-9);
  EXPECT_NEAR(parse(u"7/30/2024 22:02:07"), evening, 1e-9);
  EXPECT_NEAR(parse(u"30.07.2024 22:02:07"), evening, 1e-9);  // our own output reads back
  EXPECT_EQ(parse(u"Jul 30 24"), kJul30);
  EXPECT_EQ(parse(u"Jul 30 99"), kJul30 - 9132);  // 1999-07-30
  EXPECT_NEAR(parse(u"12:00:00 AM"), 0.0, 1e-12);
  EXPECT_NEAR(parse(u"6:00"), 0.25, 1e-12);
  EXPECT_EQ(parse(u"Feb 29 2024"), kJul30 - 152);
}

TEST(OleDate, RefusesWhatIsNoDate) {
  for (const char16_t* text :
       {u"garbage", u"", u"   ", u"Jul 30", u"30 2024", u"Jul 30 2024 garbage", u"Feb 30 2024", u"Feb 29 2023",
        u"Jul 32 2024", u"Jul 30 2024 24:00:00", u"Jul 30 2024 10:60", u"Jul 30 2024 13:00 PM",
        u"Jul 30 2024 1:2:3:4", u"Jul Aug 30 2024", u"Jul 30 2024 10:00 11:00", u"1/2/3/4", u"3.5",
        u"Jul 30 10000", u"Jul 30 0099", u"Tue", u"Jul 30 2024 \u00e9"}) {
    DATE date = 123.0;
    EXPECT_EQ(VarDateFromStr(text, LOCALE_EN_US, 0, &date), DISP_E_TYPEMISMATCH)
        << std::string(text, text + std::char_traits<char16_t>::length(text));
    EXPECT_EQ(date, 123.0);
  }
  EXPECT_EQ(VarDateFromStr(nullptr, LOCALE_EN_US, 0, nullptr), E_INVALIDARG);
}

TEST(OleDate, FormatsInTheCzechFormat) {
  EXPECT_EQ(format(kJul30), "30.07.2024");                   // midnight: the date alone
  EXPECT_EQ(format(0.75), "18:00:00");                        // day 0: the time alone
  EXPECT_EQ(format(0.0), "30.12.1899");
  EXPECT_EQ(format(kJul30 + 0.75, VAR_DATEVALUEONLY), "30.07.2024");
  EXPECT_EQ(format(kJul30 + 0.75, VAR_TIMEVALUEONLY), "18:00:00");
  EXPECT_EQ(format(kJul30 + 0.9999999999), "31.07.2024");    // rounds into the next day
  EXPECT_EQ(format(-1.25), "29.12.1899 06:00:00");           // the fraction counts forward
  EXPECT_EQ(parse(u"Dec 29 1899 6:00"), -1.25);
  EXPECT_EQ(format(HV_DATE_MIN), "01.01.0100");
  EXPECT_EQ(format(HV_DATE_MAX + 0.5), "31.12.9999 12:00:00");
  EXPECT_EQ(format(HV_DATE_MIN - 0.5), "01.01.0100 12:00:00");
  EXPECT_EQ(format(HV_DATE_MAX + 0.999999999), "<refused>");
  EXPECT_NEAR(parse(u"Dec 31 9999 23:59:59"), HV_DATE_MAX + seconds(23, 59, 59), 1e-9);
  EXPECT_EQ(format(HV_DATE_MIN - 1.0), "<refused>");
  EXPECT_EQ(format(HV_DATE_MAX + 1.0), "<refused>");
  EXPECT_EQ(format(std::numeric_limits<double>::quiet_NaN()), "<refused>");
  EXPECT_EQ(format(std::numeric_limits<double>::infinity()), "<refused>");
}
