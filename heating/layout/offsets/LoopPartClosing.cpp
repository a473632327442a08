#include "heating/layout/offsets/LoopPartClosing.h"

#include <algorithm>

#include "geometry/Tolerances.h"
#include "heating/curves/CFloorHeatingLine.h"

bool chordsCollinear(const CFloorHeatingCurve& a, const CFloorHeatingCurve& b, const XtGeTol& tol) {
  return a.chordLine().isColinearTo(b.chordLine(), tol);
}

void setCurveStart(CFloorHeatingCurve& curve, const XtGePoint2d& start) {
  const XtGePoint2d newStart = start;
  const XtGePoint2d end = curve.endPoint();
  curve.setEndPoints(newStart, end);
}

void setCurveEnd(CFloorHeatingCurve& curve, const XtGePoint2d& end) {
  const XtGePoint2d start = curve.startPoint();
  const XtGePoint2d newEnd = end;
  curve.setEndPoints(start, newEnd);
}

std::unique_ptr<COffsetSection> lineSection(const XtGePoint2d& from, const XtGePoint2d& to, std::uint32_t tag) {
  return std::make_unique<COffsetSection>(std::make_unique<CFloorHeatingLine>(from, to, nullptr, tag));
}

bool tableMatches(const COffsetLoop& loop, const LoopPartTable& table) { return table.size() == loop.elements.size(); }

bool isLoopPosition(const COffsetLoop& loop, int i) { return i >= 0 && i < loop.sectionCount(); }

bool listHas(const std::vector<int>& list, int i) { return std::find(list.begin(), list.end(), i) != list.end(); }

void appendSectionCopy(const COffsetLoop& loop, int i, COffsetLoop& part, LoopPartTable& table) {
  const COffsetSection* section = loop.section(i);
  if (section == nullptr || !section->hasCurve()) return;
  table[i].visited = 1;
  part.appendSection(copyOffsetSection(*section).release());
}

bool absorbLine(const CFloorHeatingCurve& line, CFloorHeatingCurve& before, CFloorHeatingCurve& after,
                bool afterFirst) {
  auto intoAfter = [&] {
    if (!chordsCollinear(line, after, workTol)) return false;
    setCurveStart(after, line.startPoint());
    return true;
  };
  auto intoBefore = [&] {
    if (!chordsCollinear(line, before, workTol)) return false;
    setCurveEnd(before, line.endPoint());
    return true;
  };
  return afterFirst ? intoAfter() || intoBefore() : intoBefore() || intoAfter();
}

void closePartGap(COffsetLoop& part) {
  if (part.sectionCount() == 0) return;
  CFloorHeatingCurve& first = *part.section(0)->curve;
  CFloorHeatingCurve& last = *part.section(part.sectionCount() - 1)->curve;
  if (last.endPoint().isEqualTo(first.startPoint(), workTol)) return;
  std::unique_ptr<COffsetSection> gap = lineSection(last.endPoint(), first.startPoint(), last.tag());
  if (!absorbLine(*gap->curve, last, first, true)) part.appendSection(gap.release());
}

void closePartWith(COffsetLoop& part, const COffsetSection& last, bool trimToFirst, const XtGePoint2d* start,
                   bool firstToLast) {
  if (part.sectionCount() == 0 || !last.hasCurve()) return;
  std::unique_ptr<COffsetSection> copy = copyOffsetSection(last);
  CFloorHeatingCurve& closing = *copy->curve;
  if (start != nullptr) setCurveStart(closing, *start);
  CFloorHeatingCurve& first = *part.section(0)->curve;
  if (chordsCollinear(closing, first, workTol)) {
    setCurveStart(first, closing.startPoint());
    return;
  }
  if (trimToFirst) setCurveEnd(closing, closing.closestPointTo(first.startPoint()));
  if (firstToLast) setCurveStart(first, first.closestPointTo(closing.endPoint()));
  part.appendSection(copy.release());
  closePartGap(part);
}
