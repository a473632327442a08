#include "host/entities/ltUnknown2D.h"

#include "host/entities/chainRange.h"
#include "host/entities/entKindFactories.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityHeader.h"

std::unique_ptr<ltEnt2D> newUnknown2D() { return std::make_unique<ltUnknown2D>(); }

std::unique_ptr<ltEnt2D> ltUnknown2D::clone() const { return std::unique_ptr<ltEnt2D>(new ltUnknown2D(*this)); }

void ltUnknown2D::writeList() {
  clearDirty();
  const resbuf* old = getList();
  const char16_t* type = entReader2D::listType(old);
  if (type == nullptr) return;
  // The second 100 group before the extended data starts the kind's groups;
  // the extended data (from the first code of 1000 or more) is the tail.
  const resbuf* extra = old;
  while (extra != nullptr && extra->code < 1000) extra = extra->next;
  const resbuf* subclass = nullptr;
  int markers = 0;
  for (const resbuf* node = old; node != extra && subclass == nullptr; node = node->next)
    if (node->code == 100 && ++markers == 2) subclass = node;
  if (subclass == nullptr) return;

  ownedChain list(entBuilder2D::entityHeader(getProps(), type, old));
  bool ok = list != nullptr;
  ownedChain body = ok ? copyChainRange(subclass, extra, ok) : nullptr;
  ownedChain tail(entBuilder2D::tailCopy(getProps()));
  if (!ok || (getProps().getTail() && !tail)) return;
  resbuf* head = list.release();
  appendResbufChain(&head, body.release());
  appendResbufChain(&head, tail.release());
  adoptWrittenList(head);
}
