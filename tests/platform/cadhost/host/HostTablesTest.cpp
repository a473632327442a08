// The host's tables as modules find them, and the words and slots that answer
// from the drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "host/HostExport.h"
#include "host/HvHostApi.h"
#include "host/ResbufChain.h"
#include "platform/cadhost/HatchPatterns.h"
#include "platform/cadhost/HostStatus.h"
#include "platform/win/Modules.h"
#include "platform/win/Utf8.h"
#include "tests/platform/cadhost/host/HostTestFixture.h"

namespace cadhost::test {
namespace {

template <class Proc>
Proc apiExport(const char* name) {
  return reinterpret_cast<Proc>(GetProcAddress(GetModuleHandleW(hostApiModuleName), name));
}

// The value of a one-node answer; frees it as modules do.
resbuf taken(resbuf* node) {
  resbuf copy{};
  if (node != nullptr) copy = *node;
  copy.next = nullptr;
  freeResbufChain(node, false);
  return copy;
}

TEST(CadhostTables, ModulesFindTheHostUnderItsNames) {
  HostRun run("minimal.dxf", "");
  HMODULE host = GetModuleHandleW(hostExecutableName);
  ASSERT_NE(host, nullptr);
  char16_t file[512];
  ASSERT_GT(GetModuleFileNameW(host, file, 512), 0u);
  EXPECT_EQ(hvWideToUtf8(file), run.folder().string() + "/REDUZUZI.EXE");
  EXPECT_EQ(getExport2D(), run.host().table());

  // The words the heating commands need are there; unused ones are null.
  for (int word : {17, 19, 20, 28, 29, 32, 33, 35, 36, 59, 60, 77, 94, 109, 113, 114, 118, 127, 131, 138, 142, 164, 167,
                   178, 198, 216, 217, 218, 37, 51, 53, 111, 112, 153, 180})
    EXPECT_NE(getExport2D()->words[word], nullptr) << word;
  int present = 0;
  for (HostWord w : getExport2D()->words) present += w != nullptr;
  EXPECT_EQ(present, 35);

  // The drawing interface: product kind 0, host type 3, the 13 slots only.
  EXPECT_EQ(apiExport<HostProductProc>(hostApiProductExport)(), 0u);
  EXPECT_EQ(apiExport<HostTypeProc>(hostApiTypeExport)(), 3);
  EXPECT_EQ(hvWideToUtf8(apiExport<HostPathProc>(hostApiUserPathExport)()), run.folder().string() + "/user/");
  EXPECT_EQ(apiExport<HostWindowProc>(hostApiWindowExport)(), callHostWord<20>().value_or(nullptr));
  std::vector<int> slots;
  for (int slot = 1; slot <= hostApiSlotCount; ++slot)
    if (GetProcAddress(GetModuleHandleW(hostApiModuleName), hostApiSlotNames[slot])) slots.push_back(slot);
  EXPECT_EQ(slots, (std::vector<int>{6, 8, 13, 18, 20, 27, 28, 38, 39, 41, 65, 67, 72}));
  HvHostApi api;
  EXPECT_EQ(api.bind(GetModuleHandleW(hostApiModuleName)), 1);
  EXPECT_EQ(api.slot(77), nullptr);
}

TEST(CadhostTables, Word138CanBeHiddenForTheOlderSelectionAndTheUnitFactorOptionWins) {
  CadhostOptions options;
  options.hideWord138 = true;
  options.unitFactor = 1;
  HostRun run("three-zones.dxf", "", options);
  EXPECT_EQ(getExport2D()->words[138], nullptr);
  EXPECT_NE(getExport2D()->words[37], nullptr);
  EXPECT_EQ(hostUnitFactor(), 1);
}

TEST(CadhostTables, VariablesUnitsAndCoordinates) {
  CadhostOptions options;
  options.ucs = UcsFrame({100, 50, 0}, {0, 2, 0});
  HostRun run("minimal.dxf", "", options);
  EXPECT_EQ(hostUnitFactor(), 1000);  // $INSUNITS 4
  EXPECT_STREQ(callHostWord<29>("CLAYER").value_or(nullptr), "0");
  EXPECT_EQ(callHostWord<29>("NOSUCHVAR").value_or(""), nullptr);

  resbuf origin = taken(callHostWord<28>("UCSORG", 5009).value_or(nullptr));
  resbuf x = taken(callHostWord<28>("ucsxdir", 5009).value_or(nullptr));  // normalised
  EXPECT_EQ(std::tuple(origin.code, origin.value.point[0], x.value.point[1]), std::tuple(5009, 100.0, 1.0));
  EXPECT_EQ(callHostWord<28>("UCSORG", 5001).value_or(nullptr), nullptr);

  double p[2] = {10, 20};
  callHostWord<35>(p, 0);  // user -> world: O + 10 X + 20 Y, X = (0,1), Y = (-1,0)
  EXPECT_LT(std::hypot(p[0] - 80.0, p[1] - 60.0), 1e-12);
  callHostWord<36>(p, 0);
  EXPECT_LT(std::hypot(p[0] - 10.0, p[1] - 20.0), 1e-12);
}

TEST(CadhostTables, TextsStylesPatternsAndFolders) {
  HostRun run("minimal.dxf", "");
  int count = 0;
  const char* const* styles = callHostWord<59>(&count).value_or(nullptr);
  ASSERT_GT(count, 0);
  EXPECT_STREQ(styles[0], "Standard");

  const unsigned char* patterns = nullptr;
  int n = 0;
  callHostWord<77>(0, &patterns, &n, 0);
  ASSERT_EQ(n, 3);
  std::vector<std::string> names;
  for (int i = 0; i < n; ++i) names.emplace_back(reinterpret_cast<const char*>(patterns + 80 * i));
  EXPECT_EQ(names, (std::vector<std::string>{"SOLID", "ANSI31", "ANSI37"}));
  // ANSI37: two definition lines, the second at 135 degrees.
  const HostHatchPattern& ansi37 = reinterpret_cast<const HostHatchPattern*>(patterns)[2];
  ASSERT_EQ(ansi37.lineCount, 2);
  EXPECT_EQ(ansi37.lines[1].angle, 135.0);

  double width = 0, height = 0;
  callHostWord<131>(u"{\\fArial|b0;AB}\\PABCD\\~E", u"Standard", 2.0, 0.5, &width, &height);
  EXPECT_DOUBLE_EQ(width, 6 * 2.0 * 0.9 * 0.5);  // "ABCD E" is the longest line
  EXPECT_EQ(height, 2.0);

  EXPECT_EQ(hostDataFolder(), hvUtf8ToWide(run.folder().string()));
  char16_t small[5];
  callHostWord<109>(0, small, 5);
  EXPECT_EQ(std::u16string(small).size(), 4u);  // cut to fit, terminated
  EXPECT_STREQ(callHostWord<94>().value_or(nullptr), "cadhost");

  char16_t a[50], b[50];
  callHostWord<164>(a);
  callHostWord<164>(b);
  EXPECT_NE(std::u16string(a), std::u16string(b));
  EXPECT_TRUE(run.drawing().isHandleReserved(*parseHandle(std::u16string_view(a))));
  EXPECT_EQ(run.drawing().findByHandleText(a), kNoRecord);

  unsigned char s1 = 9, s2 = 9;
  callHostWord<217>(u"ZONY", 3, 4);
  callHostWord<218>(u"zony", &s1, &s2);
  EXPECT_TRUE(s1 == 3 && s2 == 4);
  callHostWord<218>(u"NOSUCHLAYER", &s1, &s2);
  EXPECT_EQ(s1 + s2, 0);
}

TEST(CadhostTables, SlotsAnswerFromTheDrawing) {
  HostRun run("minimal.dxf", "");
  ASSERT_EQ(hvInitHostApi(GetModuleHandleW(hostApiModuleName)), 1);
  resbuf scale = taken(callHostApi<6>(u"DIMSCALE", 5001).value_or(nullptr));
  EXPECT_EQ(scale.code, 5001);
  resbuf screen = taken(callHostApi<6>(u"SCREENSIZE", 5002).value_or(nullptr));
  EXPECT_EQ(screen.value.point[0], 1280.0);
  char16_t layer[16];
  EXPECT_EQ(callHostApi<8>(u"CLAYER", layer, 16), hostStatus::normal);
  EXPECT_EQ(std::u16string(layer), u"0");

  resbuf* style = callHostApi<72>(u"STYLE", u"standard").value_or(nullptr);
  ASSERT_NE(style, nullptr);
  EXPECT_NE(findResbufText(style, 2, u"Standard"), nullptr);
  freeResbufChain(style, false);

  // The layout dictionary walked entry by entry.
  void* dictionary = callHostApi<38>(u"ACAD_LAYOUT").value_or(nullptr);
  ASSERT_NE(dictionary, nullptr);
  std::vector<std::u16string> entries;
  char16_t name[64];
  for (int guard = 0; guard < 100; ++guard) {
    resbuf* entry = callHostApi<39>(dictionary, name, 64).value_or(nullptr);
    if (entry == nullptr) break;
    entries.emplace_back(name);
    EXPECT_NE(findResbufText(entry, 0, u"LAYOUT"), nullptr);
    freeResbufChain(entry, false);
  }
  callHostApi<41>(dictionary);
  EXPECT_NE(std::find(entries.begin(), entries.end(), u"Model"), entries.end());
  EXPECT_EQ(callHostApi<38>(u"NO_SUCH_DICTIONARY").value_or(nullptr), nullptr);
  hvReleaseHostApi(false);
}

TEST(CadhostTables, HandedOutListsHoldEveryGroupTheModuleReads) {
  HostRun run("minimal.dxf", "command readManifold\nselect handles 100\n", {},
              {{"readManifold", [] {
                  ASSERT_EQ(callHostWord<138>(nullptr, 0, 0, 0, nullptr), hostStatus::normal);
                  resbuf* list = callHostWord<167>(0, 0).value_or(nullptr);
                  ASSERT_NE(list, nullptr);
                  EXPECT_TRUE(list->code == -1 && list->next->code == 0);
                  EXPECT_TRUE(findResbufText(list, 5, u"100") && findResbufText(list, 2, u"RZ_TEST") &&
                              findResbufText(list, 1000, u"TOT0000-0023"));
                  for (const resbuf* n = list; n; n = n->next) EXPECT_NE(n->code, -3);
                  freeResbufChain(list, false);
                  EXPECT_EQ(callHostWord<167>(0, 0).value_or(list), nullptr);
                }}});
  EXPECT_EQ(run.run(), 0);
}

}  // namespace
}  // namespace cadhost::test
