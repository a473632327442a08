#include "geometry/mtextFormat.h"

#include <cstdlib>

namespace {

// The number at the start of the text as the C library reads it (0 when
// none).
double leadingNumber(std::u16string_view text) {
  std::string narrow;
  for (char16_t c : text) {
    if (c > 0x7F) break;
    narrow.push_back(static_cast<char>(c));
  }
  return std::strtod(narrow.c_str(), nullptr);
}

}  // namespace

void parseMTextFormat(std::u16string& text, int& lineCount, int& alignment, bool& underline, double* widthFactor) {
  lineCount = 0;
  alignment = -1;
  underline = false;
  if (widthFactor != nullptr) *widthFactor = 1.0;
  std::u16string plain;
  plain.reserve(text.size());
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    const char16_t c = text[i++];
    if (c == u'{' || c == u'}') continue;
    if (c != u'\\') {
      plain.push_back(c);
      continue;
    }
    if (i >= n) break;  // a backslash that ends the text
    const char16_t code = text[i];
    if (code == u'U') {
      plain.push_back(u'\\');
      plain.push_back(u'U');
      ++i;
    } else if (code == u'\\' || code == u'{' || code == u'}') {
      plain.push_back(code);
      ++i;
    } else if (code == u'L' || code == u'l') {
      underline = true;
      ++i;
    } else if (code == u'N' || code == u'P') {
      plain.push_back(u'\0');
      ++lineCount;
      ++i;
    } else {
      const std::size_t end = text.find(u';', i);
      if (end == std::u16string::npos) break;
      const std::u16string_view body(text.data() + i, end - i);
      if (body.starts_with(u'W')) {
        if (widthFactor != nullptr) *widthFactor = leadingNumber(body.substr(1));
      } else if (body == u"pxql") {
        alignment = 0;
      } else if (body == u"pxqc") {
        alignment = 1;
      } else if (body == u"pxqr") {
        alignment = 2;
      }
      i = end + 1;
    }
  }
  ++lineCount;
  text = std::move(plain);
}

void splitTextLines(std::u16string_view text, CString& out, double* widthFactor) {
  std::u16string lines(text);
  int lineCount = 0;
  int alignment = -1;
  bool underline = false;
  parseMTextFormat(lines, lineCount, alignment, underline, widthFactor);
  // Every terminator the parse wrote ends one of the first lineCount - 1
  // lines.
  for (char16_t& c : lines)
    if (c == u'\0') c = u'\n';
  out = CString(std::move(lines));
}
