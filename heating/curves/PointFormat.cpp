#include "heating/curves/PointFormat.h"

#include "platform/win/NumberParse.h"
#include "platform/win/WideFormat.h"

#include <cmath>

std::u16string formatPoint(const XtGePoint2d& point) {
  // A coordinate that rounds to 0.00 is written without a sign: "-0.00" is
  // only the noise of a turned frame, and would not come back as it went.
  const auto shown = [](double value) { return std::isfinite(value) && std::abs(value) >= 0.005 ? value : 0.0; };
  return hvFormat(u"(%.2f|%.2f|%.2f)", shown(point.x), shown(point.y), 0.0).value_or(std::u16string());
}

int parseNumberList(std::u16string_view text, XtGePoint2d& point) {
  if (text.empty() || text.front() != u'(') return 0;
  // The range between the "(" and the last character; empty for "(" alone.
  const std::u16string_view inner = text.size() > 2 ? text.substr(1, text.size() - 2) : std::u16string_view();
  int read = 0;
  std::size_t partStart = 0;
  for (std::size_t bar = inner.find(u'|'); bar != std::u16string_view::npos; bar = inner.find(u'|', partStart)) {
    if (bar > partStart) {
      const std::u16string part(inner.substr(partStart, bar - partStart));
      const double value = _wtof(part.c_str());
      if (read == 0) point.x = value;
      if (read == 1) point.y = value;
      ++read;
    }
    partStart = bar + 1;
  }
  return read;
}
