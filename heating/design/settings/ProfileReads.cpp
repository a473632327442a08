#include "heating/design/settings/ProfileReads.h"

#include <cmath>

bool readFiniteDouble(ini_store2& store, LPCWSTR key, double& value) {
  double read = 0.0;
  if (store.getDouble(key, read) != storeStatus::ok || !std::isfinite(read)) return false;
  value = read;
  return true;
}

bool readPositiveDouble(ini_store2& store, LPCWSTR key, double& value) {
  double read = 0.0;
  if (!readFiniteDouble(store, key, read) || read <= 0.0) return false;
  value = read;
  return true;
}

bool readIndexBelow(ini_store2& store, LPCWSTR key, std::uint32_t count, std::uint32_t& value) {
  std::int32_t read = 0;
  if (store.getInt(key, read) != storeStatus::ok || read < 0 || static_cast<std::uint32_t>(read) >= count)
    return false;
  value = static_cast<std::uint32_t>(read);
  return true;
}

bool readFlag(ini_store2& store, LPCWSTR key, std::uint8_t& value) {
  std::int32_t read = 0;
  if (store.getInt(key, read) != storeStatus::ok) return false;
  value = read != 0 ? 1 : 0;
  return true;
}

bool readText(ini_store2& store, LPCWSTR key, CString& value) {
  CString read;
  if (store.getString(key, read) != storeStatus::ok) return false;
  value = read;
  return true;
}
