// The spiral's start: its orientation, where the pipe enters and leaves the
// first offset loop, and the leads between those points and the pipe ends,
// bent to leave the zone square to its wall.
#include "heating/layout/SpiralRun.h"

#include "heating/layout/CFHPipeEnd.h"
#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetLoop.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/LayoutSegmentTags.h"
#include "heating/layout/LeadLandings.h"

#include "heating/curves/CFHZoneBoundary.h"
#include "heating/curves/CFloorHeatingLine.h"

#include "geometry/Tolerances.h"

#include <memory>

namespace {

// Pipe ends whose points on the first loop lie farther apart than this many
// spacings (along the loop, the short way) are far apart.
constexpr double kFarApart = 2.0;

// Where the lead from the pipe end's point to q leaves the working loop:
// the meeting farthest from the pipe end's closest point b on the loop.
bool leadExit(const CFHBoundLoop& working, const XtGePoint2d& pipeEnd, const CLoopPoint& q, const CLoopPoint& b,
              CLoopPoint& exit) {
  if (pipeEnd.isEqualTo(q.point, workTol)) return false;
  const CFloorHeatingLine lead(pipeEnd, q.point, nullptr, kTagTestLine);
  return working.pickFarthestIntersection(lead, b, exit, workTol);
}

// The two bend points: the normal rays of the boundary at b1 and b2 (the
// links taken with the flag) met with the chord line of the boundary
// element x1 leaves along.
bool bendPoints(const CLoopPoint& b1, const CLoopPoint& b2, const CLoopPoint& x1, bool flag, XtGePoint2d& y1,
                XtGePoint2d& y2) {
  XtGeRay2d ray1;
  XtGeRay2d ray2;
  const CLoopElement* wall = x1.outgoingLink(flag, workTol);
  if (!b1.linkRay(flag, ray1, 1) || !b2.linkRay(flag, ray2, 1) || wall == nullptr || !wall->hasCurve()) return false;
  const XtGeLine2d line = wall->curve->chordLine();
  return line.intersectWith(ray1, y1, workTol) && line.intersectWith(ray2, y2, workTol);
}

// Bends the lead edges: firstEdge now ends at a free node at y1, from which
// a straight edge runs on to its former end (the node at Q1); lastEdge now
// starts at a free node at y2, reached by a straight edge from its former
// start (the node at Q2).
void bendLeads(CFHCircuitLayout& layout, const XtGePoint2d& y1, const XtGePoint2d& y2) {
  COffsetEdge* in = layout.firstEdge;
  COffsetEdge* out = layout.lastEdge;
  COffsetNode* q1 = in->b;
  COffsetNode* q2 = out->a;
  layout.nodes.reserve(layout.nodes.size() + 2);
  layout.edges.reserve(layout.edges.size() + 2);
  auto n1 = std::make_unique<COffsetNode>(y1, static_cast<COffsetSection*>(nullptr), nullptr);
  auto n2 = std::make_unique<COffsetNode>(y2, static_cast<COffsetSection*>(nullptr), nullptr);
  n1->edges.reserve(2);
  n2->edges.reserve(2);
  auto on1 = COffsetEdge::COffsetEdgeFromNodes(n1.get(), q1, 1, true);
  auto on2 = COffsetEdge::COffsetEdgeFromNodes(q2, n2.get(), 1, true);
  in->unlink();
  in->b = n1.get();
  in->a->edges.push_back(in);
  n1->edges.insert(n1->edges.begin(), in);
  out->unlink();
  out->a = n2.get();
  n2->edges.insert(n2->edges.begin(), out);
  out->b->edges.push_back(out);
  layout.nodes.push_back(n1.release());
  layout.nodes.push_back(n2.release());
  layout.edges.push_back(on1.release());
  layout.edges.push_back(on2.release());
}

// The leads of a zone whose pipe ends lie beyond its first loop are bent
// where they cross the boundary, so that they leave the zone square to the
// wall (the Y points on the wall's line along the boundary's normals at the
// pipe ends).
void bendLeadsAcrossBoundary(CFHCircuitLayout& layout, const CLoopPoint& q1, const CLoopPoint& q2) {
  if (layout.boundary == nullptr) return;
  const CFHBoundLoop& working = layout.boundary->workingLoop;
  const XtGePoint2d& start = layout.startEnd->point;
  const XtGePoint2d& end = layout.endEnd->point;
  CLoopPoint b1;
  CLoopPoint b2;
  if (!working.closestPoint(start, b1, workTol) || !working.closestPoint(end, b2, workTol)) return;
  CLoopPoint x1;
  CLoopPoint x2;
  if (!leadExit(working, start, q1, b1, x1) || !leadExit(working, end, q2, b2, x2)) return;
  const bool leavesAwayFromStart = !b1.point.isEqualTo(x1.point, workTol);
  if (!leavesAwayFromStart && b2.point.isEqualTo(x2.point, workTol)) return;
  XtGePoint2d y1;
  XtGePoint2d y2;
  if (bendPoints(b1, b2, x1, leavesAwayFromStart, y1, y2)) bendLeads(layout, y1, y2);
}

}  // namespace

bool laySpiralLeads(SpiralRun& run) {
  CFHCircuitLayout& layout = run.layout;
  COffsetLoop* f = layout.firstOffsetLoop();
  const double s = layout.spacing;
  const bool given = layout.orientationGiven != 0;
  run.d = given ? layout.orientation != 0
                : layout.boundary->isForwardShorter(true, layout.endEnd->point, layout.startEnd->point, workTol);
  CLoopPoint q1;
  CLoopPoint q2;
  if (f == nullptr) return false;
  if (!given) {
    // A landing joins the corner it would jog to where the meander lands
    // (a meander zone laid as a spiral because no run fits keeps its
    // landings) and in a zone of one level, laid as a ring along its first
    // loop; a deeper spiral's runs start from the landings as they are.
    const bool join = layout.levels.size() < 2 || layout.layoutType == CFHCircuitLayout::kMeander;
    if (!landLeads(*f, layout.startEnd->point, layout.endEnd->point, run.d, s, q1, q2, join)) return false;
  } else if (!f->closestPoint(layout.startEnd->point, q1, workTol) ||
             !f->closestPoint(layout.endEnd->point, q2, workTol)) {
    return false;
  }
  CLoopPoint walked;
  if (given && q1.point.isEqualTo(q2.point, workTol)) {
    const CLoopPoint at = q1;
    if (f->walkFrom(at, run.d, 0.5 * s, walked, workTol)) q1 = walked;
    if (f->walkFrom(at, !run.d, 0.5 * s, walked, workTol)) q2 = walked;
  } else if (given) {
    run.d = f->isForwardShorter(q2.point, q1.point, workTol);
    const double excess =
        layout.startEnd->point.distanceTo(layout.endEnd->point) - q1.point.distanceTo(q2.point);
    if (excess > workTol.equalPoint() && f->walkFrom(q1, run.d, excess, walked, workTol)) q1 = walked;
  }
  layout.edges.reserve(layout.edges.size() + 2);
  layout.firstEdge = new COffsetEdge(layout.startEnd->point, q1, f, layout.nodes);
  layout.edges.push_back(layout.firstEdge);
  layout.lastEdge = new COffsetEdge(q2, f, layout.endEnd->point, layout.nodes);
  layout.edges.push_back(layout.lastEdge);
  run.inEnd = layout.firstEdge->b;
  run.outEnd = layout.lastEdge->a;
  if (!given) bendLeadsAcrossBoundary(layout, q1, q2);
  run.farApart = f->lengthBetween(*run.outEnd, *run.inEnd, run.d, workTol) > kFarApart * s;
  return true;
}
