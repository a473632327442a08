#include "platform/win/WinPath.h"

#include "platform/win/CodePage.h"
#include "platform/win/FileErrors.h"
#include "platform/win/LastError.h"
#include "platform/win/StringCompare.h"
#include "platform/win/Utf8.h"

#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr DWORD kAlreadyExists = 183;  // ERROR_ALREADY_EXISTS

struct DriveTable {
  std::mutex mutex;
  std::map<char16_t, fs::path> folders;  // keyed by the upper-case letter
};

DriveTable& driveTable() {
  static DriveTable table;
  return table;
}

char16_t upperLetter(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c; }

bool isDriveLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

bool entryExists(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

// The entry of `folder` whose name matches `name` without regard to case,
// or an empty string when there is none.
std::string caseInsensitiveMatch(const fs::path& folder, const std::string& name) {
  const std::u16string wanted = hvUtf8ToWide(name);
  std::vector<std::string> matches;
  std::error_code ec;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (hvIsValidUtf8(entry) && hvCompareNoCaseLetters(hvUtf8ToWide(entry), wanted) == 0) matches.push_back(entry);
  }
  if (matches.empty()) return {};
  return *std::min_element(matches.begin(), matches.end());
}

// Splits at '/' (after '\' became '/'), dropping empty components.
std::vector<std::string> components(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace

void hvSetDriveFolder(WCHAR letter, const fs::path& folder) {
  DriveTable& table = driveTable();
  std::lock_guard lock(table.mutex);
  if (folder.empty()) table.folders.erase(upperLetter(letter));
  else table.folders[upperLetter(letter)] = folder;
}

fs::path hvLinuxPath(std::u16string_view windowsPath) {
  std::u16string_view rest = windowsPath;
  fs::path base;
  bool absolute = false;
  if (rest.size() >= 2 && rest[1] == u':' && isDriveLetter(rest[0])) {
    DriveTable& table = driveTable();
    std::lock_guard lock(table.mutex);
    const auto it = table.folders.find(upperLetter(rest[0]));
    base = it != table.folders.end() ? it->second : fs::path("/");
    absolute = true;
    rest.remove_prefix(2);
  }
  std::string text = hvWideToUtf8(rest);
  std::replace(text.begin(), text.end(), '\\', '/');
  if (!absolute && text.starts_with('/')) {
    base = "/";
    absolute = true;
  }
  const bool trailingSeparator = text.ends_with('/') && !components(text).empty();

  fs::path result = base;
  bool resolving = true;
  for (const std::string& part : components(text)) {
    if (resolving && part != "." && part != ".." && !entryExists(result / part)) {
      const std::string match = caseInsensitiveMatch(result, part);
      if (!match.empty()) {
        result /= match;
        continue;
      }
      resolving = false;  // the rest cannot exist: keep its spelling
    }
    result /= part;
  }
  if (trailingSeparator) result /= "";
  return result;
}

fs::path hvLinuxPathFromNarrow(std::string_view windowsPath) { return hvLinuxPath(hvCp1250ToWide(windowsPath)); }

bool hvCreateDirectoryWithParents(LPCWSTR path) {
  if (!path || !*path) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  const fs::path folder = hvLinuxPath(path);
  std::error_code ec;
  fs::create_directories(folder, ec);
  std::error_code statusError;
  if (fs::is_directory(folder, statusError)) return true;
  if (!ec) ec = statusError;
  SetLastError(ec ? hvSystemErrorFromErrno(ec.value()) : ERROR_ACCESS_DENIED);
  return false;
}

BOOL CreateDirectoryW(LPCWSTR path, void*) {
  if (!path || !*path) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  const fs::path folder = hvLinuxPath(path);
  std::error_code ec;
  if (fs::create_directory(folder, ec)) return TRUE;
  if (!ec) {
    SetLastError(kAlreadyExists);
  } else {
    SetLastError(ec.value() == ENOENT ? ERROR_PATH_NOT_FOUND : hvSystemErrorFromErrno(ec.value()));
  }
  return FALSE;
}

DWORD GetFileAttributesW(LPCWSTR path) {
  if (!path || !*path) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_FILE_ATTRIBUTES;
  }
  const fs::path target = hvLinuxPath(path);
  std::error_code ec;
  const fs::file_status status = fs::status(target, ec);
  if (ec || !fs::exists(status)) {
    const fs::path parent = target.parent_path();
    std::error_code parentError;
    SetLastError(parent.empty() || fs::exists(parent, parentError) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
    return INVALID_FILE_ATTRIBUTES;
  }
  if (fs::is_directory(status)) return FILE_ATTRIBUTE_DIRECTORY;
  return access(target.c_str(), W_OK) == 0 ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}
