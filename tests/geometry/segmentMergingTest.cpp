#include "tests/geometry/curveShapes.h"
#include "geometry/segmentMerging.h"

#include <gtest/gtest.h>

using namespace curveShapes;

namespace {
class segmentMerging : public WorkTolerances {};
}  // namespace

TEST_F(segmentMerging, CollinearSegmentsThatTouchBecomeOne) {
  struct {
    std::vector<std::array<double, 4>> segments, merged;
    double unitFactor;
  } const cases[] = {
      {{{0, 0, 2, 0}, {1, 0, 5, 0}}, {{0, 0, 5, 0}}, 1},
      {{{0, 0, 9, 0}, {3, 0, 2, 0}}, {{0, 0, 9, 0}}, 1},                  // one inside the other
      {{{4, 0, 6, 0}, {0, 0, 2, 0}, {6, 0, 0, 0}}, {{0, 0, 6, 0}}, 1},    // passes repeat
      {{{0, 0, 2, 0}, {0, 1, 2, 1}}, {{0, 0, 2, 0}, {0, 1, 2, 1}}, 1},    // parallel apart
      // In millimetres: a far end off the line by 87 stays apart; one off by
      // less than the tolerance merges.
      {{{0, 0, 10000, 0}, {10000, 0, 20000, 87}}, {{0, 0, 10000, 0}, {10000, 0, 20000, 87}}, 1000},
      {{{0, 0, 10000, 0}, {10000, 0.0004, 20000, 0}}, {{0, 0, 20000, 0}}, 1000}};
  for (const auto& c : cases) {
    workTol = XtGeTol(c.unitFactor * 1e-6, c.unitFactor * 1e-8);
    ownedCurveList list;
    for (const auto& s : c.segments) list.list.append(new XtGeLineSeg2d({s[0], s[1]}, {s[2], s[3]}));
    list.list.append(new XtGeCircArc2d(XtGePoint2d(0, 0), 1.0));
    mergeCollinearSegments(list.list);
    ASSERT_EQ(list.list.count(), static_cast<int>(c.merged.size()) + 1);
    for (std::size_t i = 0; i < c.merged.size(); ++i) {
      const auto& seg = static_cast<const XtGeLineSeg2d&>(*list.list[static_cast<int>(i)]);
      EXPECT_EQ(seg.startPoint(), XtGePoint2d(c.merged[i][0], c.merged[i][1]));
      EXPECT_EQ(seg.endPoint(), XtGePoint2d(c.merged[i][2], c.merged[i][3]));
    }
  }
}

TEST_F(segmentMerging, CodirectionalNeighboursMergeAcrossTheSeamOfClosedCompositesOnly) {
  // A rectangle with its side midpoints as vertices, starting at a corner
  // and mid-side; an open zigzag whose ends point the same way; a piece of
  // no length.
  CompositePtr atCorner = outline({{0, 0}, {2, 0}, {4, 0}, {4, 1}, {4, 2}, {2, 2}, {0, 2}, {0, 1}});
  CompositePtr midSide = outline({{2, 0}, {4, 0}, {4, 1}, {4, 2}, {2, 2}, {0, 2}, {0, 1}, {0, 0}});
  CompositePtr zigzag = outline({{0, 0}, {1, 0}, {1, 5}, {2, 5}}, {}, false);
  CompositePtr withDot = outline({{0, 0}, {1, 0}, {1, 0}, {3, 0}}, {}, false);
  for (XtGeCompositeCurve2d* c : {atCorner.get(), midSide.get()}) {
    EXPECT_TRUE(mergeCodirectionalNeighbours(*c, workTol));
    EXPECT_EQ(c->numCurves(), 4);
    EXPECT_NEAR(closedArea(*c), 8.0, 1e-12);
  }
  EXPECT_FALSE(mergeCodirectionalNeighbours(*zigzag, workTol));
  EXPECT_EQ(zigzag->numCurves(), 3);
  EXPECT_TRUE(mergeCodirectionalNeighbours(*withDot, workTol));
  EXPECT_EQ(withDot->numCurves(), 1);

  CompositePtr dots = outline({{0, 0}, {0, 0}, {1, 0}, {1, 0}, {1, 1}});
  EXPECT_EQ(removeCompositeZeroLengthPieces(*dots), 2);
  EXPECT_EQ(dots->numCurves(), 3);
  XtGeCompositeCurve2d empty;
  EXPECT_FALSE(mergeCodirectionalNeighbours(empty, workTol));
  EXPECT_EQ(removeCompositeZeroLengthPieces(empty), 0);
}
