#include "host/HeapText.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

template <class Char>
Char* dupText(const Char* text) {
  const std::size_t length = text ? std::basic_string_view<Char>(text).size() : 0;
  auto* copy = static_cast<Char*>(std::malloc((length + 1) * sizeof(Char)));
  if (copy == nullptr) return nullptr;
  if (length) std::memcpy(copy, text, length * sizeof(Char));
  copy[length] = Char{};
  return copy;
}

}  // namespace

char16_t* hvWcsDup(const char16_t* text) { return dupText(text); }

char* hvStrDup(const char* text) { return dupText(text); }
