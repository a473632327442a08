// Copying and exploding curves and curve lists (see curveList.h for the
// list and its ownership flags).
#pragma once

#include "geometry/curveList.h"
#include "platform/ge/XtGeCompositeCurve2d.h"

#include <memory>

// A new copy of the curve (owned by the caller); null for a null curve or
// when the copy cannot be made.
[[nodiscard]] XtGeCurve2d* copyCurve2d(const XtGeCurve2d* curve);

// The curve as a composite: itself when it is one, else wrapped as the one
// piece of a new composite. Null for a null curve.
std::unique_ptr<XtGeCompositeCurve2d> asComposite(std::unique_ptr<XtGeCurve2d> curve);

// Appends a copy of every curve of source to target (null entries and
// copies that cannot be made are skipped).
void copyCurveListTo(const curvePtrArray& source, curvePtrArray& target);

// Appends the simple pieces of the curve to pieces with one flag each. A
// composite gives its pieces borrowed (flag 0), nested composites flattened
// completely; another curve gives what its own explode gives. True when the
// curve was broken into pieces.
bool explodeGeCurve(const XtGeCurve2d& curve, curvePtrArray& pieces, curveFlagArray& flags);

// Replaces item i of the list by its pieces (in place, same order) when it
// is a composite or explodes; the item is deleted when the list owned it,
// and then its borrowed pieces are copied first so that nothing refers into
// the deleted curve. True when the item was replaced. Flags missing for an
// item count as owned; the second form is for lists that own every curve.
bool explodeCurveListItem(int i, curvePtrArray& list, curveFlagArray& flags);
bool explodeCurveListItem(int i, curvePtrArray& list);

// Replaces every curve of an owned list by owned copies of its simple
// pieces; a curve that does not explode stays as it is. The exploded curves
// are deleted.
void explodeCurveList(curvePtrArray& list);

// Every borrowed piece (flag other than 1) is replaced by its own copy and
// flagged 1; the flags are extended to the length of the list.
void copyCurvesOnce(curvePtrArray& list, curveFlagArray& flags);
