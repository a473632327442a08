#include "host/entities/braceSections.h"

#include "host/entities/chainRange.h"

bool isSectionOpening(const resbuf* node) {
  return node->code == 102 && node->value.str != nullptr && node->value.str[0] == u'{';
}

bool isSectionClosing(const resbuf* node) {
  return node->code == 102 && node->value.str != nullptr && std::u16string_view(node->value.str) == u"}";
}

bool endsListHead(const resbuf* node) { return node->code == 100 || node->code >= 1000; }

ownedChain copyReactorChain(const resbuf* list) {
  for (const resbuf* node = list; node != nullptr; node = node->next) {
    if (node->code != 102 || node->value.str == nullptr ||
        std::u16string_view(node->value.str) != reactorSectionName) continue;
    const resbuf* end = node->next;
    while (end != nullptr && !isSectionClosing(end)) end = end->next;
    bool ok = true;
    return copyChainRange(node->next, end, ok);
  }
  return nullptr;
}
