#include "host/ini_store2.h"

#include <string>

#include "host/SettingsBlocks.h"
#include "host/SettingsNumberText.h"

namespace {

NumberTextRead readInt(std::u16string_view text, std::int32_t& value) { return readIntText(text, value); }

// Doubles typed with a decimal comma read as with a point.
NumberTextRead readDoubleWithComma(std::u16string_view text, double& value) {
  std::u16string copy(text);
  for (char16_t& c : copy)
    if (c == u',') c = u'.';
  return readDoubleText(copy, value);
}

NumberTextRead readDouble(std::u16string_view text, double& value) { return readDoubleText(text, value); }

// The strings of a text whose first character is the separator.
void splitSeparatedText(const CString& text, CStringArray& strings) {
  const std::u16string_view all = text.view();
  const char16_t separator = all.front();
  std::size_t start = 1;
  while (true) {
    const std::size_t end = all.find(separator, start);
    strings.Add(CString(all.substr(start, end == std::u16string_view::npos ? std::u16string_view::npos : end - start)));
    if (end == std::u16string_view::npos) break;
    start = end + 1;
  }
}

}  // namespace

char16_t stringArraySeparator(const CStringArray& strings) {
  const auto unused = [&](char16_t c) {
    for (const CString& s : strings)
      if (s.Find(c) >= 0) return false;
    return true;
  };
  for (const char16_t c : std::u16string_view(u";,|/\\-#"))
    if (unused(c)) return c;
  std::vector<bool> taken(0x10000, false);
  for (const CString& s : strings)
    for (const char16_t c : s.view()) taken[c] = true;
  for (std::size_t c = 1; c < taken.size(); ++c)
    if (!taken[c]) return static_cast<char16_t>(c);
  return 0;
}

int ini_store2::readValue(LPCWSTR key, CString* text, std::vector<BYTE>* bytes, storeError* error) {
  const auto readText = [&] { return getString(key, *text, error); };
  const auto readBytes = [&] { return getBinary(key, *bytes, error); };
  if (text && bytes) {
    const int first = textMode() ? readText() : readBytes();
    if (first == storeStatus::ok) return first;
    return textMode() ? readBytes() : readText();
  }
  if (text) return readText();
  if (bytes) return readBytes();
  return storeStatus::empty;
}

template <typename Value, typename Read>
int ini_store2::getScalar(LPCWSTR key, Value& value, storeError* error, Read read) {
  CString text;
  const int textStatus = getString(key, text, error);
  if (textStatus == storeStatus::failed) return textStatus;
  std::vector<BYTE> bytes;
  const int blockStatus = getBinary(key, bytes, error);

  Value parsed{};
  const NumberTextRead textRead =
      textStatus == storeStatus::ok && !text.IsEmpty() ? read(text.view(), parsed) : NumberTextRead::none;
  const bool textOk = textRead == NumberTextRead::whole;
  const bool blockOk = blockStatus == storeStatus::ok && bytes.size() == sizeof(Value);
  // Both forms can only agree on one text by accident; the mode decides.
  if (textOk && (!blockOk || textMode())) {
    value = parsed;
    return storeStatus::ok;
  }
  if (blockOk) {
    value = valueFromBlock<Value>(bytes.data());
    return storeStatus::ok;
  }
  if (blockStatus == storeStatus::ok) return storeStatus::badForm;  // a block of another size
  if (textStatus != storeStatus::ok || text.IsEmpty()) return storeStatus::empty;
  return textRead == NumberTextRead::partial ? storeStatus::partial : storeStatus::badForm;
}

int ini_store2::getInt(LPCWSTR key, std::int32_t& value, storeError* error) {
  return getScalar(key, value, error, readInt);
}

int ini_store2::writeInt(LPCWSTR key, std::int32_t value, storeError* error) {
  if (textMode()) return writeString(key, formatIntText(value), error);
  return writeBinary(key, blockOfValues(std::span<const std::int32_t>(&value, 1)), error);
}

int ini_store2::getDouble(LPCWSTR key, double& value, storeError* error) {
  return getScalar(key, value, error, readDoubleWithComma);
}

int ini_store2::writeDouble(LPCWSTR key, double value, storeError* error) {
  if (textMode()) return writeString(key, formatDoubleText(value), error);
  return writeBinary(key, blockOfValues(std::span<const double>(&value, 1)), error);
}

int ini_store2::getStringArray(LPCWSTR key, CStringArray& strings, storeError* error) {
  // A decoded block is the value (an empty one is the written empty list).
  const auto fromBlock = [&](int& status) {
    std::vector<BYTE> bytes;
    status = getBinary(key, bytes, error);
    if (status != storeStatus::ok) return false;
    if (bytes.empty() || bytes.size() % 2 != 0) {
      status = bytes.empty() ? storeStatus::empty : storeStatus::badForm;
      return true;
    }
    for (const CString& s : stringsFromBlock(bytes)) strings.Add(s);
    return true;
  };
  const auto fromText = [&](int& status) {
    CString text;
    status = getString(key, text, error);
    if (status != storeStatus::ok) return false;
    if (text.IsEmpty()) {
      status = storeStatus::empty;
      return true;
    }
    splitSeparatedText(text, strings);
    return true;
  };
  int status = storeStatus::empty;
  if (textMode()) {
    if (fromText(status) || status == storeStatus::failed) return status;
    if (fromBlock(status)) return status;
    return storeStatus::empty;
  }
  if (fromBlock(status) || status == storeStatus::failed) return status;
  fromText(status);
  return status;
}

int ini_store2::writeStringArray(LPCWSTR key, const CStringArray& strings, storeError* error) {
  if (!textMode()) {
    return writeBinary(key, blockOfStrings(strings), error);
  }
  const char16_t separator = stringArraySeparator(strings);
  if (separator == 0) return storeStatus::noSeparator;
  CString text;
  for (const CString& s : strings) {
    text += separator;
    text += s;
  }
  return writeString(key, text, error);
}

template <typename Value, typename Read>
int ini_store2::getArray(LPCWSTR key, std::vector<Value>& values, storeError* error, Read read) {
  if (!textMode()) {
    std::vector<BYTE> bytes;
    const int status = readValue(key, nullptr, &bytes, error);
    if (status != storeStatus::ok) return status;
    if (bytes.size() % sizeof(Value) != 0) return storeStatus::badForm;
    values = valuesFromBlock<Value>(bytes);
    return storeStatus::ok;
  }
  CStringArray strings;
  const int status = getStringArray(key, strings, error);
  if (status != storeStatus::ok) return status;
  std::vector<Value> parsed;
  bool leftOver = false;
  for (const CString& s : strings) {
    Value v{};
    const NumberTextRead r = read(s.view(), v);
    if (r == NumberTextRead::none) return storeStatus::badForm;
    leftOver = leftOver || r == NumberTextRead::partial;
    parsed.push_back(v);
  }
  if (leftOver) return storeStatus::partial;
  values = std::move(parsed);
  return storeStatus::ok;
}

int ini_store2::getIntArray(LPCWSTR key, std::vector<std::int32_t>& values, storeError* error) {
  return getArray(key, values, error, readInt);
}

int ini_store2::writeIntArray(LPCWSTR key, std::span<const std::int32_t> values, storeError* error) {
  if (!textMode()) return writeBinary(key, blockOfValues(values), error);
  CStringArray strings;
  for (const std::int32_t v : values) strings.Add(formatIntText(v));
  return writeStringArray(key, strings, error);
}

int ini_store2::getDoubleArray(LPCWSTR key, std::vector<double>& values, storeError* error) {
  return getArray(key, values, error, readDouble);
}

int ini_store2::writeDoubleArray(LPCWSTR key, std::span<const double> values, storeError* error) {
  if (!textMode()) return writeBinary(key, blockOfValues(values), error);
  CStringArray strings;
  for (const double v : values) strings.Add(formatDoubleText(v));
  return writeStringArray(key, strings, error);
}
