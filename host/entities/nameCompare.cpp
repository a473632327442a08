#include "host/entities/nameCompare.h"

#include "platform/win/StringCompare.h"

bool sameNameNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (hvFoldLetters(a[i]) != hvFoldLetters(b[i])) return false;
  return true;
}
