#include "platform/cadhost/SaveTarget.h"

#include <unistd.h>

#include <filesystem>

namespace cadhost {

namespace fs = std::filesystem;

bool sameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  const bool same = fs::equivalent(a, b, error);
  return !error && same;
}

bool namesFolder(const std::string& target) {
  if (target.empty() || target.back() == '/') return true;
  const std::string last = fs::path(target).filename().string();
  return last == "." || last == "..";
}

std::string saveTargetProblem(const std::string& target, const std::vector<ProtectedFile>& protectedFiles) {
  if (namesFolder(target)) return "save needs a file name, not a folder";
  std::error_code error;
  const fs::path path(target);
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  if (!fs::is_directory(folder, error)) return "the folder " + folder.string() + " does not exist";
  const fs::file_status status = fs::status(path, error);
  if (fs::is_directory(status)) return "save needs a file name, not a folder";
  if (fs::exists(status)) {
    for (const ProtectedFile& file : protectedFiles)
      if (!file.path.empty() && sameFile(target, file.path))
        return std::string("it is ") + file.role + "; save under another name";
    // Write permission bits, not only access(): a user with every right
    // (root) still meant a 0444 file to stay as it is.
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((status.permissions() & anyWrite) == fs::perms::none || ::access(target.c_str(), W_OK) != 0)
      return "the file is read-only";
  }
  return {};
}

}  // namespace cadhost
