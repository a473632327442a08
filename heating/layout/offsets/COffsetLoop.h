// One closed inward offset loop of a zone boundary: its sections in loop
// order, each section's end the next one's start and the last section ending
// at the first one's start. The level builder makes loops of straight
// sections; the layouts add nodes to the sections and lay edges over them.
//
// Ownership: `elements` holds only COffsetSection records, all owned by the
// loop (the destructor destroys every section with its curve; the nodes
// listed on a section stay). Never put another kind of element into it:
// section() would misread it.
//
// Walking direction, tolerances and threads as CLoop (heating/curves/CLoop.h):
// a loop is used by one thread at a time.
#pragma once

#include "heating/layout/offsets/COffsetPoint.h"
#include "heating/layout/offsets/COffsetSection.h"

#include "heating/curves/CLoop.h"

#include "platform/ge/XtGeCompositeCurve2d.h"

#include <memory>
#include <vector>

class CFloorHeatingLine;
class COffsetNarrowLoopSection;

class COffsetLoop : public CLoop {
 public:
  COffsetLoop() = default;
  // The strip beside a line: with n the line's unit direction turned by
  // +pi/2 and scaled by the width, A = end + n and B = start + n; four
  // sections: a copy of the line, end -> A, A -> B, B -> start, the new lines
  // with the line's tag. A line of no length gives a loop without sections.
  COffsetLoop(const CFloorHeatingLine& line, double width);
  ~COffsetLoop() override;

  int sectionCount() const { return elementCount(); }
  // The section at a position (which must be valid).
  COffsetSection* section(int i) const { return static_cast<COffsetSection*>(elements[i]); }
  // Appends the section (the loop takes it; null is ignored).
  void appendSection(COffsetSection* section);

  // ---- Virtual operations of the offset loop (behind CLoop's two) ------------

  // Every place where the curve meets the loop, as points linked to the
  // section(s) they lie on (CLoop::intersectCurve). `points` is emptied
  // first; true when any.
  virtual bool intersectionPoints(const CFloorHeatingCurve& curve, std::vector<COffsetPoint>& points,
                                  const XtGeTol& tol) const;
  // Of those, the one farthest from the reference point (the first of equal
  // distances stays), written into `result`: its links cleared first, then
  // point and links assigned. False, `result` untouched, when none.
  virtual bool farthestIntersection(const CFloorHeatingCurve& curve, const CLoopPoint& reference,
                                    CLoopPoint& result, const XtGeTol& tol) const;

  // ---- Ray hits and picked intersections ------------------------------------
  //
  // The picks (OffsetLoopQueries.cpp) take from the intersection points
  // (with a curve as above, or with a ray: each section's hit nearest the
  // ray's start) the one nearest to (farthest from) the reference point:
  // strictly nearer (farther) replaces, so the first of equal distances
  // stays. The pick is written into the result as farthestIntersection
  // writes it; false, results untouched, when there is none.

  // The ray's hits, as intersectionPoints gives a curve's. True when any.
  bool rayIntersections(const XtGeRay2d& ray, std::vector<COffsetPoint>& points, const XtGeTol& tol) const;
  bool nearestIntersection(const CFloorHeatingCurve& curve, const CLoopPoint& reference, CLoopPoint& result,
                           const XtGeTol& tol) const;
  // Both picks of one intersection; both results are written or neither.
  bool nearestAndFarthestIntersection(const CFloorHeatingCurve& curve, const CLoopPoint& reference,
                                      CLoopPoint& nearest, CLoopPoint& farthest, const XtGeTol& tol) const;
  bool nearestRayIntersection(const XtGeRay2d& ray, const CLoopPoint& reference, CLoopPoint& result,
                              const XtGeTol& tol) const;
  bool farthestRayIntersection(const XtGeRay2d& ray, const CLoopPoint& reference, CLoopPoint& result,
                               const XtGeTol& tol) const;
};

// A new narrow loop section over copies of the loop's section curves, in the
// same order (each an exact copy, extendedCopyAt its own midPoint with no
// lengthening); no free-interval records yet.
std::unique_ptr<COffsetNarrowLoopSection> makeNarrowLoopSection(const COffsetLoop& loop);

// A new composite curve over copies of the loop's section curves, in order
// (sections without a curve are passed over).
std::unique_ptr<XtGeCompositeCurve2d> makeCompositeCurveOfLoop(const CLoop& loop);
