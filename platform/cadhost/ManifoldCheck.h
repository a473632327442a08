// What the heating module needs of the block reference it reads as its
// manifold (`cadhost --help manifold`), checked by the host against the
// drawing and the product databases: when the module refuses a manifold
// (its message kManifoldRefusedText), the host says which requirement the
// picked block reference misses.
//
// The requirements, in the order of the help: "QEV_DATA" extended data with
// a header (the item identifier, or "E@CxR" with its C x R table texts and a
// "_QEVITEM_ID" pair after them) naming an item; the item one of the two
// floor-heating manifolds; its record in the product file; "QEV_INSPT"
// extended data; the block in the drawing, and at least 4 connection points
// in it (6 for "TOT0000-0001"), counted as the starts of its LINEs, ARCs and
// LWPOLYLINE segments (a closed LWPOLYLINE of n vertices has n, an open one
// n - 1). Application names and item identifiers compare without regard to
// the case of A-Z.
#pragma once

#include <string>
#include <vector>

#include "platform/cadhost/Drawing.h"
#include "platform/qevdb/ProductFile.h"

namespace cadhost {

// The number of the module's text that refuses a manifold block reference.
inline constexpr unsigned kManifoldRefusedText = 297;

// What the block reference misses, each in a few words ("it has no QEV_INSPT
// extended data (1001 QEV_INSPT)"), in the order of the requirements; empty
// when it misses none. `products` is null when the run has no product file;
// `productsSource` names the file read.
std::vector<std::string> manifoldMisses(const Drawing& drawing, RecordId insert,
                                        const qevDatabase::ProductDatabases* products,
                                        const std::string& productsSource);

}  // namespace cadhost
