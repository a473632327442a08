#include "heating/layout/record/LayoutGraphSnapshot.h"

#include "heating/layout/record/CFHCircuitLayout.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/offsets/DeleteAndClear.h"

#include <algorithm>
#include <unordered_map>

namespace {

template <class T>
std::size_t positionIn(const std::unordered_map<const T*, std::size_t>& index, const T* item) {
  const auto it = index.find(item);
  return it == index.end() ? LayoutGraphSnapshot::kNone : it->second;
}

}  // namespace

void LayoutGraphSnapshot::take(const CFHCircuitLayout& layout) {
  std::unordered_map<const COffsetNode*, std::size_t> nodeIndex;
  std::unordered_map<const COffsetEdge*, std::size_t> edgeIndex;
  nodeIndex.reserve(layout.nodes.size());
  edgeIndex.reserve(layout.edges.size());
  for (std::size_t i = 0; i < layout.nodes.size(); ++i) nodeIndex.emplace(layout.nodes[i], i);
  for (std::size_t i = 0; i < layout.edges.size(); ++i) edgeIndex.emplace(layout.edges[i], i);
  nodes_.clear();
  edges_.clear();
  nodePointers_.assign(layout.nodes.begin(), layout.nodes.end());
  nodes_.reserve(layout.nodes.size());
  for (const COffsetNode* n : layout.nodes) {
    Node copy;
    if (n != nullptr) {
      copy.at = static_cast<const CLoopPoint&>(*n);
      copy.owner = n->owner;
      for (const COffsetEdge* e : n->edges) copy.edges.push_back(positionIn(edgeIndex, e));
    }
    nodes_.push_back(std::move(copy));
  }
  edges_.reserve(layout.edges.size());
  for (const COffsetEdge* e : layout.edges) {
    Edge copy;
    if (e != nullptr) {
      copy.a = positionIn(nodeIndex, static_cast<const COffsetNode*>(e->a));
      copy.b = positionIn(nodeIndex, static_cast<const COffsetNode*>(e->b));
      copy.direction = e->direction;
      copy.flags = e->flags;
      copy.crossesOwners = e->crossesOwners;
    }
    edges_.push_back(copy);
  }
  firstEdge_ = positionIn(edgeIndex, static_cast<const COffsetEdge*>(layout.firstEdge));
  lastEdge_ = positionIn(edgeIndex, static_cast<const COffsetEdge*>(layout.lastEdge));
}

void LayoutGraphSnapshot::restore(CFHCircuitLayout& layout) const {
  for (COffsetNode* n : layout.nodes)
    if (n != nullptr) n->clearLinks();
  deleteOffsetEdgesAndClear(layout.edges);
  deleteOffsetNodesAndClear(layout.nodes);
  layout.nodes.reserve(nodes_.size());
  for (const Node& n : nodes_) layout.nodes.push_back(new COffsetNode(n.at, n.owner));
  layout.edges.reserve(edges_.size());
  for (const Edge& e : edges_) {
    COffsetNode* a = e.a != kNone ? layout.nodes[e.a] : nullptr;
    COffsetNode* b = e.b != kNone ? layout.nodes[e.b] : nullptr;
    auto* edge = new COffsetEdge(a, b, e.direction, false);
    edge->flags = e.flags;
    edge->crossesOwners = e.crossesOwners;
    layout.edges.push_back(edge);
  }
  // The edge lists in their order as taken.
  for (std::size_t i = 0; i < nodes_.size(); ++i) {
    std::vector<COffsetEdge*>& list = layout.nodes[i]->edges;
    list.clear();
    for (const std::size_t e : nodes_[i].edges)
      if (e != kNone) list.push_back(layout.edges[e]);
  }
  layout.firstEdge = firstEdge_ != kNone ? layout.edges[firstEdge_] : nullptr;
  layout.lastEdge = lastEdge_ != kNone ? layout.edges[lastEdge_] : nullptr;
}

std::size_t LayoutGraphSnapshot::indexOf(const COffsetNode* node) const {
  if (node == nullptr) return kNone;
  const auto it = std::find(nodePointers_.begin(), nodePointers_.end(), node);
  return it == nodePointers_.end() ? kNone : static_cast<std::size_t>(it - nodePointers_.begin());
}

COffsetNode* LayoutGraphSnapshot::node(const CFHCircuitLayout& layout, std::size_t index) {
  return index < layout.nodes.size() ? layout.nodes[index] : nullptr;
}
