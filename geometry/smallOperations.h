// The shared library's small operations on plain records: comparers, table
// headers and paths, a pointer list kept in a separate order, arrays of raw
// records, layout and scale records, mode fields, and resets of text
// records.
//
// No locking: every record belongs to its caller's thread.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "geometry/hvArray.h"
#include "geometry/hvObjArray.h"
#include "geometry/stringListRec.h"
#include "geometry/textFieldsRec.h"
#include "platform/win/CString.h"
#include "platform/win/FrameworkArrays.h"

// ---- Comparers and small parsers

// qsort comparer of two unsigned 16-bit values: -1, 0 or 1.
int compareWord(const void* a, const void* b);

// True when `values` holds `value` at `start` or after (a negative start
// counts from 0).
bool containsIntFrom(const hvArray<std::int32_t>& values, std::int32_t value, std::int32_t start);

// Reads a table header as "E@%ux%u" writes it: any first character, '@', a
// decimal number, one separator character, a decimal number. False, outputs
// untouched, when a number is missing, negative or beyond 2^31 - 1.
bool parseTableHeader(const char16_t* text, std::uint32_t& columns, std::uint32_t& rows);

// Removes trailing '/' and '\' from the text (at most `n` units are looked
// at); the first character always stays: "C:\dir\/" gives "C:\dir", "/"
// stays "/".
void trimTrailingSlashes(char16_t* text, std::size_t n);

// ---- A pointer list with an order index

// Owned elements with an integer `key`, and an order: `order[i]` is the
// position of the i-th element in order. While `inOrder` is set the
// elements stand in order themselves and atOrdered skips the index.
template <typename T>
struct sortedPtrList {
  std::vector<std::unique_ptr<T>> items;
  std::vector<std::int32_t> order;
  bool inOrder = false;

  // Element i; null out of range.
  T* at(std::int64_t i) const {
    return i >= 0 && i < static_cast<std::int64_t>(items.size()) ? items[static_cast<std::size_t>(i)].get() : nullptr;
  }
  // The first element with that key; null when none.
  T* findByKey(std::int32_t key) const {
    for (const auto& item : items)
      if (item && item->key == key) return item.get();
    return nullptr;
  }
  // Element i in order: through the index unless `inOrder`.
  T* atOrdered(std::int64_t i) const { return inOrder ? at(i) : atMapped(i); }
  // Element i through the index; null when i or its entry is out of range.
  T* atMapped(std::int64_t i) const {
    if (i < 0 || i >= static_cast<std::int64_t>(order.size())) return nullptr;
    return at(order[static_cast<std::size_t>(i)]);
  }
  // Deletes the first element with that key and drops its order entry,
  // renumbering the entries above it. False when there is none.
  bool removeByKey(std::int32_t key) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (!items[i] || items[i]->key != key) continue;
      items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
      const auto removed = static_cast<std::int32_t>(i);
      std::erase(order, removed);
      for (auto& entry : order)
        if (entry > removed) --entry;
      return true;
    }
    return false;
  }
};

// ---- Arrays of raw records

template <std::size_t Bytes>
struct rawRecord {
  std::array<std::uint8_t, Bytes> bytes{};
};

// An array of records and its last element.
template <typename Array>
struct recArray {
  Array items;
  // The last element; null when the array is empty.
  auto* lastItem() { return items.count() > 0 ? &items[items.count() - 1] : nullptr; }
};

struct recArray32 : recArray<hvObjArray<rawRecord<32>>> {};
struct recArray80 : recArray<hvObjArray<rawRecord<80>>> {};
struct recArray32b : recArray<hvArray<rawRecord<32>>> {};

// ---- Layout and scale records

// The window layouts remembered for one monitor configuration.
struct monitorLayout {
  struct placement {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  };
  bool flags[2] = {false, false};
  hvArray<placement> windows;
  hvArray<placement> monitors;
  CStringArray names;
  CString text;

  // Clears the flags, both arrays, the names and the text.
  void reset();
};

// A drawing scale that may be automatic, with its per-entry values.
struct scaleSetting {
  static constexpr double kDefaultScale = 50.0;

  bool automatic = false;
  double scale = kDefaultScale;
  double offset = 0.0;
  std::int32_t count = 0;
  std::vector<std::uint8_t> entryFlags;
  std::vector<double> entryScales;
  std::vector<double> entryOffsets;

  // Automatic, scale 50.0, offset 0.
  void setAuto();
  // Stores the count (a negative one as 0) and makes max(count, 1) entries:
  // flags 0, scales 50.0, offsets 0.0; the earlier entries go.
  void allocEntries(std::int32_t n);
};

// For every record of `records` whose `object` is `object`, sets `first` and
// `second` to the given values, each only when that value is not negative.
template <typename Records, typename Object>
void setRecordInts(Records& records, const Object* object, std::int32_t first, std::int32_t second) {
  for (auto& record : records) {
    if (record.object != object) continue;
    if (first >= 0) record.first = first;
    if (second >= 0) record.second = second;
  }
}

// The 4-bit mode field in bits 16 to 19 of a flags word set to 0, 1, 3, 4.
void setModeField0(std::uint32_t& flags);
void setModeField1(std::uint32_t& flags);
void setModeField3(std::uint32_t& flags);
void setModeField4(std::uint32_t& flags);

// ---- Resets of text records

// Empties the five texts (the value stays).
void resetTextFields(textFieldsRec& record);
// Empties the text and drops the list.
void resetStringList(stringListRec& record);
