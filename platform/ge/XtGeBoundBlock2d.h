// An axis-aligned bounding box. The default block is empty (holds no point);
// extending it by a point makes it cover that point.
#pragma once

#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

class XtGeMatrix2d;

class XtGeBoundBlock2d {
public:
  XtGeBoundBlock2d() = default;
  // The box spanned by two opposite corners (in any order).
  XtGeBoundBlock2d(const XtGePoint2d& p1, const XtGePoint2d& p2) { set(p1, p2); }

  XtGeBoundBlock2d& set(const XtGePoint2d& p1, const XtGePoint2d& p2);
  XtGeBoundBlock2d& extend(const XtGePoint2d& p);
  XtGeBoundBlock2d& extend(const XtGeBoundBlock2d& other);
  // Grows the box by d on every side (shrinks for negative d, never past its centre).
  XtGeBoundBlock2d& swell(double d);
  XtGeBoundBlock2d& setEmpty();

  bool isEmpty() const { return m_empty; }
  // The block is always kept as an axis-aligned box.
  bool isBox() const { return true; }
  XtGeBoundBlock2d& setToBox(bool toBox);

  // False for an empty block (the points are left unchanged).
  bool getMinMaxPoints(XtGePoint2d& minPoint, XtGePoint2d& maxPoint) const;
  XtGePoint2d minPoint() const { return m_min; }
  XtGePoint2d maxPoint() const { return m_max; }
  // Frame of the box: base = minimum corner, direction1 along X over the
  // width, direction2 along Y over the height.
  XtGePoint2d getBasePoint() const { return m_min; }
  XtGeVector2d getDirection1() const { return {m_empty ? 0.0 : m_max.x - m_min.x, 0.0}; }
  XtGeVector2d getDirection2() const { return {0.0, m_empty ? 0.0 : m_max.y - m_min.y}; }

  // Exact containment, boundary included.
  bool contains(const XtGePoint2d& p) const;
  bool isDisjoint(const XtGeBoundBlock2d& other) const;
  // The box of the transformed corners.
  XtGeBoundBlock2d& transformBy(const XtGeMatrix2d& m);

private:
  XtGePoint2d m_min;
  XtGePoint2d m_max;
  bool m_empty = true;
};
