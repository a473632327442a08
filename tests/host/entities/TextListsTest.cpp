// Text, attribute and multiline text lists: chunks, attachments, the
// embedded text of attributes, the readers' defaults and refusals, and the
// text copies that keep their own type.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "host/ResbufBuilder.h"
#include "host/entities/attributeList.h"
#include "host/entities/entityDispatch.h"
#include "host/entities/ltAttrib2D.h"
#include "host/entities/ltMText2D.h"
#include "host/entities/mtextList.h"
#include "host/entities/textChunks.h"
#include "host/entities/textList.h"
#include "tests/host/entities/CurveListSupport.h"

namespace {

// The lengths of the chunk groups after `from` (a code 101 when given).
std::vector<std::pair<int, std::size_t>> chunksOf(const resbuf* list, bool afterEmbedded) {
  std::vector<std::pair<int, std::size_t>> chunks;
  bool counting = !afterEmbedded;
  for (; list && list->code < 1000; list = list->next) {
    counting = counting || list->code == 101;
    if (counting && (list->code == 1 || list->code == 3))
      chunks.push_back({list->code, std::u16string_view(list->value.str).size()});
  }
  return chunks;
}

attributeValues attribute(std::u16string value) {
  attributeValues v;
  v.insertion = {10, 20};
  v.height = 2.5;
  v.tag = u"POPIS";
  v.value = std::move(value);
  return v;
}

ownedChain mtextOf(std::u16string_view text, double width, double rotation, const resbuf* previous = nullptr) {
  return ownedChain(entBuilder2D::mtext(ltEntProps(), {1, 2}, 2.5, width, 5, 1, text, u"Standard", rotation, 1, 1.0,
                                        0, 1.0, 0, previous));
}

TEST(TextLists, LongTextsGoInChunksThatNeverPartASurrogatePair) {
  ownedChain long600(writeAttrib(ltEntProps(), attribute(std::u16string(600, u'x'))));
  EXPECT_EQ(chunksOf(long600.get(), true),
            (std::vector<std::pair<int, std::size_t>>{{1, 250}, {3, 250}, {3, 100}}));
  for (std::size_t n : {250u, 251u}) {
    const auto chunks = chunksOf(mtextOf(std::u16string(n, u'y'), 0, 0).get(), false);
    EXPECT_EQ(chunks.size(), n == 250 ? 1u : 2u) << n;
  }
  std::u16string pair(249, u'a');
  pair += u"\U0001F600";  // units 250 and 251
  pair += u"b";
  const auto split = splitTextChunks(pair);
  ASSERT_EQ(split.size(), 2u);
  EXPECT_EQ(split[0].size(), 249u);
  EXPECT_EQ(std::u16string(split[0]) + std::u16string(split[1]), pair);
  EXPECT_TRUE(chunksOf(mtextOf(u"", 0, 0).get(), false).empty());
  EXPECT_EQ(chunksOf(ownedChain(writeAttrib(ltEntProps(), attribute(u""))).get(), true),
            (std::vector<std::pair<int, std::size_t>>{{1, 0}}));
}

TEST(TextLists, MultilineAttributeAttachmentAndEmbeddedLocation) {
  struct Case {
    int hJust, vJust, attachment;
    XtGePoint2d location;
  } cases[] = {{1, 3, 2, {15, 25}}, {4, 0, 8, {15, 25}}, {0, 0, 7, {10, 20}}, {2, 2, 6, {15, 25}}};
  for (const Case& c : cases) {
    attributeValues v = attribute(u"Zóna");
    v.hJust = static_cast<std::int16_t>(c.hJust);
    v.vJust = static_cast<std::int16_t>(c.vJust);
    v.alignment = c.hJust == 0 && c.vJust == 0 ? XtGePoint2d(0, 0) : XtGePoint2d(15, 25);
    ownedChain list(writeAttrib(ltEntProps(), v));
    ASSERT_TRUE(list) << c.hJust;
    const auto embeddedAt = nodesOf(list.get(), 101);
    ASSERT_EQ(embeddedAt.size(), 1u);
    const resbuf* location = embeddedAt[0]->next;
    EXPECT_EQ(std::pair(location->value.point[0], location->value.point[1]), std::pair(c.location.x, c.location.y));
    EXPECT_EQ(nodesOf(embeddedAt[0], 71).front()->value.i16, c.attachment) << c.hJust << "/" << c.vJust;
  }
  attributeValues bad = attribute(u"x");
  bad.vJust = 4;
  EXPECT_EQ(writeAttrib(ltEntProps(), bad), nullptr);
  EXPECT_EQ(writeAttDefMultiline(ltEntProps(), bad), nullptr);
}

TEST(TextLists, AttributeValueFormsAndDeviceTag) {
  attributeValues v = attribute(u"Řádek 1\\nŘádek %%Upodtržený");
  v.deviceTag = u"DEV-7";
  ownedChain list(writeAttrib(ltEntProps(), v));
  EXPECT_EQ(textOf(list.get(), 1), u"Řádek 1 Řádek %%Upodtržený");
  std::u16string embedded;
  ASSERT_TRUE(readEmbeddedText(list.get(), embedded));
  EXPECT_EQ(embedded, u"Řádek 1\\PŘádek \\Lpodtržený");
  const auto apps = nodesOf(list.get(), 1001);
  ASSERT_EQ(apps.size(), 1u);
  EXPECT_EQ(std::u16string(apps[0]->value.str) + u"/" + apps[0]->next->value.str, u"HV_TAG_DEV/DEV-7");
  EXPECT_EQ(readAttributeTag(list.get()), u"POPIS");
}

TEST(TextLists, MTextReaderDefaults) {
  ltMText2D copy;
  // Other programs give only 50; a list without 73 and 44 is rewritten inside
  // the format's ranges.
  ownedChain bare(buildResbufList({{0, u"MTEXT"}, {100, u"AcDbEntity"}, {8, u"0"}, {100, u"AcDbMText"},
                                   {10, std::array<double, 3>{0, 0, 0}}, {40, 2.0}, {71, 1}, {1, u"a"}, {50, 0.5}}));
  ASSERT_EQ(copy.setFromList(bare.get(), true), 0);
  EXPECT_EQ(copy.rotation, 0.5);
  const resbuf* rewritten = copy.getUpdatedList(2);
  ASSERT_NE(rewritten, nullptr);
  EXPECT_EQ(nodesOf(rewritten, 73).front()->value.i16, 1);
  EXPECT_EQ(nodesOf(rewritten, 44).front()->value.real, 1.0);
}

TEST(TextLists, KindsOfTextListsAndRefusals) {
  textValues v;
  v.height = 2.0;
  v.value = u"T";
  v.vJust = 3;
  ownedChain text(entBuilder2D::text(ltEntProps(), v, nullptr));
  auto copy = entReader2D::entity(text.get());
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->entType(), ltEntKind::text);
  ownedChain single(writeAttribSingle(ltEntProps(), attribute(u"hodnota")));
  auto attrib = entReader2D::entity(single.get());
  ASSERT_TRUE(attrib && attrib->entType() == ltEntKind::attrib);
  EXPECT_EQ(static_cast<ltAttrib2D&>(*attrib).tag(), u"POPIS");
  // The ATTRIB's 73 is its field length: only its 74 is the justification.
  EXPECT_EQ(static_cast<ltAttrib2D&>(*attrib).values().vJust, 0);
  ownedChain nullStyle(buildResbufList({{0, u"TEXT"}, {100, u"AcDbText"}, {40, 1.0}, {7, u""}}));
  resbuf* style = const_cast<resbuf*>(nodesOf(nullStyle.get(), 7).front());
  std::free(style->value.str);
  style->value.str = nullptr;
  textValues styled;
  ASSERT_TRUE(entReader2D::text(styled, nullStyle.get(), nullptr, u"TEXT"));
  EXPECT_EQ(styled.style, u"STANDARD");

  ownedChain flat(buildResbufList({{0, u"MTEXT"}, {100, u"AcDbMText"}, {40, 0.0}, {71, 1}}));
  EXPECT_EQ(entReader2D::entity(flat.get()), nullptr);
  EXPECT_EQ(entReader2D::anyEntity(flat.get())->entType(), ltEntKind::unknown);
  ownedChain notFinite(buildResbufList({{0, u"TEXT"}, {100, u"AcDbText"}, {40, std::nan("")}}));
  EXPECT_EQ(entReader2D::anyEntity(notFinite.get())->entType(), ltEntKind::unknown);
  v.height = 0.0;
  EXPECT_EQ(entBuilder2D::text(ltEntProps(), v, nullptr), nullptr);
}

TEST(TextLists, AttributeCopiesStayAttributesWithTheirExtendedData) {
  attributeValues v = attribute(std::u16string(300, u'z'));
  ltEntProps props;
  props.appendToTail(ownedChain(buildResbufList({{1001, u"QEV_DATA"}, {1000, u"A"}})));
  ownedChain list(writeAttrib(props, v));
  auto copy = entReader2D::entity(list.get());
  ASSERT_TRUE(copy && copy->entType() == ltEntKind::attrib);
  auto clone = copy->clone();
  auto& attrib = static_cast<ltAttrib2D&>(*clone);
  EXPECT_EQ(attrib.entType(), ltEntKind::attrib);
  attrib.tag() = u"NOVY";
  attrib.values().value = std::u16string(260, u'q');
  const resbuf* rewritten = attrib.getUpdatedList(2);
  ASSERT_NE(rewritten, nullptr);
  EXPECT_EQ(textOf(rewritten, 0), u"ATTRIB");
  EXPECT_EQ(readAttributeTag(rewritten), u"NOVY");
  std::u16string embedded;
  ASSERT_TRUE(readEmbeddedText(rewritten, embedded));
  EXPECT_EQ(embedded, std::u16string(260, u'q'));
  EXPECT_EQ(textOf(rewritten, 1).size(), 250u);
  EXPECT_EQ(textOf(rewritten, 1001), u"QEV_DATA");
  EXPECT_EQ(describe(attrib.getUpdatedList(2)), describe(rewritten));
}

}  // namespace
