#include "heating/layout/meander/MeanderChain.h"

#include "heating/layout/record/CFHCircuitLayout.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetLoop.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/record/LayoutOrderings.h"
#include "heating/layout/offsets/LayoutTolerances.h"
#include "heating/layout/meander/MeanderRecordSearches.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <memory>

namespace {

using Records = std::vector<CFHMeanderPoint>;

COffsetLoop* offsetLoopOf(CLoop* loop) { return dynamic_cast<COffsetLoop*>(loop); }

class ChainBuilder {
 public:
  ChainBuilder(CFHCircuitLayout& layout, const std::vector<const CFloorHeatingCurve*>& runs,
               const std::vector<Records>& records, const CFloorHeatingCurve& crossLine, COffsetLoop& firstLoop,
               bool orientation, bool ownDepth, bool keepNeighbourIn)
      : ownDepth_(ownDepth), keepNeighbourIn_(keepNeighbourIn), layout_(layout), runs_(runs), records_(records), crossLine_(crossLine),
        firstLoop_(firstLoop),
        along_(orientation ? 1 : 0), inside_(orientation ? 0 : 1), orientation_(orientation),
        eqB_(heatingTolCoarse.equalPoint()) {}

  bool build(MeanderChain& chain) {
    if (!findEntries()) return false;
    sortByLengthAlongLoop(entries_, firstLoop_, x0Point_, orientation_,
                          [](const CFHMeanderLoopEntry& e) -> const CLoopPoint& { return e.point; });
    layout_.nodes.reserve(layout_.nodes.size() + 1);
    auto x0 = std::make_unique<COffsetNode>(x0Point_, &firstLoop_);
    chain.x0 = x0.get();
    layout_.nodes.push_back(x0.release());

    COffsetNode* prev = chain.x0;
    std::size_t k = 0;
    while (k < entries_.size()) {  // every pass moves k on by one or more
      const CFHMeanderLoopEntry& entry = entries_[k];
      prev = layout_.appendNodeOnLoop(prev, entry.point.point, entry.point.links(), &firstLoop_, along_, false);
      std::size_t next = k + 1;
      XtGePoint2d p;
      double depth = 0.0;
      bool pastExit = false;
      if (k + 1 < entries_.size() && turnsInside(entry, entries_[k + 1], p, depth, pastExit) &&
          !(pastExit && keepNeighbourIn_)) {
        const Turn turn = makeTurn(k, prev, chain.x0, p, depth);
        ++chain.turns;
        if (pastExit) ++chain.turnsPastExit;
        prev = turn.end;
        if (turn.closed) {
          chain.closing = turn.closing;
          chain.last = turn.closing->a;
          return true;
        }
        next = turn.next;
      }
      k = next;
    }
    auto closing = COffsetEdge::COffsetEdgeFromNodes(prev, chain.x0, along_, false);
    chain.closing = closing.get();
    chain.last = prev;
    layout_.edges.push_back(closing.release());
    return true;
  }

 private:
  struct Turn {
    COffsetNode* end = nullptr;
    std::size_t next = 0;
    bool closed = false;
    COffsetEdge* closing = nullptr;
  };

  double distance(const XtGePoint2d& p) const { return crossLine_.distanceTo(p); }

  // X0 and the entries, visiting runs and records from the last.
  bool findEntries() {
    if (runs_.size() != records_.size()) return false;
    bool haveX0 = false;
    for (int i = static_cast<int>(records_.size()) - 1; i >= 0; --i) {
      if (runs_[i] == nullptr) return false;
      for (int j = static_cast<int>(records_[i].size()) - 1; j >= 0; --j) {
        const CFHMeanderPoint& record = records_[i][j];
        if (record.kind != kMeanderFirstLoop) continue;
        if (!haveX0) {
          x0Point_ = COffsetPoint(record.point);
          x0Run_ = i;
          x0Record_ = j;
          haveX0 = true;
        } else {
          entries_.emplace_back(record, i, j);
        }
      }
    }
    return haveX0 && !entries_.empty();
  }

  // Whether the path turns inside after entry e (the next entry f): e on an
  // even run whose next record is a level-1 crossing, f on a neighbouring
  // run, and a depth limit found. The depth walk goes in run i' from record
  // j' past its first-loop crossings and then along its consecutive level-1
  // crossings; p on run i beside the record reached, d its distance less eqB.
  // A walk that reaches the run's last record leaves no inner point to turn
  // at: no turn, the chain follows the loop. pastExit tells a turn made
  // where run i' has left the first loop below its entry (a first-loop
  // crossing passed over in the walk lies above the turn's depth) and run i'
  // crosses no level-1 loop: the way back out along run i' to its entry
  // passes that exit, which the chain walks by along the loop (a short run
  // in a narrow tip whose depth limit came from a crossing of the boundary
  // beyond its exit).
  bool turnsInside(const CFHMeanderLoopEntry& e, const CFHMeanderLoopEntry& f, XtGePoint2d& p, double& d,
                   bool& pastExit) const {
    const Records& ri = records_[e.runIndex];
    if (e.runIndex % 2 != 0 || e.recordIndex + 1 >= static_cast<int>(ri.size()) ||
        ri[e.recordIndex + 1].kind != kMeanderInnerLoop || std::abs(f.runIndex - e.runIndex) != 1)
      return false;
    const Records& rn = records_[f.runIndex];
    const int last = static_cast<int>(rn.size()) - 1;
    int r = f.recordIndex;
    const double entryDepth = distance(rn[r].point.point);
    double exitDepth = -std::numeric_limits<double>::infinity();  // none
    for (; r < last && rn[r].kind == kMeanderFirstLoop; ++r) {
      const double at = distance(rn[r].point.point);
      if (at < entryDepth - eqB_) exitDepth = std::max(exitDepth, at);
    }
    while (r < last && rn[r + 1].kind == kMeanderInnerLoop) ++r;
    if (r >= last) return ownDepth_ && turnsAtOwnDepth(e.runIndex, e.recordIndex, rn, f.recordIndex, p, d);
    p = runs_[e.runIndex]->closestPointTo(rn[r].point.point);
    d = distance(p) - eqB_;
    pastExit = turnDepth(e, d) <= exitDepth + eqB_ &&
               std::none_of(rn.begin(), rn.end(), [](const CFHMeanderPoint& x) { return x.kind == kMeanderInnerLoop; });
    return true;
  }

  // The depth of the turn down run i from entry e with the depth limit d, as
  // makeTurn makes it: its deepest level-1 crossing above the limit, else
  // the limit.
  double turnDepth(const CFHMeanderLoopEntry& e, double d) const {
    const Records& ri = records_[e.runIndex];
    const int lastI = static_cast<int>(ri.size()) - 1;
    if (e.recordIndex + 1 == lastI) return d;
    double depth = d;
    for (int r = e.recordIndex + 1; r < lastI && ri[r].kind == kMeanderInnerLoop; ++r) {
      if (distance(ri[r].point.point) - d < eqB_) return d;
      depth = distance(ri[r].point.point);
    }
    return depth;
  }

  // Run i' crosses no level-1 loop below its entry (the zone is narrower
  // across the runs than the inner level reaches): the turn goes down run i
  // to its own deepest level-1 crossing below the entry, without a depth
  // limit, when run i' is inside the first loop at that depth (its entry
  // above it, its next crossing of the boundary or the first loop below).
  bool turnsAtOwnDepth(int i, int j, const Records& rn, int jn, XtGePoint2d& p, double& d) const {
    const Records& ri = records_[i];
    int t = j + 1;
    while (t + 1 < static_cast<int>(ri.size()) && ri[t + 1].kind == kMeanderInnerLoop) ++t;
    const double deepest = distance(ri[t].point.point);
    if (!(distance(rn[jn].point.point) > deepest + eqB_)) return false;
    int r = jn + 1;
    while (r < static_cast<int>(rn.size()) && rn[r].kind == kMeanderInnerLoop) ++r;
    if (r >= static_cast<int>(rn.size()) || !(distance(rn[r].point.point) < deepest - eqB_)) return false;
    p = runs_[i]->closestPointTo(ri[t].point.point);
    d = -std::numeric_limits<double>::infinity();
    return true;
  }

  Turn makeTurn(std::size_t k, COffsetNode* from, COffsetNode* x0, const XtGePoint2d& p, double depth) {
    const CFHMeanderLoopEntry& e = entries_[k];
    const CFHMeanderLoopEntry& f = entries_[k + 1];
    const Records& ri = records_[e.runIndex];
    const Records& rn = records_[f.runIndex];
    const int lastI = static_cast<int>(ri.size()) - 1;
    static const std::vector<CLoopElement*> kNoLinks;

    // Down run i: to the deepest level-1 crossing above the depth limit, or
    // to P (twice, an edge of no length between) when the first is too deep.
    COffsetNode* n2 = nullptr;
    int t = -1;
    bool atP = e.recordIndex + 1 == lastI;
    for (int r = e.recordIndex + 1; !atP && r < lastI && ri[r].kind == kMeanderInnerLoop; ++r) {
      if (distance(ri[r].point.point) - depth < eqB_) {
        from = layout_.appendNodeOnLoop(from, p, kNoLinks, nullptr, inside_, true);
        atP = true;
        break;
      }
      t = r;
    }
    // A level-1 record taken from a section that lies along the run may lie
    // beside it (up to the widened coarse tolerance): the turn is then made
    // on the run, beside the record, on no loop, so that the run stays
    // straight along its line.
    const XtGePoint2d onRun = t >= 0 ? runs_[e.runIndex]->closestPointTo(ri[t].point.point) : p;
    if (atP || t < 0)
      n2 = layout_.appendNodeOnLoop(from, p, kNoLinks, nullptr, inside_, true);
    else if (!onRun.isEqualTo(ri[t].point.point, workTol))
      n2 = layout_.appendNodeOnLoop(from, onRun, kNoLinks, nullptr, inside_, true);
    else
      n2 = layout_.appendNodeOnLoop(from, ri[t].point.point, ri[t].point.links(), offsetLoopOf(ri[t].loop), inside_,
                                    true);

    // Across to run i'.
    const XtGePoint2d q = runs_[f.runIndex]->closestPointTo(n2->point);
    COffsetNode* n3 = layout_.appendNodeOnLoop(n2, q, kNoLinks, nullptr, inside_, true);

    // Out along run i': to R when the record beyond run i''s level-1
    // crossings is a first-loop crossing, else to entry k + 1.
    const int near = findNearestRecordOfKind(rn, CLoopPoint(n2->point), kMeanderInnerLoop);
    int s = near;
    while (s >= 1 && rn[s].kind == kMeanderInnerLoop) --s;
    const bool returns = near >= 1 && s >= 1 && rn[s].kind == kMeanderFirstLoop;
    int r = findBandPointIndex(rn, q, crossLine_, true);
    if (r < 0) r = f.recordIndex;

    Turn turn;
    if (returns) {
      if (f.runIndex == x0Run_ && r == x0Record_) {  // back at X0: the chain closes there
        auto closing = COffsetEdge::COffsetEdgeFromNodes(n3, x0, inside_, false);
        turn.closing = closing.get();
        layout_.edges.push_back(closing.release());
        turn.end = x0;
        turn.closed = true;
        return turn;
      }
      turn.end = layout_.appendNodeOnLoop(n3, rn[r].point.point, rn[r].point.links(), offsetLoopOf(rn[r].loop),
                                          inside_, false);
      const int at = findRecordByPoint(entries_, rn[r]);
      turn.next = at > static_cast<int>(k) ? static_cast<std::size_t>(at) + 1 : k + 2;
      return turn;
    }
    turn.end = layout_.appendNodeOnLoop(n3, f.point.point, f.point.links(), &firstLoop_, inside_, false);
    turn.next = k + 2;
    return turn;
  }

  bool ownDepth_;
  bool keepNeighbourIn_;
  CFHCircuitLayout& layout_;
  const std::vector<const CFloorHeatingCurve*>& runs_;
  const std::vector<Records>& records_;
  const CFloorHeatingCurve& crossLine_;
  COffsetLoop& firstLoop_;
  std::uint8_t along_;
  std::uint8_t inside_;
  bool orientation_;
  double eqB_;
  std::vector<CFHMeanderLoopEntry> entries_;
  COffsetPoint x0Point_;
  int x0Run_ = -1;
  int x0Record_ = -1;
};

}  // namespace

bool chainMeanderRuns(CFHCircuitLayout& layout, const std::vector<const CFloorHeatingCurve*>& runs,
                      const std::vector<std::vector<CFHMeanderPoint>>& records, const CFloorHeatingCurve& crossLine,
                      COffsetLoop& firstLoop, bool orientation, MeanderChain& chain, bool ownDepth,
                      bool keepNeighbourIn) {
  chain = MeanderChain{};
  return ChainBuilder(layout, runs, records, crossLine, firstLoop, orientation, ownDepth, keepNeighbourIn)
      .build(chain);
}
