#include "platform/win/AfxManageState.h"
#include "platform/win/CWinApp.h"
#include "platform/win/Clock.h"
#include "platform/win/Exceptions.h"
#include "platform/win/GdiHandles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class TestApp : public CWinApp {
 public:
  BOOL InitInstance() override { return initialised = CWinApp::InitInstance() != FALSE; }
  bool initialised = false;
};

}  // namespace

TEST(Framework, ApplicationObjectIsCurrentWhileItLives) {
  EXPECT_EQ(AfxGetAppName(), nullptr);  // no application: the reporter says "<unknown application>"
  {
    TestApp app;
    EXPECT_TRUE(static_cast<CWinApp&>(app).InitInstance());
    EXPECT_TRUE(app.initialised);
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(std::u16string(AfxGetAppName()), u"Qev_Heating");
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
  }
  EXPECT_EQ(AfxGetApp(), nullptr);
}

TEST(Framework, GdiHandlesAreCountedUntilDeleted) {
  const std::size_t before = hvLiveGdiObjectCount();
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
  ASSERT_NE(pen, nullptr);
  EXPECT_NE(pen, brush);
  EXPECT_EQ(hvLiveGdiObjectCount(), before + 2);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_FALSE(DeleteObject(nullptr));
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_EQ(hvLiveGdiObjectCount(), before);
}
