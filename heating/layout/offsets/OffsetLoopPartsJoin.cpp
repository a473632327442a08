// The section join and the part made of chained runs (case D).
#include "geometry/Tolerances.h"
#include "heating/layout/offsets/LoopPartClosing.h"
#include "heating/layout/offsets/OffsetLoopParts.h"

void copySectionsBetween(const COffsetLoop& loop, int first, int last, COffsetLoop& part, LoopPartTable& table) {
  if (!tableMatches(loop, table) || !isLoopPosition(loop, first) || !isLoopPosition(loop, last) || first == last)
    return;
  for (int i = loop.nextIndex(first), walked = 0; i != last && walked < loop.sectionCount();
       i = loop.nextIndex(i), ++walked)
    appendSectionCopy(loop, i, part, table);
}

int joinSectionsCoded(const COffsetLoop& loop, int first, int second, COffsetLoop& part, LoopPartTable& table, int code,
                      XtGePoint2d& carried) {
  if (!tableMatches(loop, table) || loop.elementWithCurve(first) == nullptr || loop.elementWithCurve(second) == nullptr)
    return kJoinPlain;
  const bool placeA = (code & kJoinPlaceA) != 0;
  const bool placeB = (code & kJoinPlaceB) != 0;
  std::unique_ptr<COffsetSection> a = copyOffsetSection(*loop.section(first));
  std::unique_ptr<COffsetSection> b = copyOffsetSection(*loop.section(second));
  CFloorHeatingCurve& ca = *a->curve;
  CFloorHeatingCurve& cb = *b->curve;
  if ((code & kJoinStartACarried) != 0) setCurveStart(ca, carried);
  table[first].visited = 1;
  table[second].visited = 1;
  // Without its own copy, A is stood for by the part's last section.
  CFloorHeatingCurve* standIn = part.sectionCount() > 0 ? part.section(part.sectionCount() - 1)->curve : nullptr;

  const XtGePoint2d onA = ca.closestPointTo(cb.startPoint());
  if (onA != ca.endPoint()) {
    setCurveEnd(ca, onA);
    if (!placeA && standIn != nullptr) setCurveEnd(*standIn, onA);
  } else {
    const XtGePoint2d onB = cb.closestPointTo(ca.endPoint());
    if (onB != cb.startPoint()) setCurveStart(cb, onB);
  }
  carried = cb.startPoint();
  std::unique_ptr<COffsetSection> link = lineSection(ca.endPoint(), cb.startPoint(), ca.tag());
  const CFloorHeatingCurve& line = *link->curve;
  const bool withA = chordsCollinear(line, ca, XtGeContext::gTol);
  const bool withB = chordsCollinear(line, cb, XtGeContext::gTol);
  const bool hasLength = !line.startPoint().isEqualTo(line.endPoint(), workTol);

  part.elements.reserve(part.elements.size() + 3);
  if (withA && withB) {
    if (placeA)
      part.appendSection(lineSection(ca.startPoint(), cb.endPoint(), ca.tag()).release());
    else if (standIn != nullptr)
      setCurveEnd(*standIn, cb.endPoint());
    return kJoinCollinearBoth;
  }
  int answer = kJoinPlain;
  if (withB) {
    setCurveStart(cb, line.startPoint());
    carried = cb.startPoint();
    answer = kJoinCollinearB;
  } else if (withA) {
    CFloorHeatingCurve* lengthened = placeA ? &ca : standIn;
    if (lengthened != nullptr) setCurveEnd(*lengthened, line.endPoint());
  }
  if (placeA) part.appendSection(a.release());
  if (!withA && !withB && hasLength) part.appendSection(link.release());
  if (placeB) part.appendSection(b.release());
  return answer;
}

void joinSections(const COffsetLoop& loop, int first, int second, COffsetLoop& part, LoopPartTable& table, int& code,
                  XtGePoint2d& carried) {
  code = joinSectionsCoded(loop, first, second, part, table, code, carried);
}

int joinSectionsPlain(const COffsetLoop& loop, int first, int second, COffsetLoop& part, LoopPartTable& table) {
  XtGePoint2d carried;
  return joinSectionsCoded(loop, first, second, part, table, kJoinPlaceA | kJoinPlaceB, carried);
}

bool joinRunsIntoPart(const COffsetLoop& loop, const std::vector<LoopRun>& runs, LoopPartTable& table,
                      COffsetLoop& part) {
  if (runs.empty() || !tableMatches(loop, table)) return false;
  for (const LoopRun& run : runs)
    if (loop.elementWithCurve(run.first) == nullptr || loop.elementWithCurve(run.last) == nullptr) return false;
  auto single = [](const LoopRun& run) { return run.first == run.last; };

  const int f = runs.front().first;
  appendSectionCopy(loop, f, part, table);
  // Whether the section A of the next join is in the part already: the
  // first run's only section, or a single run that the join before made one
  // line with the run before it.
  bool placedA = single(runs.front());
  // Whether the join before left A's copy out, so that A starts where that
  // join carried its point.
  bool carriedA = false;
  XtGePoint2d carried = loop.section(f)->startPoint();
  for (std::size_t r = 0; r + 1 < runs.size(); ++r) {
    const LoopRun& run = runs[r];
    const LoopRun& next = runs[r + 1];
    copySectionsBetween(loop, run.first, run.last, part, table);
    int code = single(next) ? 0 : kJoinPlaceB;
    if (!placedA) code |= kJoinPlaceA | (carriedA ? kJoinStartACarried : 0);
    const int answer = joinSectionsCoded(loop, run.last, next.first, part, table, code, carried);
    placedA = single(next) && answer == kJoinCollinearBoth;
    carriedA = single(next) && !placedA;
  }
  const LoopRun& last = runs.back();
  copySectionsBetween(loop, last.first, last.last, part, table);
  table[last.last].visited = 1;
  if (placedA) {
    closePartGap(part);
  } else {
    const bool trim = listHas(table[last.last].facing, f);
    // The last run's end projecting inside the first section (a tongue
    // narrower than s between them): the first section starts across from
    // it, so that the part is closed across the neck, not along the tongue.
    const bool faced = !trim && listHas(table[f].facing, last.last);
    closePartWith(part, *loop.section(last.last), trim, carriedA ? &carried : nullptr, faced);
  }
  return true;
}
