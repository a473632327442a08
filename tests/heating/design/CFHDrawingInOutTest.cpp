// The drawing I/O object without a host: filing, the checks and handle
// collections over the lists, the work frame of a manifold offset, and the
// held entities.
#include "heating/design/CFHArcInOut.h"
#include "heating/design/CFHDrawingInOut.h"
#include "heating/design/CFHLineInOut.h"

#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"

#include <gtest/gtest.h>

#include <array>
#include <numbers>
#include <string>

namespace {

constexpr std::array<double, 3> P(double x, double y) { return {x, y, 0.0}; }

struct DrawingInOutTest : ::testing::Test {
  CFHDrawingInOut& io = CFHDrawingInOut::instance();
  void SetUp() override { io.clear(); }
  void TearDown() override { io.clear(); }
};

// A record of the kind with handle `handle` and, unless empty, record id `id`.
CFHDrawingInOut::RecordPtr makeRecord(const char16_t* type, const char16_t* handle, const char16_t* id) {
  resbuf* list = nullptr;
  const std::u16string name(type);
  if (name == u"LINE") list = buildResbufList({{0, u"LINE"}, {5, handle}, {10, P(0, 0)}, {11, P(1, 0)}});
  else if (name == u"LWPOLYLINE")
    list = buildResbufList({{0, u"LWPOLYLINE"}, {5, handle}, {90, 2}, {70, 0}, {10, P(0, 0)}, {10, P(1, 1)}});
  else if (name == u"ARC") list = buildResbufList({{0, u"ARC"}, {5, handle}, {10, P(0, 0)}, {40, 1.0}});
  else if (name == u"MTEXT") list = buildResbufList({{0, u"MTEXT"}, {5, handle}, {10, P(0, 0)}, {40, 1.0}, {1, u"T"}});
  else if (name == u"TEXT") list = buildResbufList({{0, u"TEXT"}, {5, handle}, {100, u"AcDbText"}, {10, P(0, 0)}, {40, 1.0}, {1, u"T"}});
  else if (name == u"DIMENSION") list = buildResbufList({{0, u"DIMENSION"}, {5, handle}});
  if (*id != u'\0') appendResbufChain(&list, buildResbufList({{1001, u"QEV_DATA"}, {1000, id}}));
  const ownedChain owned(list);
  return CFHDrawingInOut::createRecord(type, owned.get());
}

TEST_F(DrawingInOutTest, RecordsAreFiledByKindAndIdentifier) {
  using L = CFHDrawingInOut::RecordList CFHDrawingInOut::*;
  const struct {
    const char16_t* type;
    const char16_t* id;
    L list;  // null: the auxiliary record
    bool heating;
  } cases[] = {
      {u"LINE", u"TP80000-0001", &CFHDrawingInOut::supplyRecords, true},
      {u"LINE", u"TP90000-0001", &CFHDrawingInOut::returnRecords, true},
      {u"LINE", u"TPV2000-0001", &CFHDrawingInOut::otherRecords, true},
      {u"LINE", u"", &CFHDrawingInOut::otherRecords, true},
      {u"LWPOLYLINE", u"TPV2000-0001", &CFHDrawingInOut::boundaryRecords, true},
      {u"LWPOLYLINE", u"TP90000-0001", &CFHDrawingInOut::returnRecords, true},
      {u"LWPOLYLINE", u"tpv2000-0001", &CFHDrawingInOut::otherRecords, true},
      {u"MTEXT", u"TPV1000-0001", &CFHDrawingInOut::zoneLabelRecords, true},
      {u"MTEXT", u"TPV1001-0002", &CFHDrawingInOut::circuitLabelRecords, true},
      {u"MTEXT", u"TPV1001-0001", &CFHDrawingInOut::heatingBodyRecords, true},
      {u"MTEXT", u"TPV1001-0003", &CFHDrawingInOut::heatingBodyNumberRecords, false},
      {u"MTEXT", u"TPV1000-0002", nullptr, false},
      {u"MTEXT", u"TP80000-0001", &CFHDrawingInOut::otherRecords, true},
      {u"TEXT", u"TPV1000-0001", &CFHDrawingInOut::otherRecords, true},
      {u"ARC", u"TP80000-0001", &CFHDrawingInOut::otherRecords, true},
      {u"DIMENSION", u"TPV2000-0001", &CFHDrawingInOut::otherRecords, true},
  };
  for (const auto& c : cases) {
    const std::u16string what = std::u16string(c.type) + u" " + c.id;
    SCOPED_TRACE(std::string(what.begin(), what.end()));
    io.clear();
    auto record = makeRecord(c.type, u"AB", c.id);
    ASSERT_TRUE(record && record->valid());
    const CFHEntityInOut* raw = record.get();
    io.fileRecord(std::move(record));
    if (c.list == nullptr) EXPECT_EQ(io.auxRecord(), raw);
    else EXPECT_EQ((io.*c.list).size(), 1u);
    EXPECT_EQ(io.hasHeatingRecords(), c.heating);
  }
  // Hatches are filed as hatches whatever their id (none here).
  io.clear();
  io.hatchRecords.push_back(makeRecord(u"DIMENSION", u"H1", u""));
  EXPECT_TRUE(io.hasHeatingRecords());
  // Pipes and zone curves of the design command do not make a drawn design.
  io.clear();
  io.pipeRecords.push_back(makeRecord(u"LINE", u"P1", u""));
  io.zoneCurveRecords.push_back(makeRecord(u"LINE", u"Z1", u""));
  EXPECT_FALSE(io.hasHeatingRecords());
  // The last auxiliary record wins.
  io.fileRecord(makeRecord(u"MTEXT", u"A1", u"TPV1000-0002"));
  io.fileRecord(makeRecord(u"MTEXT", u"A2", u"TPV1000-0002"));
  EXPECT_EQ(std::u16string(io.auxRecord()->handle()), u"A2");
}

TEST_F(DrawingInOutTest, HandlesAreCollectedInListOrder) {
  const struct {
    CFHDrawingInOut::RecordList CFHDrawingInOut::*list;
    const char16_t* handle;
  } filed[] = {
      {&CFHDrawingInOut::zoneLabelRecords, u"ZL"},  {&CFHDrawingInOut::heatingBodyNumberRecords, u"BN"},
      {&CFHDrawingInOut::heatingBodyRecords, u"HB"}, {&CFHDrawingInOut::otherRecords, u"OT"},
      {&CFHDrawingInOut::pipeRecords, u"PI"},        {&CFHDrawingInOut::hatchRecords, u"HA"},
      {&CFHDrawingInOut::circuitLabelRecords, u"CL"}, {&CFHDrawingInOut::returnRecords, u"RE"},
      {&CFHDrawingInOut::supplyRecords, u"SU"},      {&CFHDrawingInOut::supplyRecords, u"SV"},
      {&CFHDrawingInOut::boundaryRecords, u"BO"},    {&CFHDrawingInOut::zoneCurveRecords, u"ZC"},
  };
  for (const auto& f : filed) (io.*f.list).push_back(makeRecord(u"LINE", f.handle, u""));
  // A record without a handle adds nothing.
  io.supplyRecords.push_back(std::make_unique<CFHLineInOut>(XtGeLineSeg2d({0, 0}, {1, 0})));
  io.setAuxRecord(makeRecord(u"MTEXT", u"AX", u"TPV1000-0002"));
  std::vector<std::u16string> design, boundaries;
  io.collectDesignHandles(design);
  EXPECT_EQ(design, (std::vector<std::u16string>{u"SU", u"SV", u"RE", u"CL", u"HA", u"PI", u"OT", u"HB", u"BN",
                                                 u"ZL", u"AX"}));
  io.collectBoundaryHandles(boundaries);
  EXPECT_EQ(boundaries, (std::vector<std::u16string>{u"ZC", u"BO"}));
}

TEST_F(DrawingInOutTest, TheWorkFrameShiftsEveryListedRecordByTheManifoldOffset) {
  // Without a host the user system is the world one: the frame is the offset.
  auto manifold = std::make_unique<CFHDistributorInOut>(nullptr);
  manifold->offset = XtGeVector2d(-1000, -1000);
  manifold->elevation = 7.5;
  manifold->connectionPoints = {{1000, 1000}, {1600, 1000}};
  io.setManifold(std::move(manifold));
  EXPECT_EQ(io.offset(), XtGeVector2d(-1000, -1000));
  EXPECT_EQ(io.elevation(), 7.5);
  io.pipeRecords.push_back(std::make_unique<CFHLineInOut>(XtGeLineSeg2d({1300, 1100}, {1300, 2000})));
  io.zoneCurveRecords.push_back(std::make_unique<CFHArcInOut>(XtGeCircArc2d({1000, 3000}, 500.0)));
  io.setAuxRecord(std::make_unique<CFHLineInOut>(XtGeLineSeg2d({0, 0}, {5, 0})));
  io.updateUcs();
  EXPECT_EQ(io.ucsAngle(), 0.0);
  io.transformAllToWork();
  EXPECT_EQ(io.manifold()->connectionPoints, (std::vector<XtGePoint2d>{{0, 0}, {600, 0}}));
  EXPECT_EQ(io.pipeRecords[0]->lineSeg()->startPoint(), XtGePoint2d(300, 100));
  EXPECT_EQ(io.pipeRecords[0]->lineSeg()->endPoint(), XtGePoint2d(300, 1000));
  EXPECT_EQ(io.zoneCurveRecords[0]->arc()->center(), XtGePoint2d(0, 2000));
  EXPECT_EQ(io.auxRecord()->lineSeg()->startPoint(), XtGePoint2d(0, 0));  // not moved

  // Held entities: an index past the array drops nothing; all are released.
  io.manifold()->heldIndex = 5;
  io.holdEntity(ltListRef::create(buildResbufList({{0, u"LINE"}})));
  io.holdEntity(ltListRef::create(nullptr));
  io.releaseHeldEntities(false);
  EXPECT_EQ(io.heldCount(), 0u);
  io.clear();
  EXPECT_FALSE(io.hasManifold());
  io.releaseHeldEntities(false);  // no manifold at all
}

}  // namespace
