// The item's block without the stand-in host: a table whose word 111 records
// each call shows what defineItemBlock and prepareBlock hand over, and the
// reference insertBlock writes is read back from its list.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "host/ResbufChain.h"
#include "host/items/QevItem.h"
#include "host/items/defineItemBlock.h"
#include "platform/cadhost/HostStatus.h"
#include "tests/host/entities/CurveListSupport.h"
#include "tests/host/items/ItemTestLists.h"

namespace {

using namespace itemtest;
using Point3 = std::array<double, 3>;

struct BlockCall {
  int mode;
  std::u16string name;
  std::u16string type;  // mode 1: the entity's group 0
  int anonymous;
  Point3 base;
};
std::vector<BlockCall> g_calls;
int g_refuseEntity = -1;                  // the entity call (from 0) to refuse
const char16_t* g_renamed = nullptr;      // written back for an anonymous block

int recordBlockCall(int mode, char16_t* name, const resbuf* entity, int anonymous, double x, double y, double z) {
  g_calls.push_back({mode, name, mode == 1 && entity ? entity->value.str : u"", anonymous, {x, y, z}});
  if (mode == 0 && anonymous && g_renamed) {
    const std::u16string_view renamed(g_renamed);
    name[renamed.copy(name, 127)] = u'\0';
  }
  if (mode == 1 && g_refuseEntity >= 0 && --g_refuseEntity < 0) return hostStatus::error;
  return hostStatus::normal;
}

class ItemBlock : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    g_refuseEntity = -1;
    g_renamed = nullptr;
    setHostWord<111>(table_, recordBlockCall);
  }
  HostExport2D table_{};
};

// A circle, marker A, an arc on "DEFPOINTS" and marker B (without a layer).
ownedChain blockList() {
  return ownedChain(buildResbufList({
      {0, u"CIRCLE"}, {8, u"0"}, {10, Point3{0, 0, 0}}, {40, 50.0},
      {0, u"LINE"}, {8, u"DEFPOINTS"}, {62, 7}, {10, Point3{100, 0, 0}}, {11, Point3{100, 10, 0}},
      {0, u"ARC"}, {8, u"Defpoints"}, {10, Point3{0, 0, 0}}, {40, 20.0}, {50, 0.0}, {51, 1.0},
      {0, u"LINE"}, {10, Point3{200, 50, 0}}, {11, Point3{210, 50, 0}},
  }));
}

TEST_F(ItemBlock, MarkersGivePointsAndTheBaseAndConstructionIsDroppedOnRequest) {
  ownedChain list = blockList();
  const struct {
    int index;
    bool drop;
    Point3 base;       // the marker at the index, the last one, or the origin
    std::size_t calls; // begin, the entities kept, end
    int curves;
  } cases[] = {{1, true, {200, 50, 0}, 3, 1}, {3, true, {200, 50, 0}, 3, 1}, {-1, true, {0, 0, 0}, 3, 1},
               {0, false, {100, 0, 0}, 6, 4}};
  for (const auto& c : cases) {
    g_calls.clear();
    std::u16string name = u"ITEM";
    XtGePoint2dArray points;
    XtGeVector2dArray directions;
    ownedCurveList curves;
    ASSERT_EQ(defineItemBlock(list.get(), &name, c.index, &table_, &points, &directions, c.drop, false, &curves.list),
              hostStatus::normal);
    EXPECT_EQ(std::tuple(g_calls.at(0).base, g_calls.size(), g_calls.at(1).type, curves.list.length()),
              std::tuple(c.base, c.calls, u"CIRCLE", c.curves)) << c.index;
    ASSERT_EQ(points.length(), 2);
    EXPECT_EQ(std::tuple(points[0], directions[1]), std::tuple(XtGePoint2d(100, 0), XtGeVector2d(10, 0)));
  }
  EXPECT_EQ(codesOf(list.get()), codesOf(blockList().get()));  // the list itself is untouched

  // No group 0: an empty block at the origin.
  g_calls.clear();
  ownedChain bare(buildResbufList({{8, u"DEFPOINTS"}, {10, Point3{5, 5, 0}}}));
  std::u16string name = u"*UANON";
  g_renamed = u"*U17";
  XtGePoint2dArray points;
  ASSERT_EQ(defineItemBlock(bare.get(), &name, 0, &table_, &points, nullptr, true, false, nullptr), hostStatus::normal);
  ASSERT_EQ(g_calls.size(), 2u);
  // The host's fresh name comes back.
  EXPECT_EQ(std::tuple(g_calls[0].anonymous, g_calls[0].base, points.length(), name),
            std::tuple(1, Point3{0, 0, 0}, 0, u"*U17"));
}

TEST_F(ItemBlock, RefusalsAndBadInputAreAnsweredAndEveryBlockBegunIsEnded) {
  ownedChain list = blockList();
  std::u16string name = u"B";
  g_refuseEntity = 1;  // the second entity
  EXPECT_EQ(defineItemBlock(list.get(), &name, 0, &table_, nullptr, nullptr, false, false, nullptr), hostStatus::error);
  ASSERT_EQ(g_calls.size(), 4u);  // begin, two entities, end
  EXPECT_EQ(g_calls.back().mode, 2);

  g_calls.clear();
  XtGePoint2dArray points;
  EXPECT_EQ(defineItemBlock(list.get(), nullptr, 0, nullptr, &points, nullptr, true, true, nullptr), hostStatus::normal);
  EXPECT_EQ(points.length(), 2);  // points only: no name, no table, no call
  EXPECT_TRUE(g_calls.empty());
  std::u16string tooLong(128, u'N'), empty;
  EXPECT_EQ(defineItemBlock(nullptr, &name, 0, &table_, nullptr, nullptr, true, true, nullptr), hostStatus::failure);
  for (std::u16string* bad : {static_cast<std::u16string*>(nullptr), &tooLong, &empty})
    EXPECT_EQ(defineItemBlock(list.get(), bad, 0, &table_, nullptr, nullptr, true, false, nullptr), hostStatus::failure);
  HostExport2D none{};
  EXPECT_EQ(defineItemBlock(list.get(), &name, 0, &none, nullptr, nullptr, true, false, nullptr), -1);
  EXPECT_TRUE(g_calls.empty());
}

// An item whose insert data holds an old placement and its item data.
QevItem itemToPrepare() {
  QevItem item;
  item.id = u"TOT0000-0023";
  item.currentPoint = 1;
  item.insPointValue = 3;
  item.points.resize(2);
  item.blockDefinition = itemListHolder::owning(blockList().release());
  item.insertData = itemListHolder::owning(buildResbufList(
      {{1001, u"QEV_INSPT"}, {1070, 0}, {1010, Point3{0, 0, 0}}, {1010, Point3{1, 0, 0}},
       {1001, u"QEV_DATA"}, {1000, u"E@0x0"}, {1000, u"_LABEL"}, {1000, u"RZ1"}}));
  return item;
}

TEST_F(ItemBlock, PreparingAFreshBlockNamesItAndPutsTheNewPlacementFirst) {
  QevItem item = itemToPrepare();
  ASSERT_EQ(item.prepareBlock(&table_, false, nullptr), itemStatus::ok);
  EXPECT_TRUE(item.blockName.starts_with(u"*UMSHV9"));
  ASSERT_EQ(g_calls.size(), 3u);
  EXPECT_EQ(std::tuple(g_calls[0].name, g_calls[0].base), std::tuple(item.blockName, Point3{200, 50, 0}));
  const resbuf* data = item.insertData.list();
  EXPECT_EQ(std::tuple(std::u16string(data->value.str), appCount(data, u"QEV_INSPT")), std::tuple(std::u16string(u"QEV_INSPT"), 1));
  EXPECT_EQ(appBlock(data, u"QEV_INSPT").at(2), "1010:-100.000000,-50.000000,0.000000,");  // A less the base B
  EXPECT_EQ(dataPairs(data), (Pairs{{u"_LABEL", u"RZ1"}}));
  EXPECT_EQ(std::tuple(item.points[0].position, item.points[1].direction), std::tuple(XtGePoint2d(-100, -50), XtGeVector2d(10, 0)));

  g_calls.clear();
  EXPECT_EQ(item.prepareBlock(&table_, false, nullptr), itemStatus::blockNamed);
  EXPECT_EQ(item.prepareBlock(&table_, true, nullptr), itemStatus::ok);  // points only
  EXPECT_TRUE(g_calls.empty());

  QevItem refused = itemToPrepare();
  HostExport2D none{};
  EXPECT_EQ(refused.prepareBlock(&none, false, nullptr), itemStatus::unreadable);
  EXPECT_TRUE(refused.blockName.empty());
  EXPECT_EQ(appBlock(refused.insertData.list(), u"QEV_INSPT").size(), 4u);
}

TEST_F(ItemBlock, AMirroredItemTurnsHalfRoundOnlyWhenItWasNotReadFromTheDrawing) {
  QevItem item = itemToPrepare();
  item.blockName = u"RZ_TEST";
  item.points[1].direction = {0, 1};               // the insertion direction
  item.xAxis = {std::cos(2.0), std::sin(2.0)};     // turned by it: the rotation is 2 - pi/2
  item.scale = 2.0;
  item.mirrored = true;
  const struct {
    std::uint8_t fromEntity;
    bool keepMirror;
    double rotation;
  } cases[] = {{1, false, 2.0 - std::numbers::pi / 2}, {0, true, 2.0 - std::numbers::pi / 2},
               {0, false, 2.0 + std::numbers::pi / 2}};
  for (const auto& c : cases) {
    item.fromEntity = c.fromEntity;
    resbuf* made = nullptr;
    ASSERT_EQ(item.insertBlock(&table_, c.keepMirror, &made), itemStatus::ok);
    ownedChain list(made);
    EXPECT_NEAR(realsOf(list.get(), 50).at(0), c.rotation, 1e-12);
    EXPECT_EQ(std::tuple(realsOf(list.get(), 41), appCount(list.get(), u"QEV_INSPT")), std::tuple(std::vector{-2.0}, 1));
  }
  resbuf* made = nullptr;
  QevItem unnamed = itemToPrepare();
  EXPECT_EQ(unnamed.insertBlock(&table_, false, &made), itemStatus::noInsertData);
  unnamed.blockName = u"B";
  unnamed.insertData.reset();
  EXPECT_EQ(unnamed.insertBlock(&table_, false, &made), itemStatus::noInsertData);
}

}  // namespace
