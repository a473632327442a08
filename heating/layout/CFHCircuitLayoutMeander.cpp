// The meander step of a circuit layout: the steps in order, and the undoing
// of what a failing step added to the graph.
#include "heating/layout/CFHCircuitLayout.h"

#include "heating/layout/CFHPipeEnd.h"
#include "heating/layout/COffsetEdge.h"
#include "heating/layout/COffsetLoop.h"
#include "heating/layout/COffsetNode.h"
#include "heating/layout/LayoutGraphSnapshot.h"
#include "heating/layout/LayoutSegmentTags.h"
#include "heating/layout/LayoutTolerances.h"
#include "heating/layout/LeadLandings.h"
#include "heating/layout/MeanderChain.h"
#include "heating/layout/MeanderCoverage.h"
#include "heating/layout/MeanderDetours.h"
#include "heating/layout/MeanderHairpins.h"
#include "heating/layout/MeanderPathEdits.h"
#include "heating/layout/MeanderPockets.h"
#include "heating/layout/MeanderRuns.h"

#include "heating/curves/CFHBoundLoopItem.h"
#include "heating/curves/CFHZoneBoundary.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <functional>
#include <cmath>
#include <limits>
#include <memory>

namespace {

// The most times the middle gap's strip is bounded again after its side
// legs were shortened.
constexpr int kGapRounds = 4;
// The share of the first finish's pipe a second finish must lay to be kept,
// unless the first leaves more than kFewBare bare points, some farther than
// kBareLimit s from the pipe.
constexpr double kLeastLengthKept = 0.9;
constexpr double kBareLimit = 1.5;
constexpr std::size_t kFewBare = 8;
// A finish whose pipe comes no nearer itself than this many spacings keeps
// its spacing for the comparison.
constexpr double kMildlyNear = 0.8;

// Everything the step adds to the graph after it starts: on a failure the
// edges and nodes beyond the marks are deleted and the two end edges put back.
class GraphMark {
 public:
  explicit GraphMark(CFHCircuitLayout& layout)
      : layout_(layout), edges_(layout.edges.size()), nodes_(layout.nodes.size()), first_(layout.firstEdge),
        last_(layout.lastEdge) {}

  void rollback() {
    for (std::size_t i = edges_; i < layout_.edges.size(); ++i) {
      layout_.edges[i]->unlink();
      delete layout_.edges[i];
    }
    layout_.edges.resize(edges_);
    for (std::size_t i = nodes_; i < layout_.nodes.size(); ++i) {
      layout_.nodes[i]->clearLinks();  // out of the sections' node lists
      delete layout_.nodes[i];
    }
    layout_.nodes.resize(nodes_);
    layout_.firstEdge = first_;
    layout_.lastEdge = last_;
  }

 private:
  CFHCircuitLayout& layout_;
  std::size_t edges_;
  std::size_t nodes_;
  COffsetEdge* first_;
  COffsetEdge* last_;
};

// Level 0 may fall apart into regions. The one laid is the region whose loop
// holds the point, else the one nearest to it; it is put first, so that
// firstOffsetLoop answers it.
void putRegionFirst(CFHCircuitLayout::Level& level, const XtGePoint2d& point) {
  std::size_t best = 0;
  double bestDistance = std::numeric_limits<double>::max();
  for (std::size_t i = 0; i < level.size(); ++i) {
    if (level[i] == nullptr) continue;
    if (level[i]->classifyPoint(point, workTol) == CLoop::kInside) {
      best = i;
      break;
    }
    CLoopPoint nearest;
    if (level[i]->closestPoint(point, nearest, workTol) && nearest.point.distanceTo(point) < bestDistance) {
      bestDistance = nearest.point.distanceTo(point);
      best = i;
    }
  }
  std::rotate(level.begin(), level.begin() + static_cast<std::ptrdiff_t>(best),
              level.begin() + static_cast<std::ptrdiff_t>(best) + 1);
}

// The runs that stand at the two sides of the middle gap's strip (straight
// pieces along the runs, at least s long): the extent along the runs of
// those at each side (empty, lo above hi, for none).
struct GapRuns {
  double lo[2] = {1e300, 1e300};
  double hi[2] = {-1e300, -1e300};
};
GapRuns gapRunsOf(const meander_spacing::PipeStretch& pipe, double s, const meander_spacing::GapStrip& strip) {
  const double tol = meander_spacing::kSlack * s;
  GapRuns runs;
  for (const meander_spacing::PipePiece& piece : pipe.pieces) {
    if (piece.length < s) continue;
    const double a0 = strip.across(piece.a), a1 = strip.across(piece.b);
    if (std::fabs(a1 - a0) > kRunParallelSine * piece.length) continue;
    const double at = 0.5 * (a0 + a1);
    for (int side = 0; side < 2; ++side) {
      if (std::fabs(at - (side == 0 ? strip.from : strip.to)) > tol) continue;
      runs.lo[side] = std::min({runs.lo[side], strip.along(piece.a), strip.along(piece.b)});
      runs.hi[side] = std::max({runs.hi[side], strip.along(piece.a), strip.along(piece.b)});
    }
  }
  return runs;
}

// The middle gap's strip bounded along the runs to the extent of the pipe
// that stands at its two sides: beyond the ends of those runs nothing meets
// across the gap, and a hairpin's turn there keeps s from the pipe beyond
// it (from the first loop round a reflex corner next to the gap). Unbounded
// when no such piece is found.
void boundGapAlongItsRuns(const meander_spacing::PipeStretch& pipe, double s, meander_spacing::GapStrip& strip) {
  const GapRuns runs = gapRunsOf(pipe, s, strip);
  const double lo = std::min(runs.lo[0], runs.lo[1]), hi = std::max(runs.hi[0], runs.hi[1]);
  if (!(hi >= lo)) return;
  const double tol = meander_spacing::kSlack * s;
  strip.alongFrom = lo - tol;
  strip.alongTo = hi + tol;
}

// The laid meander made to keep its spacing: its pockets cut, then its
// hairpins beside walks shortened (MeanderPockets.h, MeanderHairpins.h),
// then the middle gap and the pockets left looked at again.
void keepMeanderSpacing(MeanderPath& path, meander_spacing::GapStrip& strip, bool narrow) {
  const std::unordered_set<const COffsetEdge*> near = path.edgesTooNear();
  if (near.empty()) return;
  cutMeanderPockets(path, near);
  // With no hairpin shortened the gap and the pockets stand as judged.
  if (shortenMeanderHairpins(path) == 0) return;
  // Shortened legs at the gap's sides shorten the gap: its strip bounded
  // again, hairpins whose turns now lie beyond it are shortened again.
  for (int round = 0; narrow && round < kGapRounds; ++round) {
    const double from = strip.alongFrom, to = strip.alongTo;
    boundGapAlongItsRuns(path.whole(), path.s(), strip);
    if (strip.alongFrom == from && strip.alongTo == to) break;
    if (path.edgesTooNear().empty() || shortenMeanderHairpins(path) == 0) break;
  }
  // A pocket left as it was because a hairpin beside it came too near its
  // connectors (a sharp corner of the first loop next to a hairpin that was
  // shortened later) is looked at again once the hairpins are short.
  const std::unordered_set<const COffsetEdge*> left = path.edgesTooNear();
  if (!left.empty()) cutMeanderPockets(path, left);
}

// The chained meander finished: made to keep its spacing, then the parts of
// its heated area it leaves bare filled with hairpins (MeanderDetours.h).
// chainAgain takes the finish back and makes the chain again, as spliced.
// When bare floor is left, the chain is finished once more with every
// hairpin whose leg runs beside a walk taken out before the pockets are cut,
// so that a walk along a wall between parts of the zone (an arm's side, a
// bowed wall) stays and the detours lay the hairpins beside it afresh. That
// finish is kept when it keeps the spacing (or the first does not either),
// leaves less bare floor and either the first left more than kFewBare bare
// points, some of them farther than kBareLimit s from the pipe in a part
// 1.25 s wide, or it lays at least
// kLeastLengthKept of the first one's pipe (a corridor whose hairpin came
// out is covered by its walks alone, barely, on much less pipe).
void finishMeander(CFHCircuitLayout& layout, const COffsetLoop& first, const CFloorHeatingLine& line1,
                   bool orientation, const MeanderMiddleGap& middleGap, const MeanderBands& bands,
                   const std::function<bool()>& chainAgain) {
  const double spacing = layout.spacing;
  // The middle gap's strip across the runs, from line 1 towards line 2;
  // only a gap narrower than the spacing narrows it.
  XtGeVector2d n = line1.direction().perpVector();
  if (n.length() > 0.0) n = n / n.length();
  if (!orientation) n = -n;
  const bool narrow = middleGap.to - middleGap.from < (1.0 - meander_spacing::kSlack) * spacing;
  const std::vector<MeanderJogWall> jogs =
      meanderJogWalls(layout.boundary->workingLoop, layout.firstOffset, spacing, zoneBoundsTol.equalPoint());
  const MeanderCoverage coverage(first, line1.direction(), spacing);
  const auto finish = [&](bool dropFirst) {
    meander_spacing::GapStrip strip{line1.startPoint(), n, middleGap.from, middleGap.to};
    MeanderPath path(layout, first, line1.direction(), spacing, {narrow ? &strip : nullptr, &bands.edges, &jogs});
    if (!path.usable()) return MeanderFill{};
    if (dropFirst && dropMeanderHairpinsNearWalks(path, orientation ? 1 : 0) > 0 && narrow) {
      // With hairpins out the gap narrows only where its runs still face each
      // other: beyond, what stands beside it keeps the full spacing (none for
      // a gap one of whose runs went out).
      const GapRuns runs = gapRunsOf(path.whole(), spacing, strip);
      const double tol = meander_spacing::kSlack * spacing;
      strip.alongFrom = std::max(runs.lo[0], runs.lo[1]) - tol;
      strip.alongTo = std::min(runs.hi[0], runs.hi[1]) + tol;
    }
    keepMeanderSpacing(path, strip, narrow);
    MeanderFill fill = fillMeanderGaps(path, coverage);
    // Whether the pipe keeps its spacing (but pairs kMildlyNear s apart or
    // more, as beside a corner of the outline), asked only of a finish that
    // may be compared with another.
    fill.keepsSpacing = (fill.bare == 0 && !dropFirst) || path.nearestTooNear() >= kMildlyNear * spacing;
    return fill;
  };
  const MeanderFill once = finish(false);
  if (once.bare == 0) return;
  LayoutGraphSnapshot firstFinish;
  firstFinish.take(layout);
  if (!chainAgain()) {
    firstFinish.restore(layout);
    return;
  }
  const MeanderFill again = finish(true);
  const bool firstBare = once.farthest > kBareLimit * spacing && once.bare > kFewBare;
  const bool better = (again.keepsSpacing || !once.keepsSpacing) && again.bare < once.bare &&
                      (firstBare || again.length >= kLeastLengthKept * once.length);
  if (!better) firstFinish.restore(layout);
}

}  // namespace

bool CFHCircuitLayout::layoutMeander() {
  if (levels.empty() || levels.front() == nullptr || levels.front()->empty()) {
    outcome = LayoutOutcome::kNoLevel;
    return false;
  }
  if (levels.size() < 2 || levels[1] == nullptr || levels[1]->empty()) return layoutSpiral();
  if (baseItem == nullptr || baseItem->curve == nullptr) {
    clearOffsetLoops();  // the zone gets no pipe
    outcome = LayoutOutcome::kNoBaseItem;
    return false;
  }
  if (boundary == nullptr || startEnd == nullptr || endEnd == nullptr) {
    outcome = LayoutOutcome::kNoBoundary;
    return false;
  }
  if (levels.front()->size() > 1) putRegionFirst(*levels.front(), startEnd->point);
  COffsetLoop* first = firstOffsetLoop();
  if (first == nullptr) {
    outcome = LayoutOutcome::kNoLevel;
    return false;
  }
  const CFHBoundLoop& working = boundary->workingLoop;

  // Orientation: the chain runs so that the start end lies a short way ahead
  // of the end end.
  const bool o = orientationGiven != 0 ? orientation != 0
                                       : boundary->isForwardShorter(false, endEnd->point, startEnd->point, workTol);

  // The pipe ends on the first loop, pulled apart when they meet.
  CLoopPoint p1;
  CLoopPoint p2;
  if (!landLeads(*first, startEnd->point, endEnd->point, o, spacing, p1, p2, true)) {
    outcome = LayoutOutcome::kNoPipeEndProjection;
    return false;
  }
  keepMeanderLeadNodesApart(*first, startEnd->point, endEnd->point, p1, p2, o, spacing);

  GraphMark mark(*this);
  edges.reserve(edges.size() + 2);
  firstEdge = new COffsetEdge(startEnd->point, p1, first, nodes);
  edges.push_back(firstEdge);
  lastEdge = new COffsetEdge(p2, first, endEnd->point, nodes);
  edges.push_back(lastEdge);

  // Bands, the frame of the base and the runs.
  const MeanderBands bands = meanderBandLoops(working, *baseItem->curve);
  std::unique_ptr<CFloorHeatingLine> line1;
  std::unique_ptr<CFloorHeatingLine> line2;
  std::vector<std::unique_ptr<CFloorHeatingLine>> runs;
  MeanderMiddleGap middleGap;
  if (!curvesOrientedBox(working, baseItem, line1, line2, o) ||
      !placeMeanderRuns(*line1, *line2, o, firstOffset, spacing, bands.loops, runs, &middleGap)) {
    mark.rollback();
    outcome = LayoutOutcome::kNoMeanderRun;
    return false;
  }
  const CFloorHeatingLine crossLine(line2->startPoint(), line1->startPoint(), nullptr, kTagTestLine);

  std::vector<const CFloorHeatingCurve*> runView;
  std::vector<std::vector<CFHMeanderPoint>> records(runs.size());
  runView.reserve(runs.size());
  for (std::size_t i = 0; i < runs.size(); ++i) {
    runView.push_back(runs[i].get());
    collectRunCrossings(*runs[i], records[i], crossLine, layoutTolFine, workTol, heatingTolCoarse);
  }

  MeanderChain chain;
  GraphMark ends(*this);
  if (!chainMeanderRuns(*this, runView, records, crossLine, *first, o, chain)) {
    // No two crossings of the first loop: no meander fits; the spiral may.
    mark.rollback();
    return layoutSpiral();
  }
  // Not one run laid (a zone so narrow across the runs that the inner level
  // misses every neighbour): the runs turn at their own depth.
  const bool ownDepth = chain.turns == 0 && runs.size() >= 2;
  if (ownDepth) {
    ends.rollback();
    chainMeanderRuns(*this, runView, records, crossLine, *first, o, chain, true);
  }
  if (!spliceMeanderPipeEnds(*this, chain, o) || !isSinglePath(*this)) {
    mark.rollback();
    outcome = LayoutOutcome::kSpliceFailed;
    return false;
  }
  // The chain as spliced, made again for a second finish.
  const auto chainAgain = [&] {
    ends.rollback();
    return chainMeanderRuns(*this, runView, records, crossLine, *first, o, chain, ownDepth) &&
           spliceMeanderPipeEnds(*this, chain, o) && isSinglePath(*this);
  };
  finishMeander(*this, *first, *line1, o, middleGap, bands, chainAgain);
  outcome = levels.front()->size() > 1 ? LayoutOutcome::kRegionsLeftOut : LayoutOutcome::kLaid;
  return true;
}
