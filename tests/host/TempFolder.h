// A fresh folder below the build's test area, removed at the end of a test.
#pragma once

#include <filesystem>
#include <string>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // A file of the folder as a UTF-16 path, written with the given UTF-8 text.
  std::u16string write(const std::string& name, const std::string& text) const;
  std::string read(const std::string& name) const;

 private:
  std::filesystem::path path_;
};
