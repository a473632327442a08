// A geometry curve from the list of any curve entity, and the list of any
// geometry curve: the dispatch over the curve entity kinds by list type and
// by curve type. Host thread only.
#pragma once

#include <memory>

#include "host/entities/ltEntProps.h"
#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGeCurve2d.h"
#include "platform/ge/XtGeMatrix2d.h"

namespace entReader2D {

// A new curve, owned by the caller, from a LINE (XtGeLineSeg2d), LWPOLYLINE
// (XtGeCompositeCurve2d, widths left out), ARC or CIRCLE (XtGeCircArc2d),
// ELLIPSE (XtGeEllipArc2d), RAY (XtGeRay2d) or XLINE (XtGeLine2d) list,
// through the kind's reader, and the common properties when `props` is
// given. False with `out` null for any other type or a list the reader
// refuses.
bool curve(std::unique_ptr<XtGeCurve2d>& out, const resbuf* list, ltEntProps* props);

}  // namespace entReader2D

// The list of the curve transformed by the matrix, by its geometry type:
// circular arc CIRCLE or ARC, elliptical arc ELLIPSE, unbounded line XLINE,
// line segment LINE, ray RAY, composite LWPOLYLINE (without widths); null for
// any other type or when the kind's builder gives none.
resbuf* writeCurve2d(const ltEntProps& props, const XtGeCurve2d& curve, const XtGeMatrix2d& matrix,
                     const resbuf* previous);
