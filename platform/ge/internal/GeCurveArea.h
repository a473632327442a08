// Signed areas along curves, with exact segments of circular and elliptical
// arcs. Shared by the composite curves and the trimmed offsets.
#pragma once

#include "platform/ge/XtGePoint2d.h"

class XtGeCurve2d;

namespace GeKernel {

// The integral of (x dy - y dx) / 2 along the curve from u0 to u1 (its own
// parameter, either order), with coordinates measured from origin: the
// chord term plus the exact segment of an arc or ellipse piece. Gaps
// between the pieces of a composite count as straight connectors. Summed
// along a closed curve it is the enclosed area, positive counter-clockwise.
// False for unbounded curves, non-finite input and unknown curve kinds.
bool signedAreaTerm(const XtGeCurve2d& curve, double u0, double u1, const XtGePoint2d& origin,
                    double& term);

// Signed area enclosed by the whole curve closed with the chord from its end
// back to its start: positive counter-clockwise, negative clockwise.
bool signedArea(const XtGeCurve2d& curve, double& area);

}  // namespace GeKernel
