#include "geometry/fieldCodes.h"

#include <cstdint>
#include <string_view>

namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isNameUnit(char16_t c) { return isDigit(c) || c == u'_' || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// The field name of a code character after "#"; null for other characters.
const char16_t* fieldNameOf(char16_t code) {
  switch (code) {
    case u'1': return u"_MATERIAL";
    case u'2': return u"_LABEL";
    case u'3': return u"_NAME";
    case u'4': return u"_DIM";
    case u'A': return u"_ANGLE";
    case u'C': return u"_DESC";
    case u'D': return u"_DIAMETER";
    case u'G': return u"_GROUP";
    case u'H': return u"_HEIGHT";
    case u'L': return u"_LENGTH";
    case u'M': return u"_MEASUREMENT";
    case u'O': return u"_SLOPE";
    case u'P': return u"_QPROD";
    case u'S': return u"_SUBSCRIPT";
    case u'T': return u"_QTYPE";
    case u'W': return u"_WEIGHT";
    default: return nullptr;
  }
}

// The digits at `p` as a number clamped to the 32-bit range; `p` moves
// behind them.
std::int32_t readDigits(const char16_t*& p, std::u16string* digits) {
  std::int64_t value = 0;
  for (; isDigit(*p); ++p) {
    if (digits != nullptr) digits->push_back(*p);
    value = value * 10 + (*p - u'0');
    if (value > INT32_MAX) value = INT32_MAX;
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace

const char16_t* parseFieldCode(const char16_t* text, fieldCodeRecord& record) {
  if (text == nullptr || text[0] == u'\0') return nullptr;
  record = fieldCodeRecord();
  const char16_t* p = text;
  if (p[0] == u'$' && (p[1] == u'#' || p[1] == u'&')) {
    record.dollar = true;
    ++p;
  }
  if (*p == u'#') {
    record.field = true;
  } else if (*p == u'&') {
    record.text = true;
  } else {
    while (*p != u'\0' && *p != u'#' && *p != u'&') record.name.push_back(*p++);
    return p;
  }
  ++p;
  if (record.field) {
    if (const char16_t* name = fieldNameOf(*p)) {
      record.name = name;
      record.height = *p == u'H';
      record.slope = *p == u'O';
      ++p;
    } else if (*p == u'E' || *p == u'R') {
      (*p == u'E' ? record.extra : record.row) = true;
      ++p;
      if (isDigit(*p)) record.index = readDigits(p, &record.name);
    }
  }
  if (record.name.empty())
    while (isNameUnit(*p)) record.name.push_back(*p++);
  if (*p == u'.') {
    ++p;
    record.precisionGiven = true;
    record.precision = readDigits(p, nullptr);
  } else if (record.name == u"_LENGTH") {
    record.precision = 3;
  } else if (record.field) {
    record.precision = 2;
  }
  record.underline = (record.index == 9 && record.precisionGiven) || (record.text && record.name == u"_UNDERLINE_DESC");
  return p;
}
