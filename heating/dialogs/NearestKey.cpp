#include "heating/dialogs/NearestKey.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>

namespace {

char16_t folded(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

// The edit distance of a and b; b is cut to kMaxTypedKey units as a is.
std::size_t editDistance(std::u16string_view a, std::u16string_view b) {
  a = a.substr(0, kMaxTypedKey);
  b = b.substr(0, kMaxTypedKey);
  // One row of the distance table at a time, on the stack.
  std::array<std::size_t, kMaxTypedKey + 1> row{};
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const std::size_t replace = diagonal + (folded(a[i - 1]) == folded(b[j - 1]) ? 0 : 1);
      row[j] = std::min({above + 1, row[j - 1] + 1, replace});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::u16string_view nearestKey(std::u16string_view typed, std::span<const std::u16string_view> known) {
  std::u16string_view best;
  std::size_t bestDistance = std::numeric_limits<std::size_t>::max();
  for (const std::u16string_view key : known) {
    const std::size_t distance = editDistance(typed, key);
    if (distance < bestDistance) {
      best = key;
      bestDistance = distance;
    }
  }
  return best;
}
