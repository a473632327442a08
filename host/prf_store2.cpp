#include "host/prf_store2.h"

#include "host/ProfileTextForms.h"
#include "host/ProfileValue.h"
#include "platform/win/Exceptions.h"
#include "platform/win/LastError.h"
#include "platform/win/ProfileFile.h"
#include "platform/win/SystemErrors.h"

int prf_store2::unavailable(storeError* error) const {
  if (error) {
    error->status = storeStatus::failed;
    error->osError = 0;
    error->text.Empty();
  }
  return storeStatus::failed;
}

void prf_store2::reportWriteFailure(LPCWSTR key, DWORD osError, storeError* error) const {
  if (!error) return;
  error->osError = static_cast<LONG>(osError);
  error->status = CFileException::OsErrorToException(static_cast<LONG>(osError));
  error->text = file_ + u"\\" + section_ + u"\\" + CString(key);
}

int prf_store2::readRaw(LPCWSTR key, CString& text, storeError* error) const {
  if (!isAvailable()) return unavailable(error);
  if (!key || !*key) return storeStatus::empty;
  return readProfileValue(file_, section_, key, text) ? storeStatus::ok : storeStatus::empty;
}

int prf_store2::writeRaw(LPCWSTR key, LPCWSTR text, storeError* error) const {
  if (!isAvailable()) return unavailable(error);
  if (!key || !*key || !text) {
    reportWriteFailure(key ? key : u"", ERROR_INVALID_PARAMETER, error);
    return storeStatus::failed;
  }
  if (!WritePrivateProfileStringW(section_, key, text, file_)) {
    reportWriteFailure(key, GetLastError(), error);
    return storeStatus::failed;
  }
  return storeStatus::ok;
}

int prf_store2::getString(LPCWSTR key, CString& text, storeError* error) {
  CString raw;
  const int status = readRaw(key, raw, error);
  if (status != storeStatus::ok) return status;
  text = unescapeProfileText(raw.view());
  return status;
}

int prf_store2::writeString(LPCWSTR key, LPCWSTR text, storeError* error) {
  if (!text) return writeRaw(key, nullptr, error);
  return writeRaw(key, escapeProfileText(text), error);
}

int prf_store2::getBinary(LPCWSTR key, std::vector<BYTE>& bytes, storeError* error) {
  CString raw;
  const int status = readRaw(key, raw, error);
  if (status != storeStatus::ok) return status;
  return decodeCheckedHexBlock(raw.view(), bytes) ? storeStatus::ok : storeStatus::badForm;
}

int prf_store2::writeBinary(LPCWSTR key, std::span<const BYTE> bytes, storeError* error) {
  if (!isAvailable()) return unavailable(error);
  if (bytes.size() > checkedHexBlockMax) {
    reportWriteFailure(key ? key : u"", ERROR_INVALID_PARAMETER, error);
    return storeStatus::failed;
  }
  return writeRaw(key, encodeCheckedHexBlock(bytes), error);
}
