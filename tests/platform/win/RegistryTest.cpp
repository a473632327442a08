#include "platform/win/Registry.h"

#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    hvRegistryUseFile({});
    hvRegistryClear();
  }
  void TearDown() override {
    hvRegistryUseFile({});
    hvRegistryClear();
  }

  static HKEY create(const char16_t* path, REGSAM access = KEY_ALL_ACCESS, DWORD* disposition = nullptr) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                              disposition),
              ERROR_SUCCESS);
    return key;
  }

  static void setString(HKEY key, const char16_t* name, std::u16string_view text) {
    const std::u16string withTerminator(text.data(), text.size() + 1);  // text plus its zero
    ASSERT_EQ(RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(withTerminator.data()),
                             static_cast<DWORD>(withTerminator.size() * 2)),
              ERROR_SUCCESS);
  }

  // Reads a string the way the settings store does: 1024 bytes first, then
  // the size the registry asks for.
  static std::u16string getString(HKEY key, const char16_t* name) {
    std::vector<BYTE> buffer(1024);
    DWORD size = 1024, type = 0;
    LSTATUS status = RegQueryValueExW(key, name, nullptr, &type, buffer.data(), &size);
    if (status == static_cast<LSTATUS>(ERROR_MORE_DATA)) {
      buffer.resize(size);
      status = RegQueryValueExW(key, name, nullptr, &type, buffer.data(), &size);
    }
    EXPECT_EQ(status, ERROR_SUCCESS);
    EXPECT_TRUE(type == REG_SZ || type == REG_EXPAND_SZ);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), size / 2 - 1);
  }
};

}  // namespace

TEST_F(Registry, StoresTheFourValueTypes) {
  DWORD disposition = 0;
  HKEY key = create(u"Software\\Qev\\FloorHeating", KEY_ALL_ACCESS, &disposition);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  setString(key, u"Layer", u"Podlahov\u00E9 vyt\u00E1p\u011Bn\u00ED");
  const std::u16string longText(3000, u'x');
  setString(key, u"Long", longText);
  const DWORD number = 42;
  ASSERT_EQ(RegSetValueExW(key, u"Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4), ERROR_SUCCESS);
  const BYTE block[] = {0x12, 0xAB, 0x00};
  ASSERT_EQ(RegSetValueExW(key, u"Block", 0, REG_BINARY, block, 3), ERROR_SUCCESS);
  RegCloseKey(key);

  HKEY read = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"SOFTWARE\\qev\\floorheating", 0, KEY_READ, &read), ERROR_SUCCESS);
  EXPECT_EQ(getString(read, u"LAYER"), u"Podlahov\u00E9 vyt\u00E1p\u011Bn\u00ED");
  EXPECT_EQ(getString(read, u"long"), longText);

  DWORD value = 0, size = 4, type = 0;
  EXPECT_EQ(RegQueryValueExW(read, u"Count", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(value, 42u);
  size = 0;
  EXPECT_EQ(RegQueryValueExW(read, u"Block", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 3u);
  BYTE small[2];
  size = 2;
  EXPECT_EQ(RegQueryValueExW(read, u"Block", nullptr, &type, small, &size), static_cast<LSTATUS>(ERROR_MORE_DATA));
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(RegQueryValueExW(read, u"Missing", nullptr, &type, small, &size), static_cast<LSTATUS>(ERROR_FILE_NOT_FOUND));
  RegCloseKey(read);

  HKEY again = create(u"Software\\QEV\\FloorHeating\\", KEY_ALL_ACCESS, &disposition);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  RegCloseKey(again);
}

TEST_F(Registry, WithoutAnOpenKeyEveryOperationFails) {
  HKEY key = reinterpret_cast<HKEY>(1);
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"No\\Such\\Key", 0, KEY_READ, &key), static_cast<LSTATUS>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(key, nullptr);
  DWORD size = 4;
  DWORD value = 0;
  EXPECT_EQ(RegQueryValueExW(nullptr, u"x", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
            static_cast<LSTATUS>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(RegSetValueExW(nullptr, u"x", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4),
            static_cast<LSTATUS>(ERROR_INVALID_HANDLE));

  HKEY open = create(u"Software\\Qev");
  ASSERT_EQ(RegCloseKey(open), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(open), static_cast<LSTATUS>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(RegSetValueExW(open, u"x", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4),
            static_cast<LSTATUS>(ERROR_INVALID_HANDLE));

  // A key opened for reading refuses writes and new subkeys.
  HKEY readOnly = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Qev", 0, KEY_READ, &readOnly), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(readOnly, u"x", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4),
            static_cast<LSTATUS>(ERROR_ACCESS_DENIED));
  HKEY child = nullptr;
  EXPECT_EQ(RegCreateKeyExW(readOnly, u"Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
            static_cast<LSTATUS>(ERROR_ACCESS_DENIED));

  // A deleted key fails on handles still open on it.
  ASSERT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Software\\Qev"), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExW(readOnly, u"x", nullptr, nullptr, nullptr, &size), 1018);
  RegCloseKey(readOnly);
}

TEST_F(Registry, TheBackingFileKeepsTheTree) {
  TestFolder tmp;
  const auto file = tmp.path() / "registry.txt";
  ASSERT_TRUE(hvRegistryUseFile(file));
  HKEY key = create(u"Software\\Qev Heating\\Zones 1");
  setString(key, u"", u"default value");
  setString(key, u"@ name with blanks % and \u0159", u"a\tb");
  ASSERT_EQ(RegSetValueExW(key, u"Empty", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
  RegCloseKey(key);

  hvRegistryUseFile({});
  hvRegistryClear();
  ASSERT_TRUE(hvRegistryUseFile(file));
  HKEY read = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"software\\QEV HEATING\\zones 1", 0, KEY_READ, &read), ERROR_SUCCESS);
  EXPECT_EQ(getString(read, nullptr), u"default value");
  EXPECT_EQ(getString(read, u"@ NAME WITH BLANKS % AND \u0158"), u"a\tb");
  DWORD size = 5, type = 0;
  EXPECT_EQ(RegQueryValueExW(read, u"Empty", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(type, REG_BINARY);
  ASSERT_EQ(RegDeleteValueW(read, u"Empty"), static_cast<LSTATUS>(ERROR_ACCESS_DENIED));
  RegCloseKey(read);

  std::ofstream(file, std::ios::app) << "V HKEY_CURRENT_USER\\Software bad\n";
  EXPECT_FALSE(hvRegistryUseFile(file));
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Qev Heating\\Zones 1", 0, KEY_READ, &read), ERROR_SUCCESS);
  RegCloseKey(read);
}
