// Numbers shared by the whole geometry library: entity type numbers, offset
// extension kinds and the constants the curve classes use.
#pragma once

namespace XtGe {

// Answered by XtGeEntity2d::type(). Callers switch on these numbers, so they
// never change.
enum EntityId : int {
  kPosition2d = 4,
  kCircArc2d = 10,
  kEllipArc2d = 16,
  kLine2d = 18,
  kLineSeg2d = 22,
  kRay2d = 26,
  kCompositeCrv2d = 46,
};

// How XtGeCurve2d::getTrimmedOffset closes the gap that opens at a convex
// joint between two offset pieces.
enum OffsetCrvExtType : int {
  kFillet = 0,   // an arc of radius |d| about the original joint vertex
  kChamfer = 1,  // a straight segment between the two offset ends
  kExtend = 2,   // both pieces extended along their end tangents to their meeting point
};

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kTwoPi = 6.283185307179586;
inline constexpr double kHalfPi = 1.5707963267948966;

// Tolerance of every parameter interval the curves hand out.
inline constexpr double kIntervalTol = 1e-12;

}  // namespace XtGe
