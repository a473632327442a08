#include "host/prf_store.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "host/ProfileTextForms.h"
#include "host/ProfileValue.h"
#include "platform/win/ProfileFile.h"

namespace {

bool isProfileBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f' || c == u'\r'; }

// True when the profile reader would not give `text` back as it is.
bool needsQuotes(std::u16string_view text) {
  if (text.empty()) return false;
  if (isProfileBlank(text.front()) || isProfileBlank(text.back())) return true;
  return text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front();
}

}  // namespace

prf_store::~prf_store() { closeOpened(); }

void prf_store::closeOpened() {
  file_.Empty();
  section_.Empty();
}

void prf_store::close() { closeOpened(); }

bool prf_store::open(LPCWSTR file, LPCWSTR section) {
  closeOpened();
  if (!file || !*file || !section || !*section) return false;
  file_ = file;
  section_ = section;
  return true;
}

bool prf_store::readStringAt(const CString& file, const CString& section, LPCWSTR key, CString& text) {
  return readProfileValue(file, section, key, text);
}

bool prf_store::writeStringAt(const CString& file, const CString& section, LPCWSTR key, LPCWSTR text) {
  if (!hasProfileNames(file, section, key) || !text) return false;
  const std::u16string_view value(text);
  if (needsQuotes(value)) {
    const std::u16string quoted = u"\"" + std::u16string(value) + u"\"";
    return WritePrivateProfileStringW(section, key, quoted.c_str(), file) != FALSE;
  }
  return WritePrivateProfileStringW(section, key, text, file) != FALSE;
}

bool prf_store::readBinaryAt(const CString& file, const CString& section, LPCWSTR key,
                             std::vector<BYTE>& bytes) {
  CString text;
  return readProfileValue(file, section, key, text) && decodeHexBlock(text.view(), bytes);
}

bool prf_store::writeBinaryAt(const CString& file, const CString& section, LPCWSTR key,
                              std::span<const BYTE> bytes) {
  if (bytes.size() > hexBlockMax || !hasProfileNames(file, section, key)) return false;
  return WritePrivateProfileStringW(section, key, encodeHexBlock(bytes), file) != FALSE;
}

bool prf_store::getString(LPCWSTR key, CString& text, LPCWSTR) { return readStringAt(file_, section_, key, text); }

bool prf_store::writeString(LPCWSTR key, LPCWSTR text) { return writeStringAt(file_, section_, key, text); }

bool prf_store::getBinary(LPCWSTR key, std::vector<BYTE>& bytes) {
  return readBinaryAt(file_, section_, key, bytes);
}

bool prf_store::writeBinary(LPCWSTR key, std::span<const BYTE> bytes) {
  return writeBinaryAt(file_, section_, key, bytes);
}

bool prf_store::getBinaryInto(LPCWSTR key, void* buffer, DWORD& size) {
  if (!buffer || size == 0) return false;
  std::vector<BYTE> bytes;
  if (!getBinary(key, bytes)) return false;
  const std::size_t copied = std::min<std::size_t>(size, bytes.size());
  if (copied) std::memcpy(buffer, bytes.data(), copied);
  size = static_cast<DWORD>(copied);
  return true;
}
