// A text with an optional list of strings. Assignment copies the text and
// replaces the list by a copy of the other's (none when the other has none).
#pragma once

#include "platform/win/CString.h"
#include "platform/win/FrameworkArrays.h"

#include <memory>

struct stringListRec {
  stringListRec() = default;
  stringListRec(const stringListRec& other) { *this = other; }
  stringListRec(stringListRec&&) noexcept = default;
  stringListRec& operator=(const stringListRec& other);
  stringListRec& operator=(stringListRec&&) noexcept = default;

  CString text;
  std::unique_ptr<CStringArray> strings;
};
