#include "host/entities/ltEnt2D.h"

#include <algorithm>

#include "host/ResbufChain.h"
#include "host/entities/commonProperties.h"

ltEnt2D::ltEnt2D(const ltEnt2D& other)
    : holder_(ltListRef::share(other.holder_)), props_(other.props_), dirty_(other.dirty_) {}

ltEnt2D::~ltEnt2D() { releaseResbufHolder(holder_); }

void ltEnt2D::parseHeldProperties() {
  const resbuf* list = getList();
  if (list == nullptr) return;
  // The handle and the extra groups belong to the list they came from; a
  // new list without them must not keep another entity's.
  props_.handle.clear();
  props_.setTail(nullptr);
  entReader2D::commonProperties(props_, list, false);
}

int ltEnt2D::setFromResbuf(ltListRef* holder, bool parse) {
  if (holder != nullptr && holder->narrowText) return ltListRefused;
  if (parse && !readList(holder ? holder->list : nullptr)) return ltListRefused;
  ltListRef* taken = ltListRef::share(holder);  // before the release: it may be our own
  releaseResbufHolder(holder_);
  holder_ = taken;
  parseHeldProperties();
  return 0;
}

int ltEnt2D::setFromList(const resbuf* list, bool parse) {
  resbuf* copy = list ? copyResbufChain(list, false) : nullptr;
  ltListRef* fresh = copy ? ltListRef::create(copy) : nullptr;
  const int status = setFromResbuf(fresh, parse);
  releaseResbufHolder(fresh);
  return status;
}

void ltEnt2D::setList(resbuf* list) {
  releaseResbufHolder(holder_);
  if (list != nullptr) holder_ = ltListRef::create(list);
  parseHeldProperties();
}

resbuf* ltEnt2D::editableList() {
  ltListRef::makeUnique(holder_);
  return holder_ ? holder_->list : nullptr;
}

const resbuf* ltEnt2D::getUpdatedList(int mode) {
  if (mode == 2 || (mode == 0 && dirty_)) {
    dirty_ = true;
    writeList();
    if (!dirty_) {
      props_.reset(false);
      entReader2D::commonProperties(props_, getList(), false);
    }
  }
  return dirty_ ? nullptr : getList();
}

bool ltEnt2D::adoptWrittenList(resbuf* list) {
  if (list == nullptr) return false;
  setList(list);
  dirty_ = false;
  return true;
}

bool ltEnt2D::readList(const resbuf*) { return false; }

int ltEnt2D::splitByCurves(std::span<const XtGeCurve2d* const> cutters, ltEntArray& out,
                           std::span<const int> selectors, std::vector<const XtGeCurve2d*>* cutting,
                           const XtGePoint2d* referencePoint, const XtGeBoundBlock2d* bounds) {
  constexpr int insideOrOn = 6;
  ltEntArray pieces;             // owned pieces of the previous curve
  std::vector<ltEnt2D*> work{this};
  int count = 0;
  for (std::size_t i = 0; i < cutters.size(); ++i) {
    if (cutters[i] == nullptr) continue;
    const int selector = i < selectors.size() ? selectors[i] : insideOrOn;
    ltEntArray next;
    for (ltEnt2D* entity : work) {
      bool dropped = false;
      count = entity->splitByCurveBounded(*cutters[i], next, selector, &dropped, referencePoint, bounds);
      if (dropped && cutting && std::find(cutting->begin(), cutting->end(), cutters[i]) == cutting->end())
        cutting->push_back(cutters[i]);
    }
    pieces = std::move(next);
    work.clear();
    for (auto& piece : pieces)
      if (piece) work.push_back(piece.get());
  }
  for (auto& piece : pieces)
    if (piece) out.push_back(std::move(piece));
  return count;
}
