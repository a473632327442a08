// Where sibling modules are looked for, and which of their exports are bound.
#include <gtest/gtest.h>

#include "host/SiblingModules.h"
#include "tests/host/FakeHost.h"
#include "tests/host/SiblingChecks.h"

namespace {

TEST(SiblingModules, BareNamesAreLookedForInTheHostFolder) {
  {
    FakeHost host;
    EXPECT_EQ(siblingModulePath(u"VO_VUDE2RUR.EVO"), u"C:\\Host\\VO_VUDE2RUR.EVO");
    EXPECT_EQ(siblingModulePath(u"sub/x.dll"), u"sub/x.dll");
    EXPECT_EQ(siblingModulePath(u"D:\\Lib\\x.dll"), u"D:\\Lib\\x.dll");
    EXPECT_EQ(siblingModulePath(nullptr), u"");
  }
  {
    FakeHostOptions options;
    options.hostName = hostExecutableAltName;
    options.hostFile = u"/opt/cad/bin/HAVLEN2D.ARX";
    FakeHost host(options);
    EXPECT_EQ(siblingModulePath(u"WIZARD.DLL"), u"/opt/cad/bin/WIZARD.DLL");
  }
  EXPECT_EQ(siblingModulePath(u"WIZARD.DLL"), u"WIZARD.DLL");  // no host loaded
  EXPECT_EQ(loadSiblingModule(nullptr), nullptr);
  EXPECT_EQ(loadSiblingModule(u"sub/x.dll"), nullptr);  // no such file
}

TEST(SiblingModules, EveryExportBoundOrNull) {
  {
    FakeHostOptions options;
    options.missingSiblingExports = {"HV_FLOOR_LIB_DONE"};
    options.maskEditor = false;
    FakeHost host(options);
    bindSiblingModules();
    EXPECT_EQ(hvSiblings.floorLibDone, nullptr);
    hvSiblings.floorLibDone = &fakeFloorLibDone;
    expectFloorLibrary(hvSiblings, true);
    EXPECT_EQ(hvSiblings.maskEdit, nullptr);
    EXPECT_EQ(hvSiblings.formatDescFromMask, &fakeFormatDesc);
  }
  FakeHostOptions none;
  none.hostName = nullptr;
  none.floorLibrary = none.maskEditor = none.descFormatter = false;
  FakeHost host(none);
  bindSiblingModules();
  expectFloorLibrary(hvSiblings, false);
  EXPECT_EQ(hvSiblings.maskEdit, nullptr);
  EXPECT_EQ(hvSiblings.formatDescFromMask, nullptr);
}

}  // namespace
