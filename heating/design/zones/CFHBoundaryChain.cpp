#include "heating/design/zones/CFHBoundaryChain.h"

#include "heating/curves/HeatingCurveIntersections.h"

#include "geometry/Tolerances.h"

#include <algorithm>

namespace {

bool samePoint(const XtGePoint2d& a, const XtGePoint2d& b) { return a.isEqualTo(b, zoneBoundsTol); }

// The reach of a closed curve: one that returns to its start within the
// tolerance must be longer than twice it to have left the tolerance at all.
bool isLongerThanTolerance(const CFloorHeatingCurve& c) { return c.length() > 2.0 * zoneBoundsTol.equalPoint(); }

bool isClosedCurve(const CFloorHeatingCurve& c) {
  return samePoint(c.startPoint(), c.endPoint()) && isLongerThanTolerance(c);
}

bool touchesEnd(const CFloorHeatingCurve& c, const XtGePoint2d& p) {
  return samePoint(c.startPoint(), p) || samePoint(c.endPoint(), p);
}

// A copy of the curve running from a to b (two points on it, in its direction).
CFloorHeatingCurve::Ptr subCurve(const CFloorHeatingCurve& curve, const XtGePoint2d& a, const XtGePoint2d& b) {
  CFloorHeatingCurve::Ptr copy = curve.extendedCopyAt(curve.midPoint(), 0.0);
  copy->setEndPoints(a, b);
  return copy;
}

// A closed curve offered to a non-empty path becomes a path of its own.
void startOwnPath(CFHBoundaryChain::Results* results, CFloorHeatingCurve::Ptr& curve) {
  auto path = std::make_unique<CFHBoundaryChain>(results);
  path->addCurve(curve);
  results->push_back(std::move(path));
}

}  // namespace

CFHBoundaryChain::~CFHBoundaryChain() = default;

int CFHBoundaryChain::addCurve(CFloorHeatingCurve::Ptr& curve) { return place(curve, true); }

bool CFHBoundaryChain::isJunction(const XtGePoint2d& p) const {
  return std::any_of(junctions_.begin(), junctions_.end(), [&](const XtGePoint2d& j) { return samePoint(j, p); });
}

bool CFHBoundaryChain::isKnownPoint(const XtGePoint2d& p) const {
  return isJunction(p) ||
         std::any_of(crossings_.begin(), crossings_.end(), [&](const XtGePoint2d& x) { return samePoint(x, p); });
}

void CFHBoundaryChain::addJunction(const XtGePoint2d& p) {
  if (!isJunction(p)) junctions_.push_back(p);
}

bool CFHBoundaryChain::isClosed() const {
  if (chain_.empty()) return false;
  return std::all_of(chain_.begin(), chain_.end(), [&](const CFloorHeatingCurve::Ptr& c) {
    return isJunction(c->startPoint()) && isJunction(c->endPoint());
  });
}

bool CFHBoundaryChain::isWithinTolerance(const CFloorHeatingCurve& curve) {
  return samePoint(curve.startPoint(), curve.endPoint()) && !isLongerThanTolerance(curve);
}

bool CFHBoundaryChain::takeIntoCorner(CFloorHeatingCurve::Ptr& curve) {
  const auto isChainEnd = [&](const XtGePoint2d& p) {
    return std::any_of(chain_.begin(), chain_.end(), [&](const CFloorHeatingCurve::Ptr& c) {
      return c->startPoint().isEqualTo(p, workTol) || c->endPoint().isEqualTo(p, workTol);
    });
  };
  if (curve == nullptr || !isChainEnd(curve->startPoint()) || !isChainEnd(curve->endPoint())) return false;
  chain_.push_back(std::move(curve));
  return true;
}

CFloorHeatingCurve::PtrVector CFHBoundaryChain::takeChainCurves() {
  CFloorHeatingCurve::PtrVector out;
  out.swap(chain_);
  return out;
}

bool CFHBoundaryChain::newCrossing(const CFloorHeatingCurve& a, const CFloorHeatingCurve& b, XtGePoint2d& x) const {
  XtGePoint2dArray points;
  if (!intersectCurvesToArray(a, b, points, workTol)) return false;
  for (const XtGePoint2d& p : points) {
    if (isKnownPoint(p)) continue;
    x = p;
    return true;
  }
  return false;
}

bool CFHBoundaryChain::cutAt(CFloorHeatingCurve& c, const XtGePoint2d& x, const CFloorHeatingCurve& other) const {
  const XtGePoint2d start = c.startPoint();
  const XtGePoint2d end = c.endPoint();
  if (samePoint(x, start) || samePoint(x, end)) return true;
  const bool startHeld = isJunction(start);
  const bool endHeld = isJunction(end);
  // Held at both ends: the crossing curve would branch off the outline.
  if (startHeld && endHeld) return false;
  // Without a junction to decide, the end nearer to the other curve is taken
  // for an overshoot beyond the corner.
  const bool keepStart = startHeld || (!endHeld && other.distanceTo(start) > other.distanceTo(end));
  if (keepStart) c.setEndPoints(start, x);
  else c.setEndPoints(x, end);
  return true;
}

int CFHBoundaryChain::place(CFloorHeatingCurve::Ptr& curve, bool reoffer) {
  if (curve == nullptr) return kRest;
  const XtGePoint2d start = curve->startPoint();
  const XtGePoint2d end = curve->endPoint();
  const bool closedCurve = isClosedCurve(*curve);
  if (chain_.empty()) {
    if (closedCurve) addJunction(start);
    chain_.push_back(std::move(curve));
    return kJoined;
  }
  if (closedCurve) {
    startOwnPath(results_, curve);
    return kJoined;
  }
  if (isJunction(start) || isJunction(end)) return kRefused;

  // Ends that meet chain curve ends first, so that a crossing found near a
  // joined end is not taken for a second contact.
  bool startJoined = false;
  bool endJoined = false;
  for (const CFloorHeatingCurve::Ptr& c : chain_) {
    if (!startJoined && touchesEnd(*c, start)) {
      addJunction(start);
      startJoined = true;
    }
    if (!endJoined && touchesEnd(*c, end)) {
      addJunction(end);
      endJoined = true;
    }
  }
  // Then crossings, while an end is still free: one per chain curve.
  std::vector<XtGePoint2d> splits;
  for (std::size_t i = 0; i < chain_.size() && !(startJoined && endJoined); ++i) {
    CFloorHeatingCurve& c = *chain_[i];
    XtGePoint2d x;
    if (!newCrossing(*curve, c, x)) continue;
    if (!cutAt(c, x, *curve)) return kRefused;
    if (!startJoined && samePoint(x, start)) {
      addJunction(x);
      startJoined = true;
    } else if (!endJoined && samePoint(x, end)) {
      addJunction(x);
      endJoined = true;
    } else {
      splits.push_back(x);
      crossings_.push_back(x);
    }
  }

  if (!splits.empty()) {
    placeSplit(std::move(curve), splits, startJoined, endJoined);
    return reoffer ? reofferRest() : kJoined;
  }
  if (!startJoined && !endJoined) {
    const CFloorHeatingCurve* waiting = curve.get();
    rest_.push_back(std::move(curve));
    // A waiting piece may cross the new curve: an overshoot at a corner
    // whose other wall is not in the chain yet.
    if (!reoffer || pieces_.empty()) return kRest;
    if (reofferRest() == kRefused) return kRefused;
    const bool stillWaiting = std::any_of(rest_.begin(), rest_.end(),
                                          [&](const CFloorHeatingCurve::Ptr& r) { return r.get() == waiting; });
    return stillWaiting ? kRest : kJoined;
  }
  chain_.push_back(std::move(curve));
  return reoffer && startJoined != endJoined ? reofferRest() : kJoined;
}

void CFHBoundaryChain::placeSplit(CFloorHeatingCurve::Ptr curve, std::vector<XtGePoint2d>& splits, bool startJoined,
                                  bool endJoined) {
  const XtGePoint2d start = curve->startPoint();
  const XtGePoint2d end = curve->endPoint();
  std::sort(splits.begin(), splits.end(), [&](const XtGePoint2d& a, const XtGePoint2d& b) {
    return curve->lengthBetween(start, a) < curve->lengthBetween(start, b);
  });
  // The part before the first split and after the last wait as pieces
  // unless their outer end is joined; parts between two splits bridge two
  // chain curves and join at once.
  const std::size_t k = splits.size();
  for (std::size_t j = 0; j <= k; ++j) {
    const XtGePoint2d& from = j == 0 ? start : splits[j - 1];
    const XtGePoint2d& to = j == k ? end : splits[j];
    CFloorHeatingCurve::Ptr part = subCurve(*curve, from, to);
    const bool outerStart = j == 0;
    const bool outerEnd = j == k;
    if ((outerStart && !startJoined) || (outerEnd && !endJoined)) {
      pieces_.push_back({std::move(part), outerStart ? to : from, outerStart ? from : to});
      continue;
    }
    if (!outerStart) addJunction(from);
    if (!outerEnd) addJunction(to);
    chain_.push_back(std::move(part));
  }
}

int CFHBoundaryChain::reofferRest() {
  // Every pass that goes on placed a rest curve (which leaves the rest list
  // for good, giving at most two pieces) or a piece: so the passes are
  // bounded by three per rest curve and one per piece. When the bound is
  // reached, what is left keeps waiting.
  const std::size_t passes = 3 * rest_.size() + pieces_.size() + 1;
  for (std::size_t pass = 0; pass < passes; ++pass) {
    bool placed = false;
    CFloorHeatingCurve::PtrVector taken;
    taken.swap(rest_);
    for (std::size_t i = 0; i < taken.size(); ++i) {
      const int answer = place(taken[i], false);
      if (answer == kRefused) {
        for (std::size_t j = i; j < taken.size(); ++j)
          if (taken[j] != nullptr) rest_.push_back(std::move(taken[j]));
        return kRefused;
      }
      placed = placed || answer == kJoined;
    }
    if (joinPieces()) placed = true;
    if (!placed) break;
  }
  return kJoined;
}

bool CFHBoundaryChain::joinPieces() {
  return joinPieceAtFreeEnd() || joinPieceCrossing(chain_, true) || joinPieceCrossing(rest_, false) ||
         joinCrossingPieces();
}

void CFHBoundaryChain::movePieceIn(std::size_t i, const XtGePoint2d& newEnd) {
  addJunction(pieces_[i].crossing);
  addJunction(newEnd);
  chain_.push_back(std::move(pieces_[i].curve));
  pieces_.erase(pieces_.begin() + static_cast<std::ptrdiff_t>(i));
}

bool CFHBoundaryChain::joinPieceAtFreeEnd() {
  for (std::size_t i = 0; i < pieces_.size(); ++i) {
    const Piece& p = pieces_[i];
    // A piece whose crossing is taken is the overshoot beyond a corner.
    if (isJunction(p.crossing) || isJunction(p.farEnd)) continue;
    const bool reached = std::any_of(chain_.begin(), chain_.end(), [&](const CFloorHeatingCurve::Ptr& c) {
      return touchesEnd(*c, p.farEnd);
    });
    if (!reached) continue;
    movePieceIn(i, pieces_[i].farEnd);
    return true;
  }
  return false;
}

namespace {

// Cuts a piece back to the part between its crossing and x.
void cutPieceBack(CFloorHeatingCurve& piece, const XtGePoint2d& farEnd, const XtGePoint2d& x) {
  if (samePoint(piece.startPoint(), farEnd)) piece.setEndPoints(x, piece.endPoint());
  else piece.setEndPoints(piece.startPoint(), x);
}

}  // namespace

bool CFHBoundaryChain::joinPieceCrossing(CFloorHeatingCurve::PtrVector& others, bool othersInChain) {
  for (std::size_t i = 0; i < pieces_.size(); ++i) {
    Piece& p = pieces_[i];
    if (isJunction(p.crossing)) continue;
    for (const CFloorHeatingCurve::Ptr& other : others) {
      XtGePoint2d x;
      if (!newCrossing(*p.curve, *other, x) || !cutAt(*other, x, *p.curve)) continue;
      cutPieceBack(*p.curve, p.farEnd, x);
      crossings_.push_back(x);
      // A rest curve joins the piece's new end when it is offered again.
      const XtGePoint2d newEnd = othersInChain ? x : p.crossing;
      movePieceIn(i, newEnd);
      return true;
    }
  }
  return false;
}

bool CFHBoundaryChain::joinCrossingPieces() {
  for (std::size_t i = 0; i < pieces_.size(); ++i) {
    if (isJunction(pieces_[i].crossing)) continue;
    for (std::size_t j = i + 1; j < pieces_.size(); ++j) {
      if (isJunction(pieces_[j].crossing)) continue;
      XtGePoint2d x;
      if (!newCrossing(*pieces_[i].curve, *pieces_[j].curve, x)) continue;
      cutPieceBack(*pieces_[i].curve, pieces_[i].farEnd, x);
      cutPieceBack(*pieces_[j].curve, pieces_[j].farEnd, x);
      crossings_.push_back(x);
      movePieceIn(j, x);
      movePieceIn(i, x);
      return true;
    }
  }
  return false;
}

int CFHBoundaryChain::offerToFinished(CFloorHeatingCurve::Ptr& curve) {
  if (curve == nullptr) return kRest;
  const XtGePoint2d start = curve->startPoint();
  const XtGePoint2d end = curve->endPoint();
  if (isClosedCurve(*curve)) {
    startOwnPath(results_, curve);
    return kJoined;
  }
  for (const CFloorHeatingCurve::Ptr& c : chain_) {
    XtGePoint2dArray points;
    if (touchesEnd(*c, start) || touchesEnd(*c, end) || intersectCurvesToArray(*curve, *c, points, workTol))
      return kRefused;
  }
  return kRest;
}

int CFHBoundaryChain::collectClosedPaths(std::unique_ptr<CFHBoundaryChain>& path) {
  Results* results = path->results_;
  CFHBoundaryChain* last = path.get();
  results->push_back(std::move(path));
  // Every round moves at least the first rest curve into a new path's chain.
  while (!last->rest_.empty()) {
    auto next = std::make_unique<CFHBoundaryChain>(results);
    CFloorHeatingCurve::PtrVector taken;
    taken.swap(last->rest_);
    for (std::size_t i = 0; i < taken.size(); ++i) {
      if (next->addCurve(taken[i]) != kRefused) continue;
      for (std::size_t j = i; j < taken.size(); ++j)
        if (taken[j] != nullptr) next->rest_.push_back(std::move(taken[j]));
      path = std::move(next);
      return kRefused;
    }
    if (!next->isClosed()) {
      path = std::move(next);
      return kJoined;
    }
    last = next.get();
    results->push_back(std::move(next));
  }
  path = std::make_unique<CFHBoundaryChain>(results);
  return kJoined;
}
