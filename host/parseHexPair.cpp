#include "host/parseHexPair.h"

namespace {

int digitValue(WCHAR c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Reads one number at `p`; false when there is none or it is too long.
bool readNumber(LPCWSTR& p, std::uint64_t& value) {
  value = 0;
  int digits = 0;
  for (int v = digitValue(*p); v >= 0; v = digitValue(*++p)) {
    if (++digits > 16) return false;
    value = value * 16 + static_cast<std::uint64_t>(v);
  }
  return digits > 0;
}

}  // namespace

bool parseHexPair(LPCWSTR text, hexPair& pair) {
  if (!text) return false;
  hexPair read;
  LPCWSTR p = text;
  if (!readNumber(p, read.first)) return false;
  if (*p == u'-') {
    ++p;
    if (!readNumber(p, read.second)) return false;
  }
  if (*p != 0) return false;
  pair = read;
  return true;
}
