#include "host/formatQuantity.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/ProfileFile.h"

namespace {

constexpr DWORD kEntryMax = 32768;
constexpr std::size_t kUnitMax = 99;

// The factor from drawing units (u per metre) to the unit text's unit.
double unitScale(std::u16string_view unit, double u) {
  struct Rule {
    std::u16string_view unit;
    double perMetre;
    int power;
  };
  static constexpr Rule rules[] = {{u"mm", 1000.0, 1}, {u"cm", 100.0, 1}, {u"m", 1.0, 1},
                                   {u"mm2", 1000.0, 2}, {u"cm2", 100.0, 2}, {u"m2", 1.0, 2},
                                   {u"mm3", 1000.0, 3}, {u"cm3", 100.0, 3}, {u"m3", 1.0, 3}};
  for (const Rule& rule : rules)
    if (rule.unit == unit) return std::pow(rule.perMetre / u, rule.power);
  return 1.0;
}

// The number at the start of the text, false when it holds none.
bool leadingNumber(const WCHAR* text, std::size_t size, double& value) {
  std::string narrow;
  for (std::size_t i = 0; i < size && text[i] != u'\0' && text[i] < 0x80; ++i)
    narrow.push_back(static_cast<char>(text[i]));
  const char* begin = narrow.c_str();
  char* end = nullptr;
  value = std::strtod(begin, &end);
  return end != begin && std::isfinite(value);
}

}  // namespace

bool formatQuantity(LPCWSTR key, WCHAR* text, std::size_t size, LPCWSTR file, double unitsPerMetre) {
  if (key == nullptr || text == nullptr || size == 0 || file == nullptr || !(unitsPerMetre != 0.0 && std::isfinite(unitsPerMetre))) return false;
  std::vector<WCHAR> entry(kEntryMax, u'\0');
  GetPrivateProfileStringW(u"INFO_FORMAT", key, u"", entry.data(), kEntryMax, file);
  const std::u16string_view format(entry.data());
  if (format.empty()) return false;
  const std::size_t split = format.find(u';');
  const std::u16string_view decimalsField = format.substr(0, split);
  std::u16string_view unit = split == std::u16string_view::npos ? std::u16string_view() : format.substr(split + 1);
  unit = unit.substr(0, std::min(unit.find(u';'), kUnitMax));
  int decimals = 2;
  if (!decimalsField.empty()) {
    const std::string digits(decimalsField.begin(), decimalsField.end());
    decimals = std::clamp(std::atoi(digits.c_str()), 0, 20);
  }
  double value = 0.0;
  if (!leadingNumber(text, size, value)) return false;
  value *= unitScale(unit, unitsPerMetre);
  char number[400];
  const int length = std::snprintf(number, sizeof number, "%.*f", decimals, value);
  if (length < 0 || static_cast<std::size_t>(length) >= sizeof number) return false;
  std::u16string result(number, number + length);
  result += unit;
  if (result.size() + 1 > size) return false;
  std::copy(result.begin(), result.end(), text);
  text[result.size()] = u'\0';
  return true;
}
