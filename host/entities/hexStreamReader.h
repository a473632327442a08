// Reading values back from a text of hexadecimal digit pairs, one pair per
// byte, lowest byte first (the form hexWriter writes). A read that lacks
// digits or meets a character that is no hexadecimal digit fails and leaves
// the position where it was.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class hexStreamReader {
 public:
  // The reader keeps a view: the text must outlive it.
  explicit hexStreamReader(std::u16string_view text, std::size_t position = 0)
      : text_(text), position_(position < text.size() ? position : text.size()) {}

  bool readInt32(std::int32_t& value);             // 8 digits
  bool readDouble(double& value);                  // 16 digits
  bool readPoint(std::array<double, 3>& value);    // 48 digits
  // Byte pairs up to and including a zero byte; the text is the bytes before
  // it. Fails when no zero byte follows.
  bool readText(std::string& value);

  std::size_t position() const { return position_; }
  std::size_t remaining() const { return text_.size() - position_; }

 private:
  // The byte at pair `index` from the position; -1 for a bad or missing digit.
  int byteAt(std::size_t index) const;
  bool readBytes(unsigned char* bytes, std::size_t count);

  std::u16string_view text_;
  std::size_t position_;
};
