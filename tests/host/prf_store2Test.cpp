// The status-reporting profile store: statuses, escaped texts, checked hex
// blocks and numbers that look like blocks.
#include "host/prf_store2.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "host/ProfileTextForms.h"
#include "platform/win/Exceptions.h"
#include "platform/win/ProfileFile.h"
#include "tests/platform/win/TempDir.h"

namespace {

class PrfStore2 : public ::testing::Test {
 protected:
  std::u16string path(const char* name = "qev_heat_floors.dat") const {
    return dir.windows() + u"\\" + std::u16string(name, name + std::strlen(name));
  }
  void writeFile(const std::string& text) const {
    std::ofstream(dir.path() / "qev_heat_floors.dat", std::ios::binary) << text;
  }
  std::u16string raw(const char16_t* key) const {
    std::u16string buffer(70000, u'\0');
    const DWORD n = GetPrivateProfileStringW(u"FH_PAGE_CALC", key, u"<absent>", buffer.data(), 70000,
                                             path().c_str());
    return buffer.substr(0, n);
  }

  TempDir dir;
  prf_store2 store{path().c_str(), u"FH_PAGE_CALC"};
};

TEST_F(PrfStore2, NumbersShapedLikeBlocksReadAsThemselves) {
  store.setFlags(ini_store2::textModeFlag);
  for (const std::int32_t v : {4000, 600099, 80000000, 80009999}) {
    ASSERT_EQ(store.writeInt(u"N", v), storeStatus::ok);
    std::int32_t back = 7;
    ASSERT_EQ(store.getInt(u"N", back), storeStatus::ok) << v;
    EXPECT_EQ(back, v);
  }
  // Without text mode too: a block must have the integer's size to count.
  store.setFlags(0);
  writeFile("[FH_PAGE_CALC]\r\nA=4000\r\nB=600012\r\n");
  std::int32_t n = 0;
  ASSERT_EQ(store.getInt(u"A", n), storeStatus::ok);
  EXPECT_EQ(n, 4000);
  ASSERT_EQ(store.getInt(u"B", n), storeStatus::ok);
  EXPECT_EQ(n, 600012);
}

TEST_F(PrfStore2, StatusesOfNumbersAndUnchangedValues) {
  writeFile("[FH_PAGE_CALC]\r\nTail=42abc\r\nEmpty=\r\nWord=abc\r\nComma=2,5\r\nTwo=800021BA\r\n"
            "Invalid=#INVALID#\r\n");
  std::int32_t n = 9;
  EXPECT_EQ(store.getInt(u"Tail", n), storeStatus::partial);
  EXPECT_EQ(store.getInt(u"Empty", n), storeStatus::empty);
  EXPECT_EQ(store.getInt(u"Word", n), storeStatus::badForm);
  EXPECT_EQ(store.getInt(u"Two", n), storeStatus::badForm);  // a block of two bytes
  EXPECT_EQ(store.getInt(u"Missing", n), storeStatus::empty);
  EXPECT_EQ(n, 9);
  double d = 1.0;
  ASSERT_EQ(store.getDouble(u"Comma", d), storeStatus::ok);
  EXPECT_EQ(d, 2.5);
  CString text;
  ASSERT_EQ(store.getString(u"Invalid", text), storeStatus::ok);
  EXPECT_EQ(text, u"#INVALID#");
  text = u"keep";
  EXPECT_EQ(store.getString(u"Missing", text), storeStatus::empty);
  EXPECT_EQ(text, u"keep");
  ASSERT_EQ(store.getString(u"Empty", text), storeStatus::ok);
  EXPECT_TRUE(text.IsEmpty());
}

TEST_F(PrfStore2, EscapedTextsAndCheckedBlocks) {
  // Python's decoders check the round trips; these are the forms.
  ASSERT_EQ(store.writeString(u"Tab", u"a\tb"), storeStatus::ok);
  EXPECT_EQ(raw(u"Tab"), u"a\\0900b");
  ASSERT_EQ(store.writeString(u"Blank", u"x y\\z"), storeStatus::ok);
  EXPECT_EQ(raw(u"Blank"), u"x\\2000y\\\\z");
  ASSERT_EQ(store.writeBinary(u"B", std::vector<BYTE>{0x12, 0xAB}), storeStatus::ok);
  EXPECT_EQ(raw(u"B"), u"800021BA");

  storeError error;
  EXPECT_EQ(store.writeBinary(u"Big", std::vector<BYTE>(checkedHexBlockMax + 1), &error), storeStatus::failed);
  EXPECT_EQ(error.osError, 87);
  EXPECT_NE(error.text.Find(u"Big"), -1);

  writeFile("[FH_PAGE_CALC]\r\nLower=800021ba\r\nLength=900021BA\r\n");
  std::vector<BYTE> back;
  EXPECT_EQ(store.getBinary(u"Lower", back), storeStatus::badForm);
  EXPECT_EQ(store.getBinary(u"Length", back), storeStatus::badForm);
}

TEST_F(PrfStore2, StringArraysInBothForms) {
  CStringArray strings;
  strings.Add(CString(u"a;b"));
  strings.Add(CString(u"c"));
  store.setFlags(ini_store2::textModeFlag);
  ASSERT_EQ(store.writeStringArray(u"L", strings), storeStatus::ok);
  EXPECT_EQ(raw(u"L"), u",a;b,c");
  CStringArray back;
  back.Add(CString(u"kept"));
  ASSERT_EQ(store.getStringArray(u"L", back), storeStatus::ok);
  ASSERT_EQ(back.GetSize(), 3);  // appended
  EXPECT_EQ(back[1], u"a;b");
  EXPECT_EQ(back[2], u"c");

  // Every listed separator in use: the smallest free code, escaped.
  CStringArray crowded;
  crowded.Add(CString(u";,|/\\-#"));
  crowded.Add(CString(u""));
  ASSERT_EQ(store.writeStringArray(u"C", crowded), storeStatus::ok);
  EXPECT_EQ(raw(u"C"), u"\\0100;,|/\\\\-#\\0100");
  back.RemoveAll();
  ASSERT_EQ(store.getStringArray(u"C", back), storeStatus::ok);
  ASSERT_EQ(back.GetSize(), 2);
  EXPECT_EQ(back[0], crowded[0]);
  EXPECT_EQ(back[1], u"");

  store.setFlags(0);
  ASSERT_EQ(store.writeStringArray(u"W", strings), storeStatus::ok);
  back.RemoveAll();
  ASSERT_EQ(store.getStringArray(u"W", back), storeStatus::ok);
  EXPECT_EQ(back.GetSize(), 2);
  // An emptied list reads as empty, not as the digits of its block.
  ASSERT_EQ(store.writeStringArray(u"W", CStringArray()), storeStatus::ok);
  back.RemoveAll();
  EXPECT_EQ(store.getStringArray(u"W", back), storeStatus::empty);
  EXPECT_EQ(back.GetSize(), 0);
}

TEST_F(PrfStore2, NumberArrays) {
  const std::vector<double> kv = {0.1, 2.0 / 3.0, 1e300};
  const std::vector<std::int32_t> ints = {4000, 600000, 80001234};
  for (const DWORD flags : {DWORD{0}, ini_store2::textModeFlag}) {
    store.setFlags(flags);
    ASSERT_EQ(store.writeDoubleArray(u"KV_TABLE", kv), storeStatus::ok);
    std::vector<double> back;
    ASSERT_EQ(store.getDoubleArray(u"KV_TABLE", back), storeStatus::ok);
    EXPECT_EQ(back, kv);
    ASSERT_EQ(store.writeIntArray(u"I", ints), storeStatus::ok);
    std::vector<std::int32_t> intBack;
    ASSERT_EQ(store.getIntArray(u"I", intBack), storeStatus::ok);
    EXPECT_EQ(intBack, ints);
  }
  writeFile("[FH_PAGE_CALC]\r\nP=;1;2x\r\nQ=;1;;2\r\nOdd=A000123456\r\n");
  std::vector<std::int32_t> values = {5};
  EXPECT_EQ(store.getIntArray(u"P", values), storeStatus::partial);
  EXPECT_EQ(store.getIntArray(u"Q", values), storeStatus::badForm);
  EXPECT_EQ(values, std::vector<std::int32_t>{5});
  store.setFlags(0);
  EXPECT_EQ(store.getIntArray(u"Odd", values), storeStatus::badForm);  // three bytes
}

TEST_F(PrfStore2, UnavailableStoresAndFailedWrites) {
  prf_store2 none(u"", u"FH_PAGE_CALC");
  storeError error;
  error.text = u"old";
  CString text;
  EXPECT_EQ(none.getString(u"K", text, &error), storeStatus::failed);
  EXPECT_EQ(error.status, 3);
  EXPECT_TRUE(error.text.IsEmpty());
  EXPECT_EQ(none.writeInt(u"K", 1), storeStatus::failed);

  prf_store2 noFolder((dir.windows() + u"\\missing\\x.dat").c_str(), u"S");
  EXPECT_EQ(noFolder.writeString(u"K", u"v", &error), storeStatus::failed);
  EXPECT_EQ(error.osError, 3);
  EXPECT_EQ(error.status, CFileException::OsErrorToException(3));
  EXPECT_EQ(error.text, CString(dir.windows().c_str()) + u"\\missing\\x.dat\\S\\K");
}

}  // namespace
