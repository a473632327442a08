#include "geometry/smallOperations.h"

#include "geometry/smallRecords.h"

#include <cstring>
#include <string>

int compareWord(const void* a, const void* b) {
  std::uint16_t x = 0, y = 0;
  std::memcpy(&x, a, sizeof x);
  std::memcpy(&y, b, sizeof y);
  return (x > y) - (x < y);
}

bool containsIntFrom(const hvArray<std::int32_t>& values, std::int32_t value, std::int32_t start) {
  for (std::int32_t i = start < 0 ? 0 : start; i < values.count(); ++i)
    if (values[i] == value) return true;
  return false;
}

namespace {

// A decimal number below 2^31 at `text`, with an
// optional sign; nothing for a negative one or no digits. `text` moves
// behind it.
bool readCount(const char16_t*& text, std::uint32_t& value) {
  bool negative = false;
  if (*text == u'+' || *text == u'-') negative = *text++ == u'-';
  std::uint64_t number = 0;
  int digits = 0;
  for (; *text >= u'0' && *text <= u'9'; ++text) {
    if (++digits > 10) return false;
    number = number * 10 + static_cast<std::uint64_t>(*text - u'0');
  }
  if (digits == 0 || number > 0x7FFFFFFFu || (negative && number != 0)) return false;
  value = static_cast<std::uint32_t>(number);
  return true;
}

void setModeField(std::uint32_t& flags, std::uint32_t mode) { flags = (flags & ~0xF0000u) | (mode << 16); }

}  // namespace

bool parseTableHeader(const char16_t* text, std::uint32_t& columns, std::uint32_t& rows) {
  if (text == nullptr || text[0] == u'\0' || text[1] != u'@') return false;
  const char16_t* p = text + 2;
  std::uint32_t c = 0, r = 0;
  if (!readCount(p, c) || *p == u'\0') return false;
  ++p;  // the separator
  if (!readCount(p, r)) return false;
  columns = c;
  rows = r;
  return true;
}

void trimTrailingSlashes(char16_t* text, std::size_t n) {
  if (text == nullptr) return;
  std::size_t length = 0;
  while (length < n && text[length] != u'\0') ++length;
  std::size_t kept = length;
  while (kept > 1 && (text[kept - 1] == u'/' || text[kept - 1] == u'\\')) --kept;
  if (kept < length) text[kept] = u'\0';
}

void textTriple::assign(const textTriple& source) {
  if (this == &source) return;
  if (source.texts[0]) texts[0] = source.texts[0];
  texts[1] = source.texts[1];
  texts[2] = source.texts[2];
  values[0] = source.values[0];
  values[1] = source.values[1];
}

void monitorLayout::reset() {
  flags[0] = flags[1] = false;
  windows.removeAll();
  monitors.removeAll();
  names.RemoveAll();
  text.Empty();
}

void scaleSetting::setAuto() {
  automatic = true;
  scale = kDefaultScale;
  offset = 0.0;
}

void scaleSetting::allocEntries(std::int32_t n) {
  count = n < 0 ? 0 : n;
  const std::size_t entries = count > 1 ? static_cast<std::size_t>(count) : 1;
  entryFlags.assign(entries, 0);
  entryScales.assign(entries, kDefaultScale);
  entryOffsets.assign(entries, 0.0);
}

void setModeField0(std::uint32_t& flags) { setModeField(flags, 0); }
void setModeField1(std::uint32_t& flags) { setModeField(flags, 1); }
void setModeField3(std::uint32_t& flags) { setModeField(flags, 3); }
void setModeField4(std::uint32_t& flags) { setModeField(flags, 4); }

void resetTextFields(textFieldsRec& record) {
  for (CString& field : record.fields) field.Empty();
}

void resetStringList(stringListRec& record) {
  record.text.Empty();
  record.strings.reset();
}
