// Writes values as lower-case hexadecimal text into a buffer of fixed
// capacity. Every write first checks the room it needs and, when there is not
// enough, fails without writing anything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

class hexWriter {
 public:
  // A buffer of `capacity` bytes, the terminating zero included.
  explicit hexWriter(std::size_t capacity);

  // The bytes of a narrow text as two-character pairs ("00" to "ff"),
  // followed by the pair of the terminating zero ("00").
  bool writeText(std::string_view text);
  // The 8 bytes of a double (16 characters), lowest byte first.
  bool writeDouble(double value);
  // The 4 bytes of a 32-bit integer (8 characters), lowest byte first: 1
  // gives "01000000".
  bool writeInt32(std::int32_t value);

  // Writes the terminating zero and answers the text written (without the
  // zero, which follows it in the buffer); none when there is no room.
  std::optional<std::string_view> finish();

  std::size_t capacity() const { return m_buffer.size(); }
  std::size_t position() const { return m_position; }

 private:
  bool hasRoom(std::size_t bytes) const { return bytes <= m_buffer.size() - m_position; }
  void putByte(std::uint8_t byte);
  bool writeBytes(std::uint64_t value, int count);

  std::vector<char> m_buffer;
  std::size_t m_position = 0;
};
