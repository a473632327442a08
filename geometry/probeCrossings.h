// Crossing parity of a half-line (the probe) with a closed chain of curve
// pieces, the core of the point-in-curve test.
//
// Instead of collecting intersection points, the chain is walked in order
// and cut into stretches that lie wholly on one side of the probe's line;
// each change of side beyond the probe's origin is one crossing. This makes
// the awkward cases come out right by construction:
// - a piece that only touches the line (an arc tangent to it, a vertex where
//   the boundary stays on one side) changes side twice or not at all;
// - a vertex on the line where the boundary does cross changes side once,
//   whichever of its two pieces reports it (a point exactly on the line
//   counts to the left side: the half-open rule);
// - a piece running along the line is on one side as a whole;
// - pieces that meet with a small gap are bridged by the walk.
// Line segments, circular and elliptical arcs are handled in closed form
// without any heap allocation; nested composites are walked piece by piece;
// other bounded kinds are followed through sample points. Unbounded pieces
// are left out, as composites leave them out.
#pragma once

#include "platform/ge/XtGeCurve2d.h"

class probeCrossings {
 public:
  // A half-line from origin along direction (a non-zero vector). Side
  // changes within `skip` of the origin along the probe are not counted:
  // a probe that starts on the chain leaves out the chain's own passage
  // through its origin, which rounding may put a hair to either side.
  probeCrossings(const XtGePoint2d& origin, const XtGeVector2d& direction, double skip = 0.0);

  // Walks the curve as the next stretch of the chain.
  void addCurve(const XtGeCurve2d& curve);
  // The number of side changes beyond the origin, the closing change from
  // the last stretch back to the first included.
  int crossings() const;
  // Walks an open curve, one of the loose pieces of a boundary, as a chain
  // of its own (on a probe of its own): its start and end points count on
  // their own sides, a point within `snap` of the line as on it (the left).
  // So two pieces sharing an end on the line count the boundary crossing
  // there once, and a touch twice or not at all.
  void addOpenCurve(const XtGeCurve2d& curve, double snap);
  // The side changes beyond the origin without the closing change: the
  // count after addOpenCurve.
  int crossingsOfOpenChain() const { return m_changes; }

 private:
  void addSegment(const XtGePoint2d& start, const XtGePoint2d& end);
  // P(t) = centre + cos t * a + sin t * b over [t0, t1].
  void addHarmonic(const XtGePoint2d& centre, const XtGeVector2d& a, const XtGeVector2d& b,
                   double t0, double t1);
  void addSampled(const XtGeCurve2d& curve);
  // A stretch on side `side` (+1 left or on the line, -1 right) begins at `at`.
  void beginStretch(int side, const XtGePoint2d& at);
  double sideValue(const XtGePoint2d& p) const { return m_dir.crossProduct(p - m_origin); }
  bool beyondOrigin(const XtGePoint2d& p) const { return m_dir.dotProduct(p - m_origin) > m_skip; }

  XtGePoint2d m_origin;
  XtGeVector2d m_dir;
  double m_skip = 0.0;
  bool m_started = false;
  int m_firstSide = 0;
  XtGePoint2d m_firstPoint;
  int m_lastSide = 0;
  int m_changes = 0;
};
