#include "platform/win/NumberParse.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace {

bool isCSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// The ASCII text a number could be read from: white space skipped, then the
// run of ASCII units (a number never holds anything else).
struct AsciiRun {
  std::size_t skipped = 0;
  std::string text;
};

AsciiRun asciiRun(LPCWSTR text) {
  AsciiRun run;
  while (isCSpace(text[run.skipped])) ++run.skipped;
  for (LPCWSTR p = text + run.skipped; *p != 0 && *p < 0x80; ++p) run.text += static_cast<char>(*p);
  return run;
}

void setEnd(LPCWSTR text, WCHAR** end, const AsciiRun& run, const char* stop) {
  if (!end) return;
  const std::size_t used = static_cast<std::size_t>(stop - run.text.c_str());
  *end = const_cast<WCHAR*>(used == 0 ? text : text + run.skipped + used);
}

}  // namespace

locale_t hvCLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

double wcstod(LPCWSTR text, WCHAR** end) {
  if (!text) {
    if (end) *end = nullptr;
    return 0.0;
  }
  const AsciiRun run = asciiRun(text);
  char* stop = nullptr;
  const double value = strtod_l(run.text.c_str(), &stop, hvCLocale());
  setEnd(text, end, run, stop);
  return value;
}

LONG wcstol(LPCWSTR text, WCHAR** end, int base) {
  if (!text || base < 0 || base == 1 || base > 36) {
    if (end) *end = const_cast<WCHAR*>(text);
    errno = EINVAL;
    return 0;
  }
  const AsciiRun run = asciiRun(text);
  char* stop = nullptr;
  const long long value = strtoll_l(run.text.c_str(), &stop, base, hvCLocale());
  setEnd(text, end, run, stop);
  if (value > INT32_MAX) {
    errno = ERANGE;
    return INT32_MAX;
  }
  if (value < INT32_MIN) {
    errno = ERANGE;
    return INT32_MIN;
  }
  return static_cast<LONG>(value);
}

double _wtof(LPCWSTR text) { return text ? wcstod(text, nullptr) : 0.0; }

int _wtoi(LPCWSTR text) { return text ? wcstol(text, nullptr, 10) : 0; }

LONG _wtol(LPCWSTR text) { return text ? wcstol(text, nullptr, 10) : 0; }
