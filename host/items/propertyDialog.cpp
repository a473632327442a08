#include "host/items/propertyDialog.h"

#include <string>
#include <vector>

#include "platform/win/Modules.h"

namespace {

// The longest module file name asked for.
constexpr DWORD kMaxModulePath = 4096;

// The folder of the heating module's file with its separator; empty when the
// module is not loaded or its name has no folder.
std::u16string heatingModuleFolder() {
  HMODULE self = GetModuleHandleW(heatingModuleName);
  if (self == nullptr) return {};
  std::vector<char16_t> buffer(kMaxModulePath + 1, u'\0');
  const DWORD length = GetModuleFileNameW(self, buffer.data(), kMaxModulePath);
  if (length == 0 || length >= kMaxModulePath) return {};
  const std::u16string path(buffer.data(), length);
  const std::size_t cut = path.find_last_of(u"\\/");
  return cut == std::u16string::npos ? std::u16string() : path.substr(0, cut);
}

template <class Proc>
Proc exportOf(HMODULE module, const char* name) {
  return reinterpret_cast<Proc>(GetProcAddress(module, name));
}

}  // namespace

void propertyDialogBinding::unbind() {
  if (module != nullptr) FreeLibrary(module);
  module = nullptr;
  dialog = nullptr;
  freeList = nullptr;
  setDate = nullptr;
  getList = nullptr;
  setData = nullptr;
}

bool bindPropertyDialog(propertyDialogBinding& binding) {
  if (binding.module == nullptr) {
    binding.module = LoadLibraryW((heatingModuleFolder() + u"\\" + maskEditorModuleName).c_str());
    if (binding.module == nullptr) return false;
  }
  binding.dialog = exportOf<HvPropertyDialogProc>(binding.module, "PPDlgW");
  binding.freeList = exportOf<HvPropertyFreeProc>(binding.module, "PPFree");
  binding.setDate = exportOf<HvPropertySetDateProc>(binding.module, "SetPP2DateW");
  binding.getList = exportOf<HvPropertyGetListProc>(binding.module, "PPGetResbufW");
  binding.setData = exportOf<HvPropertySetDataProc>(binding.module, "SetPPDataW");
  return binding.bound();
}
