#include "host/entities/splitToken.h"

std::size_t splitToken(const char16_t*& cursor, char16_t* buffer, std::size_t size, char16_t separator,
                       char16_t pad) {
  std::size_t length = 0;
  const char16_t* at = cursor;
  if (at != nullptr) {
    for (; *at != u'\0' && *at != separator; ++at)
      if (size > 0 && length < size - 1) buffer[length++] = *at;
    cursor = *at == separator && separator != u'\0' ? at + 1 : at;
  }
  if (size == 0) return 0;
  while (length > 0 && buffer[length - 1] == pad) --length;
  buffer[length] = u'\0';
  return length;
}
