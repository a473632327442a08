// Measuring hatches: the area of a boundary tree as a hatch fills it, and a
// hatch copy's area and lengths by its fill style.
#include <gtest/gtest.h>

#include "geometry/FailureNotice.h"
#include "geometry/boundaryTree.h"
#include "host/ResbufBuilder.h"
#include "host/Tolerances.h"
#include "host/entities/HatchBuilder.h"
#include "host/entities/ltHatch2D.h"
#include "tests/host/entities/HatchShapes.h"

namespace {

using namespace hatchShapes;

class HatchMeasures : public ::testing::Test {
 protected:
  void SetUp() override {
    hvSetFailureNoticeSink([this](const hvFailureNotice& n) { return reports += n.text, IDOK; });
  }
  void TearDown() override { hvSetFailureNoticeSink({}); }

  // A hatch of the loops with fill style 75 = style.
  static std::unique_ptr<ltHatch2D> hatchOf(std::vector<ltHatchLoop> loops, int style) {
    auto hatch = std::make_unique<ltHatch2D>();
    hatch->loops() = std::move(loops);
    hatch->setList(buildResbufList({{0, u"HATCH"}, {100, u"AcDbHatch"}, {91, 0}, {75, style}}));
    return hatch;
  }

  struct measure {
    int answer;
    double area = 0, boundary = 0, total = 0;
    std::size_t curves = 0;
  };
  static measure measured(const ltHatch2D& hatch) {
    measure m{0};
    std::vector<std::unique_ptr<XtGeCurve2d>> curves;
    m.answer = hatch.getProperties(m.area, m.boundary, curves, m.total);
    m.curves = curves.size();
    return m;
  }

  GeometryToleranceScope tolerances{1};
  std::u16string reports;
};

TEST_F(HatchMeasures, TreeAreasCountIslandsInHolesAgain) {
  bndLevel tree;
  for (const XtGeCompositeCurve2d& square : {rectangle(0, 0, 10, 10), rectangle(2.5, 2.5, 7.5, 7.5, true)})
    ASSERT_EQ(boundBuilderAddBoundary(tree, square, kBoundaryEvenOdd), kBoundaryAdded);
  double area = 0;
  EXPECT_EQ(hatchTreeArea(tree, area), 0);
  EXPECT_NEAR(area, 75, 1e-9);
  ASSERT_EQ(boundBuilderAddBoundary(tree, rectangle(4, 4, 6, 6), kBoundaryEvenOdd), kBoundaryAdded);
  EXPECT_EQ(hatchTreeArea(tree, area), 0);
  EXPECT_NEAR(area, 79, 1e-9);
  releaseBoundaryLevel(tree);
  EXPECT_EQ(hatchTreeArea(tree, area), 0);
  EXPECT_EQ(area, 0);
}

TEST_F(HatchMeasures, StylesChooseTheNestingLevels) {
  // Listed innermost first, the hole drawn clockwise.
  const std::vector<ltHatchLoop> loops{{rectangle(4, 4, 6, 6), 0, {}},
                                       {rectangle(2.5, 2.5, 7.5, 7.5, true), 0, {}},
                                       {rectangle(0, 0, 10, 10), 1, {}}};
  const double areas[] = {79, 75, 100};
  for (int style = 0; style < 3; ++style) {
    const measure m = measured(*hatchOf(loops, style));
    EXPECT_EQ(m.answer, 1);
    EXPECT_NEAR(m.area, areas[style], 1e-9) << style;
    EXPECT_NEAR(m.boundary, 40, 1e-9);
    EXPECT_EQ(m.curves, 3u);
  }
  EXPECT_NEAR(measured(*hatchOf(loops, 0)).total, 68, 1e-9);

  // A text-box loop is left out.
  std::vector<ltHatchLoop> boxed = loops;
  boxed[0].flags = 8;
  const measure m = measured(*hatchOf(boxed, 0));
  EXPECT_NEAR(m.area, 75, 1e-9);
  EXPECT_EQ(m.curves, 2u);
  EXPECT_TRUE(reports.empty());
}

TEST_F(HatchMeasures, RegionsBesideEachOtherKeepTheirHoles) {
  const std::vector<ltHatchLoop> loops{{rectangle(0, 0, 10, 10), 1, {}},
                                       {rectangle(20, 0, 30, 10), 1, {}},
                                       {rectangle(2, 2, 4, 4), 0, {}},
                                       {rectangle(22, 2, 24, 4), 0, {}}};
  const measure m = measured(*hatchOf(loops, 1));
  EXPECT_EQ(m.answer, 1);
  EXPECT_NEAR(m.area, 192, 1e-9);
  EXPECT_NEAR(m.boundary, 80, 1e-9);
}

TEST_F(HatchMeasures, UnknownStylesAndOpenLoopsAreReported) {
  const std::vector<ltHatchLoop> square{{rectangle(0, 0, 10, 10), 1, {}}};
  EXPECT_EQ(measured(*hatchOf(square, 3)).answer, 0);
  EXPECT_NE(reports.find(u"ltHatch2D::getProperties"), std::u16string::npos);
  reports.clear();
  std::vector<ltHatchLoop> open = square;
  open.push_back({chain({new XtGeLineSeg2d({20, 0}, {30, 0}), new XtGeLineSeg2d({30, 0}, {30, 5})}), 0, {}});
  const measure m = measured(*hatchOf(open, 0));
  EXPECT_EQ(m.answer, 0);
  EXPECT_NEAR(m.area, 100, 1e-9);  // the closed loop still counts
  EXPECT_NE(reports.find(u"ltHatch2D::getProperties"), std::u16string::npos);
}

}  // namespace
