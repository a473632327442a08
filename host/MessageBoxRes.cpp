#include "host/MessageBoxRes.h"

#include <optional>
#include <string>

#include "host/CQev_HeatingApp.h"
#include "host/CodePageText.h"
#include "host/HostExport.h"
#include "platform/win/MessageBox.h"

int messageBoxText(const char* caption, const CString& text, UINT flags) {
  const CQev_HeatingApp* app = CQev_HeatingApp::instance();
  // Without a host window the framework's main window would own the box; a
  // module has none, so the box then has no owner.
  const HWND owner = app != nullptr ? hostMainWindow(app->exportTable).value_or(nullptr) : nullptr;
  const std::optional<std::u16string> wideCaption =
      caption != nullptr ? std::optional<std::u16string>(hvMbToWide(caption)) : std::nullopt;
  return MessageBoxW(owner, text.GetString(), wideCaption ? wideCaption->c_str() : nullptr, flags);
}

int messageBoxRes(const char* caption, UINT textId, UINT flags) {
  CString text;
  text.LoadString(textId);
  return messageBoxText(caption, text, flags);
}

int messageBoxResFormat(const char* caption, UINT textId, UINT flags, const char16_t* argument) {
  CString format;
  format.LoadString(textId);
  CString text;
  text.Format(format.GetString(), argument != nullptr ? argument : u"");
  return messageBoxText(caption, text, flags);
}
