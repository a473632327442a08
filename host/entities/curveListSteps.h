// Steps the curve entity builders and readers share: checked values read
// from list nodes, the extrusion mirror, and assembling a built list from the
// entity header, the kind's groups and the properties' tail.
//
// Readers refuse lists with values that are not finite (points, reals), so
// geometry never sees a NaN or an infinity from a drawing. Host thread only.
#pragma once

#include <string_view>
#include <vector>

#include "host/ResbufBuilder.h"
#include "host/entities/ltEntProps.h"
#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

namespace curveLists {

// The x and y of the point node of the code that comes first in the list,
// when the node exists and its three coordinates are finite.
bool finitePoint(const resbuf* list, int code, XtGePoint2d& point);
bool finiteVector(const resbuf* list, int code, XtGeVector2d& vector);
bool finitePointOf(const resbuf* node, XtGePoint2d& point);

// The real of the first node of the code: false when there is none (value
// unchanged) and also when it is not finite (`bad` set).
bool finiteReal(const resbuf* list, int code, double& value, bool& bad);

// The unit vector along `vector`; false for a zero or non-finite one.
bool unitDirection(const XtGeVector2d& vector, XtGeVector2d& unit);

// True when the first 210 of the list has a negative z: the entity was drawn
// on a plane seen from below, and its object coordinates reach the drawing
// mirrored about the Y axis.
bool hasNegativeExtrusion(const resbuf* list);

// The mirror x -> -x about the Y axis through the origin.
const XtGeMatrix2d& mirrorAboutYAxis();

// True for the identity matrix, exactly: builders then leave the geometry
// as it was given instead of running it through a transform.
bool isExactIdentity(const XtGeMatrix2d& matrix);

// Adds a splice of the kept group (entBuilder2D::keptGroup) when the
// previous list holds the code.
void addKept(std::vector<ResbufPair>& body, int code, const resbuf* previous);

// The entity header for `type` (carrying the brace sections of `previous`),
// then the body pairs, then a copy of the properties' tail. The lists the
// body splices belong to the call. Null when any part cannot be built.
resbuf* assemble(const ltEntProps& props, std::u16string_view type, const resbuf* previous,
                 const std::vector<ResbufPair>& body);

}  // namespace curveLists
