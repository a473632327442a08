// Drawn-entity records: the factory's kinds, the tag map, the record's own
// list and the move into the work frame.
#include "heating/design/CFHDrawingInOut.h"
#include "heating/design/CFHLineInOut.h"
#include "heating/design/CFHMtextInOut.h"
#include "heating/design/CFHPolylineInOut.h"

#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"
#include "host/entities/HatchBuilder.h"

#include "platform/ge/XtGe.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

constexpr std::array<double, 3> P(double x, double y) { return {x, y, 0.0}; }

ownedChain lineList(std::initializer_list<ResbufPair> xdata = {}) {
  resbuf* list = buildResbufList({{0, u"LINE"}, {5, u"1A"}, {330, u"1F"}, {8, u"0"}, {10, P(0, 0)}, {11, P(10, 0)}});
  if (xdata.size() != 0) appendResbufChain(&list, buildResbufList(xdata));
  return ownedChain(list);
}

std::vector<std::pair<std::u16string, std::u16string>> tagTexts(const CFHEntityInOut& record) {
  std::vector<std::pair<std::u16string, std::u16string>> out;
  for (const auto& [key, value] : record.tags()) out.emplace_back(key, value);
  return out;
}

TEST(CFHEntityInOut, TheFactoryMakesTheKindOfEachNameAndNoneForOthers) {
  const XtGeCircArc2d circle(XtGePoint2d(0, 0), 1.0);
  const ownedChain lists[] = {
      lineList(),
      ownedChain(buildResbufList({{0, u"LWPOLYLINE"}, {90, 3}, {70, 0}, {10, P(0, 0)}, {42, 0.5}, {10, P(4, 0)},
                                  {10, P(4, 4)}})),
      ownedChain(buildResbufList({{0, u"ARC"}, {10, P(1, 1)}, {40, 2.0}, {50, 0.0}, {51, 1.0}})),
      ownedChain(buildResbufList({{0, u"TEXT"}, {100, u"AcDbText"}, {10, P(1, 1)}, {40, 2.0}, {1, u"A"}})),
      ownedChain(buildResbufList({{0, u"MTEXT"}, {10, P(1, 1)}, {40, 2.0}, {1, u"A"}})),
      ownedChain(entBuilder2D::solidHatchOne(ltEntProps(), circle)),
      ownedChain(buildResbufList({{0, u"INSERT"}, {2, u"B"}, {10, P(0, 0)}})),
      ownedChain(buildResbufList({{0, u"LINE"}, {10, P(1, 1)}, {11, P(1, 1)}})),
  };
  const struct {
    const char16_t* name;
    const resbuf* list;
    int kind;  // -2: no record
    bool valid;
  } cases[] = {
      {u"line", lists[0].get(), CFHEntityInOut::kLine, true},
      {u"LwPolyline", lists[1].get(), CFHEntityInOut::kPolyline, true},
      {u"ARC", lists[2].get(), CFHEntityInOut::kArc, true},
      {u"text", lists[3].get(), CFHEntityInOut::kText, true},
      {u"MTEXT", lists[4].get(), CFHEntityInOut::kMtext, true},
      {u"hatch", lists[5].get(), CFHEntityInOut::kHatch, true},
      {u"DIMENSION", nullptr, CFHEntityInOut::kPlain, true},
      // No host to read the block from: a record, but not a valid one.
      {u"INSERT", lists[6].get(), CFHEntityInOut::kDistributor, false},
      // A line of no length is refused by the reader.
      {u"LINE", lists[7].get(), CFHEntityInOut::kLine, false},
      {u"CIRCLE", nullptr, -2, false}, {u"SPLINE", nullptr, -2, false}, {u"POLYLINE", nullptr, -2, false},
      {u"ELLIPSE", nullptr, -2, false}, {u"LINES", lists[0].get(), -2, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name)));
    const auto record = CFHDrawingInOut::createRecord(c.name, c.list);
    if (c.kind == -2) {
      EXPECT_EQ(record, nullptr);
      continue;
    }
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->kind(), c.kind);
    EXPECT_EQ(record->valid(), c.valid);
    const bool curveKind = c.kind == 0 || c.kind == 1 || c.kind == 3;
    EXPECT_EQ(record->geometry() != nullptr, curveKind);
    EXPECT_EQ(record->lineSeg() != nullptr, c.kind == 0);
    EXPECT_EQ(record->arc() != nullptr, c.kind == 3);
  }
  // The polyline keeps its arc: the first piece of the composite is the bulge.
  const auto polyline = CFHDrawingInOut::createRecord(u"LWPOLYLINE", lists[1].get());
  const auto& composite = static_cast<const CFHPolylineInOut&>(*polyline).curve();
  ASSERT_EQ(composite.numCurves(), 2);
  EXPECT_EQ(composite.curveAt(0)->type(), XtGe::kCircArc2d);
  EXPECT_EQ(composite.curveAt(1)->type(), XtGe::kLineSeg2d);
}

TEST(CFHEntityInOut, TagsArePairsFromTheHeatingApplicationOn) {
  using Tags = std::vector<std::pair<std::u16string, std::u16string>>;
  const struct {
    const char* what;
    std::initializer_list<ResbufPair> xdata;
    Tags tags;
  } cases[] = {
      {"no extended data", {}, {}},
      {"another application only", {{1001, u"OTHER"}, {1000, u"a"}, {1000, u"b"}}, {}},
      {"the name compares exactly", {{1001, u"qev_data"}, {1000, u"TPV2000-0001"}}, {}},
      {"identifier and one key",
       {{1001, u"OTHER"}, {1000, u"x"}, {1001, u"QEV_DATA"}, {1000, u"TPV2000-0001"}, {1000, u"_PT_ZONA_CISLO"},
        {1000, u"3"}},
       {{u"QEV_DATA", u"TPV2000-0001"}, {u"_PT_ZONA_CISLO", u"3"}}},
      {"a second group adds a pair",
       {{1001, u"QEV_DATA"}, {1000, u"ID1"}, {1001, u"QEV_DATA"}, {1000, u"ID2"}},
       {{u"QEV_DATA", u"ID1"}, {u"QEV_DATA", u"ID2"}}},
      {"a key without value is dropped", {{1001, u"QEV_DATA"}, {1000, u"ID"}, {1000, u"K"}}, {{u"QEV_DATA", u"ID"}}},
      {"another code ends the map",
       {{1001, u"QEV_DATA"}, {1000, u"ID"}, {1070, 5}, {1000, u"K"}, {1000, u"V"}},
       {{u"QEV_DATA", u"ID"}}},
      {"a key whose value has another code is dropped",
       {{1001, u"QEV_DATA"}, {1000, u"ID"}, {1000, u"K"}, {1040, 2.5}}, {{u"QEV_DATA", u"ID"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const CFHLineInOut record(lineList(c.xdata).get());
    EXPECT_EQ(tagTexts(record), c.tags);
    CString out(u"kept");
    const bool found = record.findTag(u"QEV_DATA", out);
    EXPECT_EQ(found, !c.tags.empty());
    EXPECT_EQ(out, found ? CString(c.tags.front().second.c_str()) : CString(u"kept"));
    EXPECT_FALSE(record.findTag(u"qev_data", out));
    EXPECT_FALSE(record.findTag(u"K", out));
  }
}

TEST(CFHEntityInOut, ARecordKeepsItsOwnTextsWhenTheSourceIsFreed) {
  // Pointer-like codes (330) included: the record copies every text.
  resbuf* source = lineList({{1001, u"QEV_DATA"}, {1000, u"TP80000-0001"}}).release();
  CFHLineInOut line(source);
  CFHMtextInOut text(ownedChain(buildResbufList({{0, u"MTEXT"}, {5, u"2B"}, {330, u"1F"}, {10, P(1, 1)},
                                                  {40, 2.0}, {1, u"A"}})).get());
  freeResbufChain(source, false);
  for (const CFHEntityInOut* record : {static_cast<const CFHEntityInOut*>(&line), static_cast<const CFHEntityInOut*>(&text)}) {
    ASSERT_TRUE(record->valid());
    const ownedChain copy(copyResbufChain(record->list(), false));
    ASSERT_NE(copy, nullptr);
    const resbuf* owner = findResbufText(copy.get(), 330, u"1f");
    ASSERT_NE(owner, nullptr);
  }
  CString id;
  EXPECT_TRUE(line.findTag(u"QEV_DATA", id));
  EXPECT_EQ(id, CString(u"TP80000-0001"));
  EXPECT_EQ(std::u16string(line.handle()), u"1A");
  EXPECT_EQ(std::u16string(text.handle()), u"2B");
}

}  // namespace
