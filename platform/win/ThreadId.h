// Thread identifiers: 32-bit, non-zero and unique among live threads. A thread
// created through the platform layer gets its id before it runs; any other
// thread gets one the first time it asks.
#pragma once

#include "platform/win/WinTypes.h"

DWORD GetCurrentThreadId();

// Reserves a fresh id for a thread that is about to be created.
DWORD hvAllocateThreadId();

// Makes `id` the calling thread's id. Called first thing on a new thread.
void hvAdoptThreadId(DWORD id);
