#include "geometry/textRoutines.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/win/NumberParse.h"
#include "platform/win/StringCompare.h"
#include "platform/win/WideFormat.h"

namespace {

std::u16string_view viewOf(const char16_t* text) { return text != nullptr ? std::u16string_view(text) : std::u16string_view(); }

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int signOf(int value) { return (value > 0) - (value < 0); }

// The rank of a name in the gbXML order: 0 empty, 1 "pp", 2 unmarked, 3 "np".
int nameRank(std::u16string_view name) {
  if (name.empty()) return 0;
  auto holds = [name](char16_t first, char16_t second) {
    for (std::size_t i = 0; i + 1 < name.size(); ++i)
      if (hvFoldAscii(name[i]) == first && hvFoldAscii(name[i + 1]) == second) return true;
    return false;
  };
  if (holds(u'p', u'p')) return 1;
  return holds(u'n', u'p') ? 3 : 2;
}

// Compares two digit runs by value: leading zeros dropped, then the longer
// run is the larger, then digit by digit.
int compareDigitRuns(std::u16string_view a, std::u16string_view b) {
  auto significant = [](std::u16string_view run) {
    const std::size_t first = run.find_first_not_of(u'0');
    return first == std::u16string_view::npos ? std::u16string_view() : run.substr(first);
  };
  a = significant(a);
  b = significant(b);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return signOf(a.compare(b));
}

// The run of units at `i` that share the digit class of text[i].
std::u16string_view runAt(std::u16string_view text, std::size_t i) {
  const bool digits = isDigit(text[i]);
  std::size_t end = i;
  while (end < text.size() && isDigit(text[end]) == digits) ++end;
  return text.substr(i, end - i);
}

// Copies `text` into the buffer, cut to size - 1 units; nothing for a size
// of 0.
std::size_t copyCut(std::u16string_view text, char16_t* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) return 0;
  const std::size_t n = std::min(text.size(), size - 1);
  text.copy(buffer, n);
  buffer[n] = u'\0';
  return n;
}

// Calls `take` with each piece of `text` between occurrences of the
// separator, in order, the last included.
template <typename Take>
void forEachPiece(std::u16string_view text, char16_t separator, Take take) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    if (end == std::u16string_view::npos) {
      take(text.substr(start));
      return;
    }
    take(text.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace

int compareNamesPpNp(const char16_t* a, const char16_t* b) {
  const std::u16string_view x = viewOf(a), y = viewOf(b);
  const int rankA = nameRank(x), rankB = nameRank(y);
  if (rankA != rankB) return rankA < rankB ? -1 : 1;
  switch (rankA) {
    case 1: return -naturalCompare(a, b);
    case 2: return signOf(hvCompareNoCaseAscii(x, y));
    case 3: return naturalCompare(a, b);
    default: return 0;
  }
}

int naturalCompare(const char16_t* a, const char16_t* b) {
  const std::u16string_view x = viewOf(a), y = viewOf(b);
  std::size_t i = 0, j = 0;
  // Each step consumes at least one unit of both texts.
  while (i < x.size() && j < y.size()) {
    const bool digitA = isDigit(x[i]), digitB = isDigit(y[j]);
    if (digitA != digitB) return digitA ? -1 : 1;
    const std::u16string_view runA = runAt(x, i), runB = runAt(y, j);
    const int order = digitA ? compareDigitRuns(runA, runB) : signOf(runA.compare(runB));
    if (order != 0) return order;
    i += runA.size();
    j += runB.size();
  }
  if (i < x.size()) return 1;
  return j < y.size() ? -1 : 0;
}

int compareOrdinal(const char16_t* a, const char16_t* b) {
  if (a == nullptr || b == nullptr) return -1;
  return signOf(std::u16string_view(a).compare(b));
}

int parseHexByte(char first, char second) {
  auto value = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  const int high = value(first), low = value(second);
  if (high < 0) return low < 0 ? 0 : low;
  return low < 0 ? 16 * high : 16 * high + low;
}

double parseNumberWithComma(const char16_t* text) {
  if (text == nullptr) return 0.0;
  std::u16string copy(text);
  if (copy.find(u'.') == std::u16string::npos) {
    const std::size_t comma = copy.rfind(u',');
    if (comma != std::u16string::npos) copy[comma] = u'.';
  }
  return _wtof(copy.c_str());
}

void parseVector3d(const char16_t* text, double& x, double& y, double& z) {
  x = y = z = 0.0;
  if (text == nullptr) return;
  WCHAR* end = nullptr;
  x = wcstod(text, &end);
  if (end == text || *end != u',') return;
  const char16_t* next = end + 1;
  y = wcstod(next, &end);
  if (end == next || *end != u',') return;
  z = wcstod(end + 1, nullptr);
}

std::size_t formatPoint3d(const double* point, char16_t* buffer, std::size_t size) {
  if (point == nullptr) return copyCut(u"", buffer, size);
  return copyCut(hvFormat(u"%.16g,%.16g,%.16g", point[0], point[1], point[2]).value_or(u""), buffer, size);
}

std::size_t formatSizeText(double width, double height, char16_t* buffer, std::size_t size) {
  return copyCut(hvFormat(u"%.0f x %.0f", width, height).value_or(u""), buffer, size);
}

bool parseSizeText(const char16_t* text, double& width, double& height) {
  if (text == nullptr) return false;
  WCHAR* end = nullptr;
  const LONG w = wcstol(text, &end, 10);
  if (end == text) return false;
  const char16_t* p = end;
  while (*p == u' ' || *p == u'\t') ++p;
  if (*p != u'x' && *p != u'X') return false;
  const char16_t* second = p + 1;
  const LONG h = wcstol(second, &end, 10);
  if (end == second) return false;
  width = w;
  height = h;
  return true;
}

bool fixDashAt7(char16_t* text) {
  if (text == nullptr) return false;
  for (int i = 0; i < 7; ++i)
    if (text[i] == u'\0') return false;
  if (text[7] != u'i') return false;
  text[7] = u'-';
  return true;
}

void toUpperUnderscore(CString& text) {
  text.MakeUpper();
  text.Replace(u' ', u'_');
}

void splitAtChar(const char16_t* text, CStringArray& pieces, char16_t separator) {
  if (text == nullptr) return;
  forEachPiece(text, separator, [&pieces](std::u16string_view piece) { pieces.Add(CString(piece)); });
}

void copyBackslashToNewline(const char16_t* source, char16_t* target, std::size_t n) {
  if (target == nullptr) return;
  std::size_t i = 0;
  if (source != nullptr)
    for (; i < n && source[i] != u'\0'; ++i) target[i] = source[i] == u'\\' ? u'\n' : source[i];
  target[i] = u'\0';
}

bool appendLineIfFits(char16_t* buffer, std::size_t size, const char16_t* text) {
  if (buffer == nullptr) return false;
  const std::size_t length = std::char_traits<char16_t>::length(buffer);
  const std::u16string_view line = viewOf(text);
  if (length + line.size() + 1 >= size) return false;
  line.copy(buffer + length, line.size());
  buffer[length + line.size()] = u'\n';
  buffer[length + line.size() + 1] = u'\0';
  return true;
}

std::optional<std::u16string> nextLine(char16_t* buffer, std::size_t length, char16_t*& cursor) {
  if (buffer == nullptr || cursor == nullptr || cursor < buffer || cursor >= buffer + length) return std::nullopt;
  char16_t* const end = buffer + length;
  if (cursor == end - 1 && *cursor == u'\n') return std::nullopt;
  char16_t* feed = std::find(cursor, end, u'\n');
  std::u16string line(cursor, feed);
  if (feed == end) {
    cursor = nullptr;
  } else {
    *feed = u'\0';
    cursor = feed + 1 < end ? feed + 1 : nullptr;
  }
  return line;
}

int countLineBreaks(const char16_t* text, int n) {
  int count = 0;
  if (text == nullptr) return 0;
  for (int i = 0; i < n && text[i] != u'\0'; ++i)
    if (text[i] == u'\n') ++count;
  return count;
}

CString joinStrings(const CStringArray& strings) {
  CString joined;
  for (const CString& s : strings) joined += s;
  return joined;
}

char16_t** newStringList(int n) {
  if (n < 0) return nullptr;
  return static_cast<char16_t**>(std::calloc(static_cast<std::size_t>(n) + 1, sizeof(char16_t*)));
}

void freeStringList(char16_t** list) {
  if (list == nullptr) return;
  for (char16_t** entry = list; *entry != nullptr; ++entry) std::free(*entry);
  std::free(list);
}

char16_t* heapTextCopy(const char16_t* text) {
  if (text == nullptr) return nullptr;
  const std::size_t n = std::char_traits<char16_t>::length(text) + 1;
  auto* copy = static_cast<char16_t*>(std::malloc(n * sizeof(char16_t)));
  if (copy != nullptr) std::memcpy(copy, text, n * sizeof(char16_t));
  return copy;
}

void parseCategoryList(categoryList& list, const char16_t* text) {
  list.entries.clear();
  list.text = viewOf(text);
  if (text == nullptr) return;
  forEachPiece(list.text, u'/', [&list](std::u16string_view piece) {
    categoryEntry entry;
    if (piece.starts_with(u'#'))
      entry.category = std::u16string(piece.substr(1));
    else
      entry.item = std::u16string(piece);
    list.entries.push_back(std::move(entry));
  });
}

int sizeLetterCode(const char16_t* text) {
  const std::u16string_view t = viewOf(text);
  if (t.empty()) return 0;
  switch (hvFoldAscii(t[0])) {
    case u'a': return 1;
    case u'b': return 2;
    case u'd': return 3;
    case u'i': return t.size() > 1 && hvFoldAscii(t[1]) == u'z' ? 4 : 0;
    default: return 0;
  }
}

bool isAssociationName(const char16_t* text) { return viewOf(text).starts_with(u"VE2R_ASSOC"); }

bool hasDollarDigitDollar(const char16_t* text) {
  const std::u16string_view t = viewOf(text);
  if (t.size() <= 2) return false;
  for (std::size_t i = 0; i + 2 < t.size(); ++i)
    if (t[i] == u'$' && isDigit(t[i + 1]) && t[i + 2] == u'$') return true;
  return false;
}
