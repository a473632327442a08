// Loops and nodes for the tests of the offset graph: polygon loops of
// straight sections and nodes linked to every section that holds their point.
#pragma once

#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetNode.h"

#include "heating/curves/CFloorHeatingLine.h"

#include "geometry/Tolerances.h"

#include <memory>
#include <vector>

namespace graph_test {

// The closed loop through the points, its first section from the first point.
inline std::unique_ptr<COffsetLoop> polygonLoop(const std::vector<XtGePoint2d>& points) {
  auto loop = std::make_unique<COffsetLoop>();
  for (std::size_t i = 0; i < points.size(); ++i)
    loop->appendSection(
        makeSection(std::make_unique<CFloorHeatingLine>(points[i], points[(i + 1) % points.size()], nullptr, 2)));
  return loop;
}

// The points moved by (d, d).
inline std::vector<XtGePoint2d> movedBy(std::vector<XtGePoint2d> points, double d) {
  for (XtGePoint2d& p : points) p = XtGePoint2d(p.x + d, p.y + d);
  return points;
}

// The sections of the loop whose curve holds the point (both at a joint).
inline std::vector<COffsetSection*> sectionsAt(const COffsetLoop& loop, const XtGePoint2d& p) {
  std::vector<COffsetSection*> found;
  for (int i = 0; i < loop.sectionCount(); ++i)
    if (loop.section(i)->curve->geCurve().isOn(p, workTol)) found.push_back(loop.section(i));
  return found;
}

// Takes a node out of its sections' lists before deleting it, so that the
// loop, which outlives it, lists no dead node.
struct UnlistingDelete {
  void operator()(COffsetNode* node) const {
    node->clearLinks();
    delete node;
  }
};
using NodePtr = std::unique_ptr<COffsetNode, UnlistingDelete>;

// A node on the loop at the point, linked to the sections that hold it.
inline NodePtr nodeOn(COffsetLoop& loop, const XtGePoint2d& p) {
  return NodePtr(new COffsetNode(p, sectionsAt(loop, p), &loop));
}

inline double totalLength(const CFloorHeatingCurve::PtrVector& pieces) {
  double sum = 0.0;
  for (const auto& piece : pieces) sum += piece->startPoint().distanceTo(piece->endPoint());
  return sum;
}

}  // namespace graph_test
