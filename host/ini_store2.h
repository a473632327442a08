// The status-reporting settings store: every operation answers a status and
// a failed write fills the caller's error record. Back end: prf_store2.
//
// Bit 0 of the flags (text mode) makes the writers write text: integers in
// decimal, doubles with as many digits as read back the same double, arrays
// as string arrays. Without it values are written as byte blocks.
//
// A getter changes its output only when it answers storeStatus::ok.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/win/CString.h"
#include "platform/win/FrameworkArrays.h"
#include "platform/win/WinTypes.h"

namespace storeStatus {
inline constexpr int ok = 0;
inline constexpr int partial = 1;      // a number with characters left after it
inline constexpr int empty = 2;        // the value is empty or absent
inline constexpr int failed = 3;       // store unavailable, or the write failed or was refused
inline constexpr int noSeparator = 4;  // no separator character is free for a string array
inline constexpr int badForm = 5;      // the value is not of the form asked for
}  // namespace storeStatus

// What a failed write (or an unavailable store) reports.
struct storeError {
  // The framework's file-exception cause for the system error
  // (CFileException); 3 when the store is unavailable.
  LONG status = 0;
  LONG osError = 0;  // the system error code
  // The file, section and key written, joined by '\'; empty when the store
  // is unavailable.
  CString text;
};

class ini_store2 {
 public:
  static constexpr DWORD textModeFlag = 0x1;

  ini_store2() = default;
  virtual ~ini_store2() = default;
  ini_store2(const ini_store2&) = delete;
  ini_store2& operator=(const ini_store2&) = delete;

  DWORD flags() const { return flags_; }
  void setFlags(DWORD flags) { flags_ = flags; }
  bool textMode() const { return (flags_ & textModeFlag) != 0; }

  // The value in whichever of the two forms is asked for (a null pointer
  // leaves that form out); with both, the text first in text mode and the
  // block first otherwise, the second only when the first does not answer ok.
  virtual int readValue(LPCWSTR key, CString* text, std::vector<BYTE>* bytes, storeError* error);

  // A block of exactly 4 bytes, or a text that is a base-10 integer: ok.
  // Characters after the number: partial; an empty value: empty; no number
  // or a block of another size: badForm. Only ok changes `value`.
  virtual int getInt(LPCWSTR key, std::int32_t& value, storeError* error = nullptr);
  virtual int writeInt(LPCWSTR key, std::int32_t value, storeError* error = nullptr);
  // As getInt with 8 bytes; ',' in the text reads as '.'.
  virtual int getDouble(LPCWSTR key, double& value, storeError* error = nullptr);
  virtual int writeDouble(LPCWSTR key, double value, storeError* error = nullptr);

  // Appends the strings to `strings` (ok only). Block form: each string in
  // UTF-16 followed by a 16-bit zero (an empty block is an empty list, status
  // empty). Text form: a separator that none of the strings holds, then the
  // strings, each preceded by it.
  virtual int getStringArray(LPCWSTR key, CStringArray& strings, storeError* error = nullptr);
  virtual int writeStringArray(LPCWSTR key, const CStringArray& strings, storeError* error = nullptr);

  // Block form without text mode (size a multiple of the element size);
  // string-array form with it, every element a whole number. `values` is
  // replaced on ok.
  virtual int getIntArray(LPCWSTR key, std::vector<std::int32_t>& values, storeError* error = nullptr);
  virtual int writeIntArray(LPCWSTR key, std::span<const std::int32_t> values, storeError* error = nullptr);
  virtual int getDoubleArray(LPCWSTR key, std::vector<double>& values, storeError* error = nullptr);
  virtual int writeDoubleArray(LPCWSTR key, std::span<const double> values, storeError* error = nullptr);

  // ok with the text (an empty value included), empty when absent.
  virtual int getString(LPCWSTR key, CString& text, storeError* error = nullptr) = 0;
  virtual int writeString(LPCWSTR key, LPCWSTR text, storeError* error = nullptr) = 0;
  virtual int getBinary(LPCWSTR key, std::vector<BYTE>& bytes, storeError* error = nullptr) = 0;
  virtual int writeBinary(LPCWSTR key, std::span<const BYTE> bytes, storeError* error = nullptr) = 0;

 private:
  template <typename Value, typename Read>
  int getScalar(LPCWSTR key, Value& value, storeError* error, Read read);
  template <typename Value, typename Read>
  int getArray(LPCWSTR key, std::vector<Value>& values, storeError* error, Read read);

  DWORD flags_ = 0;
};

// The separator writeStringArray uses for `strings` in text form: the first
// of ";,|/\-#" that none of them holds, else the smallest unit from 1 on that
// none holds; 0 when every unit is taken.
char16_t stringArraySeparator(const CStringArray& strings);
