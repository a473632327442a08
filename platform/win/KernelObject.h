// Kernel-object handles (threads and events): closing them and waiting on them.
// A handle is one reference to its object; the object lives while a handle or
// its own running thread refers to it. A thread handle becomes signalled when
// the thread has ended and stays usable until it is closed.
#pragma once

#include "platform/win/WinTypes.h"

#include <cstddef>

constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;

using LPHANDLE = HANDLE*;

constexpr DWORD DUPLICATE_CLOSE_SOURCE = 0x1;
constexpr DWORD DUPLICATE_SAME_ACCESS = 0x2;

// The pseudo handle of the calling process: the only process there is here.
// It needs no closing, and CloseHandle refuses it as no kernel object.
HANDLE GetCurrentProcess();

// Opens a second handle to the object behind `source`, so that a holder can
// keep, wait on and close a reference of its own. Both process handles must
// be GetCurrentProcess(); access and inheritance are not modelled.
// DUPLICATE_CLOSE_SOURCE also closes `source` (even when the duplicate cannot
// be written). FALSE (ERROR_INVALID_HANDLE) for an unknown or closed source or
// another process, (ERROR_INVALID_PARAMETER) for a null target.
BOOL DuplicateHandle(HANDLE sourceProcess, HANDLE source, HANDLE targetProcess, LPHANDLE target,
                     DWORD desiredAccess, BOOL inheritHandle, DWORD options);

// Closes one handle. FALSE (ERROR_INVALID_HANDLE) for an unknown or closed one.
// Closing the handle of a running thread is safe; the thread runs on.
BOOL CloseHandle(HANDLE handle);

// WAIT_OBJECT_0 when the object is signalled, WAIT_TIMEOUT when `timeoutMs`
// passes first (0 only tests), WAIT_FAILED for an unknown or closed handle.
// A successful wait on an auto-reset event resets it.
DWORD WaitForSingleObject(HANDLE handle, DWORD timeoutMs);

// Waits for any (waitAll FALSE: WAIT_OBJECT_0 + the lowest signalled index) or
// all (WAIT_OBJECT_0) of `count` handles, at most `timeoutMs`. WAIT_FAILED for
// a count of 0 or above MAXIMUM_WAIT_OBJECTS, or any unknown or closed handle.
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD timeoutMs);

// Number of open kernel-object handles in the process, so that tests can
// check that every handle made was closed.
std::size_t hvOpenHandleCount();
