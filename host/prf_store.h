// The settings store over one section of a private profile file. Texts are
// kept as they are (raw); byte blocks as hex blocks (ProfileTextForms.h) of
// at most hexBlockMax bytes.
#pragma once

#include "host/ini_store.h"

class prf_store : public ini_store {
 public:
  prf_store() = default;
  ~prf_store() override;

  // Opens the store on `section` of `file` (a Windows path). Closes the
  // opened pair first; false (and closed) when either is null or empty.
  bool open(LPCWSTR file, LPCWSTR section);
  void close() override;

  bool isOpen() const { return !file_.IsEmpty() && !section_.IsEmpty(); }
  const CString& file() const { return file_; }
  const CString& section() const { return section_; }

  // The value as written, absent keys failing. The default is not used:
  // an absent key is told by the answer. A value that is literally "$EMPTY$"
  // reads as that text.
  bool getString(LPCWSTR key, CString& text, LPCWSTR defaultValue = nullptr) override;
  // A value the profile reader would change (blanks at either end, or one
  // enclosed in a pair of quotes) is written inside a pair of '"', which the
  // reader takes off again. A line break cannot be stored: false.
  bool writeString(LPCWSTR key, LPCWSTR text) override;
  bool getBinary(LPCWSTR key, std::vector<BYTE>& bytes) override;
  // Blocks over hexBlockMax bytes could never be read back: refused (false).
  bool writeBinary(LPCWSTR key, std::span<const BYTE> bytes) override;
  bool getBinaryInto(LPCWSTR key, void* buffer, DWORD& size) override;

 protected:
  // The same operations on an explicit (file, section) pair; an unusable
  // pair (either name empty) fails.
  static bool readStringAt(const CString& file, const CString& section, LPCWSTR key, CString& text);
  static bool writeStringAt(const CString& file, const CString& section, LPCWSTR key, LPCWSTR text);
  static bool readBinaryAt(const CString& file, const CString& section, LPCWSTR key, std::vector<BYTE>& bytes);
  static bool writeBinaryAt(const CString& file, const CString& section, LPCWSTR key,
                            std::span<const BYTE> bytes);

  // Forgets the opened pair only.
  void closeOpened();

 private:
  CString file_;
  CString section_;
};
