#include "platform/ge/XtGePoint2d.h"

#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeMatrix2d.h"

XtGePoint2d& XtGePoint2d::transformBy(const XtGeMatrix2d& m) { return *this = m * *this; }

XtGePoint2d& XtGePoint2d::rotateBy(double angle, const XtGePoint2d& centre) {
  return transformBy(XtGeMatrix2d::rotation(angle, centre));
}

XtGePoint2d& XtGePoint2d::mirror(const XtGeLine2d& line) {
  return transformBy(XtGeMatrix2d::mirroring(line));
}

XtGePoint2d& XtGePoint2d::scaleBy(double factor, const XtGePoint2d& centre) {
  return transformBy(XtGeMatrix2d::scaling(factor, centre));
}
