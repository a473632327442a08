#include "host/entities/entityListPairs.h"

#include "host/ResbufChain.h"
#include "host/entities/entityHeader.h"

entityListPairs::entityListPairs(const ltEntProps& props, std::u16string_view type, const resbuf* previous) {
  pairs_.reserve(48);
  resbuf* header = entBuilder2D::entityHeader(props, type, previous);
  headerMissing_ = header == nullptr;
  splice(header);
}

entityListPairs::~entityListPairs() {
  if (built_) return;
  for (ResbufPair& pair : pairs_)
    if (pair.code == hvSpliceCode) freeResbufChain(pair.value.list(), false);
}

void entityListPairs::addKept(int code, const resbuf* previous) { splice(entBuilder2D::keptGroup(code, previous)); }

void entityListPairs::splice(resbuf* chain) {
  if (chain != nullptr) pairs_.push_back({hvSpliceCode, chain});
}

resbuf* entityListPairs::build(const ltEntProps& props) {
  return buildWithTail(headerMissing_ ? nullptr : entBuilder2D::tailCopy(props));
}

resbuf* entityListPairs::buildWithTail(resbuf* tail) {
  splice(tail);
  built_ = true;  // the builder owns the spliced lists from here, also on failure
  if (headerMissing_) {
    for (ResbufPair& pair : pairs_)
      if (pair.code == hvSpliceCode) freeResbufChain(pair.value.list(), false);
    return nullptr;
  }
  return buildResbufList(pairs_);
}
