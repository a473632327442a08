// Binding the drawing interface of a fake "DuZivaruReZuz2u.vev" for every
// product kind, and calling it safely when it is not bound.
#include <gtest/gtest.h>

#include <tuple>

#include "host/HvHostApi.h"
#include "platform/win/Modules.h"
#include "tests/host/FakeHost.h"

namespace {

class HvHostApiTest : public ::testing::Test {
 protected:
  void SetUp() override { hvReleaseHostApi(false); }
  void TearDown() override { hvReleaseHostApi(false); }
  static HMODULE vev() { return GetModuleHandleW(hostApiModuleName); }
};

// The slots a host of the product kind gets: 77 to 80 only for kind 1, 81 and
// 82 only for kind 2, every other slot always.
bool expectedBound(unsigned kind, int slot) {
  if (slot >= 77 && slot <= 80) return kind == 1;
  if (slot == 81 || slot == 82) return kind == 2;
  return true;
}

TEST_F(HvHostApiTest, ProductKindsBindExactlyTheirSlots) {
  for (unsigned kind = 0; kind <= 3; ++kind) {
    FakeHostOptions options;
    options.productKind = kind;
    FakeHost host(options);
    ASSERT_EQ(hvInitHostApi(vev()), 1);
    const HvHostApi* api = hvGetHostApi();
    ASSERT_NE(api, nullptr);
    EXPECT_EQ(api->module(), vev());
    EXPECT_EQ(hvHostValues().productKind, kind);
    for (int slot = 1; slot <= hostApiSlotCount; ++slot)
      EXPECT_EQ(api->slot(slot) != nullptr, expectedBound(kind, slot)) << "kind " << kind << " slot " << slot;
    EXPECT_TRUE(api->slot(0) == nullptr && api->slot(90) == nullptr);
    hvReleaseHostApi(false);
  }
}

TEST_F(HvHostApiTest, HostValues) {
  FakeHostOptions options;
  options.hostType.reset();
  FakeHost host(options);
  ASSERT_EQ(hvInitHostApi(vev()), 1);
  const HvHostValues& values = hvHostValues();
  EXPECT_EQ(std::tuple(values.hostType, values.userDataPath, values.userDataPathLocal, values.allUsersPath, values.mainWindow),
            std::tuple(3, u"C:\\Users\\u\\AppData\\Roaming\\Havlen\\", u"C:\\Users\\u\\AppData\\Local\\Havlen\\",
                       u"C:\\ProgramData\\Havlen\\", host.window()));
}

TEST_F(HvHostApiTest, MissingSlotStaysNullAndIsNotCalled) {
  FakeHostOptions options;
  options.missingSlots = {6, 28};
  FakeHost host(options);
  ASSERT_EQ(hvInitHostApi(vev()), 1);
  EXPECT_EQ(hvGetHostApi()->slot(6), nullptr);
  EXPECT_EQ(hvGetHostApi()->slot(7), reinterpret_cast<HostWord>(fakeSlot));
  EXPECT_FALSE(callHostApi<6>(u"DIMSCALE", 5001));
  double width = -1, height = -1;
  EXPECT_FALSE(callHostApi<28>(u"text", u"Standard", 2.5, 1.0, &width, &height));
  EXPECT_EQ(width, -1);
}

TEST_F(HvHostApiTest, WithoutProductExportNothingIsBoundAndEveryCallIsSafe) {
  FakeHostOptions options;
  options.productKind.reset();
  FakeHost host(options);
  EXPECT_EQ(hvInitHostApi(vev()), 0);
  EXPECT_EQ(hvGetHostApi(), nullptr);
  EXPECT_EQ(host.slot6Calls, 0);
  EXPECT_FALSE(callHostApi<6>(u"DIMSCALE", 5001));
  EXPECT_FALSE(callHostApi<41>(nullptr));
  EXPECT_FALSE(callHostApi<72>(u"STYLE", u"Standard"));
  EXPECT_EQ(host.slot6Calls, 0);
}

TEST_F(HvHostApiTest, NullModuleAndASecondInitBindNothing) {
  EXPECT_EQ(hvInitHostApi(nullptr), 0);
  EXPECT_EQ(hvGetHostApi(), nullptr);
  FakeHost host;
  ASSERT_EQ(hvInitHostApi(vev()), 1);
  const HvHostApi* first = hvGetHostApi();
  EXPECT_EQ(host.productCalls, 1);
  EXPECT_EQ(hvInitHostApi(nullptr), 1);
  EXPECT_TRUE(hvGetHostApi() == first && host.productCalls == 1);
  EXPECT_EQ(callHostApi<6>(u"DIMSCALE", 5001), std::optional<resbuf*>(nullptr));
  EXPECT_EQ(host.slot6Calls, 1);
}

TEST_F(HvHostApiTest, ResetWithUnloadFreesTheModule) {
  FakeHost host;
  HMODULE module = LoadLibraryW(u"DuZivaruReZuz2u.vev");  // one reference of our own
  ASSERT_EQ(module, vev());
  const unsigned before = hvModuleReferenceCount(module);
  HvHostApi api;
  ASSERT_EQ(api.bind(module), 1);
  api.reset(true);
  EXPECT_EQ(hvModuleReferenceCount(module), before - 1);
  EXPECT_TRUE(api.module() == nullptr && api.slot(1) == nullptr);
}

}  // namespace
