// The library's global context: the tolerance used where a caller gives none.
#pragma once

#include "platform/ge/XtGeTol.h"

struct XtGeContext {
  // Each thread has its own copy, starting from the default tolerance
  // (1e-10, 1e-10). A thread that replaces it for a while (and restores it)
  // therefore never changes the tolerance that geometry on another thread
  // reads.
  static thread_local XtGeTol gTol;
};
