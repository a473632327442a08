// Start-up of the application object over a fake host: the table, the data
// paths, the unit scale and the drawing interface.
#include <gtest/gtest.h>

#include <tuple>

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
  EXPECT_TRUE(CQev_HeatingApp::instance() == &app && AfxGetApp() == &app && app.exportTable == &host.table());
  EXPECT_EQ(std::u16string(app.m_pszAppName), u"Qev_Heating");
  EXPECT_EQ(hvSiblings.floorLibInit, &fakeFloorLibInit);
  ASSERT_TRUE(app.InitInstance());
  EXPECT_EQ(std::tuple(app.floorsDataPath, app.settingsDataPath, app.linesDataPath, app.veziruDataPath, app.iniPath),
            std::tuple(u"C:\\Host\\DAT\\qev_heat_floors.dat", u"C:\\Host\\Dat\\Qev_set.dat", u"C:\\Host\\Dat\\Qev_lin.dat",
                       u"C:\\Host\\Dat\\VEZIRU.dat", u"C:\\Host\\Dat\\QEV.INI"));
  EXPECT_EQ(std::pair(app.hostScale, app.unitFactor), std::pair(2.5, 1.0));
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
  EXPECT_EQ(std::tuple(app.hostFolderPath, app.iniPath, app.hostScale), std::tuple(u"", u"Dat\\QEV.INI", 1.0));
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
  EXPECT_TRUE(app.hostScale == 1.0 && hvGetHostApi() == nullptr);
}

}  // namespace
