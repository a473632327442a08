#include "ui/gdi/viewFrame.h"

#include "platform/ge/XtGeContext.h"

#include <algorithm>
#include <memory>
#include <vector>

bool viewFrame::assign(const viewFrame& other) {
  if (this != &other) {
    std::copy(std::begin(other.view), std::end(other.view), std::begin(view));
    viewValue = other.viewValue;
    std::copy(std::begin(other.model), std::end(other.model), std::begin(model));
    modelValue = other.modelValue;
    std::copy(std::begin(other.edges), std::end(other.edges), std::begin(edges));
    std::copy(std::begin(other.extra), std::end(other.extra), std::begin(extra));
    extraValue = other.extraValue;
    data = other.data;
  }
  return rebuildFrame();
}

bool viewFrame::rebuildFrame() {
  const XtGeTol& tol = XtGeContext::gTol;
  std::vector<std::unique_ptr<XtGeCurve2d>> ring;
  bool used[4] = {true, false, false, false};
  ring.push_back(std::make_unique<XtGeLineSeg2d>(edges[0]));
  XtGePoint2d end = edges[0].endPoint();
  for (int step = 1; step < 4; ++step) {
    int next = -1;
    bool reversed = false;
    for (int i = 1; i < 4 && next < 0; ++i) {
      if (used[i]) continue;
      if (edges[i].startPoint().isEqualTo(end, tol)) {
        next = i;
      } else if (edges[i].endPoint().isEqualTo(end, tol)) {
        next = i;
        reversed = true;
      }
    }
    if (next < 0) {
      frame.setCurveList(std::vector<std::unique_ptr<XtGeCurve2d>>());
      return false;
    }
    used[next] = true;
    auto edge = std::make_unique<XtGeLineSeg2d>(edges[next]);
    if (reversed) edge->reverseParam();
    end = edge->endPoint();
    ring.push_back(std::move(edge));
  }
  if (!end.isEqualTo(edges[0].startPoint(), tol)) {
    frame.setCurveList(std::vector<std::unique_ptr<XtGeCurve2d>>());
    return false;
  }
  frame.setCurveList(std::move(ring));
  return true;
}

bool viewFrame::setBox(const XtGePoint2d& minCorner, const XtGePoint2d& maxCorner) {
  const XtGePoint2d a(minCorner.x, minCorner.y);
  const XtGePoint2d b(maxCorner.x, minCorner.y);
  const XtGePoint2d c(maxCorner.x, maxCorner.y);
  const XtGePoint2d d(minCorner.x, maxCorner.y);
  edges[0].set(a, b);
  edges[1].set(b, c);
  edges[2].set(c, d);
  edges[3].set(d, a);
  return rebuildFrame();
}
