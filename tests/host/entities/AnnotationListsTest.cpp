// Dimension, dimension-style override, leader and multileader lists.
#include <gtest/gtest.h>

#include <numbers>

#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"
#include "host/entities/dimStyleOverride.h"
#include "host/entities/dimensionList.h"
#include "host/entities/leaderList.h"
#include "host/entities/mleaderList.h"
#include "tests/host/entities/EntityTestLists.h"

namespace {

// The overrides of the list's DSTYLE sections as "variable=value" lines, and
// the number of "ACAD" blocks.
std::pair<std::string, int> overridesOf(const resbuf* list) {
  std::string text;
  int blocks = 0;
  for (const resbuf* n = list; n; n = n->next) {
    if (n->code == 1001 && textOf(n, 1001) == u"ACAD") ++blocks;
    if (n->code == 1070 && n->next && n->next->code != 1002) {
      ownedChain value(copyResbufChainEx(n->next, false, true, true, nullptr, nullptr));
      text += std::to_string(n->value.i16) + "=" + describe(value.get()).substr(5);
      n = n->next;
    }
  }
  return {text, blocks};
}

TEST(DimensionLists, SettingOverridesReplacesPairsAndAddsSections) {
  ownedChain list(setDimStyleOverrideReal(nullptr, 42, 1.5));
  list.reset(setDimStyleOverrideReal(list.release(), 42, 0.25));
  list.reset(setDimStyleOverrideInt(list.release(), 77, 1));
  list.reset(setDimStyleOverrideString(list.release(), 3, u"mm"));
  EXPECT_EQ(overridesOf(list.get()), std::pair(std::string("42=0.25\n77=1\n3=mm\n"), 1));
  EXPECT_EQ(findDimStyleOverride(list.get(), 77)->value.i16, 1);

  ownedChain withoutSection(buildResbufList({{1001, u"ACAD"}, {1000, u"OTHER"}, {1001, u"QEV_DATA"}}));
  withoutSection.reset(setDimStyleOverrideReal(withoutSection.release(), 40, 2.0));
  EXPECT_EQ(describe(withoutSection.get()),
            "1001=ACAD\n1000=OTHER\n1000=DSTYLE\n1002={\n1070=40\n1040=2\n1002=}\n1001=QEV_DATA\n");
  ownedChain all(writeDimStyleOverrides(0, 1, 2.5, -1, -1, 0, u"", u"1F", -1, -1));
  EXPECT_EQ(overridesOf(all.get()), std::pair(std::string("75=1\n76=0\n41=2.5\n73=0\n344=1F\n"), 1));
  EXPECT_EQ(writeDimStyleOverrides(-1, -1, 0, 0, -1, -1, u"", u"", -1, -1), nullptr);
}

TEST(LeaderLists, VerticesAndArrowOverridesRoundTrip) {
  const std::vector<XtGePoint2d> vertices{{0, 0}, {10, 10}, {10, 10}, {30, 10}};
  ownedChain list(entBuilder2D::leader(ltEntProps(), vertices, u"2A", u"Standard", 2.0));
  EXPECT_EQ(overridesOf(list.get()), std::pair(std::string("341=2A\n41=2\n"), 1));
  XtGeCompositeCurve2d read;
  ASSERT_TRUE(entReader2D::leader(read, list.get(), nullptr));
  EXPECT_EQ(read.numCurves(), 2) << "the repeated vertex adds no segment";
  EXPECT_DOUBLE_EQ(read.totalLength(), std::hypot(10, 10) + 20);
  ownedChain annotated(entBuilder2D::leaderAnnotated(ltEntProps(), vertices, u"", u"Standard", 0, 0, u"", {}));
  EXPECT_EQ(codesOf(annotated.get()).back(), 75);
  ownedChain oneVertex(buildResbufList({{0, u"LEADER"}, {76, 1}, {10, std::array<double, 3>{}}}));
  EXPECT_FALSE(entReader2D::leader(read, oneVertex.get(), nullptr));
}

mleaderStyle sampleLeader() {
  mleaderStyle r;
  r.styleHandle = u"12";
  r.overallScale = 2.0;
  r.doglegLength = 8.0;
  r.arrowHandle = u"3A";
  r.arrowSize = 4.0;
  r.textStyleHandle = u"11";
  r.attributes.push_back({u"4B", 1, 10.0, u"A"});
  r.context.hasText = true;
  r.context.text = u"Rozdělovač";
  r.context.leftAttachment = 8;
  mleaderLeader& leader = r.context.leaders.emplace_back();
  leader.lastPoint = {5, 5, 0};
  leader.lines.push_back({{{0, 0, 0}, {5, 5, 0}}, 0});
  leader.lines.push_back({{{9, 0, 0}, {5, 5, 0}}, 1});
  return r;
}

TEST(MLeaderLists, OverridesAreListedAndBrokenRecordsRefused) {
  const mleaderStyle written = sampleLeader();
  ownedChain list(writeMLeader(written, ltEntProps()));
  ASSERT_TRUE(list);
  mleaderStyle read;
  ASSERT_TRUE(entReader2D::mleader(read, list.get()));
  EXPECT_EQ(listMLeaderOverrides(read), std::vector<int>());
  EXPECT_TRUE(read.landing);

  mleaderStyle blockOverrides = written;
  blockOverrides.overrideFlags = (1u << 19) | (1u << 22) | 1u;
  EXPECT_EQ(listMLeaderOverrides(blockOverrides), (std::vector<int>{0, 19, 22}));
  blockOverrides.styleHandle.clear();
  EXPECT_EQ(writeMLeader(blockOverrides, ltEntProps()), nullptr);
  for (resbuf* n = list.get(); n; n = n->next)
    if (n->code == 270) n->value.i16 = 1;
  EXPECT_FALSE(entReader2D::mleader(read, list.get()));
}

TEST(MLeaderLists, CombinedReaderGivesTheStyleOfTheName) {
  ltEntProps layerProps;
  layerProps.layer = u"NOTES";
  ownedChain list(writeMLeader(sampleLeader(), layerProps));
  ASSERT_TRUE(list);
  std::vector<HvMLeaderStyle> styles(2);
  styles[0].name = u"Standard";
  styles[1].name = u"Detail";
  mleaderStyle record;
  ltEntProps props;
  EXPECT_EQ(entReader2D::mleaderWithStyle(record, props, list.get(), styles, u"detail"), &styles[1]);
  EXPECT_EQ(props.layer, u"NOTES");
  EXPECT_EQ(record.contentType, sampleLeader().contentType);
  EXPECT_EQ(entReader2D::mleaderWithStyle(record, props, list.get(), styles, u"none"), nullptr);

  // A list the reader refuses leaves both outputs as they were.
  for (resbuf* n = list.get(); n; n = n->next)
    if (n->code == 270) n->value.i16 = 1;
  record.overallScale = 7.0;
  props.layer = u"KEPT";
  EXPECT_EQ(entReader2D::mleaderWithStyle(record, props, list.get(), styles, u"Standard"), nullptr);
  EXPECT_EQ(std::pair(record.overallScale, props.layer), std::pair(7.0, std::u16string(u"KEPT")));
}

}  // namespace
