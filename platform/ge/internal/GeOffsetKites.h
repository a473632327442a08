// Extensions on the trimmed offset of a closed path. The offset with
// fillets bounds the offset region exactly (every point at least |d| from
// the path). Replacing a fillet by the two extensions adds the "kite"
// between them and the fillet to the region, or takes it away (at joints
// that part on the concave side of the region). With the windings of the
// fillet loops and of the kites summed, the answer bounds the points where
// the sum reaches the region's orientation, so kites that overlap each
// other or other parts of the offset merge instead of crossing.
#pragma once

#include "platform/ge/internal/GeOffsetJoints.h"

#include <vector>

namespace GeKernel {

// filletLoops: the offset of a closed path with fillets at the parting
// joints of raw, bounding the region with winding orientation (+1 or -1).
// raw holds the extensions' meeting points.
void replaceFilletsByKites(const std::vector<OffsetResult>& filletLoops, const RawOffset& raw,
                           double d, int orientation, double res,
                           std::vector<OffsetResult>& results);

}  // namespace GeKernel
