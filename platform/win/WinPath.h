// Windows paths on the Linux filesystem. The module builds its paths the
// Windows way (backslashes, drive letters, "DAT" and "Dat" for one folder);
// the file services convert them here, at the filesystem boundary:
//   1. '\' becomes '/', and repeated separators collapse;
//   2. a drive prefix "X:" maps through the drive table (an unmapped drive
//      is the root folder);
//   3. each component that exists resolves without regard to case (the exact
//      spelling first, else the only match, else the first in sorted order);
//   4. from the first component that does not exist on, the spelling given
//      is kept.
#pragma once

#include "platform/win/WinTypes.h"

#include <filesystem>
#include <string_view>

constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

// The Linux path of a Windows path (UTF-16), or of a narrow one (code page
// 1250). A relative path stays relative to the working folder.
std::filesystem::path hvLinuxPath(std::u16string_view windowsPath);
std::filesystem::path hvLinuxPathFromNarrow(std::string_view windowsPath);

// Maps drive `letter` (either case) to `folder`; an empty folder removes the
// mapping.
void hvSetDriveFolder(WCHAR letter, const std::filesystem::path& folder);

// Creates the folder and every missing parent. True when the folder exists
// afterwards; otherwise false with the system error in GetLastError.
bool hvCreateDirectoryWithParents(LPCWSTR path);

// Creates one folder; its parent must exist (else ERROR_PATH_NOT_FOUND), and
// an existing one gives ERROR_ALREADY_EXISTS. `security` is not used.
BOOL CreateDirectoryW(LPCWSTR path, void* security);

// FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_NORMAL (with FILE_ATTRIBUTE_READONLY
// when the file cannot be written) or INVALID_FILE_ATTRIBUTES when there is
// nothing at the path.
DWORD GetFileAttributesW(LPCWSTR path);
