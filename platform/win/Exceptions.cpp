#include "platform/win/Exceptions.h"

#include <cstdio>
#include <new>

COleException::COleException(HRESULT code) noexcept : m_sc(code) {
  std::snprintf(message_, sizeof message_, "OLE exception 0x%08X", static_cast<unsigned>(code));
}

void AfxThrowOleException(HRESULT code) { throw COleException(code); }

void AfxCheckError(HRESULT code) {
  if (code >= 0) return;
  if (code == E_OUTOFMEMORY) throw std::bad_alloc();
  throw COleException(code);
}

CFileException::CFileException(int cause, LONG osError, const WCHAR* fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName != nullptr ? fileName : u"") {}

int CFileException::OsErrorToException(LONG osError) {
  switch (osError) {
    case 0: return none;
    case 2: return fileNotFound;           // file not found
    case 3: return badPath;                // path not found
    case 4: return tooManyOpenFiles;       // too many open files
    case 5: return accessDenied;           // access denied
    case 6: return invalidFile;            // invalid handle
    case 15: return badPath;               // invalid drive
    case 16: return removeCurrentDir;      // the current directory
    case 18: return fileNotFound;          // no more files
    case 19: return accessDenied;          // write protected
    case 23: return hardIO;                // data error (CRC)
    case 25: return badSeek;               // seek error
    case 29: return accessDenied;          // write fault
    case 30: return badSeek;               // read fault
    case 32: return sharingViolation;      // sharing violation
    case 33: return lockViolation;         // lock violation
    case 38: return endOfFile;             // end of file
    case 39: return diskFull;              // disk full (handle)
    case 80: return accessDenied;          // file exists
    case 112: return diskFull;             // disk full
    case 123: return badPath;              // invalid name
    case 145: return removeCurrentDir;     // directory not empty
    case 161: return badPath;              // bad path name
    case 183: return accessDenied;         // already exists
    case 206: return badPath;              // name too long
    case 267: return badPath;              // not a directory
    default: return genericException;
  }
}
