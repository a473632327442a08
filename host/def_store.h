// A profile store for default values: a primary (file, section) pair, a
// fallback pair for defaults, and the pair `open` sets. A pair is usable
// when both of its names are set.
//
//   getString    primary, then fallback, then the caller's default
//   getBinary    primary, then the opened pair
//   writeBinary  primary, then the opened pair when the first write fails
//   writeString  primary only: a write never goes to a pair no caller chose
//                as its target
#pragma once

#include "host/prf_store.h"

class def_store : public prf_store {
 public:
  // Null names leave their part of a pair unset.
  explicit def_store(LPCWSTR primaryFile = nullptr, LPCWSTR primarySection = nullptr,
                     LPCWSTR fallbackFile = nullptr, LPCWSTR fallbackSection = nullptr);
  ~def_store() override;

  // Forgets the primary and fallback pairs, then sets the primary pair to
  // (primaryFile, section) and the fallback pair to (fallbackFile, section),
  // keeping a copy of each name that is given.
  void setPaths(LPCWSTR primaryFile, LPCWSTR fallbackFile, LPCWSTR section);

  // Forgets all three pairs.
  void close() override;

  const CString& primaryFile() const { return primaryFile_; }
  const CString& primarySection() const { return primarySection_; }
  const CString& fallbackFile() const { return fallbackFile_; }
  const CString& fallbackSection() const { return fallbackSection_; }

  // The value from the primary pair, else from the fallback pair; when
  // neither holds the key, `defaultValue` when one is given other than the
  // marker "$EMPTY$" (true), else false.
  bool getString(LPCWSTR key, CString& text, LPCWSTR defaultValue = nullptr) override;
  // False when the primary pair is not usable.
  bool writeString(LPCWSTR key, LPCWSTR text) override;
  bool getBinary(LPCWSTR key, std::vector<BYTE>& bytes) override;
  bool writeBinary(LPCWSTR key, std::span<const BYTE> bytes) override;

 private:
  void clearPairs();

  CString primaryFile_;
  CString primarySection_;
  CString fallbackFile_;
  CString fallbackSection_;
};
