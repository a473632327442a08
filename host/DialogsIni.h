// The file that keeps the resizable dialogs' positions and splitter layouts
// per monitor configuration: "dialogs.ini" in a folder the caller chooses.
#pragma once

#include "platform/win/CString.h"
#include "platform/win/WinTypes.h"

inline constexpr const WCHAR* dialogsIniName = u"dialogs.ini";

// Strips trailing '/' and '\' from `folder`, creates it with every missing
// parent, and sets `layoutFile` to folder + "\" + "dialogs.ini". An empty
// folder changes nothing (true); a folder that cannot be created leaves
// `layoutFile` as it was (false, with the system error in GetLastError).
bool setDialogsIniFolder(CString& layoutFile, LPCWSTR folder);
