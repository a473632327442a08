#include "host/entities/hexStreamReader.h"

#include <cstring>

#include "platform/win/StringCompare.h"

namespace {

int digitValue(char16_t c) {
  constexpr std::u16string_view digits = u"0123456789abcdef";
  const std::size_t at = digits.find(hvFoldAscii(c));
  return at == std::u16string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

int hexStreamReader::byteAt(std::size_t index) const {
  const std::size_t at = position_ + 2 * index;
  if (remaining() < 2 * index + 2) return -1;
  const int high = digitValue(text_[at]);
  const int low = digitValue(text_[at + 1]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}

bool hexStreamReader::readBytes(unsigned char* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const int byte = byteAt(i);
    if (byte < 0) return false;
    bytes[i] = static_cast<unsigned char>(byte);
  }
  position_ += 2 * count;
  return true;
}

bool hexStreamReader::readInt32(std::int32_t& value) {
  unsigned char bytes[4];
  if (!readBytes(bytes, sizeof bytes)) return false;
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) bits = bits << 8 | bytes[i];
  value = static_cast<std::int32_t>(bits);
  return true;
}

bool hexStreamReader::readDouble(double& value) {
  unsigned char bytes[8];
  if (!readBytes(bytes, sizeof bytes)) return false;
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = bits << 8 | bytes[i];
  std::memcpy(&value, &bits, sizeof value);
  return true;
}

bool hexStreamReader::readPoint(std::array<double, 3>& value) {
  const std::size_t start = position_;
  std::array<double, 3> read{};
  for (double& d : read) {
    if (!readDouble(d)) {
      position_ = start;
      return false;
    }
  }
  value = read;
  return true;
}

bool hexStreamReader::readText(std::string& value) {
  std::size_t count = 0;
  for (;; ++count) {
    const int byte = byteAt(count);
    if (byte < 0) return false;
    if (byte == 0) break;
  }
  std::string read(count, '\0');
  for (std::size_t i = 0; i < count; ++i) read[i] = static_cast<char>(byteAt(i));
  position_ += 2 * (count + 1);
  value = std::move(read);
  return true;
}
