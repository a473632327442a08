#include "tests/host/FakeHost.h"

#include <algorithm>
#include <stdexcept>

#include "platform/win/Modules.h"

namespace {

FakeHost* g_current = nullptr;

HostExport2D* getTable() { return &FakeHost::current().table(); }
HWND mainWindow() { return FakeHost::current().options().mainWindow ? FakeHost::current().window() : nullptr; }
int unitFactor() { return *FakeHost::current().options().unitFactor; }
double unitScale() { return *FakeHost::current().options().unitScale; }

void hostFolder(int, char16_t* buffer, int size) {
  const std::u16string& folder = *FakeHost::current().options().folder;
  const std::size_t n = std::min(folder.size(), static_cast<std::size_t>(size - 1));
  std::copy_n(folder.data(), n, buffer);
  buffer[n] = u'\0';
}

unsigned product() {
  ++FakeHost::current().productCalls;
  return *FakeHost::current().options().productKind;
}
int hostType() { return *FakeHost::current().options().hostType; }
const char16_t* userPath() { return FakeHost::current().options().userDataPath; }
const char16_t* allUsersPath() { return u"C:\\ProgramData\\Havlen\\"; }
HWND cadWindow() { return FakeHost::current().window(); }

resbuf* getVar(const char16_t*, int) {
  ++FakeHost::current().slot6Calls;
  return nullptr;
}

HMODULE registerModule(std::u16string file, std::vector<HvModuleExport> exports) {
  HMODULE module = hvRegisterModule(std::move(file), std::move(exports), HvModuleLoad::now);
  if (module == nullptr) throw std::runtime_error("a fake module could not be registered");
  return module;
}

}  // namespace

void fakeFloorLibInit(HWND) {}
void fakeFloorLibDone() {}
int fakeFloorLibSelect(HWND, int, char*, int, char*, int, int) { return 0; }
int fakeFormatDesc(char16_t* buffer, const resbuf*, const char16_t*, int, int) {
  buffer[0] = u'\0';
  return 0;
}
void fakeMaskEdit() {}
void fakeSlot() {}

FakeHost::FakeHost(FakeHostOptions options) : options_(std::move(options)) {
  if (g_current != nullptr) throw std::logic_error("one fake host at a time");
  g_current = this;
  window_ = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x4711));
  setHostWord<20>(table_, mainWindow);
  if (options_.unitFactor) setHostWord<33>(table_, unitFactor);
  if (options_.unitScale) setHostWord<178>(table_, unitScale);
  if (options_.folder) setHostWord<109>(table_, hostFolder);

  if (options_.hostName != nullptr) {
    std::vector<HvModuleExport> exports;
    if (options_.exportsTable) exports.push_back(hvExport(hostExportTableExport, getTable));
    std::u16string file = options_.hostFile;
    file = file.substr(0, file.find_last_of(u"\\/") + 1) + options_.hostName;
    modules_.push_back(registerModule(file, std::move(exports)));
  }
  if (options_.hostApi) {
    std::vector<HvModuleExport> exports;
    if (options_.productKind) exports.push_back(hvExport(hostApiProductExport, product));
    if (options_.hostType) exports.push_back(hvExport(hostApiTypeExport, hostType));
    exports.push_back(hvExport(hostApiUserPathExport, userPath));
    exports.push_back(hvExport(hostApiAllUsersPathExport, allUsersPath));
    exports.push_back(hvExport(hostApiWindowExport, cadWindow));
    for (int slot = 1; slot <= hostApiSlotCount; ++slot) {
      if (options_.missingSlots.count(slot)) continue;
      if (slot == 6)
        exports.push_back(hvExport(hostApiSlotNames[slot], getVar));
      else
        exports.push_back(hvExport(hostApiSlotNames[slot], fakeSlot));
    }
    modules_.push_back(registerModule(u"C:\\Host\\DuZivaruReZuz2u.vev", std::move(exports)));
  }
  auto sibling = [&](bool wanted, const char16_t* name, std::vector<HvModuleExport> exports) {
    if (!wanted) return;
    std::erase_if(exports, [&](const HvModuleExport& e) { return options_.missingSiblingExports.count(e.name) > 0; });
    // Not loaded until the module asks for it.
    HMODULE module = hvRegisterModule(std::u16string(u"C:\\Host\\") + name, std::move(exports));
    if (module == nullptr) throw std::runtime_error("a fake sibling could not be registered");
    modules_.push_back(module);
  };
  sibling(options_.floorLibrary, floorLibraryModuleName,
          {hvExport("HV_FLOOR_LIB_INIT", fakeFloorLibInit), hvExport("HV_FLOOR_LIB_DONE", fakeFloorLibDone),
           hvExport("HV_FLOOR_LIB_SELECT", fakeFloorLibSelect), hvExport("HV_FLOOR_SAVE_FSTRUCT_TO_DICT", fakeSlot),
           hvExport("HV_FLOOR_ENUM_ACTION", fakeSlot), hvExport("HV_FLOOR_ENUM_OZN", fakeSlot),
           hvExport("HV_FLOOR_ENUM_DEF", fakeSlot), hvExport("HV_FLOOR_DELETE_FSTRUCT", fakeSlot)});
  sibling(options_.maskEditor, maskEditorModuleName, {hvExport("QEV_MASK_EDIT", fakeMaskEdit)});
  sibling(options_.descFormatter, descFormatterModuleName, {hvExport("FormatDescFromMask", fakeFormatDesc)});
}

FakeHost::~FakeHost() {
  for (HMODULE module : modules_) hvUnregisterModule(module);
  g_current = nullptr;
}

FakeHost& FakeHost::current() {
  if (g_current == nullptr) throw std::logic_error("no fake host");
  return *g_current;
}
