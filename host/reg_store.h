// The settings store over a registry key. Texts are string values, byte
// blocks binary values; with text mode off, integers are double-word values.
// Without an open key every operation fails.
#pragma once

#include "host/ini_store.h"
#include "platform/win/Registry.h"

class reg_store : public ini_store {
 public:
  reg_store() = default;
  ~reg_store() override;

  // Closes first. With `create` the key is created when missing and opened
  // with every access right (and `extraAccess`); otherwise an existing key
  // is opened for reading (and `extraAccess`). False (and closed) on failure.
  bool open(HKEY rootKey, LPCWSTR subKey, bool create, REGSAM extraAccess = 0);
  void close() override;
  bool isOpen() const { return key_ != nullptr; }

  // With text mode off: a double-word value first, then the shared reading.
  bool getInt(LPCWSTR key, std::int32_t& value) override;
  bool writeInt(LPCWSTR key, std::int32_t value) override;

  // String and expandable-string values only; the default is not used.
  bool getString(LPCWSTR key, CString& text, LPCWSTR defaultValue = nullptr) override;
  bool writeString(LPCWSTR key, LPCWSTR text) override;
  // Binary values only.
  bool getBinary(LPCWSTR key, std::vector<BYTE>& bytes) override;
  bool writeBinary(LPCWSTR key, std::span<const BYTE> bytes) override;

 private:
  // The value's type and bytes; false when it cannot be read.
  bool query(LPCWSTR name, DWORD& type, std::vector<BYTE>& data) const;

  HKEY key_ = nullptr;
};
