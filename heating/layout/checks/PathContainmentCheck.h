// Whether the pieces a circuit's path lays in one zone stay inside the
// zone's outline: no point of a run lies outside the loop by more than the
// tolerance. The leads (to and from a pipe end, which may lie beyond the
// wall, along the distribution pipe) and the links through the wall to the
// next zone of the circuit are not runs and are not looked at.
//
// Each run piece is split where it meets the loop (exactly, with every line
// and arc of the loop whose box it reaches); each stretch between two such
// places lies wholly on one side, and its middle point is placed by the
// loop's own point classification (CLoop::classifyPoint, on the loop within
// the tolerance). A piece that meets the loop nowhere lies on the side the
// piece before it ended on, when it starts where that one ended.
//
// Bounds: a piece met more often than kMaxMeetings times is split into
// kMaxMeetings equal stretches instead; the loop's pieces beyond
// kMaxLoopPieces are not taken (setLoop answers false). A query allocates
// nothing.
//
// Threads: one object per thread; the loop must not change while it is used.
#pragma once

#include "heating/layout/checks/LaidPathPiece.h"

#include "heating/curves/CLoop.h"

#include "platform/ge/XtGeTol.h"

#include <cstdint>
#include <vector>

class PathContainmentCheck {
 public:
  static constexpr int kMaxMeetings = 64;
  static constexpr std::size_t kMaxLoopPieces = 1u << 16;

  // Takes the loop's lines and arcs (pieces of other kinds as the line
  // between their ends). False when the loop has none or more than
  // kMaxLoopPieces: then every run counts as outside.
  bool setLoop(const CLoop& loop, const XtGeTol& tol);
  // Whether any run piece of the zone leaves the loop by more than the
  // tolerance (pieces of other zones and other parts are passed over).
  bool leaves(const std::vector<LaidPathPiece>& pieces, std::uint32_t zone) const;

 private:
  struct LoopPiece {
    PathPiece geometry;
    double box[4];
  };
  // The position of the point against the loop: CLoop::kInside, kOutside or
  // kOnLoop.
  int positionOf(const XtGePoint2d& p) const;

  const CLoop* loop_ = nullptr;
  XtGeTol tol_;
  std::vector<LoopPiece> pieces_;
  bool usable_ = false;
};
