// Whole-file reads and replacements for the settings files (profiles, the
// registry's backing file).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The bytes of the file, or nothing (errno says why) when it cannot be read.
std::optional<std::string> hvReadFileBytes(const std::filesystem::path& path);

// Replaces the file's contents with `bytes` in one step: a temporary file in
// the same folder renamed over it, so that a failed write (a full disk)
// leaves the old contents whole. The old file's permissions are kept and a
// link is followed. When the folder does not allow a new file, the file is
// rewritten in place instead. Answers 0, or the errno of the failure.
int hvReplaceFileBytes(const std::filesystem::path& path, const std::string& bytes);
