#include "heating/layout/offsets/COffsetSection.h"

#include "heating/layout/offsets/COffsetNode.h"

#include "geometry/Tolerances.h"

#include <algorithm>

bool COffsetSection::hasNode(const COffsetNode* node) const {
  return std::find(nodes.begin(), nodes.end(), node) != nodes.end();
}

bool COffsetSection::insertNode(COffsetNode* node) {
  if (node == nullptr || !node->hasLink(this)) return false;
  if (hasNode(node)) return true;
  if (curve == nullptr) {
    nodes.push_back(node);
    return true;
  }
  const XtGeCurve2d& geCurve = curve->geCurve();
  const double p = geCurve.paramOf(node->point, workTolFine);
  const auto after = std::find_if(nodes.begin(), nodes.end(), [&](const COffsetNode* listed) {
    return geCurve.paramOf(listed->point, workTolFine) > p;
  });
  nodes.insert(after, node);
  return true;
}

bool COffsetSection::removeNode(const COffsetNode* node) {
  const auto it = std::find(nodes.begin(), nodes.end(), node);
  if (it == nodes.end()) return false;
  nodes.erase(it);
  return true;
}
