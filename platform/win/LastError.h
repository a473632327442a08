// The calling thread's last-error code, as the Windows services set it.
#pragma once

#include "platform/win/WinTypes.h"

DWORD GetLastError();
void SetLastError(DWORD code);
