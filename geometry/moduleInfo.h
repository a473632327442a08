// Where a module's files are and what version it is: the common
// program-files folder with a sub-path, a module's own folder and the file
// and product versions of its version resource.
//
// Any thread (the module registry and the shell folders lock for
// themselves).
#pragma once

#include <cstddef>

#include "platform/win/WinTypes.h"

// The common program-files folder (CSIDL 43) followed by `sub` as given (no
// separator added) into `buffer` of `size` units. E_FAIL for a null buffer
// or a size below 260, and when the whole with its terminator does not fit
// (the folder alone is then left in the buffer); a failing folder lookup's
// answer unchanged; else S_OK.
HRESULT commonFilesSubPath(char16_t* buffer, std::size_t size, const char16_t* sub);

// The folder of the module's file (GetModuleFileNameW) into `buffer` of
// `size` units: the path cut at its last '\' or '/', or just behind it with
// `keepSeparator`. Answers the cut position ("C:\Host\X.DLL": 7, or 8 with
// the separator). 0 with an empty buffer for a path without a separator, a
// module that is not loaded, or a path that does not fit the buffer.
std::size_t moduleFolder(HMODULE module, char16_t* buffer, DWORD size, bool keepSeparator);

// The file (product) version of the module: major, minor, build and
// revision, each output optional. False, outputs untouched, when the module
// is not loaded or has no version resource.
bool moduleFileVersion(HMODULE module, WORD* major, WORD* minor, WORD* build, WORD* revision);
bool moduleProductVersion(HMODULE module, WORD* major, WORD* minor, WORD* build, WORD* revision);
