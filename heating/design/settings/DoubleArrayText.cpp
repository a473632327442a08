#include "heating/design/settings/DoubleArrayText.h"

#include "platform/win/NumberParse.h"
#include "platform/win/WideFormat.h"

#include <cmath>
#include <string>

CString doubleArrayToText(std::span<const double> values) {
  std::u16string text = u"[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) text += u'|';
    text += std::isfinite(values[i]) ? hvFormat(u"%f", values[i]).value_or(u"0") : u"0";
  }
  text += u']';
  return CString(std::move(text));
}

bool doubleArrayFromText(const CString& text, std::vector<double>& values) {
  const std::u16string_view all = text.view();
  if (all.empty() || all.front() != u'[') return false;
  std::vector<double> read;
  std::u16string value;
  // Between the first and the last character; a one-character text has none.
  for (std::size_t i = 1; i + 1 < all.size(); ++i) {
    if (all[i] != u'|') {
      value += all[i];
      continue;
    }
    if (value.empty()) return false;
    read.push_back(_wtof(value.c_str()));
    value.clear();
  }
  if (!value.empty()) read.push_back(_wtof(value.c_str()));
  if (all.size() < 2 || all.back() != u']') return false;
  values = std::move(read);
  return true;
}
