// An edge of the offset graph: the pipe path between two nodes. An edge
// whose nodes lie on one offset loop stands for the way along that loop
// (direction 1 with the loop's section order, 0 against it); an edge whose
// nodes lie on different loops, or on none, stands for a straight connection
// (crossesOwners set).
//
// Ownership: an edge only points to its nodes; the circuit layout owns both
// and deletes its edges (deleteOffsetEdgesAndClear, which unlinks each) before
// its nodes. The constructors that make their own nodes append them to the
// caller's node list, which owns them from then on. An end may become none
// when its node is deleted first (see COffsetNode).
//
// Edges are not copied: nodes refer to them by address.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ge/XtGePoint2d.h"

class CLoopPoint;
class COffsetLoop;
struct COffsetNode;

// The flag bits of an edge. The first three are set only by the single run
// of connection mode 1 and read by the circuit path; the fourth marks the
// edges the spiral lays at its centre, where the in-run turns into the
// out-run, and the fifth the edges of its level steps, where a run crosses
// the other run's loop onto its next one (both read by the spiral's own
// checks and the layout tests; the drawing passes them over).
inline constexpr std::uint32_t kEdgeSupplyRun = 1;    // the supply run
inline constexpr std::uint32_t kEdgeReturnRun = 2;    // the return run (side 0 of the circuit)
inline constexpr std::uint32_t kEdgeNotDrawn = 4;     // the jump between the runs
inline constexpr std::uint32_t kEdgeCentreTurn = 8;   // the spiral's centre turn
inline constexpr std::uint32_t kEdgeLevelStep = 16;   // a spiral run's step two levels inward

struct COffsetEdge {
  // No ends, direction 1, no flags.
  COffsetEdge() = default;
  // From the nodes a and b (either may be none): the edge is appended to the
  // edge list of each present end. crossesOwners is set when an end is
  // missing or `force` is set, else exactly when the two owners differ.
  COffsetEdge(COffsetNode* a, COffsetNode* b, std::uint8_t direction, bool force);
  // Two new nodes at the points (no section, no owner), appended to `nodes`;
  // direction 1, crossesOwners set.
  COffsetEdge(const XtGePoint2d& a, const XtGePoint2d& b, std::vector<COffsetNode*>& nodes);
  // End a a new plain node at the point, end b a new node at the loop point
  // with its links (sections through addSection) on the owner loop; both
  // appended to `nodes` (a first). Direction 1, crossesOwners set.
  COffsetEdge(const XtGePoint2d& a, const CLoopPoint& b, COffsetLoop* owner, std::vector<COffsetNode*>& nodes);
  // The mirror: end a from the loop point on the owner loop, end b plain.
  COffsetEdge(const CLoopPoint& a, COffsetLoop* owner, const XtGePoint2d& b, std::vector<COffsetNode*>& nodes);
  COffsetEdge(const COffsetEdge&) = delete;
  COffsetEdge& operator=(const COffsetEdge&) = delete;

  // A new edge over two nodes, as the node constructor above.
  static std::unique_ptr<COffsetEdge> COffsetEdgeFromNodes(COffsetNode* a, COffsetNode* b, std::uint8_t direction,
                                                           bool force);

  // Takes the edge out of the edge lists of both its ends (the first
  // occurrence in each); the ends stay set.
  void unlink();
  // ORs the bits into the flags.
  void setFlags(std::uint32_t bits) { flags |= bits; }
  int isFlag2Set() const { return (flags & kEdgeReturnRun) != 0 ? 1 : 0; }
  int isFlag4Set() const { return (flags & kEdgeNotDrawn) != 0 ? 1 : 0; }
  // End b for end a, end a for end b, none for a node that is neither (or
  // for none).
  COffsetNode* otherNode(const COffsetNode* node) const;
  // Inserts nodes into the edge: a new edge from this edge's end a to `b`
  // (this edge's direction and crossesOwners) is appended to `edges`, and
  // this edge leaves its end a's edge list, takes `a` as its end a and joins
  // a's list. So a0 -> b0 becomes a0 -> b ... a -> b0; passing one node as
  // both inserts it. The new edge, or none (nothing changed) when an end or
  // a node is missing.
  COffsetEdge* splitAt(COffsetNode* b, COffsetNode* a, std::vector<COffsetEdge*>& edges);

  COffsetNode* a = nullptr;
  COffsetNode* b = nullptr;
  std::uint8_t direction = 1;
  std::uint32_t flags = 0;
  std::uint8_t crossesOwners = 0;
};
