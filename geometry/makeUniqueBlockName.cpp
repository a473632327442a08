#include "geometry/makeUniqueBlockName.h"

#include <algorithm>
#include <atomic>

std::u16string makeUniqueBlockName(std::uint32_t seed) {
  static std::atomic<std::uint32_t> counter{seed};
  std::uint32_t value = counter.fetch_add(1, std::memory_order_relaxed);
  std::u16string digits;
  do {
    digits.insert(digits.begin(), u"0123456789ABCDEF"[value & 0xFu]);
    value >>= 4;
  } while (value != 0);
  return u"*UMSHV9" + digits;
}

std::size_t makeUniqueBlockName(char16_t* buffer, std::size_t size, std::uint32_t seed) {
  const std::u16string name = makeUniqueBlockName(seed);
  if (buffer == nullptr || size == 0) return 0;
  const std::size_t n = std::min(name.size(), size - 1);
  std::copy_n(name.data(), n, buffer);
  buffer[n] = u'\0';
  return n;
}
