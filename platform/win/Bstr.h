// Automation strings: UTF-16 texts with their length stored before the first
// character and a terminating zero after the last.
#pragma once

#include "platform/win/WinTypes.h"

using OLECHAR = WCHAR;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using BSTR = OLECHAR*;

// A copy of the zero-terminated text; null for a null text or when memory is out.
BSTR SysAllocString(LPCOLESTR text);
// `length` units copied from `text`, or zeros when `text` is null.
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
// Frees a string made above; null is allowed.
void SysFreeString(BSTR text);
// Length in UTF-16 units; 0 for null.
UINT SysStringLen(BSTR text);
