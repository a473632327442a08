// Entity operations that ask the stand-in host: multiline text boxes by the
// drawing interface's text measure.
#include <gtest/gtest.h>

#include <numbers>

#include "host/HvHostApi.h"
#include "host/entities/ltMText2D.h"
#include "host/entities/ucsMatrix.h"
#include "platform/ge/XtGeMatrix3d.h"
#include "platform/ge/XtGePoint3d.h"
#include "platform/ge/XtGeBoundBlock2d.h"
#include "platform/win/Modules.h"
#include "tests/platform/cadhost/host/HostTestFixture.h"

namespace {

using cadhost::test::HostRun;

// Binds the drawing interface of a host run for the test's duration.
struct BoundInterface {
  BoundInterface() { EXPECT_EQ(hvInitHostApi(GetModuleHandleW(hostApiModuleName)), 1); }
  ~BoundInterface() { hvReleaseHostApi(false); }
};

std::pair<XtGePoint2d, XtGePoint2d> boxOf(const ltEnt2D& copy) {
  XtGeBoundBlock2d block;
  EXPECT_TRUE(copy.getExtents(block, false));
  return {block.minPoint(), block.maxPoint()};
}

TEST(EntityExtentsHosted, MultilineTextsAreMeasuredLineByLineAndPlacedByAttachment) {
  const XtGeTol tol(1e-9, 1e-9);
  ltMText2D text;
  text.insertion = {0, 10};
  text.height = 2.5;
  text.text = u"AB\\PCDE";
  auto [low, high] = boxOf(text);  // no interface: the insertion point alone
  EXPECT_TRUE(low.isEqualTo({0, 10}, tol) && high.isEqualTo({0, 10}, tol));

  HostRun run("minimal.dxf", "");
  BoundInterface bound;
  std::tie(low, high) = boxOf(text);
  EXPECT_TRUE(low.isEqualTo({0, 10 - 20.0 / 3}, tol) && high.isEqualTo({6.75, 10}, tol));
  // Every attachment keeps the box's size and puts the insertion point on
  // the matching corner or mid-point of its sides.
  for (int attachment = 1; attachment <= 9; ++attachment) {
    text.attachment = attachment;
    std::tie(low, high) = boxOf(text);
    EXPECT_NEAR(high.x - low.x, 6.75, 1e-9);
    EXPECT_NEAR(high.y - low.y, 20.0 / 3, 1e-9);
    const double column = (attachment - 1) % 3 * 0.5;
    const double row = 1.0 - (attachment - 1) / 3 * 0.5;
    EXPECT_TRUE(XtGePoint2d(low.x + column * 6.75, low.y + row * 20.0 / 3).isEqualTo({0, 10}, tol)) << attachment;
  }
  text.attachment = 5;
  text.rotation = std::numbers::pi / 2;
  std::tie(low, high) = boxOf(text);
  EXPECT_TRUE(low.isEqualTo({-10.0 / 3, 10 - 3.375}, tol) && high.isEqualTo({10.0 / 3, 10 + 3.375}, tol));
}

TEST(EntityOperationsHosted, TheUserSystemOfTheDrawing) {
  XtGeMatrix2d plane;
  XtGeMatrix3d space;
  getUcsTransform(plane, space);  // no interface: the world
  EXPECT_TRUE(plane.isIdentity() && ucsMatrix().isIdentity());
  cadhost::CadhostOptions options;
  options.ucs = cadhost::UcsFrame({10, 20, 0}, {0, 1, 0});
  HostRun run("minimal.dxf", "", options);
  BoundInterface bound;
  getUcsTransform(plane, space);
  // The user X axis runs along the world Y axis from (10, 20).
  EXPECT_TRUE((plane * XtGePoint2d(10, 25)).isEqualTo({5, 0}, XtGeTol(1e-12, 1e-12)));
  EXPECT_TRUE((space * XtGePoint3d(10, 25, 3)).isEqualTo({5, 0, 3}, XtGeTol(1e-12, 1e-12)));
  EXPECT_TRUE(ucsMatrix().isEqualTo(plane));
  setUcsMatrix(XtGeMatrix2d::kIdentity);
}

}  // namespace
