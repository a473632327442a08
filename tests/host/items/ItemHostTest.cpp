// Item records through the stand-in host: word 51's product databases, the
// example manifold read through word 167, the database readers and the
// property-dialog binding.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "host/HostExport.h"
#include "host/ResbufChain.h"
#include "host/UserParams.h"
#include "host/items/QevItem.h"
#include "host/items/itemKeyTable.h"
#include "host/items/productConnection.h"
#include "host/items/propertyDialog.h"
#include "platform/cadhost/HostStatus.h"
#include "platform/win/Modules.h"
#include "tests/host/items/ItemTestLists.h"
#include "tests/platform/cadhost/host/HostTestFixture.h"

namespace {

using namespace itemtest;
using cadhost::CadhostOptions;
using cadhost::test::HostRun;

const char* const kTestRecords =
    "[PROFESSION T]\n"
    "PARS1=Katalog|2025\n"
    "TYPE16=16\n"
    "[ITEM TTEST-1]\n"
    "NUMID=5\n"
    "PARAM1=L|600|0\n"
    "PARAM2=U|100|0\n"
    "PARAM3=X|a|16\n"
    "POINT1=#G/P1|0|0|-\n"
    "POINT2=#G/P2|1|2|+\n"
    "[ITEM TNOPOINTS]\n"
    "NUMID=6\n"
    "POINT1=#G/P1|0|0|-\n";

// A record file of the test's own, removed at the end.
class RecordFile {
 public:
  explicit RecordFile(const char* text)
      : path_(std::filesystem::temp_directory_path() /
              ("items-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".dat")) {
    std::ofstream(path_) << text;
  }
  ~RecordFile() { std::filesystem::remove(path_); }
  std::string path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

std::function<void()> g_body;

// Runs `body` as a command of the host over the example drawing, with the
// connection records reset around it (they point into this run's databases).
int runCommand(const std::string& products, const std::string& input, std::function<void()> body) {
  CadhostOptions options;
  options.productsPath = products;
  g_body = std::move(body);
  HostRun run("minimal.dxf", "command run\n" + input, options, {{"run", [] {
                                                                 resetProductConnections();
                                                                 g_body();
                                                                 resetProductConnections();
                                                               }}});
  return run.run();
}

// The list of the entity the script selected (owned by the caller).
ownedChain selectedList() {
  if (callHostWord<138>(nullptr, 0, 0, 0, nullptr) != hostStatus::normal) return nullptr;
  return ownedChain(callHostWord<167>(0, 0).value_or(nullptr));
}

// The list with its extended data replaced by the item's insert data.
ownedChain withInsertData(const resbuf* list, const QevItem& item) {
  ownedChain copy(copyResbufChain(list, false));
  resbuf* last = copy.get();
  while (last->next && last->next->code != 1001) last = last->next;
  freeResbufChain(last->next, false);
  last->next = copyResbufChain(item.insertData.list(), false);
  return copy;
}

TEST(ItemHost, Word51AnswersTheDatabaseOfEachProfessionLetter) {
  std::vector<bool> answered;
  auto ask = [&] {
    for (int letter : {'T', 't', 'E', 'X'}) {
      const HostExport2D* table = getExport2D();
      answered.push_back(callHostWordOf<51>(table, letter, table, nullptr).value_or(nullptr) != nullptr);
    }
  };
  EXPECT_EQ(runCommand(HV_PRODUCTS_FILE, "", ask), 0);
  EXPECT_EQ(answered, (std::vector<bool>{true, true, false, false}));
  answered.clear();
  EXPECT_EQ(runCommand("none", "", ask), 0);
  EXPECT_EQ(answered, std::vector<bool>(4, false));
}

TEST(ItemHost, TheExampleManifoldReadsAsItsProductItem) {
  QevItem item;
  int status = -1;
  EXPECT_EQ(runCommand(HV_PRODUCTS_FILE, "select handles 100\n", [&] {
              ownedChain list = selectedList();
              status = itemData::readFromEntity(item, list.get(), nullptr);
            }),
            0);
  EXPECT_EQ(status, itemStatus::ok);
  EXPECT_EQ(item.id, u"TOT0000-0023");
  EXPECT_EQ(item.texts.getAt(1).str(), u"RZ1");
  EXPECT_EQ(item.position(), XtGePoint2d(1000, 1000));
  EXPECT_EQ(item.currentPoint, 0);
  EXPECT_EQ(item.scale, 1.0);
  EXPECT_FALSE(item.mirrored);
  EXPECT_EQ(item.numericId, 23);
  EXPECT_EQ(item.blockName, u"RZ_TEST");
  EXPECT_EQ(item.props.handle, u"100");
  EXPECT_EQ(item.props.getTail(), nullptr);  // extended data travels as insert data only
  EXPECT_TRUE(item.fromEntity);
  ASSERT_EQ(item.points.size(), 1u);
  EXPECT_EQ(item.points[0].groupNames.at(0), (std::pair<std::u16string, std::u16string>{u"G", u"P1"}));
  ASSERT_NE(itemArray::itemAt(item, u"_PT_X_DSD_NC"), nullptr);  // a database parameter
  EXPECT_EQ(item.otherPairs.size(), 1u);                         // "_QEVITEM_ID"
}

TEST(ItemHost, HeatingKeysWrittenIntoTheItemDataReadBackAsAttributes) {
  QevItem item;
  QevItem again;
  runCommand(HV_PRODUCTS_FILE, "select handles 100\n", [&] {
    ownedChain list = selectedList();
    ASSERT_EQ(itemData::readFromEntity(item, list.get(), nullptr), 0);
    // Unchanged, the write-back changes nothing.
    const Pairs read = dataPairs(item.insertData.list());
    ASSERT_TRUE(item.writeXdata(nullptr));
    EXPECT_EQ(dataPairs(item.insertData.list()), read);

    item.texts.setAt(1, u"RZ7");
    itemArray::setText(item, u"_PT_X_DSD_NC", u"1");
    itemArray::setText(item, u"PRPD", u"Rozdělovač");
    itemArray::setText(item, u"_PT_X_IN_T1", u"40");
    ASSERT_TRUE(item.writeXdata(nullptr));
    itemKeyList::removeKey(item, u"_PT_X_IN_T1");
    ownedChain rewritten = withInsertData(list.get(), item);
    ASSERT_EQ(itemData::readFromEntity(again, rewritten.get(), nullptr), 0);
  });
  const Pairs pairs = dataPairs(item.insertData.list());
  EXPECT_EQ(std::count(pairs.begin(), pairs.end(), std::pair<std::u16string, std::u16string>{u"_LABEL", u"RZ7"}), 1);
  EXPECT_EQ(std::count_if(pairs.begin(), pairs.end(), [](const auto& p) { return p.first == u"_PT_X_IN_T1"; }), 0);
  EXPECT_EQ(again.texts.getAt(1).str(), u"RZ7");
  ASSERT_NE(itemArray::itemAt(again, u"_pt_x_dsd_nc"), nullptr);
  EXPECT_EQ(*itemArray::itemAt(again, u"_PT_X_DSD_NC"), u"1");
  EXPECT_EQ(*itemArray::itemAt(again, u"PRPD"), u"Rozdělovač");
  EXPECT_EQ(*itemArray::itemAt(again, u"_PT_X_IN_T1"), u"");  // the database still lists it, empty
}

TEST(ItemHost, DatabaseParametersGiveAttributesStatusesAndTheLengthAndHeightIndexes) {
  RecordFile records(kTestRecords);
  runCommand(records.path(), "", [&] {
    std::vector<itemAttribute> attributes;
    std::vector<itemConnectionPoint> points;
    std::int32_t length = -9, height = -9, number = -9;
    std::u16string layer;
    ASSERT_EQ(QevItem::readDbItem(nullptr, 1, u"ttest-1", attributes, &points, &length, &height, &layer, &number), 1);
    ASSERT_EQ(attributes.size(), 3u);
    EXPECT_EQ(attributes[2].key, u"X");
    EXPECT_EQ(attributes[2].value, u"a");
    EXPECT_EQ((std::vector<int>{attributes[0].status, attributes[1].status, attributes[2].status}),
              (std::vector<int>{0, 0, 16}));
    EXPECT_EQ(length, 0);
    EXPECT_EQ(height, 1);
    EXPECT_EQ(layer, u"0");
    EXPECT_EQ(number, 5);
    EXPECT_EQ(points.size(), 4u);  // two points, read twice

    // No database for the profession, no such item: nothing is touched.
    for (const char16_t* id : {u"EOT-1", u"TOT-404", u""})
      EXPECT_EQ(QevItem::readDbItem(nullptr, 0, id, attributes, &points, &length, &height, &layer, &number), 0);
    EXPECT_EQ(attributes.size(), 3u);
    EXPECT_EQ(number, 5);

    // Without "L": the last attribute of status 0 or 16.
    QevItem item;
    ASSERT_EQ(itemData::loadFromDatabase(item, u"TNOPOINTS", 0, nullptr), 0);
    EXPECT_EQ(item.lengthIndex, -1);
    bindProductDatabases();  // as the module does at start-up
    EXPECT_EQ(getUserParamByLetter(u"T", u"Katalog", u"none"), u"2025");
  });
}

TEST(ItemHost, UnreadableEntitiesResetTheItemAndNeverCrash) {
  RecordFile records(kTestRecords);
  runCommand(records.path(), "select handles 101\n", [&] {
    QevItem item;
    item.id = u"left over";
    ownedChain line = selectedList();
    EXPECT_EQ(itemData::readFromEntity(item, line.get(), nullptr), itemStatus::unreadable);
    EXPECT_FALSE(item.hasId());
    EXPECT_EQ(itemData::readFromEntity(item, nullptr, nullptr), itemStatus::unreadable);
    for (const char16_t* id : {u"EOT-1", u"TOT-404", u""}) {
      ownedChain list = itemInsert(u"E@0x0", {{u"_QEVITEM_ID", id}, {u"_PTS", u"5\n#G/A\n0\n"}}, {{0, 0}});
      EXPECT_EQ(itemData::readFromEntity(item, list.get(), nullptr), itemStatus::unreadable);
      EXPECT_EQ(item.numericId, -1);
    }
    // Bad "_PTS" values beside a readable item change nothing of its points.
    for (const char16_t* pts : {u"5\n#G/A\n1\n2\n-\n", u"-3\n", u"", u"1\n#G\n"}) {
      ownedChain list = itemInsert(u"E@0x0", {{u"_QEVITEM_ID", u"TTEST-1"}, {u"_PTS", pts}}, {{0, 0}, {5, 5}});
      ASSERT_EQ(itemData::readFromEntity(item, list.get(), nullptr), itemStatus::ok);
      EXPECT_EQ(item.points.size(), 2u);
    }
  });
}

TEST(ItemHost, LoadingCallsTheDatabaseCallbackAndRefreshingKeepsTheDrawnValues) {
  RecordFile records(kTestRecords);
  runCommand(records.path(), "", [&] {
    std::vector<std::u16string> loaded;
    qevDatabase::Database* database = productDatabaseOf(nullptr, u"T");
    ASSERT_NE(database, nullptr);
    database->setItemCallback([&](std::u16string_view id) { loaded.emplace_back(id); });
    QevItem item;
    ASSERT_EQ(itemData::loadFromDatabase(item, u"TTEST-1", 0, nullptr), 0);
    EXPECT_EQ(loaded, std::vector<std::u16string>{u"TTEST-1"});
    EXPECT_FALSE(item.fromEntity);

    ownedChain drawn = itemInsert(u"E@0x0", {{u"_QEVITEM_ID", u"TTEST-1"}, {u"L", u"750"}, {u"_NAME", u"N"}, {u"Z", u"z"}},
                                  {{0, 0}});
    ASSERT_EQ(itemData::refreshFromDatabase(item, drawn.get(), 0, nullptr), 0);
    EXPECT_EQ(*itemArray::itemAt(item, u"L"), u"750");
    EXPECT_EQ(*itemArray::itemAt(item, u"U"), u"100");
    EXPECT_EQ(item.texts.getAt(2).str(), u"N");
    EXPECT_EQ(item.props.layer, u"RZ");
    EXPECT_EQ(itemData::refreshFromDatabase(item, nullptr, 0, nullptr), itemStatus::unreadable);
    EXPECT_EQ(*itemArray::itemAt(item, u"L"), u"750");
    database->setItemCallback(nullptr);
  });
}

int fakeDialog(HWND, const char16_t*, int, int, const std::uint8_t*, int) { return 1; }
void fakeFree(resbuf*) {}
void fakeDate(const char16_t*) {}
resbuf* fakeList(int) { return nullptr; }
void fakeData(const char16_t*, const char16_t*, const char16_t*) {}

TEST(ItemHost, ThePropertyDialogBindsOnlyWithAllFiveFunctionsAndUnloadsAfterwards) {
  {
    propertyDialogBinding binding;
    EXPECT_FALSE(bindPropertyDialog(binding));  // no "WIZARD.DLL"
  }
  std::vector<HvModuleExport> exports = {hvExport("PPDlgW", &fakeDialog), hvExport("PPFree", &fakeFree),
                                         hvExport("SetPP2DateW", &fakeDate), hvExport("PPGetResbufW", &fakeList),
                                         hvExport("SetPPDataW", &fakeData)};
  for (std::size_t dropped = 0; dropped <= exports.size(); ++dropped) {
    std::vector<HvModuleExport> some = exports;
    if (dropped < some.size()) some.erase(some.begin() + static_cast<std::ptrdiff_t>(dropped));
    HMODULE module = hvRegisterModule(u"C:\\Host\\WIZARD.DLL", some);
    ASSERT_NE(module, nullptr);
    {
      propertyDialogBinding binding;
      EXPECT_EQ(bindPropertyDialog(binding), dropped == exports.size());
      EXPECT_EQ(hvModuleReferenceCount(module), 1u);
    }
    EXPECT_EQ(hvModuleReferenceCount(module), 0u);
    hvUnregisterModule(module);
  }
}

}  // namespace
