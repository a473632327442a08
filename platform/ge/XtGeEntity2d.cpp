#include "platform/ge/XtGeEntity2d.h"

#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeMatrix2d.h"

bool XtGeEntity2d::translateBy(const XtGeVector2d& v) {
  return transformBy(XtGeMatrix2d::translation(v));
}

bool XtGeEntity2d::rotateBy(double angle, const XtGePoint2d& centre) {
  return transformBy(XtGeMatrix2d::rotation(angle, centre));
}

bool XtGeEntity2d::scaleBy(double factor, const XtGePoint2d& centre) {
  return transformBy(XtGeMatrix2d::scaling(factor, centre));
}

bool XtGeEntity2d::mirror(const XtGeLine2d& line) {
  return transformBy(XtGeMatrix2d::mirroring(line));
}
