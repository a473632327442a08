#include "host/ProfileValue.h"

#include <string>

#include "platform/win/ProfileFile.h"

namespace {

constexpr const WCHAR* kMarker = u"$EMPTY$";

// Reads with `defaultValue`, doubling the buffer from 1024 units while the
// answer fills it. False when the value exceeds hvProfileValueMax.
bool readWithDefault(LPCWSTR file, LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, std::u16string& out) {
  for (DWORD size = 1024; size <= hvProfileValueMax; size *= 2) {
    out.assign(size, u'\0');
    const DWORD n = GetPrivateProfileStringW(section, key, defaultValue, out.data(), size, file);
    if (n < size - 1) {
      out.resize(n);
      return true;
    }
  }
  return false;
}

}  // namespace

bool readProfileValue(LPCWSTR file, LPCWSTR section, LPCWSTR key, CString& value) {
  if (!hasProfileNames(file, section, key)) return false;
  std::u16string text;
  if (!readWithDefault(file, section, key, kMarker, text)) return false;
  if (text == kMarker) {
    // Absent, or a value that is the marker itself: an empty default tells.
    std::u16string again;
    if (!readWithDefault(file, section, key, u"", again) || again != kMarker) return false;
  }
  value = CString(std::move(text));
  return true;
}
