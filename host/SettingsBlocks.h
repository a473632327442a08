// The byte-block forms the settings stores share: numbers as little-endian
// elements (4 bytes per integer, 8 per double) and string lists as UTF-16
// strings, each followed by a 16-bit zero.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "platform/win/CString.h"
#include "platform/win/WinTypes.h"

// The element at `bytes` (sizeof(Value) bytes, least significant first).
template <typename Value>
Value valueFromBlock(const BYTE* bytes) {
  static_assert(sizeof(Value) == 4 || sizeof(Value) == 8);
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < sizeof(Value); ++i) bits |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
  Value value;
  if constexpr (sizeof(Value) == 4) {
    const auto narrow = static_cast<std::uint32_t>(bits);
    std::memcpy(&value, &narrow, sizeof value);
  } else {
    std::memcpy(&value, &bits, sizeof value);
  }
  return value;
}

// The elements of a block whose size is a multiple of the element size.
template <typename Value>
std::vector<Value> valuesFromBlock(const std::vector<BYTE>& bytes) {
  std::vector<Value> values(bytes.size() / sizeof(Value));
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = valueFromBlock<Value>(&bytes[i * sizeof(Value)]);
  return values;
}

template <typename Value>
std::vector<BYTE> blockOfValues(std::span<const Value> values) {
  static_assert(sizeof(Value) == 4 || sizeof(Value) == 8);
  std::vector<BYTE> bytes;
  bytes.reserve(values.size() * sizeof(Value));
  for (const Value v : values) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof v);
    for (std::size_t i = 0; i < sizeof(Value); ++i) bytes.push_back(static_cast<BYTE>(bits >> (8 * i)));
  }
  return bytes;
}

// Each string followed by a 16-bit zero, end to end.
template <typename Strings>
std::vector<BYTE> blockOfStrings(const Strings& strings) {
  std::vector<BYTE> bytes;
  for (const CString& s : strings) {
    for (const char16_t unit : s.view()) {
      bytes.push_back(static_cast<BYTE>(unit & 0xFF));
      bytes.push_back(static_cast<BYTE>(unit >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
  }
  return bytes;
}

// The strings of a block of even size, each ending at a 16-bit zero or at
// the block's end.
std::vector<CString> stringsFromBlock(const std::vector<BYTE>& bytes);
