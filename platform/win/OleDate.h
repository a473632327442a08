// Automation dates: days since 1899-12-30 00:00 as a double, the time of day
// as the fraction. Before that day the fraction still counts forward from
// midnight (-1.25 is 1899-12-29 06:00).
#pragma once

#include "platform/win/Bstr.h"
#include "platform/win/WinTypes.h"

constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_EN_US = 0x0409;
constexpr ULONG VAR_TIMEVALUEONLY = 0x2;
constexpr ULONG VAR_DATEVALUEONLY = 0x4;

// The first and the last day of the valid dates (0100-01-01 and 9999-12-31,
// each at midnight). Times of those days lie beyond them: -657434.5 is noon of
// the first day, 2958465.5 noon of the last.
constexpr DATE HV_DATE_MIN = -657434.0;
constexpr DATE HV_DATE_MAX = 2958465.0;

// Reads a date and time written in English. Accepted, with blanks (any number)
// or commas between the parts:
//   - an optional weekday name ("Tue", "Tuesday");
//   - a month name ("Mar", "March") with a day and a year, in the orders
//     month day year, day month year or year month day, e.g. "Jul 30  2024";
//   - or a numeric date: month/day/year ("7/30/2024") or day.month.year
//     ("30.07.2024");
//   - a time h:mm or h:mm:ss, before or after the date, with optional AM/PM.
// Two-digit years 0-29 are 2000-2029, 30-99 are 1930-1999. A time alone gives
// day 0. Anything else, an impossible day or time, or a date out of range,
// gives DISP_E_TYPEMISMATCH; so do years outside 100-9999. The locale is not
// consulted.
HRESULT VarDateFromStr(LPCOLESTR text, LCID locale, ULONG flags, DATE* result);

// Writes a date as "dd.MM.yyyy HH:mm:ss" (seconds rounded), e.g.
// "30.07.2024 22:02:07". Midnight gives the date alone and day 0 the time alone,
// unless VAR_DATEVALUEONLY or VAR_TIMEVALUEONLY ask for one part. E_INVALIDARG
// for a date not in years 100-9999 or not a number. The caller frees the text.
HRESULT VarBstrFromDate(DATE date, LCID locale, ULONG flags, BSTR* result);
