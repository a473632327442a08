// The meander step of a circuit layout: the steps in order, and the undoing
// of what a failing step added to the graph.
#include "heating/layout/record/CFHCircuitLayout.h"

#include "heating/layout/record/CFHPipeEnd.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/record/LayoutGraphSnapshot.h"
#include "heating/layout/offsets/LayoutSegmentTags.h"
#include "heating/layout/offsets/LayoutTolerances.h"
#include "heating/layout/record/LeadLandings.h"
#include "heating/layout/meander/MeanderChain.h"
#include "heating/layout/meander/MeanderCoverage.h"
#include "heating/layout/meander/MeanderDetours.h"
#include "heating/layout/meander/MeanderHairpins.h"
#include "heating/layout/meander/MeanderPathEdits.h"
#include "heating/layout/meander/MeanderPockets.h"
#include "heating/layout/meander/MeanderRuns.h"
#include "heating/layout/checks/PathSpacingCheck.h"

#include "heating/curves/CFHBoundLoopItem.h"
#include "heating/curves/CFHZoneBoundary.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <functional>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>

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
// its spacing for the comparison (with its hairpins beside walks out).
constexpr double kMildlyNear = 0.8;
// A finish with its hairpins shortened first turns no sharper than this (a
// pocket's connector's least corner), or than the first finish, and does
// not fold on itself for a pipe this many spacings across unless the first
// finish does.
constexpr double kLeastCorner = std::numbers::pi / 6;
constexpr double kFoldDiameter = 0.25;
// The sharpest corner of a finish with its hairpins shortened first that
// leaves no floor bare where the first finish leaves some (a stub meeting a
// bowed wall's walk, cut later as a fold).
constexpr double kLeastCornerCovering = std::numbers::pi / 12;

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
void keepMeanderSpacing(MeanderPath& path, meander_spacing::GapStrip& strip, bool narrow, bool squareCuts) {
  const std::unordered_set<const COffsetEdge*> near = path.edgesTooNear();
  if (near.empty()) return;
  cutMeanderPockets(path, near, squareCuts);
  // With a hairpin shortened the gap stands as judged no longer: shortened
  // legs at the gap's sides shorten the gap, its strip bounded again,
  // hairpins whose turns now lie beyond it are shortened again.
  if (shortenMeanderHairpins(path) > 0) {
    for (int round = 0; narrow && round < kGapRounds; ++round) {
      const double from = strip.alongFrom, to = strip.alongTo;
      boundGapAlongItsRuns(path.whole(), path.s(), strip);
      if (strip.alongFrom == from && strip.alongTo == to) break;
      if (path.edgesTooNear().empty() || shortenMeanderHairpins(path) == 0) break;
    }
  }
  // A pocket left as it was because a hairpin beside it came too near its
  // connectors (a sharp corner of the first loop next to a hairpin that was
  // shortened later), or because another pocket not yet cut lay within the
  // reach its connectors are judged over (a narrow tip of the first loop a
  // little way along the walk from a corner cut after it), is looked at
  // again once the hairpins are short and the other pockets cut.
  const std::unordered_set<const COffsetEdge*> left = path.edgesTooNear();
  if (!left.empty()) cutMeanderPockets(path, left, squareCuts);
}

// Whether the path meets or folds back on itself as the check of the drawn
// pipe would name it (PathSpacingCheck.h) for a pipe kFoldDiameter s across:
// a hairpin narrower than that, a spike, a corner sharper than about 14
// degrees. The steps that keep the spacing judge pairs of points two
// spacings apart along the path and more only.
bool foldsOnItself(const MeanderPath& path) {
  std::vector<LaidPathPiece> pieces;
  pieces.reserve(path.whole().pieces.size());
  for (const meander_spacing::PipePiece& piece : path.whole().pieces)
    pieces.push_back({PathPiece::line(piece.a, piece.b), 0, CFHCircuitSegment::Part::kRun});
  PathSpacingCheck check;
  std::vector<std::uint8_t> faults;
  return !check.check(pieces, {}, kFoldDiameter * path.s(), faults) || (!faults.empty() && faults.front() != 0);
}

// Whether the layout's path as laid meets or folds on itself (foldsOnItself).
bool laidMeanderFolds(CFHCircuitLayout& layout, const COffsetLoop& first, const XtGeVector2d& runDirection) {
  const MeanderPath path(layout, first, runDirection, layout.spacing, {});
  return path.usable() && foldsOnItself(path);
}

// The ways a chained meander is finished (finishMeander below).
enum class Finish {
  kAsLaid,         // its pockets cut, then its hairpins shortened
  kHairpinsFirst,  // its hairpins shortened before its pockets are cut
  kHairpinsOut,    // its hairpins beside walks taken out first
  kLeastCuts,      // as laid, each pocket cut by the connector that leaves out the least pipe
};

// The chained meander finished: made to keep its spacing, then the parts of
// its heated area it leaves bare filled with hairpins (MeanderDetours.h).
// chainAgain takes the finish back and makes the chain again, as spliced.
// When bare floor is left, the chain is finished again, in turn:
// - when floor farther than kBareLimit s from the pipe is left in a part
//   1.25 s wide, with its hairpins shortened before the pockets are cut: a
//   hairpin whose leg ends beside a slanted or bowed wall near an acute
//   corner of the first loop is shortened until its leg keeps the spacing
//   from the wall, instead of going out with the whole pocket of the
//   corner, so that the leg and the walk along the corner's sides stay and
//   only the corner's tip is cut; kept when it comes no nearer itself than
//   the first finish (with the middle gap bounded along its runs), turns no
//   sharper than kLeastCorner or the first finish (a leg shortened to a
//   stub that meets the wall's walk at an acute angle; down to
//   kLeastCornerCovering when it leaves no floor bare on no less pipe than
//   the first finish, as in the corner between a bowed wall and a straight
//   one) and folds on itself only where the first finish does
//   (foldsOnItself);
// - with every hairpin whose leg runs beside a walk taken out before the
//   pockets are cut, so that a walk along a wall between parts of the zone
//   (an arm's side, a bowed wall) stays and the detours lay the hairpins
//   beside it afresh; kept when it keeps the spacing (pairs kMildlyNear s
//   apart or more let be, as beside a corner of the outline) or the best
//   finish so far does not either;
// - when floor farther than kBareLimit s is still left, with each pocket
//   cut by the connector that leaves out the least pipe, the square cut at
//   a leg's junction not tried: where the last run before a narrow tip
//   meets the tip's walk, the square cut takes the walk into the tip with
//   the leg, leaving the tip 2 s and more from the pipe; kept as the finish
//   with the hairpins shortened first.
// A finish taken must also leave less bare floor than the best so far and
// either that one left more than kFewBare bare points, some of them farther
// than kBareLimit s from the pipe in a part 1.25 s wide, or it lay at least
// kLeastLengthKept of that one's pipe (a corridor whose hairpin came out is
// covered by its walks alone, barely, on much less pipe).
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
  struct Finished {
    MeanderFill fill;
    double boundedNearest;
    double sharpest;
    bool folds;
  };
  const auto finish = [&](Finish how) {
    meander_spacing::GapStrip strip{line1.startPoint(), n, middleGap.from, middleGap.to};
    MeanderPath path(layout, first, line1.direction(), spacing, {narrow ? &strip : nullptr, &bands.edges, &jogs});
    if (!path.usable()) return Finished{MeanderFill{}, 0.0, 0.0, true};
    if (how == Finish::kHairpinsOut && dropMeanderHairpinsNearWalks(path, orientation ? 1 : 0) > 0 && narrow) {
      // With hairpins out the gap narrows only where its runs still face each
      // other: beyond, what stands beside it keeps the full spacing (none for
      // a gap one of whose runs went out).
      const GapRuns runs = gapRunsOf(path.whole(), spacing, strip);
      const double tol = meander_spacing::kSlack * spacing;
      strip.alongFrom = std::max(runs.lo[0], runs.lo[1]) - tol;
      strip.alongTo = std::min(runs.hi[0], runs.hi[1]) + tol;
    }
    if (how == Finish::kHairpinsFirst) shortenMeanderHairpins(path);
    keepMeanderSpacing(path, strip, narrow, how != Finish::kLeastCuts);
    MeanderFill fill = fillMeanderGaps(path, coverage);
    // How near the pipe comes itself, asked only of a finish that may be
    // compared with another; and so with the middle gap bounded along the
    // runs at its sides (the pipe beyond their ends keeps the full spacing).
    Finished done{fill, fill.nearest, 0.0, false};
    if (fill.bare > 0 || how != Finish::kAsLaid) {
      done.fill.nearest = path.nearestTooNear();
      boundGapAlongItsRuns(path.whole(), spacing, strip);
      done.boundedNearest = narrow ? path.nearestTooNear() : done.fill.nearest;
      done.sharpest = path.sharpestCorner();
      done.folds = foldsOnItself(path);
    }
    return done;
  };
  Finished best = finish(Finish::kAsLaid);
  if (best.fill.bare == 0) return;
  const double firstNearest = best.boundedNearest;
  const double firstSharpest = std::min(best.sharpest, kLeastCorner);
  // A finish with the hairpins shortened first that leaves no floor bare on
  // no less pipe than the first finish may turn sharper than the first.
  const auto coversAll = [&](const Finished& other) {
    return other.fill.bare == 0 && other.fill.length >= best.fill.length;
  };
  const bool firstFolds = best.folds;
  LayoutGraphSnapshot kept;
  kept.take(layout);
  bool keptLaid = true;  // the graph holds the finish kept
  for (const Finish how : {Finish::kHairpinsFirst, Finish::kHairpinsOut, Finish::kLeastCuts}) {
    if (how != Finish::kHairpinsOut && !(best.fill.farthest > kBareLimit * spacing)) continue;
    keptLaid = false;
    if (!chainAgain()) break;
    const Finished other = finish(how);
    const double sharpest = coversAll(other) ? kLeastCornerCovering : firstSharpest;
    const bool spaced = how != Finish::kHairpinsOut ? other.boundedNearest >= firstNearest &&
                                                            other.sharpest >= sharpest &&
                                                            (!other.folds || firstFolds)
                                                      : other.fill.nearest >= kMildlyNear * spacing ||
                                                            best.fill.nearest < kMildlyNear * spacing;
    const MeanderFill& a = best.fill;
    const MeanderFill& b = other.fill;
    // A few bare points beyond kBareLimit s are enough when the finish with
    // the hairpins shortened first leaves none (its hairpins are the first
    // finish's, laid where they keep the spacing).
    const bool bestBare = a.farthest > kBareLimit * spacing &&
                          (a.bare > kFewBare || (how == Finish::kHairpinsFirst && b.bare == 0));
    if (!spaced || b.bare >= a.bare || !(bestBare || b.length >= kLeastLengthKept * a.length)) continue;
    best = other;
    if (best.fill.bare == 0) return;
    kept.take(layout);
    keptLaid = true;
  }
  if (!keptLaid) kept.restore(layout);
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
  bool keepNeighbourIn = false;
  const auto chainAgain = [&] {
    ends.rollback();
    return chainMeanderRuns(*this, runView, records, crossLine, *first, o, chain, ownDepth, keepNeighbourIn) &&
           spliceMeanderPipeEnds(*this, chain, o) && isSinglePath(*this);
  };
  finishMeander(*this, *first, *line1, o, middleGap, bands, chainAgain);
  // A turn made where its neighbouring run had left the first loop comes
  // back up that run through the exit the chain walks by; the steps that
  // keep the spacing mostly cut it away with the corner's pocket. Where the
  // finished pipe still meets or folds on itself, the chain is made again
  // without such turns and finished again, and kept when it does not.
  if (chain.turnsPastExit > 0 && laidMeanderFolds(*this, *first, line1->direction())) {
    LayoutGraphSnapshot folded;
    folded.take(*this);
    keepNeighbourIn = true;
    bool kept = chainAgain();
    if (kept) {
      finishMeander(*this, *first, *line1, o, middleGap, bands, chainAgain);
      kept = !laidMeanderFolds(*this, *first, line1->direction());
    }
    if (!kept) folded.restore(*this);
  }
  // A short leg left folding back along a slanted wall (MeanderPockets.h),
  // which the steps that keep the spacing pass over as neighbours.
  {
    MeanderPath path(*this, *first, line1->direction(), spacing, {});
    cutMeanderFolds(path);
  }
  outcome = levels.front()->size() > 1 ? LayoutOutcome::kRegionsLeftOut : LayoutOutcome::kLaid;
  return true;
}
