// An owning pointer to a result-buffer chain: the chain is freed (texts
// included) when the pointer goes. For fields and temporaries that own a
// chain of their own, never one shared with a list holder.
#pragma once

#include <memory>

#include "host/ResbufChain.h"

struct ownedChainFree {
  void operator()(resbuf* chain) const { freeResbufChain(chain, false); }
};

using ownedChain = std::unique_ptr<resbuf, ownedChainFree>;

// A deep copy of a chain as an owning pointer (null for a null chain).
inline ownedChain copyOwnedChain(const resbuf* chain) {
  return ownedChain(chain ? copyResbufChain(chain, false) : nullptr);
}
