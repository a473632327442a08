// One piece of an offset loop: a heating curve the section owns, and the
// offset-graph nodes that lie on it.
//
// Ownership: the section owns its curve (ownsCurve is set by the
// constructors). The node list only points to nodes; they belong to the
// circuit layout and outlive the levels (the layout frees its levels first),
// so the destructor frees the list and leaves the nodes alone.
//
// Order: `nodes` is kept in ascending order of each node's parameter on the
// section's geometry curve (paramOf with workTolFine); insertNode keeps it.
#pragma once

#include "heating/curves/CLoopElement.h"

#include <vector>

struct COffsetNode;

class COffsetSection : public CLoopElement {
 public:
  // Takes the curve (may be null) and owns it; no nodes.
  explicit COffsetSection(CFloorHeatingCurve* curve) : CLoopElement(curve, true) {}
  explicit COffsetSection(CFloorHeatingCurve::Ptr curve) : CLoopElement(curve.release(), true) {}
  ~COffsetSection() override = default;

  // Puts the node into the node list at its parameter: before the first node
  // whose parameter is strictly greater, so nodes of equal parameter keep
  // the order they came in. False when the node does not name this section
  // among its links; true at once when it is listed already.
  bool insertNode(COffsetNode* node);
  // Erases the node's first occurrence; false when it is not listed.
  bool removeNode(const COffsetNode* node);
  bool hasNode(const COffsetNode* node) const;

  std::vector<COffsetNode*> nodes;
};

// A new section owning the curve.
inline COffsetSection* makeSection(CFloorHeatingCurve::Ptr curve) { return new COffsetSection(std::move(curve)); }
