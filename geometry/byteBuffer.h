// A byte buffer that may or may not own its bytes: {data, size, owned}.
// An owned block comes from the C heap (malloc) and is freed with free();
// a borrowed one belongs to whoever lent it. One owner, no locking.
#pragma once

#include <cstddef>

struct byteBuffer {
  unsigned char* data = nullptr;
  std::size_t size = 0;
  bool owned = false;

  byteBuffer() = default;
  byteBuffer(const byteBuffer&) = delete;
  byteBuffer& operator=(const byteBuffer&) = delete;
  ~byteBuffer() { clear(*this); }

  // Frees the data when the buffer owns it (borrowed data is left alone),
  // then the buffer is empty and owns nothing.
  static void clear(byteBuffer& buffer);
};
