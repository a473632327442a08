// The spacing of a laid meander's pipe: the pipe as straight pieces with
// their lengths along it (PipeStretch), samples of it every s/8, the rule of
// when two samples are too near (SpacingRule) and the search for such pairs
// over a grid of cells of side s.
//
// The rule is the meander's own promise: two samples more than two spacings
// apart along the pipe lie at least s apart (less 1 %), or s/2 (less 1 %)
// when both lie in the strip of the middle gap, where the runs stacked from
// the two sides meet, or both in a border band, where the runs across it
// stand s/2 apart.
//
// Values only; no heap allocation per sample beyond the sample vectors.
// Threads: any; nothing shared.
#pragma once

#include "heating/layout/MeanderRuns.h"

#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct COffsetEdge;

namespace meander_spacing {

// Nearer than (1 - kSlack) s is too near (kSlack s: the checker's margin).
inline constexpr double kSlack = 0.01;
// The sampling step, in s.
inline constexpr double kStep = 0.125;
// Lengths below kNone s count as none.
inline constexpr double kNone = 1e-6;
// The most rounds of one step that edits the path (each round looks at the
// path again after an edit).
inline constexpr int kEditRounds = 256;

// The strip of the meander's middle gap: the points whose distance from
// line 1 (through `origin`, `n` its unit normal towards line 2) lies within
// [from - s/2, to + s/2].
struct GapStrip {
  XtGePoint2d origin;
  XtGeVector2d n;
  double from = 0.0;
  double to = 0.0;
};

// Where the meander may come nearer than s: its middle gap (none when it
// keeps s) and its border bands (none for no bands). Not owned.
struct Narrowings {
  const GapStrip* gap = nullptr;
  const std::vector<MeanderBandEdge>* bands = nullptr;
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
  bool walkAt(double t) const { return pieces[pieceAt(t)].walk; }
};

// A sample of the pipe: its point, its length along the pipe and whether
// pairs with it are judged (a pair is judged when either sample is).
struct PipeSample {
  XtGePoint2d p;
  double t = 0.0;
  bool judged = false;
};

// Appends samples every `step` along the line from `from` (excluded) to
// `to`, their lengths along the pipe counted from t0 at `from`.
void sampleLine(const XtGePoint2d& from, const XtGePoint2d& to, double t0, bool judged, double step,
                std::vector<PipeSample>& out);
// Appends the samples of the stretch from t0 to t1, their lengths along it
// plus `shift`, judged on walk pieces.
void sampleStretch(const PipeStretch& stretch, double t0, double t1, double shift, double step,
                   std::vector<PipeSample>& out);

class SpacingRule {
 public:
  SpacingRule(double s, const Narrowings& narrowings) : s_(s), narrowings_(narrowings) {}
  // Whether samples at a and b, at lengths ta and tb along the pipe, are too near.
  bool tooNear(const XtGePoint2d& a, double ta, const XtGePoint2d& b, double tb) const;
  double s() const { return s_; }

 private:
  bool inGap(const XtGePoint2d& p) const;
  bool inBand(const XtGePoint2d& p) const;
  double s_;
  Narrowings narrowings_;
};

// The samples bucketed in square cells of side s (sorted keys, no map).
class SampleGrid {
 public:
  SampleGrid(const std::vector<PipeSample>& samples, double s);
  // Calls visit(index) for every sample in the nine cells around p.
  template <typename Visit>
  void around(const XtGePoint2d& p, Visit&& visit) const {
    const std::int64_t cx = cell(p.x);
    const std::int64_t cy = cell(p.y);
    for (std::int64_t dx = -1; dx <= 1; ++dx)
      for (std::int64_t dy = -1; dy <= 1; ++dy)
        for (std::size_t i = lowerBound(key(cx + dx, cy + dy)); i < keyed_.size() && keyed_[i].key == key(cx + dx, cy + dy);
             ++i)
          visit(static_cast<std::size_t>(keyed_[i].index));
  }

 private:
  struct Keyed {
    std::int64_t key;
    std::uint32_t index;
  };
  std::int64_t cell(double v) const;
  static std::int64_t key(std::int64_t cx, std::int64_t cy) { return cx * 4194304 + cy; }
  std::size_t lowerBound(std::int64_t key) const;

  double s_;
  std::vector<Keyed> keyed_;
};

// Two samples too near each other: their lengths along the pipe, t1 < t2.
struct NearPair {
  double t1 = 0.0;
  double t2 = 0.0;
};

// Whether a pair of samples, either judged and the earlier not before
// `from`, is too near; the pair with the earliest first sample in `near`.
bool findNear(const std::vector<PipeSample>& samples, const SpacingRule& rule, double from, NearPair& near);

}  // namespace meander_spacing
