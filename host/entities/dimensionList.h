// The rotated linear DIMENSION builder and the builder of a whole set of
// dimension-style overrides (dimStyleOverride.h). Host thread only.
#pragma once

#include <optional>
#include <string_view>

#include "host/entities/ltEntProps.h"
#include "platform/ge/XtGePoint2d.h"

// Header "DIMENSION", (100 "AcDbDimension"), 10 dimension-line point, (70 32),
// 1 text ("<>" for an empty one: the measurement), (71 5), 51 text direction,
// 3 style, (210 0,0,1), (100 "AcDbAlignedDimension"), 13 and 14 definition
// points, 50 rotation, (100 "AcDbRotatedDimension"); then one "ACAD" DSTYLE
// block and the extra groups. The list names no geometry block (group 2):
// the host makes it.
//
// With an extension length other than 0 the definition point nearer to the
// dimension line moves so that both extension lines start at the same
// distance from it, and the overrides 40 (DIMSCALE read through "GetVarW";
// 50.0 when missing, 0 or less or no finite number) and 42 ((distance from
// the dimension-line point to the second definition point - extension) /
// scale) are added. Overrides the extra groups carry win over these: the
// list holds one "ACAD" block (merged into the extra groups' own when they
// have one, else written before them).
//
// The text direction is 2 pi minus the angle of the user X axis (ucsMatrix)
// with `textHorizontal`, else 0. Null for a value that is no finite number.
resbuf* writeDimension(const ltEntProps& props, const XtGePoint2d& firstPoint, const XtGePoint2d& secondPoint,
                       const XtGePoint2d& dimLinePoint, std::u16string_view styleName, double rotation,
                       double extensionLength, std::u16string_view textOverride, bool textHorizontal);

// The overrides given, wrapped in one "ACAD" DSTYLE block; null when nothing
// is given. Each pair only when its value is given: 40 DIMSCALE (when the
// host answers "GetVarW"); 75 and 76 (1 when the extension line is not
// shown) unless -1; 41 arrow size and 140 text height above 0; 77 and 73
// unless -1; 344 and 343 arrow blocks (1005 handles) when not empty; 174
// (text inside extensions) and 178 (text colour) unless -1.
resbuf* writeDimStyleOverrides(int firstExtensionShown, int secondExtensionShown, double arrowSize,
                               double textHeight, int textVerticalPlacement, int textInsideHorizontal,
                               std::u16string_view firstArrowBlock, std::u16string_view secondArrowBlock,
                               int textColour, int textInsideExtensions);

// "DIMSCALE" through slot 6 "GetVarW"; nothing when the interface, the slot
// or the value is missing.
std::optional<double> hostDimScale();
