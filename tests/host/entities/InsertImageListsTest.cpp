// Block reference and image lists: the groups an INSERT writes once, the
// plane flip of a reference seen from below, the reference's transform, and
// the clip boundaries of images and wipeouts.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "host/ResbufBuilder.h"
#include "host/entities/entityDispatch.h"
#include "host/entities/imageList.h"
#include "host/entities/insertList.h"
#include "host/entities/ltImage2D.h"
#include "host/entities/ltInsert2D.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "tests/host/entities/CurveListSupport.h"

namespace {

int countOf(const resbuf* list, int code) { return static_cast<int>(nodesOf(list, code).size()); }
const resbuf* first(const resbuf* list, int code) { return nodesOf(list, code).at(0); }

ownedChain insertList(std::initializer_list<ResbufPair> extra) {
  std::vector<ResbufPair> pairs{{0, u"INSERT"}, {5, u"7A"}, {100, u"AcDbEntity"}, {8, u"RZ"},
                                {100, u"AcDbBlockReference"}, {2, u"RZ_TEST"},
                                {10, std::array<double, 3>{5, 3, 0}}};
  pairs.insert(pairs.end(), extra);
  return ownedChain(buildResbufList(pairs));
}

TEST(InsertLists, AttributesFollowAndExtrusionAreWrittenOnce) {
  ownedChain withAttributes = insertList({{66, 1}, {210, std::array<double, 3>{0, 0, 1}}});
  const XtGeVector3d up{0, 0, 1};
  for (int flag : {0, 1}) {
    ownedChain out(entBuilder2D::insert(ltEntProps(), {1, 2}, u"RZ_TEST", XtGeScale3d(), 0.0, nullptr, nullptr,
                                        withAttributes.get(), flag, &up));
    // The kept 66 wins.
    EXPECT_EQ(std::tuple(countOf(out.get(), 66), first(out.get(), 66)->value.i16, countOf(out.get(), 210)), std::tuple(1, 1, 1));
  }
  ownedChain fresh(entBuilder2D::insert(ltEntProps(), {1, 2}, u"B", XtGeScale3d(), 0.0, nullptr, nullptr, nullptr,
                                        0x101, nullptr));
  EXPECT_EQ(std::tuple(first(fresh.get(), 66)->value.i16, countOf(fresh.get(), 210)), std::tuple(1, 0));
  const insertCounts counts{2.9, 3.0};
  ownedChain array(entBuilder2D::insert(ltEntProps(), {0, 0}, u"B", XtGeScale3d(), 0.0, &counts, nullptr, nullptr,
                                        0, nullptr));
  EXPECT_EQ(first(array.get(), 70)->value.i16, 2);
  EXPECT_EQ(entBuilder2D::insert(ltEntProps(), {0, 0}, u"", XtGeScale3d(), 0.0, nullptr, nullptr, nullptr, 0,
                                 nullptr),
            nullptr);
}

TEST(InsertLists, ReaderDefaultsAndTheReferenceSeenFromBelow) {
  ltInsert2D plain;
  ownedChain bare = insertList({});
  ASSERT_EQ(plain.setFromList(bare.get(), true), 0);
  EXPECT_EQ(std::tuple(plain.scale.sx, plain.scale.sy, plain.scale.sz, plain.rotation), std::tuple(1.0, 1.0, 1.0, 0.0));

  ltInsert2D below;
  ownedChain flipped = insertList({{210, std::array<double, 3>{0, 0, -1}}});
  ASSERT_EQ(below.setFromList(flipped.get(), true), 0);
  EXPECT_EQ(std::pair(below.insertion.x, below.insertion.y), std::pair(-5.0, 3.0));
  EXPECT_NEAR(below.rotation, std::numbers::pi, 1e-15);
  EXPECT_EQ(below.scale.sy, -1.0);
  // Its rewrite lies in the plane: the same transform, extrusion +Z.
  const XtGeMatrix2d before = below.getTransform();
  const resbuf* rewritten = below.getUpdatedList(2);
  ASSERT_NE(rewritten, nullptr);
  EXPECT_EQ(first(rewritten, 210)->value.point[2], 1.0);
  ltInsert2D again;
  ASSERT_EQ(again.setFromList(rewritten, true), 0);
  EXPECT_TRUE(again.getTransform().isEqualTo(before, XtGeTol(1e-12, 1e-12)));
  EXPECT_EQ(textOf(rewritten, 5), u"7A");

  EXPECT_EQ(entReader2D::anyEntity(ownedChain(buildResbufList({{0, u"INSERT"}, {10, std::array<double, 3>{}}})).get())
                ->entType(),
            ltEntKind::unknown);
}

TEST(ImageLists, ClipBoundariesInPixelsAndBack) {
  const XtGePoint2d at(10, 20);
  const XtGeVector2d u(0.5, 0), v(0, 0.5), size(100, 50);
  ownedChain definition(buildResbufList({{340, u"4F"}, {70, 3}}));
  ownedChain whole(entBuilder2D::image(ltEntProps(), at, u, v, size, nullptr, definition.get(), u"IMAGE",
                                       u"AcDbRasterImage"));
  ASSERT_TRUE(whole);
  EXPECT_EQ(std::tuple(first(whole.get(), 70)->value.i16, first(whole.get(), 91)->value.i32, pointsOf(whole.get(), 14).at(0)),
            std::tuple(7, 5, XtGePoint2d(-0.5, -0.5)));
  auto copy = entReader2D::entity(whole.get());
  ASSERT_TRUE(copy && copy->entType() == ltEntKind::image);
  const auto& clip = static_cast<ltImage2D&>(*copy).clipBoundary;
  EXPECT_EQ(clip.numCurves(), 4);
  EXPECT_NEAR(clip.totalLength(), 2 * (50 + 25), 1e-12) << "the whole image, 50 x 25 units";

  // A circle of 1000 pixels is sampled with 100 points, one of 20 with 3.
  for (const auto& [radius, points] : {std::pair(1000 * 0.5 / (2 * std::numbers::pi), 100),
                                       std::pair(20 * 0.5 / (2 * std::numbers::pi), 3)}) {
    const XtGeCircArc2d circle(XtGePoint2d(30, 30), radius);
    ownedChain clipped(entBuilder2D::image(ltEntProps(), at, u, v, size, &circle, nullptr, u"WIPEOUT",
                                           u"AcDbWipeout"));
    ASSERT_TRUE(clipped);
    EXPECT_EQ(countOf(clipped.get(), 14), points) << radius;
  }
  ownedChain eight(buildResbufList({{340, u"4F"}, {70, 8}}));
  ownedChain flags(entBuilder2D::image(ltEntProps(), at, u, v, size, nullptr, eight.get(), u"IMAGE",
                                       u"AcDbRasterImage"));
  EXPECT_EQ(first(flags.get(), 70)->value.i16, 12);
  EXPECT_EQ(entBuilder2D::image(ltEntProps(), at, u, v, size, nullptr, nullptr, u"IMAGE", u"AcDbRasterImage"),
            nullptr)
      << "an image without its definition";
}

TEST(ImageLists, ClipPointCountsTheReaderRefuses) {
  auto wipeout = [](int type, int count, std::initializer_list<std::array<double, 3>> points) {
    std::vector<ResbufPair> pairs{{0, u"WIPEOUT"}, {100, u"AcDbWipeout"}, {10, std::array<double, 3>{}},
                                  {11, std::array<double, 3>{1, 0, 0}}, {12, std::array<double, 3>{0, 1, 0}},
                                  {13, std::array<double, 3>{10, 10, 0}}, {70, 7}, {280, 1}, {71, type},
                                  {91, count}};
    for (const auto& p : points) pairs.push_back({14, p});
    return ownedChain(buildResbufList(pairs));
  };
  EXPECT_EQ(entReader2D::entity(wipeout(2, 5, {{0, 0, 0}, {5, 0, 0}, {5, 5, 0}}).get()), nullptr);
  auto rectangle = entReader2D::entity(wipeout(1, 2, {{0, 0, 0}, {4, 3, 0}}).get());
  ASSERT_TRUE(rectangle);
  EXPECT_EQ(static_cast<ltImage2D&>(*rectangle).clipBoundary.numCurves(), 4);
  EXPECT_EQ(entReader2D::entity(wipeout(1, 3, {{0, 0, 0}, {4, 3, 0}}).get()), nullptr);
  const double nan = std::nan("");
  EXPECT_EQ(entReader2D::entity(wipeout(2, 3, {{0, 0, 0}, {nan, 0, 0}, {5, 5, 0}}).get()), nullptr);
}

}  // namespace
