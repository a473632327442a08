#include "heating/curves/VariantValue.h"

#include "platform/win/Exceptions.h"

#include <cmath>
#include <iterator>
#include <limits>

namespace {

// A new VARIANT holding a copy of `source`; a failing copy throws.
VARIANT copyOf(const VARIANT& source) {
  VARIANT copy;
  VariantInit(&copy);
  const HRESULT result = VariantCopy(&copy, &source);
  if (result < 0) AfxThrowOleException(result);
  return copy;
}

VARIANT doubleValue(double d) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_R8;
  value.dblVal = d;
  return value;
}

// The common rule of sum, difference and product.
template <typename Op>
VARIANT combine(const VARIANT& a, const VARIANT& b, Op op) {
  VARIANT result = copyOf(a);
  if (variantValueIsValid(a) && b.vt == VT_R8) result.dblVal = op(a.dblVal, b.dblVal);
  return result;
}

}  // namespace

bool variantValueIsValid(const VARIANT& value) {
  return value.vt == VT_R8 && std::isfinite(value.dblVal);
}

VARIANT variantValueAdd(const VARIANT& a, const VARIANT& b) {
  return combine(a, b, [](double x, double y) { return x + y; });
}

VARIANT variantValueSub(const VARIANT& a, const VARIANT& b) {
  return combine(a, b, [](double x, double y) { return x - y; });
}

VARIANT variantValueMul(const VARIANT& a, const VARIANT& b) {
  return combine(a, b, [](double x, double y) { return x * y; });
}

VARIANT variantValueDiv(const VARIANT& a, const VARIANT& b) {
  VARIANT result = copyOf(a);
  if (!variantValueIsValid(a)) return result;
  if (b.vt != VT_R8) {
    result.dblVal = kVariantValueNaN;
    return result;
  }
  switch (std::fpclassify(b.dblVal)) {
    case FP_ZERO: result.dblVal = std::numeric_limits<double>::infinity(); break;
    case FP_NAN: result.dblVal = kVariantValueNaN; break;
    case FP_INFINITE: result.dblVal = 0.0; break;
    default: result.dblVal = a.dblVal / b.dblVal; break;
  }
  return result;
}

void variantValueAddInPlace(VARIANT& value, double d) {
  if (variantValueIsValid(value)) value.dblVal += d;
}

VARIANT variantValueSqrt(const VARIANT& value) {
  if (variantValueIsValid(value) && value.dblVal > 0.0) return doubleValue(std::sqrt(value.dblVal));
  return doubleValue(0.0);
}

VARIANT variantValueTanh(const VARIANT& value) {
  if (value.vt != VT_R8) return doubleValue(kVariantValueNaN);
  VARIANT result = copyOf(value);
  const double x = value.dblVal;
  if (std::isnan(x)) {
    result.dblVal = kVariantValueNaN;
  } else if (std::isinf(x)) {
    result.dblVal = x < 0.0 ? -1.0 : 1.0;
  } else {
    result.dblVal = std::tanh(x);
  }
  return result;
}

bool variantValueNear(const VARIANT& value, double x, double tol) {
  return variantValueIsValid(value) && std::fabs(x - value.dblVal) < tol;
}

bool variantValueGreater(const VARIANT& value, double x, double tol) {
  return variantValueIsValid(value) && value.dblVal > x + tol;
}

bool variantValueGreaterScaled(const VARIANT& a, const VARIANT& b, double k) {
  return variantValueIsValid(a) && variantValueIsValid(b) && a.dblVal > k * b.dblVal;
}

double variantValueToDouble(const VARIANT& value) {
  if (value.vt == VT_R8) return std::isfinite(value.dblVal) ? value.dblVal : 0.0;
  return hvVariantToDouble(value);
}

const CString& formatPercent(const VARIANT& value, CString& out) {
  if (variantValueIsValid(value)) {
    out.Format(u"%.2lf %s", value.dblVal * 100.0, u"%");
  } else {
    out.Format(u"0 %s", u"%");
  }
  return out;
}

const CString& formatValueDecimals(const VARIANT& value, CString& out, double factor, int decimals) {
  static constexpr LPCWSTR kFormats[] = {u"%.0lf", u"%.1lf", u"%.2lf", u"%.3lf", u"%.4lf"};
  const bool valid = variantValueIsValid(value);
  const double scaled = valid ? value.dblVal * factor : 0.0;
  if (!valid || !std::isfinite(scaled)) {
    out = u"0";
    return out;
  }
  const bool listed = decimals >= 0 && decimals < static_cast<int>(std::size(kFormats));
  out.Format(listed ? kFormats[decimals] : u"%lf", scaled);
  return out;
}

const CString& formatValue(const VARIANT& value, CString& out, int decimals) {
  return formatValueDecimals(value, out, 1.0, decimals);
}
