// Drawn-entity records: the factory's kinds, the record's own copy of its
// list (read after the source is freed, under ASan) and the tag map.
#include "heating/design/drawing/CFHDrawingInOut.h"
#include "heating/design/drawing/CFHLineInOut.h"
#include "heating/design/drawing/CFHPolylineInOut.h"

#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"
#include "host/entities/HatchBuilder.h"

#include "platform/ge/XtGe.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

constexpr std::array<double, 3> P(double x, double y) { return {x, y, 0.0}; }
using Pairs = std::initializer_list<ResbufPair>;

// A list of the pairs, with a handle, a pointer-like text (330) and the
// extended data appended.
ownedChain entity(Pairs pairs, Pairs xdata = {}) {
  resbuf* list = buildResbufList(pairs);
  appendResbufChain(&list, buildResbufList({{5, u"1A"}, {330, u"1F"}}));
  if (xdata.size() != 0) appendResbufChain(&list, buildResbufList(xdata));
  return ownedChain(list);
}

TEST(CFHEntityInOut, TheFactoryMakesTheKindOfEachNameAndNoneForOthers) {
  const ownedChain lists[] = {
      entity({{0, u"LINE"}, {10, P(0, 0)}, {11, P(10, 0)}}),
      entity({{0, u"LWPOLYLINE"}, {90, 3}, {70, 0}, {10, P(0, 0)}, {42, 0.5}, {10, P(4, 0)}, {10, P(4, 4)}}),
      entity({{0, u"ARC"}, {10, P(1, 1)}, {40, 2.0}, {50, 0.0}, {51, 1.0}}),
      entity({{0, u"TEXT"}, {100, u"AcDbText"}, {10, P(1, 1)}, {40, 2.0}, {1, u"A"}}),
      entity({{0, u"MTEXT"}, {10, P(1, 1)}, {40, 2.0}, {1, u"A"}}),
      ownedChain(entBuilder2D::solidHatchOne(ltEntProps(), XtGeCircArc2d(XtGePoint2d(0, 0), 1.0))),
      entity({{0, u"DIMENSION"}}),
      entity({{0, u"INSERT"}, {2, u"B"}, {10, P(0, 0)}}),  // no host to read the block from
      entity({{0, u"LINE"}, {10, P(1, 1)}, {11, P(1, 1)}}),  // no length
      entity({{0, u"LWPOLYLINE"}, {90, 1}, {70, 0}, {10, P(4, 0)}}),  // one vertex: no length
  };
  const struct {
    const char16_t* name;
    int list;
    int kind;  // -2: no record
    bool valid;
  } cases[] = {
      {u"line", 0, CFHEntityInOut::kLine, true},       {u"LwPolyline", 1, CFHEntityInOut::kPolyline, true},
      {u"ARC", 2, CFHEntityInOut::kArc, true},         {u"text", 3, CFHEntityInOut::kText, true},
      {u"MTEXT", 4, CFHEntityInOut::kMtext, true},     {u"hatch", 5, CFHEntityInOut::kHatch, true},
      {u"Dimension", 6, CFHEntityInOut::kPlain, true}, {u"INSERT", 7, CFHEntityInOut::kDistributor, false},
      {u"LINE", 8, CFHEntityInOut::kLine, false},      {u"LWPOLYLINE", 9, CFHEntityInOut::kPolyline, false},
      {u"CIRCLE", 0, -2, false},
      {u"SPLINE", 0, -2, false},                       {u"POLYLINE", 1, -2, false},
      {u"ELLIPSE", 0, -2, false},                      {u"LINES", 0, -2, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name)));
    // The record outlives the list it was made from.
    const auto record = CFHDrawingInOut::createRecord(c.name, copyOwnedChain(lists[c.list].get()).get());
    ASSERT_EQ(record != nullptr, c.kind != -2);
    if (!record) continue;
    EXPECT_EQ(record->kind(), c.kind);
    EXPECT_EQ(record->valid(), c.valid);
    EXPECT_EQ(record->geometry() != nullptr, c.kind == 0 || c.kind == 1 || c.kind == 3);
    EXPECT_EQ(record->lineSeg() != nullptr, c.kind == 0);
    EXPECT_EQ(record->arc() != nullptr, c.kind == 3);
    record->transformToWork();  // the plain record has nothing to move
    const ownedChain copy = copyOwnedChain(record->list());
    EXPECT_EQ(findResbufText(copy.get(), 330, u"1F") != nullptr, c.list != 5);
  }
  // The polyline keeps its arc: the first piece of the composite is the bulge.
  const CFHPolylineInOut polyline(lists[1].get());
  const XtGeCompositeCurve2d& composite = polyline.curve();
  ASSERT_EQ(composite.numCurves(), 2);
  EXPECT_EQ(composite.curveAt(0)->type(), XtGe::kCircArc2d);
}

TEST(CFHEntityInOut, TagsArePairsFromTheHeatingApplicationOn) {
  using Tags = std::vector<std::pair<std::u16string, std::u16string>>;
  const struct {
    const char* what;
    Pairs xdata;
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
       {{1001, u"QEV_DATA"}, {1000, u"ID"}, {1000, u"K"}, {1070, 5}, {1000, u"V"}}, {{u"QEV_DATA", u"ID"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const CFHLineInOut record(entity({{0, u"LINE"}, {10, P(0, 0)}, {11, P(10, 0)}}, c.xdata).get());
    Tags tags;
    for (const auto& [key, value] : record.tags()) tags.emplace_back(key, value);
    EXPECT_EQ(tags, c.tags);
    CString out(u"kept");
    const bool found = record.findTag(u"QEV_DATA", out);
    EXPECT_EQ(found, !c.tags.empty());
    EXPECT_EQ(out, found ? CString(c.tags.front().second.c_str()) : CString(u"kept"));
    EXPECT_FALSE(record.findTag(u"qev_data", out) || record.findTag(u"K", out));
    EXPECT_EQ(std::u16string(record.handle()), u"1A");
  }
}

}  // namespace
