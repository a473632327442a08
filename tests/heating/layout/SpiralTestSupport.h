// Rectangle loops (counter-clockwise from the lower left corner: sections
// bottom, right, top, left), records that own them, and hand-placed nodes
// and edges for the tests of the spiral's path steps.
#pragma once

#include "heating/layout/record/CFHCircuitLayout.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/OffsetEdgePath.h"

#include "GraphTestSupport.h"

#include <memory>
#include <vector>

namespace spiral_test {

using Point = XtGePoint2d;

inline COffsetLoop* rectangle(double x0, double y0, double x1, double y1) {
  return graph_test::polygonLoop({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}).release();
}
// The rectangle (0, 0)-(w, h) moved by (shift, shift) and inset by `by`.
inline COffsetLoop* inset(double w, double h, double by, double shift) {
  return rectangle(shift + by, shift + by, shift + w - by, shift + h - by);
}
inline Point shifted(const Point& p, double shift) { return Point(p.x + shift, p.y + shift); }

// A record (first offset 100, s 200) owning the loops, one level each.
inline std::unique_ptr<CFHCircuitLayout> recordWith(const std::vector<COffsetLoop*>& loops) {
  auto layout = std::make_unique<CFHCircuitLayout>(100.0, 200.0, 200.0);
  for (COffsetLoop* loop : loops) layout->levels.push_back(new CFHCircuitLayout::Level{loop});
  return layout;
}
// Z1 (4000 x 3000) moved by (shift, shift): level k lies 100 + 200 k in.
inline std::unique_ptr<CFHCircuitLayout> z1Record(int levels, double shift = 0.0) {
  std::vector<COffsetLoop*> loops;
  for (int k = 0; k < levels; ++k) loops.push_back(inset(4000, 3000, 100 + 200 * k, shift));
  return recordWith(loops);
}
inline COffsetLoop* loopAt(const CFHCircuitLayout& layout, int level) { return layout.levels[level]->front(); }

// A node of the record at the point, on the loop's sections that hold it
// (a free node when loop is null), and an edge of the record.
inline COffsetNode* nodeAt(CFHCircuitLayout& layout, COffsetLoop* loop, const Point& p) {
  layout.nodes.push_back(
      new COffsetNode(p, loop != nullptr ? graph_test::sectionsAt(*loop, p) : std::vector<COffsetSection*>{}, loop));
  return layout.nodes.back();
}
inline COffsetEdge* edgeOf(CFHCircuitLayout& layout, COffsetNode* a, COffsetNode* b, std::uint8_t direction) {
  layout.edges.push_back(COffsetEdge::COffsetEdgeFromNodes(a, b, direction, false).release());
  return layout.edges.back();
}

// The length of the paths of all the record's edges.
inline double pathLength(const CFHCircuitLayout& layout) {
  double sum = 0.0;
  for (const COffsetEdge* edge : layout.edges) {
    CFloorHeatingCurve::PtrVector pieces;
    offsetEdgePathAlongLoop(edge, pieces);
    sum += graph_test::totalLength(pieces);
  }
  return sum;
}

}  // namespace spiral_test
