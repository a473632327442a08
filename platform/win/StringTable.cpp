#include "platform/win/StringTable.h"

#include "platform/win/LastError.h"

#include <algorithm>
#include <mutex>
#include <shared_mutex>
#include <span>
#include <vector>

namespace {

constexpr DWORD kInvalidParameter = 87;         // ERROR_INVALID_PARAMETER
constexpr DWORD kResourceNameNotFound = 1814;  // ERROR_RESOURCE_NAME_NOT_FOUND

struct Registry {
  std::shared_mutex mutex;
  std::vector<std::span<const HvStringResource>> tables;  // oldest first
};

Registry& registry() {
  static Registry r;
  return r;
}

}  // namespace

void hvRegisterStringTable(const HvStringResource* table, std::size_t count) {
  if (!table || count == 0) return;
  Registry& r = registry();
  std::unique_lock lock(r.mutex);
  const bool known = std::any_of(r.tables.begin(), r.tables.end(),
                                 [&](const auto& t) { return t.data() == table; });
  if (!known) r.tables.emplace_back(table, count);
}

void hvUnregisterStringTable(const HvStringResource* table) {
  Registry& r = registry();
  std::unique_lock lock(r.mutex);
  std::erase_if(r.tables, [&](const auto& t) { return t.data() == table; });
}

std::optional<std::u16string> hvFindString(UINT id) {
  Registry& r = registry();
  std::shared_lock lock(r.mutex);
  for (auto t = r.tables.rbegin(); t != r.tables.rend(); ++t) {
    for (const HvStringResource& entry : *t) {
      if (entry.id == id && entry.text) return std::u16string(entry.text);
    }
  }
  return std::nullopt;
}

int LoadStringW(HINSTANCE, UINT id, LPWSTR buffer, int bufferMax) {
  if (!buffer || bufferMax <= 0) {
    SetLastError(kInvalidParameter);
    return 0;
  }
  const std::optional<std::u16string> text = hvFindString(id);
  if (!text) {
    buffer[0] = 0;
    SetLastError(kResourceNameNotFound);
    return 0;
  }
  const std::size_t n = std::min(text->size(), static_cast<std::size_t>(bufferMax - 1));
  std::char_traits<char16_t>::copy(buffer, text->data(), n);
  buffer[n] = 0;
  return static_cast<int>(n);
}
