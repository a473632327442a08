#include "host/entities/entityDispatch.h"

#include "host/ResbufChain.h"
#include "host/entities/entKindTable.h"

namespace {

// Tries the rows in order, each with a fresh copy sharing one holder of a deep
// copy of the list; the holder's own reference is dropped at the end.
std::unique_ptr<ltEnt2D> firstAccepting(const resbuf* list, std::span<const entKindRow> rows) {
  if (list == nullptr) return nullptr;
  resbuf* copy = copyResbufChain(list, false);
  if (copy == nullptr) return nullptr;
  ltListRef* holder = ltListRef::create(copy);
  std::unique_ptr<ltEnt2D> accepted;
  for (const entKindRow& row : rows) {
    if (row.make == nullptr) continue;
    std::unique_ptr<ltEnt2D> candidate = row.make();
    if (candidate && candidate->setFromResbuf(holder, true) == 0) {
      accepted = std::move(candidate);
      break;
    }
  }
  releaseResbufHolder(holder);
  return accepted;
}

}  // namespace

std::unique_ptr<ltEnt2D> entReader2D::entity(const resbuf* list) {
  return firstAccepting(list, entKindTable().first(entityKindRows));
}

std::unique_ptr<ltEnt2D> entReader2D::anyEntity(const resbuf* list) {
  return firstAccepting(list, entKindTable());
}
