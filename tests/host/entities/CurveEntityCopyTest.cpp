// Entity copies of the curve kinds: carrying curves between lists and
// copies, merging their pieces, shapes, a long polyline, and the dispatch and
// rewrite of real curve lists as drawn and mutated.
#include <gtest/gtest.h>

#include <random>

#include "host/Tolerances.h"
#include "host/entities/curveEntities.h"
#include "host/entities/curveListDispatch.h"
#include "host/entities/curvesBoundExtents.h"
#include "host/entities/entityDispatch.h"
#include "host/entities/lwPolylineList.h"
#include "host/entities/ltPolyline2D.h"
#include "host/entities/mergeCodirectionalInEntity.h"
#include "host/entities/polylineShapes.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeRay2d.h"
#include "tests/host/entities/CurveListSupport.h"

namespace {

const XtGeMatrix2d& identity = XtGeMatrix2d::kIdentity;

// Lists of every curve kind as a drawing holds them, each with extended data.
std::vector<ownedChain> curveLists() {
  const std::vector<ResbufPair> head{{5, u"2F"}, {100, u"AcDbEntity"}, {8, u"ROZVOD"}, {62, 3}};
  const std::vector<ResbufPair> xdata{{1001, u"QEV_DATA"}, {1000, u"TPV1001-0001"}, {1040, 0.5}};
  const std::vector<std::pair<const char16_t*, std::vector<ResbufPair>>> bodies{
      {u"LINE", {{100, u"AcDbLine"}, {39, 1.5}, {10, xyz(0, 0)}, {11, xyz(5, 2)}}},
      {u"ARC", {{100, u"AcDbCircle"}, {10, xyz(1, 1)}, {40, 2.0}, {100, u"AcDbArc"}, {50, 0.5}, {51, 2.0}}},
      {u"CIRCLE", {{100, u"AcDbCircle"}, {10, xyz(1, 1)}, {40, 2.0}, {210, xyz(0, 0, -1)}}},
      {u"LWPOLYLINE", {{100, u"AcDbPolyline"}, {90, 3}, {70, 1}, {43, 0.1}, {10, xyz(0, 0)}, {42, 0.4},
                       {10, xyz(4, 0)}, {40, 0.2}, {41, 0.3}, {10, xyz(4, 3)}}},
      {u"ELLIPSE", {{100, u"AcDbEllipse"}, {10, xyz(0, 0)}, {11, xyz(3, 0)}, {40, 0.5}, {41, 0.2}, {42, 4.0}}},
      {u"RAY", {{100, u"AcDbRay"}, {10, xyz(1, 2)}, {11, xyz(0, 1)}}},
      {u"XLINE", {{100, u"AcDbXline"}, {10, xyz(1, 2)}, {11, xyz(1, 0)}}},
      {u"POINT", {{100, u"AcDbPoint"}, {10, xyz(7, 8)}, {50, 0.3}}},
      {u"SOLID", {{100, u"AcDbTrace"}, {10, xyz(0, 0)}, {11, xyz(4, 0)}, {12, xyz(0, 3)}, {13, xyz(4, 3)}}}};
  std::vector<ownedChain> lists;
  for (const auto& [type, body] : bodies) {
    std::vector<ResbufPair> pairs{{0, type}};
    pairs.insert(pairs.end(), head.begin(), head.end());
    pairs.insert(pairs.end(), body.begin(), body.end());
    pairs.insert(pairs.end(), xdata.begin(), xdata.end());
    lists.emplace_back(buildResbufList(pairs));
  }
  return lists;
}

std::string fromXdata(const resbuf* list) {
  while (list && list->code < 1000) list = list->next;
  return describe(list);
}

// A curve kind no entity copy holds.
class otherCurve final : public XtGeLinearEnt2d {
 public:
  otherCurve() : XtGeLinearEnt2d(XtGePoint2d(), XtGeVector2d(1, 0)) {}
  int type() const override { return 99; }
  otherCurve* copy() const override { return new otherCurve(*this); }
  bool transformBy(const XtGeMatrix2d&) override { return false; }
  void getInterval(XtGeInterval& interval) const override { interval = XtGeInterval(0.0, 1.0); }
  otherCurve& reverseParam() override { return *this; }
};

TEST(CurveEntityCopy, CurvesBecomeCopiesSharingOneListAndComeBack) {
  ownedChain shared(buildResbufList({{0, u"LINE"}, {100, u"AcDbEntity"}, {100, u"AcDbLine"}, {39, 2.0}}));
  ltListRef* holder = ltListRef::create(copyResbufChain(shared.get(), false));
  ltEntProps props;
  props.layer = u"TRUBKY";
  otherCurve* other = new otherCurve;
  curvePtrArray curves;
  for (XtGeCurve2d* c : std::vector<XtGeCurve2d*>{nullptr, new XtGeLineSeg2d(XtGePoint2d(0, 0), XtGePoint2d(1, 0)),
                                                   other, new XtGeCircArc2d(XtGePoint2d(0, 0), 1.0), new XtGeRay2d()})
    curves.append(c);
  ltEntArray entities;
  EXPECT_EQ(entMisc2D::curvesToEntities(curves, entities, holder, props), 3);
  EXPECT_TRUE(curves.length() == 2 && curves[0] == nullptr && curves[1] == other);
  EXPECT_EQ(std::pair(entities.size(), holder->refCount), std::pair(std::size_t{3}, 4));
  for (const auto& entity : entities)
    EXPECT_TRUE(entity->getHolder() == holder && entity->isDirty() && entity->getProps().layer == u"TRUBKY");
  const resbuf* line = entities[0]->getUpdatedList(0);  // the thickness carried over
  EXPECT_EQ(std::pair(textOf(line, 8), realsOf(line, 39)), std::pair(std::u16string(u"TRUBKY"), std::vector{2.0}));
  releaseResbufHolder(holder);

  entities.push_back(std::make_unique<ltPolyline2D>(XtGeCompositeCurve2d()));
  entities.push_back(entReader2D::entity(curveLists()[7].get()));  // a point
  EXPECT_EQ(entitiesToCurves(entities, curves), 3);
  EXPECT_EQ(std::tuple(entities.size(), curves.length(), curves[2]->type()),
            std::tuple(std::size_t{2}, 5, int(XtGe::kLineSeg2d)));
  for (XtGeCurve2d* c : curves) delete c;
}

TEST(CurveEntityCopy, CodirectionalPiecesMergeAndTheListFollows) {
  GeometryToleranceScope tolerances(1);
  ownedChain list = lwPolylineList(5, 0, {{0, 0, 0}, {2, 0, 0}, {5, 0, 0}, {9, 0, 0.5}, {9, 4, 0}},
                                   {{1001, u"QEV_DATA"}, {1000, u"trubka"}});
  auto copy = entReader2D::entity(list.get());
  ASSERT_TRUE(copy && copy->getUpdatedList(1) == nullptr);  // read, not yet written
  EXPECT_TRUE(mergeCodirectionalInEntity(*copy));
  EXPECT_EQ(static_cast<const XtGeCompositeCurve2d*>(copy->getCurve())->numCurves(), 2);
  const resbuf* rewritten = copy->getUpdatedList(1);
  ASSERT_NE(rewritten, nullptr);
  EXPECT_EQ(std::pair(intOf(rewritten, 90), fromXdata(rewritten)), std::pair(3, std::string("1001=QEV_DATA\n1000=trubka\n")));
  EXPECT_FALSE(mergeCodirectionalInEntity(*copy));
  EXPECT_FALSE(mergeCodirectionalInEntity(*entReader2D::entity(curveLists()[0].get())));  // a LINE holds no composite
}

TEST(CurveEntityCopy, BoundExtentsAreThoseOfTheCurveOrOutline) {
  GeometryToleranceScope tolerances(1);
  const std::vector<ownedChain> lists = curveLists();
  XtGeBoundBlock2d block(XtGePoint2d(-9, -9), XtGePoint2d(-8, -8));
  XtGePoint2d low, high;
  const std::pair<std::size_t, std::pair<XtGePoint2d, XtGePoint2d>> cases[] = {
      {0, {{0, 0}, {5, 2}}}, {1, {{0.16771, 1.95885}, {2.75517, 3}}}, {8, {{0, 0}, {4, 3}}}};
  for (const auto& [index, box] : cases) {
    EXPECT_EQ(curvesBoundExtents(*entReader2D::entity(lists[index].get()), block), 0);
    ASSERT_TRUE(block.getMinMaxPoints(low, high));
    EXPECT_TRUE(low.isEqualTo(box.first, XtGeTol(1e-4, 0)) && high.isEqualTo(box.second, XtGeTol(1e-4, 0))) << index;
  }
  EXPECT_EQ(curvesBoundExtents(*entReader2D::entity(lists[7].get()), block), 7);  // a point
}

TEST(CurveEntityCopy, ShapesGoThroughThePolylineBuilder) {
  GeometryToleranceScope tolerances(1);
  const ltEntProps props;
  ownedChain rectangle(writeRectangle(props, {1, 2}, {5, 4}, identity, nullptr));
  const auto corners = pointsOf(rectangle.get(), 10);
  ASSERT_EQ(corners.size(), 5u);
  EXPECT_TRUE(corners[1].isEqualTo({1, 4}) && corners[2].isEqualTo({5, 4}) && corners[3].isEqualTo({5, 2}));
  XtGeCompositeCurve2d path;
  ASSERT_EQ(entReader2D::polyline(path, rectangle.get(), nullptr, nullptr), 1);
  ownedChain tapered(polylineWithWidths(props, path, identity, nullptr, 1.0, 2.0, 5.0));
  ownedChain constant(polylineWithWidths(props, path, identity, nullptr, 0.0, 0.0, 5.0));
  EXPECT_EQ(std::pair(realsOf(tapered.get(), 40), realsOf(tapered.get(), 41)),
            std::pair(std::vector<double>(4, 1.0), std::vector<double>(4, 2.0)));
  EXPECT_EQ(realsOf(constant.get(), 43), std::vector{5.0});
  EXPECT_EQ(polylineWithWidths(props, XtGeCompositeCurve2d(), identity, nullptr, 1, 2, 3), nullptr);
}

TEST(CurveEntityCopy, FortyThousandVerticesGoThereAndBack) {
  GeometryToleranceScope tolerances(1000);
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  XtGePoint2d at(1e7, -1e7);
  for (int i = 0; i < 40'000; ++i) {
    const XtGePoint2d next = at + XtGeVector2d(10.0, i % 2 ? 3.0 : -3.0);
    if (i % 3) pieces.push_back(std::make_unique<XtGeLineSeg2d>(at, next));
    else pieces.push_back(std::make_unique<XtGeCircArc2d>(at, next, i % 2 ? 0.3 : -0.3));
    at = next;
  }
  const XtGeCompositeCurve2d zigzag(std::move(pieces));
  ltPolyline2D copy(zigzag);
  const resbuf* list = copy.getUpdatedList(0);
  ASSERT_TRUE(list && intOf(list, 90) == 40'001);
  auto back = entReader2D::entity(list);
  ASSERT_TRUE(back && back->entType() == ltEntKind::polyline);
  const auto& curve = static_cast<const XtGeCompositeCurve2d&>(*back->getCurve());
  EXPECT_EQ(curve.numCurves(), 40'000);
  EXPECT_NEAR(curve.totalLength(), zigzag.totalLength(), 1e-6);
  EXPECT_LT(curve.xtEvalPoint(1.0).distanceTo(at), 1e-6);
}

// Each list read as it is gives its kind, whose rewrite is stable and keeps
// the extended data; then nodes are dropped, repeated, swapped or given
// another code of their value class: the readers refuse or read, the copies
// rewrite, nothing crashes or leaks.
TEST(CurveEntityCopy, CurveListsAsDrawnAndMutatedReadAndRewrite) {
  GeometryToleranceScope tolerances(1);
  const ltEntKind kinds[] = {ltEntKind::abscissa, ltEntKind::arc,  ltEntKind::arc,   ltEntKind::polyline, ltEntKind::ellipse,
                             ltEntKind::ray,      ltEntKind::line, ltEntKind::point, ltEntKind::solid};
  const std::vector<std::vector<int>> sameClass{{10, 11, 12, 13, 210}, {38, 39, 40, 41, 42, 43, 50, 51},
                                                {60, 62, 70}, {90, 91}, {0, 8, 100, 1000}};
  std::mt19937 random(20240612);
  int read = 0;
  const std::vector<ownedChain> lists = curveLists();
  for (std::size_t k = 0; k < lists.size(); ++k) {
    auto copy = entReader2D::entity(lists[k].get());
    ASSERT_TRUE(copy && copy->entType() == kinds[k]) << describe(lists[k].get());
    EXPECT_EQ(copy->getCurve() != nullptr, kinds[k] != ltEntKind::point && kinds[k] != ltEntKind::solid);
    const std::string once = describe(copy->getUpdatedList(2));
    EXPECT_EQ(describe(copy->getUpdatedList(2)), once);
    EXPECT_EQ(fromXdata(copy->getList()), fromXdata(lists[k].get()));
    for (int round = 0; round < 300; ++round) {
      std::vector<resbuf*> nodes;
      for (const resbuf* n = lists[k].get(); n; n = n->next)
        nodes.push_back(copyResbufChainEx(n, false, true, true, nullptr, nullptr));
      for (int step = 1 + static_cast<int>(random() % 3); step > 0 && nodes.size() > 1; --step) {
        const std::size_t at = 1 + random() % (nodes.size() - 1);
        switch (random() % 4) {
          case 0: freeResbufChain(nodes[at], false), nodes.erase(nodes.begin() + at); break;
          case 1: nodes.insert(nodes.begin() + at, copyResbufChainEx(nodes[at], false, true, true, nullptr, nullptr)); break;
          case 2: std::swap(nodes[at], nodes[1 + random() % (nodes.size() - 1)]); break;
          default:
            for (const auto& family : sameClass)
              if (std::find(family.begin(), family.end(), nodes[at]->code) != family.end())
                nodes[at]->code = static_cast<std::int16_t>(family[random() % family.size()]);
        }
      }
      for (std::size_t i = 0; i < nodes.size(); ++i) nodes[i]->next = i + 1 < nodes.size() ? nodes[i + 1] : nullptr;
      ownedChain mutated(nodes.front());
      std::unique_ptr<XtGeCurve2d> curve;
      read += entReader2D::curve(curve, mutated.get(), nullptr);
      auto any = entReader2D::anyEntity(mutated.get());
      ASSERT_NE(any, nullptr);
      if (const resbuf* rewritten = any->getUpdatedList(2)) {
        EXPECT_EQ(fromXdata(rewritten), fromXdata(mutated.get()));
      }
    }
  }
  EXPECT_GT(read, 100);
}

}  // namespace

TEST(CurveEntityCopy, CurveLengthsOfCopiesWithBoundedCurvesOnly) {
  GeometryToleranceScope tolerances(1);
  const ownedChain line(buildResbufList(
      {{0, u"LINE"}, {100, u"AcDbEntity"}, {100, u"AcDbLine"}, {10, xyz(0, 0)}, {11, xyz(3, 4)}}));
  const ownedChain text(buildResbufList(
      {{0, u"TEXT"}, {100, u"AcDbEntity"}, {100, u"AcDbText"}, {10, xyz(0, 0)}, {40, 2.5}, {1, u"A1"}}));
  // A half circle of radius 1 (bulge 1), then a segment of 2.
  const ownedChain bent = lwPolylineList(3, 0, {{0, 0, 1}, {2, 0, 0}, {2, 2, 0}});
  const std::vector<ownedChain> lists = curveLists();
  const std::pair<const resbuf*, double> cases[] = {{line.get(), 5.0},       {bent.get(), 2.0 + XtGe::kPi},
                                                    {text.get(), -1.0},      {lists[5].get(), -1.0},
                                                    {lists[6].get(), -1.0}, {lists[7].get(), -1.0}};
  for (const auto& [list, expected] : cases) {
    const auto copy = entReader2D::entity(list);
    ASSERT_TRUE(copy);
    double length = -1.0;
    EXPECT_EQ(entityCurveLength(*copy, length), expected >= 0.0);
    EXPECT_NEAR(length, expected, 1e-12);
  }
}
