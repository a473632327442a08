// Measuring hatches: a hatch copy's area and lengths by its fill style (tree
// areas are checked by hatches.py).
#include <gtest/gtest.h>

#include "geometry/FailureNotice.h"
#include "host/ResbufBuilder.h"
#include "host/Tolerances.h"
#include "host/entities/HatchBuilder.h"
#include "host/entities/ltHatch2D.h"
#include "tests/host/entities/HatchShapes.h"

namespace {

using namespace hatchShapes;

struct measure {
  int answer = 0;
  double area = 0, boundary = 0, total = 0;
  std::size_t curves = 0;
};

class HatchMeasures : public ::testing::Test {
 protected:
  void SetUp() override { hvSetFailureNoticeSink([this](const hvFailureNotice& n) { return reports += n.text, IDOK; }); }
  void TearDown() override { hvSetFailureNoticeSink({}); }

  // getProperties of a hatch of the loops with fill style 75 = style.
  static measure measured(std::vector<ltHatchLoop> loops, int style) {
    ltHatch2D hatch;
    hatch.loops() = std::move(loops);
    hatch.setList(buildResbufList({{0, u"HATCH"}, {100, u"AcDbHatch"}, {91, 0}, {75, style}}));
    measure m;
    std::vector<std::unique_ptr<XtGeCurve2d>> curves;
    m.answer = hatch.getProperties(m.area, m.boundary, curves, m.total);
    m.curves = curves.size();
    return m;
  }

  GeometryToleranceScope tolerances{1};
  std::u16string reports;
  // Square 10, hole 5 (clockwise), island 2, listed innermost first.
  const std::vector<ltHatchLoop> nested{{rectangle(4, 4, 6, 6), 0, {}},
                                        {rectangle(2.5, 2.5, 7.5, 7.5, true), 0, {}},
                                        {rectangle(0, 0, 10, 10), 1, {}}};
};

TEST_F(HatchMeasures, StylesChooseTheNestingLevels) {
  const double areas[] = {79, 75, 100};
  for (int style = 0; style < 3; ++style) {
    const measure m = measured(nested, style);
    EXPECT_EQ(m.answer, 1);
    EXPECT_NEAR(m.area, areas[style], 1e-9) << style;
    EXPECT_NEAR(m.boundary, 40, 1e-9);
    EXPECT_EQ(m.curves, 3u);
  }
  EXPECT_NEAR(measured(nested, 0).total, 68, 1e-9);
  std::vector<ltHatchLoop> boxed = nested;
  boxed[0].flags = 8;  // a text box is left out
  EXPECT_NEAR(measured(boxed, 0).area, 75, 1e-9);
  // Regions beside each other keep their holes.
  const measure two = measured({{rectangle(0, 0, 10, 10), 1, {}}, {rectangle(20, 0, 30, 10), 1, {}},
                                {rectangle(2, 2, 4, 4), 0, {}}, {rectangle(22, 2, 24, 4), 0, {}}},
                               1);
  EXPECT_NEAR(two.area, 192, 1e-9);
  EXPECT_NEAR(two.boundary, 80, 1e-9);
  EXPECT_TRUE(reports.empty());
}

TEST_F(HatchMeasures, UnknownStylesAndOpenLoopsAreReported) {
  EXPECT_EQ(measured(nested, 3).answer, 0);
  EXPECT_NE(reports.find(u"ltHatch2D::getProperties"), std::u16string::npos);
  reports.clear();
  std::vector<ltHatchLoop> open = {nested[2]};
  open.push_back({chain({new XtGeLineSeg2d({20, 0}, {30, 0}), new XtGeLineSeg2d({30, 0}, {30, 5})}), 0, {}});
  const measure m = measured(open, 0);
  EXPECT_EQ(m.answer, 0);
  EXPECT_NEAR(m.area, 100, 1e-9);  // the closed loop still counts
  EXPECT_NE(reports.find(u"ltHatch2D::getProperties"), std::u16string::npos);
}

}  // namespace
