// A list of numbers as one settings text: "[a|b|...]", each value written with
// "%f" (six decimals), decimal point '.' whatever the process locale is. The
// settings keep the KV table ("KV_TABLE" of "FH_CONSTANTS") in this form.
#pragma once

#include "platform/win/CString.h"

#include <span>
#include <vector>

// "[" + the values joined by "|" + "]"; "[]" for none. A value that is not
// finite is written "0".
CString doubleArrayToText(std::span<const double> values);

// Reads a text of that form. It must begin with "["; the characters between
// the first and the last are read as values separated by "|", each value its
// leading decimal number (0 when it has none); a value before a "|" must not
// be empty, a last value may be ("[1|]" gives {1}). True, and `values`
// replaced, only when the text also ends with "]"; otherwise false and
// `values` as it was.
bool doubleArrayFromText(const CString& text, std::vector<double>& values);
