// The heating curve's rules for circular arcs, on a bare XtGeCircArc2d, so
// that arc curves and the arc pieces of polylines answer alike.
//
// Angles are the arc's own parameter: measured from its reference vector in
// its own sense (counter-clockwise for a counter-clockwise arc, clockwise for
// a clockwise one).
#pragma once

#include "platform/ge/XtGeCircArc2d.h"

// The angle of p seen from `centre`, in the arc's frame, in [0, 2*pi); 0 when
// p is the centre.
double angleInArcFrame(const XtGeCircArc2d& arc, const XtGePoint2d& centre, const XtGePoint2d& p);

// The unit vector from the centre towards the arc's point at `angle`.
XtGeVector2d radialAtAngle(const XtGeCircArc2d& arc, double angle);

// Reverses a bare geometry curve. A circular arc keeps centre, radius and
// reference vector, turns its sense and takes the angles a and a + sweep with
// a = 2*pi - (end angle modulo 2*pi): the same point set run the other way.
// Any other curve reverses its parameter.
void reverseGeCurve(XtGeCurve2d& curve);

// Makes the arc run from s to e, keeping its sense and reference vector. A
// point counts as on the circle when its distance from the centre differs from
// the radius by less than workTol's point value.
// - Radius below workTolFine's point value: the old angles stay; the centre
//   becomes the meeting point of the line through s along the old start
//   angle's direction and the line through e along the old end angle's
//   direction (the middle of s and e when those lines do not meet in one
//   point).
// - Both on the circle: centre and radius stay, the angles become those of s
//   and e.
// - Only s on the circle: the start angle becomes that of s, the end angle
//   stays; the centre moves along the radius through s to where it meets the
//   line through e along the old end angle's direction. Only e: the same with
//   the ends exchanged.
// - Otherwise (and when those lines do not meet in one point, or the circle
//   about that meeting point through the one point misses the other at the
//   kept angle, so that the arc would not end where asked): the arc is
//   carried by the similarity that takes the old chord to the new one (its
//   centre moved, turned and scaled with it), so that it keeps its sweep and
//   runs through both points.
// The radius then is the distance from s to the centre.
void setArcEndPoints(XtGeCircArc2d& arc, const XtGePoint2d& s, const XtGePoint2d& e);
