// A loop of a zone boundary: the zone outline as items (CFHBoundLoopItem),
// each a heating curve with its band value, side id and serial.
//
// Ownership: `elements` holds only CFHBoundLoopItem records, all owned by the
// loop (clear, copyFrom, setFromCurves and the destructor destroy them, and
// every item frees its curve and its source curves). Never put another kind
// of element into it: item() would misread it.
//
// Preparation (CFHBoundLoopPreparation.cpp) turns the loose curves of a zone
// into a closed, gap-free, counter-clockwise chain:
//   chainItems     orders and turns the items end to end (zoneBoundsTol);
//   closeGaps      makes neighbours share their end points (joinCurveEnds);
//   mergeCollinear joins straight neighbours that run on in one direction;
//   orient         turns the loop to the wanted sense;
//   splitArcs      (working loop only) replaces arcs by chords.
// After closeGaps every item starts where the one before it ends (workTol).
//
// Tolerances: workTol unless said otherwise; workTolFine for lengths and
// distances to curves.
//
// Threads: a loop is used by one thread at a time. The id and serial
// counters behind append are atomic, so loops may be built on several
// threads at once. Every pass is bounded by the item count (see each).
#pragma once

#include "heating/curves/CFHBoundLoopItem.h"
#include "heating/curves/CLoop.h"

#include "platform/ge/XtGeCompositeCurve2d.h"

#include <vector>

class CFHBoundLoop : public CLoop {
 public:
  CFHBoundLoop() = default;
  ~CFHBoundLoop() override;

  int itemCount() const { return elementCount(); }
  // The item at a position (which must be valid).
  CFHBoundLoopItem* item(int i) const { return static_cast<CFHBoundLoopItem*>(elements[i]); }

  // ---- Filling (CFHBoundLoop.cpp) ---------------------------------------------

  // Appends the curve as new items, each with the next id and serial: a
  // polyline becomes one item per line or arc piece (explodeCurve), any other
  // curve one item. The first form takes the curve (a polyline is freed once
  // exploded), the second keeps the caller's curve and stores clones. Pieces
  // that named the polyline as their source lose that source, since the loop
  // cannot know how long the polyline lives. Answers the number of items
  // added (0 for a null curve or a polyline without pieces).
  int append(CFloorHeatingCurve::Ptr curve);
  int append(const CFloorHeatingCurve& curve);
  // Destroys every item.
  void clear();
  // Makes this loop a copy of the other: distinct curves of the same
  // geometry, with the same values, ids and serials, no source curves.
  // Copying a loop onto itself changes nothing.
  void copyFrom(const CFHBoundLoop& other);
  // Clears, then one item per curve owning a clone of it (value -1.0, id 0,
  // serial 0: no counter advances). Null entries are passed over; the caller
  // keeps its curves.
  void setFromCurves(const std::vector<CFloorHeatingCurve*>& curves);

  // ---- Preparation (CFHBoundLoopPreparation.cpp) ------------------------------

  // Orders the items into one chain, each curve turned so that it starts
  // where the one before it ends (zoneBoundsTol). Starting from the first
  // item, each pass places the first remaining item that meets an end of the
  // chain: S = P's end (P in front), S = P's start (P reversed, in front),
  // E = P's start (P behind), E = P's end (P reversed, behind), with S the
  // chain's start and E its end. Items that meet an end exactly (workTol)
  // are placed first, so the pieces of one drawn polyline stay in their
  // order whatever the length of its edges. Chaining stops when S = E
  // exactly, or under the tolerance with no exact continuation left, or when
  // a pass places nothing; items not placed then are destroyed. True when
  // the chain closed and no item was dropped; false for an empty loop.
  bool chainItems();
  // Joins every neighbour pair (item i - 1, item i), then the last item to
  // the first, with joinCurveEnds (workTol, the default limit). A single arc
  // whose ends lie within that limit becomes a full circle; a single other
  // curve is left as it is (joining a curve to itself would shrink it).
  void closeGaps();
  // Visits neighbour pairs cyclically from (last, first); two lines of which
  // either has zero length or whose directions agree (workTol) are merged
  // (CFHBoundLoopItem::mergeWith) and the second is destroyed. Passes repeat
  // until one merges nothing or fewer than two items remain. Answers the
  // number of items removed.
  int mergeCollinear();
  // Turns the loop counter-clockwise (clockwise when asked): decided by the
  // signed area of the items' composite, or, when that is 0 or cannot be
  // had, from the lowest-left item start V by the cross product of its
  // neighbours (next - V) x (prev - V), moving on while they are collinear
  // (at most one turn; then the loop stays). Reversing reverses the item
  // order and every curve. True when the loop was reversed.
  bool orient(bool clockwise);
  // Replaces every arc item by the chords of splitCurveByLength(step), each
  // a new item with the arc item's value, id and serial; the arc item is
  // destroyed. A step that is not positive leaves the arcs whole. Answers the
  // number of arcs split.
  // With a sagitta above 0 an arc's chords are also short enough that none
  // lies farther than the sagitta from its arc (the step for the arc's
  // radius, arcStepForSagitta), but not shorter than twice the zone-bound
  // tolerance, so that no chord is taken for a jog: a chord of a wall that
  // bows into the zone lies beyond the wall by its sagitta, and a pipe laid
  // at the border width from it lies nearer the wall by as much.
  int splitArcs(double step, double sagitta = 0.0);

  // ---- Queries and helpers (CFHBoundLoopQueries.cpp) --------------------------

  // Clears the loop point's links, sets its point, then links every item
  // whose curve passes through the point (tol), in item order. True when any
  // was linked.
  bool notifyItemsOn(const XtGePoint2d& point, CLoopPoint& loopPoint, const XtGeTol& tol) const;
  // The first item with the id, null when none.
  CFHBoundLoopItem* itemById(int id) const;
  // The position of the first item with the id, -1 when none.
  int indexOfId(int id) const;
  // The id of item i when i is a valid position; otherwise the id of the
  // first item whose serial is i; -1 when none.
  int itemIdAt(int i) const;
  // The composite's pieces become copies of the items' wrapped curves in
  // order. False, composite untouched, for a loop without curves.
  bool toCompositeCurve(XtGeCompositeCurve2d& composite) const;
  // Whether two loops outline the same thing: the pairs (item of a, item of
  // b) whose curves have the same two end points (either way round,
  // zoneBoundsTol) number as many as the items of a or of b. False when
  // either loop is empty.
  static bool sharesEndPoint(const CFHBoundLoop& a, const CFHBoundLoop& b);
  // For every item, 10 sample points of its curve and, for every curve of
  // the list, their mean distance to it (workTolFine). The pairs of the
  // smallest mean are answered: a mean smaller by at least tol's point value
  // replaces the pairs found so far, one within it adds a pair unless its
  // item is already there. The outputs are emptied first; true when any.
  bool nearestItemCurvePairs(const std::vector<const CFloorHeatingCurve*>& curves,
                             std::vector<CFHBoundLoopItem*>& items,
                             std::vector<const CFloorHeatingCurve*>& nearestCurves, const XtGeTol& tol) const;

  // ---- Cutting (CFHBoundLoopCut.cpp) ------------------------------------------

  // Cuts the loop along the curve, keeping the part on the side of
  // `reference` (the cutter's sideTest, measured against its stretch between
  // its first and last crossing with the loop) and closing it along the
  // cutter between the cut points. Each item is split at the places where
  // the cutter crosses it inside (workTolFine; places within workTol of its
  // ends split nothing) and keeps the stretches on the kept side, which
  // alternate from the side of its start (of its end when the start lies on
  // the cutter or its side was decided by a prolongation of the cutter). Cut
  // points are the crossings where the loop passes between the two sides.
  // Closing pieces are clones of the cutter between pairs of consecutive cut
  // points, inserted where the kept part has its gap; a piece that runs along
  // the old outline is left out with its first cut point. Kept pieces carry
  // their item's value, id and serial; closing pieces have none (-1, 0, 0).
  // All or nothing: true, with the items replaced, only when the result is a
  // non-empty closed chain (workTol); false, loop unchanged, when an item is
  // crossed three or more times inside or the result is empty or open.
  bool cutAlongCurve(const CFloorHeatingCurve& cutter, const XtGePoint2d& reference);

  // ---- Corners (CFHBoundLoopCorner.cpp) ---------------------------------------

  // Moves a pipe's connection point off a corner of the loop: when the point
  // lies on an item (the first that holds it, workTol) within 0.1 u of one
  // of its ends (u = usableDrawingUnitFactor()), the side of that corner
  // turned to least from the pipe's direction (the pipe leaving its end
  // nearer the point) is chosen, and when that side is at least 0.4 u long
  // the point moves 0.2 u along it away from the corner. Otherwise nothing
  // changes.
  void moveOffCorner(XtGePoint2d& point, const CFloorHeatingCurve& pipe) const;
};

// Orders the points by their parameter on the curve's geometry (host
// tolerance), ascending; points of equal parameter keep their order.
void sortPointsAlongCurve(const CFloorHeatingCurve& curve, XtGePoint2dArray& points);

// Appends each item's band value, in item order.
void appendItemValues(const CFHBoundLoop& loop, std::vector<double>& values);
