// Where a `save` may write: the checks made before a drawing is written, so
// that a save never creates folders the user did not ask for, never replaces
// a read-only file and never overwrites a file the run reads or writes
// (the drawing loaded, the script, the call log).
#pragma once

#include <string>
#include <vector>

namespace cadhost {

// A file the run uses, which no save may replace.
struct ProtectedFile {
  std::string path;
  const char* role;  // "the drawing loaded", "the script", ...
};

// Whether both paths name one existing file (through links and relative
// paths); false when either does not exist.
bool sameFile(const std::string& a, const std::string& b);

// Whether `target` names a folder by its form: ends in a separator, or is
// "." or "..".
bool namesFolder(const std::string& target);

// Why the drawing cannot be saved at `target`; empty when it can. The reasons:
// "save needs a file name, not a folder", "the folder F does not exist",
// "the file is read-only", "it is <role>; save under another name".
std::string saveTargetProblem(const std::string& target, const std::vector<ProtectedFile>& protectedFiles);

}  // namespace cadhost
