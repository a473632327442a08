#include "heating/layout/offsets/COffsetNode.h"

#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetSection.h"

#include <algorithm>

COffsetNode::COffsetNode(const XtGePoint2d& p, const std::vector<COffsetSection*>& sections, COffsetLoop* owner)
    : owner(owner) {
  point = p;
  for (COffsetSection* section : sections) COffsetNode::addSection(section);
}

COffsetNode::COffsetNode(const XtGePoint2d& p, COffsetSection* section, COffsetLoop* owner) : owner(owner) {
  point = p;
  COffsetNode::addSection(section);
}

COffsetNode::COffsetNode(const CLoopPoint& at, COffsetLoop* owner) : owner(owner) {
  point = at.point;
  for (CLoopElement* link : at.links()) {
    if (auto* section = dynamic_cast<COffsetSection*>(link))
      COffsetNode::addSection(section);
    else
      addLink(link);
  }
}

COffsetNode::~COffsetNode() {
  for (COffsetEdge* edge : edges) {
    if (edge == nullptr) continue;
    if (edge->a == this) edge->a = nullptr;
    if (edge->b == this) edge->b = nullptr;
  }
}

void COffsetNode::clearLinks() {
  for (CLoopElement* link : links_)
    if (auto* section = dynamic_cast<COffsetSection*>(link)) section->removeNode(this);
  links_.clear();
}

void COffsetNode::addSection(COffsetSection* section) {
  if (section == nullptr) return;
  addLink(section);
  section->insertNode(this);
}

void COffsetNode::removeSection(COffsetSection* section) {
  if (section == nullptr || !hasLink(section)) return;
  section->removeNode(this);
  removeLink(section);
}

COffsetEdge* COffsetNode::otherEdgeIfUnique(const COffsetEdge* edge) const {
  if (edges.size() != 2) return nullptr;
  if (edges[0] == edge) return edges[1] != edge ? edges[1] : nullptr;
  if (edges[1] == edge) return edges[0];
  return nullptr;
}

void COffsetNode::replaceEdge(const COffsetEdge* old, COffsetEdge* replacement) {
  const auto it = std::find(edges.begin(), edges.end(), old);
  if (it != edges.end()) *it = replacement;
}
