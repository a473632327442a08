#include "heating/curves/ArrayHelpers.h"

#include "geometry/Tolerances.h"

void WideStringList::clear() {
  strings.clear();
  handedOut_.clear();
}

const char16_t* const* wideStringListToArray(WideStringList& list) {
  auto array = std::make_unique<WideStringList::HandedOut>();
  array->copies = list.strings;
  array->pointers.reserve(array->copies.size() + 1);
  for (const std::u16string& copy : array->copies) array->pointers.push_back(copy.c_str());
  array->pointers.push_back(nullptr);
  list.handedOut_.push_back(std::move(array));
  return list.handedOut_.back()->pointers.data();
}

int findStringInArray(std::span<const std::u16string> strings, std::u16string_view text) {
  for (std::size_t i = 0; i < strings.size(); ++i)
    if (strings[i] == text) return static_cast<int>(i);
  return -1;
}

void removeDuplicatePoints(XtGePoint2dArray& points) {
  int kept = 0;
  for (int i = 0; i < points.length(); ++i) {
    bool repeated = false;
    for (int j = 0; j < kept && !repeated; ++j) repeated = points[j].isEqualTo(points[i], workTol);
    if (!repeated) points[kept++] = points[i];
  }
  points.setLogicalLength(kept);
}
