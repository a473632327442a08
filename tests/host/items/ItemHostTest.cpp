// Item records through the stand-in host: word 51's product databases, the
// example manifold read through word 167, the database readers and the
// property-dialog binding.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "host/HostExport.h"
#include "host/ResbufBuilder.h"
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
#include "tests/support/TestFolder.h"

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
    "POINT2=#G/P2|1|2|+\n";

// A record file in the test's own folder.
class RecordFile {
 public:
  explicit RecordFile(const char* text) : path_(folder_.write("items.dat", text).string()) {}
  std::string path() const { return path_; }

 private:
  TestFolder folder_;
  std::string path_;
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
  EXPECT_EQ(std::tuple(status, item.id, item.texts.getAt(1).str(), item.blockName, item.props.handle),
            std::tuple(itemStatus::ok, u"TOT0000-0023", u"RZ1", u"RZ_TEST", u"100"));
  EXPECT_EQ(std::tuple(item.position(), item.currentPoint, item.scale, item.mirrored, item.numericId),
            std::tuple(XtGePoint2d(1000, 1000), 0, 1.0, false, 23));
  EXPECT_EQ(item.props.getTail(), nullptr);  // extended data travels as insert data only
  ASSERT_NE(itemArray::itemAt(item, u"_PT_X_DSD_NC"), nullptr);  // a database parameter
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
    EXPECT_TRUE(attributes[2].key == u"X" && attributes[2].value == u"a");
    EXPECT_EQ((std::vector<int>{attributes[0].status, attributes[1].status, attributes[2].status}),
              (std::vector<int>{0, 0, 16}));
    // Two points, read twice.
    EXPECT_EQ(std::tuple(length, height, layer, number, points.size()), std::tuple(0, 1, u"0", 5, 4u));

    // No database for the profession, no such item: nothing is touched.
    for (const char16_t* id : {u"EOT-1", u"TOT-404", u""})
      EXPECT_EQ(QevItem::readDbItem(nullptr, 0, id, attributes, &points, &length, &height, &layer, &number), 0);
    EXPECT_EQ(attributes.size(), 3u);
    EXPECT_EQ(number, 5);

    bindProductDatabases();  // as the module does at start-up
    EXPECT_EQ(getUserParamByLetter(u"T", u"Katalog", u"none"), u"2025");

    // Loading calls the database's callback; refreshing from a drawn item
    // keeps its values.
    std::vector<std::u16string> loaded;
    productDatabaseOf(nullptr, u"T")->setItemCallback([&](std::u16string_view id) { loaded.emplace_back(id); });
    QevItem item;
    ASSERT_EQ(itemData::loadFromDatabase(item, u"TTEST-1", 0, nullptr), 0);
    EXPECT_EQ(loaded, std::vector<std::u16string>{u"TTEST-1"});
    ownedChain drawn = itemInsert(u"E@0x0", {{u"_QEVITEM_ID", u"TTEST-1"}, {u"L", u"750"}, {u"_NAME", u"N"}}, {{0, 0}});
    ASSERT_EQ(itemData::refreshFromDatabase(item, drawn.get(), 0, nullptr), 0);
    EXPECT_EQ(std::tuple(*itemArray::itemAt(item, u"L"), *itemArray::itemAt(item, u"U"), item.texts.getAt(2).str()),
              std::tuple(u"750", u"100", u"N"));
    EXPECT_EQ(itemData::refreshFromDatabase(item, nullptr, 0, nullptr), itemStatus::unreadable);
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

// The property dialog's module as a test stands it in: it answers
// g_dialogAnswer, records what it is given and hands out a block definition
// with two markers and insert data of its own.
int g_dialogAnswer = 1;
int g_dialogConnection = 0;
std::u16string g_dialogNames;
int g_listsOut = 0;

int fakeDialog(HWND, const char16_t*, int connection, int, const std::uint8_t*, int) {
  g_dialogConnection = connection;
  return g_dialogAnswer;
}
void fakeFree(resbuf* list) {
  freeResbufChain(list, false);
  --g_listsOut;
}
void fakeDate(const char16_t*) {}
resbuf* fakeList(int which) {
  ++g_listsOut;
  using P = std::array<double, 3>;
  if (which == 0)
    return buildResbufList({{0, u"CIRCLE"}, {8, u"0"}, {10, P{0, 0, 0}}, {40, 50.0},
                            {0, u"LINE"}, {8, u"DEFPOINTS"}, {10, P{-40, 0, 0}}, {11, P{-40, 5, 0}},
                            {0, u"LINE"}, {8, u"DEFPOINTS"}, {10, P{0, 0, 0}}, {11, P{3, 0, 0}}});
  return buildResbufList({{1001, u"QEV_DATA"}, {1000, u"E@0x0"}, {1000, u"_QEVITEM_ID"}, {1000, u"TOT0000-0023"}});
}
void fakeData(const char16_t* names, const char16_t*, const char16_t*) { g_dialogNames = names; }

TEST(ItemHost, TheBoundDialogModuleGivesTheBlockDefinitionAndItsEditsMakeABlockOfTheirOwn) {
  QevItem item;
  QevItem edited;
  QevItem cancelled;
  int unboundAnswer = 0;
  runCommand(HV_PRODUCTS_FILE, "select handles 100\n", [&] {
    ownedChain list = selectedList();
    ASSERT_EQ(itemData::readFromEntity(item, list.get(), nullptr), 0);
    QevItem unbound = item;
    unboundAnswer = unbound.editProperties(nullptr);
    EXPECT_EQ(unbound.attributes.size(), item.attributes.size());  // nothing changed

    std::vector<HvModuleExport> exports = {hvExport("PPDlgW", &fakeDialog), hvExport("PPFree", &fakeFree),
                                           hvExport("SetPP2DateW", &fakeDate), hvExport("PPGetResbufW", &fakeList),
                                           hvExport("SetPPDataW", &fakeData)};
    // All five functions are needed; the binding unloads the module when it goes.
    HMODULE partial = hvRegisterModule(u"C:\\Host\\WIZARD.DLL", {exports.begin(), exports.end() - 1});
    {
      propertyDialogBinding binding;
      EXPECT_FALSE(bindPropertyDialog(binding));
      EXPECT_EQ(hvModuleReferenceCount(partial), 1u);
    }
    EXPECT_EQ(hvModuleReferenceCount(partial), 0u);
    hvUnregisterModule(partial);

    HMODULE module = hvRegisterModule(u"C:\\Host\\WIZARD.DLL", exports);
    itemArray::setText(item, u"RZ", u"RZ1");
    ASSERT_EQ(item.readDbAttributes(nullptr, nullptr), 0);
    edited = item;
    g_dialogAnswer = IDOK;
    EXPECT_EQ(edited.editProperties(nullptr), IDOK);
    cancelled = item;
    g_dialogAnswer = IDCANCEL;
    EXPECT_EQ(cancelled.editProperties(nullptr), IDCANCEL);
    hvUnregisterModule(module);
  });
  EXPECT_EQ(unboundAnswer, IDCANCEL);
  EXPECT_EQ(g_listsOut, 0);  // every list the module gave went back to it
  // The module's block definition placed the connection point (the drawn
  // block has no markers): its first marker, the base, along +y.
  ASSERT_EQ(item.points.size(), 1u);
  EXPECT_EQ(std::tuple(item.points[0].position, item.points[0].direction), std::tuple(XtGePoint2d(0, 0), XtGeVector2d(0, 5)));
  EXPECT_EQ(std::tuple(item.blockName, itemArray::itemAt(item, u"_QCATALOGUE")->size(), g_dialogConnection, g_dialogNames),
            std::tuple(u"RZ_TEST", 0u, 1, u"#RZ"));
  // Confirmed: a block of its own, its insert data from the module with a
  // fresh placement in front.
  EXPECT_TRUE(edited.blockName.starts_with(u"*"));
  EXPECT_EQ(appCount(edited.insertData.list(), u"QEV_INSPT"), 1);
  EXPECT_EQ(std::u16string(edited.insertData.list()->value.str), u"QEV_INSPT");
  EXPECT_EQ(cancelled.blockName, u"RZ_TEST");
  EXPECT_EQ(dataPairs(cancelled.insertData.list()), dataPairs(item.insertData.list()));
}

}  // namespace
