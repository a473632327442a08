#include "host/CSplitText.h"

#include <string_view>

int CSplitText::split(const CString& text, LPCWSTR separator) {
  RemoveAll();
  if (!separator || !*separator) return 0;
  const std::u16string_view all = text.view();
  const std::u16string_view sep(separator);
  std::size_t start = 0;
  for (std::size_t at = all.find(sep); at != std::u16string_view::npos; at = all.find(sep, start)) {
    Add(CString(all.substr(start, at - start)));
    start = at + sep.size();
  }
  if (start < all.size()) Add(CString(all.substr(start)));
  return static_cast<int>(GetSize());
}
