// The drawing I/O object over the stand-in host: the example manifold and
// pipe brought into the work frame under the world and a turned user
// coordinate system, and the release of the held entities.
#include "heating/design/CFHDrawingInOut.h"

#include "host/HostExport.h"
#include "host/ResbufChain.h"
#include "host/entities/entReaderSteps.h"

#include "platform/cadhost/HostStatus.h"
#include "platform/cadhost/ResbufLists.h"

#include "tests/platform/cadhost/host/HostTestFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace {

std::function<void()> g_body;
cadhost::test::HostRun* g_run = nullptr;

// Reads the selection (the manifold 100 and the pipe 101 of the minimal
// example) into the object, holding every entity as the design command does.
void readSelection(CFHDrawingInOut& io) {
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
    auto manifold = std::unique_ptr<CFHDistributorInOut>(static_cast<CFHDistributorInOut*>(record.release()));
    manifold->heldIndex = held;
    io.setManifold(std::move(manifold));
  }
  ASSERT_TRUE(io.hasManifold());
  ASSERT_EQ(io.pipeRecords.size(), 1u);
}

cadhost::test::HostRun& run(cadhost::test::HostRun& host, std::function<void()> body) {
  g_body = std::move(body);
  g_run = &host;
  EXPECT_EQ(host.run(), 0);
  return host;
}

cadhost::test::HostRun* minimalRun(cadhost::CadhostOptions options = {}) {
  return new cadhost::test::HostRun("minimal.dxf", "command run\nselect handles 100 101\n", options,
                                    {{"run", [] { g_body(); }}});
}

TEST(CFHDrawingInOutHost, TheWorldFrameMovesTheManifoldToTheOriginAndTheReleaseKeepsIt) {
  std::unique_ptr<cadhost::test::HostRun> host(minimalRun());
  CFHDrawingInOut& io = CFHDrawingInOut::instance();
  run(*host, [&] {
    readSelection(io);
    EXPECT_EQ(io.manifold()->connectionPoints.front(), XtGePoint2d(1000, 1000));
    EXPECT_EQ(io.offset(), XtGeVector2d(-1000, -1000));
    io.updateUcs();
    io.transformAllToWork();
    EXPECT_EQ(io.manifold()->connectionPoints,
              (std::vector<XtGePoint2d>{{0, 0}, {600, 0}, {600, 100}, {0, 100}}));
    EXPECT_EQ(io.pipeRecords[0]->lineSeg()->startPoint(), XtGePoint2d(300, 100));
    EXPECT_EQ(io.pipeRecords[0]->lineSeg()->endPoint(), XtGePoint2d(300, 1000));
    io.releaseHeldEntities(false);
    EXPECT_EQ(io.heldCount(), 0u);
    io.clear();
  });
  // 17, the pipe alone handed back unchanged, 19 with 1; the manifold stays.
  EXPECT_EQ(host->logWith({"\"word\":17"}).size(), 1u);
  EXPECT_EQ(host->logWith({"\"word\":114"}).size(), 1u);
  EXPECT_EQ(host->logWith({"\"word\":114", "\"handle\":\"101\"", "\"unchanged\""}).size(), 1u);
  EXPECT_EQ(host->logWith({"\"word\":19", "\"code\":1,"}).size(), 1u);
  EXPECT_NE(cadhost::test::liveRecord(host->drawing(), 0x100), cadhost::kNoRecord);
}

// Word 28 answering a zero "UCSXDIR".
resbuf* zeroXDirection(const char* name, int) {
  const bool origin = std::string(name) == "UCSORG";
  const cadhost::Point3 value{origin ? 500.0 : 0.0, origin ? 200.0 : 0.0, 0.0};
  return cadhost::newResbufList({cadhost::Group::point(resbufType::point3d, value)});
}

TEST(CFHDrawingInOutHost, ATurnedFrameMapsWorldPointsRelativeToTheFirstConnectionPoint) {
  const double a = std::numbers::pi / 6;
  cadhost::CadhostOptions turned;
  turned.ucs = cadhost::UcsFrame({500, 200, 0}, {std::cos(a), std::sin(a), 0});
  for (const bool word36 : {true, false}) {
    SCOPED_TRACE(word36 ? "with word 36" : "without word 36");
    std::unique_ptr<cadhost::test::HostRun> host(minimalRun(turned));
    CFHDrawingInOut& io = CFHDrawingInOut::instance();
    run(*host, [&] {
      if (!word36) g_run->host().table()->words[36] = nullptr;
      readSelection(io);
      io.updateUcs();
      EXPECT_NEAR(io.ucsAngle(), 11 * std::numbers::pi / 6, 1e-12);
      const XtGeMatrix2d& m = io.workMatrix();
      const XtGeMatrix2d back = m.inverse();
      const XtGePoint2d c0(1000, 1000);
      for (const XtGePoint2d p : {XtGePoint2d(1000, 1000), XtGePoint2d(1300, 2000), XtGePoint2d(-40, 7),
                                  XtGePoint2d(1e7 + 0.25, -1e7), XtGePoint2d(1e7, 1e7 + 3)}) {
        const XtGePoint2d expected = XtGePoint2d() + (p - c0).rotateBy(-a);
        const double size = std::max(1.0, p.asVector().length());
        EXPECT_LE((m * p).distanceTo(expected), 1e-9 * size);
        EXPECT_LE((back * (m * p)).distanceTo(p), 1e-9 * size);
      }
      // A zero X direction from the host: the world axes, about the origin read.
      setHostWord<28>(*g_run->host().table(), zeroXDirection);
      io.readUcs();
      EXPECT_EQ(io.ucsXDir(), XtGeVector2d::kXAxis);
      EXPECT_EQ(io.ucsYDir(), XtGeVector2d::kYAxis);
      EXPECT_EQ(io.ucsOrigin(), XtGePoint2d(500, 200));
      EXPECT_EQ(io.ucsAngle(), 0.0);
      io.clear();
    });
  }
}

}  // namespace
