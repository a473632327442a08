// The status-reporting profile store: statuses, escaped texts, checked hex
// blocks and numbers that look like blocks.
#include "host/prf_store2.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "host/ProfileTextForms.h"
#include "platform/win/Exceptions.h"
#include "platform/win/ProfileFile.h"
#include "tests/support/TestFolder.h"

namespace {

class PrfStore2 : public ::testing::Test {
 protected:
  std::u16string path() const { return dir.windows("qev_heat_floors.dat"); }
  void writeFile(const std::string& text) const { dir.write("qev_heat_floors.dat", text); }
  std::u16string raw(const char16_t* key) const {
    std::u16string buffer(70000, u'\0');
    const DWORD n = GetPrivateProfileStringW(u"FH_PAGE_CALC", key, u"<absent>", buffer.data(), 70000,
                                             path().c_str());
    return buffer.substr(0, n);
  }

  TestFolder dir;
  prf_store2 store{path().c_str(), u"FH_PAGE_CALC"};
};

TEST_F(PrfStore2, StatusesOfNumbersAndUnchangedValues) {
  writeFile("[FH_PAGE_CALC]\r\nTail=42abc\r\nEmpty=\r\nWord=abc\r\nComma=2,5\r\nTwo=800021BA\r\n"
            "Invalid=#INVALID#\r\n");
  std::int32_t n = 9;  // Two: a block of two bytes
  for (const auto& [key, status] : {std::pair(u"Tail", storeStatus::partial), {u"Empty", storeStatus::empty},
                                    {u"Word", storeStatus::badForm}, {u"Two", storeStatus::badForm},
                                    {u"Missing", storeStatus::empty}})
    EXPECT_EQ(store.getInt(key, n), status);
  EXPECT_EQ(n, 9);
  double d = 1.0;
  ASSERT_EQ(store.getDouble(u"Comma", d), storeStatus::ok);
  EXPECT_EQ(d, 2.5);
  CString text;
  EXPECT_EQ((std::tuple{store.getString(u"Invalid", text), text}), std::tuple(storeStatus::ok, CString(u"#INVALID#")));
  text = u"keep";
  EXPECT_EQ((std::tuple{store.getString(u"Missing", text), text}), std::tuple(storeStatus::empty, CString(u"keep")));
  EXPECT_EQ((std::tuple{store.getString(u"Empty", text), text}), std::tuple(storeStatus::ok, CString()));
}

TEST_F(PrfStore2, EscapedTextsAndCheckedBlocks) {
  // Python's decoders check the round trips; these are the forms.
  ASSERT_EQ(store.writeString(u"Tab", u"a\tb"), storeStatus::ok);
  ASSERT_EQ(store.writeString(u"Blank", u"x y\\z"), storeStatus::ok);
  ASSERT_EQ(store.writeBinary(u"B", std::vector<BYTE>{0x12, 0xAB}), storeStatus::ok);
  EXPECT_EQ(std::tuple(raw(u"Tab"), raw(u"Blank"), raw(u"B")), std::tuple(u"a\\0900b", u"x\\2000y\\\\z", u"800021BA"));

  storeError error;
  EXPECT_EQ(store.writeBinary(u"Big", std::vector<BYTE>(checkedHexBlockMax + 1), &error), storeStatus::failed);
  EXPECT_TRUE(error.osError == 87 && error.text.Find(u"Big") != -1);

  writeFile("[FH_PAGE_CALC]\r\nLower=800021ba\r\nLength=900021BA\r\n");
  std::vector<BYTE> back;
  EXPECT_EQ(std::tuple(store.getBinary(u"Lower", back), store.getBinary(u"Length", back)),
            std::tuple(storeStatus::badForm, storeStatus::badForm));
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
  EXPECT_TRUE(back[1] == u"a;b" && back[2] == u"c");

  // Every listed separator in use: the smallest free code, escaped.
  CStringArray crowded;
  crowded.Add(CString(u";,|/\\-#"));
  crowded.Add(CString(u""));
  ASSERT_EQ(store.writeStringArray(u"C", crowded), storeStatus::ok);
  EXPECT_EQ(raw(u"C"), u"\\0100;,|/\\\\-#\\0100");
  back.RemoveAll();
  ASSERT_EQ(store.getStringArray(u"C", back), storeStatus::ok);
  ASSERT_EQ(back.GetSize(), 2);
  EXPECT_TRUE(back[0] == crowded[0] && back[1] == u"");

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
  EXPECT_EQ((std::tuple{none.getString(u"K", text, &error), error.status, error.text, none.writeInt(u"K", 1)}),
            std::tuple(storeStatus::failed, 3, CString(), storeStatus::failed));

  prf_store2 noFolder((dir.windows() + u"\\missing\\x.dat").c_str(), u"S");
  EXPECT_EQ((std::tuple{noFolder.writeString(u"K", u"v", &error), error.osError, error.status, error.text}),
            std::tuple(storeStatus::failed, 3, CFileException::OsErrorToException(3),
                       CString(dir.windows().c_str()) + u"\\missing\\x.dat\\S\\K"));
}

}  // namespace
