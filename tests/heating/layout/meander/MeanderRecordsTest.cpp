// The meander's record searches, the band test of a run and the order of
// points along a loop.
#include "heating/layout/record/LayoutOrderings.h"
#include "heating/layout/offsets/LayoutTolerances.h"
#include "heating/layout/meander/MeanderRecordSearches.h"
#include "heating/layout/meander/RunCrossesBand.h"

#include "GraphTestSupport.h"
#include "LayoutTestSupport.h"

namespace {

using Point = XtGePoint2d;

class MeanderRecords : public layout_test::LayoutTest {
 protected:
  MeanderRecords() { setLayoutTolerances(); }
};

CFHMeanderPoint record(std::uint32_t kind, double x, double y) {
  return CFHMeanderPoint(kind, CLoopPoint(Point(x, y)), nullptr);
}

TEST_F(MeanderRecords, NearestOfAKindAnswersTheFirstOfEqualCandidates) {
  const std::vector<CFHMeanderPoint> records{record(2, 0, 10), record(3, 0, 5), record(3, 0, 15), record(3, 0, 4)};
  EXPECT_EQ(findNearestRecordOfKind(records, CLoopPoint(Point(0, 10)), 3), 1) << "5 and 15 are equally near";
  EXPECT_EQ(findNearestRecordOfKind(records, CLoopPoint(Point(0, 0)), 3), 3);
  EXPECT_EQ(findNearestRecordOfKind(records, CLoopPoint(Point(0, 0)), 1), -1);

  std::vector<CFHMeanderLoopEntry> entries;
  for (int i = 0; i < 4; ++i) entries.emplace_back(records[i], 0, i);
  entries.emplace_back(records[1], 1, 0);
  EXPECT_EQ(findRecordByPoint(entries, record(7, 0, 5 + 1e-9)), 1) << "the first of equal points, any kind";
  EXPECT_EQ(findRecordByPoint(entries, record(2, 0, 5.01)), -1);
}

TEST_F(MeanderRecords, BandPointIndexIsDecidedByBoundaryAndFirstLoopRecordsOnly) {
  // Distances from the cross line y = 0 along a run: 100, 300, 500, 700.
  const CFloorHeatingLine crossLine(Point(-1000, 0), Point(1000, 0), nullptr, 1);
  const std::vector<CFHMeanderPoint> records{record(1, 0, 100), record(3, 0, 300), record(2, 0, 500),
                                             record(3, 0, 700)};
  // Forward: the first record nearer than the point.
  EXPECT_EQ(findBandPointIndex(records, Point(0, 400), crossLine, false), -1) << "the boundary record decides";
  // Backward: the first from the back farther than the point; kind 3 passed.
  EXPECT_EQ(findBandPointIndex(records, Point(0, 400), crossLine, true), 2);
  EXPECT_EQ(findBandPointIndex(records, Point(0, 200), crossLine, true), 2) << "the kind-3 record at 700 is passed";
  EXPECT_EQ(findBandPointIndex(records, Point(0, 600), crossLine, false), -1);
  EXPECT_EQ(findBandPointIndex(records, Point(0, 600), crossLine, true), -1) << "nothing farther decides";
  const std::vector<CFHMeanderPoint> inner{record(3, 0, 100), record(2, 0, 200)};
  EXPECT_EQ(findBandPointIndex(inner, Point(0, 300), crossLine, false), 1);
  EXPECT_EQ(findBandPointIndex({}, Point(0, 300), crossLine, false), -1);
}

TEST_F(MeanderRecords, CrossingRecordsAreEqualByKindAndCoarsePoint) {
  EXPECT_TRUE(crossingRecordsEqual(record(2, 0, 0), record(2, 10, 0))) << "within 15 mm";
  EXPECT_FALSE(crossingRecordsEqual(record(2, 0, 0), record(2, 20, 0)));
  EXPECT_FALSE(crossingRecordsEqual(record(2, 0, 0), record(3, 0, 0)));
}

TEST_F(MeanderRecords, RunCrossesABandInsideAndAtItsWidthOnly) {
  // A strip of width 600 inside the left edge of a 4000 x 3000 room.
  const CFloorHeatingLine leftEdge(Point(0, 3000), Point(0, 0), nullptr, 15);
  std::vector<COffsetLoop*> bands{new COffsetLoop(leftEdge, 600.0)};
  auto run = [](double x) { return CFloorHeatingLine(Point(x, -100), Point(x, 3100), nullptr, 10); };
  EXPECT_TRUE(runCrossesBand(bands, run(300)));
  EXPECT_TRUE(runCrossesBand(bands, run(600))) << "along the strip's side";
  EXPECT_FALSE(runCrossesBand(bands, run(700)));
  EXPECT_FALSE(runCrossesBand({}, run(300)));
  std::vector<COffsetLoop*> withNull{nullptr, bands[0]};
  EXPECT_TRUE(runCrossesBand(withNull, run(300)));
  deleteOffsetLoopsAndFree(bands);
}

TEST_F(MeanderRecords, PointsSortByLengthAlongTheLoopBothWays) {
  auto loop = graph_test::polygonLoop({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  const CLoopPoint reference(Point(5, 0), loop->section(0));
  std::vector<CLoopPoint> points;
  for (const Point& p : {Point(0, 5), Point(10, 5), Point(2, 0), Point(5, 10), Point(8, 0)})
    points.emplace_back(p, graph_test::sectionsAt(*loop, p).front());
  for (bool forward : {true, false}) {
    std::vector<CLoopPoint> sorted = points;
    sortByLengthAlongLoop(sorted, *loop, reference, forward, [](const CLoopPoint& p) -> const CLoopPoint& { return p; });
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), compareLengthAlongLoop(*loop, reference, forward)));
    EXPECT_TRUE(sorted.front().point.isEqualTo(forward ? Point(8, 0) : Point(2, 0)));
    EXPECT_TRUE(sorted.back().point.isEqualTo(forward ? Point(2, 0) : Point(8, 0)));
  }
}

}  // namespace
