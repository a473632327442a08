#include "geometry/nameLookups.h"

#include <array>

#include "platform/win/StringCompare.h"

namespace {

// The index of the first element whose name `nameOf` gives (null: passed
// over) equals `name` by `same`.
template <typename Range, typename NameOf, typename Same>
int findFirst(const Range& range, const char16_t* name, NameOf nameOf, Same same) {
  if (name == nullptr) return -1;
  int index = 0;
  for (const auto& element : range) {
    const auto candidate = nameOf(element);
    if (candidate != nullptr && same(candidate, name)) return index;
    ++index;
  }
  return -1;
}

bool sameAscii(const char16_t* a, const char16_t* b) { return _wcsicmp(a, b) == 0; }
bool sameLetters(const char16_t* a, const char16_t* b) { return lstrcmpiW(a, b) == 0; }

const char16_t* textOf(const std::optional<std::u16string>& text) { return text ? text->c_str() : nullptr; }

}  // namespace

int findNameNoCase(const hvArray<const char16_t*>& names, const char16_t* name) {
  return findFirst(names, name, [](const char16_t* entry) { return entry; }, sameAscii);
}

int findNameNoCase(const CStringArray& names, const char16_t* name) {
  return findFirst(names, name, [](const CString& entry) { return entry.GetString(); }, sameAscii);
}

int findNameRec(const hvObjArray<nameRec>& records, const char16_t* name, bool byText) {
  return findFirst(
      records, name, [byText](const nameRec& r) { return (byText ? r.text : r.name).GetString(); }, sameLetters);
}

int findTextTriple(const hvArray<textTriple*>& records, const char16_t* name, bool byLabel) {
  return findFirst(
      records, name, [](const textTriple* r) { return r; },
      [byLabel](const textTriple* r, const char16_t* wanted) {
        if (r == nullptr) return false;
        if (!byLabel) return r->texts[2] && sameLetters(r->texts[2]->c_str(), wanted);
        const char16_t* second = textOf(r->texts[1]);
        const char16_t* first = textOf(r->texts[0]);
        return (second != nullptr && sameLetters(second, wanted)) || (first != nullptr && sameLetters(first, wanted));
      });
}

int arrowheadIndex(const char16_t* name) {
  static constexpr std::array<const char16_t*, arrowheadCount> names{
      u".",         u"_CLOSEDBLANK", u"_CLOSED",   u"_DOT",      u"_ARCHTICK", u"_OBLIQUE",    u"_OPEN",
      u"_ORIGIN",   u"_ORIGIN2",     u"_OPEN90",   u"_Open30",   u"_DotSmall", u"_DotBlank",   u"_Small",
      u"_BOXBLANK", u"_BOXFILLED",   u"_DATUMBLANK", u"_DATUMFILLED", u"_INTEGRAL", u"_NONE"};
  const int index = findFirst(names, name, [](const char16_t* entry) { return entry; }, sameAscii);
  return index < 0 ? arrowheadCount : index;
}
