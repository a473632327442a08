#include "heating/layout/record/OffsetGraphQueries.h"

#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/record/LoopBridges.h"

#include "geometry/Tolerances.h"

#include <algorithm>

namespace {

// The first node of the section met when walking in the direction (walking
// backward meets its nodes from the last one) that is not at `at` (tol).
// With `limit`, only nodes beyond that parameter in the walking direction
// count (those a walk from a point at `limit` meets first).
COffsetNode* firstNodeMet(const COffsetSection& section, bool forward, const XtGePoint2d& at, const XtGeTol& tol,
                          const double* limit) {
  const XtGeCurve2d* curve = section.hasCurve() ? &section.curve->geCurve() : nullptr;
  auto qualifies = [&](const COffsetNode* n) {
    if (n == nullptr || n->point.isEqualTo(at, tol)) return false;
    if (limit == nullptr || curve == nullptr) return true;
    const double t = curve->paramOf(n->point, workTolFine);
    return forward ? t > *limit : t < *limit;
  };
  if (forward) {
    const auto it = std::find_if(section.nodes.begin(), section.nodes.end(), qualifies);
    return it != section.nodes.end() ? *it : nullptr;
  }
  const auto it = std::find_if(section.nodes.rbegin(), section.nodes.rend(), qualifies);
  return it != section.nodes.rend() ? *it : nullptr;
}

COffsetEdge* uniqueEdgeWithEnd(const COffsetNode& node, bool atB) {
  COffsetEdge* found = nullptr;
  for (COffsetEdge* edge : node.edges) {
    if (edge == nullptr || (atB ? edge->b : edge->a) != &node) continue;
    if (found != nullptr) return nullptr;
    found = edge;
  }
  return found;
}

}  // namespace

COffsetNode* nextNodeOnLoop(const COffsetLoop& loop, const COffsetNode& node, std::uint8_t direction,
                            const XtGeTol& tol) {
  const bool forward = direction != 0;
  const int s = loop.indexOf(node.outgoingLink(forward, tol));
  if (s < 0) return nullptr;
  const COffsetSection& start = *loop.section(s);
  if (start.hasCurve()) {
    const double t = start.curve->geCurve().paramOf(node.point, workTolFine);
    if (COffsetNode* next = firstNodeMet(start, forward, node.point, tol, &t)) return next;
  }
  // The other sections in walking order, each at most once.
  for (int i = forward ? loop.nextIndex(s) : loop.previousIndex(s); i != s;
       i = forward ? loop.nextIndex(i) : loop.previousIndex(i))
    if (COffsetNode* next = firstNodeMet(*loop.section(i), forward, node.point, tol, nullptr)) return next;
  // Round the loop: what lies on S beyond the node's side.
  return firstNodeMet(start, forward, node.point, tol, nullptr);
}

COffsetEdge* incomingEdgeIfUnique(const COffsetNode& node) { return uniqueEdgeWithEnd(node, true); }

COffsetEdge* outgoingEdgeIfUnique(const COffsetNode& node) { return uniqueEdgeWithEnd(node, false); }

void removeEdgeFromNode(COffsetNode& node, const COffsetEdge* edge) {
  const auto it = std::find(node.edges.begin(), node.edges.end(), edge);
  if (it != node.edges.end()) node.edges.erase(it);
}

bool nodeInnerCorner(const COffsetLoop& inner, const COffsetNode& node, COffsetSection*& innerPrevious,
                     COffsetSection*& innerNext) {
  const COffsetLoop* outer = node.owner;
  if (outer == nullptr) return false;
  int first = outer->indexOf(node.incomingLink(true, workTol));
  int second = outer->indexOf(node.outgoingLink(true, workTol));
  if (first < 0 || second < 0 || !outer->section(first)->hasCurve()) return false;
  if (first == second) {
    const CFloorHeatingCurve& curve = *outer->section(first)->curve;
    if (curve.lengthBetween(node.point, curve.endPoint()) > curve.lengthBetween(curve.startPoint(), node.point))
      second = outer->nextIndex(first);
    else
      first = outer->previousIndex(second);
  }
  return nearestInnerCorner(inner, *outer->section(first), *outer->section(second), innerPrevious, innerNext);
}
