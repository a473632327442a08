// Small value operations and records of the shared geometry: points and
// vectors made from coordinate arrays, angles of lines and arcs, tolerant
// comparisons, the axis-aligned rectangle and the record array of tagged
// composite curves.
//
// Tolerances: the comparisons use the equal-point value of workTol. All
// operations are pure (the record insertion changes only the array it is
// given) and never throw but on allocation.
#pragma once

#include "geometry/hvArray.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGePoint3d.h"
#include "platform/ge/XtGeVector2d.h"
#include "platform/ge/XtGeVector3d.h"
#include "platform/win/FrameworkArrays.h"

#include <cstdint>
#include <span>

// ---- Points and vectors from coordinate arrays ------------------------------

XtGePoint2d toPoint2d(std::span<const double, 2> xy);
void setPoint2d(XtGePoint2d& point, std::span<const double, 2> xy);
XtGePoint3d toPoint3d(std::span<const double, 3> xyz);
void setPoint3d(XtGePoint3d& point, std::span<const double, 3> xyz);
// z becomes 0.
void setPoint3dZ0(XtGePoint3d& point, std::span<const double, 2> xy);
XtGeVector2d toVector2d(std::span<const double, 2> xy);
XtGeVector3d toVector3d(std::span<const double, 3> xyz);

// ---- Angles -------------------------------------------------------------------

// The angle between two directions regardless of their orientation, in
// [0, pi/2]: b is turned round when it points away from a (a . b < 0).
// 0 when either is zero.
double lineAngle2d(const XtGeVector2d& a, const XtGeVector2d& b);

// The start and end angle of the arc (its parameters).
void arcAngles(const XtGeCircArc2d& arc, double& startAngle, double& endAngle);

// ---- Tolerant comparisons ------------------------------------------------------

// |a - b| no more than the equal-point value of workTol.
bool valuesEqualWithinTol(double a, double b);

// A point with the index of what it stands for.
struct indexedPointRec {
  std::int32_t index = 0;
  double x = 0.0;
  double y = 0.0;
};

// 0 when the X (compareRecByX) or Y (compareRecByY) coordinates differ by
// less than workTol, -1 when the second is larger, else 1. Tolerant equality
// is not transitive, so these are no ordering: never hand them to a sort.
int compareRecByX(const indexedPointRec& a, const indexedPointRec& b);
int compareRecByY(const indexedPointRec& a, const indexedPointRec& b);

// ---- Rectangle ------------------------------------------------------------------

// An axis-aligned rectangle; its corners mean nothing while valid is false.
struct rect2d {
  double minX = 0.0;
  double minY = 0.0;
  double maxX = 0.0;
  double maxY = 0.0;
  bool valid = false;

  // The rectangle spanned by two corner points (in any order); valid.
  void setFromPoints(const XtGePoint2d& a, const XtGePoint2d& b);
  // The extents of (min - v) and (max + v): grown by v on every side
  // (shrunk for negative components, turned over when v exceeds half the
  // size).
  void inflate(const XtGeVector2d& v);
  // The axis-aligned extents of the four transformed corners.
  void transformBy(const XtGeMatrix2d& matrix);
};

// ---- Tagged composite curves ------------------------------------------------

// A composite curve with a tag and a list of texts.
struct compositeRecord {
  XtGeCompositeCurve2d composite;
  std::int32_t tag = 0;
  CStringArray texts;
};

// Inserts a copy of the composite with the tag (and no texts) before index
// (0..count). False, nothing added, for another index or when the array
// cannot grow.
bool addCompositeRecord(hvArray<compositeRecord>& records, std::int32_t index, const XtGeCompositeCurve2d& composite,
                        std::int32_t tag);
