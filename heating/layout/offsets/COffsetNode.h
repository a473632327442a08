// A node of the offset graph: a point on an offset loop (or a free point of a
// straight connection) where edges of the pipe path meet.
//
// Links: the inherited links hold the COffsetSections the node lies on.
// addSection and removeSection keep each section's node list in step with
// them, and clearLinks (overridden) takes the node out of every linked
// section's list before emptying the links. The plain addLink and
// removeLink of CLoopPoint do not touch the sections.
//
// Ownership: the owner loop, the sections and the edges are only pointed
// to. Nodes belong to the circuit layout, which deletes its edges first
// (deleteOffsetEdgesAndClear) and its nodes after them. A node deleted while
// edges still hold it sets their ends to none, so no edge points to a dead
// node; it does not touch its sections, which may be gone already (the
// layout frees its levels before its nodes).
//
// Nodes are not copied: edges and sections refer to them by address.
#pragma once

#include "heating/layout/offsets/COffsetPoint.h"

#include <vector>

class COffsetLoop;
class COffsetSection;
struct COffsetEdge;

struct COffsetNode : public COffsetPoint {
  // An empty point, no links, no owner, no edges.
  COffsetNode() = default;
  // The point on every given section (addSection each) of the owner loop.
  COffsetNode(const XtGePoint2d& p, const std::vector<COffsetSection*>& sections, COffsetLoop* owner);
  // The point on one section (none when null) of the owner loop.
  COffsetNode(const XtGePoint2d& p, COffsetSection* section, COffsetLoop* owner);
  // The point with the links of a loop point: each link that is a section
  // through addSection, any other element as a plain link.
  COffsetNode(const CLoopPoint& at, COffsetLoop* owner);
  // Every edge whose end a or b is this node gets that end set to none;
  // the edges themselves stay.
  ~COffsetNode() override;
  COffsetNode(const COffsetNode&) = delete;
  COffsetNode& operator=(const COffsetNode&) = delete;

  // Takes the node out of every linked section's node list, then empties
  // the links.
  void clearLinks() override;
  // Nothing for null; links the section unless linked already, then puts
  // the node into the section's node list (COffsetSection::insertNode).
  virtual void addSection(COffsetSection* section);
  // When the section is linked: takes the node out of its node list and
  // the section out of the links.
  virtual void removeSection(COffsetSection* section);

  // The other edge when the edge list holds `edge` and exactly one other;
  // otherwise none.
  COffsetEdge* otherEdgeIfUnique(const COffsetEdge* edge) const;
  // Puts `replacement` in the place of the first occurrence of `old` in the
  // edge list; nothing else changes.
  void replaceEdge(const COffsetEdge* old, COffsetEdge* replacement);

  // The loop the node lies on; none for a node on no loop.
  COffsetLoop* owner = nullptr;
  // The edges that end at this node.
  std::vector<COffsetEdge*> edges;
};
