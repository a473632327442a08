#include "platform/win/Bstr.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The length prefix in bytes, as automation strings keep it.
using LengthPrefix = std::uint32_t;
constexpr std::size_t kPrefixBytes = sizeof(std::max_align_t);

unsigned char* blockOf(BSTR text) { return reinterpret_cast<unsigned char*>(text) - kPrefixBytes; }

}  // namespace

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  if (length > (0x7FFFFFFFu - kPrefixBytes) / sizeof(OLECHAR) - 1) return nullptr;
  const std::size_t bytes = std::size_t{length} * sizeof(OLECHAR);
  auto* block = static_cast<unsigned char*>(std::malloc(kPrefixBytes + bytes + sizeof(OLECHAR)));
  if (block == nullptr) return nullptr;
  const LengthPrefix prefix = static_cast<LengthPrefix>(bytes);
  std::memcpy(block + kPrefixBytes - sizeof prefix, &prefix, sizeof prefix);
  auto* chars = reinterpret_cast<BSTR>(block + kPrefixBytes);
  if (text != nullptr) {
    std::memcpy(chars, text, bytes);
  } else {
    std::memset(chars, 0, bytes);
  }
  chars[length] = u'\0';
  return chars;
}

BSTR SysAllocString(LPCOLESTR text) {
  if (text == nullptr) return nullptr;
  UINT length = 0;
  while (text[length] != u'\0') ++length;
  return SysAllocStringLen(text, length);
}

void SysFreeString(BSTR text) {
  if (text != nullptr) std::free(blockOf(text));
}

UINT SysStringLen(BSTR text) {
  if (text == nullptr) return 0;
  LengthPrefix prefix;
  std::memcpy(&prefix, blockOf(text) + kPrefixBytes - sizeof prefix, sizeof prefix);
  return static_cast<UINT>(prefix / sizeof(OLECHAR));
}
