// Threads as kernel objects. A thread gets its id before it runs (the id that
// GetCurrentThreadId answers on it) and may be created suspended, so that the
// creator can record its handle and id first and then resume it.
#pragma once

#include "platform/win/KernelObject.h"
#include "platform/win/WinTypes.h"

using LPVOID = void*;
using LPDWORD = DWORD*;
struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID parameter);

// Starts `start(parameter)` on a new thread; with CREATE_SUSPENDED it waits for
// ResumeThread. The security attributes and stack size are ignored. `threadId`
// (may be null) receives the id before the thread can run. The handle is
// signalled when the entry has returned; its exit code is the entry's result.
// Null (ERROR_INVALID_PARAMETER, ERROR_NOT_ENOUGH_MEMORY) on failure.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                    LPVOID parameter, DWORD creationFlags, LPDWORD threadId);

// Lowers the suspend count by one and lets the thread run when it reaches 0.
// Answers the previous count, or 0xFFFFFFFF for a handle that is no thread.
DWORD ResumeThread(HANDLE thread);

// STILL_ACTIVE while the thread has not ended, then the entry's result.
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);

// The id of the thread behind a handle; 0 when the handle is no thread.
DWORD GetThreadId(HANDLE thread);

void Sleep(DWORD milliseconds);

// The exit code of a thread whose entry let an exception escape; the
// exception is reported on stderr instead of ending the process.
constexpr DWORD HV_THREAD_EXCEPTION_EXIT_CODE = 0xE06D7363u;
