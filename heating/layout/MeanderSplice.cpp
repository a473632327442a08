// The pipe ends on the first loop kept apart, the pipe-end splice of the
// meander and the single-path test of its result.
#include "heating/layout/MeanderChain.h"

#include "heating/layout/CFHCircuitLayout.h"
#include "heating/layout/COffsetEdge.h"
#include "heating/layout/MeanderPipeSpacing.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/LeadLandings.h"
#include "heating/layout/OffsetEdgePath.h"
#include "heating/layout/OffsetGraphQueries.h"

#include "heating/curves/CLoop.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <array>
#include <limits>
#include <memory>

namespace {

// The edge of the chain whose path holds the point, else the one whose path
// comes nearest; with the point's length along that edge's path.
struct EdgeHit {
  COffsetEdge* edge = nullptr;
  bool on = false;
  double nearest = std::numeric_limits<double>::max();
  double along = 0.0;

  void test(COffsetEdge* candidate, const CFloorHeatingCurve::PtrVector& pieces, const XtGePoint2d& p) {
    if (on) return;
    double before = 0.0;
    for (const auto& piece : pieces) {
      if (piece->isOn(p)) {
        edge = candidate;
        on = true;
        along = before + piece->startPoint().distanceTo(p);
        return;
      }
      const double d = piece->distanceTo(p);
      if (d < nearest) {
        nearest = d;
        edge = candidate;
        along = before + piece->startPoint().distanceTo(piece->closestPointTo(p));
      }
      before += piece->length();
    }
  }
};

// Moves the edge's end (atStart: its start) from its node to `to`.
void moveEdgeEnd(COffsetEdge& edge, COffsetNode& to, bool atStart) {
  COffsetNode*& end = atStart ? edge.a : edge.b;
  if (end != nullptr) removeEdgeFromNode(*end, &edge);
  end = &to;
  to.edges.push_back(&edge);
}

// How far beyond a lead's point the loop is judged (beside a narrow tip the
// loop comes back along the tip's other side), and how far the other point
// may move, in s; the steps, in s.
constexpr double kLeadReach = 12.0;
constexpr double kMostLeadShift = 4.0;
constexpr double kLeadStep = 0.125;

// Whether the loop from s to `reach` beyond `from` (walking forward or not)
// passes nearer than the spacing to p.
bool loopComesNear(const CLoop& loop, const CLoopPoint& from, bool forward, const XtGePoint2d& p, double s,
                   double reach) {
  const double least = (1.0 - meander_spacing::kSlack) * s;
  CLoopPoint q;
  for (double t = s; t <= reach; t += kLeadStep * s) {
    if (!loop.walkFrom(from, forward, t, q, workTol)) return false;
    if (q.point.distanceTo(p) < least) return true;
  }
  return false;
}

// The two leads from the pipe ends to their points on the first loop.
struct Leads {
  const XtGePoint2d& e1;
  const XtGePoint2d& e2;
  bool cross(const CLoopPoint& p1, const CLoopPoint& p2) const { return leadsCross(e1, p1.point, e2, p2.point); }
};

// Moves `moving` away from the gap (walking `away`) while the loop beyond
// `fixed` (walking `beyond`) comes near it, but not so far that the leads
// cross.
void moveClear(const CLoop& loop, const Leads& leads, CLoopPoint& p1, CLoopPoint& p2, bool moveFirst, bool forward,
               double s, double reach) {
  const CLoopPoint& fixed = moveFirst ? p2 : p1;
  CLoopPoint& moving = moveFirst ? p1 : p2;
  const bool beyond = moveFirst ? !forward : forward;
  const bool away = moveFirst ? forward : !forward;
  const int most = static_cast<int>(kMostLeadShift / kLeadStep);
  for (int i = 0; i < most && loopComesNear(loop, fixed, beyond, moving.point, s, reach); ++i) {
    CLoopPoint moved;
    if (!loop.walkFrom(moving, away, kLeadStep * s, moved, workTol)) return;
    const CLoopPoint kept = moving;
    moving = moved;
    if (leads.cross(p1, p2)) {
      moving = kept;
      return;
    }
  }
}

// How far the two walks from the pipe ends' points are compared, in s: a
// tip that stays narrower than s beyond it cannot be left by moving a point
// the most lead shift.
constexpr double kWalksReach = 6.0;
constexpr std::size_t kWalkSamples = static_cast<std::size_t>(kWalksReach / kLeadStep) + 1;

// The loop walked from a point, sampled each `step` up to the reach.
struct LoopWalk {
  std::array<XtGePoint2d, kWalkSamples> points{};
  std::size_t count = 0;

  LoopWalk(const CLoop& loop, const CLoopPoint& from, bool forward, double step, double reach) {
    for (std::size_t i = 0; i < kWalkSamples; ++i) {
      const double t = static_cast<double>(i) * step;
      if (t > reach) break;
      CLoopPoint q;
      if (!loop.walkFrom(from, forward, t, q, workTol)) break;
      points[count++] = q.point;
    }
  }
};

// Whether samples `step` apart of the walk from p1 (forward) and of the
// walk back from p2, one of them more than `head` samples along, come
// nearer than `least`.
bool samplesComeNear(const CLoop& loop, const CLoopPoint& p1, const CLoopPoint& p2, bool forward, double step,
                     double reach, std::size_t head, double least) {
  const LoopWalk a(loop, p1, forward, step, reach);
  const LoopWalk b(loop, p2, !forward, step, reach);
  for (std::size_t i = 0; i < a.count; ++i)
    for (std::size_t j = i > head ? 0 : head + 1; j < b.count; ++j)
      if (a.points[i].distanceTo(b.points[j]) < least) return true;
  return false;
}

// Whether the pipe walking the loop from p1 (forward) and the pipe walking it
// back from p2 come nearer than the spacing anywhere beyond the first s of
// either walk: in a narrow tip of the loop the two walks run along the tip's
// two sides and part slowly, so neither point alone is near the other walk.
// A coarse look (samples s/2 apart, each fine sample within s/4 of one, so
// looked at with s/2 more) passes over the rooms where they part at once.
bool walksComeNear(const CLoop& loop, const CLoopPoint& p1, const CLoopPoint& p2, bool forward, double s,
                   double reach) {
  const double least = (1.0 - meander_spacing::kSlack) * s;
  const double walked = std::min(reach, kWalksReach * s);
  if (!samplesComeNear(loop, p1, p2, forward, 0.5 * s, walked, 1, least + 0.5 * s)) return false;
  const auto head = static_cast<std::size_t>(1.0 / kLeadStep);
  return samplesComeNear(loop, p1, p2, forward, kLeadStep * s, walked, head, least);
}

// Moves `moving` away from the gap (walking `away`), up to the most lead
// shift, until the two walks keep the spacing; false, `moving` unchanged,
// when they never do before the leads would cross.
bool movePartWalks(const CLoop& loop, const Leads& leads, CLoopPoint& p1, CLoopPoint& p2, bool forward,
                   bool moveFirst, double s, double reach) {
  CLoopPoint& moving = moveFirst ? p1 : p2;
  const bool away = moveFirst ? forward : !forward;
  const CLoopPoint kept = moving;
  const int most = static_cast<int>(kMostLeadShift / kLeadStep);
  for (int i = 0; i < most; ++i) {
    CLoopPoint moved;
    if (!loop.walkFrom(moving, away, kLeadStep * s, moved, workTol)) break;
    moving = moved;
    if (leads.cross(p1, p2)) break;
    if (!walksComeNear(loop, p1, p2, forward, s, reach)) return true;
  }
  moving = kept;
  return false;
}

}  // namespace

void keepMeanderLeadNodesApart(const CLoop& loop, const XtGePoint2d& e1, const XtGePoint2d& e2, CLoopPoint& p1,
                               CLoopPoint& p2, bool orientation, double s) {
  if (!(s > 0.0)) return;
  // Not so far that the walk comes round the loop to the other point.
  const double reach = std::min(kLeadReach * s, 0.5 * loop.length(workTol) - 2.0 * s);
  if (!(reach >= s)) return;
  const Leads leads{e1, e2};
  moveClear(loop, leads, p1, p2, false, orientation, s, reach);
  moveClear(loop, leads, p1, p2, true, orientation, s, reach);
  if (walksComeNear(loop, p1, p2, orientation, s, reach) &&
      !movePartWalks(loop, leads, p1, p2, orientation, false, s, reach))
    movePartWalks(loop, leads, p1, p2, orientation, true, s, reach);
}

bool spliceMeanderPipeEnds(CFHCircuitLayout& layout, const MeanderChain& chain, bool orientation) {
  if (layout.firstEdge == nullptr || layout.lastEdge == nullptr || chain.closing == nullptr ||
      chain.x0 == nullptr || layout.firstEdge->b == nullptr || layout.lastEdge->a == nullptr)
    return false;
  COffsetNode& p1 = *layout.firstEdge->b;
  COffsetNode& p2 = *layout.lastEdge->a;
  EdgeHit e1;
  EdgeHit e2;
  CFloorHeatingCurve::PtrVector pieces;
  COffsetEdge* edge = chain.closing;
  COffsetNode* node = chain.closing->b;
  bool arrived = false;
  for (std::size_t passed = 0; passed <= layout.edges.size() && edge != nullptr; ++passed) {
    offsetEdgePathAlongLoop(edge, pieces);
    e1.test(edge, pieces, p1.point);
    e2.test(edge, pieces, p2.point);
    if (node == chain.last && passed > 0) {
      arrived = true;
      break;
    }
    edge = node != nullptr ? node->otherEdgeIfUnique(edge) : nullptr;
    if (edge != nullptr) node = edge->otherNode(node);
  }
  if (!arrived || e1.edge == nullptr || e2.edge == nullptr) return false;

  if (e1.edge == e2.edge) {
    // P1 before P2 along one edge: the pipe would run P1-P2 twice.
    if (e1.along <= e2.along) return false;
    COffsetNode* formerEnd = e1.edge->b;
    if (formerEnd == nullptr) return false;
    layout.edges.reserve(layout.edges.size() + 1);
    moveEdgeEnd(*e1.edge, p2, false);
    auto rest = COffsetEdge::COffsetEdgeFromNodes(&p1, formerEnd, orientation ? 1 : 0, false);
    layout.edges.push_back(rest.release());
    return true;
  }
  moveEdgeEnd(*e1.edge, p1, true);
  moveEdgeEnd(*e2.edge, p2, false);
  return true;
}

bool isSinglePath(const CFHCircuitLayout& layout) {
  const COffsetEdge* edge = layout.firstEdge;
  if (edge == nullptr || layout.lastEdge == nullptr) return false;
  for (std::size_t passed = 0; passed <= layout.edges.size(); ++passed) {
    if (edge == layout.lastEdge) return true;
    const COffsetNode* node = edge->b;
    if (node == nullptr || node->edges.size() != 2) return false;
    const COffsetEdge* next = node->otherEdgeIfUnique(edge);
    if (next == nullptr || next->a != node) return false;
    edge = next;
  }
  return false;
}
