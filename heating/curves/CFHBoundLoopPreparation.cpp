// The passes that turn the loose curves of a zone into a prepared loop.
#include "heating/curves/CFHBoundLoop.h"

#include "geometry/Tolerances.h"
#include "geometry/curveArea.h"
#include "heating/curves/CFloorHeatingArc.h"
#include "heating/curves/JoinCurveEnds.h"
#include "heating/curves/SplitCurveByLength.h"

#include "platform/ge/XtGe.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>

namespace {

// Makes a lone arc whose ends lie within the join limit a full circle from
// its start.
void closeLoneArc(CFloorHeatingCurve& curve) {
  auto* arc = dynamic_cast<CFloorHeatingArc*>(&curve);
  if (arc == nullptr || arc->arc().isFullCircle()) return;
  if (arc->startPoint().distanceTo(arc->endPoint()) > 2.0 * zoneBoundsTol.equalPoint()) return;
  const XtGeCircArc2d& a = arc->arc();
  arc->setArc(XtGeCircArc2d(a.center(), a.radius(), a.startAng(), a.startAng() + XtGe::kTwoPi, a.refVec(),
                            a.isClockWise()));
}

bool isLine(const CLoopElement* element) {
  return element != nullptr && element->hasCurve() && element->curve->kind() == CFloorHeatingCurve::kLine;
}

// Two neighbouring lines that may become one: either has no length, or they
// run on in one direction.
bool runOnTogether(const CLoopElement& a, const CLoopElement& b) {
  const XtGeVector2d da = a.endPoint() - a.startPoint();
  const XtGeVector2d db = b.endPoint() - b.startPoint();
  if (da.length() <= workTol.equalPoint() || db.length() <= workTol.equalPoint()) return true;
  return da.isCodirectionalTo(db, workTol);
}

// The sense of a loop from the cross product at its lowest-left vertex (the
// first one that is not collinear with its neighbours): +1 counter-clockwise,
// -1 clockwise, 0 undecided.
int senseByVertices(const std::vector<XtGePoint2d>& vertices, double tol) {
  const int n = static_cast<int>(vertices.size());
  if (n == 0) return 0;
  // Candidates by x against the first candidate's x (within tol they join,
  // smaller by tol or more they start over), then the lowest y among them
  // (ties within tol keep the first).
  int firstCandidate = 0;
  for (int i = 1; i < n; ++i)
    if (vertices[i].x <= vertices[firstCandidate].x - tol) firstCandidate = i;
  int chosen = firstCandidate;
  for (int i = firstCandidate + 1; i < n; ++i)
    if (std::fabs(vertices[i].x - vertices[firstCandidate].x) < tol && vertices[i].y <= vertices[chosen].y - tol)
      chosen = i;
  // One turn at most: collinear vertices all the way round leave it open.
  for (int k = 0; k < n; ++k) {
    const int v = (chosen + k) % n;
    const XtGeVector2d toNext = vertices[(v + 1) % n] - vertices[v];
    const XtGeVector2d toPrevious = vertices[(v + n - 1) % n] - vertices[v];
    const double z = toNext.crossProduct(toPrevious);
    if (std::fabs(z) > tol) return z >= 0.0 ? 1 : -1;
  }
  return 0;
}

}  // namespace

bool CFHBoundLoop::chainItems() {
  std::erase(elements, nullptr);
  if (elements.empty()) return false;
  if (elements.size() < 2) {
    const CLoopElement* only = elements.front();
    return only->hasCurve() && only->startPoint().isEqualTo(only->endPoint(), zoneBoundsTol);
  }
  // Items without a curve cannot be chained; they are dropped with the rest.
  std::deque<CLoopElement*> chain{elements.front()};
  std::vector<CLoopElement*> pool(elements.begin() + 1, elements.end());
  elements.clear();
  bool closed = false;
  // Places the first pool item that meets an end of the chain under `tol`;
  // false when none does.
  const auto placeOne = [&](const XtGeTol& tol) {
    const XtGePoint2d s = chain.front()->startPoint();
    const XtGePoint2d e = chain.back()->endPoint();
    for (std::size_t i = 0; i < pool.size(); ++i) {
      CLoopElement* p = pool[i];
      if (!p->hasCurve()) continue;
      const bool toFront = s.isEqualTo(p->endPoint(), tol) || s.isEqualTo(p->startPoint(), tol);
      const bool toBack = !toFront && (e.isEqualTo(p->startPoint(), tol) || e.isEqualTo(p->endPoint(), tol));
      if (!toFront && !toBack) continue;
      // In front the item must end at S, behind it must start at E.
      if (toFront ? !s.isEqualTo(p->endPoint(), tol) : !e.isEqualTo(p->startPoint(), tol)) p->curve->reverse();
      if (toFront)
        chain.push_front(p);
      else
        chain.push_back(p);
      pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(i));
      return true;
    }
    return false;
  };
  // Each pass places one item or ends the chaining: at most pool.size() passes.
  // An item that meets an end exactly (the next piece of a drawn polyline)
  // goes before the chain is taken for closed under the zone-bound tolerance:
  // else an edge shorter than that tolerance at the start of a closed
  // polyline makes the chain look closed one piece early (or, as the first
  // item, at once), and the pieces still in the pool are lost.
  while (chain.front()->hasCurve() && chain.back()->hasCurve()) {
    const XtGePoint2d s = chain.front()->startPoint();
    const XtGePoint2d e = chain.back()->endPoint();
    if (s.isEqualTo(e, workTol)) {
      closed = true;
      break;
    }
    if (placeOne(workTol)) continue;
    if (s.isEqualTo(e, zoneBoundsTol)) {
      closed = true;
      break;
    }
    if (!placeOne(zoneBoundsTol)) break;
  }
  elements.assign(chain.begin(), chain.end());
  const bool dropped = !pool.empty();
  for (CLoopElement* left : pool) delete left;
  return closed && !dropped;
}

void CFHBoundLoop::closeGaps() {
  const int n = itemCount();
  if (n == 0 || elements.front() == nullptr || !elements.front()->hasCurve()) return;
  if (n == 1) {
    closeLoneArc(*elements.front()->curve);
    return;
  }
  for (int i = 1; i <= n; ++i) {
    CLoopElement* a = elements[i - 1];
    CLoopElement* b = elements[i % n];
    if (a != nullptr && b != nullptr && a->hasCurve() && b->hasCurve())
      joinCurveEnds(*a->curve, *b->curve, workTol, 0.0);
  }
}

int CFHBoundLoop::mergeCollinear() {
  int removed = 0;
  // Every pass but the last removes an item: at most itemCount() passes.
  bool merged = true;
  while (merged && itemCount() >= 2) {
    merged = false;
    // The pair (second - 1, second), starting with (last, first). After a
    // merge the same position is tried again with the merged item.
    for (int second = 0; second < itemCount() && itemCount() >= 2;) {
      const int first = previousIndex(second);
      if (isLine(elements[first]) && isLine(elements[second]) && runOnTogether(*elements[first], *elements[second]) &&
          item(first)->mergeWith(*item(second))) {
        delete elements[second];
        elements.erase(elements.begin() + second);
        ++removed;
        merged = true;
      } else {
        ++second;
      }
    }
  }
  return removed;
}

bool CFHBoundLoop::orient(bool clockwise) {
  if (elements.empty()) return false;
  int sense = 0;
  XtGeCompositeCurve2d composite;
  double area = 0.0;
  const double t = workTol.equalPoint();
  if (toCompositeCurve(composite) && getCurveSignedArea(composite, area) && std::fabs(area) > t * t)
    sense = area > 0.0 ? 1 : -1;
  if (sense == 0) {
    std::vector<XtGePoint2d> starts;
    starts.reserve(elements.size());
    for (const CLoopElement* element : elements)
      if (element != nullptr && element->hasCurve()) starts.push_back(element->startPoint());
    sense = senseByVertices(starts, t);
  }
  if (sense == 0 || (sense > 0) != clockwise) return false;
  std::reverse(elements.begin(), elements.end());
  for (CLoopElement* element : elements)
    if (element != nullptr && element->hasCurve()) element->curve->reverse();
  return true;
}

int CFHBoundLoop::splitArcs(double step, double sagitta) {
  if (!(step > 0.0)) return 0;
  int split = 0;
  CFloorHeatingCurve::PtrVector pieces;
  // Each arc is visited once; the chords after it are lines and are skipped.
  for (std::size_t i = 0; i < elements.size(); ++i) {
    CLoopElement* element = elements[i];
    if (element == nullptr || !element->hasCurve() || element->curve->kind() != CFloorHeatingCurve::kArc) continue;
    double arcStep = step;
    const auto* arc = dynamic_cast<const CFloorHeatingArc*>(element->curve);
    if (arc != nullptr && sagitta > 0.0) {
      const double bySagitta = std::max(arcStepForSagitta(arc->arc().radius(), sagitta), 2.0 * zoneBoundsTol.equalPoint());
      if (bySagitta < step) {
        // Chords of one length: a longer last one would lie farther out.
        const double length = arc->length();
        arcStep = length / std::ceil(length / bySagitta);
      }
    }
    if (!splitCurveByLength(*element->curve, pieces, arcStep)) continue;
    const CFHBoundLoopItem& arcItem = *static_cast<CFHBoundLoopItem*>(element);
    std::vector<std::unique_ptr<CFHBoundLoopItem>> chords;
    chords.reserve(pieces.size());
    for (CFloorHeatingCurve::Ptr& piece : pieces) {
      auto chord = std::make_unique<CFHBoundLoopItem>(std::move(piece));
      chord->value = arcItem.value;
      chord->id = arcItem.id;
      chord->serial = arcItem.serial;
      chords.push_back(std::move(chord));
    }
    elements.reserve(elements.size() + chords.size());
    delete element;
    elements[i] = chords.front().release();
    for (std::size_t k = 1; k < chords.size(); ++k)
      elements.insert(elements.begin() + static_cast<std::ptrdiff_t>(i + k), chords[k].release());
    i += chords.size() - 1;
    ++split;
  }
  return split;
}
