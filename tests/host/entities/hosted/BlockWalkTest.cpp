// Block entities through the stand-in host's block walk: the example
// manifold, nested blocks, the cache, and texts and attribute definitions in
// a block made through word 111.
#include <gtest/gtest.h>

#include "host/HostExport.h"
#include "host/ResbufChain.h"
#include "host/entities/attributeList.h"
#include "host/entities/blockCache.h"
#include "host/entities/dimensionList.h"
#include "host/entities/entKindTable.h"
#include "host/entities/entityDispatch.h"
#include "host/entities/insertList.h"
#include "host/entities/ltAttDef2D.h"
#include "host/entities/ltInsert2D.h"
#include "host/entities/ltText2D.h"
#include "host/entities/textList.h"
#include "platform/cadhost/HostStatus.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "tests/platform/cadhost/host/HostTestFixture.h"

namespace {

using cadhost::test::HostRun;

int g_commandsRun = 0;

// The first selected entity as a copy.
std::unique_ptr<ltEnt2D> selectedCopy() {
  if (callHostWord<138>(nullptr, 0, 0, 0, nullptr) != hostStatus::normal) return nullptr;
  ownedChain list(callHostWord<167>(0, 0).value_or(nullptr));
  return entReader2D::anyEntity(list.get());
}

void walkManifold() {
  ++g_commandsRun;
  auto copy = selectedCopy();
  ASSERT_TRUE(copy && copy->entType() == ltEntKind::insert);
  auto& manifold = static_cast<ltInsert2D&>(*copy);
  manifold.basePoint = {7, 7};
  ltEntArray entities;
  ASSERT_TRUE(manifold.getBlockEntities(entities, getExport2D(), nullptr));
  ASSERT_EQ(entities.size(), 1u);
  EXPECT_EQ(std::pair(manifold.basePoint.x, manifold.basePoint.y), std::pair(0.0, 0.0));
  if (entKindTable()[static_cast<int>(ltEntKind::polyline)].make != nullptr) {
    const auto* outline = dynamic_cast<const XtGeCompositeCurve2d*>(entities[0]->getCurve());
    ASSERT_NE(outline, nullptr);
    EXPECT_EQ(outline->numCurves(), 4);
    EXPECT_TRUE(outline->xtIsClosed());
  }
  manifold.blockName = u"MISSING";
  EXPECT_FALSE(manifold.getBlockEntities(entities, getExport2D(), nullptr));
  EXPECT_EQ(entities.size(), 1u);
}

TEST(BlockWalk, ExampleManifoldGivesItsOutlineAndBasePoint) {
  g_commandsRun = 0;
  HostRun run("minimal.dxf", "command walk\nselect handles 100\n", {}, {{"walk", walkManifold}});
  EXPECT_TRUE(run.run() == 0 && g_commandsRun == 1);
}

// Defines a block through word 111 from lists (freed here).
void defineBlock(const char16_t* name, double baseX, std::vector<resbuf*> lists) {
  std::u16string buffer(name);
  buffer.resize(128);
  ASSERT_EQ(callHostWord<111>(0, buffer.data(), nullptr, 0, baseX, 0.0, 0.0).value_or(0), hostStatus::normal);
  for (resbuf* list : lists) {
    EXPECT_EQ(callHostWord<111>(1, buffer.data(), list, 0, 0.0, 0.0, 0.0).value_or(0), hostStatus::normal);
    freeResbufChain(list, false);
  }
  ASSERT_EQ(callHostWord<111>(2, buffer.data(), nullptr, 0, 0.0, 0.0, 0.0).value_or(0), hostStatus::normal);
}

void nestedBlocks() {
  ++g_commandsRun;
  textValues centreTop;
  centreTop.insertion = {1, 2};
  centreTop.alignment = {3, 4};
  centreTop.height = 2.5;
  centreTop.value = u"Střed nahoře";
  centreTop.hJust = 1;
  centreTop.vJust = 3;
  attributeValues definition;
  definition.height = 2.0;
  definition.tag = u"POPIS";
  definition.prompt = u"Popis zóny";
  definition.value = u"Z1";
  definition.attributeFlags = 8;
  ltEntProps props;
  defineBlock(u"Vnitřní", 5.0, {entBuilder2D::text(props, centreTop, nullptr), writeAttDef(props, definition)});
  // The host makes the dimension's geometry block beside the open one.
  defineBlock(u"OUTER", 0.0,
              {writeDimension(props, {0, 0}, {40, 0}, {20, 10}, u"Standard", 0.0, 0.0, u"", false),
               entBuilder2D::insert(props, {10, 0}, u"vnitřní", XtGeScale3d(2.0), 0.5, nullptr, nullptr, nullptr, 0,
                                    nullptr)});

  ltInsert2D outer;
  outer.blockName = u"outer";
  blockCache cache;
  ltEntArray entities;
  ASSERT_TRUE(outer.getBlockEntities(entities, getExport2D(), &cache));
  ASSERT_EQ(entities.size(), 2u);
  const resbuf* geometryBlock = entities[0]->getList();
  while (geometryBlock && geometryBlock->code != 2) geometryBlock = geometryBlock->next;
  ASSERT_NE(geometryBlock, nullptr);
  EXPECT_EQ(std::u16string(geometryBlock->value.str).substr(0, 2), u"*D");
  ASSERT_EQ(entities[1]->entType(), ltEntKind::insert);
  auto& inner = static_cast<ltInsert2D&>(*entities[1]);
  EXPECT_EQ(inner.scale.sx, 2.0);
  // The walk goes on with the nested block, now from the cache's record.
  ltEntArray innerEntities;
  ASSERT_TRUE(inner.getBlockEntities(innerEntities, getExport2D(), &cache));
  EXPECT_EQ(inner.basePoint.x, 5.0);
  ASSERT_EQ(innerEntities.size(), 2u);
  ASSERT_EQ(innerEntities[0]->entType(), ltEntKind::text);
  const textValues& text = static_cast<ltText2D&>(*innerEntities[0]).values();
  EXPECT_EQ(std::tuple(text.value, text.alignment.x, text.alignment.y, text.hJust, text.vJust),
            std::tuple(centreTop.value, 3.0, 4.0, std::int16_t{1}, std::int16_t{3}));
  ASSERT_EQ(innerEntities[1]->entType(), ltEntKind::attDef);
  const resbuf* attdef = innerEntities[1]->getList();
  EXPECT_EQ(static_cast<ltAttDef2D&>(*innerEntities[1]).values().value, u"Z1");
  EXPECT_EQ(readAttributeTag(attdef), u"") << "an ATTDEF's tag is no attribute's";
  const resbuf* prompt = attdef;
  while (prompt && prompt->code != 3) prompt = prompt->next;
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(std::tuple(std::u16string(prompt->value.str), std::u16string(prompt->next->value.str),
                       prompt->next->next->code, prompt->next->next->value.i16),
            std::tuple(u"Popis zóny", u"POPIS", 70, 8));

  // Cached records hand out clones; a full fill reads every block once.
  ltEntArray again;
  ASSERT_TRUE(inner.getBlockEntities(again, getExport2D(), &cache));
  EXPECT_EQ(cache.size(), 2u);
  ASSERT_TRUE(cache.fill(getExport2D()));
  EXPECT_EQ(cache.size(), 4u);  // the example's manifold block and the dimension's too
  EXPECT_EQ(cache.find(u"VNITŘNÍ")->entities.size(), 2u);
  EXPECT_EQ(cache.find(geometryBlock->value.str)->entities.size(), 4u) << "two extension lines, line and text";
  EXPECT_TRUE(!cache.fill(nullptr) && cache.size() == 0u);
}

TEST(BlockWalk, NestedBlocksAndTheCache) {
  g_commandsRun = 0;
  HostRun run("minimal.dxf", "command nested\n", {}, {{"nested", nestedBlocks}});
  EXPECT_TRUE(run.run() == 0 && g_commandsRun == 1);
}

}  // namespace
