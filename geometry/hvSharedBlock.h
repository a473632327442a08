// A heap block of arrays shared by several holders. Each holder keeps a
// pointer to the block and calls release when it lets go; the last release
// destroys the arrays (whose own destructors release their elements) and
// frees the block.
#pragma once

#include <atomic>
#include <cstdint>
#include <new>

template <typename Arrays>
class hvSharedBlock {
 public:
  // A new block held once; null when memory is out.
  static hvSharedBlock* create() { return new (std::nothrow) hvSharedBlock(); }

  hvSharedBlock(const hvSharedBlock&) = delete;
  hvSharedBlock& operator=(const hvSharedBlock&) = delete;

  void addRef() { m_refs.fetch_add(1, std::memory_order_relaxed); }

  // Lets go of one hold; answers the holds left. At 0 the block is gone.
  std::int32_t release() {
    const std::int32_t left = m_refs.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0) delete this;
    return left;
  }

  std::int32_t refCount() const { return m_refs.load(std::memory_order_relaxed); }
  Arrays& arrays() { return m_arrays; }
  const Arrays& arrays() const { return m_arrays; }

 private:
  hvSharedBlock() = default;
  ~hvSharedBlock() = default;

  std::atomic<std::int32_t> m_refs{1};
  Arrays m_arrays;
};
