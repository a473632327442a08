// Cutting a zone boundary loop along a curve (a distribution pipe or the
// polyline of the zone side pass).
#include "heating/curves/CFHBoundLoop.h"

#include "heating/curves/HeatingCurveExplode.h"
#include "heating/curves/HeatingCurveIntersections.h"
#include "heating/curves/HeatingCurveOverlaps.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

namespace {

using ItemPtr = std::unique_ptr<CFHBoundLoopItem>;

// Where an item is crossed by the cutter, and which of its stretches are
// kept.
struct ItemCut {
  // The item's ends and its inner crossings, in the item's order.
  std::vector<XtGePoint2d> boundaries;
  // Whether the first stretch lies on the kept side; the stretches alternate.
  bool firstKept = false;

  int crossingCount() const { return static_cast<int>(boundaries.size()) - 2; }
  bool stretchKept(int k) const { return firstKept == (k % 2 == 0); }
  bool lastKept() const { return stretchKept(crossingCount()); }
};

class LoopCutter {
 public:
  LoopCutter(const CFHBoundLoop& loop, const CFloorHeatingCurve& cutter) : loop_(loop), cutter_(cutter) {
    for (const CLoopElement* element : loop_.elements)
      if (element != nullptr && element->hasCurve())
        intersectCurvesToArray(cutter_, *element->curve, crossings_, workTolFine);
    sortPointsAlongCurve(cutter_, crossings_);
  }

  // False when an item is crossed three or more times inside; otherwise
  // `kept` receives the kept pieces in loop order and `cutPoints` the places
  // where the loop passes between the sides.
  bool split(const XtGePoint2d& reference, std::vector<ItemPtr>& kept, XtGePoint2dArray& cutPoints) const {
    const bool keptSide = side(reference);
    const int n = loop_.itemCount();
    std::vector<ItemCut> cuts(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      const CFHBoundLoopItem* item = loop_.item(i);
      if (item == nullptr || !item->hasCurve()) continue;
      ItemCut& cut = cuts[static_cast<std::size_t>(i)];
      if (!crossItem(*item->curve, cut)) return false;
      cut.firstKept = firstStretchSide(*item->curve, cut) == keptSide;
    }
    for (int i = 0; i < n; ++i) {
      const CFHBoundLoopItem* item = loop_.item(i);
      if (item == nullptr || !item->hasCurve()) continue;
      const ItemCut& cut = cuts[static_cast<std::size_t>(i)];
      appendKeptStretches(*item, cut, kept);
      for (int k = 1; k + 1 < static_cast<int>(cut.boundaries.size()); ++k)
        addPointIfNew(cutPoints, cut.boundaries[static_cast<std::size_t>(k)], workTol);
      // A joint where the kept side changes is a cut point when the cutter
      // passes through it; anywhere else the side test contradicts itself
      // and the kept part stays open, which fails the cut.
      const int next = loop_.nextIndex(i);
      const CFHBoundLoopItem* nextItem = loop_.item(next);
      if (nextItem == nullptr || !nextItem->hasCurve()) continue;
      const XtGePoint2d& joint = item->curve->endPoint();
      if (cut.lastKept() != cuts[static_cast<std::size_t>(next)].firstKept && onCutter(joint))
        addPointIfNew(cutPoints, joint, workTol);
    }
    sortPointsAlongCurve(cutter_, cutPoints);
    return true;
  }

  // The closing pieces between pairs of cut points, inserted into `items`
  // where the kept part has its gap (at the end when none is found).
  void close(const XtGePoint2dArray& cutPoints, std::vector<ItemPtr>& items) const {
    const int m = cutPoints.length();
    if (m < 2) return;
    bool reversed = false;
    const std::size_t at = gapPosition(cutPoints, items, reversed);
    std::vector<XtGePoint2d> order(cutPoints.begin(), cutPoints.end());
    if (reversed) std::reverse(order.begin(), order.end());

    std::vector<ItemPtr> pieces;
    for (std::size_t i = 0; i + 1 < order.size();) {
      CFloorHeatingCurve::Ptr piece = closingPiece(order[i], order[i + 1], reversed);
      if (!piece) return;
      // A stretch of the cutter along the old outline closes nothing: its
      // second point pairs with the next one instead.
      if (overlapsAnyCurveCollinear(
              *piece, loop_.elements,
              [](const CLoopElement* element) { return element != nullptr ? element->curve : nullptr; }, workTol)) {
        i += 1;
        continue;
      }
      appendAsItems(std::move(piece), pieces);
      i += 2;
    }
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(pieces.begin()),
                 std::make_move_iterator(pieces.end()));
  }

 private:
  bool side(const XtGePoint2d& p, bool* byProlongation = nullptr) const {
    return cutter_.sideTest(p, &crossings_, byProlongation);
  }

  bool onCutter(const XtGePoint2d& p) const { return crossings_.find(p, workTol) >= 0; }

  // The item's ends and inner crossings in its order; false for three or
  // more inner crossings.
  bool crossItem(const CFloorHeatingCurve& curve, ItemCut& cut) const {
    XtGePoint2dArray hits;
    intersectCurvesToArray(cutter_, curve, hits, workTolFine);
    XtGePoint2dArray inner;
    for (const XtGePoint2d& p : hits)
      if (!p.isEqualTo(curve.startPoint(), workTol) && !p.isEqualTo(curve.endPoint(), workTol)) inner.append(p);
    if (inner.length() >= 3) return false;
    sortPointsAlongCurve(curve, inner);
    cut.boundaries.clear();
    cut.boundaries.push_back(curve.startPoint());
    cut.boundaries.insert(cut.boundaries.end(), inner.begin(), inner.end());
    cut.boundaries.push_back(curve.endPoint());
    return true;
  }

  // The side of the item's first stretch: that of its start, else (start on
  // the cutter, or decided by a prolongation of the cutter) that of its end
  // turned once per inner crossing, else that of the first stretch's middle.
  bool firstStretchSide(const CFloorHeatingCurve& curve, const ItemCut& cut) const {
    const XtGePoint2d& start = cut.boundaries.front();
    const XtGePoint2d& end = cut.boundaries.back();
    if (!onCutter(start)) {
      bool byProlongation = false;
      const bool startSide = side(start, &byProlongation);
      if (!byProlongation) return startSide;
    }
    if (!onCutter(end)) return side(end) != (cut.crossingCount() % 2 == 1);
    const XtGeCurve2d& geometry = curve.geCurve();
    const double t0 = geometry.paramOf(start, workTolFine);
    const double t1 = geometry.paramOf(cut.boundaries[1], workTolFine);
    return side(geometry.evalPoint((t0 + t1) * 0.5));
  }

  static void appendKeptStretches(const CFHBoundLoopItem& item, const ItemCut& cut, std::vector<ItemPtr>& kept) {
    const int stretches = cut.crossingCount() + 1;
    for (int k = 0; k < stretches; ++k) {
      if (!cut.stretchKept(k)) continue;
      auto piece = std::make_unique<CFHBoundLoopItem>(item);
      if (stretches > 1)
        piece->curve->setEndPoints(cut.boundaries[static_cast<std::size_t>(k)],
                                   cut.boundaries[static_cast<std::size_t>(k + 1)]);
      kept.push_back(std::move(piece));
    }
  }

  // The first position whose previous item (cyclically) ends at the first
  // cut point and whose item starts at the last (cutter order), or ends at
  // the last and starts at the first (reverse order); the end otherwise.
  static std::size_t gapPosition(const XtGePoint2dArray& cutPoints, const std::vector<ItemPtr>& items,
                                 bool& reversed) {
    const std::size_t n = items.size();
    const XtGePoint2d& first = cutPoints.first();
    const XtGePoint2d& last = cutPoints.last();
    for (std::size_t p = 0; p < n; ++p) {
      const CFloorHeatingCurve& before = *items[(p + n - 1) % n]->curve;
      const CFloorHeatingCurve& here = *items[p]->curve;
      if (before.endPoint().isEqualTo(first, workTol) && here.startPoint().isEqualTo(last, workTol)) {
        reversed = false;
        return p;
      }
      if (before.endPoint().isEqualTo(last, workTol) && here.startPoint().isEqualTo(first, workTol)) {
        reversed = true;
        return p;
      }
    }
    reversed = false;
    return n;
  }

  // A clone of the cutter running from a to b; in reverse order the clone is
  // trimmed in the cutter's own direction (b before a) and then reversed.
  CFloorHeatingCurve::Ptr closingPiece(const XtGePoint2d& a, const XtGePoint2d& b, bool reversed) const {
    CFloorHeatingCurve::Ptr piece = cloneBoundaryCurve(cutter_);
    if (!piece) return piece;
    if (reversed) {
      piece->setEndPoints(b, a);
      piece->reverse();
    } else {
      piece->setEndPoints(a, b);
    }
    return piece;
  }

  // A polyline piece becomes one item per part, any other piece one item.
  static void appendAsItems(CFloorHeatingCurve::Ptr piece, std::vector<ItemPtr>& items) {
    if (piece->kind() != CFloorHeatingCurve::kPolyline) {
      items.push_back(std::make_unique<CFHBoundLoopItem>(std::move(piece)));
      return;
    }
    for (CFloorHeatingCurve::Ptr& part : explodeCurve(*piece)) {
      part->setSource(nullptr);
      items.push_back(std::make_unique<CFHBoundLoopItem>(std::move(part)));
    }
  }

  const CFHBoundLoop& loop_;
  const CFloorHeatingCurve& cutter_;
  // Every crossing of the cutter with the loop, in the cutter's order; its
  // first and last bound the stretch the side test measures against.
  XtGePoint2dArray crossings_;
};

// Each item ends where the next one starts (workTol), and there is one.
bool isClosedChain(const std::vector<ItemPtr>& items) {
  const std::size_t n = items.size();
  for (std::size_t i = 0; i < n; ++i)
    if (!items[i]->curve->endPoint().isEqualTo(items[(i + 1) % n]->curve->startPoint(), workTol)) return false;
  return n > 0;
}

}  // namespace

void sortPointsAlongCurve(const CFloorHeatingCurve& curve, XtGePoint2dArray& points) {
  const int n = points.length();
  if (n < 2) return;
  std::vector<double> params(static_cast<std::size_t>(n));
  std::vector<int> order(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) params[static_cast<std::size_t>(i)] = curve.geCurve().paramOf(points[i]);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return params[static_cast<std::size_t>(a)] < params[static_cast<std::size_t>(b)];
  });
  XtGePoint2dArray sorted(n);
  for (const int i : order) sorted.append(points[i]);
  points = std::move(sorted);
}

bool CFHBoundLoop::cutAlongCurve(const CFloorHeatingCurve& cutter, const XtGePoint2d& reference) {
  const LoopCutter loopCutter(*this, cutter);
  std::vector<ItemPtr> items;
  XtGePoint2dArray cutPoints;
  if (!loopCutter.split(reference, items, cutPoints)) return false;
  loopCutter.close(cutPoints, items);
  if (!isClosedChain(items)) return false;
  clear();
  elements.reserve(items.size());
  for (ItemPtr& item : items) elements.push_back(item.release());
  return true;
}
