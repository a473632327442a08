// The preview of a zone: its edges on the canvas, the host's lengths, the
// label kinds' text styles. (Linetype patterns come from the host: see
// host/CFHLinePatternHostTest.cpp.)
#include "heating/design/settings/CFHDescData.h"
#include "heating/design/zones/CFHZoneDesignPreview.h"

#include "heating/curves/DrawingUnitFactor.h"

#include "ui/gdi/canvas.h"

#include "ZoneDesignTestSupport.h"

namespace {

class ZonePreview : public zone_design_test::DesignTest {};

TEST_F(ZonePreview, EdgesInTheirStylesWithTheirKeys) {
  CFHModel model;
  CFHZoneEntry* zone = zone_design_test::addZone(model, 3, zone_fixture::z1Rectangle());
  const CFHBoundLoop& sides = zone->design()->boundary()->asDrawnLoop;
  ASSERT_EQ(sides.itemCount(), 4);
  zone->design()->selectEdgesByKeys({zone->design()->edgeKey(static_cast<std::uint32_t>(sides.item(1)->id))});
  std::pair<CFHPipeStyle, CFHPipeStyle> styles;
  styles.second.colour = CFHPipeStyle::colourOfIndex(1);
  styles.second.linetype = u"ČÁRKOVANÁ";
  styles.second.penWidth = 5;
  for (const int mode : {0, 1}) {
    GDI::canvas canvas;
    zone->design()->drawBoundaryEdges(canvas, styles, mode);
    ASSERT_EQ(canvas.baseLayer.size(), 4u);
    for (int i = 0; i < 4; ++i) {
      const auto* curve = dynamic_cast<const GDI::curve*>(canvas.baseLayer[static_cast<std::size_t>(i)]);
      ASSERT_NE(curve, nullptr);
      EXPECT_EQ(curve->passOn, 3000000 + sides.item(i)->id);
      const CFHPipeStyle& style = mode == 1 && i == 1 ? styles.second : styles.first;
      EXPECT_EQ(curve->colour, style.colour) << mode << " " << i;
      EXPECT_EQ(curve->penWidth, static_cast<std::int32_t>(style.penWidth));
      EXPECT_EQ(curve->linetype, style.linetypeForHost());
      EXPECT_FALSE(curve->hasScale);
    }
    XtGePoint2d lo, hi;
    ASSERT_TRUE(canvas.extents.getMinMaxPoints(lo, hi));
    EXPECT_TRUE(lo.isEqualTo({0, 0}) && hi.isEqualTo({4000, 3000}));
  }
  EXPECT_EQ(styles.second.linetypeForHost(), "\xC8\xC1RKOVAN\xC1");  // code page 1250
  GDI::canvas empty;
  model.addZone(4)->design()->drawBoundaryEdges(empty, styles, 1);
  EXPECT_TRUE(empty.baseLayer.empty() && empty.extents.isEmpty());
}

TEST(ZonePreviewValues, HostLengthsAndTextStyles) {
  const double saved = drawingUnitFactor;
  drawingUnitFactor = 1000.0;
  const CFHHostLength both{20.0, 0.75};
  const CFHHostLength none{};
  EXPECT_DOUBLE_EQ(hostLengthValue(&both, 0), 20.0);
  EXPECT_DOUBLE_EQ(hostLengthValue(&both, 1), 0.75);
  EXPECT_EQ(hostLengthValue(&both, 2), 0.0);
  EXPECT_EQ(hostLengthValue(&none, 0), 0.0);
  EXPECT_EQ(hostLengthValue(&none, 1), 0.0);
  EXPECT_EQ(hostLengthValue(nullptr, 0), 0.0);
  drawingUnitFactor = saved;

  CFHDescData desc;
  desc.textStyles = {CString(u"ZONE"), CString(u"MANIFOLD"), CString(u"CIRCUIT"), CString()};
  const char16_t* expected[] = {u"ZONE", u"ZONE", u"MANIFOLD", u"CIRCUIT"};
  for (int kind = 0; kind < 4; ++kind) {
    CString out(u"before");
    EXPECT_TRUE(desc.descriptionTextByKind(kind, out));
    EXPECT_EQ(out, CString(expected[kind]));
  }
  for (const int kind : {4, 5, -1}) {  // an empty style, no such kind
    CString out(u"before");
    EXPECT_FALSE(desc.descriptionTextByKind(kind, out));
    EXPECT_EQ(out, CString(u"before"));
  }
}

}  // namespace
