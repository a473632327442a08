#include "host/reg_store.h"

#include <string>

namespace {

bool usableName(LPCWSTR name) { return name && *name; }

}  // namespace

reg_store::~reg_store() { reg_store::close(); }

bool reg_store::open(HKEY rootKey, LPCWSTR subKey, bool create, REGSAM extraAccess) {
  close();
  HKEY opened = nullptr;
  const LSTATUS status =
      create ? RegCreateKeyExW(rootKey, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, extraAccess | KEY_ALL_ACCESS,
                               nullptr, &opened, nullptr)
             : RegOpenKeyExW(rootKey, subKey, 0, extraAccess | KEY_READ, &opened);
  if (status != static_cast<LSTATUS>(ERROR_SUCCESS)) return false;
  key_ = opened;
  return key_ != nullptr;
}

void reg_store::close() {
  if (key_) RegCloseKey(key_);
  key_ = nullptr;
}

bool reg_store::query(LPCWSTR name, DWORD& type, std::vector<BYTE>& data) const {
  if (!key_ || !usableName(name)) return false;
  DWORD size = 1024;
  // The value may grow between the size answer and the next read: a few tries.
  for (int attempt = 0; attempt < 4; ++attempt) {
    data.assign(size, 0);
    DWORD got = size;
    const LSTATUS status = RegQueryValueExW(key_, name, nullptr, &type, data.data(), &got);
    if (status == static_cast<LSTATUS>(ERROR_SUCCESS)) {
      data.resize(got);
      return true;
    }
    if (status != static_cast<LSTATUS>(ERROR_MORE_DATA) || got <= size) return false;
    size = got;
  }
  return false;
}

bool reg_store::getInt(LPCWSTR key, std::int32_t& value) {
  if (!textMode()) {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    if (query(key, type, data) && type == REG_DWORD && data.size() == 4) {
      value = static_cast<std::int32_t>(data[0] | (data[1] << 8) | (data[2] << 16) |
                                        (static_cast<std::uint32_t>(data[3]) << 24));
      return true;
    }
  }
  return ini_store::getInt(key, value);
}

bool reg_store::writeInt(LPCWSTR key, std::int32_t value) {
  if (textMode()) return ini_store::writeInt(key, value);
  if (!key_ || !usableName(key)) return false;
  const auto bits = static_cast<std::uint32_t>(value);
  const BYTE data[4] = {static_cast<BYTE>(bits), static_cast<BYTE>(bits >> 8), static_cast<BYTE>(bits >> 16),
                        static_cast<BYTE>(bits >> 24)};
  return RegSetValueExW(key_, key, 0, REG_DWORD, data, 4) == static_cast<LSTATUS>(ERROR_SUCCESS);
}

bool reg_store::getString(LPCWSTR key, CString& text, LPCWSTR) {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
  if (!query(key, type, data) || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  std::u16string value;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (unit == 0) break;
    value += unit;
  }
  text = CString(std::move(value));
  return true;
}

bool reg_store::writeString(LPCWSTR key, LPCWSTR text) {
  if (!key_ || !usableName(key) || !text) return false;
  const std::u16string_view value(text);
  std::vector<BYTE> data;
  data.reserve(2 * value.size() + 2);
  for (const char16_t unit : value) {
    data.push_back(static_cast<BYTE>(unit & 0xFF));
    data.push_back(static_cast<BYTE>(unit >> 8));
  }
  data.push_back(0);
  data.push_back(0);
  return RegSetValueExW(key_, key, 0, REG_SZ, data.data(), static_cast<DWORD>(data.size())) ==
         static_cast<LSTATUS>(ERROR_SUCCESS);
}

bool reg_store::getBinary(LPCWSTR key, std::vector<BYTE>& bytes) {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
  if (!query(key, type, data) || type != REG_BINARY) return false;
  bytes = std::move(data);
  return true;
}

bool reg_store::writeBinary(LPCWSTR key, std::span<const BYTE> bytes) {
  if (!key_ || !usableName(key)) return false;
  static const BYTE kNothing = 0;
  return RegSetValueExW(key_, key, 0, REG_BINARY, bytes.empty() ? &kNothing : bytes.data(),
                        static_cast<DWORD>(bytes.size())) == static_cast<LSTATUS>(ERROR_SUCCESS);
}
