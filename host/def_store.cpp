#include "host/def_store.h"

#include <string_view>

def_store::def_store(LPCWSTR primaryFile, LPCWSTR primarySection, LPCWSTR fallbackFile, LPCWSTR fallbackSection)
    : primaryFile_(primaryFile),
      primarySection_(primarySection),
      fallbackFile_(fallbackFile),
      fallbackSection_(fallbackSection) {}

def_store::~def_store() = default;

void def_store::clearPairs() {
  primaryFile_.Empty();
  primarySection_.Empty();
  fallbackFile_.Empty();
  fallbackSection_.Empty();
}

void def_store::setPaths(LPCWSTR primaryFile, LPCWSTR fallbackFile, LPCWSTR section) {
  clearPairs();
  primaryFile_ = primaryFile;
  primarySection_ = section;
  fallbackFile_ = fallbackFile;
  fallbackSection_ = section;
}

void def_store::close() {
  clearPairs();
  closeOpened();
}

bool def_store::getString(LPCWSTR key, CString& text, LPCWSTR defaultValue) {
  if (!key || !*key) return false;
  if (readStringAt(primaryFile_, primarySection_, key, text)) return true;
  if (readStringAt(fallbackFile_, fallbackSection_, key, text)) return true;
  if (!defaultValue || std::u16string_view(defaultValue) == u"$EMPTY$") return false;
  text = defaultValue;
  return true;
}

bool def_store::writeString(LPCWSTR key, LPCWSTR text) {
  return writeStringAt(primaryFile_, primarySection_, key, text);
}

bool def_store::getBinary(LPCWSTR key, std::vector<BYTE>& bytes) {
  return readBinaryAt(primaryFile_, primarySection_, key, bytes) || readBinaryAt(file(), section(), key, bytes);
}

bool def_store::writeBinary(LPCWSTR key, std::span<const BYTE> bytes) {
  return writeBinaryAt(primaryFile_, primarySection_, key, bytes) || writeBinaryAt(file(), section(), key, bytes);
}
