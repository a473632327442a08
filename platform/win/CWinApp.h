// The framework's application object. There is one per module; the last one
// constructed is the current application until it is destroyed.
#pragma once

#include "platform/win/WinTypes.h"

#include <string>

class CWnd;

// The name of an application object constructed without one: the framework
// takes the module's file name without its extension.
inline constexpr const WCHAR* HV_DEFAULT_APP_NAME = u"Qev_Heating";

class CWinApp {
 public:
  explicit CWinApp(LPCWSTR appName = nullptr);
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;
  virtual ~CWinApp();

  // TRUE: nothing to initialise in the base.
  virtual BOOL InitInstance();
  virtual int ExitInstance();

  LPCWSTR m_pszAppName;
  CWnd* m_pMainWnd = nullptr;

 private:
  std::u16string appName_;
};

// The current application object, or null.
CWinApp* AfxGetApp();

// The current application's name, or null when there is no application.
LPCWSTR AfxGetAppName();

// The framework's main window: there is none here, so always null.
CWnd* AfxGetMainWnd();
