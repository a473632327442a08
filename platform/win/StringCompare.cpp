#include "platform/win/StringCompare.h"

#include <string>

namespace {

template <char16_t (*Fold)(char16_t)>
int compareFolded(std::u16string_view a, std::u16string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const int ca = Fold(a[i]);
    const int cb = Fold(b[i]);
    if (ca != cb) return ca - cb;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

char16_t hvFoldAscii(char16_t unit) {
  return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 0x20) : unit;
}

char16_t hvFoldLetters(char16_t unit) {
  if (unit < 0x80) return hvFoldAscii(unit);
  if (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7) return static_cast<char16_t>(unit + 0x20);
  if (unit == 0x178) return 0xFF;  // Y with diaeresis, the one pair split between blocks
  // Latin Extended-A pairs upper and lower case on neighbouring units: the
  // upper case is even in 0100-0137 and 014A-0177, odd in 0139-0148 and
  // 0179-017E. U+0130, U+0131, U+0138 and U+0149 have no simple partner here.
  if ((unit >= 0x100 && unit <= 0x12F) || (unit >= 0x132 && unit <= 0x137) ||
      (unit >= 0x14A && unit <= 0x177))
    return (unit % 2 == 0) ? static_cast<char16_t>(unit + 1) : unit;
  if ((unit >= 0x139 && unit <= 0x148) || (unit >= 0x179 && unit <= 0x17E))
    return (unit % 2 == 1) ? static_cast<char16_t>(unit + 1) : unit;
  return unit;
}

int hvCompareNoCaseAscii(std::u16string_view a, std::u16string_view b) {
  return compareFolded<hvFoldAscii>(a, b);
}

int hvCompareNoCaseLetters(std::u16string_view a, std::u16string_view b) {
  return compareFolded<hvFoldLetters>(a, b);
}

int _wcsicmp(LPCWSTR a, LPCWSTR b) {
  if (!a || !b) return HV_NLSCMPERROR;
  return hvCompareNoCaseAscii(a, b);
}

int _wcsnicmp(LPCWSTR a, LPCWSTR b, std::size_t count) {
  if (!a || !b) return HV_NLSCMPERROR;
  std::u16string_view va(a), vb(b);
  return hvCompareNoCaseAscii(va.substr(0, count), vb.substr(0, count));
}

int lstrcmpiW(LPCWSTR a, LPCWSTR b) {
  if (!a || !b) return (a != nullptr) - (b != nullptr);
  return sign(hvCompareNoCaseLetters(a, b));
}
