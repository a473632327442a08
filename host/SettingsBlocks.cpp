#include "host/SettingsBlocks.h"

#include <string>

std::vector<CString> stringsFromBlock(const std::vector<BYTE>& bytes) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i)
    units[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  std::vector<CString> strings;
  std::size_t start = 0;
  while (start < units.size()) {
    std::size_t end = units.find(u'\0', start);
    if (end == std::u16string::npos) end = units.size();
    strings.push_back(CString(units.data() + start, static_cast<int>(end - start)));
    start = end + 1;
  }
  return strings;
}
