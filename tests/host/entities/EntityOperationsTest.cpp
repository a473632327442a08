// Transforming, measuring and comparing entity copies (reversal and common
// groups are checked by entity_operations.py): moved copies and their
// rewritten lists land where the matrix sends the original, refusals change
// nothing, text boxes and equality follow their rules.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "host/ResbufBuilder.h"
#include "host/Tolerances.h"
#include "host/entities/entityDispatch.h"
#include "host/entities/ltHatch2D.h"
#include "host/entities/ltInsert2D.h"
#include "host/entities/ltMText2D.h"
#include "host/entities/ltText2D.h"
#include "host/entities/ltUnknown2D.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "tests/host/entities/CurveListSupport.h"

namespace {

constexpr double pi = std::numbers::pi;
const XtGeTol tight(1e-9, 1e-9);

// Turned 30° about (5, 5) and scaled 2 about it.
XtGeMatrix2d turnAndScale() {
  return XtGeMatrix2d::scaling(2.0, {5, 5}) * XtGeMatrix2d::rotation(pi / 6, {5, 5});
}

ownedChain entityList(const char16_t* type, std::vector<ResbufPair> body) {
  std::vector<ResbufPair> pairs{{0, type}, {5, u"3A"}, {100, u"AcDbEntity"}, {8, u"0"}};
  pairs.insert(pairs.end(), body.begin(), body.end());
  pairs.push_back({1001, u"QEV_DATA"});
  pairs.push_back({1000, u"TPV1001-0001"});
  return ownedChain(buildResbufList(pairs));
}

// One list of every bounded curve and outline kind.
std::vector<ownedChain> shapeLists() {
  std::vector<ownedChain> lists;
  lists.push_back(entityList(u"LINE", {{100, u"AcDbLine"}, {10, xyz(1, 2)}, {11, xyz(7, -3)}}));
  lists.push_back(entityList(u"ARC", {{100, u"AcDbCircle"}, {10, xyz(1, 1)}, {40, 2.0}, {100, u"AcDbArc"},
                                      {50, 0.5}, {51, 2.0}}));
  lists.push_back(entityList(u"ELLIPSE", {{100, u"AcDbEllipse"}, {10, xyz(0, 0)}, {11, xyz(3, 1)}, {40, 0.5},
                                          {41, 0.2}, {42, 4.0}}));
  lists.push_back(entityList(u"LWPOLYLINE", {{100, u"AcDbPolyline"}, {90, 3}, {70, 0}, {10, xyz(0, 0)},
                                             {40, 0.0}, {41, 1.0}, {42, 0.4}, {10, xyz(4, 0)}, {40, 1.0},
                                             {41, 0.5}, {10, xyz(4, 3)}}));
  lists.push_back(entityList(u"SOLID", {{100, u"AcDbTrace"}, {10, xyz(0, 0)}, {11, xyz(4, 0)}, {12, xyz(0, 3)},
                                        {13, xyz(4, 3)}}));
  return lists;
}

// The list from its extended data on.
std::string tailOf(const resbuf* list) {
  while (list != nullptr && list->code < 1000) list = list->next;
  return describe(list);
}

// Uniform turns, scales and mirrors of every kind are compared with ezdxf
// by entity_operations.py; here a stretch, which arcs cannot follow.
TEST(EntityTransform, CopiesThatFollowAreDirtyAndRefusalsChangeNothing) {
  GeometryToleranceScope tolerances(1);
  const XtGeMatrix2d stretch = XtGeMatrix2d::scaling(2.0, 3.0);
  const std::vector<ownedChain> lists = shapeLists();
  for (std::size_t i = 0; i < lists.size(); ++i) {
    auto copy = entReader2D::entity(lists[i].get());
    ASSERT_NE(copy->getUpdatedList(2), nullptr);
    const std::string before = describe(copy->getList());
    const bool follows = i != 1 && i != 3;  // not the arc, nor the polyline holding one
    EXPECT_EQ(copy->transformBy(stretch), follows) << i;
    EXPECT_EQ(copy->isDirty(), follows) << i;
    EXPECT_EQ(describe(copy->getUpdatedList(0)) != before, follows) << i;  // the list handed out moved too
  }
  EXPECT_FALSE(ltInsert2D().transformBy(turnAndScale()));
  XtGeMatrix2d broken;
  broken(0, 2) = std::nan("");
  EXPECT_FALSE(entReader2D::entity(lists[0].get())->transformBy(broken));
  ltMText2D mtext;
  mtext.height = 2.5;
  EXPECT_FALSE(mtext.transformBy(XtGeMatrix2d::scaling(0.0)));  // nothing to measure a height by
}

// Pattern lines are the image of the drawn lines: a dash of the moved
// pattern ends where the matrix sends the old one's end.
TEST(EntityTransform, HatchPatternsTurnMirrorAndStretchWithTheirLoops) {
  GeometryToleranceScope tolerances(1);
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  pieces.push_back(std::make_unique<XtGeCircArc2d>(XtGePoint2d(2, 2), 1.0));
  const XtGeCompositeCurve2d circle(std::move(pieces));
  const ltHatchPatternLine line{pi / 6, {1, 2}, {-0.5, 0.8}, {1.0, -0.25}};
  const XtGeVector2d along(std::cos(line.angle), std::sin(line.angle));
  // A circle follows the mirror, not the stretch: then nothing moves.
  const XtGeMatrix2d mirrored = turnAndScale() * XtGeMatrix2d::scaling(1.0, -1.0);
  for (bool circular : {true, false}) {
    for (int k = 0; k < 2; ++k) {
      const XtGeMatrix2d m = k == 0 ? mirrored : XtGeMatrix2d::scaling(3.0, 1.0);
      ltHatch2D hatch;
      if (circular) hatch.loops().push_back({circle, 1, {}});
      hatch.patternLines().push_back(line);
      const bool follows = !circular || k == 0;
      ASSERT_EQ(hatch.transformBy(m), follows);
      const ltHatchPatternLine& now = hatch.patternLines()[0];
      const XtGeMatrix2d& moved = follows ? m : XtGeMatrix2d::kIdentity;
      const XtGeVector2d nowAlong(std::cos(now.angle), std::sin(now.angle));
      EXPECT_TRUE(now.base.isEqualTo(moved * line.base, tight));
      EXPECT_TRUE((now.base + nowAlong * now.dashes[0]).isEqualTo(moved * (line.base + along * line.dashes[0]), tight));
      EXPECT_NEAR(now.dashes[1] / now.dashes[0], -0.25, 1e-12);
      EXPECT_TRUE((now.base + now.offset).isEqualTo(moved * (line.base + line.offset), tight));
      XtGeBoundBlock2d box;
      EXPECT_EQ(hatch.getExtents(box, false), circular);  // no loops, no extents
    }
  }
}

TEST(EntityTransform, AnAlignedDimensionMovesInItsOwnListAndStaysClean) {
  GeometryToleranceScope tolerances(1);
  const ownedChain list = dimensionList();
  auto copy = entReader2D::anyEntity(list.get());
  ASSERT_EQ(copy->entType(), ltEntKind::unknown);
  ASSERT_NE(copy->getUpdatedList(2), nullptr);
  const auto shared = copy->clone();
  const std::string before = describe(shared->getList());
  const XtGeMatrix2d quarter = XtGeMatrix2d::rotation(pi / 2);
  ASSERT_TRUE(copy->transformBy(quarter));
  EXPECT_FALSE(copy->isDirty());
  const resbuf* moved = copy->getUpdatedList(0);
  EXPECT_TRUE(pointsOf(moved, 14)[0].isEqualTo({0, 300}, tight));
  EXPECT_TRUE(pointsOf(moved, 10)[0].isEqualTo({-50, 150}, tight));
  EXPECT_EQ(tailOf(moved), tailOf(list.get()));
  EXPECT_EQ(describe(shared->getList()), before);  // the clone's list was not touched

  const double p0[3] = {0, 0, 0};
  for (const char16_t* type : {u"dimension", u"SPLINE"}) {
    ownedChain other(buildResbufList({{0, type}, {100, u"AcDbEntity"}, {100, u"AcDbAlignedDimension"},
                                      {13, p0}}));
    auto refused = entReader2D::anyEntity(other.get());
    EXPECT_FALSE(refused->transformBy(quarter));
    EXPECT_EQ(describe(refused->getList()), describe(other.get()));
  }
}

TEST(EntityEquality, DirectionStyleCaseAndKindsCount) {
  GeometryToleranceScope tolerances(1);
  const std::vector<ownedChain> lists = shapeLists();
  for (const ownedChain& list : lists) {
    auto a = entReader2D::entity(list.get());
    EXPECT_TRUE(a->isEqualTo(*a->clone()));
  }
  auto line = entReader2D::entity(lists[0].get());
  auto arc = entReader2D::entity(lists[1].get());
  EXPECT_FALSE(line->isEqualTo(*arc));
  auto opposite = arc->clone();
  static_cast<XtGeCircArc2d*>(opposite->getCurve())->set({1, 1}, 2.0, 0.5, 2.0, XtGeVector2d::kXAxis, true);
  EXPECT_FALSE(arc->isEqualTo(*opposite));

  ltText2D a;
  a.values().value = u"Zóna";
  a.values().style = u"Standard";
  ltText2D b;
  b.values() = a.values();
  b.values().style = u"STANDARD";
  EXPECT_TRUE(a.isEqualTo(b));
  b.values().value = u"ZÓNA";
  EXPECT_FALSE(a.isEqualTo(b));
  ltInsert2D one;
  ltInsert2D two;
  two.blockName = u"OTHER";
  EXPECT_TRUE(one.isEqualTo(two));  // references compare by kind alone
  EXPECT_FALSE(one.isEqualTo(a));
}

// The box corners of a text.
std::pair<XtGePoint2d, XtGePoint2d> boxOf(const ltEnt2D& copy) {
  XtGeBoundBlock2d block;
  EXPECT_TRUE(copy.getExtents(block, false));
  return {block.minPoint(), block.maxPoint()};
}

TEST(EntityExtents, TextBoxesCountShownCharactersAndFollowTheFlags) {
  ltText2D text;
  text.values().insertion = {10, 20};
  text.values().height = 2.5;
  text.values().value = u"ABCD";
  auto [low, high] = boxOf(text);
  EXPECT_TRUE(low.isEqualTo({10, 20 - 2.5 / 3}, tight) && high.isEqualTo({19, 22.5}, tight));
  text.values().value = u"20%%d";
  EXPECT_NEAR(boxOf(text).second.x, 10 + 3 * 2.25, 1e-12);
  text.values().generationFlags = 2 | 4;  // backward and upside down
  std::tie(low, high) = boxOf(text);
  EXPECT_TRUE(low.isEqualTo({10 - 6.75, 20 + 2.5 / 3 - 10.0 / 3}, tight) && high.isEqualTo({10, 20 + 2.5 / 3}, tight));
  text.values() = textValues{};
  text.values().height = 1.0;
  text.values().hJust = 5;  // fit: the box spans the two points
  text.values().alignment = {30, 0};
  text.values().value = u"AB";
  std::tie(low, high) = boxOf(text);
  EXPECT_NEAR(high.x - low.x, 30.0, 1e-12);

  XtGeBoundBlock2d block(XtGePoint2d(-100, -100), XtGePoint2d(-99, -99));
  ASSERT_TRUE(text.getExtents(block, true));
  EXPECT_TRUE(block.minPoint().isEqualTo({-100, -100}, tight));
}

// The curve kinds' boxes are compared with ezdxf.bbox by entity_operations.py.
TEST(EntityExtents, SolidsGiveTheirOutlineAndUnboundedKindsNone) {
  GeometryToleranceScope tolerances(1);
  XtGeBoundBlock2d block;
  ASSERT_TRUE(entReader2D::entity(shapeLists()[4].get())->getExtents(block, false));
  EXPECT_TRUE(block.minPoint().isEqualTo({0, 0}, tight) && block.maxPoint().isEqualTo({4, 3}, tight));
  ownedChain xline = entityList(u"XLINE", {{100, u"AcDbXline"}, {10, xyz(1, 2)}, {11, xyz(1, 0)}});
  XtGeBoundBlock2d untouched(XtGePoint2d(0, 0), XtGePoint2d(1, 1));
  EXPECT_FALSE(entReader2D::entity(xline.get())->getExtents(untouched, false));
  EXPECT_FALSE(entReader2D::anyEntity(dimensionList().get())->getExtents(untouched, false));
  EXPECT_FALSE(ltInsert2D().getExtents(untouched, true));
  EXPECT_TRUE(untouched.maxPoint().isEqualTo({1, 1}, tight));
}

}  // namespace
