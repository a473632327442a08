#include "platform/cadhost/TextMeasure.h"

#include <algorithm>
#include <cmath>

namespace cadhost {

namespace {

bool isCodeWithArgument(char16_t c) {
  switch (c) {
    case u'A': case u'C': case u'c': case u'F': case u'f': case u'H': case u'Q':
    case u'T': case u'W': case u'p':
      return true;
    default:
      return false;
  }
}

bool isToggle(char16_t c) {
  switch (c) {
    case u'L': case u'l': case u'O': case u'o': case u'K': case u'k':
      return true;
    default:
      return false;
  }
}

}  // namespace

std::vector<std::u16string> plainTextLines(std::u16string_view text) {
  std::vector<std::u16string> lines(1);
  std::size_t i = 0;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (c == u'\n') {
      lines.emplace_back();
      ++i;
    } else if (c == u'{' || c == u'}') {
      ++i;
    } else if (c == u'%' && i + 2 < text.size() && text[i + 1] == u'%') {
      lines.back().push_back(u'?');  // %%c, %%d, %%p: one symbol
      i += 3;
    } else if (c != u'\\' || i + 1 >= text.size()) {
      lines.back().push_back(c);
      ++i;
    } else {
      const char16_t code = text[i + 1];
      i += 2;
      if (code == u'P' || code == u'N') {
        lines.emplace_back();
      } else if (code == u'~') {
        lines.back().push_back(u' ');
      } else if (code == u'\\' || code == u'{' || code == u'}') {
        lines.back().push_back(code);
      } else if (code == u'U' && i + 5 <= text.size() && text[i] == u'+') {
        lines.back().push_back(u'?');
        i += 5;
      } else if (code == u'S') {
        const std::size_t end = text.find(u';', i);
        const std::size_t stop = end == std::u16string_view::npos ? text.size() : end;
        for (std::size_t k = i; k < stop; ++k) {
          const char16_t s = text[k];
          lines.back().push_back(s == u'^' || s == u'#' ? u'/' : s);
        }
        i = end == std::u16string_view::npos ? text.size() : end + 1;
      } else if (isCodeWithArgument(code)) {
        const std::size_t end = text.find(u';', i);
        i = end == std::u16string_view::npos ? text.size() : end + 1;
      } else if (!isToggle(code)) {
        lines.back().push_back(code);  // an unknown code shows as its letter
      }
    }
  }
  return lines;
}

std::size_t longestLineLength(std::u16string_view text) {
  std::size_t longest = 0;
  for (const std::u16string& line : plainTextLines(text)) {
    std::size_t n = 0;
    for (char16_t c : line)
      if (c < 0xDC00 || c > 0xDFFF) ++n;  // low surrogates complete a pair
    longest = std::max(longest, n);
  }
  return longest;
}

double measureTextWidth(std::u16string_view text, double height, double widthFactor) {
  const double width = static_cast<double>(longestLineLength(text)) * height * 0.9 * widthFactor;
  return std::isfinite(width) ? width : 0.0;
}

double measureTextHeight(std::u16string_view text, double height) {
  const double lines = static_cast<double>(plainTextLines(text).size());
  const double total = (lines - 1.0) * 5.0 / 3.0 * height + height;
  return std::isfinite(total) ? total : 0.0;
}

}  // namespace cadhost
