// A layout's segment curves chained into runs by side, and drawn into the
// preview canvas with the style of their side.
#include "heating/layout/record/CFHCircuitLayout.h"
#include "heating/layout/record/CFHCircuitSegment.h"
#include "heating/layout/record/CFHPipeStyle.h"

#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/CurveChains.h"

#include "ui/gdi/canvas.h"

#include "LayoutTestSupport.h"

namespace {

using Point = XtGePoint2d;

struct Piece {
  Point a, b;
  std::uint8_t drawn = 1, side = 1;
};

struct Layout : CFHCircuitLayout {
  explicit Layout(const std::vector<Piece>& pieces) : CFHCircuitLayout(100, 200, 0) {
    for (const Piece& p : pieces) {
      segments.push_back(new CFHCircuitSegment(nullptr, nullptr, std::make_unique<CFloorHeatingLine>(p.a, p.b, nullptr, 3), 0));
      segments.back()->drawn = p.drawn;
      segments.back()->side = p.side;
    }
  }
};

class SegmentCurves : public layout_test::LayoutTest {};

TEST_F(SegmentCurves, ChainsJoinPiecesOfOneSideEndToEnd) {
  const double e = 1e-3;  // workTol's equal point
  const struct {
    std::vector<Piece> pieces;
    std::size_t runs;
    double length;
  } cases[] = {
      // shuffled, partly reversed pieces of one path
      {{{{200, 100}, {200, 200}}, {{100, 0}, {0, 0}}, {{300, 300}, {300, 200}}, {{100, 0}, {100, 100}},
        {{200, 200}, {300, 200}}, {{200, 100}, {100, 100}}}, 1, 600},
      {{{{0, 0}, {100, 0}}, {{500, 0}, {600, 0}}, {{100, 0}, {100, 100}}, {{600, 100}, {600, 0}}}, 2, 400},
      {{{{0, 0}, {100, 0}}, {{100, 100}, {0, 100}}, {{100, 0}, {100, 100}}, {{0, 0}, {0, 100}}}, 1, 400},  // ring
      {{{{0, 0}, {100, 0}}, {{100, 0}, {200, 0}, 0}, {{100, 0}, {100, 100}, 1, 0}}, 1, 100},  // undrawn, other side
      {{{{0, 0}, {100, 0}}, {{100 + e / 2, 0}, {200, 0}}}, 1, 200 - e / 2},
      {{{{0, 0}, {100, 0}}, {{100 + 2 * e, 0}, {200, 0}}}, 2, 200 - 2 * e},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    std::vector<CurveChain> runs;
    ASSERT_TRUE(Layout(c.pieces).chainSegmentCurves(runs, 1));
    ASSERT_EQ(runs.size(), c.runs);
    double length = 0.0;
    for (const CurveChain& run : runs) {
      for (int i = 0; i < run.curves.length(); ++i) {
        length += run.curves[i]->length();
        Point end, start;
        if (i > 0) {
          ASSERT_TRUE(run.curves[i - 1]->hasEndPoint(end) && run.curves[i]->hasStartPoint(start));
          EXPECT_TRUE(end.isEqualTo(start, workTol)) << "continuous";
        }
      }
    }
    EXPECT_NEAR(length, c.length, 1e-9);
  }
}

TEST_F(SegmentCurves, BothSidesTryTheReturnOnlyAfterTheSupply) {
  Layout layout({{{0, 0}, {100, 0}, 0, 1}, {{0, 0}, {0, 100}, 1, 0}});
  std::vector<CurveChain> supply, back(1);
  EXPECT_FALSE(layout.chainSegmentCurvesBothSides(supply, back));
  EXPECT_EQ(back.size(), 1u) << "the return side is not tried";
  layout.segments[0]->drawn = 1;
  ASSERT_TRUE(layout.chainSegmentCurvesBothSides(supply, back));
  EXPECT_TRUE(supply.size() == 1 && back.size() == 1);
}

TEST_F(SegmentCurves, DrawnSegmentsGoToTheCanvasWithTheStyleOfTheirSide) {
  const Layout layout({{{0, 0}, {100, 0}}, {{100, 0}, {100, 50}, 1, 0}, {{-500, -500}, {0, 0}, 0}});
  CFHPipeStyle supply{CFHPipeStyle::colourOfIndex(1)};
  CFHPipeStyle back{CFHPipeStyle::colourOfIndex(5), CString(u"ČÁRKOVANÁ"), 4, 3};
  GDI::canvas canvas, overridden;
  layout.drawSegments(canvas, supply, back, 77, 0, 0, false);
  layout.drawSegments(overridden, supply, back, 0, 0, 5, true);
  ASSERT_EQ(canvas.baseLayer.size(), 2u) << "only drawn segments";
  const auto* first = dynamic_cast<const GDI::curve*>(canvas.baseLayer[0]);
  const auto* second = dynamic_cast<const GDI::curve*>(canvas.baseLayer[1]);
  ASSERT_TRUE(first != nullptr && second != nullptr);
  EXPECT_TRUE(first->colour == 0xFFFFFFFF00000001ull && first->linetype == "CONTINUOUS");
  EXPECT_EQ(second->colour, 0xFFFFFFFF00000005ull);
  EXPECT_EQ(second->linetype, "\xC8\xC1RKOVAN\xC1") << "code page 1250";
  EXPECT_TRUE(second->scale == 3.0 && second->penWidth == 4 && second->passOn == 77);
  EXPECT_TRUE(second->extra[0] == 0 && second->extra[1] == 1);
  EXPECT_TRUE(canvas.extents.minPoint().isEqualTo({0, 0}) && canvas.extents.maxPoint().isEqualTo({100, 50}));
  for (const GDI::item* item : overridden.baseLayer)
    EXPECT_EQ(dynamic_cast<const GDI::curve*>(item)->colour, 0xFFFFFFFF00000005ull) << "override";
}

}  // namespace
