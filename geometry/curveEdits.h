// Edits of single curves: lengthening, shortening and trimming a line
// segment or circular arc at one end, merging two segments of one
// direction, and transforming a curve with all its pieces.
//
// The entMisc2D edits report a curve kind they do not handle through the
// failure reporter (source "geBaseShared") and leave the curve unchanged.
// Every edit answers whether it changed the curve, so that a caller undoes
// only what was done. Curves are changed in place by their owner's thread;
// nothing throws.
#pragma once

#include "platform/ge/XtGeCurve2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeMatrix2d.h"

#include <memory>

namespace entMisc2D {

// Changes the length of a line segment or circular arc by `length`
// (negative shortens) at its start (atStart) or end; the other end stays.
// A segment moves its end along its own line; an arc turns its start angle
// back or its end angle on by length / radius. True when the curve changed.
// Refused (false, unchanged): a null curve, a length that is zero or not
// finite, a segment of no length, a shortening that would reach or pass the
// other end, an arc of no radius, and an arc that would reach a full turn.
// Other kinds are reported (line 1708, "entMisc2D::resizeCurve").
bool resizeCurve(XtGeCurve2d* curve, double length, bool atStart);

// Makes `point` the new start (atStart) or end of a line segment or
// circular arc. A segment becomes point -> end or start -> point (a point
// on the kept end gives a segment of no length). An arc keeps its centre,
// radius and sense and takes the angle of the point about its centre as
// the new start or end angle, within one turn of the kept angle, so the arc
// never passes the kept end (a point within workTol of it gives an arc of
// no sweep). True when trimmed; false, unchanged, for a null curve or a
// point that is not finite. Other kinds are reported (line 1739,
// "entMisc2D::trimCurve").
bool trimCurve(XtGeCurve2d* curve, const XtGePoint2d& point, bool atStart);

}  // namespace entMisc2D

// entMisc2D::trimCurve at the curve's point for the parameter.
bool trimCurveAtParam(XtGeCurve2d* curve, double param, bool atStart);

// A new segment from a's start to b's end when both are line segments of
// one direction: their unit directions (normalised with XtGeContext::gTol)
// equal under workTol. Null otherwise (also for a segment of no length, or
// opposite directions). Whether the two meet is not tested.
std::unique_ptr<XtGeLineSeg2d> mergeSameDirectionSegments(const XtGeCurve2d* a, const XtGeCurve2d* b);

// Transforms the curve in place; a composite transforms every piece
// (nested ones too) or, when one cannot follow (an arc under a non-uniform
// scale) or the matrix is not finite, none. True when the curve followed.
bool transformCurveDeep(XtGeCurve2d* curve, const XtGeMatrix2d& matrix);
