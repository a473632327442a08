// The record lists of the drawing I/O object: filing, the check for a drawn
// design and the handle collections.
#include "heating/design/drawing/CFHDrawingInOut.h"
#include "heating/design/drawing/CFHLineInOut.h"

#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using IO = CFHDrawingInOut;
constexpr std::array<double, 3> P(double x, double y) { return {x, y, 0.0}; }

struct DrawingInOutTest : ::testing::Test {
  IO& io = IO::instance();
  void SetUp() override { io.clear(); }
  void TearDown() override { io.clear(); }
};

// A valid record of the type with the handle and, unless empty, the record id.
IO::RecordPtr makeRecord(std::u16string_view type, const char16_t* handle, const char16_t* id = u"") {
  resbuf* list = buildResbufList({{0, type}, {5, handle}, {100, u"AcDbText"}, {10, P(0, 0)}, {11, P(1, 0)},
                                  {40, 1.0}, {1, u"T"}, {90, 2}, {70, 0}, {10, P(1, 1)}});
  if (*id != u'\0') appendResbufChain(&list, buildResbufList({{1001, u"QEV_DATA"}, {1000, id}}));
  IO::RecordPtr record = IO::createRecord(type, ownedChain(list).get());
  EXPECT_TRUE(record && record->valid());
  return record;
}

TEST_F(DrawingInOutTest, RecordsAreFiledByKindAndIdentifier) {
  const struct {
    const char16_t* type;
    const char16_t* id;
    IO::RecordList IO::*list;  // null: the auxiliary record
    bool heating;              // a drawn design is recognised
  } cases[] = {
      {u"LINE", u"TP80000-0001", &IO::supplyRecords, true},
      {u"LINE", u"TP90000-0001", &IO::returnRecords, true},
      {u"LINE", u"TPV2000-0001", &IO::otherRecords, true},
      {u"LINE", u"", &IO::otherRecords, true},
      {u"LWPOLYLINE", u"TPV2000-0001", &IO::boundaryRecords, true},
      {u"LWPOLYLINE", u"TP90000-0001", &IO::returnRecords, true},
      {u"LWPOLYLINE", u"tpv2000-0001", &IO::otherRecords, true},
      {u"MTEXT", u"TPV1000-0001", &IO::zoneLabelRecords, true},
      {u"MTEXT", u"TPV1001-0002", &IO::circuitLabelRecords, true},
      {u"MTEXT", u"TPV1001-0001", &IO::heatingBodyRecords, true},
      {u"MTEXT", u"TPV1001-0003", &IO::heatingBodyNumberRecords, false},
      {u"MTEXT", u"TPV1000-0002", nullptr, false},
      {u"MTEXT", u"TP80000-0001", &IO::otherRecords, true},
      {u"TEXT", u"TPV1000-0001", &IO::otherRecords, true},
      {u"DIMENSION", u"TPV2000-0001", &IO::otherRecords, true},
  };
  for (const auto& c : cases) {
    const std::u16string what = std::u16string(c.type) + u" " + c.id;
    SCOPED_TRACE(std::string(what.begin(), what.end()));
    io.clear();
    IO::RecordPtr record = makeRecord(c.type, u"AB", c.id);
    const CFHEntityInOut* raw = record.get();
    io.fileRecord(std::move(record));
    EXPECT_EQ(c.list ? (io.*c.list).back().get() : io.auxRecord(), raw);
    EXPECT_EQ(io.hasHeatingRecords(), c.heating);
  }
  // Pipes and zone curves of the design command make no drawn design; the
  // last auxiliary record wins.
  io.clear();
  io.pipeRecords.push_back(makeRecord(u"LINE", u"P1"));
  io.zoneCurveRecords.push_back(makeRecord(u"LINE", u"Z1"));
  io.fileRecord(makeRecord(u"MTEXT", u"A1", u"TPV1000-0002"));
  io.fileRecord(makeRecord(u"MTEXT", u"A2", u"TPV1000-0002"));
  EXPECT_FALSE(io.hasHeatingRecords());
  EXPECT_EQ(std::u16string(io.auxRecord()->handle()), u"A2");
}

TEST_F(DrawingInOutTest, HandlesAreCollectedInListOrder) {
  const std::pair<IO::RecordList IO::*, const char16_t*> filed[] = {
      {&IO::zoneLabelRecords, u"ZL"}, {&IO::heatingBodyNumberRecords, u"BN"}, {&IO::heatingBodyRecords, u"HB"},
      {&IO::otherRecords, u"OT"},     {&IO::pipeRecords, u"PI"},              {&IO::hatchRecords, u"HA"},
      {&IO::circuitLabelRecords, u"CL"}, {&IO::returnRecords, u"RE"},         {&IO::supplyRecords, u"SU"},
      {&IO::supplyRecords, u"SV"},    {&IO::boundaryRecords, u"BO"},          {&IO::zoneCurveRecords, u"ZC"},
  };
  for (const auto& [list, handle] : filed) (io.*list).push_back(makeRecord(u"LINE", handle));
  io.supplyRecords.push_back(std::make_unique<CFHLineInOut>(XtGeLineSeg2d({0, 0}, {1, 0})));  // no handle
  io.setAuxRecord(makeRecord(u"MTEXT", u"AX"));
  std::vector<std::u16string> design, boundaries;
  io.collectDesignHandles(design);
  io.collectBoundaryHandles(boundaries);
  EXPECT_EQ(design, (std::vector<std::u16string>{u"SU", u"SV", u"RE", u"CL", u"HA", u"PI", u"OT", u"HB", u"BN",
                                                 u"ZL", u"AX"}));
  EXPECT_EQ(boundaries, (std::vector<std::u16string>{u"ZC", u"BO"}));
}

}  // namespace
