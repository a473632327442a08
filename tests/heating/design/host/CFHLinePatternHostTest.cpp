// Linetype patterns of the preview from the stand-in host's dash lists
// (word 60) of the drawing's LTYPE table (data/linetypes.dxf, made by
// tools/make_linetypes.py).
#include "heating/design/zones/CFHZoneDesignPreview.h"

#include "heating/curves/DrawingUnitFactor.h"

#include "tests/platform/cadhost/host/HostTestFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

std::function<void()> g_body;

void runOverLinetypes(std::function<void()> body) {
  g_body = std::move(body);
  cadhost::test::HostRun run(std::string(HV_DESIGN_TEST_DATA) + "/linetypes.dxf", "command run\n", {},
                             {{"run", [] { g_body(); }}});
  EXPECT_EQ(run.run(), 0);
}

TEST(LinePatternFromHost, DashesScaledMergedAndMissing) {
  const double saved = drawingUnitFactor;
  drawingUnitFactor = 1000.0;
  const struct {
    const char16_t* linetype;
    std::uint32_t scale;
    bool has;
    std::vector<double> lengths;
    std::vector<bool> drawn;
    double total;
  } rows[] = {
      {u"DASHED", 1, true, {4, 2}, {true, false}, 6},
      {u"dashed", 2, true, {8, 4}, {true, false}, 12},  // any case; the style's scale
      {u"DOUBLED", 1, true, {6, 2}, {true, false}, 8},  // two dashes in a row are one
      {u"CONTINUOUS", 1, false, {}, {}, 0},
      {u"NO_SUCH", 1, false, {}, {}, 0},
  };
  std::vector<std::optional<CFHLinePattern>> patterns;
  runOverLinetypes([&] {
    for (const auto& row : rows) {
      CFHPipeStyle style;
      style.linetype = row.linetype;
      style.scale = row.scale;
      patterns.push_back(linePatternFromHost(style));
    }
  });
  drawingUnitFactor = saved;
  ASSERT_EQ(patterns.size(), std::size(rows));
  for (std::size_t i = 0; i < patterns.size(); ++i) {
    const auto& row = rows[i];
    ASSERT_EQ(patterns[i].has_value(), row.has) << i;
    if (!row.has) continue;
    EXPECT_EQ(patterns[i]->lengths, row.lengths) << i;
    EXPECT_EQ(patterns[i]->drawn, row.drawn) << i;
    EXPECT_DOUBLE_EQ(patterns[i]->total, row.total) << i;
    EXPECT_EQ(patterns[i]->name, CString(row.linetype));
  }
  // Without a host there is no pattern.
  EXPECT_FALSE(linePatternFromHost(CFHPipeStyle{}).has_value());
}

}  // namespace
