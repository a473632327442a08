// The registry back end of the settings store.
#include "host/reg_store.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

class RegStore : public ::testing::Test {
 protected:
  void SetUp() override {
    hvRegistryClear();
    ASSERT_TRUE(store.open(HKEY_CURRENT_USER, u"Software\\Qev\\Heating", true));
  }
  void TearDown() override {
    store.close();
    hvRegistryClear();
  }
  reg_store store;
};

TEST_F(RegStore, ValuesRoundTripInBothModes) {
  for (const bool text : {true, false}) {
    store.setTextMode(text);
    const std::vector<std::int32_t> ints = {1, -2, 3};
    ASSERT_TRUE(store.writeInt(u"N", 600000) && store.writeDouble(u"D", 0.1) && store.writeIntArray(u"A", ints));
    std::int32_t n = 0;
    double d = 0.0;
    std::vector<std::int32_t> back;
    ASSERT_TRUE(store.getInt(u"N", n) && store.getDouble(u"D", d) && store.getIntArray(u"A", back));
    EXPECT_EQ(std::tuple(n, d, back), std::tuple(600000, 0.1, ints));
  }
  DWORD type = REG_NONE;
  BYTE data[8] = {};
  DWORD size = sizeof data;
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Qev\\Heating", 0, KEY_READ, &key), 0);
  ASSERT_EQ(RegQueryValueExW(key, u"N", nullptr, &type, data, &size), 0);
  RegCloseKey(key);
  EXPECT_EQ(type, REG_DWORD);  // the last write was without text mode
}

TEST_F(RegStore, LongTextsAndLargeBlocks) {
  std::u16string longText(5000, u'\u0159');
  ASSERT_TRUE(store.writeString(u"S", longText.c_str()));
  CString text;
  ASSERT_TRUE(store.getString(u"S", text));
  EXPECT_EQ(text.str(), longText);

  std::vector<BYTE> block(40 * 1024);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<BYTE>(i * 13);
  ASSERT_TRUE(store.writeBinary(u"B", block));
  std::vector<BYTE> back;
  ASSERT_TRUE(store.getBinary(u"B", back));
  EXPECT_EQ(back, block);

  const std::vector<CString> strings = {CString(u"x"), CString(u"")};
  ASSERT_TRUE(store.writeStringArray(u"H", strings));
  std::vector<CString> readStrings;
  ASSERT_TRUE(store.getStringArray(u"H", readStrings));
  EXPECT_EQ(readStrings, strings);
}

TEST_F(RegStore, TypesAreKeptApart) {
  ASSERT_TRUE(store.writeBinary(u"B", std::vector<BYTE>{1, 2}));
  ASSERT_TRUE(store.writeString(u"S", u"text"));
  CString text(u"keep");
  std::vector<BYTE> bytes;
  std::int32_t n = 3;
  EXPECT_FALSE(store.getString(u"B", text) || store.getBinary(u"S", bytes) || store.getInt(u"S", n));
  EXPECT_TRUE(text == u"keep" && n == 3);
}

TEST_F(RegStore, AClosedOrMissingKeyFailsEverything) {
  reg_store missing;
  CString text;
  EXPECT_FALSE(missing.open(HKEY_CURRENT_USER, u"Software\\Nobody", false) || missing.isOpen() ||
               missing.writeString(u"S", u"x") || missing.writeInt(u"N", 1) || missing.getString(u"S", text));
  reg_store reader;
  ASSERT_TRUE(reader.open(HKEY_CURRENT_USER, u"Software\\Qev\\Heating", false));
  EXPECT_FALSE(reader.writeString(u"S", u"x"));  // opened for reading only
}

}  // namespace
