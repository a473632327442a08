#include "platform/qevdb/QevDatabaseAllocator.h"

#include <atomic>
#include <cstddef>
#include <new>

namespace qevDatabase::Helper {

namespace {

std::atomic<std::int64_t> g_liveBlocks{0};

}  // namespace

char16_t* hvArraySharedAllocator_UTF16::constructArray(std::int32_t capacity) {
  if (capacity < 1) return nullptr;
  char16_t* block = new (std::nothrow) char16_t[static_cast<std::size_t>(capacity)]();
  if (block) g_liveBlocks.fetch_add(1, std::memory_order_relaxed);
  return block;
}

void hvArraySharedAllocator_UTF16::destructArray(char16_t* block, std::int32_t /*capacity*/) {
  if (!block) return;
  delete[] block;
  g_liveBlocks.fetch_sub(1, std::memory_order_relaxed);
}

std::int64_t hvArraySharedAllocator_UTF16::liveBlocks() {
  return g_liveBlocks.load(std::memory_order_relaxed);
}

}  // namespace qevDatabase::Helper
