// The framework's exceptions. They are thrown by value and caught by reference.
// Allocation failures are std::bad_alloc (the framework's memory and resource
// exceptions).
#pragma once

#include "platform/win/WinTypes.h"

#include <exception>
#include <string>

class CException : public std::exception {
 public:
  const char* what() const noexcept override { return "framework exception"; }
};

// An automation or system failure with its result code.
class COleException : public CException {
 public:
  explicit COleException(HRESULT code) noexcept;
  const char* what() const noexcept override { return message_; }

  HRESULT m_sc;

 private:
  char message_[48];
};

// Throws COleException(code).
[[noreturn]] void AfxThrowOleException(HRESULT code);

// Nothing for a success code; std::bad_alloc for E_OUTOFMEMORY; otherwise
// COleException(code).
void AfxCheckError(HRESULT code);

// A file failure, classified by cause.
class CFileException : public CException {
 public:
  enum {
    none = 0,
    genericException = 1,
    fileNotFound = 2,
    badPath = 3,
    tooManyOpenFiles = 4,
    accessDenied = 5,
    invalidFile = 6,
    removeCurrentDir = 7,
    directoryFull = 8,
    badSeek = 9,
    hardIO = 10,
    sharingViolation = 11,
    lockViolation = 12,
    diskFull = 13,
    endOfFile = 14,
  };

  explicit CFileException(int cause = none, LONG osError = -1, const WCHAR* fileName = nullptr);
  const char* what() const noexcept override { return "file exception"; }

  // The cause for a system error code; genericException for codes without
  // a cause of their own.
  static int OsErrorToException(LONG osError);

  int m_cause;
  LONG m_lOsError;
  std::u16string m_strFileName;
};
