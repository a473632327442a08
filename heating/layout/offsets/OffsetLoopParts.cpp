// Copies, gap closing, the working table and the examination of one loop.
#include "heating/layout/offsets/OffsetLoopParts.h"

#include <cmath>
#include <numbers>

#include "geometry/Tolerances.h"
#include "heating/layout/offsets/COffsetNarrowLoopSection.h"
#include "heating/layout/offsets/DeleteAndClear.h"
#include "heating/layout/offsets/LoopPartClosing.h"
#include "heating/layout/offsets/OffsetLoopQueries.h"

std::unique_ptr<COffsetSection> copyOffsetSection(const COffsetSection& section) {
  CFloorHeatingCurve::Ptr curve;
  if (section.hasCurve()) curve = section.curve->extendedCopyAt(section.curve->midPoint(), 0.0);
  auto copy = std::make_unique<COffsetSection>(std::move(curve));
  copy->sources = section.sources;
  return copy;
}

std::unique_ptr<COffsetLoop> copyOffsetLoop(const COffsetLoop& loop) {
  auto copy = std::make_unique<COffsetLoop>();
  copy->elements.reserve(loop.elements.size());
  for (int i = 0; i < loop.sectionCount(); ++i)
    if (loop.elementWithCurve(i) != nullptr) copy->appendSection(copyOffsetSection(*loop.section(i)).release());
  return copy;
}

void OffsetLevelDelete::operator()(std::vector<COffsetLoop*>* level) const {
  if (level == nullptr) return;
  deleteOffsetLoopsAndFree(*level);
  delete level;
}

OffsetLevelPtr copyOffsetLevel(const std::vector<COffsetLoop*>& level) {
  OffsetLevelPtr copy(new std::vector<COffsetLoop*>());
  copy->reserve(level.size());
  for (const COffsetLoop* loop : level)
    if (loop != nullptr) copy->push_back(copyOffsetLoop(*loop).release());
  return copy;
}

bool closeLoopGaps(COffsetLoop& loop) {
  std::vector<CLoopElement*>& e = loop.elements;
  if (e.size() < 3) return false;
  // Removed sections are kept here and deleted at the end.
  std::vector<std::unique_ptr<CLoopElement>> removed;
  removed.reserve(e.size());
  auto take = [&](std::size_t i) {
    removed.emplace_back(e[i]);
    e.erase(e.begin() + static_cast<std::ptrdiff_t>(i));
  };
  for (std::size_t i = 0; i < e.size();) {
    if (e[i] == nullptr || !e[i]->hasCurve())
      take(i);
    else
      ++i;
  }
  for (std::size_t i = 1; i < e.size();) {
    CFloorHeatingCurve& a = *e[i - 1]->curve;
    const CFloorHeatingCurve& b = *e[i]->curve;
    if (a.startPoint().isEqualTo(b.startPoint(), workTol)) {
      take(a.length() <= b.length() ? i - 1 : i);
      continue;
    }
    if (!a.endPoint().isEqualTo(b.startPoint(), workTol)) setCurveEnd(a, b.startPoint());
    ++i;
  }
  if (e.size() >= 2) {
    const CFloorHeatingCurve& first = *e.front()->curve;
    CFloorHeatingCurve& last = *e.back()->curve;
    if (!last.startPoint().isEqualTo(first.startPoint(), workTol)) {
      if (!last.endPoint().isEqualTo(first.startPoint(), workTol))
        setCurveEnd(last, first.startPoint());
    } else {
      // The last section doubles the first one's start: it goes, and the
      // first keeps its start (the section before the last already ends
      // there), reaching on to the second one's start.
      take(e.size() - 1);
      if (e.size() >= 2) setCurveEnd(*e.front()->curve, e[1]->startPoint());
    }
  }
  for (std::size_t i = 0; i < e.size();) {
    if (e[i]->curve->length() < workTol.equalPoint())
      take(i);
    else
      ++i;
  }
  mergeCollinearSections(loop);
  return true;
}

namespace {

// Sections met over others shorter together than this many spacings meet
// at a corner.
constexpr double kCornerSpacings = 2.0;
// A corner turning by no more than this (an inside angle of 45 degrees or
// more) is open: a pipe passes round it, and its legs draw apart beyond it.
constexpr double kOpenCornerTurn = 0.75 * std::numbers::pi;

// Whether section `to` follows section `from` over sections shorter
// together than kCornerSpacings spacings (a corner squared or chamfered by
// them, by the offset or by a tip cut).
bool followsOverCorner(const COffsetLoop& loop, int from, int to, double spacing) {
  double length = 0.0;
  int i = loop.nextIndex(from);
  for (int step = 0; step < loop.sectionCount() && i != to; ++step, i = loop.nextIndex(i)) {
    if (loop.elementWithCurve(i) == nullptr) return false;
    length += loop.section(i)->curve->length();
    if (!(length < kCornerSpacings * spacing)) return false;
  }
  return i == to && i != loop.nextIndex(from);
}

bool turnsAtMost(const XtGeVector2d& a, const XtGeVector2d& b, double turn) {
  const double la = a.length(), lb = b.length();
  if (!(la > 0.0) || !(lb > 0.0)) return false;
  return a.dotProduct(b) / (la * lb) >= std::cos(turn);
}

}  // namespace

bool fillLoopPartTable(const COffsetLoop& loop, double spacing, LoopPartTable& table) {
  const int n = loop.sectionCount();
  table.assign(static_cast<std::size_t>(n), LoopPartRecord());
  if (!(spacing > 0.0) || !std::isfinite(spacing)) {
    table.clear();
    return false;
  }
  for (int i = 0; i < n; ++i)
    if (loop.elementWithCurve(i) == nullptr || loop.section(i)->curve->length() < spacing) table[i].flags |= kPartShort;
  bool necks = false;
  // The end `p` of section s against section t.
  auto test = [&](int s, int t, const XtGePoint2d& p, std::uint32_t flag, std::vector<int>& partners) {
    const CFloorHeatingCurve& other = *loop.section(t)->curve;
    const XtGePoint2d onOther = other.closestPointTo(p);
    if (!(p.distanceTo(onOther) < spacing)) return;
    necks = true;
    table[s].flags |= flag;
    partners.push_back(t);
    if (onOther != other.startPoint() && onOther != other.endPoint()) {
      table[t].flags |= kPartFaced;
      if (!listHas(table[t].facing, s)) table[t].facing.push_back(s);
    }
  };
  for (int s = 0; s < n; ++s) {
    if ((table[s].flags & kPartShort) != 0) continue;
    const CFloorHeatingCurve& curve = *loop.section(s)->curve;
    for (int t = 0; t < n; ++t) {
      if (t == s || t == loop.previousIndex(s) || t == loop.nextIndex(s) || (table[t].flags & kPartShort) != 0)
        continue;
      // Two sections of an open corner cut by a section or two are near
      // each other there by the corner alone (their legs draw apart): not
      // a neck, else a part would be closed straight across the room. That
      // holds for both ends of a leg: at an acute corner a leg shorter than
      // s / sin(angle) (a round wall's polygon side where it meets a
      // straight wall) lies within s of the other leg at its far end too,
      // and a neck there would close the corner's tip into a part and leave
      // the rest of the loop to the detours.
      const bool open = turnsAtMost(curve.direction(), loop.section(t)->curve->direction(), kOpenCornerTurn);
      const bool legs = open && (followsOverCorner(loop, t, s, spacing) || followsOverCorner(loop, s, t, spacing));
      if (!legs) {
        test(s, t, curve.startPoint(), kPartStartNear, table[s].nearStart);
        test(s, t, curve.endPoint(), kPartEndNear, table[s].nearEnd);
      }
    }
  }
  return necks;
}

bool isAllNeck(const LoopPartTable& table) {
  for (const LoopPartRecord& r : table) {
    const bool bothNear = (r.flags & kPartStartNear) != 0 && (r.flags & kPartEndNear) != 0;
    if ((r.flags & kPartShort) == 0 && !bothNear) return false;
  }
  return true;
}

void splitOffsetLoop(COffsetLoop& loop, double spacing, std::vector<COffsetLoop*>& parts,
                     std::vector<COffsetNarrowLoopSection*>& narrows) {
  closeLoopGaps(loop);
  const int n = loop.sectionCount();
  if (n < 3) {
    // Nothing with room for a pipe: what is left can only be reached by a
    // detour.
    if (n > 0) appendOwned(narrows, makeNarrowLoopSection(loop));
    return;
  }
  LoopPartTable table;
  if (!fillLoopPartTable(loop, spacing, table)) {
    appendOwned(parts, copyOffsetLoop(loop));
    return;
  }
  if (isAllNeck(table)) {
    for (int i = 0; i < n; ++i) {
      if (loop.section(i)->curve->length() < kAllNeckShortFactor * spacing) {
        appendOwned(narrows, makeNarrowLoopSection(loop));
        return;
      }
    }
    appendOwned(parts, copyOffsetLoop(loop));
    return;
  }
  const std::size_t before = parts.size();
  formLoopParts(loop, spacing, table, parts);
  const std::vector<COffsetLoop*> made(parts.begin() + static_cast<std::ptrdiff_t>(before), parts.end());
  collectNarrowSections(loop, made, narrows);
}
