// The raw offset of a path: every piece moved to the side, the gaps that
// open at convex joints closed by fillets or extensions, and the curves
// that mark where the distance to the path can reach the offset distance
// ("cutters"), at which the raw offset is split before trimming. Where the
// offsets of neighbouring pieces cross, both are cut at the crossing
// nearest their joint.
#pragma once

#include "platform/ge/internal/GeOffsetPath.h"

#include <vector>

namespace GeKernel {

// A joint where the offsets part (convex seen from the offset side), with
// what closing it needs.
struct PartingJoint {
  int joint = 0;  // between path piece joint and the next
  XtGePoint2d vertex;
  XtGePoint2d a1;    // end of the offset of the piece before
  XtGePoint2d b0;    // start of the offset of the piece after
  XtGePoint2d meet;  // where the extensions meet (extension type only)
  double sweep = 0.0;      // of the fillet from a1 to b0 about the vertex
  bool clockWise = false;  // the fillet's sense
};

struct RawOffset {
  // The offset pieces and joint closures, in the order of the path.
  std::vector<OffsetPiece> candidates;
  // Per joint (between path piece j and the next): the path's vertex.
  std::vector<XtGePoint2d> jointVertex;
  // The other side's offsets and circles of the offset radius about the
  // vertices: together with the candidates they hold every point at the
  // offset distance from the path.
  std::vector<OffsetPiece> cutters;
  std::vector<PartingJoint> parting;
};

enum class RawStatus {
  kOk,
  kNoExtension,  // extension asked for, but two offsets part without meeting near the joint
};

// Builds the raw offset of path by d (positive to the left of travel),
// closing parting joints by extensions (closeBy XtGe::kExtend) or fillets
// (any other value); res is the resolution of offsetResolution. When
// extType is the extension type, the extensions must meet, not farther
// than kMaxExtension * |d| from their joint, else nothing is built.
RawStatus buildRawOffset(const OffsetPath& path, double d, int extType, int closeBy, double res,
                         RawOffset& raw);

// The fillet closing a parting joint, run from a1 to b0 (or back).
OffsetPiece filletOf(const PartingJoint& j, double d, bool reversed = false);

inline constexpr double kMaxExtension = 1000.0;

}  // namespace GeKernel
