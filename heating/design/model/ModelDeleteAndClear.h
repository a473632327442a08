// The delete-and-clear operations of the design model's vectors that hold
// owning raw pointers: each deletes every element that is present (null
// entries are passed over) and then empties the vector. Vectors of
// std::unique_ptr simply clear(); these serve code that keeps raw vectors.
#pragma once

#include "platform/win/CString.h"

#include <vector>

// Deletes every element through its (virtual) destructor.
template <typename T>
void deletePolymorphicAndClear(std::vector<T*>& items) {
  for (T*& item : items) {
    delete item;
    item = nullptr;
  }
  items.clear();
}

// Deletes every text.
inline void deleteSmallItemsAndClear(std::vector<CString*>& texts) { deletePolymorphicAndClear(texts); }
