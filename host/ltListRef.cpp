#include "host/ltListRef.h"

#include "host/ResbufChain.h"

namespace {

void appendCopy(ltListRef*& holder, const resbuf* chain, bool wide) {
  // A list holds texts of one kind; copies of a mixed list would read some
  // texts as the other kind (a narrow text read as UTF-16 runs past its end).
  if (holder != nullptr && holder->list != nullptr && holder->narrowText == wide) return;
  resbuf* copy = copyResbufChainEx(chain, false, false, wide, nullptr, nullptr);
  ltListRef::makeUnique(holder);
  if (holder != nullptr && holder->list != nullptr) {
    appendResbufChain(&holder->list, copy);
    return;
  }
  releaseResbufHolder(holder);
  if (copy != nullptr) holder = ltListRef::create(copy, !wide);
}

}  // namespace

ltListRef* ltListRef::create(resbuf* list, bool narrowText) {
  auto* holder = new ltListRef;
  holder->list = list;
  holder->narrowText = narrowText;
  return holder;
}

ltListRef* ltListRef::share(ltListRef* holder) {
  if (holder != nullptr) ++holder->refCount;
  return holder;
}

void ltListRef::append(ltListRef*& holder, const resbuf* chain) { appendCopy(holder, chain, true); }

void ltListRef::appendNarrow(ltListRef*& holder, const resbuf* chain) {
  appendCopy(holder, chain, false);
}

void ltListRef::makeUnique(ltListRef*& holder) {
  if (holder == nullptr || holder->refCount <= 1) return;
  --holder->refCount;
  const bool narrow = holder->narrowText;
  resbuf* copy = copyResbufChainEx(holder->list, false, false, !narrow, nullptr, nullptr);
  holder = copy ? create(copy, narrow) : nullptr;
}

void releaseResbufHolder(ltListRef*& holder) {
  if (holder == nullptr) return;
  if (--holder->refCount <= 0) {
    freeResbufChain(holder->list, false);
    delete holder;
  }
  holder = nullptr;
}
