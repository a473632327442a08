#include "platform/win/CWinApp.h"

#include <atomic>

namespace {
std::atomic<CWinApp*> g_currentApp{nullptr};
}

CWinApp::CWinApp(LPCWSTR appName) : appName_(appName != nullptr ? appName : HV_DEFAULT_APP_NAME) {
  m_pszAppName = appName_.c_str();
  g_currentApp.store(this);
}

CWinApp::~CWinApp() {
  CWinApp* self = this;
  g_currentApp.compare_exchange_strong(self, nullptr);
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

CWinApp* AfxGetApp() { return g_currentApp.load(); }

LPCWSTR AfxGetAppName() {
  const CWinApp* app = AfxGetApp();
  return app != nullptr ? app->m_pszAppName : nullptr;
}

CWnd* AfxGetMainWnd() { return nullptr; }
