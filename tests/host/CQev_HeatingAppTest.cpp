// Start-up of the application object over a fake host: the table, the data
// paths, the unit scale and the drawing interface.
#include <gtest/gtest.h>

#include "host/CQev_HeatingApp.h"
#include "host/HvHostApi.h"
#include "host/SiblingModules.h"
#include "tests/host/FakeHost.h"

namespace {

class AppStartup : public ::testing::Test {
 protected:
  void SetUp() override { hvReleaseHostApi(false); }
  void TearDown() override { hvReleaseHostApi(false); }
};

TEST_F(AppStartup, PathsScaleTableAndInterface) {
  FakeHost host;
  CQev_HeatingApp app;
  EXPECT_EQ(CQev_HeatingApp::instance(), &app);
  EXPECT_EQ(AfxGetApp(), &app);
  EXPECT_EQ(std::u16string(app.m_pszAppName), u"Qev_Heating");
  EXPECT_EQ(app.exportTable, &host.table());
  EXPECT_EQ(hvSiblings.floorLibInit, &fakeFloorLibInit);
  ASSERT_TRUE(app.InitInstance());
  EXPECT_EQ(app.floorsDataPath, u"C:\\Host\\DAT\\qev_heat_floors.dat");
  EXPECT_EQ(app.settingsDataPath, u"C:\\Host\\Dat\\Qev_set.dat");
  EXPECT_EQ(app.linesDataPath, u"C:\\Host\\Dat\\Qev_lin.dat");
  EXPECT_EQ(app.veziruDataPath, u"C:\\Host\\Dat\\VEZIRU.dat");
  EXPECT_EQ(app.iniPath, u"C:\\Host\\Dat\\QEV.INI");
  EXPECT_EQ(app.hostScale, 2.5);
  EXPECT_EQ(app.unitFactor, 1.0);
  EXPECT_NE(hvGetHostApi(), nullptr);
}

TEST_F(AppStartup, FolderEndingInASeparatorGetsNoOther) {
  FakeHostOptions options;
  options.folder = u"/srv/host/";
  FakeHost host(options);
  CQev_HeatingApp app;
  app.InitInstance();
  EXPECT_EQ(app.settingsDataPath, u"/srv/host/Dat\\Qev_set.dat");
}

TEST_F(AppStartup, MissingFolderGivesAnEmptyFolderAndALoggedFailure) {
  FakeHostOptions options;
  options.folder.reset();
  options.unitScale.reset();
  FakeHost host(options);
  CQev_HeatingApp app;
  testing::internal::CaptureStderr();
  EXPECT_TRUE(app.InitInstance());
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("word 109"), std::string::npos) << log;
  EXPECT_EQ(app.hostFolderPath, u"");
  EXPECT_EQ(app.iniPath, u"Dat\\QEV.INI");
  EXPECT_EQ(app.hostScale, 1.0);
}

TEST_F(AppStartup, NeitherHostModuleLoaded) {
  FakeHostOptions options;
  options.hostName = nullptr;
  options.hostApi = false;
  FakeHost host(options);
  CQev_HeatingApp app;
  EXPECT_EQ(app.exportTable, nullptr);
  EXPECT_EQ(hvSiblings.floorLibInit, &fakeFloorLibInit);  // found by its bare name
  testing::internal::CaptureStderr();
  EXPECT_TRUE(app.InitInstance());
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(app.hostScale, 1.0);
  EXPECT_EQ(hvGetHostApi(), nullptr);
}

}  // namespace
