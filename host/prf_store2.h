// The status-reporting store over one section of a private profile file.
// Texts are kept escaped (ProfileTextForms.h: a blank is "\2000", a
// backslash "\\"), byte blocks as checked hex blocks of at most
// checkedHexBlockMax bytes. An empty file or section makes the store
// unavailable: every operation answers storeStatus::failed.
#pragma once

#include "host/ini_store2.h"

class prf_store2 : public ini_store2 {
 public:
  prf_store2() = default;
  prf_store2(LPCWSTR file, LPCWSTR section) : file_(file), section_(section) {}

  bool isAvailable() const { return !file_.IsEmpty() && !section_.IsEmpty(); }
  const CString& file() const { return file_; }
  const CString& section() const { return section_; }
  void setFile(LPCWSTR file) { file_ = file; }
  void setSection(LPCWSTR section) { section_ = section; }

  // ok with the unescaped text when the key is present (a value that is
  // literally "#INVALID#" included), empty when absent.
  int getString(LPCWSTR key, CString& text, storeError* error = nullptr) override;
  int writeString(LPCWSTR key, LPCWSTR text, storeError* error = nullptr) override;
  // badForm when the value is no checked hex block.
  int getBinary(LPCWSTR key, std::vector<BYTE>& bytes, storeError* error = nullptr) override;
  // Blocks over checkedHexBlockMax bytes could never be read back: refused
  // with storeStatus::failed (the error record tells an invalid parameter).
  int writeBinary(LPCWSTR key, std::span<const BYTE> bytes, storeError* error = nullptr) override;

 private:
  // The raw profile text; ok, empty (absent) or failed (unavailable).
  int readRaw(LPCWSTR key, CString& text, storeError* error) const;
  int writeRaw(LPCWSTR key, LPCWSTR text, storeError* error) const;
  int unavailable(storeError* error) const;
  void reportWriteFailure(LPCWSTR key, DWORD osError, storeError* error) const;

  CString file_;
  CString section_;
};
