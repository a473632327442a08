#include "host/entities/entKindTable.h"

#include "host/entities/entKindFactories.h"

namespace {

// The order is fixed: the first kind that accepts a list makes its copy.
// Every row stands on its own lines, so that each kind fills its factory in
// without touching its neighbours.
constexpr entKindRow kRows[] = {
    // LINE
    {ltEntKind::abscissa, nullptr},
    // CIRCLE, ARC
    {ltEntKind::arc, nullptr},
    // LWPOLYLINE
    {ltEntKind::polyline, nullptr},
    // ELLIPSE
    {ltEntKind::ellipse, nullptr},
    // RAY
    {ltEntKind::ray, nullptr},
    // XLINE
    {ltEntKind::line, nullptr},
    // HATCH
    {ltEntKind::hatch, nullptr},
    // POINT
    {ltEntKind::point, nullptr},
    // SOLID
    {ltEntKind::solid, nullptr},
    // IMAGE
    {ltEntKind::image, nullptr},
    // WIPEOUT
    {ltEntKind::wipeout, nullptr},
    // TEXT
    {ltEntKind::text, nullptr},
    // ATTDEF
    {ltEntKind::attDef, nullptr},
    // ATTRIB
    {ltEntKind::attrib, nullptr},
    // MTEXT
    {ltEntKind::mText, nullptr},
    // INSERT (anyEntity only)
    {ltEntKind::insert, nullptr},
    // every other type (anyEntity only, last)
    {ltEntKind::unknown, newUnknown2D},
};

static_assert(std::size(kRows) == ltEntKindCount);
static_assert(kRows[entityKindRows].kind == ltEntKind::insert);

}  // namespace

std::span<const entKindRow> entKindTable() { return kRows; }
