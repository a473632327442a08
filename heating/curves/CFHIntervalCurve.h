// Stretches of one heating curve marked by parameter intervals, for the
// layout's facing-span search and the circuit path: spans found facing
// another curve (intervalsA), spans taken by something else and excluded
// (intervalsB), and the spans that remain (intervalsKept), which the layout
// computes from the other two and this class hands back as new curves.
//
// Parameters are those of the curve's wrapped geometry (geCurve()); every
// interval is built with the tolerance 1e-12. A span is added by its two end
// points, which must lie on the curve under the host tolerance
// (XtGeContext::gTol) in the curve's direction of travel; spans of a list are
// kept in ascending order of their lower bound, spans with equal lower bounds
// in the order they were added.
//
// `valid` tells whether intervalsKept is up to date: the constructor and
// every added span clear it; the layout's recompute sets it when spans
// remain.
//
// Ownership: the curve and the owner element are not owned; both must
// outlive the interval curve. The pieces that keptPieceAt and
// collectKeptPieces make belong to the caller.
//
// Threads: one thread at a time (the zone's design thread).
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

#include "platform/ge/XtGeInterval.h"

#include <memory>
#include <vector>

class CLoopElement;

class CFHIntervalCurve {
 public:
  // How markAt places a stretch of the given width at a point.
  enum MarkKind : int { kMarkForward = 1, kMarkBackward = 2, kMarkCentred = 4 };

  // No spans, no owner, not valid; paramStep from the curve (a null curve
  // gives 0 and refuses every span).
  CFHIntervalCurve(const CFloorHeatingCurve* curve, double value);
  virtual ~CFHIntervalCurve() = default;
  CFHIntervalCurve(const CFHIntervalCurve&) = delete;
  CFHIntervalCurve& operator=(const CFHIntervalCurve&) = delete;

  // ---- Virtual operations (in this order) ----------------------------------------

  // Adds the span from p1 to p2 to intervalsA, as addIntervalB does.
  virtual bool addIntervalA(const XtGePoint2d& p1, const XtGePoint2d& p2);
  // Excludes a stretch of the given width at p (which must lie on the
  // curve): kMarkForward from p forward by the width, kMarkBackward from the
  // width before p up to p, kMarkCentred from half the width before p to
  // half the width after it. Lengths are walked with workTolFine and each
  // end is clamped to the curve's parameter interval, so a stretch near an
  // end is shortened to it. The stretch is added through addIntervalB,
  // whose answer this is; false for any other kind or a p off the curve.
  virtual bool markAt(const XtGePoint2d& p, int kind, double width);
  // Adds the span from p1 to p2 to intervalsB. False, nothing changed, when
  // either point is off the curve or p1 does not come before p2.
  virtual bool addIntervalB(const XtGePoint2d& p1, const XtGePoint2d& p2);
  // Appends keptPieceAt(i) for every kept span, in order (spans that give no
  // piece are passed over).
  virtual void collectKeptPieces(CFloorHeatingCurve::PtrVector& pieces) const;
  // A new copy of the curve (same kind, tag, record; source its root) running
  // from the curve's point at the lower bound of kept span i to its point at
  // the upper bound. Null for an index outside intervalsKept or a null curve.
  virtual CFloorHeatingCurve::Ptr keptPieceAt(int i) const;

  // ---- Kept spans (CFHIntervalCurveKept.cpp) -----------------------------------------

  // Rebuilds intervalsKept from the facing and excluded spans:
  // 1. intervalsKept is emptied; with no facing span nothing more happens
  //    (`valid` stays as it was).
  // 2. Facing spans (in their order) are merged: one whose lower bound lies
  //    beyond the last kept span's upper bound plus paramStep starts a new
  //    kept span, any other extends the last one.
  // 3. Every excluded span is subtracted from every kept span (a kept span
  //    may vanish, be cut on one side or split in two).
  // 4. When `value` is not 0, every kept span loses at both ends the
  //    parameter span that the length `value` covers from the start of the
  //    curve (geometry library's global tolerance); a span with nothing left
  //    between its bounds is removed.
  // `valid` then tells whether kept spans remain.
  void recompute();
  // The point of the kept pieces (keptPieceAt) nearest to `point`, the
  // first of equal distances. False, `nearest` untouched, when the curve is
  // not valid or no kept piece can be made.
  bool nearestPoint(const XtGePoint2d& point, XtGePoint2d& nearest) const;

  // ---- Fields ------------------------------------------------------------------------

  // The curve whose stretches are marked (not owned).
  const CFloorHeatingCurve* curve;
  // The parameter span that one workTol point length covers on the curve:
  // (parameter interval length) / (curve length / workTol point). 0 when the
  // curve, its length or the tolerance is 0 (or the curve is unbounded), so
  // it is always finite. The layout merges facing spans closer than this.
  double paramStep;
  // A width the layout stores (0.0 from buildIntervalCurves): the amount the
  // kept spans are shortened by at both ends.
  double value;
  // The facing spans.
  std::vector<XtGeInterval> intervalsA;
  // The excluded spans.
  std::vector<XtGeInterval> intervalsB;
  // The spans to hand back.
  std::vector<XtGeInterval> intervalsKept;
  bool valid;
  // The element that holds the curve (not owned), set by buildIntervalCurves.
  CLoopElement* owner;

 private:
  // The parameter of a point on the curve (host tolerance); false when off.
  bool paramOnCurve(const XtGePoint2d& p, double& t) const;
  bool addSpan(std::vector<XtGeInterval>& list, const XtGePoint2d& p1, const XtGePoint2d& p2);
};

// The interval curves of a loop or list, in element order; owns them.
using CFHIntervalCurveList = std::vector<std::unique_ptr<CFHIntervalCurve>>;

// Appends to `intervalCurves` one new interval curve (value 0.0) for every
// element that has a curve, in element order, with the element as owner.
// Null elements and elements without a curve are passed over.
void buildIntervalCurves(const std::vector<CLoopElement*>& elements, CFHIntervalCurveList& intervalCurves);
