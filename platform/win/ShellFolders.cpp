#include "platform/win/ShellFolders.h"

#include <atomic>
#include <string_view>

namespace {

std::atomic<HRESULT> failure{S_OK};

}  // namespace

HRESULT SHGetFolderPathW(HWND, int csidl, HANDLE, DWORD, LPWSTR path) {
  if (const HRESULT code = failure.load(); code != S_OK) return code;
  if (path == nullptr || csidl != CSIDL_PROGRAM_FILES_COMMON) return E_INVALIDARG;
  constexpr std::u16string_view folder = u"C:\\Program Files\\Common Files";
  folder.copy(path, folder.size());
  path[folder.size()] = u'\0';
  return S_OK;
}

void hvSetShellFolderFailure(HRESULT code) { failure.store(code); }
