// Automation values. Four types occur: empty, 32-bit integer, double and text.
// A VARIANT owns its text; VariantClear frees it.
#pragma once

#include "platform/win/Bstr.h"
#include "platform/win/WinTypes.h"

using VARTYPE = unsigned short;
using USHORT = unsigned short;

enum VARENUM : VARTYPE {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I4 = 3,
  VT_R8 = 5,
  VT_BSTR = 8,
};

struct VARIANT {
  VARTYPE vt;
  WORD wReserved1;
  WORD wReserved2;
  WORD wReserved3;
  union {
    LONG lVal;
    double dblVal;
    BSTR bstrVal;
    LONGLONG llVal;
  };
};
using VARIANTARG = VARIANT;
using LPVARIANT = VARIANT*;

#define V_VT(v) ((v)->vt)
#define V_I4(v) ((v)->lVal)
#define V_R8(v) ((v)->dblVal)
#define V_BSTR(v) ((v)->bstrVal)

constexpr HRESULT DISP_E_BADVARTYPE = static_cast<HRESULT>(0x80020008u);

// Makes the value empty without looking at what it held.
void VariantInit(VARIANT* value);

// Frees what the value holds and makes it empty. DISP_E_BADVARTYPE for a type
// other than the four (the value is left as it was).
HRESULT VariantClear(VARIANT* value);

// Clears `destination` and makes it a copy of `source` (texts are copied).
// E_OUTOFMEMORY when a text cannot be copied; the destination is then empty.
HRESULT VariantCopy(VARIANT* destination, const VARIANT* source);

// Converts `source` to `type` into `destination` (which may be `source`).
// VT_R8: empty → 0.0; a double as it is (NaN and infinities included); an
// integer → its value; a text → its number read in the "C" convention
// (DISP_E_TYPEMISMATCH when it is none, DISP_E_OVERFLOW when out of range).
// VT_EMPTY: always empty. The same type: a copy. Everything else, and VT_NULL,
// gives DISP_E_TYPEMISMATCH. On failure the destination is unchanged.
HRESULT VariantChangeType(VARIANT* destination, const VARIANT* source, USHORT flags, VARTYPE type);

// A number from text as VariantChangeType reads it: blanks around, an optional
// sign, digits with an optional decimal point and exponent.
HRESULT VarR8FromStr(LPCOLESTR text, LCID locale, ULONG flags, double* result);

// The value as a double by the rules of VariantChangeType to VT_R8; throws
// COleException with the failure code.
double hvVariantToDouble(const VARIANT& value);
