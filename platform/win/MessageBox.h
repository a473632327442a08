// Message boxes without a screen: each box is logged with its thread,
// owner, caption, text, flags and the number of the string its text came
// from, echoed to stderr, and answered at once.
// Boxes may come from any thread; none ever blocks. The answer is IDOK
// unless a test has queued another one.
#pragma once

#include "platform/win/WinTypes.h"

#include <functional>
#include <string>
#include <vector>

// A null caption reads "Error", as on Windows; a null text is empty.
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT flags);

// The same with narrow texts in code page 1250.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);

struct HvMessageBoxRecord {
  DWORD threadId = 0;
  HWND owner = nullptr;
  std::u16string caption;
  std::u16string text;
  UINT flags = 0;
  int answer = 0;
  // The string table number of the text when the showing thread loaded it
  // from a string table (hvLoadedStringNumber); 0 for a text of no string.
  UINT stringNumber = 0;
};

// The boxes shown so far, oldest first (the newest 10000 are kept).
std::vector<HvMessageBoxRecord> hvMessageBoxLog();

// Empties the log and drops answers still queued.
void hvClearMessageBoxLog();

// Queues the answer of a coming box; boxes take queued answers in order.
void hvQueueMessageBoxAnswer(int answer);

// Turns the stderr echo on (the default) or off.
void hvSetMessageBoxEcho(bool enabled);

// Calls `listener` (may be empty) for every box after it is logged, on the
// thread that raised it; a host can write boxes to its own log this way.
void hvSetMessageBoxListener(std::function<void(const HvMessageBoxRecord&)> listener);
