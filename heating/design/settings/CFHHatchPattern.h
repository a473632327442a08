// One hatch pattern record as the host hands it out (host word 77): 80 bytes
// beginning with the pattern's NUL-terminated narrow name. The design model
// keeps copies of the host's records.
#pragma once

#include <array>
#include <cstring>
#include <string_view>

struct CFHHatchPattern {
  static constexpr std::size_t kSize = 80;
  std::array<unsigned char, kSize> bytes{};

  // The name: the bytes up to the first NUL (all 80 when there is none).
  std::string_view name() const {
    const char* text = reinterpret_cast<const char*>(bytes.data());
    return std::string_view(text, strnlen(text, kSize));
  }
};
