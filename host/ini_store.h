// The settings store: typed values under a key, kept by a back end
// (reg_store: a registry key; prf_store: a section of a profile file;
// def_store: a profile store with fallback files for defaults).
//
// Text mode (on after construction): integers and doubles are written as
// text ("%i"; doubles with as many digits as read back the same double) and
// read as text first; arrays are written as their values joined by ';'. With
// text mode off they are written as byte blocks (4 bytes per integer, 8 per
// double, little-endian) and read as blocks first.
//
// Every operation answers true on success. A getter changes its output only
// on success: a failed read (no store, absent key, malformed value) leaves
// the caller's value as it was. Texts, arrays and blocks are handed out in
// containers the caller owns.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/win/CString.h"
#include "platform/win/WinTypes.h"

class ini_store {
 public:
  ini_store() = default;
  virtual ~ini_store() = default;
  ini_store(const ini_store&) = delete;
  ini_store& operator=(const ini_store&) = delete;

  bool textMode() const { return textMode_; }
  void setTextMode(bool on) { textMode_ = on; }

  // Releases what the store is opened on.
  virtual void close() = 0;

  // A stored 4-byte block, or a text that is wholly a base-10 integer of 32
  // bits ("12x", "" and "99999999999" fail).
  virtual bool getInt(LPCWSTR key, std::int32_t& value);
  virtual bool writeInt(LPCWSTR key, std::int32_t value);

  // A block whose size is a multiple of 4, or a text of integers each
  // followed by ';' or the end ("1;2;" gives two values, "1,2" fails, an
  // empty text gives no values).
  virtual bool getIntArray(LPCWSTR key, std::vector<std::int32_t>& values);
  virtual bool writeIntArray(LPCWSTR key, std::span<const std::int32_t> values);

  // getInt: any non-zero integer is true.
  virtual bool getBool(LPCWSTR key, bool& value);
  virtual bool writeBool(LPCWSTR key, bool value);

  // A stored 8-byte block, or a text that is wholly a floating-point number.
  virtual bool getDouble(LPCWSTR key, double& value);
  virtual bool writeDouble(LPCWSTR key, double value);

  virtual bool getDoubleArray(LPCWSTR key, std::vector<double>& values);
  virtual bool writeDoubleArray(LPCWSTR key, std::span<const double> values);

  // The text of the key. What the default does is the back end's.
  virtual bool getString(LPCWSTR key, CString& text, LPCWSTR defaultValue = nullptr) = 0;
  virtual bool writeString(LPCWSTR key, LPCWSTR text) = 0;

  // Strings are kept as one byte block under key + "_UNICODE": each string
  // in UTF-16 followed by a 16-bit zero (a last string may end at the block's
  // end). An empty array is an empty block, so a cleared list stays cleared.
  virtual bool getStringArray(LPCWSTR key, std::vector<CString>& strings);
  virtual bool writeStringArray(LPCWSTR key, std::span<const CString> strings);

  virtual bool getBinary(LPCWSTR key, std::vector<BYTE>& bytes) = 0;
  virtual bool writeBinary(LPCWSTR key, std::span<const BYTE> bytes) = 0;

  // Copies the block into `buffer`, at most `size` bytes, and sets `size` to
  // the number of bytes copied. False for a null buffer or a zero size, and
  // for back ends that do not offer it.
  virtual bool getBinaryInto(LPCWSTR key, void* buffer, DWORD& size);

 private:
  // The value's text and block, read in the order text mode gives; false
  // when neither form is present.
  template <typename Value, typename Parse>
  bool getScalar(LPCWSTR key, Value& value, Parse parse);
  template <typename Value, typename Parse>
  bool getArray(LPCWSTR key, std::vector<Value>& values, Parse parse);

  bool textMode_ = true;
};

// The key under which a string array is kept.
CString stringArrayKey(LPCWSTR key);
