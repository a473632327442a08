// Where the shared library's failure reports go. A report is a notice handed
// to one process-wide sink. The default sink never blocks: on the host's
// thread it shows the report as a message box (owned by the active window,
// with a pending quit request kept aside and posted again afterwards); on
// any other thread it only logs it, as a notice without owner or modality.
// Both end in the message-box log and on standard error through the Windows
// stand-in. Tests capture reports by putting their own sink in place.
#pragma once

#include "platform/win/WinTypes.h"

#include <functional>
#include <string>

struct hvFailureNotice {
  DWORD threadId = 0;        // the reporting thread
  bool hostThread = false;   // reported on the host's thread
  bool ownedByActiveWindow = false;  // a box would be owned by the active window
  std::u16string caption;
  std::u16string text;
  UINT flags = 0;            // the flags of the message box on the host's thread
};

// Answers what a message box would answer (IDOK when nothing was asked).
using hvFailureNoticeSink = std::function<int(const hvFailureNotice&)>;

// Puts `sink` in place (an empty one restores the default) and answers the
// sink it replaced (empty when that was the default).
hvFailureNoticeSink hvSetFailureNoticeSink(hvFailureNoticeSink sink);

// The thread that may show reports as boxes: by default the thread that
// loaded the library; 0 makes every thread a worker.
void hvSetFailureHostThread(DWORD threadId);
DWORD hvFailureHostThread();

// Hands a report to the sink from the calling thread; answers the sink's answer.
int hvDeliverFailureNotice(std::u16string caption, std::u16string text, UINT flags,
                           bool ownedByActiveWindow);
