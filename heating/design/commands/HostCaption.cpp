#include "heating/design/commands/HostCaption.h"

#include "host/CodePageText.h"
#include "host/HostExport.h"

CString hostCaptionOf(const HostExport2D* host) {
  const auto caption94 = hostWordOf<94>(host);
  if (caption94 == nullptr) return CString(u"ERROR");
  const char* caption = caption94();
  return caption != nullptr ? CString(hvMbToWide(caption)) : CString();
}

CString GetHostCaption() { return hostCaptionOf(getExport2D()); }
