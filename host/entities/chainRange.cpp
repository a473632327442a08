#include "host/entities/chainRange.h"

#include "host/GroupCodeType.h"

ownedChain copyChainRange(const resbuf* first, const resbuf* end, bool& ok) {
  ok = true;
  ownedChain copy;
  resbuf** link = nullptr;
  for (const resbuf* node = first; node != nullptr && node != end; node = node->next) {
    if (hvGroupCodeType(node->code) == 0) break;
    resbuf* single = copyResbufChainEx(node, false, true, true, nullptr, nullptr);
    if (single == nullptr) {
      ok = false;
      return nullptr;
    }
    if (!copy) copy.reset(single);
    else *link = single;
    link = &single->next;
  }
  return copy;
}
