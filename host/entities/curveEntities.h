// Carrying curves between geometry curve lists and entity copies: curves
// become copies of the matching curve kind, and copies give their curves
// back. Host thread only (copies and their shared lists stay on one thread).
#pragma once

#include "geometry/curveList.h"
#include "host/entities/ltEnt2D.h"

namespace entMisc2D {

// Every curve of a kind that has an entity copy (line segment, circular arc,
// elliptical arc, composite, ray, unbounded line) becomes a new copy of that
// kind, appended to `entities` in list order: dirty (it writes its list from
// the geometry when asked), with a copy of `props`, sharing `listRef` (one
// more reference; none when it is null) for the groups a rewrite carries
// over. The converted curves are deleted and leave the list; null entries
// and curves of other kinds stay. Answers the number converted (0, and
// nothing changed, when memory ran out).
int curvesToEntities(curvePtrArray& curves, ltEntArray& entities, ltListRef* listRef, const ltEntProps& props);

}  // namespace entMisc2D

// Every copy with a curve, other than an empty composite, gives a copy of its
// curve to `curves` (which owns it) and is deleted and removed from
// `entities`; the others stay in their order. Answers the number moved.
int entitiesToCurves(ltEntArray& entities, curvePtrArray& curves);

// True and the length of the copy's curve when it has a bounded one; false
// (length untouched) for a copy without a curve (a TEXT) or with an
// unbounded one (an XLINE, a RAY).
bool entityCurveLength(const ltEnt2D& entity, double& length);
