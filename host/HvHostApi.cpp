#include "host/HvHostApi.h"

#include <memory>

#include "platform/win/Modules.h"

namespace {

std::unique_ptr<HvHostApi> g_hostApi;
HvHostValues g_hostValues;

// Slots bound for every product kind, in the order they are looked up.
bool boundForEveryKind(int slot) { return slot < 77 || slot > 82; }

std::u16string localPathOf(std::u16string path) {
  static constexpr std::u16string_view roaming = u"\\Roaming\\";
  const std::size_t at = path.find(roaming);
  if (at != std::u16string::npos) path.replace(at, roaming.size(), u"\\Local\\");
  return path;
}

template <class Proc>
Proc exportOf(HMODULE module, const char* name) {
  return reinterpret_cast<Proc>(GetProcAddress(module, name));
}

}  // namespace

HostWord HvHostApi::slot(int index) const {
  return index >= 1 && index <= hostApiSlotCount ? slots_[index] : nullptr;
}

void HvHostApi::reset(bool unload) {
  if (unload && module_ != nullptr) FreeLibrary(module_);
  module_ = nullptr;
  slots_.fill(nullptr);
}

int HvHostApi::bind(HMODULE module) {
  module_ = module;
  if (module == nullptr) {
    if (g_hostApi.get() == this) hvReleaseHostApi(false);
    return 0;
  }
  const auto product = exportOf<HostProductProc>(module, hostApiProductExport);
  if (product != nullptr) g_hostValues.productKind = product();
  const auto type = exportOf<HostTypeProc>(module, hostApiTypeExport);
  g_hostValues.hostType = type != nullptr ? type() : 3;
  if (const auto user = exportOf<HostPathProc>(module, hostApiUserPathExport)) {
    const char16_t* path = user();
    g_hostValues.userDataPath = path != nullptr ? path : u"";
    g_hostValues.userDataPathLocal = localPathOf(g_hostValues.userDataPath);
  }
  if (const auto all = exportOf<HostPathProc>(module, hostApiAllUsersPathExport)) {
    const char16_t* path = all();
    g_hostValues.allUsersPath = path != nullptr ? path : u"";
  }
  if (const auto window = exportOf<HostWindowProc>(module, hostApiWindowExport))
    g_hostValues.mainWindow = window();

  for (int slot = 1; slot <= hostApiSlotCount; ++slot) {
    const bool wanted = boundForEveryKind(slot) ||
                        (g_hostValues.productKind == hostProductLayerKeys && slot <= 80) ||
                        (g_hostValues.productKind == hostProductRc && slot >= 81);
    slots_[slot] = wanted ? reinterpret_cast<HostWord>(GetProcAddress(module, hostApiSlotNames[slot]))
                          : nullptr;
  }
  if (product != nullptr) return 1;
  if (g_hostApi.get() == this) hvReleaseHostApi(false);
  return 0;
}

const HvHostValues& hvHostValues() { return g_hostValues; }

HvHostApi* hvGetHostApi() { return g_hostApi.get(); }

int hvInitHostApi(HMODULE module) {
  if (g_hostApi != nullptr) return 1;
  g_hostApi = std::make_unique<HvHostApi>();
  return g_hostApi->bind(module);
}

void hvReleaseHostApi(bool unload) {
  if (g_hostApi == nullptr) return;
  g_hostApi->reset(unload);
  g_hostApi.reset();
}
