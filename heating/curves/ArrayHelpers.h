// Small helpers over the arrays of the heating code: pointer arrays (remove
// the listed entries, the difference of two arrays), string arrays (find a
// text, hand a list out as a C array of strings) and point arrays (drop
// repeated points).
//
// Every loop is bounded by the sizes of the arrays given. The pointer and
// point helpers are quadratic in the worst case; they serve short lists
// (curves of one zone, intersection points of one curve).
#pragma once

#include "platform/ge/XtGePoint2dArray.h"

#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A list of wide strings that can hand itself out as C arrays of strings.
// The list owns every array it handed out (and the strings in them) and
// frees them when it is cleared or destroyed: an array stays valid until
// then, also when the strings change afterwards. Not copyable (copies would
// share nothing the caller expects); movable.
class WideStringList {
 public:
  WideStringList() = default;
  WideStringList(const WideStringList&) = delete;
  WideStringList& operator=(const WideStringList&) = delete;
  WideStringList(WideStringList&&) = default;
  WideStringList& operator=(WideStringList&&) = default;

  // Empties the strings and frees every array handed out.
  void clear();
  // How many arrays are held for callers.
  std::size_t handedOutCount() const { return handedOut_.size(); }

  std::vector<std::u16string> strings;

 private:
  friend const char16_t* const* wideStringListToArray(WideStringList& list);
  struct HandedOut {
    std::vector<std::u16string> copies;
    std::vector<const char16_t*> pointers;
  };
  std::vector<std::unique_ptr<HandedOut>> handedOut_;
};

// A new array of copies of the list's strings followed by a null entry,
// owned by the list (see WideStringList).
const char16_t* const* wideStringListToArray(WideStringList& list);

// Removes from `array` every occurrence of every pointer of `listed`; the
// others keep their order.
template <class T>
void removeItemsOf(std::vector<T*>& array, const std::vector<T*>& listed) {
  std::erase_if(array, [&](T* item) { return std::find(listed.begin(), listed.end(), item) != listed.end(); });
}

// A new array of the entries of `a` that `b` does not hold, in a's order.
template <class T>
std::vector<T*> arrayDifference(const std::vector<T*>& a, const std::vector<T*>& b) {
  std::vector<T*> difference;
  for (T* item : a)
    if (std::find(b.begin(), b.end(), item) == b.end()) difference.push_back(item);
  return difference;
}

// The index of the first string equal to the text (exact comparison), -1
// when there is none.
int findStringInArray(std::span<const std::u16string> strings, std::u16string_view text);

// Removes every point equal (workTol) to an earlier one; the first of equal
// points stays, the others keep their order.
void removeDuplicatePoints(XtGePoint2dArray& points);
