#include "host/entities/entReaderSteps.h"

#include "platform/win/StringCompare.h"

const resbuf* entReader2D::firstGroup(const resbuf* list, int code) {
  while (list != nullptr && list->code != code) list = list->next;
  return list;
}

const char16_t* entReader2D::listType(const resbuf* list) {
  const resbuf* type = firstGroup(list, 0);
  return type ? type->value.str : nullptr;
}

bool entReader2D::isListOfType(const resbuf* list, std::initializer_list<std::u16string_view> names) {
  const char16_t* type = listType(list);
  if (type == nullptr) return false;
  for (std::u16string_view name : names)
    if (hvCompareNoCaseAscii(type, name) == 0) return true;
  return false;
}
