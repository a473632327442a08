// The drawing I/O object over the stand-in host: the work frame of the
// example manifold under the world and a turned user system, and the release
// of the held entities.
#include "heating/design/drawing/CFHDrawingInOut.h"

#include "host/HostExport.h"
#include "host/entities/entReaderSteps.h"

#include "platform/cadhost/HostStatus.h"
#include "platform/cadhost/ResbufLists.h"

#include "tests/platform/cadhost/host/HostTestFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace {

std::function<void(CFHDrawingInOut&, HostExport2D&)> g_body;

// Runs the body as a command over the minimal example with its manifold (100)
// and pipe (101) read into the object and held, as the design command does.
std::unique_ptr<cadhost::test::HostRun> runOverSelection(cadhost::CadhostOptions options = {}) {
  auto host = std::make_unique<cadhost::test::HostRun>(
      "minimal.dxf", "command run\nselect handles 100 101\n", options,
      std::vector<std::pair<std::string, cadhost::test::TestCommand>>{{"run", [] {
        CFHDrawingInOut& io = CFHDrawingInOut::instance();
        io.clear();
        ASSERT_EQ(callHostWord<138>(nullptr, 0, 0, 0, nullptr), hostStatus::normal);
        while (resbuf* list = callHostWord<167>(0, 0).value_or(nullptr)) {
          const std::int32_t held = io.holdEntity(ltListRef::create(list));
          auto record = CFHDrawingInOut::createRecord(entReader2D::firstGroup(list, 0)->value.str, list);
          ASSERT_TRUE(record && record->valid());
          if (record->kind() != CFHEntityInOut::kDistributor) {
            io.pipeRecords.push_back(std::move(record));
            continue;
          }
          io.setManifold(std::unique_ptr<CFHDistributorInOut>(static_cast<CFHDistributorInOut*>(record.release())));
          io.manifold()->heldIndex = held;
        }
        ASSERT_TRUE(io.hasManifold() && io.pipeRecords.size() == 1);
        g_body(io, *getExport2D());
        io.clear();
      }}});
  EXPECT_EQ(host->run(), 0);
  return host;
}

// Word 28 answering the origin (500, 200) and a zero "UCSXDIR".
resbuf* zeroXDirection(const char* name, int) {
  const bool origin = std::string(name) == "UCSORG";
  const cadhost::Point3 value{origin ? 500.0 : 0.0, origin ? 200.0 : 0.0, 0.0};
  return cadhost::newResbufList({cadhost::Group::point(resbufType::point3d, value)});
}

TEST(CFHDrawingInOutHost, WorldPointsMapRelativeToTheFirstConnectionPointAndTheReleaseKeepsTheManifold) {
  const struct {
    double degrees;  // the user system's X direction about (500, 200); 0: the world system
    bool word36;
    std::int32_t heldIndex;  // 2: past the held array
  } cases[] = {{0, true, 0}, {30, true, 2}, {30, false, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.degrees) + (c.word36 ? " with word 36" : " without word 36"));
    const double a = c.degrees * std::numbers::pi / 180;
    cadhost::CadhostOptions options;
    if (a != 0) options.ucs = cadhost::UcsFrame({500, 200, 0}, {std::cos(a), std::sin(a), 0});
    g_body = [&](CFHDrawingInOut& io, HostExport2D& table) {
      if (!c.word36) {  // the manifold read again without the host's conversion
        table.words[36] = nullptr;
        io.setManifold(std::make_unique<CFHDistributorInOut>(io.manifold()->list()));
      }
      io.updateUcs();
      EXPECT_NEAR(io.ucsAngle(), a == 0 ? 0 : 2 * std::numbers::pi - a, 1e-12);
      const XtGeMatrix2d m = io.workMatrix();
      for (const XtGePoint2d p : {XtGePoint2d(1000, 1000), XtGePoint2d(1300, 2000), XtGePoint2d(-40, 7),
                                  XtGePoint2d(1e7 + 0.25, -1e7), XtGePoint2d(1e7, 1e7 + 3)}) {
        const XtGePoint2d expected = XtGePoint2d() + (p - XtGePoint2d(1000, 1000)).rotateBy(-a);
        const double size = std::max(1.0, p.asVector().length());
        EXPECT_LE((m * p).distanceTo(expected), 1e-9 * size);
        EXPECT_LE((m.inverse() * (m * p)).distanceTo(p), 1e-9 * size);
      }
      io.transformAllToWork();
      EXPECT_LE(io.manifold()->connectionPoints[0].distanceTo(XtGePoint2d()), 1e-9);
      EXPECT_LE(io.pipeRecords[0]->lineSeg()->endPoint().distanceTo(XtGePoint2d(300, 1000).rotateBy(-a)), 1e-9);
      io.manifold()->heldIndex = c.heldIndex;
      io.releaseHeldEntities(false);
      EXPECT_EQ(io.heldCount(), 0u);
      setHostWord<28>(table, zeroXDirection);
      io.readUcs();
      EXPECT_EQ(std::pair(io.ucsXDir(), io.ucsYDir()), std::pair(XtGeVector2d::kXAxis, XtGeVector2d::kYAxis));
      EXPECT_EQ(io.ucsOrigin(), XtGePoint2d(500, 200));
    };
    const auto host = runOverSelection(options);
    // 17, every held list but the manifold's handed back unchanged, 19 with 1.
    EXPECT_EQ(host->logWith({"\"word\":17"}).size(), 1u);
    EXPECT_EQ(host->logWith({"\"word\":114", "\"unchanged\""}).size(), c.heldIndex == 0 ? 1u : 2u);
    EXPECT_EQ(host->logWith({"\"word\":114", "\"handle\":\"101\""}).size(), 1u);
    EXPECT_EQ(host->logWith({"\"word\":19", "\"code\":1,"}).size(), 1u);
    EXPECT_NE(cadhost::test::liveRecord(host->drawing(), 0x100), cadhost::kNoRecord);
  }
}

}  // namespace
