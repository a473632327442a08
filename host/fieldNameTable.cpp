#include "host/fieldNameTable.h"

#include <array>
#include <mutex>

namespace {

constexpr std::array<const char16_t*, fieldNameCount> kNames{
    u"_MATERIAL", u"_LABEL",   u"_NAME",    u"_DIM",         u"_ANGLE",    u"_DESC",     u"_DIAMETER",
    u"_GROUP",    u"_HEIGHT",  u"_QCATALOGUE", u"_LENGTH",   u"_MEASUREMENT", u"_SLOPE", u"_QPROD",
    u"_SUBGROUP", u"_SUBSCRIPT", u"_QTYPE", u"_WEIGHT",      u"_QAPPENDIX"};

struct fieldTexts {
  std::mutex lock;  // guards texts
  std::array<std::u16string, fieldNameCount> texts;
};

fieldTexts& table() {
  static fieldTexts instance;
  return instance;
}

}  // namespace

const char16_t* fieldNameAt(int i) { return i >= 0 && i < fieldNameCount ? kNames[static_cast<std::size_t>(i)] : nullptr; }

std::u16string fieldTextAt(int i) {
  if (i < 0 || i >= fieldNameCount) return {};
  fieldTexts& t = table();
  std::lock_guard guard(t.lock);
  return t.texts[static_cast<std::size_t>(i)];
}

bool fillFieldNameTable(const HvUserParamSource* source, std::u16string_view tableName) {
  if (source == nullptr) return false;
  fieldTexts& t = table();
  std::lock_guard guard(t.lock);
  if (!t.texts[0].empty()) return false;
  const CUserParams rows = source->enumNames(tableName);
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    std::u16string value;
    for (const CUserParamItem& row : rows) {
      if (row.name == kNames[i]) {
        value = row.value.substr(0, fieldTextMaxUnits);
        break;
      }
    }
    t.texts[i] = std::move(value);
  }
  return true;
}

void clearFieldNameTable() {
  fieldTexts& t = table();
  std::lock_guard guard(t.lock);
  for (std::u16string& text : t.texts) text.clear();
}
