// Extents of curves for window selection: arcs and bulges reach past their
// end points, block references carry their block's extents, and what reaches
// infinity is inside no window.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "CadhostTestUtil.h"
#include "platform/cadhost/BlockBuilder.h"
#include "platform/cadhost/EntityExtents.h"
#include "platform/cadhost/EntitySelector.h"

namespace cadhost {
namespace {

using namespace cadhost::test;

Extents2d extentsOf(Drawing& d, GroupList list) {
  MakeResult made = d.makeEntity(list);
  EXPECT_TRUE(made.ok()) << made.message;
  return entityExtents(d, made.record).value_or(Extents2d{});
}

void expectBox(const Extents2d& box, double x0, double y0, double x1, double y1) {
  EXPECT_FALSE(box.empty);
  EXPECT_NEAR(box.minX, x0, 1e-9);
  EXPECT_NEAR(box.minY, y0, 1e-9);
  EXPECT_NEAR(box.maxX, x1, 1e-9);
  EXPECT_NEAR(box.maxY, y1, 1e-9);
}

// An entity list of `type` on layer 0 with the groups `rest`.
GroupList with(const char* type, GroupList rest) {
  GroupList list{T(0, type), T(100, "AcDbEntity"), T(8, "0")};
  list.insert(list.end(), rest.begin(), rest.end());
  return list;
}

TEST(CadhostEntityExtents, ArcsBulgesAndBlockReferences) {
  auto d = emptyDrawing();
  const double pi = std::numbers::pi;
  // A quarter arc from 0 to 90 degrees; an arc across 0 degrees reaches x = r.
  expectBox(extentsOf(*d, with("ARC", {T(100, "AcDbCircle"), P(10, 0, 0), R(40, 10), T(100, "AcDbArc"), R(50, 0),
                                       R(51, pi / 2)})), 0, 0, 10, 10);
  expectBox(extentsOf(*d, with("ARC", {T(100, "AcDbCircle"), P(10, 0, 0), R(40, 10), T(100, "AcDbArc"),
                                       R(50, 1.5 * pi), R(51, 0.25 * pi)})), 0, -10, 10, std::sqrt(50.0));
  // Half circles by bulge: +1 turns left of the way, -1 right; huge coordinates keep their size.
  expectBox(extentsOf(*d, with("LWPOLYLINE", {T(100, "AcDbPolyline"), I(90, 2), I(70, 0), P(10, 0, 0), R(42, 1),
                                              P(10, 10, 0)})), 0, -5, 10, 0);
  expectBox(extentsOf(*d, with("LWPOLYLINE", {T(100, "AcDbPolyline"), I(90, 2), I(70, 0), P(10, 1e7, 1e7), R(42, -1),
                                              P(10, 1e7 + 10, 1e7)})), 1e7, 1e7, 1e7 + 10, 1e7 + 5);
  // A closed polyline's last bulge closes back to the first vertex.
  expectBox(extentsOf(*d, with("LWPOLYLINE", {T(100, "AcDbPolyline"), I(90, 2), I(70, 1), P(10, 0, 0), P(10, 10, 0),
                                              R(42, -1)})), 0, -5, 10, 0);

  // A block of a 600 x 100 rectangle, inserted rotated by 90 degrees and scaled by 2.
  BlockBuilder& blocks = d->blockBuilder();
  blocks.begin(u"R", false, {100, 0, 0});
  blocks.add(with("LWPOLYLINE", {T(100, "AcDbPolyline"), I(90, 4), I(70, 1), P(10, 100, 0), P(10, 700, 0),
                                 P(10, 700, 100), P(10, 100, 100)}));
  blocks.end();
  expectBox(extentsOf(*d, with("INSERT", {T(100, "AcDbBlockReference"), T(2, "R"), P(10, 1000, 1000), R(41, 2),
                                          R(42, 2), R(50, pi / 2)})), 800, 1000, 1000, 2200);
}

TEST(CadhostEntityExtents, NestedBlocksAreMeasuredOnceEach) {
  // Nine blocks, each holding a line and 40 references to the next: walked
  // reference by reference that is 40^8 block visits for one window test.
  auto d = emptyDrawing();
  BlockBuilder& blocks = d->blockBuilder();
  const GroupList line{T(0, "LINE"), T(100, "AcDbEntity"), T(8, "0"), T(100, "AcDbLine"), P(10, 0, 0), P(11, 1, 1)};
  for (int level = 8; level >= 0; --level) {
    blocks.begin(u"N" + std::u16string(1, static_cast<char16_t>(u'0' + level)), false, {0, 0, 0});
    ASSERT_TRUE(blocks.add(line).ok());
    for (int i = 0; level < 8 && i < 40; ++i)
      ASSERT_TRUE(blocks.add({T(0, "INSERT"), T(100, "AcDbEntity"), T(8, "0"), T(100, "AcDbBlockReference"),
                              T(2, "N" + std::to_string(level + 1)), P(10, 0, 0)})
                      .ok());
    blocks.end();
  }
  expectBox(extentsOf(*d, {T(0, "INSERT"), T(100, "AcDbEntity"), T(8, "0"), T(100, "AcDbBlockReference"),
                           T(2, "N0"), P(10, 5, 5)}),
            5, 5, 6, 6);
}

TEST(CadhostEntityExtents, WhatReachesInfinityIsInsideNoWindow) {
  auto d = emptyDrawing();
  BlockBuilder& blocks = d->blockBuilder();
  // Dimension blocks: one whose circle overflows the double range, one inside.
  for (const char* name : {"DHUGE", "DSMALL"}) {
    blocks.begin(u16(name), false, {0, 0, 0});
    ASSERT_TRUE(blocks.add(name[1] == 'H' ? with("CIRCLE", {T(100, "AcDbCircle"), P(10, 1e308, 0), R(40, 1e308)})
                                          : with("LINE", {T(100, "AcDbLine"), P(10, 1, 5), P(11, 9, 5)}))
                    .ok());
    blocks.end();
  }
  // Construction lines, rays and references to the huge block, though their
  // points lie inside; the dimension of the small block is selected.
  for (const GroupList& list :
       {with("XLINE", {T(100, "AcDbXline"), P(10, 5, 5), P(11, 1, 0)}),
        with("RAY", {T(100, "AcDbRay"), P(10, 5, 5), P(11, 0, 1)}),
        with("INSERT", {T(100, "AcDbBlockReference"), T(2, "DHUGE"), P(10, 5, 5)}),
        with("DIMENSION", {T(100, "AcDbDimension"), T(2, "DHUGE"), P(10, 9, 6), P(11, 5, 7), I(70, 1)}),
        with("DIMENSION", {T(5, "D5"), T(100, "AcDbDimension"), T(2, "DSMALL"), P(10, 9, 6), P(11, 5, 7), I(70, 1)})})
    ASSERT_TRUE(d->makeEntity(list).ok());
  SelectSpec spec;
  spec.mode = SelectSpec::Mode::Window;
  spec.high = {20, 20, 0};
  const SelectionResult window = EntitySelector(*d).select(spec);
  ASSERT_EQ(window.entities.size(), 1u);
  EXPECT_EQ(d->record(window.entities[0]).handle, 0xD5u);
  spec.mode = SelectSpec::Mode::All;
  EXPECT_EQ(EntitySelector(*d).select(spec).entities.size(), 5u);
}

}  // namespace
}  // namespace cadhost
