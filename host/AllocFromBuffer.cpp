#include "host/AllocFromBuffer.h"

#include <cstdint>

void* allocFromBuffer(char** next, std::size_t* left, std::size_t n) {
  if (next == nullptr || left == nullptr || *next == nullptr) return nullptr;
  const auto address = reinterpret_cast<std::uintptr_t>(*next);
  const std::size_t padding = (hvArenaAlignment - address % hvArenaAlignment) % hvArenaAlignment;
  if (padding > *left || n > *left - padding) return nullptr;
  char* block = *next + padding;
  *next = block + n;
  *left -= padding + n;
  return block;
}
