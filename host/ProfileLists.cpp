#include "host/ProfileLists.h"

#include <array>
#include <string>

#include "host/CSplitText.h"
#include "host/ProfileValue.h"
#include "platform/win/ProfileFile.h"
#include "platform/win/StringCompare.h"
#include "platform/win/WideFormat.h"

namespace {

constexpr int kMaxListEntries = 1000;

std::array<const CString*, 3> filesOf(const def_store& files) {
  return {&files.primaryFile(), &files.fallbackFile(), &files.file()};
}

// A list entry or single value: present, not empty, and not overlong.
bool readListValue(const CString& file, LPCWSTR section, LPCWSTR key, CString& value) {
  CString text;
  if (!readProfileValue(file, section, key, text) || text.IsEmpty() || text.GetLength() > iniListValueMax)
    return false;
  value = text;
  return true;
}

CString numberedKey(LPCWSTR format, LPCWSTR prefix, int n) {
  return CString(hvFormat(format, prefix ? prefix : u"", n).value_or(std::u16string()));
}

bool isNone(const CString& text) { return text.CompareNoCase(u"NONE") == 0; }

}  // namespace

int readIniList(const def_store& files, LPCWSTR section, LPCWSTR key, LPCWSTR prefix, DWORD flags,
                const iniListCallback& callback) {
  if (!callback) return 0;
  int calls = 0;
  if (flags & iniListEntries) {
    const CString first = numberedKey(u"%s%d", prefix, 0);
    for (const CString* file : filesOf(files)) {
      CString value;
      if (!readListValue(*file, section, first, value)) continue;
      for (int n = 0; n < kMaxListEntries; ++n) {
        if (n > 0 && !readListValue(*file, section, numberedKey(u"%s%d", prefix, n), value)) break;
        CSplitText fields;
        fields.split(value, u";");
        CString head = fields.IsEmpty() ? CString() : fields[0];
        CString rest;
        for (INT_PTR i = 1; i < fields.GetSize(); ++i) rest += fields[i];
        ++calls;
        if (!callback(head, rest, 1)) break;
      }
      break;
    }
  }
  if (flags & iniListValue) {
    for (const CString* file : filesOf(files)) {
      CString value;
      if (!readListValue(*file, section, key, value)) continue;
      ++calls;
      callback(nullptr, value, 2);
      break;
    }
  }
  return calls;
}

int fillListFromProfile(const def_store& files, LPCWSTR section, LPCWSTR fallbackSection, LPCWSTR prefix,
                        LPCWSTR fallbackPrefix, profileListTarget& target, int count, LPCWSTR fallbackFile) {
  CString file = files.primaryFile();
  LPCWSTR listSection = section;
  LPCWSTR format = u"%s_%d";
  LPCWSTR listPrefix = prefix;
  CString entry;
  if (!readProfileValue(file, section, numberedKey(format, prefix, 0), entry) || isNone(entry)) {
    file = fallbackFile;
    listSection = fallbackSection;
    format = u"%s%d";
    listPrefix = fallbackPrefix;
  }
  int added = 0;
  for (int i = 0; i < count && i < kMaxListEntries; ++i) {
    if (!readProfileValue(file, listSection, numberedKey(format, listPrefix, i), entry) || isNone(entry)) break;
    CSplitText fields;
    if (fields.split(entry, u";") >= 2)
      target.addItem(fields[0], std::make_unique<CString>(fields[1]));
    else
      target.addItem(entry, nullptr);
    ++added;
  }
  return added;
}

int getProfileIntWithFallback(const def_store& files, LPCWSTR section1, LPCWSTR section2, LPCWSTR key1,
                              LPCWSTR key2, int defaultValue) {
  CString text;
  if (readProfileValue(files.primaryFile(), section1, key1, text) && !text.IsEmpty())
    return static_cast<int>(GetPrivateProfileIntW(section1, key1, 0, files.primaryFile()));
  if (!hasProfileNames(files.fallbackFile(), section2, key2)) return defaultValue;
  return static_cast<int>(GetPrivateProfileIntW(section2, key2, defaultValue, files.fallbackFile()));
}

bool getProfileStringWithFallback(const def_store& files, LPCWSTR section1, LPCWSTR section2, LPCWSTR key1,
                                  LPCWSTR key2, LPCWSTR defaultValue, CString& out) {
  CString text;
  if (!readProfileValue(files.primaryFile(), section1, key1, text) || isNone(text)) {
    if (!readProfileValue(files.fallbackFile(), section2, key2, text)) text = defaultValue;
  }
  if (text.IsEmpty()) return false;
  out = text;
  return true;
}

bool writeIniString(const def_store& files, LPCWSTR section, LPCWSTR key, LPCWSTR value) {
  if (!hasProfileNames(files.primaryFile(), section, key)) return false;
  return WritePrivateProfileStringW(section, key, value, files.primaryFile()) != FALSE;
}
