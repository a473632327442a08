// A list of memory blocks that the list owns (the floor-structure records
// read from the floor-structure library are kept so). Blocks keep their
// address while the list grows.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

class ptrList {
 public:
  ptrList() = default;
  ptrList(const ptrList&) = delete;
  ptrList& operator=(const ptrList&) = delete;
  ~ptrList() { freeAll(); }

  // A new zeroed block of `bytes` bytes (at least one) owned by the list;
  // null when memory is out.
  void* add(std::size_t bytes);
  // A new block holding a copy of `bytes` bytes of `data`; null when data is
  // null or memory is out.
  void* addCopy(const void* data, std::size_t bytes);

  std::size_t count() const { return m_blocks.size(); }
  // The block at `index` and its size; null and 0 out of range.
  void* at(std::size_t index) const;
  std::size_t sizeAt(std::size_t index) const;

  // Frees the block at `index` and closes the gap; false past the end.
  bool removeAtAndFree(std::size_t index);

  // Frees the blocks from the last to the first and the list's own buffers;
  // the list is empty afterwards and may be used again.
  void freeAll();

 private:
  std::vector<std::unique_ptr<std::byte[]>> m_blocks;
  std::vector<std::size_t> m_sizes;
};
