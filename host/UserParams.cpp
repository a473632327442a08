#include "host/UserParams.h"

#include <algorithm>
#include <atomic>
#include <optional>

#include "host/HostExport.h"
#include "platform/win/ProfileFile.h"

namespace {

std::atomic<HvUserParamResolver> g_resolver{nullptr};

std::u16string textOf(const char16_t* text) { return text != nullptr ? std::u16string(text) : std::u16string(); }

// The whole value of a profile key, however long.
std::u16string readInfo(const char16_t* key, const char16_t* defaultValue, const char16_t* file) {
  if (key == nullptr || file == nullptr) return textOf(defaultValue);
  std::u16string buffer(1024, u'\0');
  for (;;) {
    const DWORD n = GetPrivateProfileStringW(u"INFO", key, defaultValue, buffer.data(),
                                             static_cast<DWORD>(buffer.size()), file);
    if (n + 1 < buffer.size() || buffer.size() >= (1u << 24)) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::u16string getUserParam(const HvUserParamSource* database, const char16_t* key,
                            const char16_t* defaultValue, const char16_t* file) {
  if (database != nullptr && key != nullptr) {
    const CUserParams params = database->enumNames(u"PARS");
    const auto found = std::find_if(params.begin(), params.end(),
                                    [&](const CUserParamItem& item) { return item.name == key; });
    if (found != params.end()) return found->value;
  }
  return readInfo(key, defaultValue, file);
}

int getUserParam(const HvUserParamSource* database, const char16_t* key, const char16_t* defaultValue,
                 char16_t* out, int size, const char16_t* file) {
  if (out == nullptr || size <= 0) return 0;
  const std::u16string value = getUserParam(database, key, defaultValue, file);
  const std::size_t n = std::min(value.size(), static_cast<std::size_t>(size - 1));
  std::copy_n(value.data(), n, out);
  out[n] = u'\0';
  return static_cast<int>(n);
}

std::u16string getInfoParam(const char16_t* key, const char16_t* defaultValue, const char16_t* file) {
  return getUserParam(nullptr, key, defaultValue, file);
}

std::u16string getUserParamByLetter(const char16_t* name, const char16_t* key, const char16_t* defaultValue) {
  const HvUserParamSource* database = nullptr;
  if (name != nullptr && name[0] != u'\0') {
    const std::optional<void*> handle = hostProductDatabase(name[0]);
    const HvUserParamResolver resolve = g_resolver.load();
    if (handle && resolve != nullptr) database = resolve(*handle);
  }
  return getUserParam(database, key, defaultValue, nullptr);
}

void hvSetUserParamResolver(HvUserParamResolver resolver) { g_resolver.store(resolver); }
