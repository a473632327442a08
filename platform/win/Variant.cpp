#include "platform/win/Variant.h"

#include "platform/win/Exceptions.h"

#include <charconv>
#include <string>
#include <system_error>

namespace {

bool isBlank(OLECHAR c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

bool isKnownType(VARTYPE type) {
  return type == VT_EMPTY || type == VT_NULL || type == VT_I4 || type == VT_R8 || type == VT_BSTR;
}

// Checks the shape [sign] digits [. digits] [e [sign] digits] with at least one
// mantissa digit, and copies it without a leading '+' (which from_chars refuses).
bool numberText(const OLECHAR* begin, const OLECHAR* end, std::string& out) {
  const OLECHAR* p = begin;
  if (p != end && (*p == u'+' || *p == u'-')) {
    if (*p == u'-') out.push_back('-');
    ++p;
  }
  int digits = 0;
  bool point = false;
  for (; p != end && ((*p >= u'0' && *p <= u'9') || (*p == u'.' && !point)); ++p) {
    if (*p == u'.') {
      point = true;
    } else {
      ++digits;
    }
    out.push_back(static_cast<char>(*p));
  }
  if (digits == 0) return false;
  if (p != end && (*p == u'e' || *p == u'E')) {
    out.push_back('e');
    ++p;
    if (p != end && (*p == u'+' || *p == u'-')) out.push_back(static_cast<char>(*p++));
    int exponentDigits = 0;
    for (; p != end && *p >= u'0' && *p <= u'9'; ++p, ++exponentDigits) out.push_back(static_cast<char>(*p));
    if (exponentDigits == 0) return false;
  }
  return p == end;
}

}  // namespace

void VariantInit(VARIANT* value) {
  if (value == nullptr) return;
  value->vt = VT_EMPTY;
  value->wReserved1 = value->wReserved2 = value->wReserved3 = 0;
  value->llVal = 0;
}

HRESULT VariantClear(VARIANT* value) {
  if (value == nullptr) return E_INVALIDARG;
  if (!isKnownType(value->vt)) return DISP_E_BADVARTYPE;
  if (value->vt == VT_BSTR) SysFreeString(value->bstrVal);
  VariantInit(value);
  return S_OK;
}

HRESULT VariantCopy(VARIANT* destination, const VARIANT* source) {
  if (destination == nullptr || source == nullptr) return E_INVALIDARG;
  if (destination == source) return S_OK;
  if (!isKnownType(source->vt)) return DISP_E_BADVARTYPE;
  VARIANT copy = *source;
  if (source->vt == VT_BSTR && source->bstrVal != nullptr) {
    copy.bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
    if (copy.bstrVal == nullptr) {
      VariantClear(destination);
      return E_OUTOFMEMORY;
    }
  }
  const HRESULT cleared = VariantClear(destination);
  if (cleared < 0) {
    if (copy.vt == VT_BSTR) SysFreeString(copy.bstrVal);
    return cleared;
  }
  *destination = copy;
  return S_OK;
}

HRESULT VarR8FromStr(LPCOLESTR text, LCID, ULONG, double* result) {
  if (text == nullptr || result == nullptr) return E_INVALIDARG;
  const OLECHAR* begin = text;
  const OLECHAR* end = text;
  while (*end != u'\0') ++end;
  while (begin != end && isBlank(*begin)) ++begin;
  while (end != begin && isBlank(end[-1])) --end;
  std::string number;
  if (!numberText(begin, end, number)) return DISP_E_TYPEMISMATCH;
  double value = 0.0;
  const auto [last, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Underflow reads as zero; only a magnitude too large is refused.
    const auto e = number.find('e');
    if (e == std::string::npos || number[e + 1] != '-') return DISP_E_OVERFLOW;
    value = number[0] == '-' ? -0.0 : 0.0;
  } else if (error != std::errc() || last != number.data() + number.size()) {
    return DISP_E_TYPEMISMATCH;
  }
  *result = value;
  return S_OK;
}

HRESULT VariantChangeType(VARIANT* destination, const VARIANT* source, USHORT, VARTYPE type) {
  if (destination == nullptr || source == nullptr) return E_INVALIDARG;
  if (!isKnownType(source->vt)) return DISP_E_BADVARTYPE;
  if (type == source->vt) return VariantCopy(destination, source);
  if (type == VT_EMPTY) return VariantClear(destination);
  if (type != VT_R8) return DISP_E_TYPEMISMATCH;

  double number = 0.0;
  switch (source->vt) {
    case VT_EMPTY: break;
    case VT_I4: number = source->lVal; break;
    case VT_BSTR: {
      const HRESULT read = VarR8FromStr(source->bstrVal != nullptr ? source->bstrVal : u"", 0, 0, &number);
      if (read < 0) return read;
      break;
    }
    default: return DISP_E_TYPEMISMATCH;
  }
  const HRESULT cleared = VariantClear(destination);
  if (cleared < 0) return cleared;
  destination->vt = VT_R8;
  destination->dblVal = number;
  return S_OK;
}

double hvVariantToDouble(const VARIANT& value) {
  if (value.vt == VT_R8) return value.dblVal;
  VARIANT converted;
  VariantInit(&converted);
  AfxCheckError(VariantChangeType(&converted, &value, 0, VT_R8));
  return converted.dblVal;
}
