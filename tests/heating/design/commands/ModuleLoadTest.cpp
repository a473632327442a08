// The built module dlopen'ed after fake host modules, as a host loads it. No
// module code is linked here, so every value checked is the module's. Each case
// runs in a child process: a loaded module keeps its state until the end.
#include <dlfcn.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "host/CQev_HeatingApp.h"
#include "host/SiblingModules.h"
#include "platform/ge/XtGeTol.h"
#include "platform/win/StringTable.h"
#include "tests/host/FakeHost.h"
#include "tests/host/SiblingChecks.h"

namespace {

class LoadedModule {
 public:
  LoadedModule() : handle_(dlopen(QEV_HEATING_MODULE, RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ == nullptr) ADD_FAILURE() << dlerror();
  }
  ~LoadedModule() {
    if (handle_ != nullptr) dlclose(handle_);
  }
  bool loaded() const { return handle_ != nullptr; }

  // The module's application object: the current application of the framework.
  CQev_HeatingApp* app() const { return static_cast<CQev_HeatingApp*>(AfxGetApp()); }

  template <class T>
  const T& object(const char* name) const {
    void* address = dlsym(handle_, name);
    if (address == nullptr) throw std::runtime_error(name);
    return *static_cast<const T*>(address);
  }

 private:
  void* handle_;
};

// The child prints its failures to its error stream and ends with code 1.
int runCollectingFailures(const std::function<void()>& body) {
  ::testing::TestPartResultArray results;
  {
    ::testing::ScopedFakeTestPartResultReporter reporter(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ALL_THREADS, &results);
    body();
  }
  int failed = 0;
  for (int i = 0; i < results.size(); ++i) {
    const ::testing::TestPartResult& result = results.GetTestPartResult(i);
    if (!result.failed()) continue;
    ++failed;
    std::fprintf(stderr, "%s:%d: %s\n", result.file_name() ? result.file_name() : "?",
                 result.line_number(), result.message());
  }
  return failed == 0 ? 0 : 1;
}

void inFreshProcess(const std::function<void()>& body) {
  GTEST_FLAG_SET(death_test_style, "fast");
  EXPECT_EXIT(std::exit(runCollectingFailures(body)), ::testing::ExitedWithCode(0), "");
}

TEST(ModuleLoad, StartsUpInAFullHost) {
  inFreshProcess([] {
    FakeHost host;
    LoadedModule module;
    ASSERT_TRUE(module.loaded());
    CQev_HeatingApp* app = module.app();
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->exportTable, &host.table());
    ASSERT_TRUE(app->InitInstance());
    EXPECT_EQ(app->floorsDataPath, u"C:\\Host\\DAT\\qev_heat_floors.dat");
    EXPECT_EQ(app->settingsDataPath, u"C:\\Host\\Dat\\Qev_set.dat");
    EXPECT_EQ(app->linesDataPath, u"C:\\Host\\Dat\\Qev_lin.dat");
    EXPECT_EQ(app->veziruDataPath, u"C:\\Host\\Dat\\VEZIRU.dat");
    EXPECT_EQ(app->iniPath, u"C:\\Host\\Dat\\QEV.INI");
    EXPECT_EQ(app->hostScale, 2.5);
    EXPECT_EQ(app->unitFactor, 1.0);
    EXPECT_EQ(host.productCalls, 1);  // the drawing interface was bound
    EXPECT_TRUE(hvFindString(275));    // the module's string table is registered

    const auto& siblings = module.object<HvSiblingFunctions>("hvSiblings");
    expectFloorLibrary(siblings, true);
    EXPECT_EQ(siblings.maskEdit, &fakeMaskEdit);
    EXPECT_EQ(siblings.formatDescFromMask, &fakeFormatDesc);

    const auto& coarse = module.object<XtGeTol>("fixedTolCoarse");
    EXPECT_EQ(coarse.equalPoint(), 1e-5);
    EXPECT_EQ(coarse.equalVector(), 1e-7);
    const auto& fine = module.object<XtGeTol>("fixedTolFine");
    EXPECT_EQ(fine.equalPoint(), 1e-8);
    EXPECT_EQ(fine.equalVector(), 1e-10);
  });
}

TEST(ModuleLoad, SiblingsAndExportsThatAreMissing) {
  inFreshProcess([] {
    FakeHostOptions options;
    options.floorLibrary = false;
    options.missingSiblingExports = {"FormatDescFromMask"};
    FakeHost host(options);
    LoadedModule module;
    ASSERT_TRUE(module.loaded());
    const auto& siblings = module.object<HvSiblingFunctions>("hvSiblings");
    expectFloorLibrary(siblings, false);
    EXPECT_EQ(siblings.maskEdit, &fakeMaskEdit);
    EXPECT_EQ(siblings.formatDescFromMask, nullptr);
  });
}

TEST(ModuleLoad, WithoutAnyHostModule) {
  inFreshProcess([] {
    FakeHostOptions options;
    options.hostName = nullptr;
    options.hostApi = false;
    options.floorLibrary = options.maskEditor = options.descFormatter = false;
    FakeHost host(options);
    LoadedModule module;
    ASSERT_TRUE(module.loaded());
    CQev_HeatingApp* app = module.app();
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->exportTable, nullptr);
    EXPECT_TRUE(app->InitInstance());
    EXPECT_EQ(app->hostScale, 1.0);
    EXPECT_EQ(app->settingsDataPath, u"Dat\\Qev_set.dat");
    EXPECT_EQ(module.object<HvSiblingFunctions>("hvSiblings").maskEdit, nullptr);
  });
}

TEST(ModuleLoad, HostWithoutProductExportStillStartsUp) {
  inFreshProcess([] {
    FakeHostOptions options;
    options.productKind.reset();
    options.folder = u"D:\\Cad\\";
    FakeHost host(options);
    LoadedModule module;
    ASSERT_TRUE(module.loaded());
    EXPECT_TRUE(module.app()->InitInstance());
    EXPECT_EQ(module.app()->iniPath, u"D:\\Cad\\Dat\\QEV.INI");
    EXPECT_EQ(host.slot6Calls, 0);
  });
}

}  // namespace
