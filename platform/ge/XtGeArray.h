// The growable array used with the geometry classes. It keeps a physical
// length (allocated elements) and a logical length (elements in use) and
// grows by the rule the host's arrays follow: when a logical length beyond
// the physical length is asked for, the physical length becomes the larger
// of the requested length and old physical + max(growBy, min(old physical,
// elements that fit in 64 KB)). growBy is 8 unless given.
#pragma once

#include "platform/ge/XtGeContext.h"

#include <algorithm>
#include <cassert>
#include <concepts>
#include <cstddef>
#include <memory>
#include <utility>

template <typename T>
class XtGeArray {
public:
  static constexpr int kDefaultGrowBy = 8;
  static constexpr std::size_t kGrowLimitBytes = 64 * 1024;

  XtGeArray() = default;
  explicit XtGeArray(int physicalLength, int growBy = kDefaultGrowBy)
      : m_growBy(growBy > 0 ? growBy : kDefaultGrowBy) {
    setPhysicalLength(physicalLength);
  }
  XtGeArray(const XtGeArray& other) : m_growBy(other.m_growBy) { *this = other; }
  XtGeArray(XtGeArray&& other) noexcept { swap(other); }
  XtGeArray& operator=(const XtGeArray& other) {
    if (this == &other) return *this;
    if (other.m_logical > m_physical) reallocate(other.m_logical);
    std::copy(other.m_data.get(), other.m_data.get() + other.m_logical, m_data.get());
    m_logical = other.m_logical;
    return *this;
  }
  XtGeArray& operator=(XtGeArray&& other) noexcept {
    if (this != &other) {
      XtGeArray moved(std::move(other));
      swap(moved);
    }
    return *this;
  }
  void swap(XtGeArray& other) noexcept {
    std::swap(m_data, other.m_data);
    std::swap(m_physical, other.m_physical);
    std::swap(m_logical, other.m_logical);
    std::swap(m_growBy, other.m_growBy);
  }

  int length() const { return m_logical; }
  int logicalLength() const { return m_logical; }
  int physicalLength() const { return m_physical; }
  int growLength() const { return m_growBy; }
  bool isEmpty() const { return m_logical == 0; }

  XtGeArray& setGrowLength(int growBy) {
    if (growBy > 0) m_growBy = growBy;
    return *this;
  }

  // Growing beyond the physical length follows the growth rule above; new
  // elements are value-initialised. Negative lengths count as 0.
  XtGeArray& setLogicalLength(int n) {
    n = std::max(n, 0);
    if (n > m_physical) reallocate(grownPhysical(n));
    for (int i = m_logical; i < n; ++i) m_data[i] = T();
    m_logical = n;
    return *this;
  }
  // Sets the allocation exactly; shrinking below the logical length drops the
  // elements beyond it.
  XtGeArray& setPhysicalLength(int n) {
    n = std::max(n, 0);
    if (n != m_physical) reallocate(n);
    return *this;
  }

  T& operator[](int i) {
    assert(i >= 0 && i < m_logical);
    return m_data[i];
  }
  const T& operator[](int i) const {
    assert(i >= 0 && i < m_logical);
    return m_data[i];
  }
  T& at(int i) { return (*this)[i]; }
  const T& at(int i) const { return (*this)[i]; }
  T& first() { return (*this)[0]; }
  const T& first() const { return (*this)[0]; }
  T& last() { return (*this)[m_logical - 1]; }
  const T& last() const { return (*this)[m_logical - 1]; }

  T* begin() { return m_data.get(); }
  T* end() { return m_data.get() + m_logical; }
  const T* begin() const { return m_data.get(); }
  const T* end() const { return m_data.get() + m_logical; }
  const T* asArrayPtr() const { return m_data.get(); }
  T* asArrayPtr() { return m_data.get(); }

  // Appends a copy and answers its index.
  int append(const T& value) {
    if (m_logical == m_physical) {
      const T copy = value;  // value may live in this array
      reallocate(grownPhysical(m_logical + 1));
      m_data[m_logical] = copy;
    } else {
      m_data[m_logical] = value;
    }
    return m_logical++;
  }
  XtGeArray& append(const XtGeArray& other) {
    if (&other == this) {
      const XtGeArray copy(other);
      return append(copy);
    }
    const int n = other.m_logical;
    if (m_logical + n > m_physical) reallocate(grownPhysical(m_logical + n));
    std::copy(other.m_data.get(), other.m_data.get() + n, m_data.get() + m_logical);
    m_logical += n;
    return *this;
  }
  // Inserts before index i (0 <= i <= length); other indices are ignored.
  XtGeArray& insertAt(int i, const T& value) {
    if (i < 0 || i > m_logical) return *this;
    const T copy = value;
    if (m_logical == m_physical) reallocate(grownPhysical(m_logical + 1));
    std::move_backward(m_data.get() + i, m_data.get() + m_logical, m_data.get() + m_logical + 1);
    m_data[i] = copy;
    ++m_logical;
    return *this;
  }
  // Removes the element at i; other indices are ignored.
  XtGeArray& removeAt(int i) {
    if (i < 0 || i >= m_logical) return *this;
    std::move(m_data.get() + i + 1, m_data.get() + m_logical, m_data.get() + i);
    --m_logical;
    return *this;
  }
  XtGeArray& removeFirst() { return removeAt(0); }
  XtGeArray& removeLast() { return removeAt(m_logical - 1); }
  XtGeArray& removeAll() { return setLogicalLength(0); }
  XtGeArray& reverse() {
    std::reverse(m_data.get(), m_data.get() + m_logical);
    return *this;
  }

  // Index of the first element from start equal to value, or -1. Geometric
  // values compare with their isEqualTo under tol.
  int find(const T& value, const XtGeTol& tol, int start = 0) const
    requires requires(const T& a) { { a.isEqualTo(a, tol) } -> std::convertible_to<bool>; }
  {
    for (int i = std::max(start, 0); i < m_logical; ++i)
      if (m_data[i].isEqualTo(value, tol)) return i;
    return -1;
  }
  // Index of the first element from start that is exactly value, or -1.
  int find(const T& value, int start = 0) const
    requires std::equality_comparable<T>
  {
    for (int i = std::max(start, 0); i < m_logical; ++i)
      if (m_data[i] == value) return i;
    return -1;
  }
  bool contains(const T& value, int start = 0) const
    requires std::equality_comparable<T>
  {
    return find(value, start) >= 0;
  }

private:
  int grownPhysical(int requested) const {
    const int fitIn64k = static_cast<int>(std::max<std::size_t>(1, kGrowLimitBytes / sizeof(T)));
    const int step = std::max(m_growBy, std::min(m_physical, fitIn64k));
    return std::max(requested, m_physical + step);
  }
  void reallocate(int n) {
    std::unique_ptr<T[]> data(n > 0 ? new T[static_cast<std::size_t>(n)]() : nullptr);
    const int keep = std::min(m_logical, n);
    if (keep > 0) std::move(m_data.get(), m_data.get() + keep, data.get());
    m_data = std::move(data);
    m_physical = n;
    m_logical = keep;
  }

  std::unique_ptr<T[]> m_data;
  int m_physical = 0;
  int m_logical = 0;
  int m_growBy = kDefaultGrowBy;
};
