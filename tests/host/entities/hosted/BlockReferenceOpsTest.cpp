// Block references over blocks made through the stand-in host (word 111):
// explosion places every entity by the transforms of all references above
// it and refuses what cannot be placed, extents equal the placed geometry,
// and clipping without block making or with nothing left.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/curveBoundBlock.h"
#include "host/HostExport.h"
#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"
#include "host/Tolerances.h"
#include "host/entities/BlockReferenceOps.h"
#include "host/entities/circArcList.h"
#include "host/entities/insertList.h"
#include "host/entities/lineList.h"
#include "host/entities/textList.h"
#include "host/entities/ltInsert2D.h"
#include "platform/cadhost/HostStatus.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "tests/host/entities/EntityTestLists.h"
#include "tests/platform/cadhost/host/HostTestFixture.h"

namespace {

using cadhost::test::HostRun;

constexpr double pi = std::numbers::pi;
const XtGeTol tight(1e-9, 1e-9);
int g_commandsRun = 0;

// Defines a block through word 111 from lists (freed here).
void defineBlock(const char16_t* name, std::vector<resbuf*> lists) {
  std::u16string buffer(name);
  buffer.resize(128);
  ASSERT_EQ(callHostWord<111>(0, buffer.data(), nullptr, 0, 0.0, 0.0, 0.0).value_or(0), hostStatus::normal);
  for (resbuf* list : lists) {
    EXPECT_EQ(callHostWord<111>(1, buffer.data(), list, 0, 0.0, 0.0, 0.0).value_or(0), hostStatus::normal);
    freeResbufChain(list, false);
  }
  ASSERT_EQ(callHostWord<111>(2, buffer.data(), nullptr, 0, 0.0, 0.0, 0.0).value_or(0), hostStatus::normal);
}

const ltEntProps props;
resbuf* lineList(XtGePoint2d a, XtGePoint2d b) {
  return entBuilder2D::line(props, XtGeLineSeg2d(a, b), XtGeMatrix2d::kIdentity, nullptr);
}
resbuf* quarterArc() {
  return writeCircArc2d(props, XtGeCircArc2d({0, 0}, 1.0, 0.0, pi / 2), XtGeMatrix2d::kIdentity, nullptr);
}
resbuf* insertList(const char16_t* name, XtGePoint2d at, XtGeScale3d scale, double rotation) {
  return entBuilder2D::insert(props, at, name, scale, rotation, nullptr, nullptr, nullptr, 0, nullptr);
}

std::unique_ptr<ltInsert2D> reference(const char16_t* name, XtGePoint2d at, XtGeScale3d scale, double rotation) {
  auto insert = std::make_unique<ltInsert2D>();
  insert->blockName = name;
  insert->insertion = at;
  insert->scale = scale;
  insert->rotation = rotation;
  return insert;
}

void explodeAndMeasure() {
  ++g_commandsRun;
  GeometryToleranceScope tolerances(1);
  const HostExport2D* table = getExport2D();
  defineBlock(u"INNER", {lineList({0, 0}, {1, 0}), quarterArc()});
  defineBlock(u"STRETCHED", {insertList(u"INNER", {2, 0}, XtGeScale3d(2.0, 3.0, 1.0), 0.0)});
  ltEntArray out;
  // What cannot be placed: unequal nested scales, an arc under a
  // non-uniform scale at the top, blocks that hold themselves.
  const std::pair<const char16_t*, XtGeScale3d> refusals[] = {
      {u"STRETCHED", XtGeScale3d(1.0)}, {u"INNER", XtGeScale3d(2.0, 1.0, 1.0)}, {u"MISSING", XtGeScale3d(1.0)}};
  for (const auto& [name, scale] : refusals) {
    out.clear();
    EXPECT_EQ(reference(name, {0, 0}, scale, 0.0)->explode(out, table, nullptr, false), 0)
        << std::u16string_view(name).size();
    EXPECT_TRUE(out.empty());
  }
  // Extents: the box of the placed geometry, a stretched arc measured as
  // its ellipse.
  const std::pair<XtGeScale3d, double> placements[] = {
      {XtGeScale3d(1.0, 3.0, 1.0), 0.0}, {XtGeScale3d(-1.0, 1.0, 1.0), 0.0}, {XtGeScale3d(2.0), pi / 3}};
  for (const auto& [scale, rotation] : placements) {
    auto insert = reference(u"INNER", {10, 20}, scale, rotation);
    XtGeBoundBlock2d box;
    ASSERT_TRUE(insert->getBlockExtents(box, table, false));
    XtGeBoundBlock2d sampled;
    XtGePoint2dArray points;
    XtGeCircArc2d({0, 0}, 1.0, 0.0, pi / 2).getSamplePoints(20001, points);
    points.append(XtGePoint2d(0, 0));
    for (const XtGePoint2d& p : points) sampled.extend(insert->getTransform() * p);
    EXPECT_TRUE(box.minPoint().isEqualTo(sampled.minPoint(), XtGeTol(1e-6, 0)) &&
                box.maxPoint().isEqualTo(sampled.maxPoint(), XtGeTol(1e-6, 0)));
  }
  textValues letter;
  letter.height = 1.0;
  letter.value = u"A";
  defineBlock(u"TEXTS", {entBuilder2D::text(props, letter, nullptr)});
  XtGeBoundBlock2d untouched;
  EXPECT_FALSE(reference(u"TEXTS", {0, 0}, XtGeScale3d(1.0), 0.0)->getBlockExtents(untouched, table, false));
  EXPECT_TRUE(untouched.isEmpty());
}

TEST(BlockReferenceOps, ExplosionAndExtents) {
  g_commandsRun = 0;
  HostRun run("minimal.dxf", "command blocks\n", {}, {{"blocks", explodeAndMeasure}});
  EXPECT_EQ(run.run(), 0);
  EXPECT_EQ(g_commandsRun, 1);
}

// Blocks that hold themselves, directly (SELF) or through another (PING,
// PONG), as a drawing may hold them: the host's block making refuses them.
void selfReferences() {
  ++g_commandsRun;
  for (const char16_t* name : {u"SELF", u"PING"}) {
    ltEntArray out;
    ASSERT_TRUE(reference(name, {0, 0}, XtGeScale3d(1.0), 0.0)->getBlockEntities(out, getExport2D(), nullptr));
    EXPECT_EQ(out.size(), name[0] == u'S' ? 2u : 1u);  // the drawing gave the block
    out.clear();
    EXPECT_EQ(reference(name, {0, 0}, XtGeScale3d(1.0), 0.0)->explode(out, getExport2D(), nullptr, false), 0);
    EXPECT_TRUE(out.empty());
  }
}

TEST(BlockReferenceOps, BlocksHoldingThemselvesDoNotExplode) {
  g_commandsRun = 0;
  HostRun run(std::string(HV_SOURCE_DIR) + "/tests/host/entities/data/self_referencing_blocks.dxf", "command self\n",
              {}, {{"self", selfReferences}});
  EXPECT_EQ(run.run(), 0);
  EXPECT_EQ(g_commandsRun, 1);
}

void clip() {
  ++g_commandsRun;
  GeometryToleranceScope tolerances(1);
  const HostExport2D* table = getExport2D();
  defineBlock(u"RAILS", {lineList({0, 0}, {10, 0}), lineList({0, 3}, {10, 3})});
  std::vector<std::unique_ptr<XtGeCurve2d>> sides;
  const XtGePoint2d corners[] = {{2, -5}, {8, -5}, {8, 5}, {2, 5}};
  for (int i = 0; i < 4; ++i) sides.push_back(std::make_unique<XtGeLineSeg2d>(corners[i], corners[(i + 1) % 4]));
  const XtGeCompositeCurve2d window(std::move(sides));
  const XtGeCurve2d* keep[] = {&window};
  auto rails = reference(u"RAILS", {0, 0}, XtGeScale3d(1.0), 0.0);
  std::vector<const XtGeCurve2d*> cutting;
  // Without block making the reference keeps its block; with nothing
  // left there is no reference.
  HostExport2D noBlocks = *table;
  noBlocks.words[111] = nullptr;
  auto kept = rails->clipByCurves(keep, {}, &noBlocks, XtGeMatrix2d::kIdentity, nullptr, false, cutting, {}, {}, false);
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->blockName, u"RAILS");
  auto far = reference(u"RAILS", {100, 0}, XtGeScale3d(1.0), 0.0);
  EXPECT_EQ(far->clipByCurves(keep, {}, table, XtGeMatrix2d::kIdentity, nullptr, false, cutting, {}, {}, false), nullptr);
}

TEST(BlockReferenceOps, ClippingWithoutBlockMakingOrWithNothingLeft) {
  g_commandsRun = 0;
  HostRun run("minimal.dxf", "command clip\n", {}, {{"clip", clip}});
  EXPECT_EQ(run.run(), 0);
  EXPECT_EQ(g_commandsRun, 1);
}

}  // namespace
