// A framework string array that splits a text at a separator.
#pragma once

#include "platform/win/FrameworkArrays.h"

class CSplitText : public CStringArray {
 public:
  // Empties the array, then adds each piece before an occurrence of
  // `separator` (empty pieces included) and the piece after the last one
  // when it is not empty. Answers the number of pieces; an empty or null
  // separator gives 0. split("a;;b;", ";") gives "a", "", "b".
  int split(const CString& text, LPCWSTR separator);
};
