#include "tests/host/ResbufTestUtil.h"

#include "host/ResbufChain.h"

ListGuard::~ListGuard() { freeResbufChain(list, false); }

std::vector<int> codesOf(const resbuf* list) {
  std::vector<int> codes;
  for (; list != nullptr; list = list->next) codes.push_back(list->code);
  return codes;
}
