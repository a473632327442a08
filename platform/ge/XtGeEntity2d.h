// Base of every 2D entity of the geometry library: its type number, deep
// copy and transforms. Entities are deleted through this base.
#pragma once

#include "platform/ge/XtGe.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

class XtGeLine2d;
class XtGeMatrix2d;

class XtGeEntity2d {
public:
  virtual ~XtGeEntity2d() = default;

  // One of the numbers of XtGe::EntityId.
  virtual int type() const = 0;
  // True exactly for the entity's own type number.
  virtual bool isKindOf(int entityType) const { return entityType == type(); }

  // A deep copy, owned by the caller.
  [[nodiscard]] virtual XtGeEntity2d* copy() const = 0;

  // Applies the transform. False (entity unchanged) when the entity cannot
  // follow it, e.g. a circular arc under a non-uniform scale, or when the
  // matrix is not finite.
  virtual bool transformBy(const XtGeMatrix2d& m) = 0;
  bool translateBy(const XtGeVector2d& v);
  bool rotateBy(double angle, const XtGePoint2d& centre = XtGePoint2d());
  bool scaleBy(double factor, const XtGePoint2d& centre = XtGePoint2d());
  bool mirror(const XtGeLine2d& line);

protected:
  XtGeEntity2d() = default;
  XtGeEntity2d(const XtGeEntity2d&) = default;
  XtGeEntity2d& operator=(const XtGeEntity2d&) = default;
};
