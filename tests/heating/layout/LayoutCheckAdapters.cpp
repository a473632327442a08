#include "LayoutCheckAdapters.h"

#include "heating/layout/record/CFHCircuitLayout.h"
#include "heating/layout/record/CFHPipeEnd.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/OffsetEdgePath.h"

#include "heating/curves/CFloorHeatingArc.h"

#include "platform/ge/XtGe.h"
#include "platform/ge/XtGeCircArc2d.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <unordered_set>

namespace layout_check {

namespace {

// The arc as a piece from `from` (one of its ends, within rounding) to its
// other end: its own sweep, backwards when it starts at its geometry's end.
Piece arcPiece(const XtGeCircArc2d& arc, const XtGePoint2d& from) {
  double sweep = (arc.endAng() - arc.startAng()) * (arc.isClockWise() ? -1.0 : 1.0);
  XtGePoint2d start = arc.startPoint(), end = arc.endPoint();
  if (from.distanceTo(end) < from.distanceTo(start)) {
    std::swap(start, end);
    sweep = -sweep;
  }
  const XtGePoint2d c = arc.center();
  Piece piece = Piece::arcAbout(c, arc.radius(), std::atan2(start.y - c.y, start.x - c.x), sweep);
  piece.start = start;
  piece.end = end;
  return piece;
}

}  // namespace

bool pieceOf(const CFloorHeatingCurve& curve, Piece& piece) {
  if (curve.kind() == CFloorHeatingCurve::kLine) {
    piece = Piece::line(curve.startPoint(), curve.endPoint());
    return true;
  }
  if (curve.kind() != CFloorHeatingCurve::kArc) return false;
  piece = arcPiece(static_cast<const CFloorHeatingArc&>(curve).arc(), curve.startPoint());
  piece.start = curve.startPoint();
  piece.end = curve.endPoint();
  return true;
}

std::vector<Piece> piecesAlong(const std::vector<std::unique_ptr<XtGeCurve2d>>& curves) {
  std::vector<Piece> pieces;
  for (const auto& curve : curves) {
    XtGePoint2d a, b;
    if (curve == nullptr || !curve->hasStartPoint(a) || !curve->hasEndPoint(b)) continue;
    // Each piece runs on from the end of the one before.
    const bool backwards = !pieces.empty() && pieces.back().end.distanceTo(b) < pieces.back().end.distanceTo(a);
    if (curve->isKindOf(XtGe::kLineSeg2d))
      pieces.push_back(backwards ? Piece::line(b, a) : Piece::line(a, b));
    else if (curve->isKindOf(XtGe::kCircArc2d))
      pieces.push_back(arcPiece(static_cast<const XtGeCircArc2d&>(*curve), backwards ? b : a));
  }
  return pieces;
}

std::vector<Piece> piecesOf(const std::vector<CFloorHeatingCurve*>& curves) {
  std::vector<Piece> pieces;
  for (const CFloorHeatingCurve* curve : curves) {
    Piece piece;
    if (curve != nullptr && pieceOf(*curve, piece)) pieces.push_back(piece);
  }
  return pieces;
}

namespace {

std::string at(const XtGePoint2d& p) {
  std::ostringstream out;
  out << " at (" << p.x << ", " << p.y << ")";
  return out.str();
}

}  // namespace

GraphPath walkLayoutGraph(const CFHCircuitLayout& layout) {
  GraphPath path;
  const COffsetEdge* edge = layout.firstEdge;
  if (edge == nullptr || edge->a == nullptr) {
    path.faults.push_back("no first edge");
    path.edgesOffPath = static_cast<int>(layout.edges.size());
    return path;
  }
  if (layout.startEnd != nullptr && !edge->a->point.isEqualTo(layout.startEnd->point, workTol))
    path.faults.push_back("the first edge does not start at the start pipe end" + at(edge->a->point));
  if (edge->a->edges.size() != 1)
    path.faults.push_back("the start node has " + std::to_string(edge->a->edges.size()) + " edges");
  std::unordered_set<const COffsetEdge*> visited;
  // Each edge is passed once at most: the bound ends any walk.
  for (std::size_t step = 0; step <= layout.edges.size(); ++step) {
    if (!visited.insert(edge).second) {
      path.faults.push_back("an edge is passed twice");
      break;
    }
    CFloorHeatingCurve::PtrVector pieces;
    if (!offsetEdgePathAlongLoop(edge, pieces)) path.faults.push_back("an edge path failed");
    for (const auto& curve : pieces) {
      Piece piece;
      if (!pieceOf(*curve, piece)) continue;
      (edge->isFlag4Set() ? path.notDrawn : path.pieces).push_back(piece);
      path.all.push_back(piece);
    }
    const COffsetNode* node = edge->b;
    if (edge == layout.lastEdge) {
      if (layout.endEnd != nullptr && node != nullptr && !node->point.isEqualTo(layout.endEnd->point, workTol))
        path.faults.push_back("the last edge does not end at the end pipe end" + at(node->point));
      if (node != nullptr && node->edges.size() != 1)
        path.faults.push_back("the end node has " + std::to_string(node->edges.size()) + " edges");
      break;
    }
    if (node == nullptr) {
      path.faults.push_back("an edge without its second node");
      break;
    }
    if (node->edges.size() != 2)
      path.faults.push_back("a node with " + std::to_string(node->edges.size()) + " edges" + at(node->point));
    const COffsetEdge* next = node->otherEdgeIfUnique(edge);
    if (next == nullptr) {
      path.faults.push_back("a dead end" + at(node->point));
      break;
    }
    if (next->a != node) {
      path.faults.push_back("an edge runs against the path" + at(node->point));
      break;
    }
    edge = next;
  }
  path.edgesOnPath = static_cast<int>(visited.size());
  path.edgesOffPath = static_cast<int>(
      std::count_if(layout.edges.begin(), layout.edges.end(), [&](const COffsetEdge* e) { return !visited.count(e); }));
  return path;
}

namespace {

bool bentAtWall(const COffsetNode* n) { return n != nullptr && n->owner == nullptr && n->edges.size() == 2; }

// Where the lead at an end meets the body of the pipe: the inner end of
// the lead's edge, past its bend at the wall when it has one.
const COffsetNode* leadTop(const COffsetEdge* lead, bool atStart) {
  if (lead == nullptr) return nullptr;
  const COffsetNode* n = atStart ? lead->b : lead->a;
  if (!bentAtWall(n)) return n;
  const COffsetEdge* next = n->otherEdgeIfUnique(lead);
  return next == nullptr ? nullptr : next->otherNode(n);
}

}  // namespace

void setLeads(const CFHCircuitLayout& layout, Options& options) {
  options.leadIn = layout.firstEdge != nullptr && bentAtWall(layout.firstEdge->b) ? 2 : 1;
  options.leadOut = layout.lastEdge != nullptr && bentAtWall(layout.lastEdge->a) ? 2 : 1;
}

void addSpiralAllowances(const CFHCircuitLayout& layout, const Zone& zone, Options& options) {
  const double s = zone.s;
  const auto allow = [&](const XtGePoint2d& a, const XtGePoint2d& b, double reach, double least, bool both,
                         const char* what) { options.allowances.push_back({a, b, reach, least, both, what}); };
  for (const COffsetEdge* e : layout.edges) {
    if (e->a == nullptr || e->b == nullptr || !isStraightEdge(*e) || e == layout.firstEdge || e == layout.lastEdge)
      continue;
    const bool free = e->a->owner == nullptr || e->b->owner == nullptr;
    const bool lead = (layout.firstEdge != nullptr && e->a == layout.firstEdge->b) ||
                      (layout.lastEdge != nullptr && e->b == layout.lastEdge->a);
    if (free && !lead) {
      allow(e->a->point, e->b->point, s, 0.5 * s, true, "detour legs");
      allow(e->a->point, e->b->point, 0.05 * s, 0.75 * s, false, "detour connector");
    } else if (!free) {
      allow(e->a->point, e->b->point, 0.05 * s, 0.98 * s, false, "level step");
    }
  }
  // (A single level is no centre: its box would hold the whole zone.) The
  // box is one place of its diagonal and its four sides (a group of its
  // own, after the centre turn's group 1): every point of a box up to 2 s
  // across lies within s of a side, and the diagonal alone missed the
  // corners the diagonal runs away from (a triangular innermost loop's
  // acute corner).
  int group = 2;
  if (layout.levels.size() >= 2)
    for (const COffsetLoop* loop : *layout.levels.back()) {
      double b[4] = {1e300, 1e300, -1e300, -1e300};
      for (const CLoopElement* e : loop->elements) {
        const XtGePoint2d& p = e->startPoint();
        b[0] = std::min(b[0], p.x), b[1] = std::min(b[1], p.y), b[2] = std::max(b[2], p.x), b[3] = std::max(b[3], p.y);
      }
      const XtGePoint2d corners[4] = {{b[0], b[1]}, {b[2], b[1]}, {b[2], b[3]}, {b[0], b[3]}};
      options.allowances.push_back({corners[0], corners[2], s, 0.75 * s, true, "centre", group});
      for (int k = 0; k < 4; ++k)
        options.allowances.push_back({corners[k], corners[(k + 1) % 4], s, 0.75 * s, true, "centre", group});
      ++group;
    }
  // The centre turn: the stretch the spiral lays where the in-run becomes
  // the out-run (its edges flagged), a hairpin round what is left at the
  // centre: within it the pipe may come down to s/2 (both samples on it).
  CFloorHeatingCurve::PtrVector curves;
  for (const COffsetEdge* e : layout.edges) {
    if ((e->flags & kEdgeCentreTurn) == 0 || !offsetEdgePathAlongLoop(e, curves)) continue;
    for (const auto& curve : curves) {
      Piece piece;
      if (!pieceOf(*curve, piece)) continue;
      // An arc by its chord, the reach grown by its sagitta.
      const double sagitta = piece.isArc ? piece.radius * (1.0 - std::cos(0.5 * std::fabs(piece.sweep))) : 0.0;
      options.allowances.push_back({piece.start, piece.end, 0.01 * s + sagitta, 0.5 * s, true, "centre turn", 1});
    }
  }
  // The pipe ends: supply and return leave them at the ends' own pitch, and
  // where one run turns a corner of the first loop within s of the ends,
  // its stretch beyond the first (last) s comes back within s of the other
  // end; round a corner of 60 degrees or more (sharper tips are cut) no
  // nearer than s/2.
  const COffsetNode* in = leadTop(layout.firstEdge, true);
  const COffsetNode* out = leadTop(layout.lastEdge, false);
  if (in != nullptr && out != nullptr) allow(in->point, out->point, s, 0.5 * s, true, "pipe ends");
  for (const Band& band : zone.bands) allow(band.edge.start, band.edge.end, band.width, 0.5 * s, false, "band");
}

}  // namespace layout_check
