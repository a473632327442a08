#include "host/entities/entKindTable.h"

#include "host/entities/entKindFactories.h"

namespace {

// The order is fixed: the first kind that accepts a list makes its copy.
// Every row stands on its own lines, so that each kind fills its factory in
// without touching its neighbours.
constexpr entKindRow kRows[] = {
    // LINE
    {ltEntKind::abscissa, newAbscissa2D},
    // CIRCLE, ARC
    {ltEntKind::arc, newArc2D},
    // LWPOLYLINE
    {ltEntKind::polyline, newPolyline2D},
    // ELLIPSE
    {ltEntKind::ellipse, newEllipse2D},
    // RAY
    {ltEntKind::ray, newRay2D},
    // XLINE
    {ltEntKind::line, newLine2D},
    // HATCH
    {ltEntKind::hatch, newHatch2D},
    // POINT
    {ltEntKind::point, newPoint2D},
    // SOLID
    {ltEntKind::solid, newSolid2D},
    // IMAGE
    {ltEntKind::image, newImage2D},
    // WIPEOUT
    {ltEntKind::wipeout, newWipeout2D},
    // TEXT
    {ltEntKind::text, newText2D},
    // ATTDEF
    {ltEntKind::attDef, newAttDef2D},
    // ATTRIB
    {ltEntKind::attrib, newAttrib2D},
    // MTEXT
    {ltEntKind::mText, newMText2D},
    // INSERT (anyEntity only)
    {ltEntKind::insert, newInsert2D},
    // every other type (anyEntity only, last)
    {ltEntKind::unknown, newUnknown2D},
};

static_assert(std::size(kRows) == ltEntKindCount);
static_assert(kRows[entityKindRows].kind == ltEntKind::insert);

}  // namespace

std::span<const entKindRow> entKindTable() { return kRows; }
