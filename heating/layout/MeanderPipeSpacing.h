// The spacing of a laid meander's pipe: the pipe as straight pieces with
// their lengths along it (PipeStretch), the rule of when two points of it
// are too near (SpacingRule), and the exact search for such points between
// pieces (SpacingSearch).
//
// The rule is the meander's own promise: two points more than two spacings
// apart along the pipe lie at least s apart (less 1 %), or s/2 (less 1 %)
// when both lie in the strip of the middle gap, where the runs stacked from
// the two sides meet, or both in a border band (widened by s/2), where the
// runs across it stand s/2 apart, or s less a jog of the outline (less 1 %)
// when either lies beside the jog's walls (MeanderJogWall).
//
// The search is exact for two straight pieces: the nearest pair of their
// points that lie far enough apart along the pipe is a small convex problem
// (the squared distance over a polygon of the two pieces' parameters). A
// piece is split where it enters or leaves the middle gap's strip (exactly)
// and a band or a jog's reach (to s/8) so that each part has one threshold. Pieces are
// paired through a sweep across the runs, so that a path of n pieces costs
// about n log n when nothing is too near.
//
// Values only. Threads: any; nothing shared.
#pragma once

#include "heating/layout/LayoutSpacingRules.h"
#include "heating/layout/MeanderRuns.h"

#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

#include <cstddef>
#include <vector>

struct COffsetEdge;

namespace meander_spacing {

// Nearer than (1 - kSlack) s is too near (LayoutSpacingRules.h).
using spacing_rules::kSlack;
// A band reaches this far (in s) beyond its width: its last run stands at
// its edge, and the pipe beside that run (the walk leaving the band) is
// judged with the band.
inline constexpr double kBandMargin = 0.5;
// Lengths below kNone s count as none.
inline constexpr double kNone = 1e-6;
// The most rounds of one step that edits the path (each round looks at the
// path again after an edit).
inline constexpr int kEditRounds = 256;

// The strip of the meander's middle gap: the points whose distance from
// line 1 (through `origin`, `n` its unit normal towards line 2) lies within
// [from - s/2, to + s/2], and whose distance along the runs (along n's
// perpendicular from origin) lies within [alongFrom, alongTo]: the extent of
// the gap's two runs. Beyond their ends the pipe keeps s again.
struct GapStrip {
  XtGePoint2d origin;
  XtGeVector2d n;
  double from = 0.0;
  double to = 0.0;
  double alongFrom = -1e300;
  double alongTo = 1e300;

  double across(const XtGePoint2d& p) const { return (p - origin).dotProduct(n); }
  double along(const XtGePoint2d& p) const { return (p - origin).dotProduct(n.perpVector()); }
};

// Where the meander may come nearer than s: its middle gap (none when it
// keeps s), its border bands and the walls beside jogs (none for none).
// Not owned.
struct Narrowings {
  const GapStrip* gap = nullptr;
  const std::vector<MeanderBandEdge>* bands = nullptr;
  const std::vector<MeanderJogWall>* jogs = nullptr;
};

// One straight piece of the pipe with the edge it lies on: a piece of the
// walk along the first offset loop, a leg along a run, or neither (a turn,
// a connector, a lead); `start` is its length along the stretch.
struct PipePiece {
  XtGePoint2d a;
  XtGePoint2d b;
  COffsetEdge* edge = nullptr;
  bool walk = false;
  bool leg = false;
  double start = 0.0;
  double length = 0.0;
};

// Consecutive pieces of the pipe, in path order.
struct PipeStretch {
  std::vector<PipePiece> pieces;
  double total = 0.0;
  // The places in pieces of the leg before a walk and the leg after it,
  // or -1.
  int legBefore = -1;
  int legAfter = -1;

  void add(const XtGePoint2d& a, const XtGePoint2d& b, COffsetEdge* edge, bool walk, bool leg);
  // The piece that holds the length t (the later one at a joint).
  std::size_t pieceAt(double t) const;
  XtGePoint2d at(double t) const;
};

// Whether the path with its stretch from t1 to t2 replaced by the straight
// polyline from the point at t1 through `via` to the point at t2 turns no
// sharper than `least` (the angle between the way it came and the way it
// goes on, pi for none) at any corner of the polyline: a connector that
// folds back over the pipe just before or after it would lie over it, and
// pieces that near along the pipe are not judged for their spacing.
bool turnsNoSharperThan(const PipeStretch& pipe, double t1, double t2, const std::vector<XtGePoint2d>& via,
                        double least);

// A piece for the search: a straight segment, its length along the pipe at
// a, whether pairs with it are judged (a pair is judged when either piece
// is) and a caller's tag.
struct SpacedPiece {
  XtGePoint2d a;
  XtGePoint2d b;
  double t = 0.0;
  bool judged = false;
  std::size_t tag = 0;
};

// Appends the part of the stretch from t0 to t1 as spaced pieces, their
// lengths along the pipe shifted by `shift`, judged on walk pieces (and
// only within [judgedFrom, judgedTo] of the shifted lengths), tagged with
// their place in the stretch.
void spacedPieces(const PipeStretch& stretch, double t0, double t1, double shift, double judgedFrom,
                  double judgedTo, std::vector<SpacedPiece>& out);

class SpacingRule {
 public:
  SpacingRule(double s, const Narrowings& narrowings) : s_(s), narrowings_(narrowings) {}
  double s() const { return s_; }
  bool inGap(const XtGePoint2d& p) const;
  bool inBand(const XtGePoint2d& p) const;
  // The least distance allowed beside a jog at p (the smallest of the walls
  // it lies within reach of), 0 for none.
  double jogLeast(const XtGePoint2d& p) const;
  // Whether any narrowing is given.
  bool narrows() const;
  const Narrowings& narrowings() const { return narrowings_; }

 private:
  double s_;
  Narrowings narrowings_;
};

// The two ends of a pipe, which leave their pipe ends at the ends' own
// pitch: a point within headEnd of the pipe's start and one from tailStart
// on are never too near each other.
struct PipeEnds {
  double headEnd = -1e300;
  double tailStart = 1e300;
};

// Two points too near each other: their lengths along the pipe (t1 < t2)
// and the tags of their pieces.
struct NearPair {
  double t1 = 0.0;
  double t2 = 0.0;
  std::size_t tag1 = 0;
  std::size_t tag2 = 0;
};

// The pieces of a pipe, in path order, ready to be searched; `across` is
// any direction square to the runs (the sweep's axis).
class SpacingSearch {
 public:
  SpacingSearch(std::vector<SpacedPiece> pieces, const SpacingRule& rule, const XtGeVector2d& across,
                const PipeEnds& ends = {});

  // The earliest too-near pair (by its earlier point) of a judged pair of
  // pieces whose earlier point is not before `from`.
  bool first(double from, NearPair& near) const;
  // Whether any judged pair of pieces holds a too-near pair.
  bool any() const;
  // Calls visit(near) with the nearest too-near pair of every judged pair of
  // pieces that holds one.
  template <typename Visit>
  void each(Visit&& visit) const {
    for (std::size_t i = 0; i < order_.size(); ++i)
      for (std::size_t k = i + 1; k < order_.size() && lo_[order_[k]] <= hi_[order_[i]] + reach_; ++k) {
        NearPair near;
        if (pairNear(order_[i], order_[k], -1e300, near)) visit(near);
      }
  }

 private:
  // A stretch of a piece with one allowance: in the gap's strip, in a band,
  // beside a jog (its least distance, 0 for none).
  struct Part {
    double u0, u1;
    bool gap, band;
    double jog;
  };
  static constexpr int kMaxParts = 15;
  static int partsOf(const SpacedPiece& piece, const SpacingRule& rule, Part (&parts)[kMaxParts]);
  bool pairNear(std::size_t i, std::size_t j, double from, NearPair& near) const;

  std::vector<SpacedPiece> pieces_;
  const SpacingRule& rule_;
  PipeEnds ends_;
  XtGeVector2d across_;
  double reach_;
  std::vector<double> lo_, hi_;      // each piece's extent across the runs
  std::vector<double> lowY_, highY_;  // and along them
  std::vector<std::size_t> order_;   // by lo_
};

}  // namespace meander_spacing
