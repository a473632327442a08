// The mapping of Linux errno values onto Windows system errors for the file
// services (CFileException::OsErrorToException turns these into causes).
#pragma once

#include "platform/win/WinTypes.h"

// The system error for a failed file operation: ENOENT 2, ENOTDIR 3,
// EACCES/EPERM/EROFS/EISDIR 5, ENOSPC 112, EMFILE/ENFILE 4, EEXIST 183, anything else the errno
// value itself. A missing folder (ERROR_PATH_NOT_FOUND) is told apart from a
// missing file by the caller, which knows the path.
DWORD hvSystemErrorFromErrno(int errnoValue);

