// The product database module's shared allocator of UTF-16 blocks. The
// database module and the modules that pass it text buffers allocate and free
// those blocks through this one allocator, so that a block made on one side
// may be freed on the other.
#pragma once

#include <cstdint>

namespace qevDatabase::Helper {

class hvArraySharedAllocator_UTF16 {
 public:
  // A block of `capacity` zeroed UTF-16 units; null when capacity < 1 or
  // memory is out.
  static char16_t* constructArray(std::int32_t capacity);

  // Frees a block made by constructArray; `capacity` must be the one it was
  // made with. A null block is ignored.
  static void destructArray(char16_t* block, std::int32_t capacity);

  // Blocks made and not yet freed, over the whole process.
  static std::int64_t liveBlocks();
};

}  // namespace qevDatabase::Helper
