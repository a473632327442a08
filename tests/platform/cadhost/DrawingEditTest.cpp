// Making and updating entities, transactions, erase marks, blocks, header
// variables and layer states.
#include <gtest/gtest.h>

#include "CadhostTestUtil.h"
#include "platform/cadhost/BlockBuilder.h"
#include "platform/cadhost/BlockWalk.h"

#include <tuple>

namespace cadhost {
namespace {

using namespace cadhost::test;

GroupList line(double x, const char* handle = nullptr, const char* layer = "0") {
  GroupList list{T(0, "LINE")};
  if (handle) list.push_back(T(5, handle));
  list.insert(list.end(), {T(100, "AcDbEntity"), T(8, layer), T(100, "AcDbLine"), P(10, x, 0), P(11, x, 10)});
  return list;
}

GroupList insert(const char* block, int attributesFollow) {
  return {T(0, "INSERT"), T(100, "AcDbEntity"), T(8, "0"), T(100, "AcDbBlockReference"), I(66, attributesFollow),
          T(2, block), P(10, 5, 5)};
}

GroupList attrib(const char* value) {
  return {T(0, "ATTRIB"), T(100, "AcDbEntity"), T(8, "0"), T(100, "AcDbText"), P(10, 5, 5), R(40, 2),
          T(1, value), T(100, "AcDbAttribute"), T(2, "TAG"), I(70, 0)};
}

class CadhostDrawingEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    d = emptyDrawing();
    d->onRecordCreated = [this](std::u16string_view table, std::u16string_view name) {
      created.push_back(std::u16string(table) + u":" + std::u16string(name));
    };
    BlockBuilder& blocks = d->blockBuilder();
    blocks.begin(u"B", false, {});
    blocks.add({T(0, "CIRCLE"), T(100, "AcDbEntity"), T(8, "0"), T(100, "AcDbCircle"), P(10, 0, 0), R(40, 1)});
    blocks.end();
  }

  RecordId made(const GroupList& list) {
    MakeResult r = d->makeEntity(list);
    EXPECT_TRUE(r.ok()) << r.message;
    return r.record;
  }

  std::unique_ptr<Drawing> d;
  std::vector<std::u16string> created;
};

TEST_F(CadhostDrawingEdit, NewEntitiesTakeTheirOwnHandleWhenFreeAndAFreshOneOtherwise) {
  RecordId a = made(line(0, "500"));
  EXPECT_EQ(d->record(a).handle, 0x500u);
  RecordId b = made(line(1, "1"));  // handle 1 is the VPORT table
  EXPECT_NE(d->record(b).handle, 1u);
  EXPECT_EQ(groupText(d->record(b).list, 5), handleText(d->record(b).handle));
  const Handle reserved = d->reserveHandle();
  EXPECT_NE(d->reserveHandle(), reserved);
  GroupList withReserved = line(3);
  withReserved.insert(withReserved.begin() + 1, Group::text(5, handleText(reserved)));
  EXPECT_EQ(d->record(made(withReserved)).handle, reserved);
  // Owned by model space, in drawing order.
  EXPECT_EQ(groupText(d->record(a).list, 330), handleText(d->modelSpaceHandle()));
  EXPECT_EQ(d->modelSpace().front(), a);
}

TEST_F(CadhostDrawingEdit, AListWithANameOrHandleUpdatesInPlaceAndRevives) {
  RecordId a = made(line(0, nullptr, "A"));
  RecordId b = made(line(1));
  GroupList handedOut = d->handOutList(a);
  ASSERT_EQ(handedOut.front().code(), -1);
  EXPECT_EQ(d->makeEntity(handedOut).status, MakeStatus::Unchanged);
  findGroup(handedOut, 10)->setPoint({7, 7, 0});
  EXPECT_EQ(d->makeEntity(handedOut).status, MakeStatus::Updated);
  EXPECT_EQ(findGroup(d->record(a).list, 10)->asPoint(), (Point3{7, 7, 0}));
  EXPECT_EQ(d->modelSpace(), (std::vector<RecordId>{a, b}));
  // By handle alone, erased included.
  d->erase(a);
  GroupList byHandle = line(9, nullptr, "A");
  byHandle.insert(byHandle.begin() + 1, Group::text(5, handleText(d->record(a).handle)));
  MakeResult r = d->makeEntity(byHandle);
  EXPECT_TRUE(r.status == MakeStatus::Updated && r.record == a && !d->record(a).erased);
  EXPECT_EQ(d->modelSpace(), (std::vector<RecordId>{a, b}));
}

TEST_F(CadhostDrawingEdit, BadListsAreRefused) {
  EXPECT_EQ(d->makeEntity({T(8, "0"), P(10, 0, 0)}).status, MakeStatus::Refused);
  EXPECT_EQ(d->makeEntity({T(0, "LAYER"), T(2, "X")}).status, MakeStatus::Refused);
  EXPECT_EQ(d->makeEntity({T(0, "LINE"), I(8, 3)}).status, MakeStatus::Refused);
  EXPECT_EQ(d->makeEntity({T(0, "INSERT"), P(10, 0, 0)}).status, MakeStatus::Refused);
  EXPECT_EQ(d->makeEntity(insert("NOSUCH", 0)).status, MakeStatus::Refused);
  EXPECT_EQ(d->makeEntity(attrib("orphan")).status, MakeStatus::Refused);
  EXPECT_EQ(d->makeEntity({T(0, "SEQEND")}).status, MakeStatus::Refused);
  EXPECT_TRUE(d->modelSpace().empty());
}

TEST_F(CadhostDrawingEdit, InsertWaitsForItsAttributesAndSeqend) {
  EXPECT_EQ(d->makeEntity(insert("B", 1)).status, MakeStatus::Pending);
  EXPECT_EQ(d->makeEntity(attrib("one")).status, MakeStatus::Pending);
  EXPECT_TRUE(d->modelSpace().empty());
  MakeResult done = d->makeEntity({T(0, "SEQEND"), T(100, "AcDbEntity"), T(8, "0")});
  ASSERT_EQ(done.status, MakeStatus::Made);
  const DrawingRecord& ins = d->record(done.record);
  ASSERT_EQ(ins.children.size(), 2u);
  EXPECT_EQ(groupText(d->record(ins.children[0]).list, 330), handleText(ins.handle));
  // The next list completes a waiting INSERT by itself.
  d->makeEntity(insert("B", 1));
  d->makeEntity(attrib("two"));
  RecordId l = made(line(0));
  ASSERT_EQ(d->modelSpace().size(), 3u);
  EXPECT_EQ(d->modelSpace()[2], l);
  EXPECT_EQ(d->record(d->modelSpace()[1]).children.size(), 2u);
}

TEST_F(CadhostDrawingEdit, UpdatingAnInsertWithoutAttributesKeepsThemAndFirstGroupsWin) {
  d->makeEntity(insert("B", 1));
  d->makeEntity(attrib("kept"));
  RecordId id = d->makeEntity({T(0, "SEQEND")}).record;
  const std::vector<RecordId> children = d->record(id).children;
  // The module hands the held list back with a second 66 and 210.
  GroupList again = d->handOutList(id);
  again.push_back(I(66, 0));
  again.push_back(P(210, 0, 0, 1));
  again.push_back(P(210, 0, 0, -1));
  EXPECT_EQ(d->makeEntity(again).status, MakeStatus::Pending);
  MakeResult r = d->makeEntity(line(0));
  ASSERT_TRUE(r.ok());
  int extrusions = 0;
  for (const Group& g : d->record(id).list) extrusions += g.code() == 210;
  EXPECT_EQ(std::tuple(groupInt(d->record(id).list, 66), extrusions, findGroup(d->record(id).list, 210)->asPoint().z),
            std::tuple(1, 1, 1.0));
  EXPECT_EQ(d->record(id).children, children);
}

TEST_F(CadhostDrawingEdit, MissingTableRecordsAreMadeAndReported) {
  made(line(0, nullptr, "T-podlahove_vytapeni"));
  GroupList dashed = line(1, nullptr, "ROZVODY");
  dashed.insert(dashed.begin() + 4, T(6, "DASHED"));
  made(dashed);
  made({T(0, "DIMENSION"), T(100, "AcDbEntity"), T(8, "HVKOTY"), T(100, "AcDbDimension"), P(10, 0, 0), I(70, 32),
        T(3, "havlen")});
  made({T(0, "MTEXT"), T(100, "AcDbEntity"), T(8, "0"), T(100, "AcDbMText"), P(10, 0, 0), R(40, 1), T(1, "x"),
        T(7, "Popis")});
  const std::vector<std::u16string> expected = {u"LAYER:T-podlahove_vytapeni", u"LAYER:ROZVODY", u"LTYPE:DASHED",
                                                u"LAYER:HVKOTY", u"DIMSTYLE:havlen", u"STYLE:Popis"};
  EXPECT_EQ(created, expected);
  const RecordId dimstyle = d->findTableRecord(u"DIMSTYLE", u"HAVLEN");
  ASSERT_NE(dimstyle, kNoRecord);
  EXPECT_EQ(groupText(d->record(dimstyle).list, 105), handleText(d->record(dimstyle).handle));
}

TEST_F(CadhostDrawingEdit, RollbackRestoresTheDrawingExactly) {
  RecordId kept = made(line(0, nullptr, "A"));
  const std::string before = save(*d);
  const auto records = snapshot(*d);
  d->beginTransaction();
  d->beginTransaction();  // a nested call continues the journal
  made(line(1, "777", "NEW_LAYER"));
  GroupList changed = d->handOutList(kept);
  findGroup(changed, 11)->setPoint({3, 3, 0});
  made(changed);
  d->erase(kept);
  d->reserveHandle();
  d->setHeaderVariable("$INSUNITS", {I(70, 6)});
  d->setLayerState(u"A", 3, 4);
  d->setLayerState(u"NO_SUCH_LAYER", 5, 6);
  d->blockBuilder().begin(u"*U1", true, {});
  d->blockBuilder().add(line(5));
  d->blockBuilder().end();
  d->makeEntity(insert("B", 1));
  EXPECT_EQ(d->insUnits(), 6);
  d->rollback();
  EXPECT_EQ(d->insUnits(), 4);
  EXPECT_EQ(firstDifference(records, snapshot(*d)), "");
  EXPECT_EQ(firstDifference(before, save(*d)), "");
  EXPECT_EQ(d->layerState(u"NO_SUCH_LAYER"), (std::pair<std::uint8_t, std::uint8_t>{0, 0}));
  EXPECT_TRUE(d->findByHandle(0x777) == kNoRecord && !d->transactionOpen());
}

TEST_F(CadhostDrawingEdit, EraseMarksBecomeFinalOnlyAtCommit) {
  RecordId a = made(line(0));
  RecordId b = made(line(1));
  d->markErase(a);
  EXPECT_TRUE(d->isErasePending(a) && d->isLive(a));
  d->beginTransaction();
  made(line(2));
  d->rollback();  // a failed output keeps the old design
  EXPECT_TRUE(!d->isErasePending(a) && d->isLive(a));

  d->markErase(a);
  d->markErase(b);
  // Re-making b with its handle revives it before the commit.
  made(d->handOutList(b));
  d->beginTransaction();
  d->commit();
  EXPECT_TRUE(!d->isLive(a) && d->isLive(b));
  EXPECT_EQ(d->findByHandle(d->record(a).handle), a);  // erased records are still found
  EXPECT_EQ(save(*d).find("\n  5\n" + utf16ToUtf8(handleText(d->record(a).handle)) + "\n"), std::string::npos);

  // A command that ends without a commit drops its marks; one that ends with
  // an open journal rolls back.
  d->markErase(b);
  d->beginTransaction();
  made(line(3));
  EXPECT_TRUE(d->endCommand());
  EXPECT_TRUE(d->isLive(b) && d->modelSpace().size() == 1u);
  EXPECT_FALSE(d->endCommand());
}

TEST_F(CadhostDrawingEdit, BlocksGetUniqueAnonymousNamesAndWalkInTheModulesShape) {
  BlockBuilder& blocks = d->blockBuilder();
  EXPECT_EQ(blocks.begin(u"*UMSHV90", true, {1, 2, 0}), u"*UMSHV90");
  MakeResult r = blocks.add(line(0, "5"));  // a used handle is replaced
  ASSERT_TRUE(r.ok());
  EXPECT_NE(d->record(r.record).handle, 5u);
  blocks.end();
  for (const char16_t* next : {u"*UMSHV91", u"*UMSHV92"}) {
    EXPECT_EQ(blocks.begin(u"*UMSHV90", true, {}), next);
    blocks.end();
  }
  EXPECT_FALSE(blocks.add(line(0)).ok());
  // A named block is redefined.
  EXPECT_EQ(blocks.begin(u"B", false, {4, 4, 0}), u"B");
  blocks.add(line(1));
  blocks.add(line(2));
  blocks.end();

  BlockWalk walk(*d);
  std::vector<std::string> shape;
  while (auto list = walk.next()) {
    ASSERT_FALSE(list->empty());
    shape.push_back(utf16ToUtf8(list->at(1).asText()) + (list->at(1).asText() == u"BLOCK"
                                                             ? ":" + utf16ToUtf8(groupText(*list, 2))
                                                             : ""));
    EXPECT_EQ(list->front().code(), -1);
    EXPECT_TRUE(findGroup(*list, 5));
  }
  const std::vector<std::string> expected = {"BLOCK:B",         "LINE", "LINE", "ENDBLK", "BLOCK:*UMSHV90", "LINE",
                                             "ENDBLK",          "BLOCK:*UMSHV91", "ENDBLK", "BLOCK:*UMSHV92",
                                             "ENDBLK"};
  EXPECT_EQ(shape, expected);
  walk.rewind();
  auto first = walk.next();
  ASSERT_TRUE(first);
  EXPECT_EQ(findGroup(*first, 10)->asPoint(), (Point3{4, 4, 0}));
  // The blocks survive a save and reload.
  auto again = reload(*d);
  ASSERT_TRUE(again->findBlock(u"*umshv92"));
  EXPECT_EQ(again->record(again->block(*again->findBlock(u"B")).begin).list.size(),
            d->record(d->block(*d->findBlock(u"B")).begin).list.size());
}

TEST_F(CadhostDrawingEdit, HeaderVariablesAndLayerStates) {
  const ViewVariables view = d->viewVariables();
  EXPECT_EQ(std::tuple(d->insUnits(), d->currentLayer(), d->ucsXDirection(), d->dimScale(), view.viewCenter, view.viewSize),
            std::tuple(4, u"0", Point3{1, 0, 0}, 1.0, Point3{500, 500, 0}, 1000.0));
  d->setHeaderVariable("$UCSORG", {P(10, 100, 200, 0)});
  d->setHeaderVariable("$CLAYER", {T(8, "ZONY")});
  made(line(0, nullptr, "ZONY"));
  EXPECT_TRUE(d->setLayerState(u"zony", 1, 2));
  EXPECT_FALSE(d->setLayerState(u"HV_QEVHEATING", 7, 8));
  auto again = reload(*d);
  EXPECT_EQ(std::tuple(again->ucsOrigin(), again->currentLayer(), again->layerState(u"ZONY")),
            std::tuple(Point3{100, 200, 0}, u"ZONY", std::pair<std::uint8_t, std::uint8_t>{1, 2}));
  EXPECT_EQ(d->layerState(u"HV_QEVHEATING"), (std::pair<std::uint8_t, std::uint8_t>{7, 8}));
  EXPECT_NE(again->findTableRecord(u"APPID", u"HVSTANDIN_LSTATE"), kNoRecord);
}

TEST_F(CadhostDrawingEdit, DictionariesAndErasedEntities) {
  const RecordId root = d->rootDictionary();
  ASSERT_NE(root, kNoRecord);
  std::vector<std::u16string> names;
  for (const auto& [name, id] : d->dictionaryEntries(root)) {
    names.push_back(name);
    EXPECT_NE(id, kNoRecord);
  }
  EXPECT_EQ(names, (std::vector<std::u16string>{u"ACAD_GROUP", u"ACAD_LAYOUT", u"ACAD_MLINESTYLE",
                                                 u"ACAD_PLOTSTYLENAME"}));
  const auto layouts = d->dictionaryEntries(d->dictionaryEntries(root)[1].second);
  ASSERT_EQ(layouts.size(), 2u);
  EXPECT_EQ(d->record(layouts[1].second).type(), u"LAYOUT");
  RecordId a = made(line(0));
  made(line(1));
  d->erase(a);
  EXPECT_EQ(d->erasedEntities(), (std::vector<RecordId>{a}));
}

TEST_F(CadhostDrawingEdit, HandedOutListsLeaveOutCodesWithoutATypeOfTheirOwn) {
  auto loaded = load(
      "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1027\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nLINE\n5\nA0\n100\n"
      "AcDbEntity\n8\n0\n100\nAcDbLine\n10\n0\n20\n0\n30\n0\n11\n1\n21\n1\n31\n0\n480\nA1\n0\nENDSEC\n0\nEOF\n");
  const RecordId id = loaded->modelSpace().at(0);
  const GroupList out = loaded->handOutList(id);
  EXPECT_EQ(out.front().asText(), loaded->entityName(id));
  EXPECT_EQ(loaded->findByName(out.front().asText()), id);
  EXPECT_TRUE(!findGroup(out, 480) && findGroup(loaded->record(id).list, 480));
}

}  // namespace
}  // namespace cadhost
