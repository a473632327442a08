// The runs between the necks of a loop closed into parts (cases A to D), and
// the narrow loop sections left over.
#include <algorithm>
#include <cmath>

#include "geometry/Tolerances.h"
#include "heating/layout/offsets/COffsetNarrowLoopSection.h"
#include "heating/layout/offsets/LoopPartClosing.h"
#include "heating/layout/offsets/OffsetLoopParts.h"

namespace {

bool carries(const LoopPartRecord& r, std::uint32_t flags) { return (r.flags & flags) != 0; }

// Passed over as a run start: short, near at both ends, or taken.
bool isSkipped(const LoopPartRecord& r) {
  return carries(r, kPartShort) || (carries(r, kPartStartNear) && carries(r, kPartEndNear)) || r.visited != 0;
}

// Where a walk forward from a run start ended.
struct RunEnd {
  int last = -1;
  int steps = 0;    // sections stepped forward
  bool ok = false;  // false: came round, or abandoned at a section whose start is near
};

class PartForming {
 public:
  PartForming(const COffsetLoop& loop, double spacing, LoopPartTable& table)
      : loop_(loop), s_(spacing), table_(table), n_(loop.sectionCount()) {}

  // The run's first section: walking back from i (included) the first one
  // that is near at its start, faced or taken. `stop` is never walked onto
  // (the run before in a chain): the section after it is then the first.
  // -1 when the walk comes round.
  int runFirst(int i, int stop) const {
    for (int k = 0, at = i; k < n_; ++k) {
      const LoopPartRecord& r = table_[at];
      if (carries(r, kPartStartNear | kPartFaced) || r.visited != 0) return at;
      const int before = loop_.previousIndex(at);
      if (before == stop) return at;
      at = before;
    }
    return -1;
  }

  // The run's last section: walking forward from i the first one that is
  // near at its end, faced or taken; abandoned on reaching a section near at
  // its start.
  RunEnd runLast(int i) const {
    RunEnd end{i, 0, true};
    while (!carries(table_[end.last], kPartEndNear | kPartFaced) && table_[end.last].visited == 0) {
      end.last = loop_.nextIndex(end.last);
      ++end.steps;
      if (end.steps >= n_ || carries(table_[end.last], kPartStartNear)) {
        end.ok = false;
        return end;
      }
    }
    return end;
  }

  // The part of the run F..E; `steps` grows by the sections walked beyond E
  // when the run is chained (case D). Null when nothing could be made.
  std::unique_ptr<COffsetLoop> makePart(int f, int e, int& steps) {
    auto part = std::make_unique<COffsetLoop>();
    const LoopPartRecord& rf = table_[f];
    const LoopPartRecord& re = table_[e];
    if (listHas(re.facing, f)) {
      closeRun(*part, f, e, true);  // case A
    } else if (listHas(re.nearEnd, f)) {
      if (listHas(rf.facing, e))
        closeMirroredRun(*part, f, e);  // case B, F closing
      else
        closeRun(*part, f, e, false);  // case B
    } else if (const int p = commonPartner(f, e); p >= 0) {
      closeAcrossPartner(*part, f, e, p);  // case C
    } else {
      int chained = 0;
      bool closed = false;
      const std::vector<LoopRun> runs = chainRuns(f, e, chained, closed);  // case D
      if (const int q = commonFacing(f, e); !closed && q >= 0) {
        // No run closes the chain, but one section faces both F and E (a
        // tongue narrower than s with the room beyond it): the part is
        // closed across that section, as in case C.
        closeAcrossPartner(*part, f, e, q);
      } else {
        steps += chained;
        joinRunsIntoPart(loop_, runs, table_, *part);
      }
    }
    return part;
  }

 private:
  const COffsetSection& section(int i) const { return *loop_.section(i); }
  const CFloorHeatingCurve& curve(int i) const { return *loop_.section(i)->curve; }

  // Copies of F up to the one before E, then E closes the part (cases A, B).
  void closeRun(COffsetLoop& part, int f, int e, bool trimToFirst) {
    for (int i = f, k = 0; i != e && k < n_; i = loop_.nextIndex(i), ++k) appendSectionCopy(loop_, i, part, table_);
    table_[e].visited = 1;
    closePartWith(part, section(e), trimToFirst, nullptr);
  }

  // Case B with E facing F: copies of F+1 up to E, then F's copy, starting at
  // its closest point to E's end, closes the part.
  void closeMirroredRun(COffsetLoop& part, int f, int e) {
    for (int i = loop_.nextIndex(f), k = 0; k < n_; i = loop_.nextIndex(i), ++k) {
      appendSectionCopy(loop_, i, part, table_);
      if (i == e) break;
    }
    table_[f].visited = 1;
    if (part.sectionCount() == 0) return;
    CFloorHeatingCurve& last = *part.section(part.sectionCount() - 1)->curve;
    if (chordsCollinear(curve(f), last, workTol)) {
      setCurveEnd(last, curve(f).endPoint());
      return;
    }
    std::unique_ptr<COffsetSection> closing = copyOffsetSection(section(f));
    CFloorHeatingCurve& fc = *closing->curve;
    setCurveStart(fc, fc.closestPointTo(last.endPoint()));
    if (!last.endPoint().isEqualTo(fc.startPoint(), workTol)) {
      std::unique_ptr<COffsetSection> gap = lineSection(last.endPoint(), fc.startPoint(), last.tag());
      if (!absorbLine(*gap->curve, last, fc, true)) part.appendSection(gap.release());
    }
    part.appendSection(closing.release());
  }

  // The first of F's near-start partners that is also near E's end; -1.
  int commonPartner(int f, int e) const {
    for (const int p : table_[f].nearStart)
      if (listHas(table_[e].nearEnd, p)) return p;
    return -1;
  }

  // The first section that faces both F and E; -1.
  int commonFacing(int f, int e) const {
    for (const int q : table_[f].facing)
      if (q != f && q != e && listHas(table_[e].facing, q)) return q;
    return -1;
  }

  // Case C: F up to the one before E, closed across the partner P.
  void closeAcrossPartner(COffsetLoop& part, int f, int e, int p) {
    for (int i = f, k = 0; i != e && k < n_; i = loop_.nextIndex(i), ++k) appendSectionCopy(loop_, i, part, table_);
    table_[e].visited = 1;
    const CFloorHeatingCurve& pc = curve(p);
    const CFloorHeatingCurve& ec = curve(e);
    CFloorHeatingCurve& first = *part.section(0)->curve;
    const bool firstAlong = chordsCollinear(first, pc, XtGeContext::gTol);
    const bool lastAlong = chordsCollinear(ec, pc, XtGeContext::gTol);
    if (firstAlong && lastAlong) {
      setCurveStart(first, ec.startPoint());
    } else {
      std::unique_ptr<COffsetSection> copy = copyOffsetSection(section(e));
      CFloorHeatingCurve& last = *copy->curve;
      part.appendSection(copy.release());
      if (lastAlong) {
        setCurveEnd(last, listHas(table_[p].facing, f) ? pc.closestPointTo(first.startPoint()) : pc.endPoint());
        closePartGap(part);
      } else if (firstAlong) {
        setCurveStart(first, listHas(table_[p].facing, e) ? pc.closestPointTo(ec.endPoint()) : pc.startPoint());
        closePartGap(part);
      } else {
        closeAlongPartner(part, first, last, f, e, p);
      }
    }
    const LoopPartRecord& rp = table_[p];
    if (carries(rp, kPartStartNear) && carries(rp, kPartEndNear) && !carries(rp, kPartFaced)) table_[p].visited = 1;
    for (const int end : {f, e})
      if (carries(table_[end], kPartFaced)) table_[end].visited = 0;
  }

  // Case C with neither end along P: lines L2 (last end -> Q2), L1 along P
  // (Q2 -> Q1) and L3 (Q1 -> first start), L2 and L3 absorbed where they
  // continue a neighbour.
  void closeAlongPartner(COffsetLoop& part, CFloorHeatingCurve& first, CFloorHeatingCurve& last, int f, int e, int p) {
    const CFloorHeatingCurve& pc = curve(p);
    if (listHas(table_[f].facing, p)) setCurveStart(first, first.closestPointTo(pc.endPoint()));
    if (listHas(table_[e].facing, p)) setCurveEnd(last, last.closestPointTo(pc.startPoint()));
    const XtGePoint2d q1 = pc.closestPointTo(first.startPoint());
    const XtGePoint2d q2 = pc.closestPointTo(last.endPoint());
    const std::uint32_t tag = last.tag();
    std::unique_ptr<COffsetSection> l1 = lineSection(q2, q1, tag);
    std::unique_ptr<COffsetSection> l2 = lineSection(last.endPoint(), q2, tag);
    std::unique_ptr<COffsetSection> l3 = lineSection(q1, first.startPoint(), tag);
    CFloorHeatingCurve& c1 = *l1->curve;
    if (absorbLine(*l2->curve, last, c1, false)) l2.reset();
    if (absorbLine(*l3->curve, c1, first, false)) l3.reset();
    part.elements.reserve(part.elements.size() + 3);
    for (std::unique_ptr<COffsetSection>* line : {&l2, &l1, &l3})
      if (*line != nullptr && !(*line)->startPoint().isEqualTo((*line)->endPoint(), workTol))
        part.appendSection(line->release());
  }

  // The first run in the chain can close the part with `last`, the last
  // section of a chained run.
  bool closesChain(int last, int f) const {
    const LoopPartRecord& rf = table_[f];
    const LoopPartRecord& rl = table_[last];
    if (listHas(rf.nearEnd, last)) return false;
    if (listHas(rl.nearEnd, f) || listHas(rl.facing, f)) return true;
    if (!carries(rf, kPartStartNear) || rf.nearStart.size() != 1) return false;
    return s_ > curve(rf.nearStart.front()).length();
  }

  // Case D: from F..E the runs that follow, until one closes the part. The
  // chain ends, without the run it would add, when a run is abandoned or the
  // sections walked from F would reach the loop's count.
  std::vector<LoopRun> chainRuns(int f, int e, int& steps, bool& closed) const {
    closed = false;
    std::vector<LoopRun> runs{{f, e}};
    int walked = (e - f + n_) % n_ + 1;
    for (int before = e; runs.size() < static_cast<std::size_t>(n_);) {
      int start = loop_.nextIndex(before);
      int ahead = 1;
      while (walked + ahead < n_ && isSkipped(table_[start])) {
        start = loop_.nextIndex(start);
        ++ahead;
      }
      if (walked + ahead >= n_) break;
      const int first = runFirst(start, before);
      const RunEnd end = runLast(start);
      if (first < 0 || !end.ok || walked + ahead + end.steps >= n_) break;
      runs.push_back({first, end.last});
      walked += ahead + end.steps;
      steps += ahead + end.steps;
      before = end.last;
      if (closesChain(end.last, f)) {
        closed = true;
        break;
      }
    }
    return runs;
  }

  const COffsetLoop& loop_;
  double s_;
  LoopPartTable& table_;
  int n_;
};

// Whether the part stays within the loop it was cut from: no point of its
// sections, sampled at most s/4 apart, lies outside the loop (workTol). A
// part closed across anything but a neck (a chain of runs that no run
// closes, joined straight over the room's own notch) leaves it.
bool liesWithinLoop(const COffsetLoop& part, const COffsetLoop& loop, double s) {
  const double step = 0.25 * s;
  for (const CLoopElement* e : part.elements) {
    if (e == nullptr || !e->hasCurve()) continue;
    const CFloorHeatingCurve& c = *e->curve;
    const double length = c.length();
    if (!std::isfinite(length)) return false;
    // At least the midpoint; bounded by the section's length in steps.
    const int n = std::max(2, static_cast<int>(std::min(length / step, 1e6)) + 1);
    for (int k = 1; k < n; ++k)
      if (loop.classifyPoint(c.pointAtLength(length * k / n), workTol) == CLoop::kOutside) return false;
  }
  return true;
}

}  // namespace

void formLoopParts(const COffsetLoop& loop, double spacing, LoopPartTable& table, std::vector<COffsetLoop*>& parts) {
  const int n = loop.sectionCount();
  if (!tableMatches(loop, table)) return;
  for (int i = 0; i < n; ++i)
    if (loop.elementWithCurve(i) == nullptr) return;
  PartForming forming(loop, spacing, table);
  for (int i = 0; i < n;) {
    if (isSkipped(table[i])) {
      ++i;
      continue;
    }
    // i moves on with every step forward, to the run's last section, and at
    // least by one.
    const int f = forming.runFirst(i, -1);
    const RunEnd end = forming.runLast(i);
    int steps = end.steps;
    if (f >= 0 && end.ok && f != end.last) {
      std::unique_ptr<COffsetLoop> part = forming.makePart(f, end.last, steps);
      // A part that leaves the loop is not made: what it held is left to
      // the narrow loop sections.
      if (part->sectionCount() > 1 && liesWithinLoop(*part, loop, spacing)) appendOwned(parts, std::move(part));
    }
    i += std::max(1, steps);
  }
}

namespace {

// How a loop section W stands to the sections of the parts.
enum class PartMatch { kNone, kWhole, kShortenedAtEnd, kShortenedAtStart };

// W taken whole by a part first, then W shortened at its end (a part holds
// its start), then shortened at its start: a side that two parts shorten at
// its two ends stands to them the same way whichever part was made first.
PartMatch matchInParts(const CFloorHeatingCurve& w, const std::vector<COffsetLoop*>& parts,
                       const CFloorHeatingCurve*& match) {
  PartMatch found = PartMatch::kNone;
  for (const COffsetLoop* part : parts) {
    for (const CLoopElement* y : part->elements) {
      if (y == nullptr || !y->hasCurve()) continue;
      const bool start = w.startPoint().isEqualTo(y->startPoint(), workTol);
      const bool end = w.endPoint().isEqualTo(y->endPoint(), workTol);
      if (!start && !end) continue;
      // Y is W shortened (or drawn on) only when it runs along W's line: a
      // line closing a part that merely leaves from W's start (or reaches
      // its end) is not.
      if (start != end && w.chordLine().distanceTo(start ? y->endPoint() : y->startPoint()) > workTol.equalPoint())
        continue;
      if (start && end) {
        match = y->curve;
        return PartMatch::kWhole;
      }
      const PartMatch kind = start ? PartMatch::kShortenedAtEnd : PartMatch::kShortenedAtStart;
      if (found == PartMatch::kNone || (found == PartMatch::kShortenedAtStart && kind == PartMatch::kShortenedAtEnd)) {
        found = kind;
        match = y->curve;
      }
    }
  }
  return found;
}

}  // namespace

void collectNarrowSections(const COffsetLoop& loop, const std::vector<COffsetLoop*>& parts,
                           std::vector<COffsetNarrowLoopSection*>& narrows) {
  const int n = loop.sectionCount();
  for (int i = 0; i < n; ++i)
    if (loop.elementWithCurve(i) == nullptr) return;
  int start = 0;
  if (!parts.empty() && parts.back() != nullptr && parts.back()->sectionCount() > 0) {
    const COffsetLoop& last = *parts.back();
    const XtGePoint2d& from = last.section(last.sectionCount() - 1)->startPoint();
    for (int i = 0; i < n; ++i) {
      if (loop.section(i)->startPoint().isEqualTo(from, workTol)) {
        start = i;
        break;
      }
    }
  }
  // The walk starts after the first section from there that a part takes
  // whole, so that no narrow loop section runs round the walk's start: one
  // that did came out in two (or lost its first piece, a section shortened
  // at its start by a part), and which did hung on where the tessellator
  // had started the loop.
  for (int k = 0, i = start; k < n; ++k, i = loop.nextIndex(i)) {
    const CFloorHeatingCurve* y = nullptr;
    if (matchInParts(*loop.section(i)->curve, parts, y) == PartMatch::kWhole) {
      start = loop.nextIndex(i);
      break;
    }
  }
  std::unique_ptr<COffsetNarrowLoopSection> running;
  auto add = [&](std::unique_ptr<COffsetSection> section) {
    if (running == nullptr) running = std::make_unique<COffsetNarrowLoopSection>();
    running->appendSection(section.release());
  };
  for (int k = 0, i = start; k < n; ++k, i = loop.nextIndex(i)) {
    const CFloorHeatingCurve& w = *loop.section(i)->curve;
    const CFloorHeatingCurve* y = nullptr;
    switch (matchInParts(w, parts, y)) {
      case PartMatch::kWhole:
        if (running != nullptr) appendOwned(narrows, std::move(running));
        break;
      case PartMatch::kShortenedAtEnd:
        add(lineSection(y->endPoint(), w.endPoint(), w.tag()));
        break;
      case PartMatch::kShortenedAtStart:
        if (running != nullptr) add(lineSection(w.startPoint(), y->startPoint(), w.tag()));
        break;
      case PartMatch::kNone:
        add(copyOffsetSection(*loop.section(i)));
        break;
    }
  }
  if (running != nullptr) appendOwned(narrows, std::move(running));
}
