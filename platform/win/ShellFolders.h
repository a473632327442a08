// Known folders of the shell. The stand-in knows the common program-files
// folder only, as a Windows path that the file services map through the
// drive table when it is used.
#pragma once

#include "platform/win/WinTypes.h"

constexpr int CSIDL_PROGRAM_FILES_COMMON = 43;
constexpr DWORD SHGFP_TYPE_CURRENT = 0;

// Writes the folder of `csidl` into `path` (MAX_PATH units): for
// CSIDL_PROGRAM_FILES_COMMON "C:\Program Files\Common Files" and S_OK; any
// other folder, or a null path, E_INVALIDARG. `owner`, `token` and `flags`
// are not used.
HRESULT SHGetFolderPathW(HWND owner, int csidl, HANDLE token, DWORD flags, LPWSTR path);

// Makes SHGetFolderPathW answer `code` without writing (S_OK: work again).
// For tests.
void hvSetShellFolderFailure(HRESULT code);
