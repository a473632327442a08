// Splits the text of an ASCII DXF file into (group code, value) pairs. Lines
// end with LF or CR LF; comments (999) are skipped. Every failure is a DxfError naming the file and line:
// a group code that is not a number, a code without a value line, a line
// longer than the limit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cadhost {

struct DxfToken {
  int code = 0;
  std::string_view value;  // a view of the file's bytes, without the line end
  std::size_t line = 0;    // line of the group code
};

class DxfTokenizer {
 public:
  // Longest line accepted; a longer one is bad input, not a value.
  static constexpr std::size_t kMaxLineLength = std::size_t{16} << 20;

  DxfTokenizer(std::string_view data, std::string fileName);

  bool atEnd();
  // The next pair without taking it. Call only when !atEnd().
  const DxfToken& peek();
  DxfToken next();

  // Line number just after the last line read (for messages at the end).
  std::size_t currentLine() const { return line_; }
  const std::string& fileName() const { return fileName_; }

  [[noreturn]] void fail(std::size_t line, const std::string& message) const;

 private:
  bool readLine(std::string_view& line);
  bool readPair();
  void fill();

  std::string_view data_;
  std::size_t pos_ = 0;
  std::size_t line_ = 0;
  std::string fileName_;
  DxfToken ahead_;
  bool haveAhead_ = false;
};

}  // namespace cadhost
