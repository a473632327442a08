// The boundary of one heating zone: the zone's closed outline twice, as the
// as-drawn loop (the curves the user selected, prepared once) and the working
// loop (a copy that the distribution pipes may cut and whose arcs become
// chords for the pipe layout), with a cache of inward offset loops.
//
// Life: the zone reader makes the boundary, adds the zone's curve
// (addBoundaryCurve), prepares the as-drawn loop, checks whether distribution
// pipes start inside it (then sets pipeNetwork) and copies the as-drawn loop
// into the working loop (workingLoop.copyFrom(asDrawnLoop)). Each zone design
// cuts the working loop and prepares it again, or copies it back from the
// as-drawn loop when the cut fails. The boundary lives as long as its zone.
//
// Ownership: both loops, the extra loops and every loop of the offset cache
// belong to the boundary. pipeNetwork is the design model's network (as the
// source of the pipes' segment end points), not owned.
//
// Threads: preparing or cutting a boundary runs on one thread at a time (the
// command's thread or the design thread of the zone's circuit); only the
// offset cache and the reference points are shared between threads. Both are
// guarded by cacheLock_, held only while an entry or a point is looked up,
// copied or stored, never while offsetting.
//
// Offsets (CFHZoneBoundaryOffsets.cpp): the boundary asks its offset-level
// source (the layout's builder, handed in by the constructor and not owned)
// for the inward offsets of the as-drawn loop and keeps each distance's loops
// in its cache for its whole life; the as-drawn loop is prepared once and not
// changed after, so entries never go stale. A boundary made without a source
// answers every offset as one that does not exist.
//
// Tolerances: zoneBoundsTol chains the curves, workTol closes and orients
// them; manifoldConnectionTol says how near a point must be to lie on the
// loop (isOnLoop); workTolFine is used for intersections.
#pragma once

#include "heating/curves/CFHBoundLoop.h"
#include "heating/curves/CFHOffsetLevelSource.h"
#include "heating/curves/CFHPipeSegmentSource.h"

#include <map>
#include <memory>
#include <mutex>
#include <vector>

// A place where a curve crosses a zone boundary, with the point's parameter
// on that curve.
struct CFHZoneCrossing {
  XtGePoint2d point;
  double param = 0.0;
};

class CFHZoneBoundary {
 public:
  CFHZoneBoundary() = default;
  // With the source of its offset levels (not owned; it must outlive the
  // boundary; may be null).
  explicit CFHZoneBoundary(const CFHOffsetLevelSource* levelSource) : levelSource_(levelSource) {}
  ~CFHZoneBoundary() = default;
  CFHZoneBoundary(const CFHZoneBoundary&) = delete;
  CFHZoneBoundary& operator=(const CFHZoneBoundary&) = delete;

  // Appends the curve to the as-drawn loop (a polyline as its pieces; the
  // boundary takes the curve) and makes both reference points invalid.
  void addBoundaryCurve(CFloorHeatingCurve::Ptr curve);

  // Prepares the as-drawn (asDrawn) or the working loop: chainItems,
  // closeGaps, mergeCollinear, orient counter-clockwise; the working loop
  // then has its arcs split into chords of arcSplitStep() that lie at most
  // arcChordSagitta() from their arcs. The chosen loop's
  // reference point becomes invalid. True when the curves closed into one
  // loop and none was dropped; false when chaining left the loop open or
  // dropped a curve (the later passes still run, so the loop is closed in
  // any case, possibly across a wide gap: the caller should refuse the zone).
  bool prepareLoop(bool asDrawn);

  // The length of the chords that replace arcs of the working loop: 0.4 ×
  // the host's unit factor (400 mm); 0 when the host gives no unit factor,
  // which leaves arcs whole.
  static double arcSplitStep();
  // The most a chord of the working loop may lie from its arc: 0.001 × the
  // host's unit factor (1 mm; 0 without one). A wall that bows into the
  // zone would otherwise be cut by chords that lie up to 400² / (8 r)
  // beyond it, and the pipe at the border width from them that much nearer
  // the wall (13 mm for a radius of 1.5 m).
  static double arcChordSagitta();

  CFHBoundLoop& loop(bool asDrawn) { return asDrawn ? asDrawnLoop : workingLoop; }
  const CFHBoundLoop& loop(bool asDrawn) const { return asDrawn ? asDrawnLoop : workingLoop; }

  // ---- Queries (CFHZoneBoundaryQueries.cpp) ------------------------------------

  // Appends the curves (not copies) of the chosen loop's items, in order.
  void copyItems(std::vector<CFloorHeatingCurve*>& curves, bool asDrawn) const;
  static void copyItems(const CFHBoundLoop& loop, std::vector<CFloorHeatingCurve*>& curves);
  // When the point lies on an item of the chosen loop (manifoldConnectionTol),
  // moves it onto the first such item (its closestPointTo) and answers true;
  // false, point untouched, otherwise.
  bool isOnLoop(XtGePoint2d& point, bool asDrawn) const;
  // Whether the curve meets the chosen loop at two or more points that
  // differ (workTol). Every intersection counts, so a line cutting a cap off
  // one arc side meets it twice.
  bool meetsLoopTwice(const CFloorHeatingCurve& curve, bool asDrawn) const;
  // CLoop::isForwardShorter on the chosen loop.
  bool isForwardShorter(bool asDrawn, const XtGePoint2d& p1, const XtGePoint2d& p2, const XtGeTol& tol) const;
  // Whether the curve's start or end lies on an item of the working loop
  // (workTol).
  bool touchesLoop(const CFloorHeatingCurve& curve) const;
  // Every place where the curve meets the working loop (workTol), items in
  // loop order and each item's points in the order found, a point shared by
  // two items (a joint) once, each with its parameter on the curve
  // (paramOf). `crossings` is emptied first; answers their number.
  int curveCrossings(const CFloorHeatingCurve& curve, std::vector<CFHZoneCrossing>& crossings) const;

  // ---- Building the working loop (CFHZoneBoundaryBuild.cpp) ---------------------

  // Rebuilds the working loop around the distribution pipes: the working
  // reference point becomes invalid; with recopy the working loop is copied
  // from the as-drawn loop and the side pass cuts the pipe bundle out of it;
  // every curve that does not meet the working loop twice (meetsLoopTwice) is
  // destroyed and removed from `curves`; then cutLoops keeps the side of
  // `point`. The remaining curves stay the caller's. On true the caller
  // prepares the working loop; on false it copies it from the as-drawn loop
  // again (a failed cut leaves the loop as the cuts before it made it).
  bool build(std::vector<CFloorHeatingCurve::Ptr>& curves, const XtGePoint2d& point, bool recopy);
  // Cuts the loop along each curve in list order (CFHBoundLoop::cutAlongCurve),
  // keeping the side of `point`; the first cut that fails stops with false.
  // True for an empty list.
  static bool cutLoops(CFHBoundLoop& loop, const std::vector<CFloorHeatingCurve::Ptr>& curves,
                       const XtGePoint2d& point);
  // Where the curve meets the chosen loop nearest to `point`: of every
  // intersection with every item (workTolFine), the nearest to `point`. When
  // the curve meets no item: the projection of its start or end onto an item
  // (closestPointTo) that lies nearest to the end it was projected from.
  // False, `out` untouched, for a loop without curves.
  bool nearestIntersection(const CFloorHeatingCurve& curve, const XtGePoint2d& point, XtGePoint2d& out,
                           bool asDrawn) const;
  // Sets the band value of the as-drawn side at `position` and of every
  // working item with its id (all pieces cut or split from that side).
  // A position outside the as-drawn loop is ignored.
  void setItemValue(int position, double value);

  // ---- Zone side pass (CFHZoneSidePass.cpp) --------------------------------------

  // Cuts the area of the distribution pipes out of the chosen loop: from the
  // side where the pipe bundle (the convex hull of zoneBoundarySegmentPoints)
  // lies nearest to the outline, a polyline runs from the outline around the
  // bundle's far extreme points and back, and the loop is cut along it,
  // keeping the side of the as-drawn reference point. Nothing happens without
  // a pipe network, with fewer than three distinct pipe end points, or when
  // no side gives a run that meets the loop twice; a failed cut leaves the
  // loop as it was.
  void sidePass(bool asDrawn);

  // ---- Offsets and reference points (CFHZoneBoundaryOffsets.cpp) -----------------

  // The loops of the as-drawn loop offset inward by the distance (first
  // offset `distance`, spacing 0), into `out` (emptied first). They belong to
  // the boundary and stay valid as long as it lives; two calls with the same
  // distance answer the same loops, a distance a last bit apart is computed
  // anew. False, nothing cached, when the offset is not exactly one level
  // (nothing left of the zone, no source) or the distance is not finite.
  // Two threads that compute one distance at once both offset; the first to
  // store its loops wins and the other frees its own and answers the stored.
  bool offsetLoops(double distance, std::vector<CFHBoundLoop*>& out) const;
  // The boundary offset inward by the distance, as a new composite curve,
  // with its end point (hasEndPoint tells whether it has one). distance > 0:
  // of the cached offset loops of the as-drawn loop, the one of largest area
  // (`working` is not used). distance <= 0: the trimmed offset of the working
  // (working) or as-drawn loop's composite (XtGe::kExtend, workTol): the piece
  // of largest area, else the first piece, wrapped alone in the composite.
  // False, curve reset, when there is none.
  bool trimmedOffset(double distance, std::unique_ptr<XtGeCompositeCurve2d>& curve, XtGePoint2d& endPoint,
                     bool& hasEndPoint, bool working) const;
  // The length of the boundary offset inward by the distance (trimmedOffset,
  // naming the working loop); when there is none, the estimate sum over the
  // working loop's items of max(0, item length - 2 x distance). Never
  // negative.
  double offsetPerimeter(double distance) const;
  // The area enclosed by the boundary offset inward by the distance
  // (trimmedOffset, naming the as-drawn loop); when there is none, the area
  // of the as-drawn loop; 0 when no area can be had.
  double offsetArea(double distance) const;

  // Computes and stores the inner reference point of the as-drawn (asDrawn)
  // or working loop: the loop's length-weighted centre, projected onto the
  // nearest loop of the innermost level of the loop offset every 0.1 x the
  // drawing unit factor (the centre itself when there is no level); of
  // projections equally near (workTol), the one of lowest x, then lowest y,
  // whatever the order of the level's loops and elements. The
  // point of a loop without items stays invalid. The point is computed
  // without the lock and stored under it.
  void computeCachedPoint(bool asDrawn) const;
  // The stored reference point, computed first when it is not valid (the
  // origin for a loop without items).
  XtGePoint2d cachedPoint(bool asDrawn) const;
  bool cachedPointValid(bool asDrawn) const;
  // Marks the reference point as stale: done for every curve added and every
  // preparation of the loop, and by whoever rebuilds the working loop.
  void invalidateCachedPoint(bool asDrawn);
  // How many distances the offset cache holds.
  std::size_t offsetCacheSize() const;

  // ---- State -------------------------------------------------------------------

  // The zone outline as selected, prepared once.
  CFHBoundLoop asDrawnLoop;
  // The copy that the pipes cut and whose arcs are split.
  CFHBoundLoop workingLoop;
  // Further loops the zone design keeps with the boundary.
  std::vector<std::unique_ptr<CFHBoundLoop>> extraLoops;
  // The design model's distribution-pipe network when a distribution pipe
  // starts inside the zone, else null. Not owned.
  const CFHPipeSegmentSource* pipeNetwork = nullptr;

 private:
  // Where the offset levels come from (not owned); null: no offsets.
  const CFHOffsetLevelSource* levelSource_ = nullptr;
  // Inward offset loops by distance (compared exactly); guarded by
  // cacheLock_. Entries are added, never removed or replaced.
  mutable std::map<double, std::vector<std::unique_ptr<CFHBoundLoop>>> offsetCache_;
  mutable std::mutex cacheLock_;
  // Inner reference points of the two loops, computed on demand; cleared
  // by every curve added and every preparation of their loop. Guarded by
  // cacheLock_.
  mutable XtGePoint2d asDrawnPoint_;
  mutable XtGePoint2d workingPoint_;
  mutable bool asDrawnPointValid_ = false;
  mutable bool workingPointValid_ = false;
};
