#include "host/ini_store.h"

#include <algorithm>
#include <string>

#include "host/SettingsBlocks.h"
#include "host/SettingsNumberText.h"

namespace {

constexpr const WCHAR* kAbsent = u"$EMPTY$";

bool parseWholeInt(std::u16string_view text, std::int32_t& value) {
  return readIntText(text, value) == NumberTextRead::whole;
}

bool parseWholeDouble(std::u16string_view text, double& value) {
  return readDoubleText(text, value) == NumberTextRead::whole;
}

// A number followed by ';' or the end, repeated; nothing after a last ';'.
template <typename Value, typename Read>
bool parseList(std::u16string_view text, std::vector<Value>& values, Read read) {
  std::vector<Value> parsed;
  while (!text.empty()) {
    const std::size_t separator = text.find(u';');
    const std::u16string_view item = text.substr(0, separator);
    Value value{};
    if (read(item, value) != NumberTextRead::whole) return false;
    parsed.push_back(value);
    if (separator == std::u16string_view::npos) break;
    text.remove_prefix(separator + 1);
  }
  values = std::move(parsed);
  return true;
}

template <typename Value, typename Format>
CString joinList(std::span<const Value> values, Format format) {
  CString text;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i) text += u';';
    text += format(values[i]);
  }
  return text;
}

}  // namespace

CString stringArrayKey(LPCWSTR key) { return CString(key) + u"_UNICODE"; }

template <typename Value, typename Parse>
bool ini_store::getScalar(LPCWSTR key, Value& value, Parse parse) {
  if (!key || !*key) return false;
  const auto fromText = [&]() {
    CString text;
    Value parsed{};
    if (!getString(key, text, kAbsent) || !parse(text.view(), parsed)) return false;
    value = parsed;
    return true;
  };
  const auto fromBlock = [&]() {
    std::vector<BYTE> bytes;
    if (!getBinary(key, bytes) || bytes.size() != sizeof(Value)) return false;
    value = valueFromBlock<Value>(bytes.data());
    return true;
  };
  return textMode_ ? (fromText() || fromBlock()) : (fromBlock() || fromText());
}

template <typename Value, typename Parse>
bool ini_store::getArray(LPCWSTR key, std::vector<Value>& values, Parse parse) {
  if (!key || !*key) return false;
  std::vector<BYTE> bytes;
  if (getBinary(key, bytes) && bytes.size() % sizeof(Value) == 0) {
    values = valuesFromBlock<Value>(bytes);
    return true;
  }
  CString text;
  return getString(key, text, kAbsent) && parseList(text.view(), values, parse);
}

bool ini_store::getInt(LPCWSTR key, std::int32_t& value) { return getScalar(key, value, parseWholeInt); }

bool ini_store::writeInt(LPCWSTR key, std::int32_t value) {
  if (textMode_) return writeString(key, formatIntText(value));
  return writeBinary(key, blockOfValues(std::span<const std::int32_t>(&value, 1)));
}

bool ini_store::getIntArray(LPCWSTR key, std::vector<std::int32_t>& values) {
  return getArray(key, values, [](std::u16string_view t, std::int32_t& v) { return readIntText(t, v); });
}

bool ini_store::writeIntArray(LPCWSTR key, std::span<const std::int32_t> values) {
  if (textMode_) return writeString(key, joinList(values, formatIntText));
  return writeBinary(key, blockOfValues(values));
}

bool ini_store::getBool(LPCWSTR key, bool& value) {
  std::int32_t number = value ? 1 : 0;
  if (!getInt(key, number)) return false;
  value = number != 0;
  return true;
}

bool ini_store::writeBool(LPCWSTR key, bool value) { return writeInt(key, value ? 1 : 0); }

bool ini_store::getDouble(LPCWSTR key, double& value) { return getScalar(key, value, parseWholeDouble); }

bool ini_store::writeDouble(LPCWSTR key, double value) {
  if (textMode_) return writeString(key, formatDoubleText(value));
  return writeBinary(key, blockOfValues(std::span<const double>(&value, 1)));
}

bool ini_store::getDoubleArray(LPCWSTR key, std::vector<double>& values) {
  return getArray(key, values, [](std::u16string_view t, double& v) { return readDoubleText(t, v); });
}

bool ini_store::writeDoubleArray(LPCWSTR key, std::span<const double> values) {
  if (textMode_) return writeString(key, joinList(values, formatDoubleText));
  return writeBinary(key, blockOfValues(values));
}

bool ini_store::getStringArray(LPCWSTR key, std::vector<CString>& strings) {
  if (!key || !*key) return false;
  std::vector<BYTE> bytes;
  if (!getBinary(stringArrayKey(key), bytes) || bytes.size() % 2 != 0) return false;
  strings = stringsFromBlock(bytes);
  return true;
}

bool ini_store::writeStringArray(LPCWSTR key, std::span<const CString> strings) {
  if (!key || !*key) return false;
  return writeBinary(stringArrayKey(key), blockOfStrings(strings));
}

bool ini_store::getBinaryInto(LPCWSTR, void*, DWORD&) { return false; }
