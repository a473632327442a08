#include "geometry/ptrList.h"

#include <algorithm>
#include <cstring>
#include <new>

void* ptrList::add(std::size_t bytes) {
  std::unique_ptr<std::byte[]> block(new (std::nothrow) std::byte[std::max<std::size_t>(bytes, 1)]());
  if (!block) return nullptr;
  m_blocks.reserve(m_blocks.size() + 1);
  m_sizes.reserve(m_sizes.size() + 1);
  m_sizes.push_back(bytes);
  m_blocks.push_back(std::move(block));
  return m_blocks.back().get();
}

void* ptrList::addCopy(const void* data, std::size_t bytes) {
  if (data == nullptr) return nullptr;
  void* block = add(bytes);
  if (block && bytes > 0) std::memcpy(block, data, bytes);
  return block;
}

void* ptrList::at(std::size_t index) const {
  return index < m_blocks.size() ? m_blocks[index].get() : nullptr;
}

std::size_t ptrList::sizeAt(std::size_t index) const {
  return index < m_sizes.size() ? m_sizes[index] : 0;
}

bool ptrList::removeAtAndFree(std::size_t index) {
  if (index >= m_blocks.size()) return false;
  m_blocks.erase(m_blocks.begin() + static_cast<std::ptrdiff_t>(index));
  m_sizes.erase(m_sizes.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

void ptrList::freeAll() {
  while (!m_blocks.empty()) m_blocks.pop_back();
  std::vector<std::unique_ptr<std::byte[]>>().swap(m_blocks);
  std::vector<std::size_t>().swap(m_sizes);
}
