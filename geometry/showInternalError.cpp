#include "geometry/showInternalError.h"

#include "geometry/FailureNotice.h"
#include "platform/win/WideFormat.h"

int showInternalError(LPCWSTR title, LPCWSTR text, int number, LPCWSTR timestamp) {
  std::u16string message = hvFormat(u"%s - %s [ %i ] ( timestamp %s )", title ? title : u"Error",
                                    text ? text : u"", number, timestamp ? timestamp : u"")
                               .value_or(std::u16string());
  return hvDeliverFailureNotice(u"internal error", std::move(message), MB_ICONSTOP, false);
}
