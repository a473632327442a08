// The failure of reading or writing a DXF file: a one-line message that names
// the file and, when it is about the content, the line.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace cadhost {

class DxfError : public std::runtime_error {
 public:
  // `line` 0 means the message is about the file as a whole.
  DxfError(const std::string& file, std::size_t line, const std::string& message)
      : std::runtime_error(file + (line ? ":" + std::to_string(line) : std::string()) + ": " + message),
        file_(file),
        line_(line) {}

  const std::string& file() const { return file_; }
  std::size_t line() const { return line_; }

 private:
  std::string file_;
  std::size_t line_;
};

}  // namespace cadhost
