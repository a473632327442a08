// Events as kernel objects: manual-reset events stay signalled until reset;
// auto-reset events release one wait and reset themselves.
#pragma once

#include "platform/win/Threads.h"
#include "platform/win/WinTypes.h"

// Only unnamed events exist here; a name gives null (ERROR_INVALID_PARAMETER).
HANDLE CreateEventW(LPSECURITY_ATTRIBUTES security, BOOL manualReset, BOOL initialState, LPCWSTR name);
inline HANDLE CreateEvent(LPSECURITY_ATTRIBUTES security, BOOL manualReset, BOOL initialState, LPCWSTR name) {
  return CreateEventW(security, manualReset, initialState, name);
}

// FALSE (ERROR_INVALID_HANDLE) for a handle that is no event.
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
