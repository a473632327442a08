#include "platform/win/GdiHandles.h"

#include <cstdint>
#include <mutex>
#include <unordered_set>

namespace {

// Handle values are never reused, so deleting a handle twice is refused.
struct GdiObjects {
  std::mutex mutex;
  std::unordered_set<std::uintptr_t> live;
  std::uintptr_t next = 0x100;
};

GdiObjects& gdiObjects() {
  static GdiObjects* objects = new GdiObjects;
  return *objects;
}

HGDIOBJ makeObject() {
  auto& objects = gdiObjects();
  std::lock_guard lock(objects.mutex);
  const std::uintptr_t value = objects.next;
  objects.next += 4;
  objects.live.insert(value);
  return reinterpret_cast<HGDIOBJ>(value);
}

}  // namespace

HPEN CreatePen(int, int, COLORREF) { return makeObject(); }

HBRUSH CreateSolidBrush(COLORREF) { return makeObject(); }

BOOL DeleteObject(HGDIOBJ object) {
  auto& objects = gdiObjects();
  std::lock_guard lock(objects.mutex);
  return objects.live.erase(reinterpret_cast<std::uintptr_t>(object)) != 0 ? TRUE : FALSE;
}

std::size_t hvLiveGdiObjectCount() {
  auto& objects = gdiObjects();
  std::lock_guard lock(objects.mutex);
  return objects.live.size();
}
