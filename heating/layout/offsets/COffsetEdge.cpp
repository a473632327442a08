#include "heating/layout/offsets/COffsetEdge.h"

#include "heating/layout/offsets/COffsetNode.h"

#include <algorithm>

namespace {

void eraseFirst(std::vector<COffsetEdge*>& edges, const COffsetEdge* edge) {
  const auto it = std::find(edges.begin(), edges.end(), edge);
  if (it != edges.end()) edges.erase(it);
}

}  // namespace

COffsetEdge::COffsetEdge(COffsetNode* a, COffsetNode* b, std::uint8_t direction, bool force)
    : a(a), b(b), direction(direction) {
  if (a != nullptr) a->edges.push_back(this);
  if (b != nullptr) b->edges.push_back(this);
  crossesOwners = (a == nullptr || b == nullptr || force || a->owner != b->owner) ? 1 : 0;
}

COffsetEdge::COffsetEdge(const XtGePoint2d& pa, const XtGePoint2d& pb, std::vector<COffsetNode*>& nodes)
    : crossesOwners(1) {
  nodes.reserve(nodes.size() + 2);
  a = new COffsetNode(pa, static_cast<COffsetSection*>(nullptr), nullptr);
  nodes.push_back(a);
  b = new COffsetNode(pb, static_cast<COffsetSection*>(nullptr), nullptr);
  nodes.push_back(b);
  a->edges.push_back(this);
  b->edges.push_back(this);
}

COffsetEdge::COffsetEdge(const XtGePoint2d& pa, const CLoopPoint& pb, COffsetLoop* owner,
                         std::vector<COffsetNode*>& nodes)
    : crossesOwners(1) {
  nodes.reserve(nodes.size() + 2);
  a = new COffsetNode(pa, static_cast<COffsetSection*>(nullptr), nullptr);
  nodes.push_back(a);
  b = new COffsetNode(pb, owner);
  nodes.push_back(b);
  a->edges.push_back(this);
  b->edges.push_back(this);
}

COffsetEdge::COffsetEdge(const CLoopPoint& pa, COffsetLoop* owner, const XtGePoint2d& pb,
                         std::vector<COffsetNode*>& nodes)
    : crossesOwners(1) {
  nodes.reserve(nodes.size() + 2);
  a = new COffsetNode(pa, owner);
  nodes.push_back(a);
  b = new COffsetNode(pb, static_cast<COffsetSection*>(nullptr), nullptr);
  nodes.push_back(b);
  a->edges.push_back(this);
  b->edges.push_back(this);
}

std::unique_ptr<COffsetEdge> COffsetEdge::COffsetEdgeFromNodes(COffsetNode* a, COffsetNode* b,
                                                               std::uint8_t direction, bool force) {
  return std::make_unique<COffsetEdge>(a, b, direction, force);
}

void COffsetEdge::unlink() {
  if (a != nullptr) eraseFirst(a->edges, this);
  if (b != nullptr) eraseFirst(b->edges, this);
}

COffsetNode* COffsetEdge::otherNode(const COffsetNode* node) const {
  if (node == nullptr) return nullptr;
  if (node == a) return b;
  if (node == b) return a;
  return nullptr;
}

COffsetEdge* COffsetEdge::splitAt(COffsetNode* nodeB, COffsetNode* nodeA, std::vector<COffsetEdge*>& edges) {
  COffsetNode* oldA = a;
  if (oldA == nullptr || nodeB == nullptr || nodeA == nullptr) return nullptr;
  edges.reserve(edges.size() + 1);
  nodeA->edges.reserve(nodeA->edges.size() + 1);
  std::unique_ptr<COffsetEdge> first = COffsetEdgeFromNodes(oldA, nodeB, direction, false);
  first->crossesOwners = crossesOwners;
  eraseFirst(oldA->edges, this);
  a = nodeA;
  nodeA->edges.push_back(this);
  edges.push_back(first.get());
  return first.release();
}
