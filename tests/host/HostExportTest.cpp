// The "GetExport2D" table and its typed accessors over a fake host.
#include <gtest/gtest.h>

#include "host/HostExport.h"
#include "tests/host/FakeHost.h"

namespace {

TEST(HostExport, TableOfTheHostExecutableOrItsAlternative) {
  EXPECT_EQ(getExport2D(), nullptr);
  {
    FakeHost host;
    EXPECT_EQ(getExport2D(), &host.table());
  }
  {
    FakeHostOptions options;
    options.hostName = hostExecutableAltName;
    FakeHost host(options);
    EXPECT_EQ(getExport2D(), &host.table());
  }
  FakeHostOptions options;
  options.exportsTable = false;
  FakeHost host(options);
  EXPECT_EQ(getExport2D(), nullptr);
  EXPECT_FALSE(hostUnitFactor());
  EXPECT_FALSE(hostFolder(nullptr));
}

TEST(HostExport, TypedWordsAnswerNothingWhenMissing) {
  FakeHostOptions options;
  options.unitScale.reset();
  options.folder.reset();
  FakeHost host(options);
  EXPECT_EQ(hostUnitFactor(), 1000);
  EXPECT_FALSE(hostUnitScale(getExport2D()) || hostFolder(getExport2D()) || hostDrawingScale() ||
               hostProductDatabase(u'T') || showHostHelp(u"::/zdroje\\gbxml.htm") || callHostWord<17>());
  EXPECT_EQ(hostMainWindow(getExport2D()), host.window());
}

TEST(HostExport, UnitFactorZeroIsNoFactorAndAFolderLongerThanAPathBufferIsKept) {
  FakeHostOptions options;
  options.unitFactor = 0;
  options.folder = u"C:\\" + std::u16string(300, u'd');
  FakeHost host(options);
  EXPECT_EQ(callHostWord<33>(), 0);  // the raw word answers 0
  EXPECT_FALSE(hostUnitFactor());     // the accessor: no factor
  EXPECT_EQ(hostFolder(getExport2D()), options.folder);
}

}  // namespace
