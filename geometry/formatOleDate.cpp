#include "geometry/formatOleDate.h"

bool formatOleDate(DATE date, CString& text, ULONG flags, LCID locale) {
  text.Empty();
  if (!(date >= HV_DATE_MIN && date <= HV_DATE_MAX)) return false;
  BSTR printed = nullptr;
  if (VarBstrFromDate(date, locale, flags, &printed) != S_OK || printed == nullptr) {
    SysFreeString(printed);
    return false;
  }
  text = CString(printed, static_cast<int>(SysStringLen(printed)));
  SysFreeString(printed);
  return !text.IsEmpty();
}
