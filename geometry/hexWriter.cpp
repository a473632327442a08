#include "geometry/hexWriter.h"

#include <bit>

hexWriter::hexWriter(std::size_t capacity) : m_buffer(capacity, '\0') {}

void hexWriter::putByte(std::uint8_t byte) {
  static constexpr char kDigits[] = "0123456789abcdef";
  m_buffer[m_position++] = kDigits[byte >> 4];
  m_buffer[m_position++] = kDigits[byte & 0x0F];
}

bool hexWriter::writeBytes(std::uint64_t value, int count) {
  if (!hasRoom(2 * static_cast<std::size_t>(count))) return false;
  for (int i = 0; i < count; ++i) putByte(static_cast<std::uint8_t>(value >> (8 * i)));
  return true;
}

bool hexWriter::writeText(std::string_view text) {
  if (text.size() >= m_buffer.size() || !hasRoom(2 * (text.size() + 1))) return false;
  for (char c : text) putByte(static_cast<std::uint8_t>(c));
  putByte(0);
  return true;
}

bool hexWriter::writeDouble(double value) { return writeBytes(std::bit_cast<std::uint64_t>(value), 8); }

bool hexWriter::writeInt32(std::int32_t value) {
  return writeBytes(static_cast<std::uint32_t>(value), 4);
}

std::optional<std::string_view> hexWriter::finish() {
  if (!hasRoom(1)) return std::nullopt;
  m_buffer[m_position] = '\0';
  return std::string_view(m_buffer.data(), m_position);
}
