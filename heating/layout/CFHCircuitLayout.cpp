#include "heating/layout/CFHCircuitLayout.h"

#include "heating/layout/CFHCircuitSegment.h"
#include "heating/layout/CFHPipeEnd.h"
#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetLoop.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/DeleteAndClear.h"

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

void deleteCircuitLayoutsAndClear(std::vector<CFHCircuitLayout*>& layouts) {
  for (CFHCircuitLayout*& layout : layouts) {
    if (layout == nullptr) continue;
    layout->clear();
    delete layout;
    layout = nullptr;
  }
  layouts.clear();
}
