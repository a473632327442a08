// Printing of automation dates for the shared library's reports.
#pragma once

#include "platform/win/CString.h"
#include "platform/win/OleDate.h"

// Prints `date` with VarBstrFromDate (flags, locale) into `text`. A date
// outside the valid range (HV_DATE_MIN..HV_DATE_MAX) or one that cannot be
// printed gives the empty text and false.
bool formatOleDate(DATE date, CString& text, ULONG flags, LCID locale);
