#include "heating/layout/offsets/COffsetPoint.h"

COffsetPoint::COffsetPoint(const XtGePoint2d& p, const std::vector<CLoopElement*>& links) : CLoopPoint(p) {
  for (CLoopElement* link : links) addLink(link);
}
