// A laid meander's path for the steps that make it keep its spacing
// (MeanderPockets.h, MeanderHairpins.h) and cover its zone (MeanderDetours.h):
// the path from firstEdge to lastEdge as pipe pieces, walks along the first
// offset loop and legs along the runs told apart, and the one edit they
// make: a stretch of the path replaced by a straight connector, a straight
// polyline, or the way along the first loop.
//
// An edge walks when it is an edge along the first offset loop (not
// straight, owner the first loop); it is a leg when it is straight and runs
// within 1e-6 (sine) of the runs' direction. The leads (firstEdge, lastEdge)
// are neither and are never edited.
//
// Ownership: edges and nodes made are the layout's (its vectors); those an
// edit takes out of the path are unlinked at once and deleted by purge(),
// which the owner calls when the edits are done. Bounds: every walk along
// the path passes each edge at most once. Threads: the layout's design
// thread.
#pragma once

#include "heating/layout/meander/MeanderPipeSpacing.h"

#include <cstdint>
#include <unordered_set>
#include <vector>

class COffsetLoop;
struct CFHCircuitLayout;
struct COffsetEdge;
struct COffsetNode;

class MeanderPath {
 public:
  // The layout's path around its first offset loop; runDirection any length.
  MeanderPath(CFHCircuitLayout& layout, const COffsetLoop& firstLoop, const XtGeVector2d& runDirection, double s,
              const meander_spacing::Narrowings& narrowings);
  ~MeanderPath();
  MeanderPath(const MeanderPath&) = delete;
  MeanderPath& operator=(const MeanderPath&) = delete;

  // Whether the path can be edited: a run direction and a finite spacing.
  bool usable() const;
  double s() const { return s_; }
  double step() const { return step_; }
  // Square to the runs.
  XtGeVector2d across() const { return run_.perpVector(); }
  const meander_spacing::SpacingRule& rule() const { return rule_; }
  const COffsetLoop& loop() const { return loop_; }

  // The edges from firstEdge to lastEdge; false when they make no path.
  bool edges(std::vector<COffsetEdge*>& path) const;
  bool isWalk(const COffsetEdge& edge) const;
  bool isLeg(const COffsetEdge& edge) const;
  static COffsetEdge* outgoing(const COffsetNode& node);
  static COffsetEdge* next(const COffsetEdge& edge);

  // The pieces of the walk edges from `first` on, with the leg `before`
  // ahead of them and the leg `after` behind them (either may be none).
  meander_spacing::PipeStretch stretchOf(COffsetEdge* before, COffsetEdge* first, COffsetEdge* after) const;
  // The pieces of the whole path, kept until the next shortcut.
  const meander_spacing::PipeStretch& whole() const;
  // The head and the tail of the whole path: s beyond its leads (its first
  // and last pieces).
  meander_spacing::PipeEnds endsOf(const meander_spacing::PipeStretch& whole) const;

  // The edges of the path that hold a point too near another point, of
  // pairs with a walk piece (none when the path keeps its spacing).
  std::unordered_set<const COffsetEdge*> edgesTooNear() const;
  // The distance of the nearest of those pairs (infinity for none).
  double nearestTooNear() const;
  // The sharpest corner between two pieces of the path one after the other
  // (the angle between the way it came and the way it goes on, pi for
  // none; pieces of no length passed over).
  double sharpestCorner() const;

  // Whether the straight connector from p to q lies within the first
  // loop's area (its samples every s/8 not outside the loop).
  bool connectorWithin(const XtGePoint2d& p, const XtGePoint2d& q) const;

  // Replaces the path from the length t1 to t2 along the stretch by a
  // straight connector: nodes at both lengths (an edge's end, or a node
  // that splits the edge: on the first loop for a walk, plain otherwise),
  // the edges between taken out with their nodes. The connector's end
  // node, or none when nothing changed.
  COffsetNode* shortcut(const meander_spacing::PipeStretch& stretch, double t1, double t2);
  // The same with a straight polyline through the `via` points in place of
  // the connector (each a plain node, no loop).
  COffsetNode* detour(const meander_spacing::PipeStretch& stretch, double t1, double t2,
                      const std::vector<XtGePoint2d>& via);

  // The same with the way along the first loop (in the direction given)
  // in place of the connector, for two places on the loop (nodes on it, or
  // points of walk edges). None, nothing changed, when either is not.
  COffsetNode* rewalk(const meander_spacing::PipeStretch& stretch, double t1, double t2, std::uint8_t direction);

  // Deletes what the shortcuts took out.
  void purge();

 private:
  COffsetNode* nodeAt(const meander_spacing::PipeStretch& stretch, double t);

  CFHCircuitLayout& layout_;
  const COffsetLoop& loop_;
  XtGeVector2d run_;
  double s_;
  double step_;
  meander_spacing::SpacingRule rule_;
  // The vertices of a walk edge's path, reused.
  mutable std::vector<XtGePoint2d> points_;
  mutable meander_spacing::PipeStretch whole_;
  mutable bool wholeKept_ = false;
  std::unordered_set<COffsetEdge*> doomedEdges_;
  std::unordered_set<COffsetNode*> doomedNodes_;
};
