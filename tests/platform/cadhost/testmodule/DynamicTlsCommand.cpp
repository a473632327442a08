// A command of the test module that leaves a thread with the module's
// thread-local state placed where the sanitizer runtime up to GCC 13 misreads
// it (16 past a page boundary, see platform/cadhost/app/SanitizerDefaults.cpp):
// the thread steers the allocator until the next block of the module's TLS
// size lands there, touches its thread_local (glibc allocates the block with
// malloc) and stays alive, so that the leak check at cadhost's exit scans it.
// Without the sanitizer, or where the allocator cannot be steered, the thread
// touches its thread_local all the same.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <thread>
#include <vector>

#include <dlfcn.h>
#include <link.h>

#define TM_COMMAND extern "C" __attribute__((visibility("default"))) void

namespace {

thread_local std::uint64_t t_slots[4];

// The size of this module's TLS block (PT_TLS), 0 when not found.
std::size_t ownTlsSize() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ownTlsSize), &info) == 0) return 0;
  struct Search {
    const void* base;
    std::size_t size;
  } search{info.dli_fbase, 0};
  dl_iterate_phdr(
      [](dl_phdr_info* object, std::size_t, void* data) {
        auto* s = static_cast<Search*>(data);
        if (reinterpret_cast<const void*>(object->dlpi_addr) != s->base) return 0;
        for (ElfW(Half) i = 0; i < object->dlpi_phnum; ++i)
          if (object->dlpi_phdr[i].p_type == PT_TLS) s->size = object->dlpi_phdr[i].p_memsz;
        return 1;
      },
      &search);
  return search.size;
}

// Allocates blocks of `size` until the next one would start 16 past a page
// boundary (the allocator hands out a size class's blocks one after another);
// answers the blocks, to be freed once the TLS block is made.
std::vector<void*> steerAllocator(std::size_t size) {
  constexpr int kMaxBlocks = 20000;
  std::vector<void*> blocks;
  blocks.reserve(kMaxBlocks);
  for (int i = 0; size > 0 && i + 1 < kMaxBlocks; i += 2) {
    void* first = std::malloc(size);
    void* second = std::malloc(size);
    blocks.push_back(first);
    blocks.push_back(second);
    const auto a = reinterpret_cast<std::uintptr_t>(first);
    const auto b = reinterpret_cast<std::uintptr_t>(second);
    if (b > a && (b + (b - a)) % 4096 == 16) break;
  }
  return blocks;
}

}  // namespace

TM_COMMAND tmDynamicTls() {
  static std::atomic<bool> ready{false};
  const std::size_t size = ownTlsSize();
  std::thread([size] {
    std::vector<void*> blocks = steerAllocator(size);
    t_slots[0] = reinterpret_cast<std::uintptr_t>(&t_slots);
    for (void* block : blocks) std::free(block);
    ready = true;
    // Alive at the exit's leak check; the process ends it.
    std::this_thread::sleep_for(std::chrono::hours(1));
  }).detach();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!ready && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}
