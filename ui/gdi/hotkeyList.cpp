#include "ui/gdi/hotkeyList.h"

#include <locale.h>
#include <wctype.h>

namespace {

// The C library's Unicode character tables, independent of the process
// locale; null when the system has none (then only A-Z and a-z map).
locale_t unicodeLocale() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  return locale;
}

}  // namespace

char16_t hotkeyList::otherLetterCase(char16_t ch) {
  if (ch >= 0xD800 && ch <= 0xDFFF) return ch;  // half of a surrogate pair
  const locale_t locale = unicodeLocale();
  if (!locale) {
    if (ch >= u'a' && ch <= u'z') return static_cast<char16_t>(ch - 32);
    if (ch >= u'A' && ch <= u'Z') return static_cast<char16_t>(ch + 32);
    return ch;
  }
  const wint_t unit = static_cast<wint_t>(ch);
  if (!iswalpha_l(unit, locale)) return ch;
  wint_t other = towupper_l(unit, locale);
  if (other == unit) other = towlower_l(unit, locale);
  // A mapping outside the 16-bit range has no single unit.
  return other <= 0xFFFF ? static_cast<char16_t>(other) : ch;
}
