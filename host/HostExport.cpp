#include "host/HostExport.h"

#include <vector>

#include "platform/win/Modules.h"

namespace {

// A folder answered into a buffer by word 109 or 180.
template <int Word, class... Lead>
std::optional<std::u16string> folderOf(const HostExport2D* table, Lead... lead) {
  constexpr int size = 4096;
  std::vector<char16_t> buffer(size + 1, u'\0');
  if (!callHostWordOf<Word>(table, lead..., buffer.data(), size)) return std::nullopt;
  buffer[size] = u'\0';
  return std::u16string(buffer.data());
}

}  // namespace

FARPROC hostExecutableExport(const char* name) {
  HMODULE host = GetModuleHandleW(hostExecutableName);
  if (host == nullptr) host = GetModuleHandleW(hostExecutableAltName);
  return host != nullptr ? GetProcAddress(host, name) : nullptr;
}

HostExport2D* getExport2D() {
  const auto get = reinterpret_cast<GetExport2DProc>(hostExecutableExport(hostExportTableExport));
  return get != nullptr ? get() : nullptr;
}

std::optional<HWND> hostMainWindow(const HostExport2D* table) {
  const std::optional<HWND> window = callHostWordOf<20>(table);
  if (!window || *window == nullptr) return std::nullopt;
  return window;
}

std::optional<int> hostUnitFactor() {
  const std::optional<int> factor = callHostWord<33>();
  if (!factor || *factor <= 0) return std::nullopt;
  return factor;
}

std::optional<double> hostUnitScale(const HostExport2D* table) { return callHostWordOf<178>(table); }

std::optional<std::u16string> hostFolder(const HostExport2D* table) { return folderOf<109>(table, 0); }

std::optional<std::u16string> hostDataFolder() { return folderOf<180>(getExport2D(), 0x10003); }

std::optional<double> hostDrawingScale() {
  const HostExport2D* table = getExport2D();
  return callHostWordOf<32>(table, table, 0);
}

std::optional<double> hostAnnotationScale() { return callHostWord<216>(); }

std::optional<void*> hostProductDatabase(char16_t letter) { return hostProductDatabaseOf(nullptr, letter); }

std::optional<void*> hostProductDatabaseOf(const HostExport2D* table, char16_t letter) {
  if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - u'a' + u'A');
  if (letter != u'E' && letter != u'T' && letter != u'V' && letter != u'Z') return std::nullopt;
  if (table == nullptr) table = getExport2D();
  const std::optional<void*> database = callHostWordOf<51>(table, int{letter}, table, nullptr);
  if (!database || *database == nullptr) return std::nullopt;
  return database;
}

bool showHostHelp(const char16_t* topic) { return callHostWord<153>(topic); }
