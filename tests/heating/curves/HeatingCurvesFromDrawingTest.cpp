#include "heating/curves/HeatingCurvesFromDrawing.h"

#include "heating/curves/CFHUnknownCurveKind.h"
#include "heating/curves/CFloorHeatingPolyLine.h"

#include "heating/design/drawing/CFHArcInOut.h"
#include "heating/design/drawing/CFHLineInOut.h"
#include "heating/design/drawing/CFHPolylineInOut.h"

#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"

#include "CurveTestSupport.h"

using namespace curve_test;

namespace {

using CurvesFromDrawingTest = HeatingCurveTest;

// A built list freed at the end of the scope.
struct List {
  explicit List(std::initializer_list<ResbufPair> pairs) : head(buildResbufList(pairs)) {}
  ~List() { freeResbufChain(head, false); }
  List(const List&) = delete;
  List& operator=(const List&) = delete;
  // The text of the n-th group-0 node.
  const char16_t* name(int n) const {
    for (const resbuf* node = head; node != nullptr; node = node->next)
      if (node->code == 0 && n-- == 0) return node->value.str;
    return nullptr;
  }
  resbuf* head;
};

constexpr std::array<double, 3> P(double x, double y) { return {x, y, 0.0}; }

TEST(ClassifyEntityTypeTest, TheFirstRecognisedNameDecides) {
  const struct {
    List list;
    bool allowInsert;
    int status;
    int nameIndex;  // the group-0 node whose text is answered, -1 for none
  } cases[] = {
      {List{{0, u"ellipse"}, {8, u"0"}}, true, kHeatingEntityUnsupported, -1},
      {List{{0, u"POLYLINE"}}, true, kHeatingEntityUnsupported, -1},
      {List{{0, u"INSERT"}}, true, kHeatingEntityCurve, 0},
      {List{{0, u"INSERT"}}, false, kHeatingEntityNone, -1},
      {List{{0, u"INSERT"}, {0, u"Line"}}, false, kHeatingEntityCurve, 1},
      {List{{0, u"TEXT"}, {0, u"LINE"}}, false, kHeatingEntityIgnored, 0},
      {List{{0, u"CIRCLE"}, {0, u"mtext"}}, false, kHeatingEntityIgnored, 1},
      {List{{0, u"CIRCLE"}, {10, P(1, 2)}}, true, kHeatingEntityNone, -1},
      {List{{8, u"LINE"}, {0, u"lwpolyline"}}, false, kHeatingEntityCurve, 0},
      {List{{0, u"SOLID"}, {0, u"ARC"}, {0, u"ELLIPSE"}}, false, kHeatingEntityCurve, 1},
  };
  for (const auto& c : cases) {
    int status = -7;
    const char16_t* name = classifyEntityType(c.list.head, status, c.allowInsert);
    // The list's own text.
    EXPECT_EQ(std::pair(status, name), std::pair(c.status, c.nameIndex < 0 ? nullptr : c.list.name(c.nameIndex)));
  }
  int status = -7;
  const char16_t* none = classifyEntityType(nullptr, status, true);
  EXPECT_TRUE(none == nullptr && status == kHeatingEntityNone);
}

TEST_F(CurvesFromDrawingTest, LinesTakeTheLastPointsOfTheirList) {
  const List line{{0, u"TEXT"}, {0, u"line"}, {10, P(1, 2)}, {11, P(3, 4)}, {10, P(5, 6)}};
  const auto curve = curveFromResbuf(line.head);
  ASSERT_TRUE(curve);
  EXPECT_EQ(std::pair(curve->kind(), curve->tag()), std::pair(int(CFloorHeatingCurve::kLine), kTagLineFromList));
  EXPECT_TRUE(curve->source() == nullptr && curve->entityRecord() == nullptr);
  EXPECT_TRUE(near(curve->startPoint(), {5, 6}, 0.0) && near(curve->endPoint(), {3, 4}, 0.0));

  const List noEnd{{0, u"LINE"}, {10, P(1e7, 1e7)}};
  const auto toOrigin = curveFromResbuf(noEnd.head);
  ASSERT_TRUE(toOrigin);
  EXPECT_TRUE(near(toOrigin->endPoint(), {0, 0}, 0.0));

  const List point{{0, u"LINE"}, {10, P(2, 2)}, {11, P(2, 2.0005)}};  // shorter than workTol
  const List circle{{0, u"CIRCLE"}, {10, P(2, 2)}, {40, 1.0}};
  EXPECT_FALSE(curveFromResbuf(point.head) || curveFromResbuf(circle.head) || curveFromResbuf(nullptr));
}

TEST_F(CurvesFromDrawingTest, PolylinesAndArcsFollowTheirReaders) {
  const List closed{{0, u"LWPOLYLINE"}, {90, 4}, {70, 1}, {10, P(0, 0)}, {10, P(10, 0)}, {42, 0.5},
                    {10, P(10, 10)}, {10, P(0, 10)}};
  const auto polyline = curveFromResbuf(closed.head);
  ASSERT_TRUE(polyline);
  EXPECT_EQ(std::pair(polyline->kind(), polyline->tag()), std::pair(int(CFloorHeatingCurve::kPolyline), kTagPolylineFromList));
  const auto& poly = static_cast<const CFloorHeatingPolyLine&>(*polyline);
  ASSERT_EQ(poly.vertices().length(), 5);
  EXPECT_TRUE(near(poly.vertices()[0], poly.vertices()[4], 0.0));
  int arcs = 0;
  for (int i = 0; i < poly.composite().numCurves(); ++i) arcs += poly.composite().curveAt(i)->type() == XtGe::kCircArc2d;
  EXPECT_EQ(std::pair(poly.composite().numCurves(), arcs), std::pair(4, 1));

  const List open{{0, u"LWPOLYLINE"}, {90, 3}, {10, P(0, 0)}, {10, P(10, 0)}, {10, P(10, 10)}};
  const auto noFlags = curveFromResbuf(open.head);
  ASSERT_TRUE(noFlags);
  EXPECT_TRUE(near(noFlags->startPoint(), {0, 0}, 0.0) && near(noFlags->endPoint(), {10, 10}, 0.0));
  const List noCount{{0, u"LWPOLYLINE"}, {70, 1}, {10, P(0, 0)}, {10, P(10, 0)}, {10, P(10, 10)}};
  const List overCount{{0, u"LWPOLYLINE"}, {90, 9}, {10, P(0, 0)}, {10, P(10, 0)}, {10, P(10, 10)}, {10, P(0, 10)}};
  const List single{{0, u"LWPOLYLINE"}, {90, 1}, {10, P(3, 3)}};
  for (const List* refused : {&noCount, &overCount, &single}) EXPECT_FALSE(curveFromResbuf(refused->head));

  const List arc{{0, u"ARC"}, {10, P(10, 5)}, {40, 3.0}, {210, std::array<double, 3>{0, 0, -1}},
                 {50, XtGe::kPi / 6}, {51, XtGe::kPi * 2 / 3}};
  const auto curve = curveFromResbuf(arc.head);
  ASSERT_TRUE(curve);
  EXPECT_EQ(std::pair(curve->kind(), curve->tag()), std::pair(int(CFloorHeatingCurve::kArc), kTagArcFromList));
  EXPECT_TRUE(near(curve->startPoint(), {-10 - 1.5 * std::sqrt(3.0), 6.5}, 1e-12));
  EXPECT_TRUE(near(curve->endPoint(), {-8.5, 5 + 1.5 * std::sqrt(3.0)}, 1e-12));
}

TEST_F(CurvesFromDrawingTest, RecordsGiveCurvesOfTheirKindThatKeepThem) {
  const CFHLineInOut lineRecord(XtGeLineSeg2d(XtGePoint2d(0, 0), XtGePoint2d(4, 0)));
  const CFHArcInOut arcRecord(XtGeCircArc2d(XtGePoint2d(0, 0), 2.0, 0.5, 2.0));
  const CFHPolylineInOut polylineRecord(composite({0, 0}, {{{4, 0}}, {{4, 4}, 0.5}}));
  const CFHEntityInOut emptyRecord(nullptr);
  const struct {
    const CFHEntityInOut* record;
    int kind;
  } records[] = {{&lineRecord, CFloorHeatingCurve::kLine},
                 {&arcRecord, CFloorHeatingCurve::kArc},
                 {&polylineRecord, CFloorHeatingCurve::kPolyline}};
  for (const auto& r : records) {
    const auto curve = curveFromEntityRecord(*r.record);
    ASSERT_TRUE(curve);
    EXPECT_EQ(std::tuple(curve->kind(), curve->tag(), curve->entityRecord()), std::tuple(r.kind, kTagCurveFromRecord, r.record));
    EXPECT_TRUE(endsInStep(*curve));
  }
  EXPECT_THROW(curveFromEntityRecord(emptyRecord), CFHUnknownCurveKind);

  // A record whose geometry is not of its kind is refused, not misread.
  struct OddRecord : CFHEntityRecord {
    OddRecord(Kind kind, const XtGeCurve2d& curve) : CFHEntityRecord(kind), curve(curve) {}
    const XtGeCurve2d* geometry() const override { return &curve; }
    const XtGeCurve2d& curve;
  };
  const OddRecord lineHoldingArc(CFHEntityRecord::kLine, *arcRecord.geometry());
  const OddRecord arcHoldingLine(CFHEntityRecord::kArc, *lineRecord.geometry());
  for (const OddRecord* odd : {&lineHoldingArc, &arcHoldingLine}) {
    EXPECT_TRUE(odd->lineSeg() == nullptr && odd->arc() == nullptr);
    EXPECT_THROW(curveFromEntityRecord(*odd), CFHUnknownCurveKind);
  }
}

}  // namespace
