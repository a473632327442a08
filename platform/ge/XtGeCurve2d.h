// Common interface of every 2D curve of the geometry library.
//
// Conventions shared by all curves:
// - Each curve is a map t -> P(t) over its parameter interval (getInterval,
//   tolerance 1e-12). Lines and rays are unbounded; evaluation outside the
//   interval is allowed and extrapolates (segments) or continues the circle
//   or ellipse.
// - Tolerances are absolute: equalPoint for every distance, equalVector only
//   for comparing directions of unit vectors. All comparisons use <=, so zero
//   tolerances work and identical points are always equal. Curve membership
//   (isOn) and intersections never resolve less than the rounding noise of
//   the coordinates (1e-14 of their magnitude), so that with zero tolerances
//   the points the curves compute still count as on them.
// - Failure never throws (only allocation may): members answer false, an
//   empty output or a null pointer. Non-finite input (NaN or infinite points,
//   parameters or lengths) gives "no result": false, nothing appended, a NaN
//   parameter or length, an infinite distance, or the input point handed
//   back by the point members.
// - Const members keep no scratch state, so one curve may be read by several
//   threads at once.
// - Curves handed out by copy(), getSplitCurves() and getTrimmedOffset() are
//   new objects owned by the caller; delete them through this class.
#pragma once

#include "platform/ge/XtGeBoundBlock2d.h"
#include "platform/ge/XtGeCurve2dPtrArray.h"
#include "platform/ge/XtGeEntity2d.h"
#include "platform/ge/XtGeInterval.h"
#include "platform/ge/XtGePoint2dArray.h"

class XtGeCurve2d : public XtGeEntity2d {
public:
  [[nodiscard]] XtGeCurve2d* copy() const override = 0;

  // ---- Parameter range and ends ------------------------------------------

  virtual void getInterval(XtGeInterval& interval) const = 0;
  // The point at the lower (start) or upper (end) bound, when bounded there.
  virtual bool hasStartPoint(XtGePoint2d& p) const;
  virtual bool hasEndPoint(XtGePoint2d& p) const;
  // Bounded at both ends and start equal to end under tol (a full circle is
  // closed).
  virtual bool xtIsClosed(const XtGeTol& tol = XtGeContext::gTol) const;

  // ---- Evaluation ---------------------------------------------------------

  virtual XtGePoint2d xtEvalPoint(double t) const = 0;
  // Point and first and second derivatives in the curve's own parameter.
  // False when the curve cannot be evaluated (empty composite, non-finite t).
  virtual bool xtEvalDerivs(double t, XtGePoint2d& p, XtGeVector2d& d1,
                            XtGeVector2d& d2) const = 0;
  XtGePoint2d evalPoint(double t) const { return xtEvalPoint(t); }
  // The point at t; derivs receives min(numDeriv, 2) derivatives (none when
  // the curve cannot be evaluated).
  XtGePoint2d evalPoint(double t, int numDeriv, XtGeVector2dArray& derivs) const;

  // ---- Point queries ------------------------------------------------------

  // Parameter of the point, or of its closest point when it is off the
  // curve. A closed curve's seam answers the lower bound.
  virtual double paramOf(const XtGePoint2d& p, const XtGeTol& tol = XtGeContext::gTol) const = 0;
  // On the curve when the distance to the curve (restricted to its
  // interval) is at most tol.equalPoint; t receives the point's parameter.
  virtual bool isOn(const XtGePoint2d& p, double& t, const XtGeTol& tol = XtGeContext::gTol) const;
  bool isOn(const XtGePoint2d& p, const XtGeTol& tol = XtGeContext::gTol) const {
    double t;
    return isOn(p, t, tol);
  }
  // Nearest point within the interval; ties go to the smaller parameter.
  virtual XtGePoint2d closestPointTo(const XtGePoint2d& p,
                                     const XtGeTol& tol = XtGeContext::gTol) const = 0;
  virtual double distanceTo(const XtGePoint2d& p, const XtGeTol& tol = XtGeContext::gTol) const;

  // ---- Curve-curve queries --------------------------------------------------

  // Nearest pair of points between the two curves: answers the point on this
  // curve, pntOnOther the point on the other. Where the curves meet it
  // answers a meeting point. Exact for every pair of lines, rays, segments
  // and circular arcs and for ellipse arcs against linear curves; other
  // pairs are refined numerically. When this curve is a simple curve and
  // the other is not (a composite), the other curve's own member answers,
  // so composites override this member and must not call it back on a
  // simple piece with themselves as the other curve.
  virtual XtGePoint2d closestPointTo(const XtGeCurve2d& other, XtGePoint2d& pntOnOther,
                                     const XtGeTol& tol = XtGeContext::gTol) const;
  // 0 when the curves meet; +infinity when no pair can be found.
  virtual double distanceTo(const XtGeCurve2d& other, const XtGeTol& tol = XtGeContext::gTol) const;

  // ---- Lengths and areas ------------------------------------------------------

  // Length between two parameters: never negative, in either order; 0 when
  // a parameter is unbounded, NaN when one is NaN.
  virtual double xtLength(double fromParam, double toParam,
                          const XtGeTol& tol = XtGeContext::gTol) const = 0;
  double length(double fromParam, double toParam, const XtGeTol& tol = XtGeContext::gTol) const {
    return xtLength(fromParam, toParam, tol);
  }
  // Length over the whole interval; 0 for unbounded curves.
  double length(const XtGeTol& tol = XtGeContext::gTol) const;
  // Parameter reached by walking len along the curve from datum (forward =
  // towards larger parameters), clamped to the interval. Negative lengths
  // walk the other way.
  virtual double xtParamAtLength(double datum, double len, bool forward = true,
                                 const XtGeTol& tol = XtGeContext::gTol) const = 0;
  double paramAtLength(double datum, double len, bool forward = true,
                       const XtGeTol& tol = XtGeContext::gTol) const {
    return xtParamAtLength(datum, len, forward, tol);
  }
  // Absolute area between the curve from fromParam to toParam and the chord
  // back from P(toParam) to P(fromParam). A segment gives 0, an arc of sweep
  // s gives R*R*(s - sin s)/2, a whole closed curve its enclosed area. False
  // for unbounded or non-finite ranges and for curves without an area rule.
  virtual bool xtArea(double fromParam, double toParam, double& area,
                      const XtGeTol& tol = XtGeContext::gTol) const;

  // ---- Pieces -------------------------------------------------------------------

  // Two new curves [start, t] and [t, end]. A piece is null when its
  // parameter span is at most 1e-12 or its length at most gTol.equalPoint.
  // Lines and rays answer null, null.
  virtual void getSplitCurves(double t, XtGeCurve2d*& piece1, XtGeCurve2d*& piece2) const;
  // Restricts a bounded curve to the sub-range [lower, upper] of its own
  // parameter. False (curve unchanged) for unbounded curves or intervals.
  virtual bool setInterval(const XtGeInterval& interval);
  // Whether the curve was broken into pieces, appended to curves with one
  // ownership flag each (1: the caller owns the piece, 0: borrowed from
  // this curve). Simple curves answer false and append nothing.
  virtual bool explode(XtGeCurve2dPtrArray& curves, XtGeIntArray& ownershipFlags) const;

  // ---- Sampling and extents ---------------------------------------------------

  // n points at equal parameter steps, the first at the lower bound and the
  // last at the upper bound (n = 1: the start; n <= 0 or unbounded: none).
  // The array is emptied first.
  virtual void getSamplePoints(int numSample, XtGePoint2dArray& points) const;
  // Points from fromParam to toParam, both ends included, such that no chord
  // deviates from the curve by more than approxEps; params receives their
  // parameters. The arrays are emptied first.
  virtual void getSamplePoints(double fromParam, double toParam, double approxEps,
                               XtGePoint2dArray& points, XtGeDoubleArray& params) const;
  void getSamplePoints(double fromParam, double toParam, double approxEps,
                       XtGePoint2dArray& points) const {
    XtGeDoubleArray params;
    getSamplePoints(fromParam, toParam, approxEps, points, params);
  }
  // The tight axis-aligned box of the curve; unbounded curves reach
  // +-infinity in the directions they run to.
  virtual XtGeBoundBlock2d xtOrthoBoundBlock() const = 0;
  XtGeBoundBlock2d orthoBoundBlock() const { return xtOrthoBoundBlock(); }

  // ---- Changing the curve -------------------------------------------------------

  // Runs the curve the other way; the point set stays the same.
  virtual XtGeCurve2d& reverseParam() = 0;

  // Offset curves at signed distance d, positive to the left of the
  // direction of travel, trimmed where they cross themselves; new curves
  // owned by the caller are appended to offsetCurves. extType
  // (XtGe::OffsetCrvExtType) closes gaps at convex joints of composites.
  // Segments, lines and rays give the translated curve, circular arcs the
  // concentric arc (nothing when the radius would not stay above
  // tol.equalPoint); d = 0 gives a copy. Ellipse arcs and curves without an
  // offset rule append nothing. Answers whether something was appended.
  virtual bool getTrimmedOffset(double d, XtGeCurve2dPtrArray& offsetCurves,
                                int extType = XtGe::kFillet,
                                const XtGeTol& tol = XtGeContext::gTol) const;

protected:
  XtGeCurve2d() = default;
  XtGeCurve2d(const XtGeCurve2d&) = default;
  XtGeCurve2d& operator=(const XtGeCurve2d&) = default;
};

namespace XtGe {

// True for the curve kinds with closed-form queries: lines, rays, segments,
// circular and elliptical arcs.
inline bool isSimpleCurveType(int entityType) {
  return entityType == kLine2d || entityType == kRay2d || entityType == kLineSeg2d ||
         entityType == kCircArc2d || entityType == kEllipArc2d;
}

}  // namespace XtGe
