// Symbol names (layers, blocks, styles, application names) compare without
// regard to case, as CAD programs treat them. Folding covers ASCII, Latin-1
// and Latin Extended-A, which holds every Czech letter.
#pragma once

#include <string>
#include <string_view>

namespace cadhost {

constexpr char16_t foldSymbolChar(char16_t c) noexcept {
  if (c >= 'a' && c <= 'z') return static_cast<char16_t>(c - 'a' + 'A');
  if (c < 0xE0) return c;
  if (c <= 0xFE) return c == 0xF7 ? c : static_cast<char16_t>(c - 0x20);
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x137) return static_cast<char16_t>(c & ~1u);
  if (c >= 0x139 && c <= 0x148) return (c & 1u) ? c : static_cast<char16_t>(c - 1);
  if (c >= 0x14A && c <= 0x177) return static_cast<char16_t>(c & ~1u);
  if (c >= 0x179 && c <= 0x17E) return (c & 1u) ? c : static_cast<char16_t>(c - 1);
  return c;
}

inline std::u16string foldSymbolName(std::u16string_view name) {
  std::u16string out(name);
  for (char16_t& c : out) c = foldSymbolChar(c);
  return out;
}

inline bool sameSymbolName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (foldSymbolChar(a[i]) != foldSymbolChar(b[i])) return false;
  return true;
}

}  // namespace cadhost
