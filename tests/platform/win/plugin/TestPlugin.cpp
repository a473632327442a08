// A tiny shared object for the module-loading tests. Like the heating module,
// its static start-up looks for the host and binds a sibling module by name,
// and its exit frees the sibling again.
#include "platform/win/Modules.h"

namespace {

struct Startup {
  bool sawHost = GetModuleHandleW(u"REDUZUZI.EXE") != nullptr;
  bool sawItself = GetModuleHandleW(u"Qev_Heating.crx") != nullptr;
  HMODULE sibling = LoadLibraryW(u"WIZARD.DLL");

  ~Startup() {
    if (sibling != nullptr) FreeLibrary(sibling);
  }
};

Startup g_startup;

}  // namespace

extern "C" int hvTestPluginAnswer() { return 42; }

// Bits: 1 the host was loaded, 2 the plugin answered to its registered name
// while it loaded, 4 the sibling loaded.
extern "C" int hvTestPluginStartup() {
  return (g_startup.sawHost ? 1 : 0) | (g_startup.sawItself ? 2 : 0) | (g_startup.sibling != nullptr ? 4 : 0);
}
