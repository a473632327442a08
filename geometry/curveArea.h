// Areas of closed curves made of line segments, circular and elliptical arcs
// and other bounded pieces: the polygon through the piece ends plus, for
// each curved piece, the area between the piece and its chord, added when
// the piece bulges outward and taken away when it bulges inward.
//
// workTol decides closedness and, times 10, which curved pieces are too
// small to count; workTolFine goes to the pieces' own segment-area rule.
// Areas are measured from the first piece end, so they keep their precision
// far from the origin. No heap allocation for curves of segments and arcs.
#pragma once

#include "geometry/curveList.h"
#include "platform/ge/XtGeCircArc2d.h"

// True and the (non-negative) area for a closed curve. An open curve
// answers false and leaves area untouched; when neither the piece method
// nor the curve's own area rule succeeds, area is 0 and the answer false.
bool getCurveArea(const XtGeCurve2d& curve, double& area);

// The area of the region bounded by the pieces, taken in chain order; the
// closed curve is asked on which side a piece of a kind without a known
// sense bulges. False (area untouched) when a curved piece has no area rule.
bool getCurveListArea(const XtGeCurve2d& closedCurve, const curvePtrArray& pieces, double& area);

// The area with a sign: positive for a counter-clockwise closed curve,
// negative for a clockwise one. False (untouched) as getCurveArea.
bool getCurveSignedArea(const XtGeCurve2d& curve, double& signedArea);

// The same area as getCurveListArea, summed over vertical strips between
// the sorted, distinct X coordinates of the piece ends (coordinates within
// workTol count as one), with heights measured from `referenceY`.
bool getCurveListAreaByStrips(const XtGeCurve2d& closedCurve, const curvePtrArray& pieces,
                              double referenceY, double& area);

// The same area by an older rule: the polygon through the piece ends cut
// into triangles ear by ear (an ear is taken where its diagonal crosses no
// side of the polygon left and its middle lies inside it), plus or minus
// the segment of every arc by the side it bulges to. False (area untouched)
// for an open curve, a piece other than a line segment or circular arc, or
// a polygon that has no ear left (it crosses itself).
bool getCurveAreaByTriangles(const XtGeCurve2d& curve, double& area);

// radius * (radius * sweep) / 2.
double arcSectorArea(const XtGeCircArc2d& arc);
// The area between the arc and its chord: the sector plus the triangle
// (start, end, centre) for a sweep above pi, minus it otherwise.
double arcSegmentArea(const XtGeCircArc2d& arc);
// True and the length for a bounded curve; false (untouched) otherwise.
bool boundedCurveLength(const XtGeCurve2d& curve, double& length);
