// Runs the item record through the stand-in host and saves the drawing for
// the ezdxf checks of item_blocks.py.
//
//   hv_item_manifold_tool manifold IN.dxf OUT.dxf PRODUCTS
//     rewrites the manifold INSERT 100 as the heating output does, reads it
//     again, and makes the block "ITEM_DEF" from a definition list
//   hv_item_manifold_tool reinsert IN.dxf OUT.dxf PRODUCTS HANDLE...
//     reads each INSERT as an item and inserts it again unchanged
//
// Exit code 0 when every step answered as expected; failures on stderr.
#include <cstdio>
#include <string>
#include <vector>

#include "host/HostExport.h"
#include "host/ResbufBuilder.h"
#include "host/entities/ownedChain.h"
#include "host/items/QevItem.h"
#include "host/items/defineItemBlock.h"
#include "host/items/itemKeyTable.h"
#include "host/items/productConnection.h"
#include "platform/cadhost/HostStatus.h"
#include "tests/platform/cadhost/host/HostTestFixture.h"

namespace {

std::vector<std::string> g_failures;
std::vector<std::u16string> g_handles;

void expect(bool condition, const std::string& what) {
  if (!condition) g_failures.push_back(what);
}

ownedChain selected() {
  if (callHostWord<138>(nullptr, 0, 0, 0, nullptr) != hostStatus::normal) return nullptr;
  return ownedChain(callHostWord<167>(0, 0).value_or(nullptr));
}

void drawManifold() {
  resetProductConnections();
  QevItem item;
  ownedChain list = selected();
  expect(itemData::readFromEntity(item, list.get(), nullptr) == itemStatus::ok, "the manifold reads");
  item.texts.setAt(1, u"RZ7");
  expect(item.readDbAttributes(nullptr, nullptr) == itemStatus::ok, "its database attributes read");
  itemArray::setText(item, u"_PT_X_DSD_NC", u"1");
  itemArray::setText(item, u"PRPD", u"Rozdělovač");
  itemKeyList::removeKey(item, u"_PT_X_IN_T1");
  itemKeyList::removeKey(item, u"_PT_X_OUT_T2");
  ltEntProps props;
  item.toEntProps(props);
  props.setTail(ownedChain(buildResbufList(
      {{1001, u"VE2R_ASSOC"}, {1000, u"VE2R_HEATPIPES"}, {1070, 272}, {1005, u"101"}, {1070, 272}, {1005, u"102"}})));
  itemData::setProperties(item, props);
  item.setExtraApps(props.getTail());
  expect(item.writeXdata(nullptr), "the item data is written");
  callHostWord<17>();
  expect(item.insertBlock(nullptr, false, nullptr) == itemStatus::ok, "word 114 takes the reference");
  callHostWord<19>(1u);
}

void checkManifold() {
  resetProductConnections();
  QevItem item;
  ownedChain list = selected();
  expect(itemData::readFromEntity(item, list.get(), nullptr) == itemStatus::ok, "the rewritten manifold reads");
  const std::u16string* value = itemArray::itemAt(item, u"_PT_X_DSD_NC");
  expect(value && *value == u"1", "_PT_X_DSD_NC reads back as 1");
}

void defineBlock() {
  using P = std::array<double, 3>;
  ownedChain list(buildResbufList({
      {0, u"CIRCLE"}, {8, u"0"}, {10, P{0, 0, 0}}, {40, 50.0},
      {0, u"LINE"}, {8, u"DEFPOINTS"}, {62, 7}, {10, P{100, 0, 0}}, {11, P{100, 10, 0}},
      {0, u"ARC"}, {8, u"DEFPOINTS"}, {10, P{0, 0, 0}}, {40, 20.0}, {50, 0.0}, {51, 1.0},
      {0, u"LINE"}, {8, u"DEFPOINTS"}, {10, P{200, 50, 0}}, {11, P{210, 50, 0}},
  }));
  std::u16string name = u"ITEM_DEF";
  expect(defineItemBlock(list.get(), &name, 1, nullptr, nullptr, nullptr, true, false, nullptr) == hostStatus::normal,
         "word 111 makes the block");
}

void reinsert() {
  resetProductConnections();
  if (callHostWord<138>(nullptr, 0, 0, 0, nullptr) != hostStatus::normal) return;
  callHostWord<17>();
  while (resbuf* raw = callHostWord<167>(0, 0).value_or(nullptr)) {
    ownedChain list(raw);
    QevItem item;
    expect(itemData::readFromEntity(item, list.get(), nullptr) == itemStatus::ok, "an item reads");
    expect(item.readDbAttributes(nullptr, nullptr) == itemStatus::ok, "its database attributes read");
    expect(item.insertBlock(nullptr, false, nullptr) == itemStatus::ok, "it is inserted again");
  }
  callHostWord<19>(1u);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fputs("usage: hv_item_manifold_tool manifold|reinsert IN.dxf OUT.dxf PRODUCTS [HANDLE...]\n", stderr);
    return 2;
  }
  const std::string mode = argv[1];
  cadhost::CadhostOptions options;
  options.productsPath = argv[4];
  std::string script;
  if (mode == "manifold") {
    script = "command draw\nselect handles 100\ncommand check\nselect handles 100\ncommand define\n";
  } else {
    script = "command reinsert\nselect handles";
    for (int i = 5; i < argc; ++i) script += std::string(" ") + argv[i];
    script += "\n";
  }
  script += "save \"" + std::string(argv[3]) + "\"\n";
  cadhost::test::HostRun run(argv[2], script, options,
                             {{"draw", drawManifold}, {"check", checkManifold}, {"define", defineBlock},
                              {"reinsert", reinsert}});
  const int status = run.run();
  resetProductConnections();
  for (const std::string& failure : g_failures) std::fprintf(stderr, "FAIL: %s\n", failure.c_str());
  if (status != 0) std::fprintf(stderr, "FAIL: the host run answered %d\n", status);
  return g_failures.empty() && status == 0 ? 0 : 1;
}
