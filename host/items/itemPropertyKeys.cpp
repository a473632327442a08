#include "host/items/itemPropertyKeys.h"

#include <array>

#include "host/items/productConnection.h"
#include "platform/win/StringCompare.h"

namespace {

constexpr std::array<const char16_t*, kFixedPropertyCount> kFixedNames = {
    u"_MATERIAL", u"_LABEL", u"_NAME", u"_DIM", u"_LENGTH", u"_WIDTH", u"_HEIGHT", u"_DIAMETER", u"_COMMENT", u"_ANGLE"};

}  // namespace

const char16_t* fixedPropertyName(std::int32_t index) {
  return index >= 0 && index < kFixedPropertyCount ? kFixedNames[static_cast<std::size_t>(index)] : nullptr;
}

std::optional<std::u16string> itemPropertyName(const HostExport2D* host, char16_t letter, std::int32_t index) {
  productConnection* record = openProductConnection(host, letter);
  if (record == nullptr || index < 0) return std::nullopt;
  const auto cached = record->names.find(index);
  if (cached != record->names.end()) return cached->second;
  std::optional<std::u16string> name = record->database->propertyName(index);
  if (name && name->empty()) name.reset();
  record->names.emplace(index, name);
  return name;
}

std::u16string itemPropertyKey(const HostExport2D* host, char16_t letter, std::int32_t index) {
  if (std::optional<std::u16string> name = itemPropertyName(host, letter, index)) return *name;
  const char16_t* fixed = fixedPropertyName(index);
  return fixed != nullptr ? std::u16string(fixed) : std::u16string();
}

std::int32_t itemPropertyIndex(const HostExport2D* host, char16_t letter, std::u16string_view key) {
  for (std::int32_t i = 0; i < kMaxPropertyNames; ++i) {
    const std::optional<std::u16string> name = itemPropertyName(host, letter, i);
    if (!name) break;
    if (hvCompareNoCaseLetters(*name, key) == 0) return i;
  }
  for (std::int32_t i = 0; i < kFixedPropertyCount; ++i)
    if (hvCompareNoCaseLetters(kFixedNames[static_cast<std::size_t>(i)], key) == 0) return i;
  return -1;
}
