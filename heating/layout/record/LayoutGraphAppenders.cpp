// The appenders of the circuit layout's offset graph.
#include "heating/layout/record/CFHCircuitLayout.h"

#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetNode.h"

#include <memory>

namespace {

enum class NewNodeIs { kEndB, kEndA };

// Stores the new node and then an edge between it and `other` (the node as
// end b when appending, as end a when prepending) in the layout's vectors.
// Room is made first, so that nothing is left half stored when an
// allocation fails.
COffsetNode* storeNodeAndEdge(std::vector<COffsetNode*>& nodes, std::vector<COffsetEdge*>& edges,
                              std::unique_ptr<COffsetNode> node, NewNodeIs place, COffsetNode* other,
                              std::uint8_t direction, bool crossesOwners) {
  nodes.reserve(nodes.size() + 1);
  edges.reserve(edges.size() + 1);
  COffsetNode* made = node.get();
  std::unique_ptr<COffsetEdge> edge =
      place == NewNodeIs::kEndB ? COffsetEdge::COffsetEdgeFromNodes(other, made, direction, crossesOwners)
                                : COffsetEdge::COffsetEdgeFromNodes(made, other, direction, crossesOwners);
  nodes.push_back(node.release());
  edges.push_back(edge.release());
  return made;
}

std::unique_ptr<COffsetNode> nodeWithLinks(const XtGePoint2d& point, const std::vector<CLoopElement*>& links,
                                           COffsetLoop* loop) {
  CLoopPoint at(point);
  for (CLoopElement* link : links) at.addLink(link);
  return std::make_unique<COffsetNode>(at, loop);
}

std::unique_ptr<COffsetNode> nodeOnSection(const XtGePoint2d& point, COffsetSection* section, COffsetLoop* loop) {
  return std::make_unique<COffsetNode>(point, section, loop);
}

}  // namespace

COffsetNode* CFHCircuitLayout::appendNodeOnLoop(COffsetNode* from, const XtGePoint2d& point,
                                                const std::vector<CLoopElement*>& links, COffsetLoop* loop,
                                                std::uint8_t direction, bool crossesOwners) {
  return storeNodeAndEdge(nodes, edges, nodeWithLinks(point, links, loop), NewNodeIs::kEndB, from, direction,
                          crossesOwners);
}

COffsetNode* CFHCircuitLayout::appendNodeOnLoopAt(COffsetNode* from, const CLoopPoint& loopPoint, COffsetLoop* loop,
                                                  std::uint8_t direction) {
  return storeNodeAndEdge(nodes, edges, std::make_unique<COffsetNode>(loopPoint, loop), NewNodeIs::kEndB, from,
                          direction, false);
}

COffsetNode* CFHCircuitLayout::appendNodeOnSection(COffsetNode* from, const XtGePoint2d& point,
                                                   COffsetSection* section, COffsetLoop* loop,
                                                   std::uint8_t direction) {
  return storeNodeAndEdge(nodes, edges, nodeOnSection(point, section, loop), NewNodeIs::kEndB, from, direction,
                          false);
}

COffsetNode* CFHCircuitLayout::prependNodeOnLoop(COffsetNode* to, const XtGePoint2d& point,
                                                 const std::vector<CLoopElement*>& links, COffsetLoop* loop,
                                                 std::uint8_t direction) {
  return storeNodeAndEdge(nodes, edges, nodeWithLinks(point, links, loop), NewNodeIs::kEndA, to, direction, false);
}

COffsetNode* CFHCircuitLayout::prependNodeOnLoopAt(COffsetNode* to, const CLoopPoint& loopPoint, COffsetLoop* loop,
                                                   std::uint8_t direction) {
  return storeNodeAndEdge(nodes, edges, std::make_unique<COffsetNode>(loopPoint, loop), NewNodeIs::kEndA, to,
                          direction, false);
}

COffsetNode* CFHCircuitLayout::prependNodeOnSection(COffsetNode* to, const XtGePoint2d& point,
                                                    COffsetSection* section, COffsetLoop* loop,
                                                    std::uint8_t direction) {
  return storeNodeAndEdge(nodes, edges, nodeOnSection(point, section, loop), NewNodeIs::kEndA, to, direction, false);
}
