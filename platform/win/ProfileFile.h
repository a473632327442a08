// Private profile files ("INI" files): sections in brackets, "key=value"
// lines. Names of sections and keys are compared without regard to case (the
// letters of code page 1250 included) and the first match wins. Lines without
// '=' and lines starting with ';' are ignored. Nothing is cached: every read
// looks at the file as it is now.
//
// Files are read in UTF-16LE (with its byte order mark), UTF-8 or code page
// 1250, and a write keeps the file's encoding and each line's line end; new
// files are UTF-8 without a byte order mark and get CR LF line ends. A value
// the file's encoding cannot hold turns the file into UTF-16LE, which holds
// everything, rather than losing characters.
//
// File names are Windows paths, converted by hvLinuxPath (WinPath.h).
#pragma once

#include "platform/win/WinTypes.h"

// Reads `key` of `section` into `out` (at most size - 1 units and a
// terminator) and answers the units copied. The value is the text after '='
// with blanks trimmed and one enclosing pair of '"' or '\'' removed. A key
// that is present with an empty value gives "". A missing file, section or
// key gives `defaultValue` (null: "") without its trailing blanks.
// A null `key` lists the keys of the section and a null `section` the
// sections of the file, each name followed by a zero and the list by another
// (cut short: size - 2 answered).
DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, LPWSTR out, DWORD size,
                               LPCWSTR fileName);

// The leading decimal integer of the value (clamped to 32 bits; a negative
// one wraps, so -1 gives 0xFFFFFFFF). A missing key or an empty value gives
// `defaultValue` unchanged; a value that does not start with a number gives 0.
UINT GetPrivateProfileIntW(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR fileName);

// Writes `key`=`value` into `section`, replacing the first matching key in
// place, or adding the key at the end of the section, or the section at the
// end of the file. A null `value` removes the key, a null `key` the section.
// The file is created when missing, but not its folder. Other lines are
// kept as they are. The file is replaced in one step, so a failed write
// leaves the old file whole.
// Fails (FALSE, with GetLastError) with ERROR_PATH_NOT_FOUND for a missing
// folder, ERROR_ACCESS_DENIED, ERROR_DISK_FULL and the like, and with
// ERROR_INVALID_PARAMETER (87) for a null file or section, and for a line
// break in any of the texts, a ']' in the section or an '=' in the key
// (which would corrupt the file).
BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR fileName);

// The same with narrow texts in code page 1250; `size` counts bytes.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out, DWORD size,
                               LPCSTR fileName);
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName);
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
