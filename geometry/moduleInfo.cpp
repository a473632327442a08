#include "geometry/moduleInfo.h"

#include <string_view>

#include "platform/win/Modules.h"
#include "platform/win/ShellFolders.h"

namespace {

bool giveVersion(HMODULE module, bool product, WORD* major, WORD* minor, WORD* build, WORD* revision) {
  HvModuleVersion version;
  if (!hvGetModuleVersion(module, version)) return false;
  const WORD* parts = product ? version.product : version.file;
  WORD* outputs[4] = {major, minor, build, revision};
  for (int i = 0; i < 4; ++i)
    if (outputs[i] != nullptr) *outputs[i] = parts[i];
  return true;
}

}  // namespace

HRESULT commonFilesSubPath(char16_t* buffer, std::size_t size, const char16_t* sub) {
  if (buffer == nullptr || size < MAX_PATH) return E_FAIL;
  const HRESULT found = SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES_COMMON, nullptr, SHGFP_TYPE_CURRENT, buffer);
  if (found != S_OK || sub == nullptr) return found;
  const std::size_t length = std::char_traits<char16_t>::length(buffer);
  const std::u16string_view tail(sub);
  if (length + tail.size() + 1 > size) return E_FAIL;
  tail.copy(buffer + length, tail.size());
  buffer[length + tail.size()] = u'\0';
  return S_OK;
}

std::size_t moduleFolder(HMODULE module, char16_t* buffer, DWORD size, bool keepSeparator) {
  if (buffer == nullptr || size == 0) return 0;
  const DWORD length = GetModuleFileNameW(module, buffer, size);
  std::size_t cut = 0;
  if (length > 0 && length < size) {
    const std::size_t separator = std::u16string_view(buffer, length).find_last_of(u"\\/");
    if (separator != std::u16string_view::npos) cut = keepSeparator ? separator + 1 : separator;
  }
  buffer[cut] = u'\0';
  return cut;
}

bool moduleFileVersion(HMODULE module, WORD* major, WORD* minor, WORD* build, WORD* revision) {
  return giveVersion(module, false, major, minor, build, revision);
}

bool moduleProductVersion(HMODULE module, WORD* major, WORD* minor, WORD* build, WORD* revision) {
  return giveVersion(module, true, major, minor, build, revision);
}
