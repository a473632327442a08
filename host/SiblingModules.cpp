#include "host/SiblingModules.h"

#include <string>
#include <string_view>

#include "platform/cadhost/HostTables.h"
#include "platform/win/AfxManageState.h"
#include "platform/win/Modules.h"

HvSiblingFunctions hvSiblings;

namespace {

constexpr DWORD moduleFileNameMax = 1024;

// The folder of the loaded host executable with its trailing separator, or
// empty when it cannot be had.
std::u16string hostExecutableFolder() {
  HMODULE host = GetModuleHandleW(hostExecutableName);
  if (host == nullptr) host = GetModuleHandleW(hostExecutableAltName);
  if (host == nullptr) return {};
  WCHAR buffer[moduleFileNameMax + 1] = {};
  const DWORD length = GetModuleFileNameW(host, buffer, moduleFileNameMax);
  if (length == 0 || length >= moduleFileNameMax) return {};
  const std::u16string_view path(buffer, length);
  const std::size_t separator = path.find_last_of(u"\\/");
  if (separator == std::u16string_view::npos) return {};
  return std::u16string(path.substr(0, separator + 1));
}

template <class Proc>
Proc exportOf(HMODULE module, const char* name) {
  return module != nullptr ? reinterpret_cast<Proc>(GetProcAddress(module, name)) : nullptr;
}

}  // namespace

std::u16string siblingModulePath(const WCHAR* name) {
  if (name == nullptr) return {};
  std::u16string path(name);
  if (path.find_first_of(u"\\/") == std::u16string::npos) path = hostExecutableFolder() + path;
  return path;
}

HMODULE loadSiblingModule(const WCHAR* name) {
  if (name == nullptr) return nullptr;
  const std::u16string path = siblingModulePath(name);
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  return AfxLoadLibrary(path.c_str());
}

void bindSiblingModules() {
  HvSiblingFunctions& s = hvSiblings;
  const HMODULE floors = loadSiblingModule(floorLibraryModuleName);
  s.floorLibInit = exportOf<HvFloorLibInitProc>(floors, "HV_FLOOR_LIB_INIT");
  s.floorLibDone = exportOf<HvFloorLibDoneProc>(floors, "HV_FLOOR_LIB_DONE");
  s.floorLibSelect = exportOf<HvFloorLibSelectProc>(floors, "HV_FLOOR_LIB_SELECT");
  s.floorSaveToDict = exportOf<HvFloorSaveToDictProc>(floors, "HV_FLOOR_SAVE_FSTRUCT_TO_DICT");
  s.floorEnumAction = exportOf<HvFloorEnumActionProc>(floors, "HV_FLOOR_ENUM_ACTION");
  s.floorEnumMarks = exportOf<HvFloorEnumMarksProc>(floors, "HV_FLOOR_ENUM_OZN");
  s.floorEnumDef = exportOf<HvFloorEnumDefProc>(floors, "HV_FLOOR_ENUM_DEF");
  s.floorDelete = exportOf<HvFloorDeleteProc>(floors, "HV_FLOOR_DELETE_FSTRUCT");
  s.maskEdit = exportOf<HvMaskEditProc>(loadSiblingModule(maskEditorModuleName), "QEV_MASK_EDIT");
  s.formatDescFromMask =
      exportOf<HvFormatDescProc>(loadSiblingModule(descFormatterModuleName), "FormatDescFromMask");
}
