#include "ui/gdi/measureTextExtent.h"

#include <cmath>
#include <limits>

int measureTextExtent(HWND /*window*/, LPCWSTR text, int height) {
  if (text == nullptr) return 0;
  double characters = 0.0;
  for (LPCWSTR unit = text; *unit != 0; ++unit) {
    if (*unit >= 0xDC00 && *unit <= 0xDFFF) continue;  // second half of a pair: one character
    characters += *unit == u'\t' ? 8.0 : 1.0;
  }
  const double width = std::round(characters * 0.6 * std::fabs(static_cast<double>(height)));
  return width >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                   : static_cast<int>(width);
}
