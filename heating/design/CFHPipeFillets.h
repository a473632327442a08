// Rounded pipe bends: the laid pipe of a circuit is a chain of straight
// pieces with sharp corners; a pipe is bent with a radius, and the drawing
// shows that radius as a tangent arc at every corner.
//
// Corner rule (for each pair of consecutive line segments that meet within
// workTol's equal point and are not parallel under its equal vector): the arc
// of the radius tangent to both lines, its centre where the two lines offset
// by the radius towards the inner side of the turn meet; the segments are
// trimmed to the tangent points and the arc put between them. A tangent point
// beyond its segment is looked for on the neighbouring segments that
// continue it (line segments parallel to it, backwards for the first and
// forwards for the second); the segments passed over go. When none holds it
// the corner stays sharp. Trimmed pieces of no length go too. A bend may be
// made smaller where the walls of the zones ask for it (filletCorners).
//
// Threads: works on the caller's pieces only.
#pragma once

#include "heating/curves/CurveChains.h"

#include "platform/ge/XtGeCurve2d.h"

#include <memory>
#include <vector>

class BendClearance;

using CurvePieces = std::vector<std::unique_ptr<XtGeCurve2d>>;

// The run's curves as simple pieces (lines and arcs) in order: composite
// curves are broken into their pieces. The run ends empty.
CurvePieces takeSimplePieces(CurveChain& run);

// Rounds the corners of the pieces with the radius (drawing units, above 0).
// Each corner is tried once, in order; the number of steps is bounded by the
// number of pieces. With walls, a corner whose bend of the radius does not
// keep clear of them (BendClearance.h) gets the largest smaller radius whose
// bend does (found by halving, to within radius / 1024), and stays sharp
// when that is below minRadius (or none but the corner itself keeps clear):
// the pipe keeps its border at its bends too.
void filletCorners(CurvePieces& pieces, double radius, const BendClearance* walls = nullptr,
                   double minRadius = 0.0);

// `filletPipeCorners`: every run broken into simple pieces, and its corners
// rounded when the radius is at least one millimetre (1000 / unitFactor ×
// radius >= 1); a smaller radius (or a unit factor that is not above 0)
// leaves the corners sharp. With walls, bends are made smaller as above,
// down to one millimetre.
void filletPipeCorners(std::vector<CurveChain>& runs, double radius, double unitFactor,
                       const BendClearance* walls = nullptr);
