#include "platform/cadhost/NarrowText.h"

#include <cstdio>

#include "platform/cadhost/DxfTextCodec.h"
#include "platform/win/CodePage.h"

namespace cadhost {

std::u16string narrowToWide(const char* text) {
  return text == nullptr ? std::u16string() : narrowToWide(std::string_view(text));
}

std::u16string narrowToWide(std::string_view text) {
  std::u16string wide = hvCp1250ToWide(text);
  DxfTextCodec::decodeEscapes(wide);
  return wide;
}

std::string wideToNarrow(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t unit : text) {
    const int byte = hvCp1250FromUnit(unit);
    if (byte >= 0 && unit != 0) {
      out.push_back(static_cast<char>(byte));
      continue;
    }
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\U+%04X", static_cast<unsigned>(unit));
    out += escape;
  }
  return out;
}

}  // namespace cadhost
