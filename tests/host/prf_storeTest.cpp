// The profile back ends of the settings store: what they write, what they
// read back, and the forms written by hand or by other programs.
#include "host/def_store.h"
#include "host/prf_store.h"
#include "host/ProfileTextForms.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

#include "platform/win/ProfileFile.h"
#include "tests/support/TestFolder.h"

namespace {

class PrfStore : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store.open(path().c_str(), u"FH_PAGE_CALC")); }

  std::u16string path(const char* name = "settings.dat") const { return dir.windows(name); }
  void writeFile(const std::string& text, const char* name = "settings.dat") const { dir.write(name, text); }
  std::u16string raw(const char16_t* key, const char* name = "settings.dat") const {
    std::u16string buffer(70000, u'\0');
    const DWORD n = GetPrivateProfileStringW(u"FH_PAGE_CALC", key, u"<absent>", buffer.data(), 70000,
                                             path(name).c_str());
    return buffer.substr(0, n);
  }

  TestFolder dir;
  prf_store store;
};

TEST_F(PrfStore, ScalarsRoundTripInBothModes) {
  for (const bool text : {true, false}) {
    store.setTextMode(text);
    for (const std::int32_t v : {0, -1, 4000, 600000, 80001234, INT32_MIN, INT32_MAX}) {
      ASSERT_TRUE(store.writeInt(u"N", v));
      std::int32_t back = 7;
      ASSERT_TRUE(store.getInt(u"N", back));
      EXPECT_EQ(back, v) << "text mode " << text;
    }
    for (const double v : {0.2, 2.0 / 3.0, 1e-300, -DBL_MAX, 4176.0, 0.017, 5e-324}) {
      ASSERT_TRUE(store.writeDouble(u"D", v));
      double back = 7.0;
      ASSERT_TRUE(store.getDouble(u"D", back));
      EXPECT_EQ(back, v) << "text mode " << text;
    }
    bool flag = false;
    ASSERT_TRUE(store.writeBool(u"B", true));
    ASSERT_TRUE(store.getBool(u"B", flag));
    EXPECT_TRUE(flag);
  }
}

TEST_F(PrfStore, TextFormsAreShortDecimalAndIntegersStayIntegers) {
  store.writeInt(u"N", 80001234);
  store.writeDouble(u"D", 0.2);
  store.writeDouble(u"T", 2.0 / 3.0);
  store.writeDouble(u"W", 38.0);
  EXPECT_EQ(raw(u"N"), u"80001234");
  EXPECT_EQ(raw(u"D"), u"0.2");
  EXPECT_EQ(raw(u"T"), u"0.6666666666666666");
  EXPECT_EQ(raw(u"W"), u"38");
}

TEST_F(PrfStore, FailedReadsLeaveTheCallersValue) {
  writeFile("[FH_PAGE_CALC]\r\nA=12x\r\nE=\r\nBig=99999999999\r\nD=1.5.2\r\nS= 7 \r\n");
  std::int32_t n = 5;
  EXPECT_FALSE(store.getInt(u"A", n));
  EXPECT_FALSE(store.getInt(u"E", n));
  EXPECT_FALSE(store.getInt(u"Big", n));
  EXPECT_FALSE(store.getInt(u"Missing", n));
  EXPECT_EQ(n, 5);
  double d = 2.5;
  EXPECT_FALSE(store.getDouble(u"D", d));
  EXPECT_FALSE(store.getDouble(u"E", d));
  EXPECT_EQ(d, 2.5);
  bool b = true;
  EXPECT_FALSE(store.getBool(u"A", b));
  EXPECT_TRUE(b);
  EXPECT_TRUE(store.getInt(u"S", n));  // the profile reader trims the blanks
  EXPECT_EQ(n, 7);
  std::vector<std::int32_t> values{9};
  EXPECT_FALSE(store.getIntArray(u"A", values));
  EXPECT_EQ(values, std::vector<std::int32_t>{9});
}

TEST_F(PrfStore, AbsentKeysAreAbsentWhateverTheDefault) {
  CString text(u"keep");
  EXPECT_FALSE(store.getString(u"Missing", text, u"fallback"));
  EXPECT_FALSE(store.getString(nullptr, text));  // would list the section's keys
  EXPECT_EQ(text, u"keep");
  prf_store closed;
  EXPECT_FALSE(closed.open(path().c_str(), u""));
  EXPECT_FALSE(closed.writeString(u"X", u"1"));
}

TEST_F(PrfStore, TextsTheProfileReaderWouldChangeSurvive) {
  // Python's INI reader checks the plain ones; these need the quotes.
  for (const std::u16string& t : {std::u16string(u"  padded  "), std::u16string(u"\"quoted\""),
                                  std::u16string(u"'single'"), std::u16string(u"$EMPTY$")}) {
    ASSERT_TRUE(store.writeString(u"S", t.c_str()));
    CString back;
    ASSERT_TRUE(store.getString(u"S", back));
    EXPECT_EQ(back.str(), t);
  }
  EXPECT_FALSE(store.writeString(u"S", u"two\nlines"));
}

TEST_F(PrfStore, HexBlocksReadInEitherCaseOfTheirDigits) {
  writeFile("[FH_PAGE_CALC]\r\nU=00000003A0B1C2\r\nL=00000003a0b1c2\r\nZ=00000000\r\n"
            "LowerCount=0000000a00112233445566778899\r\nTooBig=00008000\r\nShort=00000003A0B1\r\n"
            "Long=00000001A0B1\r\nBad=00000001G0\r\n");
  const std::vector<BYTE> expected = {0xA0, 0xB1, 0xC2};
  std::vector<BYTE> bytes;
  ASSERT_TRUE(store.getBinary(u"U", bytes));
  EXPECT_EQ(bytes, expected);
  bytes.clear();
  ASSERT_TRUE(store.getBinary(u"L", bytes));
  EXPECT_EQ(bytes, expected);
  ASSERT_TRUE(store.getBinary(u"Z", bytes));
  EXPECT_TRUE(bytes.empty());
  bytes = {1};
  for (const char16_t* key : {u"LowerCount", u"TooBig", u"Short", u"Long", u"Bad", u"Missing"})
    EXPECT_FALSE(store.getBinary(key, bytes)) << std::string(key, key + std::char_traits<char16_t>::length(key));
  EXPECT_EQ(bytes, std::vector<BYTE>{1});
}

TEST_F(PrfStore, BinaryIntoReportsWhatWasCopied) {
  ASSERT_TRUE(store.writeBinary(u"B", std::vector<BYTE>{1, 2, 3, 4, 5, 6}));
  BYTE buffer[4] = {};
  DWORD size = sizeof buffer;
  ASSERT_TRUE(store.getBinaryInto(u"B", buffer, size));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(buffer[3], 4);
  size = 0;
  EXPECT_FALSE(store.getBinaryInto(u"B", buffer, size));
}

TEST_F(PrfStore, ArraysInTextAndBlockForm) {
  writeFile("[FH_PAGE_CALC]\r\nTrail=1;2;\r\nComma=1,2\r\nGap=1;;2\r\nEmpty=\r\nDoubles=0.5;1e3;-2\r\n");
  std::vector<std::int32_t> ints;
  ASSERT_TRUE(store.getIntArray(u"Trail", ints));
  EXPECT_EQ(ints, (std::vector<std::int32_t>{1, 2}));
  EXPECT_FALSE(store.getIntArray(u"Comma", ints));
  EXPECT_FALSE(store.getIntArray(u"Gap", ints));
  ASSERT_TRUE(store.getIntArray(u"Empty", ints));
  EXPECT_TRUE(ints.empty());
  std::vector<double> doubles;
  ASSERT_TRUE(store.getDoubleArray(u"Doubles", doubles));
  EXPECT_EQ(doubles, (std::vector<double>{0.5, 1000.0, -2.0}));

  const std::vector<double> three = {0.1, 2.0 / 3.0, -7.25};
  for (const bool text : {true, false}) {
    store.setTextMode(text);
    ASSERT_TRUE(store.writeDoubleArray(u"Three", three));
    doubles.clear();
    ASSERT_TRUE(store.getDoubleArray(u"Three", doubles));
    EXPECT_EQ(doubles, three);
    const std::vector<std::int32_t> numbers = {4000, -600000, 80001234};
    ASSERT_TRUE(store.writeIntArray(u"Ints", numbers));
    ASSERT_TRUE(store.getIntArray(u"Ints", ints));
    EXPECT_EQ(ints, numbers);
  }
  EXPECT_EQ(raw(u"Three").size(), 8u + 2 * 24);  // a block of three doubles
}

TEST_F(PrfStore, StringArraysAndAClearedHistory) {
  std::vector<CString> back;
  ASSERT_TRUE(store.writeStringArray(u"CB_T_TI_CB_HST", std::vector<CString>{CString(u"20")}));
  ASSERT_TRUE(store.writeStringArray(u"CB_T_TI_CB_HST", {}));
  EXPECT_EQ(raw(u"CB_T_TI_CB_HST_UNICODE"), u"00000000");
  ASSERT_TRUE(store.getStringArray(u"CB_T_TI_CB_HST", back));
  EXPECT_TRUE(back.empty());

  // A last string without its terminator ends at the block's end.
  writeFile("[FH_PAGE_CALC]\r\nH_UNICODE=00000006610000006200\r\nOdd_UNICODE=00000001AA\r\n");
  ASSERT_TRUE(store.getStringArray(u"H", back));
  EXPECT_EQ(back, (std::vector<CString>{CString(u"a"), CString(u"b")}));
  EXPECT_FALSE(store.getStringArray(u"Odd", back));
}

TEST_F(PrfStore, BlockModeReadsBlocksBeforeText) {
  store.setTextMode(false);
  writeFile("[FH_PAGE_CALC]\r\nN=42\r\nBlock=00000004D2040000\r\n");
  std::int32_t n = 0;
  ASSERT_TRUE(store.getInt(u"N", n));
  EXPECT_EQ(n, 42);
  ASSERT_TRUE(store.getInt(u"Block", n));
  EXPECT_EQ(n, 1234);
}

class DefStore : public PrfStore {};

TEST_F(DefStore, ReadsThePrimaryThenTheFallbackPair) {
  writeFile("[TOLERANCE]\r\nDozidEzezovedo.ZoneBounds=30\r\nBad=25 mm\r\n", "VEZIRU.dat");
  writeFile("[TOLERANCE]\r\nDozidEzezovedo.ZoneBounds=40\r\nDozidEzezovedo.ManifoldConnection=12.5\r\n",
            "defaults.dat");
  def_store defaults(path("VEZIRU.dat").c_str(), u"TOLERANCE", path("defaults.dat").c_str(), u"TOLERANCE");
  double zone = 25.0;
  double manifold = 25.0;
  double bad = 25.0;
  ASSERT_TRUE(defaults.getDouble(u"DozidEzezovedo.ZoneBounds", zone));
  ASSERT_TRUE(defaults.getDouble(u"DozidEzezovedo.ManifoldConnection", manifold));
  EXPECT_FALSE(defaults.getDouble(u"Bad", bad));
  EXPECT_EQ(zone, 30.0);
  EXPECT_EQ(manifold, 12.5);
  EXPECT_EQ(bad, 25.0);

  CString text;
  EXPECT_FALSE(defaults.getString(u"Missing", text, u"$EMPTY$"));
  ASSERT_TRUE(defaults.getString(u"Missing", text, u"given"));
  EXPECT_EQ(text, u"given");

  def_store onlyFile(path("VEZIRU.dat").c_str(), u"TOLERANCE", nullptr);
  ASSERT_TRUE(onlyFile.getDouble(u"DozidEzezovedo.ZoneBounds", zone));
  EXPECT_FALSE(onlyFile.getDouble(u"DozidEzezovedo.ManifoldConnection", manifold));
}

TEST_F(DefStore, WritesOnlyThroughThePrimaryPair) {
  def_store noPrimary(nullptr, nullptr, path("fallback.dat").c_str(), u"S");
  ASSERT_TRUE(noPrimary.open(path("opened.dat").c_str(), u"S"));
  EXPECT_FALSE(noPrimary.writeString(u"K", u"v"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "fallback.dat"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "opened.dat"));

  // Blocks go to the opened pair when the primary pair cannot take them.
  const std::vector<BYTE> block = {9, 8};
  ASSERT_TRUE(noPrimary.writeBinary(u"K", block));
  std::vector<BYTE> back;
  ASSERT_TRUE(noPrimary.getBinary(u"K", back));
  EXPECT_EQ(back, block);

  def_store primary(path("primary.dat").c_str(), u"S");
  ASSERT_TRUE(primary.writeString(u"K", u"v"));
  CString text;
  ASSERT_TRUE(primary.getString(u"K", text, u"$EMPTY$"));
  EXPECT_EQ(text, u"v");
}

TEST_F(DefStore, SetPathsReplacesBothPairs) {
  writeFile("[FH_PAGE_DESCS]\r\nCB_OPT_LAYER_CB_ACT=first\r\n", "a.dat");
  writeFile("[FH_PAGE_DESCS]\r\nCB_OR_LAYER_CB_ACT=second\r\n", "b.dat");
  def_store descs(path("old.dat").c_str(), u"OLD", path("older.dat").c_str(), u"OLD");
  descs.setPaths(path("a.dat").c_str(), path("b.dat").c_str(), u"FH_PAGE_DESCS");
  EXPECT_EQ(descs.primarySection(), u"FH_PAGE_DESCS");
  EXPECT_EQ(descs.fallbackSection(), u"FH_PAGE_DESCS");
  CString text;
  ASSERT_TRUE(descs.getString(u"CB_OPT_LAYER_CB_ACT", text, u"$EMPTY$"));
  EXPECT_EQ(text, u"first");
  ASSERT_TRUE(descs.getString(u"CB_OR_LAYER_CB_ACT", text, u"$EMPTY$"));
  EXPECT_EQ(text, u"second");
  descs.setPaths(path("b.dat").c_str(), nullptr, u"FH_PAGE_DESCS");
  EXPECT_TRUE(descs.fallbackFile().IsEmpty());
  EXPECT_FALSE(descs.getString(u"CB_OPT_LAYER_CB_ACT", text, u"$EMPTY$"));
  descs.close();
  EXPECT_FALSE(descs.getString(u"CB_OR_LAYER_CB_ACT", text, u"$EMPTY$"));
}

}  // namespace
