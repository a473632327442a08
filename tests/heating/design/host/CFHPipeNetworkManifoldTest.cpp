// The manifold as a product-line item: the example drawing's manifold read
// through the stand-in host, and the settings a design wrote to an item.
#include "heating/design/model/CFHModel.h"
#include "heating/design/model/CFHPipeNetwork.h"

#include "host/HostExport.h"
#include "host/ResbufChain.h"
#include "host/items/itemKeyTable.h"
#include "host/items/productConnection.h"

#include "platform/cadhost/HostStatus.h"
#include "platform/win/Utf8.h"

#include "tests/platform/cadhost/host/HostTestFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace {

std::function<void()> g_body;

// Runs `body` as a command over the example drawing with its manifold
// (handle 100) selected.
int runWithManifoldSelected(const std::string& products, std::function<void()> body) {
  cadhost::CadhostOptions options;
  options.productsPath = products;
  g_body = std::move(body);
  cadhost::test::HostRun run("minimal.dxf", "command run\nselect handles 100\n", options, {{"run", [] {
                                                                                   resetProductConnections();
                                                                                   g_body();
                                                                                   resetProductConnections();
                                                                                 }}});
  return run.run();
}

bool readSelectedManifold(CFHPipeNetwork& network) {
  if (callHostWord<138>(nullptr, 0, 0, 0, nullptr) != hostStatus::normal) return false;
  resbuf* list = callHostWord<167>(0, 0).value_or(nullptr);
  const bool read = network.readManifoldItem(list);
  freeResbufChain(list, false);
  return read;
}

TEST(CFHPipeNetworkManifold, TheExampleManifoldIsAManifoldItem) {
  CFHModel model;
  CFHPipeNetwork& network = model.pipeNetwork();
  bool read = false;
  EXPECT_EQ(runWithManifoldSelected(HV_PRODUCTS_FILE, [&] { read = readSelectedManifold(network); }), 0);
  EXPECT_TRUE(read);
  EXPECT_EQ(network.itemId, CString(u"TOT0000-0023"));
  EXPECT_EQ(network.mark, CString(u"RZ1"));
  EXPECT_EQ(network.referencePoint, XtGePoint2d(1000, 1000));

  // No design was written to it: every key is empty, every setting stays.
  network.readManifoldSettings();
  EXPECT_EQ(network.firstCircuitNumber, 1);
  EXPECT_EQ(network.autoNumberZones, 1u);
  EXPECT_EQ(model.descData().layers[0], CString(u"0"));

  // Without the product database the block is no item the design knows.
  CFHModel other;
  EXPECT_EQ(runWithManifoldSelected("none", [&] { read = readSelectedManifold(other.pipeNetwork()); }), 0);
  EXPECT_FALSE(read);
  EXPECT_EQ(other.pipeNetwork().mark, CString(u"RZ"));
}

TEST(CFHPipeNetworkManifold, SettingsComeBackFromTheNamedValues) {
  CFHModel model;
  CFHDescData& desc = model.descData();
  desc.drawingTextStyles = {CString(u"Standard"), CString(u"ISOCP"), CString(u"Arial")};
  desc.defaultLayer = u"0";
  CFHPipeNetwork& network = model.pipeNetwork();
  QevItem& item = network.manifoldItem;
  const std::pair<const char16_t*, const char16_t*> values[] = {
      {u"PRPD", u"Byt 3"},          {u"PRPO", u"2. NP"},           {u"_PT_X_DSD_NC", u"0"},
      {u"_PT_X_DSD_NZ", u"2"},      {u"_PT_X_DSD_NBC", u"11"},     {u"_PT_X_DSD_ZBC", u""},
      {u"_PT_X_DSD_CC", u"1"},      {u"_PT_X_DSD_MP", u"0.25m"},   {u"_PT_X_DSC_TXTSOPT", u"arial"},
      {u"_PT_X_DSC_TXTSOR", u"?"},  {u"_PT_X_DSC_TXTSCO", u"isocp"}, {u"_PT_X_DSC_TXTHOPT", u"3.5"},
      {u"_PT_X_DSC_TXTHDOT", u"0"}, {u"_PT_X_DSC_TXTWFCO", u"0.8"}, {u"_PT_X_DSC_LOPT", u"*"},
      {u"_PT_X_DSC_LCO", u"OKRUHY"}, {u"_PT_X_DSC_MDPP", u"<_CISLO>"},
  };
  for (const auto& [key, value] : values) itemArray::setText(item, key, value);
  network.readManifoldSettings();

  // Empty keeps the first zone number, 0 is refused as a height, the bodies'
  // style comes from the circuits' key; "?" and "*" fall back.
  using D = CFHDescData;
  std::ostringstream got;
  auto text = [](const CString& t) { return hvWideToUtf8(t.view()); };
  got << text(network.firstDescription) << '|' << text(network.secondDescription) << '|' << network.autoNumberCircuits
      << network.autoNumberZones << ' ' << network.firstCircuitNumber << ' ' << network.firstZoneNumber << ' '
      << network.colourCircuits << ' ' << network.manifoldDistance << ' ' << network.manifoldMaxDistance << ' '
      << text(desc.textStyles[D::kStyleZone]) << ' ' << text(desc.textStyles[D::kStyleManifold]) << ' '
      << text(desc.textStyles[D::kStyleCircuit]) << ' ' << text(desc.textStyles[D::kStyleHeatingBody]) << ' '
      << desc.textHeights[D::kZoneLabel] << ' ' << desc.textHeights[D::kHeatingBody] << ' '
      << desc.widthFactors[D::kCircuitLabel] << ' ' << text(desc.layers[D::kStyleZone])
      << desc.useDefaultLayer[D::kStyleZone] << ' ' << text(desc.layers[D::kStyleCircuit]) << ' '
      << text(desc.descriptionMask);
  EXPECT_EQ(got.str(), "Byt 3|2. NP|01 11 1 1 0.25 0 Arial Standard ISOCP ISOCP 3.5 7.2 0.8 01 OKRUHY <_CISLO>");

  itemArray::setText(item, u"_PT_X_DSC_TXTSDOT", u"Standard");
  network.readManifoldSettings();
  EXPECT_EQ(desc.textStyles[CFHDescData::kStyleHeatingBody], CString(u"Standard"));
}

}  // namespace
