#include "host/SettingsNumberText.h"

#include <cerrno>
#include <cmath>
#include <string>

#include "platform/win/NumberParse.h"
#include "platform/win/WideFormat.h"

namespace {

bool isLeadingSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// The text with a terminator, as the C readers want it.
std::u16string terminated(std::u16string_view text) { return std::u16string(text); }

NumberTextRead classify(const std::u16string& text, const WCHAR* end) {
  if (end == text.c_str()) return NumberTextRead::none;
  return *end == 0 ? NumberTextRead::whole : NumberTextRead::partial;
}

}  // namespace

NumberTextRead readIntText(std::u16string_view text, std::int32_t& value) {
  const std::u16string copy = terminated(text);
  // An embedded zero would end the C reader early and hide the rest.
  if (copy.find(u'\0') != std::u16string::npos) return NumberTextRead::none;
  WCHAR* end = nullptr;
  errno = 0;
  const LONG read = wcstol(copy.c_str(), &end, 10);
  if (errno == ERANGE) return NumberTextRead::none;
  const NumberTextRead kind = classify(copy, end);
  if (kind != NumberTextRead::none) value = read;
  return kind;
}

NumberTextRead readDoubleText(std::u16string_view text, double& value) {
  const std::u16string copy = terminated(text);
  if (copy.find(u'\0') != std::u16string::npos) return NumberTextRead::none;
  WCHAR* end = nullptr;
  errno = 0;
  const double read = wcstod(copy.c_str(), &end);
  const NumberTextRead kind = classify(copy, end);
  if (kind == NumberTextRead::none) return kind;
  // Overflow of a finite text gives ±HUGE_VAL; "inf" itself is no overflow.
  if (errno == ERANGE && std::isinf(read)) {
    std::size_t first = 0;
    while (first < copy.size() && isLeadingSpace(copy[first])) ++first;
    const std::u16string_view rest = std::u16string_view(copy).substr(first);
    const bool spelledInfinite = rest.find(u'i') != std::u16string_view::npos ||
                                 rest.find(u'I') != std::u16string_view::npos;
    if (!spelledInfinite) return NumberTextRead::none;
  }
  value = read;
  return kind;
}

CString formatIntText(std::int32_t value) {
  return CString(hvFormat(u"%i", value).value_or(std::u16string()));
}

CString formatDoubleText(double value) {
  std::u16string shortest;
  for (int digits = 6; digits <= 17; ++digits) {
    shortest = hvFormat(u"%.*g", digits, value).value_or(std::u16string());
    double back = 0.0;
    if (std::isnan(value)) break;
    if (readDoubleText(shortest, back) == NumberTextRead::whole && back == value) break;
  }
  return CString(std::move(shortest));
}
