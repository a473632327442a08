#include "heating/layout/record/CFHCircuitLayout.h"

#include "heating/layout/record/CFHCircuitSegment.h"
#include "heating/layout/record/CFHPipeEnd.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/offsets/DeleteAndClear.h"
#include "heating/layout/record/OffsetGraphQueries.h"

#include <algorithm>

CFHCircuitLayout::CFHCircuitLayout(double firstOffset, double spacing, double runDistance)
    : firstOffset(firstOffset), spacing(spacing), runDistance(runDistance) {}

CFHCircuitLayout::~CFHCircuitLayout() { clear(); }

void CFHCircuitLayout::deleteGraph() {
  deleteOffsetEdgesAndClear(edges);
  deleteOffsetNodesAndClear(nodes);
  firstEdge = nullptr;
  lastEdge = nullptr;
}

void CFHCircuitLayout::clear() {
  clearSegments();
  deleteGraph();
  deleteCircuitLayoutsAndClear(subAreas);
  deleteLoopListsAndClear(levels);
  deleteOffsetLoopsAndFree(handedOverLoops);
  std::vector<Level*>().swap(levels);
  std::vector<COffsetEdge*>().swap(edges);
  std::vector<COffsetNode*>().swap(nodes);
  std::vector<CFHCircuitLayout*>().swap(subAreas);
  std::vector<CFHPipeEnd*>().swap(pipeEnds);
  std::vector<CFHCircuitSegment*>().swap(segments);
}

void CFHCircuitLayout::clearSegments() {
  for (CFHCircuitSegment* segment : segments) delete segment;
  segments.clear();
  deleteZoneRecordsAndClear(pipeEnds);
}

void CFHCircuitLayout::clearOffsetLoops() {
  if (!edges.empty() || !nodes.empty()) deleteGraph();
  deleteLoopListsAndClear(levels);
  deleteOffsetLoopsAndFree(handedOverLoops);
}

COffsetLoop* CFHCircuitLayout::firstOffsetLoop() const {
  if (levels.empty() || levels.front() == nullptr || levels.front()->empty()) return nullptr;
  return levels.front()->front();
}

void CFHCircuitLayout::markAllSegments() {
  for (CFHCircuitSegment* segment : segments) {
    if (segment == nullptr) continue;
    segment->drawn = 1;
    segment->side = 1;
  }
}

bool CFHCircuitLayout::skipJoin() {
  outcome = LayoutOutcome::kLevelsOnly;
  return true;
}

COffsetNode* CFHCircuitLayout::removeDanglingNode(COffsetNode* node) {
  if (node == nullptr || node->edges.size() != 1) return node;
  COffsetEdge* edge = node->edges.front();
  if (edge == nullptr || edge == firstEdge || edge == lastEdge) return node;
  COffsetNode* other = edge->otherNode(node);
  if (other == nullptr || other == node) return node;
  const auto edgeAt = std::find(edges.begin(), edges.end(), edge);
  const auto nodeAt = std::find(nodes.begin(), nodes.end(), node);
  if (edgeAt == edges.end() || nodeAt == nodes.end()) return node;
  removeEdgeFromNode(*other, edge);
  edges.erase(edgeAt);
  nodes.erase(nodeAt);
  node->clearLinks();
  node->edges.clear();
  delete edge;
  delete node;
  return other;
}

CFHCircuitLayout::Level* CFHCircuitLayout::findLevelOfLoop(const COffsetLoop* loop, int& index) const {
  if (loop == nullptr) return nullptr;
  for (std::size_t k = 0; k < levels.size(); ++k) {
    Level* level = levels[k];
    if (level != nullptr && std::find(level->begin(), level->end(), loop) != level->end()) {
      index = static_cast<int>(k);
      return level;
    }
  }
  return nullptr;
}

void deleteCircuitLayoutsAndClear(std::vector<CFHCircuitLayout*>& layouts) {
  for (CFHCircuitLayout*& layout : layouts) {
    if (layout == nullptr) continue;
    layout->clear();
    delete layout;
    layout = nullptr;
  }
  layouts.clear();
}
