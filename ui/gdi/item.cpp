#include "ui/gdi/item.h"

#include "ui/gdi/releaseGdiItemArray.h"

#include <atomic>

namespace GDI {

namespace {

std::atomic<std::int64_t> g_liveItems{0};

}  // namespace

item::item() { g_liveItems.fetch_add(1, std::memory_order_relaxed); }

item::~item() {
  releaseGdiItemArray(children);
  g_liveItems.fetch_sub(1, std::memory_order_relaxed);
}

std::int64_t item::liveCount() { return g_liveItems.load(std::memory_order_relaxed); }

}  // namespace GDI
