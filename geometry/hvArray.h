// The shared library's plain growable array: a block of `capacity` elements
// of which the first `count` are in use, growing by insertion in steps that
// double the block while it is under 64 KB and add 64 KB beyond that, never
// by less than `growBy`.
//
// Every element of the block is a constructed object (the block is made by
// the allocator's constructArray), so element types that own memory are
// safe: growth moves the elements into the new block and destroys the old
// one. A value or a range handed in may refer into the array itself; it is
// copied before the block changes. Allocation failures never throw: a failed
// construction, copy or assignment leaves an empty array, a failed growth
// leaves the array as it was and answers false.
#pragma once

#include "geometry/hvArrayAllocator.h"
#include "platform/win/StringCompare.h"
#include "platform/win/WinTypes.h"

#include <algorithm>
#include <cassert>
#include <concepts>
#include <cstdint>
#include <type_traits>
#include <utility>

template <typename T, typename Allocator = hvArrayDefaultAllocator<T>>
class hvArray {
 public:
  using value_type = T;
  static constexpr std::int32_t kDefaultGrowBy = 8;
  // Below this block size the insertion step is the current count.
  static constexpr std::int64_t kStepLimitBytes = 65536;

  // An array of `capacity` allocated elements (none for capacity < 1); when
  // the block cannot be made the capacity is 0.
  explicit hvArray(std::int32_t capacity = 0, std::int32_t growBy = kDefaultGrowBy)
      : m_growBy(growBy) {
    if (capacity >= 1) {
      m_data = allocate(capacity);
      if (m_data) m_capacity = capacity;
    }
  }

  // Same capacity, count and growBy; an empty array when the block cannot be made.
  hvArray(const hvArray& other) : m_growBy(other.m_growBy) {
    if (other.m_capacity < 1) return;
    BlockGuard block(allocate(other.m_capacity), other.m_capacity);
    if (!block.data) return;
    std::copy(other.m_data, other.m_data + other.m_count, block.data);
    m_data = block.take();
    m_capacity = other.m_capacity;
    m_count = other.m_count;
  }

  hvArray(hvArray&& other) noexcept { swap(other); }

  // Copies the elements of `other` (growBy stays). When the block is too
  // small a block of exactly other's count replaces it; when that cannot be
  // made the array is left empty.
  hvArray& operator=(const hvArray& other) {
    if (this == &other) return *this;
    if (m_capacity < other.m_count) {
      T* block = allocate(other.m_count);
      release();
      if (!block) return *this;
      m_data = block;
      m_capacity = other.m_count;
    }
    std::copy(other.m_data, other.m_data + other.m_count, m_data);
    resetElements(other.m_count, m_count);
    m_count = other.m_count;
    return *this;
  }

  hvArray& operator=(hvArray&& other) noexcept {
    if (this != &other) {
      hvArray moved(std::move(other));
      swap(moved);
    }
    return *this;
  }

  ~hvArray() { release(); }

  void swap(hvArray& other) noexcept {
    std::swap(m_data, other.m_data);
    std::swap(m_capacity, other.m_capacity);
    std::swap(m_count, other.m_count);
    std::swap(m_growBy, other.m_growBy);
  }

  T* data() { return m_data; }
  const T* data() const { return m_data; }
  std::int32_t capacity() const { return m_capacity; }
  std::int32_t count() const { return m_count; }
  std::int32_t length() const { return m_count; }
  std::int32_t growBy() const { return m_growBy; }
  bool isEmpty() const { return m_count == 0; }
  void setGrowBy(std::int32_t growBy) { m_growBy = growBy; }

  // Element access; callers keep the index within 0..count-1.
  T& operator[](std::int32_t index) {
    assert(index >= 0 && index < m_count);
    return m_data[index];
  }
  const T& operator[](std::int32_t index) const {
    assert(index >= 0 && index < m_count);
    return m_data[index];
  }

  T* begin() { return m_data; }
  T* end() { return m_data + m_count; }
  const T* begin() const { return m_data; }
  const T* end() const { return m_data + m_count; }

  // Appends the n elements at `items` (which may lie in this array). False,
  // and nothing changes, for n < 0, a null pointer with n > 0, or a failed
  // growth.
  bool append(const T* items, std::int32_t n) {
    if (n == 0) return true;
    if (n < 0 || items == nullptr) return false;
    if (n > hvMaxArrayElements<T>() - m_count) return false;
    const std::int32_t newCount = m_count + n;
    if (newCount <= m_capacity) {
      // The source lies before count or outside the array, the target behind
      // count: the ranges never overlap.
      std::copy(items, items + n, m_data + m_count);
    } else {
      const std::int32_t newCapacity = grownCapacity(newCount);
      BlockGuard block(allocate(newCapacity), newCapacity);
      if (!block.data) return false;
      // The new elements first: the source may be one of the old elements.
      std::copy(items, items + n, block.data + m_count);
      std::move(m_data, m_data + m_count, block.data);
      replaceBlock(block.take(), newCapacity);
    }
    m_count = newCount;
    return true;
  }
  bool append(const hvArray& other) { return append(other.m_data, other.m_count); }

  // Appends one element; answers its index, or -1 when the array cannot grow.
  std::int32_t append(const T& value) { return insertAt(m_count, value) ? m_count - 1 : -1; }

  // Inserts before `index` (0..count); the value may be an element of this
  // array. False for another index or a failed growth.
  bool insertAt(std::int32_t index, const T& value) {
    if (index < 0 || index > m_count) return false;
    T copy(value);
    if (m_count >= m_capacity) {
      if (m_count >= hvMaxArrayElements<T>()) return false;
      const std::int32_t newCapacity = grownCapacity(m_count + 1);
      BlockGuard block(allocate(newCapacity), newCapacity);
      if (!block.data) return false;
      block.data[index] = std::move(copy);
      std::move(m_data, m_data + index, block.data);
      std::move(m_data + index, m_data + m_count, block.data + index + 1);
      replaceBlock(block.take(), newCapacity);
    } else {
      std::move_backward(m_data + index, m_data + m_count, m_data + m_count + 1);
      m_data[index] = std::move(copy);
    }
    ++m_count;
    return true;
  }

  // Index of the first element equal to `value` at or after `start`; -1 when
  // there is none or start is at or past the end.
  std::int32_t find(const T& value, std::int32_t start = 0) const
    requires std::equality_comparable<T>
  {
    for (std::int32_t i = std::max<std::int32_t>(start, 0); i < m_count; ++i)
      if (m_data[i] == value) return i;
    return -1;
  }

  // Index of the first element whose leading wide text (the element itself,
  // or its `name`) equals `text` without regard to A-Z case; -1 when none.
  std::int32_t findNoCase(LPCWSTR text) const
    requires std::convertible_to<const T&, LPCWSTR> ||
             requires(const T& e) { { e.name } -> std::convertible_to<LPCWSTR>; }
  {
    if (text == nullptr) return -1;
    for (std::int32_t i = 0; i < m_count; ++i) {
      LPCWSTR name = leadingText(m_data[i]);
      if (name != nullptr && _wcsicmp(name, text) == 0) return i;
    }
    return -1;
  }

  // Sets every element in use to `value`.
  void fill(const T& value) {
    const T copy(value);
    std::fill(m_data, m_data + m_count, copy);
  }

  // Empties the array; the block stays. Elements that own memory let it go.
  void removeAll() {
    resetElements(0, m_count);
    m_count = 0;
  }

  // Makes the block exactly `capacity` elements (0 frees it), keeping the
  // first min(count, capacity) elements. False when the block cannot be made.
  bool setCapacity(std::int32_t capacity) {
    capacity = std::max<std::int32_t>(capacity, 0);
    if (capacity == m_capacity) return true;
    if (capacity == 0) {
      release();
      return true;
    }
    BlockGuard block(allocate(capacity), capacity);
    if (!block.data) return false;
    const std::int32_t keep = std::min(m_count, capacity);
    std::move(m_data, m_data + keep, block.data);
    replaceBlock(block.take(), capacity);
    m_count = keep;
    return true;
  }

  // The capacity that growth towards `needed` elements gives: the old
  // capacity plus the larger of growBy and the size step (the count while
  // the block is under 64 KB, else the elements of 64 KB), at least one
  // element and at least `needed`.
  std::int32_t grownCapacity(std::int32_t needed) const {
    const std::int64_t bytes = static_cast<std::int64_t>(m_count) * static_cast<std::int64_t>(sizeof(T));
    const std::int64_t sizeStep =
        bytes < kStepLimitBytes ? m_count : kStepLimitBytes / static_cast<std::int64_t>(sizeof(T));
    const std::int64_t step = std::max<std::int64_t>({sizeStep, m_growBy, 1});
    const std::int64_t grown = std::max<std::int64_t>(needed, m_capacity + step);
    return static_cast<std::int32_t>(std::min<std::int64_t>(grown, hvMaxArrayElements<T>()));
  }

 private:
  // Frees a new block unless it was taken over (an element copy may throw).
  struct BlockGuard {
    BlockGuard(T* block, std::int32_t capacity) : data(block), capacity(capacity) {}
    BlockGuard(const BlockGuard&) = delete;
    BlockGuard& operator=(const BlockGuard&) = delete;
    ~BlockGuard() {
      if (data) Allocator::destructArray(data, capacity);
    }
    T* take() { return std::exchange(data, nullptr); }
    T* data;
    std::int32_t capacity;
  };

  static T* allocate(std::int32_t capacity) {
    if (capacity < 1 || capacity > hvMaxArrayElements<T>()) return nullptr;
    if (!hvAllocationAllowed(static_cast<std::size_t>(capacity) * sizeof(T))) return nullptr;
    return Allocator::constructArray(capacity);
  }

  void release() {
    if (m_data) Allocator::destructArray(m_data, m_capacity);
    m_data = nullptr;
    m_capacity = 0;
    m_count = 0;
  }

  void replaceBlock(T* block, std::int32_t capacity) {
    if (m_data) Allocator::destructArray(m_data, m_capacity);
    m_data = block;
    m_capacity = capacity;
  }

  // Elements from..to-1 drop what they own (plain values are left as they are).
  void resetElements(std::int32_t from, std::int32_t to) {
    if constexpr (!std::is_trivially_copyable_v<T>) {
      for (std::int32_t i = from; i < to; ++i) m_data[i] = T();
    }
  }

  static LPCWSTR leadingText(const T& element) {
    if constexpr (std::convertible_to<const T&, LPCWSTR>) {
      return static_cast<LPCWSTR>(element);
    } else {
      return static_cast<LPCWSTR>(element.name);
    }
  }

  T* m_data = nullptr;
  std::int32_t m_capacity = 0;
  std::int32_t m_count = 0;
  std::int32_t m_growBy = kDefaultGrowBy;
};
