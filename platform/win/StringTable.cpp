#include "platform/win/StringTable.h"

#include "platform/win/LastError.h"

#include <algorithm>
#include <array>
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

// The calling thread's last loads, the newest at `next` - 1 (cyclically).
struct LoadMemory {
  struct Load {
    UINT id = 0;
    std::u16string text;
  };
  std::array<Load, kRememberedStringLoads> loads;
  std::size_t next = 0;
};

LoadMemory& loadMemory() {
  thread_local LoadMemory memory;
  return memory;
}

// The conversion characters of a printf format; a '%' is followed by flags,
// a width, a precision and size letters up to one of them.
constexpr std::u16string_view kConversions = u"diouxXeEfFgGaAcCsSpn";

// Splits `format` at its conversions: the literal pieces around them (one
// more than the conversions), "%%" read as a '%'. False for a format that
// ends inside a conversion.
bool literalPieces(std::u16string_view format, std::vector<std::u16string>& pieces) {
  pieces.assign(1, std::u16string());
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != u'%') {
      pieces.back() += format[i];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == u'%') {
      pieces.back() += u'%';
      ++i;
      continue;
    }
    const std::size_t end = format.find_first_of(kConversions, i + 1);
    if (end == std::u16string_view::npos) return false;
    i = end;
    pieces.emplace_back();
  }
  return true;
}

// Whether `text` is `format` with every conversion filled in by some run of
// characters: the first piece begins it, the last ends it, and the pieces
// between follow in order (the leftmost place of each is as good as any).
bool fillsFormat(std::u16string_view format, std::u16string_view text) {
  std::vector<std::u16string> pieces;
  if (!literalPieces(format, pieces)) return false;
  if (pieces.size() == 1) return text == pieces.front();
  const std::u16string& first = pieces.front();
  const std::u16string& last = pieces.back();
  if (text.size() < first.size() + last.size() || !text.starts_with(first) || !text.ends_with(last)) return false;
  std::u16string_view middle = text.substr(first.size(), text.size() - first.size() - last.size());
  for (std::size_t k = 1; k + 1 < pieces.size(); ++k) {
    const std::size_t at = middle.find(pieces[k]);
    if (at == std::u16string_view::npos) return false;
    middle.remove_prefix(at + pieces[k].size());
  }
  return true;
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

std::optional<std::u16string> hvLoadString(UINT id) {
  std::optional<std::u16string> text = hvFindString(id);
  if (!text) return text;
  LoadMemory& memory = loadMemory();
  memory.loads[memory.next] = {id, *text};
  memory.next = (memory.next + 1) % memory.loads.size();
  return text;
}

UINT hvLoadedStringNumber(std::u16string_view text) {
  const LoadMemory& memory = loadMemory();
  for (std::size_t k = 1; k <= memory.loads.size(); ++k) {
    const LoadMemory::Load& load = memory.loads[(memory.next + memory.loads.size() - k) % memory.loads.size()];
    if (load.id != 0 && fillsFormat(load.text, text)) return load.id;
  }
  return 0;
}

int LoadStringW(HINSTANCE, UINT id, LPWSTR buffer, int bufferMax) {
  if (!buffer || bufferMax <= 0) {
    SetLastError(kInvalidParameter);
    return 0;
  }
  const std::optional<std::u16string> text = hvLoadString(id);
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
