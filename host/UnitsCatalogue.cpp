#include "host/UnitsCatalogue.h"

#include <optional>

#include "platform/win/WideFormat.h"
#include "host/HostExport.h"
#include "platform/win/ProfileFile.h"

namespace {

constexpr DWORD valueSize = 1024;
constexpr std::u16string_view gap = u"##";

std::u16string readValue(const std::u16string& section, const std::u16string& key, const std::u16string& file) {
  WCHAR buffer[valueSize] = {};
  GetPrivateProfileStringW(section.c_str(), key.c_str(), gap.data(), buffer, valueSize, file.c_str());
  return buffer;
}

std::u16string keyOf(const char16_t* format, unsigned n) {
  WCHAR buffer[32];
  return hvSwprintf(buffer, 32, format, n) < 0 ? std::u16string() : std::u16string(buffer);
}

std::vector<std::u16string> splitFields(std::u16string_view value) {
  std::vector<std::u16string> fields;
  for (std::size_t start = 0;;) {
    const std::size_t end = value.find(u';', start);
    fields.emplace_back(value.substr(start, end == std::u16string_view::npos ? end : end - start));
    if (end == std::u16string_view::npos) return fields;
    start = end + 1;
  }
}

// Reads keys format(0), format(1), ... until more than maxGaps gaps in a row,
// handing every other value with its number to `take`.
template <class Take>
void readList(const std::u16string& section, const std::u16string& file, const char16_t* format, int maxGaps,
              Take take) {
  int gaps = 0;
  for (unsigned n = 0; gaps <= maxGaps; ++n) {
    const std::u16string value = readValue(section, keyOf(format, n), file);
    if (value == gap) {
      ++gaps;
      continue;
    }
    gaps = 0;
    take(n, value);
  }
}

std::u16string sectionOf(char16_t letter) { return std::u16string(u"MODULE_") + letter; }

std::optional<std::u16string> defaultFile() {
  std::optional<std::u16string> folder = hostFolder(getExport2D());
  if (!folder || folder->empty()) return std::nullopt;
  while (!folder->empty() && (folder->back() == u'\\' || folder->back() == u'/')) folder->pop_back();
  return *folder + u"\\DAT\\QEV_LIN.DAT";
}

}  // namespace

bool readUnitsCatalogue(HvUnitsCatalogue& catalogue, char16_t letter, const char16_t* file) {
  catalogue = HvUnitsCatalogue{};
  catalogue.letter = letter;
  const std::optional<std::u16string> path = file != nullptr ? std::optional<std::u16string>(file) : defaultFile();
  if (!path) return true;
  catalogue.file = *path;
  const std::u16string section = sectionOf(letter);

  readList(section, *path, u"%u", 10, [&](unsigned n, const std::u16string& value) {
    if (catalogue.lines.size() <= n) {
      const std::size_t from = catalogue.lines.size();
      catalogue.lines.resize(n + 1);
      for (std::size_t i = from; i <= n; ++i) catalogue.lines[i].keyNumber = static_cast<unsigned>(i);
    }
    HvUnitsLine& line = catalogue.lines[n];
    const std::vector<std::u16string> fields = splitFields(value);
    for (std::size_t k = 0; k < line.fields.size() && k < fields.size(); ++k) line.fields[k] = fields[k];
    line.present = true;
  });
  readList(section, *path, u"MJ%u", 10, [&](unsigned n, const std::u16string& value) {
    if (catalogue.units.size() <= n) catalogue.units.resize(n + 1);
    catalogue.units[n].name = value;
  });
  readList(section, *path, u"MAT%u", 20,
           [&](unsigned, const std::u16string& value) { catalogue.materials.push_back(value); });
  readList(section, *path, u"DIM%u", 10, [&](unsigned, const std::u16string& value) {
    const std::vector<std::u16string> fields = splitFields(value);
    for (std::size_t k = 0; k < fields.size() && k < catalogue.units.size(); ++k)
      if (!fields[k].empty()) catalogue.units[k].dimensions.push_back(fields[k]);
  });
  return true;
}

bool swapUnitsEntries(HvUnitsCatalogue& catalogue, int index, bool down) {
  const int partner = down ? index + 1 : index - 1;
  const int count = static_cast<int>(catalogue.lines.size());
  if (index < 0 || index >= count || partner < 0 || partner >= count || catalogue.file.empty()) return false;
  HvUnitsLine& a = catalogue.lines[static_cast<std::size_t>(index)];
  HvUnitsLine& b = catalogue.lines[static_cast<std::size_t>(partner)];
  const std::u16string section = sectionOf(catalogue.letter);
  const std::u16string keyA = keyOf(u"%u", a.keyNumber);
  const std::u16string keyB = keyOf(u"%u", b.keyNumber);
  const std::u16string valueA = readValue(section, keyA, catalogue.file);
  const std::u16string valueB = readValue(section, keyB, catalogue.file);
  // A gap is written as a missing key, as it was read.
  auto valueOrGap = [](const std::u16string& v) { return v == gap ? nullptr : v.c_str(); };
  if (!WritePrivateProfileStringW(section.c_str(), keyA.c_str(), valueOrGap(valueB), catalogue.file.c_str()))
    return false;
  if (!WritePrivateProfileStringW(section.c_str(), keyB.c_str(), valueOrGap(valueA), catalogue.file.c_str())) {
    WritePrivateProfileStringW(section.c_str(), keyA.c_str(), valueOrGap(valueA), catalogue.file.c_str());
    return false;
  }
  std::swap(a.fields, b.fields);
  std::swap(a.present, b.present);
  return true;
}
