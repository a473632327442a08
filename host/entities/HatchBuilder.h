// The HATCH list builders: a solid fill or a host pattern over closed
// boundaries; and the area of a boundary tree as a hatch fills it.
//
// A build writes a provisional list (header, fill kind, pattern, one seed
// point at the origin) and hands it with the boundaries to a temporary hatch
// copy, whose rewrite (ltHatch2D::writeList) writes the paths and pattern
// lines; the answer is a copy of that list, owned by the caller (free it with
// freeResbufChain). The boundaries become loops with path flags 7 (solid:
// external and polyline, so that chains of segments and arcs are written as
// polyline paths) or 1 (pattern: edge paths).
//
// The fills, after the hatch's header groups (10 (0, 0, 0), 210 (0, 0, 1),
// 2 name, 70 solid flag, 71 0):
//   solid    75 2 (style "ignore": islands are filled too), 76 1, one seed,
//            the gradient groups of a plain fill (450..453 0, 470 "LINEAR")
//   pattern  75 1 (outer style), 76 1, 52 pattern angle, 41 scale, 77 1,
//            78 line count and the lines, one seed
// Angles in lists are radians. Closedness uses workTol. Host thread only;
// nothing throws: a boundary that is open or cannot be written gives null.
#pragma once

#include <span>

#include "geometry/boundaryTree.h"
#include "host/entities/ltEntProps.h"
#include "platform/cadhost/HatchPatterns.h"
#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGeCurve2d.h"
#include "platform/ge/XtGeMatrix2d.h"

// A HATCH of the host's pattern record (word 77) over the boundaries: a
// solid fill when there is no pattern or its name is exactly "SOLID" (not
// "solid"). Each definition line (angle in degrees, base point and offset
// along and across the line at scale 1) becomes a pattern line at the line
// angle plus `rotation` (radians), its base point scaled and turned by the
// rotation, its offset scaled and turned by the line angle and then the
// rotation, and its dashes scaled. 52 is `*patternAngle` when given, else
// the rotation. `reserved` is not read. The pattern name is narrow text in
// code page 1250. Null for no boundary, an open boundary, a scale that is
// not positive, or values that are not finite.
resbuf* writeHatch(const ltEntProps& props, std::span<const XtGeCurve2d* const> boundaries,
                   const HostHatchPattern* pattern, double rotation, double scale, const void* reserved = nullptr,
                   const double* patternAngle = nullptr);

namespace entBuilder2D {

// A solid-fill HATCH over the boundaries transformed by the matrix; null
// for no boundary or an open one.
resbuf* solidHatch(const ltEntProps& props, std::span<const XtGeCurve2d* const> boundaries,
                   const XtGeMatrix2d& matrix = XtGeMatrix2d::kIdentity);

// A solid-fill HATCH over one boundary (`reserved` is not read).
resbuf* solidHatchOne(const ltEntProps& props, const XtGeCurve2d& boundary, const void* reserved = nullptr);

}  // namespace entBuilder2D

// The area a hatch of the tree's boundaries fills: the absolute area of
// every node's curve (getCurveArea), added at even depths and taken away at
// odd ones, so that islands in holes count again. 0 and the area, or 6 at
// the first curve whose area cannot be measured (area unchanged).
int hatchTreeArea(const bndLevel& tree, double& area);
