#include "geometry/byteBuffer.h"

#include <cstdlib>

void byteBuffer::clear(byteBuffer& buffer) {
  if (buffer.owned) std::free(buffer.data);
  buffer.data = nullptr;
  buffer.size = 0;
  buffer.owned = false;
}
