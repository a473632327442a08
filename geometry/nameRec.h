// A named entry of the shared library's readers: a name, a text and two
// numbers (zero by default).
#pragma once

#include "platform/win/CString.h"

#include <cstdint>

struct nameRec {
  CString name;
  CString text;
  std::int64_t values[2] = {0, 0};
};
