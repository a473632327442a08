#include "host/ProfileTextForms.h"

#include <string>

namespace {

constexpr char16_t kUpperDigits[] = u"0123456789ABCDEF";

// The value of an upper-case hexadecimal digit (and of a lower-case one when
// `lower` allows it), or -1.
int hexValue(char16_t c, bool lower) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (lower && c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

bool isEscapedUnit(char16_t c) {
  if (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0xA0)) return true;  // controls, NBSP
  switch (c) {
    case 0x1680: case 0x2028: case 0x2029: case 0x202F: case 0x205F: case 0x3000: case 0xFEFF:
      return true;
    default:
      return c == u' ' || (c >= 0x2000 && c <= 0x200A);
  }
}

}  // namespace

CString encodeHexBlock(std::span<const BYTE> bytes) {
  std::u16string text;
  text.reserve(8 + 2 * bytes.size());
  const std::size_t count = bytes.size();
  for (int shift = 28; shift >= 0; shift -= 4) text += kUpperDigits[(count >> shift) & 0xF];
  for (const BYTE b : bytes) {
    text += kUpperDigits[b >> 4];
    text += kUpperDigits[b & 0xF];
  }
  return CString(std::move(text));
}

bool decodeHexBlock(std::u16string_view text, std::vector<BYTE>& bytes) {
  if (text.size() < 8) return false;
  std::size_t count = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    const int v = hexValue(text[i], false);
    if (v < 0) return false;
    count = count * 16 + static_cast<std::size_t>(v);
  }
  if (count > hexBlockMax || text.size() != 2 * count + 8) return false;
  std::vector<BYTE> decoded(count);
  for (std::size_t i = 0; i < count; ++i) {
    const int high = hexValue(text[8 + 2 * i], true);
    const int low = hexValue(text[9 + 2 * i], true);
    if (high < 0 || low < 0) return false;
    decoded[i] = static_cast<BYTE>(high * 16 + low);
  }
  bytes = std::move(decoded);
  return true;
}

CString encodeCheckedHexBlock(std::span<const BYTE> bytes) {
  std::u16string text;
  const std::size_t length = 2 * bytes.size() + 4;
  text.reserve(length);
  for (int shift = 0; shift < 16; shift += 4) text += kUpperDigits[(length >> shift) & 0xF];
  for (const BYTE b : bytes) {
    text += kUpperDigits[b & 0xF];
    text += kUpperDigits[b >> 4];
  }
  return CString(std::move(text));
}

bool decodeCheckedHexBlock(std::u16string_view text, std::vector<BYTE>& bytes) {
  if (text.size() < 4) return false;
  std::size_t length = 0;
  for (int i = 3; i >= 0; --i) {
    const int v = hexValue(text[static_cast<std::size_t>(i)], false);
    if (v < 0) return false;
    length = length * 16 + static_cast<std::size_t>(v);
  }
  if (length != text.size() || length % 2 != 0) return false;
  const std::size_t count = (length - 4) / 2;
  std::vector<BYTE> decoded(count);
  for (std::size_t i = 0; i < count; ++i) {
    const int low = hexValue(text[4 + 2 * i], false);
    const int high = hexValue(text[5 + 2 * i], false);
    if (high < 0 || low < 0) return false;
    decoded[i] = static_cast<BYTE>(high * 16 + low);
  }
  bytes = std::move(decoded);
  return true;
}

CString escapeProfileText(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\\') {
      out += u"\\\\";
    } else if (isEscapedUnit(c) || (i == 0 && (c == u'"' || c == u'\''))) {
      out += u'\\';
      out += kUpperDigits[(c >> 4) & 0xF];
      out += kUpperDigits[c & 0xF];
      out += kUpperDigits[(c >> 12) & 0xF];
      out += kUpperDigits[(c >> 8) & 0xF];
    } else {
      out += c;
    }
  }
  return CString(std::move(out));
}

CString unescapeProfileText(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const char16_t c = text[i++];
    if (c != u'\\' || i == text.size()) {
      out += c;
      continue;
    }
    if (text[i] == u'\\') {
      out += u'\\';
      ++i;
      continue;
    }
    int digits[4];
    int n = 0;
    while (n < 4 && i < text.size()) {
      const int v = hexValue(text[i], true);
      if (v < 0) break;
      digits[n++] = v;
      ++i;
    }
    if (n == 0) {
      out += c;  // a lone backslash stays
      continue;
    }
    // Two digits make the low byte, the rest the high byte.
    int low = 0;
    int high = 0;
    for (int k = 0; k < n && k < 2; ++k) low = low * 16 + digits[k];
    for (int k = 2; k < n; ++k) high = high * 16 + digits[k];
    out += static_cast<char16_t>((high << 8) | low);
  }
  return CString(std::move(out));
}
