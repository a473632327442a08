// Linking the kept parts of a trimmed offset into chains: where several
// kept parts meet at one node (two strands crossing or touching), each
// incoming part is paired with an outgoing one so that the chains do not
// cross there.
#pragma once

#include "platform/ge/internal/GeOffsetTrim.h"

#include <vector>

namespace GeKernel {

struct OffsetChain {
  std::vector<int> edges;  // indices into OffsetGraph::edges, in order of travel
  bool closed = false;
  // The chain passes a node where strands crossing or touching were paired.
  bool passesPairedNode = false;
};

// The usual probe length of ChainOptions, as a share of |d|.
inline constexpr double kProbeShare = 0.1;

struct ChainOptions {
  // Length along the parts at which their directions are compared where
  // several meet; shorter for short parts.
  double probe = 0.0;
  // Closed path: chains left open are joined end to start across gaps up
  // to glueGap, and those still open are dropped.
  bool closedPath = false;
  double glueGap = 0.0;
};

// Closed chains start at their lowest edge; the chains come ordered by
// their first edges.
void linkKeptEdges(const OffsetGraph& graph, const std::vector<OffsetPiece>& candidates,
                   const ChainOptions& options, std::vector<OffsetChain>& chains);

// The pieces of a chain: a run of edges along one candidate becomes one
// piece; pieces not longer than res are dropped. sources, when given,
// receives the candidate of each piece.
OffsetResult resultOfChain(const OffsetChain& chain, const OffsetGraph& graph,
                           const std::vector<OffsetPiece>& candidates, double res,
                           std::vector<int>* sources = nullptr);

}  // namespace GeKernel
