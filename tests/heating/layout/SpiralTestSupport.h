// Rectangle loops, records that own them and hand-placed nodes for the tests
// of the spiral's path steps. Rectangles are counter-clockwise from their
// lower left corner, so their sections are bottom, right, top, left.
#pragma once

#include "heating/layout/CFHCircuitLayout.h"
#include "heating/layout/COffsetEdge.h"
#include "heating/layout/OffsetEdgePath.h"

#include "GraphTestSupport.h"

#include <memory>
#include <vector>

namespace spiral_test {

using Point = XtGePoint2d;

inline COffsetLoop* rectangle(double x0, double y0, double x1, double y1) {
  return graph_test::polygonLoop({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}).release();
}

// The rectangle (0, 0)-(w, h) inset by `by`, moved by (shift, shift).
inline COffsetLoop* inset(double w, double h, double by, double shift) {
  return rectangle(shift + by, shift + by, shift + w - by, shift + h - by);
}

// A record (s 200, first offset 100) whose levels are the given loops, one
// level each; it owns them.
inline std::unique_ptr<CFHCircuitLayout> recordWith(const std::vector<COffsetLoop*>& loops) {
  auto layout = std::make_unique<CFHCircuitLayout>(100.0, 200.0, 200.0);
  for (COffsetLoop* loop : loops) layout->levels.push_back(new CFHCircuitLayout::Level{loop});
  return layout;
}

// Z1 (4000 x 3000) moved by (shift, shift): its level k lies 100 + 200 k in.
inline std::unique_ptr<CFHCircuitLayout> z1Record(int levels, double shift = 0.0) {
  std::vector<COffsetLoop*> loops;
  for (int k = 0; k < levels; ++k) loops.push_back(inset(4000, 3000, 100 + 200 * k, shift));
  return recordWith(loops);
}

inline COffsetLoop* loopAt(const CFHCircuitLayout& layout, int level) { return layout.levels[level]->front(); }

// A node of the record on the loop at the point, linked to the sections that
// hold it (a free node when loop is null).
inline COffsetNode* nodeAt(CFHCircuitLayout& layout, COffsetLoop* loop, const Point& p) {
  std::vector<COffsetSection*> sections;
  if (loop != nullptr) sections = graph_test::sectionsAt(*loop, p);
  layout.nodes.push_back(new COffsetNode(p, sections, loop));
  return layout.nodes.back();
}

// An edge of the record between two nodes.
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

inline Point shifted(const Point& p, double shift) { return Point(p.x + shift, p.y + shift); }

}  // namespace spiral_test
