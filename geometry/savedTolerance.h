// Keeps the calling thread's geometry tolerance (XtGeContext::gTol) while a
// routine replaces it, and writes it back when the routine is left by any
// way, exceptions included. The tolerance is per thread, so the object must
// end on the thread that made it.
#pragma once

#include "platform/ge/XtGeContext.h"
#include "platform/ge/XtGeTol.h"

class savedTolerance {
 public:
  savedTolerance() : m_saved(XtGeContext::gTol) {}
  ~savedTolerance() { XtGeContext::gTol = m_saved; }
  savedTolerance(const savedTolerance&) = delete;
  savedTolerance& operator=(const savedTolerance&) = delete;

  const XtGeTol& saved() const { return m_saved; }

 private:
  XtGeTol m_saved;
};
