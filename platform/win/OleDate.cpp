#include "platform/win/OleDate.h"

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace std::chrono;

constexpr sys_days kDayZero = sys_days{year{1899} / December / 30};
constexpr double kSecondsPerDay = 86400.0;

constexpr std::array<std::string_view, 12> kMonths = {"january", "february", "march",     "april",
                                                      "may",     "june",     "july",      "august",
                                                      "september", "october", "november", "december"};
constexpr std::array<std::string_view, 7> kWeekdays = {"sunday",   "monday", "tuesday", "wednesday",
                                                       "thursday", "friday", "saturday"};

bool isDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

bool isLetters(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < 'a' || c > 'z') return false;
  return true;
}

// A number of 1 to `maxDigits` digits.
std::optional<int> smallNumber(std::string_view s, std::size_t maxDigits) {
  if (!isDigits(s) || s.size() > maxDigits) return std::nullopt;
  int value = 0;
  for (char c : s) value = value * 10 + (c - '0');
  return value;
}

// Index of the name (full or its first three letters) in the list, or -1.
template <std::size_t N>
int nameIndex(std::string_view word, const std::array<std::string_view, N>& names) {
  for (std::size_t i = 0; i < N; ++i) {
    if (word == names[i] || (word.size() == 3 && names[i].substr(0, 3) == word)) return static_cast<int>(i);
  }
  return -1;
}

std::vector<std::string_view> split(std::string_view s, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = s.find(separator, start);
    parts.push_back(s.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

// Years of one or two digits fall into 1930-2029.
std::optional<int> yearOf(std::string_view digits) {
  const auto value = smallNumber(digits, 4);
  if (!value) return std::nullopt;
  if (digits.size() <= 2) return *value < 30 ? 2000 + *value : 1900 + *value;
  return value;
}

struct TimeOfDay {
  int hour = 0, minute = 0, second = 0;
};

std::optional<TimeOfDay> timeOf(std::string_view token) {
  const auto parts = split(token, ':');
  if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
  const auto h = smallNumber(parts[0], 2);
  const auto m = smallNumber(parts[1], 2);
  const auto s = parts.size() == 3 ? smallNumber(parts[2], 2) : std::optional<int>(0);
  if (!h || !m || !s || *m > 59 || *s > 59) return std::nullopt;
  return TimeOfDay{*h, *m, *s};
}

struct CalendarDay {
  int year = 0, month = 0, day = 0;
};

// "7/30/2024" (month first) or "30.07.2024" (day first).
std::optional<CalendarDay> numericDateOf(std::string_view token, char separator) {
  const auto parts = split(token, separator);
  if (parts.size() != 3) return std::nullopt;
  const auto first = smallNumber(parts[0], 2);
  const auto second = smallNumber(parts[1], 2);
  const auto y = yearOf(parts[2]);
  if (!first || !second || !y) return std::nullopt;
  return separator == '/' ? CalendarDay{*y, *first, *second} : CalendarDay{*y, *second, *first};
}

// What the words of a date text were found to be.
struct DateWords {
  std::optional<TimeOfDay> time;
  std::optional<CalendarDay> numericDate;
  int month = -1;
  std::vector<std::string_view> numbers;
  int meridiem = 0;  // 1 AM, 2 PM
  bool weekday = false;
};

bool takeWord(std::string_view word, DateWords& found) {
  if (word.find(':') != std::string_view::npos) {
    for (int m = 1; m <= 2; ++m) {  // "10:02pm"
      const std::string_view suffix = m == 1 ? "am" : "pm";
      if (word.size() > 2 && word.substr(word.size() - 2) == suffix) {
        if (found.meridiem != 0) return false;
        found.meridiem = m;
        word.remove_suffix(2);
      }
    }
    if (found.time) return false;
    found.time = timeOf(word);
    return found.time.has_value();
  }
  if (word.find('/') != std::string_view::npos || word.find('.') != std::string_view::npos) {
    if (found.numericDate) return false;
    found.numericDate = numericDateOf(word, word.find('/') != std::string_view::npos ? '/' : '.');
    return found.numericDate.has_value();
  }
  if (isDigits(word)) {
    found.numbers.push_back(word);
    return found.numbers.size() <= 2;
  }
  if (!isLetters(word)) return false;
  if (word == "am" || word == "pm") {
    if (found.meridiem != 0) return false;
    found.meridiem = word == "am" ? 1 : 2;
    return true;
  }
  if (const int month = nameIndex(word, kMonths); month >= 0) {
    if (found.month >= 0) return false;
    found.month = month + 1;
    return true;
  }
  if (nameIndex(word, kWeekdays) >= 0 && !found.weekday) {
    found.weekday = true;
    return true;
  }
  return false;
}

// The calendar day of a month name with a day and a year: the year is the
// number of three or four digits; with two short numbers the day comes first.
std::optional<CalendarDay> namedDateOf(const DateWords& found) {
  if (found.numbers.size() != 2) return std::nullopt;
  std::string_view dayText = found.numbers[0];
  std::string_view yearText = found.numbers[1];
  if (dayText.size() > 2) std::swap(dayText, yearText);
  const auto d = smallNumber(dayText, 2);
  const auto y = yearOf(yearText);
  if (!d || !y) return std::nullopt;
  return CalendarDay{*y, found.month, *d};
}

std::optional<DATE> parseDate(std::string_view text) {
  DateWords found;
  std::size_t words = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    if (text[start] == ' ' || text[start] == '\t' || text[start] == ',') {
      ++start;
      continue;
    }
    std::size_t end = start;
    while (end < text.size() && text[end] != ' ' && text[end] != '\t' && text[end] != ',') ++end;
    if (!takeWord(text.substr(start, end - start), found)) return std::nullopt;
    ++words;
    start = end;
  }
  if (words == 0) return std::nullopt;

  std::optional<CalendarDay> day;
  if (found.numericDate) {
    if (found.month >= 0 || !found.numbers.empty()) return std::nullopt;
    day = found.numericDate;
  } else if (found.month >= 0) {
    day = namedDateOf(found);
    if (!day) return std::nullopt;
  } else if (!found.numbers.empty() || !found.time || found.weekday) {
    return std::nullopt;
  }

  TimeOfDay time = found.time.value_or(TimeOfDay{});
  if (found.meridiem != 0) {
    if (!found.time || time.hour < 1 || time.hour > 12) return std::nullopt;
    time.hour = time.hour % 12 + (found.meridiem == 2 ? 12 : 0);
  }
  if (time.hour > 23) return std::nullopt;

  double days = 0.0;
  if (day) {
    const year_month_day ymd{year{day->year}, month{static_cast<unsigned>(day->month)},
                             std::chrono::day{static_cast<unsigned>(day->day)}};
    if (day->year < 100 || day->year > 9999 || !ymd.ok()) return std::nullopt;
    days = static_cast<double>((sys_days{ymd} - kDayZero).count());
  }
  const double fraction = (time.hour * 3600.0 + time.minute * 60.0 + time.second) / kSecondsPerDay;
  return days >= 0.0 ? days + fraction : days - fraction;
}

}  // namespace

HRESULT VarDateFromStr(LPCOLESTR text, LCID, ULONG, DATE* result) {
  if (text == nullptr || result == nullptr) return E_INVALIDARG;
  // Only ASCII words can be part of a date; lower case for the name lookups.
  std::string narrow;
  for (const OLECHAR* p = text; *p != u'\0'; ++p) {
    if (*p > 0x7F || narrow.size() > 256) return DISP_E_TYPEMISMATCH;
    const char c = static_cast<char>(*p);
    narrow.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
  }
  const auto date = parseDate(narrow);
  if (!date) return DISP_E_TYPEMISMATCH;
  *result = *date;
  return S_OK;
}

HRESULT VarBstrFromDate(DATE date, LCID, ULONG flags, BSTR* result) {
  if (result == nullptr) return E_INVALIDARG;
  if (!std::isfinite(date) || date <= HV_DATE_MIN - 1.0 || date >= HV_DATE_MAX + 1.0) return E_INVALIDARG;

  // The whole part counts days from day 0 in either direction; the fraction
  // is the time of that day.
  double whole = std::trunc(date);
  long long seconds = std::llround(std::fabs(date - whole) * kSecondsPerDay);
  if (seconds >= 86400) {
    seconds -= 86400;
    whole += 1.0;
  }
  const year_month_day ymd{kDayZero + days{static_cast<long long>(whole)}};
  if (ymd.year() > year{9999}) return E_INVALIDARG;  // the last second rounded up

  char dateText[16];
  char timeText[16];
  std::snprintf(dateText, sizeof dateText, "%02u.%02u.%04d", static_cast<unsigned>(ymd.day()),
                static_cast<unsigned>(ymd.month()), static_cast<int>(ymd.year()));
  std::snprintf(timeText, sizeof timeText, "%02d:%02d:%02d", static_cast<int>(seconds / 3600),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));

  bool withDate = true;
  bool withTime = true;
  if (flags & VAR_TIMEVALUEONLY) {
    withDate = false;
  } else if (flags & VAR_DATEVALUEONLY) {
    withTime = false;
  } else if (seconds == 0) {
    withTime = false;
  } else if (whole == 0.0) {
    withDate = false;
  }
  std::string text;
  if (withDate) text += dateText;
  if (withDate && withTime) text += ' ';
  if (withTime) text += timeText;

  std::u16string wide(text.begin(), text.end());
  *result = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  return *result != nullptr ? S_OK : E_OUTOFMEMORY;
}
