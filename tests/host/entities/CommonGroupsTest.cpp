// The common property groups both ways: the entity header written from a
// properties block and the block read back from a list, colours and
// transparency.
#include <gtest/gtest.h>

#include <cstdlib>

#include "host/ResbufBuilder.h"
#include "host/entities/braceSections.h"
#include "host/entities/colorValue.h"
#include "host/entities/commonProperties.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityHeader.h"
#include "tests/host/entities/EntityTestLists.h"

namespace {

using entReader2D::firstGroup;
using codes = std::vector<int>;

ownedChain header(const ltEntProps& props, const resbuf* previous = nullptr) {
  return ownedChain(entBuilder2D::entityHeader(props, u"LINE", previous));
}

TEST(EntityHeader, TransparencyPercentTravelsAsAlphaAndBack) {
  const std::pair<int, std::int32_t> written[] = {{0, 0x020000FF}, {90, 0x02000019}, {100, 0x02000000},
                                                  {150, 0x02000000}, {-5, 0x020000FF}};
  for (auto [percent, value] : written) {
    ltEntProps props;
    props.transparencyMode = 2;
    props.transparencyPercent = percent;
    EXPECT_EQ(firstGroup(header(props).get(), 440)->value.i32, value) << percent;
  }
  for (int percent = 1; percent <= 99; ++percent) {  // every explicit percent reads back unchanged
    std::int32_t mode = 0, back = 0;
    decodeTransparency(encodeTransparency(2, percent), mode, back);
    EXPECT_EQ(std::pair(mode, back), std::pair(2, percent));
  }
  const std::tuple<std::int32_t, int, int> read[] = {
      {0x02000080, 2, 49}, {0x02000000, 0, 0}, {0x020000FF, 0, 0}, {0x01000000, 1, 0}, {0, 0, 0}};
  for (auto [value, mode, percent] : read) {
    ownedChain list(buildResbufList({{0, u"LINE"}, {440, value}}));
    ltEntProps props;
    entReader2D::commonProperties(props, list.get(), false);
    EXPECT_EQ(std::pair(props.transparencyMode, props.transparencyPercent), std::pair(mode, percent)) << value;
  }
}

TEST(EntityHeader, CarriesTheBraceSectionsOverAndTakesReactorsFromTheProperties) {
  ownedChain old = dimensionList();
  ltEntProps props;
  EXPECT_EQ(codesOf(header(props, old.get()).get()), (codes{0, 102, 360, 102, 102, 330, 102, 100, 8, 6, 62, 370, 48}));
  props.setReactors(ownedChain(buildResbufList({{330, u"AA"}, {330, u"BB"}})));
  ownedChain replaced = header(props, old.get());
  EXPECT_EQ(describe(copyReactorChain(replaced.get()).get()), "330=AA\n330=BB\n");
  EXPECT_EQ(textOf(replaced.get(), 360), u"2B");
  EXPECT_EQ(codesOf(header(props).get()), (codes{0, 102, 330, 330, 102, 100, 8, 6, 62, 370, 48}));
  // An unclosed reactor section: its chain runs to the end; the header closes it.
  ownedChain unclosed(buildResbufList({{0, u"LINE"}, {102, u"{ACAD_REACTORS"}, {330, u"1"}, {100, u"AcDbEntity"}}));
  EXPECT_EQ(describe(copyReactorChain(unclosed.get()).get()), "330=1\n100=AcDbEntity\n");
  EXPECT_EQ(codesOf(header(ltEntProps(), unclosed.get()).get()), (codes{0, 102, 330, 102, 100, 8, 6, 62, 370, 48}));
  EXPECT_EQ(copyReactorChain(header(ltEntProps()).get()), nullptr);
}

TEST(EntityHeader, KeptGroupPrefersThePreferredList) {
  ownedChain list(buildResbufList({{0, u"LINE"}, {39, 2.0}, {39, 3.0}}));
  ownedChain preferred(buildResbufList({{39, 5.0}}));
  EXPECT_EQ(describe(ownedChain(entBuilder2D::keptGroup(39, list.get())).get()), "39=2\n");
  EXPECT_EQ(describe(ownedChain(entBuilder2D::keptGroup(39, list.get(), preferred.get())).get()), "39=5\n");
  EXPECT_EQ(entBuilder2D::keptGroup(210, list.get(), preferred.get()), nullptr);
  EXPECT_EQ(entBuilder2D::entityHeader(ltEntProps(), u""), nullptr);
}

TEST(CommonProperties, FirstOccurrenceWinsAndAbsentGroupsFollowTheKeepFlag) {
  ownedChain list(buildResbufList({{0, u"LINE"}, {5, u"1A"}, {100, u"AcDbEntity"}, {67, 1}, {410, u"Layout1"},
                                   {8, u"A"}, {8, u"B"}, {6, u"X"}, {62, 3}, {420, 0x123456}, {370, 211},
                                   {48, 2.5}, {60, 1}, {1001, u"APP"}, {1070, 7}}));
  resbuf* linetype = const_cast<resbuf*>(firstGroup(list.get(), 6));
  std::free(linetype->value.str);
  linetype->value.str = nullptr;  // a null text leaves the field
  ltEntProps props;
  entReader2D::commonProperties(props, list.get(), false);
  EXPECT_EQ(std::tuple(props.handle, props.layer, props.linetype, props.layoutName),
            std::tuple(u"1A", u"A", u"BYLAYER", u"Layout1"));
  EXPECT_EQ(std::tuple(props.colorIndex, props.hasTrueColor, props.trueColor, props.lineweight),
            std::tuple(3, true, 0x123456u, 211));
  EXPECT_EQ(std::tuple(props.linetypeScale, props.visibility, props.paperSpace), std::tuple(2.5, 1, 1));
  EXPECT_EQ(describe(props.getTail()), "1001=APP\n1070=7\n");

  ownedChain bare(buildResbufList({{0, u"LINE"}, {370, -2}}));  // no 67, 410, 420 or extended data
  ltEntProps kept = props;
  entReader2D::commonProperties(kept, bare.get(), true);
  EXPECT_EQ(std::tuple(kept.paperSpace, kept.layoutName, kept.hasTrueColor, kept.trueColor, kept.lineweight),
            std::tuple(1, u"Layout1", false, 0x123456u, -2));
  EXPECT_NE(kept.getTail(), nullptr);
  entReader2D::commonProperties(props, bare.get(), false);
  EXPECT_EQ(std::tuple(props.paperSpace, props.layoutName), std::tuple(0, u""));
}

TEST(ColorValue, IndexAndTrueColoursSplitBack) {
  int index = -7;
  std::uint32_t rgb = 0;
  for (int i = 0; i <= 256; ++i) {
    EXPECT_EQ(colorSplit(colorFromIndex(i), index, rgb), 1);
    EXPECT_EQ(index, i);
  }
  EXPECT_EQ(colorFromRgb(0xFF123456u), 0xC2123456u);
  EXPECT_EQ(colorSplit(0xC2123456u, index, rgb), 2);
  EXPECT_EQ(rgb, 0x123456u);
  EXPECT_EQ(colorSplit(5u, index, rgb), -1);
  EXPECT_EQ(std::pair(index, rgb), std::pair(256, 0x123456u));
}

}  // namespace

TEST(ltEntProps, PrependTailPutsTheChainInFrontWithoutCopying) {
  ltEntProps props;
  props.setTail(ownedChain(buildResbufList({{1000, u"b"}})));
  ownedChain front(buildResbufList({{1000, u"a"}}));
  const resbuf* frontNode = front.get();
  props.prependTail(std::move(front));
  EXPECT_EQ(props.getTail(), frontNode);
  EXPECT_EQ(describe(props.getTail()), describe(ownedChain(buildResbufList({{1000, u"a"}, {1000, u"b"}})).get()));
  props.prependTail(nullptr);
  const ltEntProps copy = props;
  EXPECT_EQ(describe(copy.getTail()), describe(props.getTail()));
  EXPECT_NE(copy.getTail(), props.getTail());

  ltEntProps empty;
  empty.prependTail(ownedChain(buildResbufList({{1000, u"a"}})));
  EXPECT_EQ(textOf(empty.getTail(), 1000), u"a");
}
