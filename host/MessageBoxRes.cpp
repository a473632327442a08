#include "host/MessageBoxRes.h"

#include <optional>
#include <string>

#include "host/CQev_HeatingApp.h"
#include "host/CodePageText.h"
#include "host/HostExport.h"
#include "platform/win/MessageBox.h"

int messageBoxRes(const char* caption, UINT textId, UINT flags) {
  CString text;
  text.LoadString(textId);
  const CQev_HeatingApp* app = CQev_HeatingApp::instance();
  // Without a host window the framework's main window would own the box; a
  // module has none, so the box then has no owner.
  const HWND owner = app != nullptr ? hostMainWindow(app->exportTable).value_or(nullptr) : nullptr;
  const std::optional<std::u16string> wideCaption =
      caption != nullptr ? std::optional<std::u16string>(hvMbToWide(caption)) : std::nullopt;
  return MessageBoxW(owner, text.GetString(), wideCaption ? wideCaption->c_str() : nullptr, flags);
}
