// Five text fields and a value, copied together.
#pragma once

#include "platform/win/CString.h"

#include <cstdint>

struct textFieldsRec {
  CString fields[5];
  std::int64_t value = 0;
};
