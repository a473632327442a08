// The framework's arrays of strings and of untyped pointers. Indexes are
// checked: an index outside the array throws std::out_of_range.
#pragma once

#include "platform/win/CString.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

using INT_PTR = std::intptr_t;

template <typename T>
class HvFrameworkArray {
 public:
  INT_PTR GetSize() const { return static_cast<INT_PTR>(items_.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }
  bool IsEmpty() const { return items_.empty(); }

  // Grows with default elements or shrinks to `size` (negative: 0).
  void SetSize(INT_PTR size) { items_.resize(size > 0 ? static_cast<std::size_t>(size) : 0); }

  const T& GetAt(INT_PTR index) const { return items_.at(toIndex(index)); }
  T& ElementAt(INT_PTR index) { return items_.at(toIndex(index)); }
  const T& operator[](INT_PTR index) const { return GetAt(index); }
  T& operator[](INT_PTR index) { return ElementAt(index); }
  void SetAt(INT_PTR index, const T& value) { items_.at(toIndex(index)) = value; }
  // Sets the element, growing the array when `index` is past its end.
  void SetAtGrow(INT_PTR index, const T& value) {
    if (index >= GetSize()) SetSize(index + 1);
    SetAt(index, value);
  }

  // Appends and answers the new element's index.
  INT_PTR Add(const T& value) {
    items_.push_back(value);
    return GetSize() - 1;
  }
  // Appends the elements of `other`; answers the index of the first.
  INT_PTR Append(const HvFrameworkArray& other) {
    const INT_PTR first = GetSize();
    items_.insert(items_.end(), other.items_.begin(), other.items_.end());
    return first;
  }
  void Copy(const HvFrameworkArray& other) { items_ = other.items_; }
  // Inserts `count` copies before `index` (at most the size).
  void InsertAt(INT_PTR index, const T& value, INT_PTR count = 1) {
    if (index < 0 || index > GetSize()) throw std::out_of_range("array index");
    if (count > 0) items_.insert(items_.begin() + index, static_cast<std::size_t>(count), value);
  }
  void RemoveAt(INT_PTR index, INT_PTR count = 1) {
    if (index < 0 || count < 0 || index + count > GetSize()) throw std::out_of_range("array index");
    items_.erase(items_.begin() + index, items_.begin() + index + count);
  }
  void RemoveAll() { items_.clear(); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }

 private:
  static std::size_t toIndex(INT_PTR index) {
    return index < 0 ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(index);
  }

  std::vector<T> items_;
};

class CStringArray : public HvFrameworkArray<CString> {};

// Holds the pointers only; whoever added them owns what they point to.
class CPtrArray : public HvFrameworkArray<void*> {};
