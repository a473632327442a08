// The spiral's loops made ready before the pipe is laid: the narrow loops and
// necks set apart, crossing loops dropped, one region kept, and the corners
// of the first loop cut where level 1 comes near.
#include "heating/layout/SpiralRun.h"

#include "heating/layout/CFHPipeEnd.h"
#include "heating/layout/COffsetLoop.h"
#include "heating/layout/COffsetNarrowLoopSection.h"
#include "heating/layout/LayoutSegmentTags.h"
#include "heating/layout/LayoutSpacingRules.h"
#include "heating/layout/LoopPartClosing.h"
#include "heating/layout/DeleteAndClear.h"
#include "heating/layout/LayoutOrderings.h"
#include "heating/layout/LoopTipCuts.h"
#include "heating/layout/OffsetLoopParts.h"
#include "heating/layout/OffsetLoopQueries.h"
#include "heating/layout/PointSegmentDistance.h"

#include "heating/curves/AngleBetweenVectors.h"
#include "heating/curves/CFloorHeatingLine.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

namespace {

using Level = CFHCircuitLayout::Level;

// The longest thin innermost loop set apart, in spacings round.
constexpr double kShortThinLoop = 8.0;
// A fold: a side no longer than this many spacings between two sides that
// run against each other within spacing_rules::kFoldDegrees.
constexpr double kFoldWidth = 0.25;
using spacing_rules::kFoldDegrees;
// Straight sides that meet this nearly in line (their corner within this
// many spacings of the line between the neighbouring corners) are one side,
// in a loop of at most kMostInLineSides sides.
constexpr double kInLine = 1e-3;
constexpr int kMostInLineSides = 8;

// The loop becomes a narrow loop section of the run and is deleted.
void setApart(SpiralRun& run, COffsetLoop* loop) {
  run.narrows.reserve(run.narrows.size() + 1);
  run.narrows.push_back(makeNarrowLoopSection(*loop).release());
  delete loop;
}

// The innermost loop of a two-level layout stays whole for the bridges onto
// it, but a short one that is nothing but neck (its sides nearer than a
// spacing everywhere) holds no run of its own: laid as a level, the bridge
// onto it and the centre's join take the run off the first loop early and
// leave a corner of the room bare (a room about 2.5 spacings deep). It is
// set apart as narrow pieces, which the detours reach from the first loop's
// run laid all the way round. A long thin strip stays: the runs beside it
// reach it from both sides, where the detours from the one run reach less.
void setApartWhenAllNeck(SpiralRun& run, Level& level, std::size_t i) {
  if (level[i]->length(workTol) > kShortThinLoop * run.layout.spacing) return;
  std::vector<COffsetLoop*> parts;
  std::vector<COffsetNarrowLoopSection*> pieces;
  splitOffsetLoop(*level[i], run.layout.spacing, parts, pieces);
  if (!parts.empty() || pieces.empty()) {
    deleteOffsetLoopsAndFree(parts);
    deleteOffsetLoopsAndFree(pieces);
    return;
  }
  run.narrows.insert(run.narrows.end(), pieces.begin(), pieces.end());
  delete level[i];
  level.erase(level.begin() + static_cast<std::ptrdiff_t>(i));
}

// The innermost level of three or more, one loop of more than four
// sections that is nothing but neck (its sides nearer than s everywhere, a
// bent strip): the centre laid round it is a hairpin whose legs lie under s
// apart along the whole strip. It is set apart as one narrow loop section,
// which the detours reach from the runs beside it on both sides. (A
// four-sided strip keeps the centre's zigzag.) True when it went.
bool setApartThinInnermostStrip(SpiralRun& run, Level& level, std::size_t i) {
  COffsetLoop* loop = level[i];
  LoopPartTable table;
  if (loop->sectionCount() <= 4 || !closeLoopGaps(*loop) || loop->sectionCount() < 3 ||
      !fillLoopPartTable(*loop, run.layout.spacing, table) || !isAllNeck(table))
    return false;
  level.erase(level.begin() + static_cast<std::ptrdiff_t>(i));
  setApart(run, loop);
  return true;
}

int loopCount(const Level& level) {
  return static_cast<int>(std::count_if(level.begin(), level.end(), [](const COffsetLoop* l) { return l != nullptr; }));
}

// The loops of level k: narrow ones set apart, the others split at their
// necks (in place: the parts take the loop's position).
void splitLevelLoops(SpiralRun& run, Level& level, std::size_t k, bool lastLevel, bool twoLevelsAtStart) {
  const double s = run.layout.spacing;
  for (std::size_t i = 0; i < level.size();) {
    COffsetLoop* loop = level[i];
    if (loop == nullptr) {
      level.erase(level.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    if (loop->sectionCount() < 3) {
      level.erase(level.begin() + static_cast<std::ptrdiff_t>(i));
      setApart(run, loop);
      continue;
    }
    if (k == 1 && twoLevelsAtStart && loopCount(level) == 1) {
      setApartWhenAllNeck(run, level, i);
      return;
    }
    if (lastLevel && k >= 2 && loopCount(level) == 1 && setApartThinInnermostStrip(run, level, i)) return;
    if (lastLevel && loop->sectionCount() == 4) {
      ++i;
      continue;
    }
    std::vector<COffsetLoop*> parts;
    std::vector<COffsetNarrowLoopSection*> pieces;
    splitOffsetLoop(*loop, s, parts, pieces);
    run.narrows.insert(run.narrows.end(), pieces.begin(), pieces.end());
    level.erase(level.begin() + static_cast<std::ptrdiff_t>(i));
    delete loop;
    level.insert(level.begin() + static_cast<std::ptrdiff_t>(i), parts.begin(), parts.end());
    i += parts.size();
  }
}

// Of two crossing loops the shorter goes (the first of the pair on equal
// length).
void dropCrossingLoops(Level& level) {
  for (std::size_t i = 0; i < level.size();) {
    bool lost = false;
    for (std::size_t j = 0; j < level.size() && !lost; ++j)
      lost = j != i && longerOfCrossingLoops(level[i], level[j]) == level[j];
    if (!lost) {
      ++i;
      continue;
    }
    delete level[i];
    level.erase(level.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

// A loop of straight sides that is four-sided but for corners in line
// (kInLine: a corner within this share of s of the line between its
// neighbours) becomes four-sided: the offsets of a wall's corners may leave
// a side of a millimetre or two between two parts of one side, or not, by
// the last bits of the drawing, and the centre turn takes a four-sided
// innermost loop only. Other loops stay as they are.
void squareUpFourSided(COffsetLoop& loop, double s) {
  const int n = loop.sectionCount();
  if (n <= 4 || n > kMostInLineSides) return;
  std::vector<XtGePoint2d> corners;
  for (int i = 0; i < n; ++i) {
    const COffsetSection* section = loop.section(i);
    if (!section->hasCurve() || section->curve->kind() != CFloorHeatingCurve::kLine) return;
    corners.push_back(section->curve->startPoint());
  }
  // Corners in line go, one at a time (each pass at most n of them).
  const double tol = kInLine * s;
  for (bool dropped = true; dropped && corners.size() > 4;) {
    dropped = false;
    for (std::size_t i = 0; i < corners.size() && corners.size() > 4; ++i) {
      const XtGePoint2d& before = corners[(i + corners.size() - 1) % corners.size()];
      const XtGePoint2d& after = corners[(i + 1) % corners.size()];
      if ((corners[i] - before).dotProduct(after - corners[i]) <= 0.0 ||
          pointSegmentDistance(corners[i], before, after) > tol)
        continue;
      corners.erase(corners.begin() + static_cast<std::ptrdiff_t>(i));
      dropped = true;
    }
  }
  if (corners.size() != 4) return;
  // The sides anew, each with the tag of the side that starts at its corner.
  std::vector<CLoopElement*> sides;
  for (std::size_t k = 0; k < 4; ++k) {
    std::uint32_t tag = 0;
    for (int i = 0; i < n; ++i)
      if (loop.section(i)->curve->startPoint().isEqualTo(corners[k], workTolFine)) tag = loop.section(i)->curve->tag();
    sides.push_back(makeSection(std::make_unique<CFloorHeatingLine>(corners[k], corners[(k + 1) % 4], nullptr, tag)));
  }
  for (CLoopElement* e : loop.elements) delete e;
  loop.elements = std::move(sides);
}

// The sides a, b, c of a fold as straight lines (their ends), when they
// are: c runs back against a (within kFoldDegrees), b between them is
// short (kFoldWidth s) and c, the shorter of the two, lies beside a.
bool isFold(const COffsetSection& a, const COffsetSection& b, const COffsetSection& c, double s) {
  if (!a.hasCurve() || !b.hasCurve() || !c.hasCurve() || a.curve->kind() != CFloorHeatingCurve::kLine ||
      b.curve->kind() != CFloorHeatingCurve::kLine || c.curve->kind() != CFloorHeatingCurve::kLine)
    return false;
  const XtGeVector2d u = a.curve->endPoint() - a.curve->startPoint();
  const XtGeVector2d v = c.curve->endPoint() - c.curve->startPoint();
  const double lu = u.length();
  const double lv = v.length();
  static const double kCosFold = std::cos(kFoldDegrees * std::numbers::pi / 180.0);
  return b.curve->length() <= kFoldWidth * s && lv > workTol.equalPoint() && lv < lu &&
         -u.dotProduct(v) >= kCosFold * lu * lv;
}

// Unfolds the loop where it runs out and straight back beside itself: a
// wall's jog beside a corner leaves an offset loop a spike 2 mm wide and
// 23 mm long, and a pipe laid along it lies over itself. The side c that
// folds back, and the short side b before it, go; a ends at the foot of c's
// end on it, from where a new side (tag 12) reaches c's end. (A fold the
// other way round, its longer side after it, is the same read backwards.)
// Each side of the loop as it came is looked at once.
void unfoldLoop(COffsetLoop& loop, double s) {
  const int bound = loop.sectionCount();
  for (int step = 0; step < bound && loop.sectionCount() > 4; ++step) {
    const int n = loop.sectionCount();
    int at = -1;
    bool backwards = false;
    for (int i = 0; i < n && at < 0; ++i) {
      const COffsetSection& a = *loop.section(i);
      const COffsetSection& b = *loop.section((i + 1) % n);
      const COffsetSection& c = *loop.section((i + 2) % n);
      if (isFold(a, b, c, s)) at = i;
      // Read backwards: c's reverse folds onto a's reverse.
      else if (isFold(c, b, a, s)) at = i, backwards = true;
    }
    if (at < 0) return;
    const int ia = at, ib = (at + 1) % n, ic = (at + 2) % n;
    const CFloorHeatingCurve& a = *loop.section(ia)->curve;
    const CFloorHeatingCurve& c = *loop.section(ic)->curve;
    // Forwards: A -> foot of D on a, then on to D (c's end). Backwards: A
    // (a's start) to the foot of A on c, then on along c to D.
    const XtGePoint2d from = backwards ? a.startPoint() : a.startPoint();
    XtGePoint2d knee;
    XtGePoint2d to;
    if (!backwards) {
      knee = a.closestPointTo(c.endPoint());
      to = c.endPoint();
    } else {
      knee = c.closestPointTo(a.startPoint());
      to = c.endPoint();
    }
    std::vector<CLoopElement*> made;
    if (!from.isEqualTo(knee, workTol))
      made.push_back(makeSection(std::make_unique<CFloorHeatingLine>(from, knee, nullptr, kTagSpiralLine)));
    if (!knee.isEqualTo(to, workTol))
      made.push_back(makeSection(std::make_unique<CFloorHeatingLine>(knee, to, nullptr, kTagSpiralLine)));
    // The three sides go, the new ones take the first one's place.
    std::vector<CLoopElement*> gone{loop.elements[static_cast<std::size_t>(ia)],
                                    loop.elements[static_cast<std::size_t>(ib)],
                                    loop.elements[static_cast<std::size_t>(ic)]};
    std::vector<CLoopElement*> kept;
    kept.reserve(loop.elements.size() + made.size());
    for (std::size_t k = 0; k < loop.elements.size(); ++k) {
      if (static_cast<int>(k) == ia) kept.insert(kept.end(), made.begin(), made.end());
      if (std::find(gone.begin(), gone.end(), loop.elements[k]) == gone.end()) kept.push_back(loop.elements[k]);
    }
    loop.elements.swap(kept);
    for (CLoopElement* e : gone) delete e;
  }
}

void closeGaps(SpiralRun& run, Level& level) {
  for (std::size_t i = 0; i < level.size();) {
    closeLoopGaps(*level[i]);
    if (level[i]->sectionCount() >= 3) {
      squareUpFourSided(*level[i], run.layout.spacing);
      unfoldLoop(*level[i], run.layout.spacing);
      cutNarrowTips(*level[i], run.layout.spacing);
      ++i;
      continue;
    }
    COffsetLoop* loop = level[i];
    level.erase(level.begin() + static_cast<std::ptrdiff_t>(i));
    if (loop->sectionCount() > 0)
      setApart(run, loop);
    else
      delete loop;
  }
}

// Drops the levels from k on.
void dropLevelsFrom(std::vector<Level*>& levels, std::size_t k) {
  if (k >= levels.size()) return;
  std::vector<Level*> dropped(levels.begin() + static_cast<std::ptrdiff_t>(k), levels.end());
  levels.resize(k);
  deleteLoopListsAndClear(dropped);
}

// Keeps the region of level 0's first loop.
void keepFirstRegion(SpiralRun& run) {
  std::vector<Level*>& levels = run.layout.levels;
  Level& top = *levels.front();
  while (top.size() > 1) {
    COffsetLoop* other = top[1];
    for (std::size_t k = 1; k < levels.size(); ++k) {
      Level& level = *levels[k];
      for (std::size_t i = 0; i < level.size();) {
        COffsetLoop* loop = level[i];
        if (loop->sectionCount() == 0 ||
            other->classifyPoint(loop->section(0)->startPoint(), workTol) != CLoop::kInside) {
          ++i;
          continue;
        }
        level.erase(level.begin() + static_cast<std::ptrdiff_t>(i));
        delete loop;
      }
    }
    top.erase(top.begin() + 1);
    delete other;
    run.regionsDropped = true;
  }
  for (std::size_t k = 1; k < levels.size(); ++k) {
    if (!levels[k]->empty()) continue;
    dropLevelsFrom(levels, k);
    break;
  }
}

// Whether the section's curve meets a loop of the level.
bool meetsLevel(const COffsetSection& section, const Level& level) {
  std::vector<COffsetPoint> points;
  return std::any_of(level.begin(), level.end(), [&](const COffsetLoop* loop) {
    return loop != nullptr && loop->intersectionPoints(*section.curve, points, workTol);
  });
}

// The line a corner cut takes from a neighbour: the neighbour's own line,
// or, when it turns by pi/2 or more against the section, its perpendicular
// through the joint.
XtGeLine2d cutLine(const CFloorHeatingCurve& neighbour, const XtGePoint2d& joint, double turn) {
  if (turn < 0.5 * std::numbers::pi) return neighbour.chordLine();
  return XtGeLine2d(joint, neighbour.direction().perpVector());
}

}  // namespace

void prepareSpiralLoops(SpiralRun& run) {
  CFHCircuitLayout& layout = run.layout;
  std::vector<Level*>& levels = layout.levels;
  const bool twoLevelsAtStart = levels.size() == 2;
  const XtGePoint2d start = layout.startEnd != nullptr ? layout.startEnd->point : XtGePoint2d();
  for (std::size_t k = 0; k < levels.size();) {
    if (levels[k] == nullptr) {
      levels.erase(levels.begin() + static_cast<std::ptrdiff_t>(k));
      continue;
    }
    Level& level = *levels[k];
    splitLevelLoops(run, level, k, k + 1 == levels.size(), twoLevelsAtStart);
    dropCrossingLoops(level);
    closeGaps(run, level);
    if (level.empty()) {
      delete levels[k];
      levels.erase(levels.begin() + static_cast<std::ptrdiff_t>(k));
      continue;
    }
    sortLoopsByDistanceToPoint(level, start, workTol);
    ++k;
  }
  if (!levels.empty()) keepFirstRegion(run);
}

void cutFirstLoopCorners(SpiralRun& run) {
  CFHCircuitLayout& layout = run.layout;
  COffsetLoop* first = layout.firstOffsetLoop();
  if (first == nullptr || layout.levels.size() < 2 || layout.levels[1] == nullptr) return;
  const Level& inner = *layout.levels[1];
  // Each section of the loop as it came is looked at once; the sections a
  // cut makes are never cut again.
  std::vector<const COffsetSection*> done;
  const int bound = first->sectionCount();
  for (int step = 0; step < bound && first->sectionCount() > 3; ++step) {
    int at = -1;
    for (int i = 0; i < first->sectionCount() && at < 0; ++i) {
      const COffsetSection* section = first->section(i);
      if (section->hasCurve() && std::find(done.begin(), done.end(), section) == done.end() &&
          meetsLevel(*section, inner))
        at = i;
    }
    if (at < 0) return;
    COffsetSection* s = first->section(at);
    const COffsetSection* p = first->section(first->previousIndex(at));
    const COffsetSection* n = first->section(first->nextIndex(at));
    done.push_back(s);
    if (!p->hasCurve() || !n->hasCurve()) continue;
    const double a1 = angleBetweenVectors(p->curve->direction(), s->curve->direction(), true);
    const double a2 = angleBetweenVectors(s->curve->direction(), n->curve->direction(), true);
    const XtGePoint2d from = p->curve->endPoint();
    const XtGePoint2d to = n->curve->startPoint();
    XtGePoint2d x;
    const double reach = s->curve->length();
    if (!cutLine(*p->curve, from, a1).intersectWith(cutLine(*n->curve, to, a2), x, workTol) || !x.isFinite() ||
        x.distanceTo(s->curve->startPoint()) > reach || x.distanceTo(s->curve->endPoint()) > reach)
      continue;
    std::vector<CLoopElement*> made;
    if (!from.isEqualTo(x, workTol))
      made.push_back(makeSection(std::make_unique<CFloorHeatingLine>(from, x, nullptr, kTagSpiralLine)));
    if (!x.isEqualTo(to, workTol))
      made.push_back(makeSection(std::make_unique<CFloorHeatingLine>(x, to, nullptr, kTagSpiralLine)));
    if (made.empty()) continue;
    first->elements.reserve(first->elements.size() + made.size());
    for (const CLoopElement* e : made) done.push_back(static_cast<const COffsetSection*>(e));
    first->elements.erase(first->elements.begin() + at);
    first->elements.insert(first->elements.begin() + at, made.begin(), made.end());
    delete s;
  }
}
