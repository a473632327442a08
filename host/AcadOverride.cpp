#include "host/AcadOverride.h"

#include <string_view>

#include "host/ResbufChain.h"
#include "host/XdataAppNames.h"
#include "platform/win/StringCompare.h"

namespace {

constexpr int kAppGroup = 1001;
constexpr int kControlGroup = 1002;

bool isValueGroup(int code) {
  return (code >= 1000 && code <= 1003) || code == 1005 || (code >= 1010 && code <= 1013) ||
         (code >= 1040 && code <= 1042) || code == 1070 || code == 1071;
}

}  // namespace

const resbuf* findAcadOverride(const resbuf* list, int code) {
  const resbuf* node = list;
  if (node && node->code == -1) node = node->next;
  if (node && node->code == 0) node = node->next;
  while (node && !(node->code == kAppGroup && node->value.str &&
                   hvCompareNoCaseAscii(std::u16string_view(node->value.str), acadAppName) == 0))
    node = node->next;
  if (!node) return nullptr;
  for (node = node->next; node && node->code != kAppGroup;) {
    const resbuf* value = node->next;
    const bool pair = node->code == 1070 && value && value->code != kAppGroup && value->code != kControlGroup;
    if (!pair) {
      node = value;
      continue;
    }
    if (node->value.i16 == code) return node;
    node = value->next;
  }
  return nullptr;
}

resbuf* acadOverrideValue(const resbuf* list, int code) {
  const resbuf* found = findAcadOverride(list, code);
  if (!found || !isValueGroup(found->next->code)) return nullptr;
  return copyResbufChainEx(found->next, false, true, true, nullptr, nullptr);
}
