// The base of the preview's items: the child items it owns and its paint
// buffer. The process keeps a count of live items, so that tests can see
// every item released.
#pragma once

#include "ui/gdi/buffer.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace GDI {

class item {
 public:
  item();
  item(const item&) = delete;
  item& operator=(const item&) = delete;
  // Releases the children still held (releaseGdiItemArray).
  virtual ~item();

  // Items that live and die with this one; null entries are allowed.
  std::vector<item*> children;
  // The paint buffer (none for items that paint nothing).
  std::unique_ptr<buffer> owned;

  // Items constructed and not yet destroyed, over the whole process.
  static std::int64_t liveCount();
};

}  // namespace GDI
