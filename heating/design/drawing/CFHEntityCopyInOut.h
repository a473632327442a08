// The frame of the records that keep an entity copy (multiline text, hatch,
// text): the copy is set from a new list holder around a second copy of the
// record's list, parsing on; `valid` is whether the copy took it. The holder
// reference taken for the call is released at once, the copy keeping its
// own. Moving into the work frame is the copy's transform. Ownership and
// threads as for CFHEntityInOut.
#pragma once

#include "heating/design/drawing/CFHEntityInOut.h"

#include "host/ResbufChain.h"
#include "host/ltListRef.h"

template <class Entity, CFHEntityInOut::Kind K>
class CFHEntityCopyInOut : public CFHEntityInOut {
 public:
  explicit CFHEntityCopyInOut(const resbuf* list) : CFHEntityInOut(K, list) {
    ltListRef* holder = ltListRef::create(this->list() ? copyResbufChain(this->list(), false) : nullptr);
    setValid(entity_.setFromResbuf(holder, true) == 0);
    releaseResbufHolder(holder);
  }

  const Entity& entity() const { return entity_; }
  Entity& entity() { return entity_; }
  void transformToWork() override { entity_.transformBy(workMatrix()); }

 private:
  Entity entity_;
};
