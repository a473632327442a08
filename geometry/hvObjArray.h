// The shared library's array of constructed objects: all `capacity`
// elements are live objects from the moment the block is made, `count` of
// them are in use, and the block grows to the next multiple of the
// granularity (8 when 0 is given).
//
// Growth move-constructs the elements into the new block and then destroys
// the old ones, so element types that own memory (XtGePoint2dArray, records
// with strings) keep it exactly once. A value handed in may be an element of
// the array itself; it is copied before the block changes. Allocation
// failures never throw: a failed construction or copy leaves an empty array,
// a failed growth leaves the array as it was.
#pragma once

#include "geometry/hvArrayAllocator.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>

template <typename T>
class hvObjArray {
  static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "over-aligned element type");

 public:
  using value_type = T;
  static constexpr std::int32_t kDefaultGranularity = 8;

  explicit hvObjArray(std::int32_t capacity = 0, std::int32_t granularity = 0)
      : m_granularity(granularity > 0 ? granularity : kDefaultGranularity) {
    if (capacity >= 1) {
      m_data = makeBlock(capacity, nullptr, 0, false);
      if (m_data) m_capacity = capacity;
    }
  }

  hvObjArray(const hvObjArray& other) : m_granularity(other.m_granularity) {
    if (other.m_capacity < 1) return;
    m_data = makeBlock(other.m_capacity, other.m_data, other.m_count, false);
    if (!m_data) return;
    m_capacity = other.m_capacity;
    m_count = other.m_count;
  }

  hvObjArray(hvObjArray&& other) noexcept { swap(other); }

  // A copy of `other`; an empty array when the copy cannot be made.
  hvObjArray& operator=(const hvObjArray& other) {
    if (this != &other) {
      hvObjArray copy(other);
      swap(copy);
    }
    return *this;
  }

  hvObjArray& operator=(hvObjArray&& other) noexcept {
    if (this != &other) {
      hvObjArray moved(std::move(other));
      swap(moved);
    }
    return *this;
  }

  ~hvObjArray() { destroy(); }

  void swap(hvObjArray& other) noexcept {
    std::swap(m_count, other.m_count);
    std::swap(m_capacity, other.m_capacity);
    std::swap(m_granularity, other.m_granularity);
    std::swap(m_data, other.m_data);
  }

  std::int32_t count() const { return m_count; }
  std::int32_t capacity() const { return m_capacity; }
  std::int32_t granularity() const { return m_granularity; }
  bool isEmpty() const { return m_count == 0; }
  T* data() { return m_data; }
  const T* data() const { return m_data; }

  // Address of element `index`; callers keep it within 0..count-1.
  T* at(std::int32_t index) {
    assert(index >= 0 && index < m_count);
    return m_data + index;
  }
  const T* at(std::int32_t index) const {
    assert(index >= 0 && index < m_count);
    return m_data + index;
  }
  T& operator[](std::int32_t index) { return *at(index); }
  const T& operator[](std::int32_t index) const { return *at(index); }

  T* begin() { return m_data; }
  T* end() { return m_data + m_count; }
  const T* begin() const { return m_data; }
  const T* end() const { return m_data + m_count; }

  // Stores a copy behind the elements in use; answers its index, or -1 when
  // the block cannot grow.
  std::int32_t add(const T& value) {
    if (m_count >= m_capacity) {
      if (m_count >= hvMaxArrayElements<T>() - m_granularity) return -1;
      T copy(value);
      if (!regrow(nextMultipleAbove(m_count))) return -1;
      m_data[m_count] = std::move(copy);
    } else {
      m_data[m_count] = value;
    }
    return m_count++;
  }

  // Stores the value at `index`: within the elements in use it overwrites
  // one; beyond them the elements up to `index` come into use (those between
  // reset to their defaults) and the block grows to the next multiple of
  // the granularity above `index` when needed. False for a negative index or
  // a failed growth.
  bool setAtGrow(std::int32_t index, const T& value) {
    if (index < 0) return false;
    if (index < m_count) {
      m_data[index] = value;
      return true;
    }
    if (index >= m_capacity) {
      if (index >= hvMaxArrayElements<T>() - m_granularity) return false;
      T copy(value);
      if (!regrow(nextMultipleAbove(index))) return false;
      std::fill(m_data + m_count, m_data + index, T());
      m_data[index] = std::move(copy);
    } else {
      T copy(value);
      std::fill(m_data + m_count, m_data + index, T());
      m_data[index] = std::move(copy);
    }
    m_count = index + 1;
    return true;
  }

  // Destroys every element of the block and frees it; the array is empty.
  void destroy() {
    if (m_data) {
      std::destroy_n(m_data, m_capacity);
      ::operator delete(m_data);
    }
    m_data = nullptr;
    m_count = 0;
    m_capacity = 0;
  }

 private:
  std::int32_t nextMultipleAbove(std::int32_t index) const {
    return index + (m_granularity - index % m_granularity);
  }

  bool regrow(std::int32_t capacity) {
    T* block = makeBlock(capacity, m_data, m_count, true);
    if (!block) return false;
    const std::int32_t count = m_count;
    destroy();
    m_data = block;
    m_capacity = capacity;
    m_count = count;
    return true;
  }

  // A block of `capacity` live elements: the first `keep` move- or
  // copy-constructed from `source` (copied when a move could throw, so that
  // a failure leaves the source whole), the rest value-initialised. Null when
  // memory is out; an element constructor that throws leaves nothing behind.
  static T* makeBlock(std::int32_t capacity, T* source, std::int32_t keep, bool move) {
    if (capacity < 1 || capacity > hvMaxArrayElements<T>()) return nullptr;
    const std::size_t bytes = static_cast<std::size_t>(capacity) * sizeof(T);
    if (!hvAllocationAllowed(bytes)) return nullptr;
    T* block = static_cast<T*>(::operator new(bytes, std::nothrow));
    if (!block) return nullptr;
    std::int32_t built = 0;
    try {
      for (; built < keep; ++built) {
        if (move)
          std::construct_at(block + built, std::move_if_noexcept(source[built]));
        else
          std::construct_at(block + built, std::as_const(source[built]));
      }
      for (; built < capacity; ++built) std::construct_at(block + built);
    } catch (...) {
      std::destroy_n(block, built);
      ::operator delete(block);
      throw;
    }
    return block;
  }

  std::int32_t m_count = 0;
  std::int32_t m_capacity = 0;
  std::int32_t m_granularity = kDefaultGranularity;
  T* m_data = nullptr;
};
