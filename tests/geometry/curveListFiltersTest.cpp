#include "tests/geometry/curveShapes.h"
#include "geometry/curveListFilters.h"
#include "geometry/curveProbes.h"
#include "geometry/releasePtrArray.h"
#include "platform/ge/XtGeEllipArc2d.h"

#include <gtest/gtest.h>

using namespace curveShapes;

namespace {

constexpr double kPi = XtGe::kPi;
class curveListFilters : public WorkTolerances {};

// The pieces of the outline appended to the context; answers its entry.
curveEntry entryOf(const XtGeCompositeCurve2d& outline, curvePtrArray& context) {
  curveEntry entry;
  for (int i = 0; i < outline.numCurves(); ++i) {
    entry.append(makePieceRef(static_cast<std::uint32_t>(context.count()), false));
    context.append(outline.curveAt(i)->copy());
  }
  return entry;
}

void segmentsThrough(const std::vector<XtGePoint2d>& p, curvePtrArray& out) {
  for (std::size_t i = 0; i + 1 < p.size(); ++i) out.append(new XtGeLineSeg2d(p[i], p[i + 1]));
}

}  // namespace

TEST_F(curveListFilters, DuplicatesGoWhateverTheirSense) {
  curvePtrArray curves;
  curves.append(new XtGeLineSeg2d({0, 0}, {10, 0}));
  curves.append(new XtGeLineSeg2d({10, 0}, {0, 0}));
  curves.append(new XtGeCircArc2d({0, 0}, 5, 0, kPi / 2));
  curves.append(&(new XtGeCircArc2d({0, 0}, 5, 0, kPi / 2))->reverseParam());
  // Same ends, other centre: the arc bulging the other way.
  curves.append(new XtGeCircArc2d({5, 5}, 5, kPi, 1.5 * kPi));
  const XtGeEllipArc2d ellipse({0, 0}, {1, 0}, {0, 1}, 4, 2, 0, 1);
  curves.append(ellipse.copy());
  curves.append(&ellipse.copy()->reverseParam());
  curves.append(new XtGeLineSeg2d({0, 0}, {10, 1e-7}));  // within workTol
  EXPECT_EQ(removeDuplicateCurves(curves), 4);
  EXPECT_EQ(curves[2]->type(), XtGe::kCircArc2d);
  EXPECT_EQ(curves[3]->type(), XtGe::kEllipArc2d);
  releasePtrArray(curves);
}

TEST_F(curveListFilters, NestedAndSmallerSharedEntriesGo) {
  curvePtrArray context;
  std::vector<curveEntry> entries;
  entries.push_back(entryOf(*box(0, 0, 10, 10), context));
  entries.push_back(entryOf(*box(3, 3, 7, 7), context));        // inside the first: goes
  entries.push_back(entryOf(*box(1, 1, 2, 2, true), context));  // drawn clockwise: goes too
  entries.push_back(entryOf(*box(20, 0, 30, 10), context));      // apart: stays
  entries.push_back(entryOf(*box(20, 0, 30, 10), context));      // identical: both stay
  entries.push_back(curveEntry());                               // no boundary: goes
  EXPECT_EQ(removeNestedEntries(context, entries), 3);
  EXPECT_EQ(static_cast<std::uint32_t>(entries[0][0]), 0u);
  EXPECT_EQ(static_cast<std::uint32_t>(entries[1][0]), 12u);
  releasePtrArray(context);

  // A 10 x 10 square cut at x = 4: the two sides share the cut.
  const std::vector<XtGePoint2d> p{{0, 0}, {4, 0}, {4, 10}, {0, 10}, {10, 0}, {10, 10}};
  const int sides[][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {1, 4}, {4, 5}, {5, 2}};
  for (const auto& s : sides) context.append(new XtGeLineSeg2d(p[s[0]], p[s[1]]));
  entries.assign(2, curveEntry());
  for (const std::uint32_t i : {0u, 1u, 2u, 3u}) entries[0].append(makePieceRef(i, false));
  for (const std::uint32_t i : {4u, 5u, 6u}) entries[1].append(makePieceRef(i, false));
  entries[1].append(makePieceRef(1, true));
  EXPECT_EQ(removeSmallerSharedEntries(context, entries, false), 1);
  EXPECT_EQ(entries[0][0], 4u);  // the 60 side stays
  releasePtrArray(context);

  // X (30) shares a side with Y (20), Y another with Z (10): once Y goes
  // it takes no further part, so Z stays.
  segmentsThrough({{0, 0}, {10, 0}}, context);
  segmentsThrough({{10, 2}, {0, 2}}, context);
  segmentsThrough({{0, 0}, {0, -3}, {10, -3}, {10, 0}, {10, 2}}, context);
  segmentsThrough({{0, 2}, {0, 0}}, context);
  segmentsThrough({{10, 2}, {10, 3}, {0, 3}, {0, 2}}, context);
  auto entry = [](std::initializer_list<pieceRef> refs) {
    curveEntry made;
    for (const pieceRef ref : refs) made.append(ref);
    return made;
  };
  const curveEntry x = entry({makePieceRef(0, true), 2, 3, 4});
  const curveEntry y = entry({0, 5, 1, 6});
  const curveEntry z = entry({makePieceRef(1, true), 7, 8, 9});
  entries.assign({x, y, z});
  EXPECT_EQ(removeSmallerSharedEntries(context, entries, false), 2);
  EXPECT_EQ(entries[1][1], 7u);
  entries.assign({y, z});
  EXPECT_EQ(removeSmallerSharedEntries(context, entries, false), 1);
  EXPECT_EQ(entries[0][1], 5u);
  releasePtrArray(context);
}

TEST_F(curveListFilters, CurvesSplitAtAVerticalLine) {
  std::unique_ptr<XtGeCurve2d> first;
  std::unique_ptr<XtGeCurve2d> second;
  const XtGeLineSeg2d segment({0, 0}, {10, 0});
  ASSERT_TRUE(splitCurveAtX(segment, 4, first, second));
  EXPECT_NEAR(first->length(), 4, 1e-12);
  EXPECT_NEAR(second->length(), 6, 1e-12);
  const XtGeCircArc2d half({0, 0}, 5, 0, kPi);
  ASSERT_TRUE(splitCurveAtX(half, 0, first, second));
  EXPECT_NEAR(first->length(), 2.5 * kPi, 1e-9);
  EXPECT_NEAR(second->length(), 2.5 * kPi, 1e-9);
  EXPECT_FALSE(splitCurveAtX(segment, 10 - workTol.equalPoint() / 2, first, second));
  EXPECT_FALSE(first || second);
  EXPECT_FALSE(splitCurveAtX(segment, 12, first, second));
  const XtGeEllipArc2d ellipse({0, 0}, {1, 0}, {0, 1}, 4, 2, 0, kPi);
  ASSERT_TRUE(splitCurveAtX(ellipse, 2, first, second));
  XtGePoint2d end;
  first->hasEndPoint(end);
  EXPECT_NEAR(end.x, 2, 1e-6);
}

TEST_F(curveListFilters, SegmentsCrossCurvesAwayFromTheirEndsOnly) {
  const XtGeLineSeg2d segment({0, 0}, {10, 0});
  const struct {
    XtGeCurve2d* curve;
    int crosses;
  } cases[] = {{new XtGeLineSeg2d({5, -1}, {5, 1}), 1},  {new XtGeLineSeg2d({10, -1}, {10, 1}), 0},
               {new XtGeCircArc2d({5, 1}, 1), 0},         {new XtGeCircArc2d({5, 0}, 1), 1},
               {new XtGeCircArc2d({5, 1}, 1.5, kPi, 2 * kPi), 1}, {new XtGeEllipArc2d(), 0}};
  for (const auto& c : cases) {
    const XtGeCurve2d* one[] = {c.curve};
    EXPECT_EQ(segmentCrossesCurves(segment, one), c.crosses) << c.curve->type();
    delete c.curve;
  }
}
