// The IMAGE and WIPEOUT list builder and reader, with the clip boundary in
// drawing coordinates. Lists keep the boundary in pixel coordinates: pixel
// (0, 0) is the upper-left pixel, pixel centres lie at whole numbers, so the
// whole image spans -0.5 .. width - 0.5 and -0.5 .. height - 0.5. Host
// thread only.
#pragma once

#include <string_view>

#include "host/entities/ltEntProps.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

// Pixels to drawing: a pixel point (x, y) lands at
// insertion + (x + 0.5) u + (height - y - 0.5) v.
XtGeMatrix2d imagePixelFrame(const XtGePoint2d& insertion, const XtGeVector2d& u, const XtGeVector2d& v,
                             const XtGeVector2d& size);

namespace entBuilder2D {

// Header `typeName` ("IMAGE" or "WIPEOUT"), (100 `subclassName`), 10, 11, 12,
// 13 size, (340 kept), 70 (the previous 70 with the clip bit 4 set, else 7),
// (280 1), (281, 282, 283, 360 kept), (71 2), 91, the 14 clip points in pixel
// coordinates and the first again, the extra groups. The clip boundary is
// taken piece by piece: a line segment gives its start, another piece
// length x pixels per unit / 10 samples (3 to 100) along it without the last.
// Without a boundary (or one that gives no point) the whole image is the
// clip. Null when the frame is singular, a value is no finite number, or an
// IMAGE has no 340 to keep (an image without its definition is dropped by
// other programs).
resbuf* image(const ltEntProps& props, const XtGePoint2d& insertion, const XtGeVector2d& u, const XtGeVector2d& v,
              const XtGeVector2d& size, const XtGeCurve2d* clipBoundary, const resbuf* previous,
              std::u16string_view typeName, std::u16string_view subclassName);

}  // namespace entBuilder2D

namespace entReader2D {

// Reads an IMAGE or WIPEOUT list of type `typeName`: 10, 11, 12 and 13
// required. With clipping on (70 bit 4 and 280 bit 1) the 14 points are the
// boundary: a polygon (71 of 2 or more) of at least 3 points, exactly 91 of
// them; a rectangle (71 = 1) of exactly 2 corners with 91 = 2. Otherwise the
// whole image. The boundary comes back in drawing coordinates as a closed
// composite of line segments. Answers 1, or 0 with the outputs unchanged for
// another type, a missing group, another point count, a singular frame or a
// value that is no finite number.
int image(XtGePoint2d& insertion, XtGeVector2d& u, XtGeVector2d& v, XtGeVector2d& size,
          XtGeCompositeCurve2d& clipBoundary, const resbuf* list, ltEntProps* props, std::u16string_view typeName);

}  // namespace entReader2D
