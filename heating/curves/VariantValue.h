// Numeric values that may be empty. The heating calculation keeps every
// quantity that may be missing (an input not yet entered, a result whose
// computation failed) in a VARIANT. Such a value is valid only when it is of
// type VT_R8 and its double is finite (normal, denormal or a zero of either
// sign); anything else (VT_EMPTY, another type, a NaN or an infinity) is empty.
//
// The two-operand operations start from a copy of the left operand, so an
// empty left operand stays empty, of whatever type it was. Every VARIANT they
// return is new and owned by the caller, who clears it with VariantClear.
// A copy that fails throws COleException with the failure code.
#pragma once

#include "platform/win/CString.h"
#include "platform/win/Variant.h"

#include <bit>
#include <cstdint>

// The NaN the operations produce: quiet, sign bit set (0xFFF8000000000000).
inline constexpr std::uint64_t kVariantValueNaNBits = 0xFFF8000000000000ull;
inline constexpr double kVariantValueNaN = std::bit_cast<double>(kVariantValueNaNBits);

// True when the value is VT_R8 and its double is finite.
bool variantValueIsValid(const VARIANT& value);

// A copy of a; when a is valid and b is VT_R8 the copy's double becomes
// a + b, a - b or a x b. The right operand is not tested for finiteness: an
// infinite b gives an infinite (so empty) result.
VARIANT variantValueAdd(const VARIANT& a, const VARIANT& b);
VARIANT variantValueSub(const VARIANT& a, const VARIANT& b);
VARIANT variantValueMul(const VARIANT& a, const VARIANT& b);

// A copy of a when a is not valid. Otherwise the divisor decides, tested in
// this order: b not VT_R8 gives NaN; b equal to +0 or -0 gives +infinity; b a
// NaN gives NaN; b equal to +infinity or -infinity gives 0.0; any other b
// gives a / b.
VARIANT variantValueDiv(const VARIANT& a, const VARIANT& b);

// Adds d to the value's double when the value is valid; otherwise nothing.
void variantValueAddInPlace(VARIANT& value, double d);

// A new VT_R8: the square root when the value is valid and above 0, else 0.0.
VARIANT variantValueSqrt(const VARIANT& value);

// A copy of a VT_R8 value whose double is tanh(x) for a finite x, -1.0 for
// -infinity and 1.0 for +infinity, NaN for a NaN. A value of another type gives
// a new VT_R8 NaN (the type's own payload, such as a text, is never reused as
// a double).
VARIANT variantValueTanh(const VARIANT& value);

// Valid and abs(x - value) < tol.
bool variantValueNear(const VARIANT& value, double x, double tol);

// Valid and value > x + tol.
bool variantValueGreater(const VARIANT& value, double x, double tol);

// Both valid and a > k x b.
bool variantValueGreaterScaled(const VARIANT& a, const VARIANT& b, double k);

// The value as a double: 0.0 for VT_EMPTY and for a VT_R8 that is a NaN or an
// infinity; other types are converted as VariantChangeType does (an integer,
// the number of a text). A conversion that fails throws COleException.
double variantValueToDouble(const VARIANT& value);

// Formatting for the dialogs and tables, always with a decimal point whatever
// the process locale is. Each writes `out` and answers it.
//
// Valid: "%.2lf %s" with value x 100 and "%" ("12.34 %"); empty: "0 %".
const CString& formatPercent(const VARIANT& value, CString& out);

// Valid: value x factor with "%.0lf" to "%.4lf" for 0 to 4 decimals and "%lf"
// for any other count; empty, or a product that is no longer finite: "0".
const CString& formatValueDecimals(const VARIANT& value, CString& out, double factor, int decimals);

// formatValueDecimals with the factor 1.0.
const CString& formatValue(const VARIANT& value, CString& out, int decimals);
