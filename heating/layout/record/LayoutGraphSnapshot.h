// A copy by value of a layout's offset graph (its nodes with their points,
// links and owners, its edges with their ends, directions, flags and
// crossing bytes, the order of every node's edge list, firstEdge and
// lastEdge), so that a step may be laid, judged and taken back: restore()
// deletes the graph as it stands and makes it again from the copy.
//
// Node pointers that callers hold must be turned into indices before the
// restore and back after it (indexOf, node). The loops the nodes lie on are
// not copied: the graph must not have split or replaced them in between.
//
// Threads: the layout's thread.
#pragma once

#include "heating/curves/CLoopPoint.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct CFHCircuitLayout;
struct COffsetNode;
class COffsetLoop;

class LayoutGraphSnapshot {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  void take(const CFHCircuitLayout& layout);
  void restore(CFHCircuitLayout& layout) const;
  // The node's position in the layout's node list when the copy was taken
  // (kNone for none or a node not in it).
  std::size_t indexOf(const COffsetNode* node) const;
  // The layout's node at that position (after a restore), or none.
  static COffsetNode* node(const CFHCircuitLayout& layout, std::size_t index);
  std::size_t edgeCount() const { return edges_.size(); }

 private:
  struct Node {
    CLoopPoint at;
    COffsetLoop* owner = nullptr;
    std::vector<std::size_t> edges;
  };
  struct Edge {
    std::size_t a = kNone;
    std::size_t b = kNone;
    std::uint8_t direction = 1;
    std::uint32_t flags = 0;
    std::uint8_t crossesOwners = 0;
  };
  std::vector<Node> nodes_;
  std::vector<Edge> edges_;
  std::vector<const COffsetNode*> nodePointers_;
  std::size_t firstEdge_ = kNone;
  std::size_t lastEdge_ = kNone;
};
