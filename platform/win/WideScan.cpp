#include "platform/win/WideScan.h"

#include "platform/win/NumberParse.h"

#include <cstdlib>
#include <string>

namespace {

bool isCSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// The ASCII units at `p`, at most `width` of them (0: no limit).
std::string asciiField(LPCWSTR p, int width) {
  std::string field;
  for (; *p != 0 && *p < 0x80 && (width == 0 || static_cast<int>(field.size()) < width); ++p)
    field += static_cast<char>(*p);
  return field;
}

}  // namespace

void HvScanTarget::storeInteger(unsigned long long bits) const {
  switch (kind_) {
    case Kind::Int: *static_cast<int*>(p_) = static_cast<int>(bits); break;
    case Kind::UInt: *static_cast<unsigned*>(p_) = static_cast<unsigned>(bits); break;
    case Kind::LongLong:
      if (isLong_) *static_cast<long*>(p_) = static_cast<long>(bits);
      else *static_cast<long long*>(p_) = static_cast<long long>(bits);
      break;
    case Kind::ULongLong: *static_cast<unsigned long long*>(p_) = bits; break;
    default: break;
  }
}

void HvScanTarget::storeFloating(double value) const {
  if (kind_ == Kind::Double) *static_cast<double*>(p_) = value;
  else if (kind_ == Kind::Float) *static_cast<float*>(p_) = static_cast<float>(value);
}

int hvScanArgs(LPCWSTR text, LPCWSTR format, std::span<const HvScanTarget> targets) {
  if (!text || !format) return -1;
  LPCWSTR in = text;
  int stored = 0;
  bool converted = false;  // any conversion attempted with input present
  std::size_t next = 0;
  for (LPCWSTR f = format; *f;) {
    if (isCSpace(*f)) {
      while (isCSpace(*f)) ++f;
      while (isCSpace(*in)) ++in;
      continue;
    }
    if (*f != u'%' || f[1] == u'%') {
      const char16_t expected = *f;
      f += (*f == u'%') ? 2 : 1;
      if (expected == u'%') {
        while (isCSpace(*in)) ++in;
      }
      if (*in == 0) return converted ? stored : -1;
      if (*in != expected) return stored;
      ++in;
      continue;
    }
    ++f;
    const bool skip = *f == u'*';
    if (skip) ++f;
    int width = 0;
    while (*f >= u'0' && *f <= u'9' && width < 100000) width = width * 10 + (*f++ - u'0');
    while (*f == u'l' || *f == u'h' || *f == u'L' || *f == u'I' || *f == u'6' || *f == u'4' ||
           *f == u'z' || *f == u'j')
      ++f;
    const char16_t conversion = *f;
    if (conversion == 0) return stored;
    ++f;
    int base;
    bool floating = false;
    switch (conversion) {
      case u'd': case u'u': base = 10; break;
      case u'i': base = 0; break;
      case u'o': base = 8; break;
      case u'x': case u'X': base = 16; break;
      case u'e': case u'E': case u'f': case u'F': case u'g': case u'G': case u'a': case u'A':
        base = 0;
        floating = true;
        break;
      default: return stored;  // conversions this reader does not offer
    }
    while (isCSpace(*in)) ++in;
    if (*in == 0) return converted ? stored : -1;
    converted = true;
    const std::string field = asciiField(in, width);
    char* stop = nullptr;
    unsigned long long bits = 0;
    double value = 0;
    if (floating) {
      value = strtod_l(field.c_str(), &stop, hvCLocale());
    } else if (field.starts_with('-')) {
      bits = static_cast<unsigned long long>(strtoll_l(field.c_str(), &stop, base, hvCLocale()));
    } else {
      bits = strtoull_l(field.c_str(), &stop, base, hvCLocale());
    }
    if (stop == field.c_str()) return stored;  // no number here
    in += stop - field.c_str();
    if (skip) continue;
    if (next >= targets.size()) return stored;
    const HvScanTarget& target = targets[next++];
    if (target.isInteger() == floating) return stored;
    if (floating) target.storeFloating(value);
    else target.storeInteger(bits);
    ++stored;
  }
  return stored;
}
