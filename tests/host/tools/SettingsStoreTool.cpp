// Drives the settings stores from a script so that an independent reader can
// check the files they write, and the stores can read files others wrote.
//
// Commands on standard input, one per line, fields separated by tabs; texts
// travel as hexadecimal UTF-8, doubles as hexadecimal floating point:
//   open <prf|prf2|def> <file> <section> <text mode 0|1>
//   put <kind> <key> <value>       -> "ok" or "fail"
//   get <kind> <key>               -> "ok <value>" or "fail <status>"
// Kinds: str, int, dbl, bin (hex bytes), strs, ints, dbls (lists joined by
// ','; an empty list is "-").
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "host/def_store.h"
#include "host/prf_store.h"
#include "host/prf_store2.h"
#include "platform/win/Utf8.h"

namespace {

std::vector<std::string> splitAt(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

std::string unhex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

std::string tohex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (const unsigned char b : bytes) {
    hex += digits[b >> 4];
    hex += digits[b & 15];
  }
  return hex;
}

CString textOf(const std::string& hex) { return CString(hvUtf8ToWide(unhex(hex))); }
std::string hexOf(const CString& text) { return tohex(hvWideToUtf8(text.view())); }

std::string doubleText(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%a", v);
  return buffer;
}

std::vector<std::string> items(const std::string& list) {
  if (list == "-") return {};
  return splitAt(list, ',');
}

template <typename T, typename F>
std::string joined(const std::vector<T>& values, F format) {
  if (values.empty()) return "-";
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i) out += (i ? "," : "") + format(values[i]);
  return out;
}

// One store of either family behind the same commands.
struct Store {
  std::unique_ptr<prf_store> first;
  std::unique_ptr<prf_store2> second;

  bool put(const std::string& kind, const CString& key, const std::string& value) {
    if (first) {
      if (kind == "str") return first->writeString(key, textOf(value));
      if (kind == "int") return first->writeInt(key, std::stoi(value));
      if (kind == "dbl") return first->writeDouble(key, std::strtod(value.c_str(), nullptr));
      if (kind == "bin") {
        const std::string b = unhex(value);
        return first->writeBinary(key, std::vector<BYTE>(b.begin(), b.end()));
      }
      if (kind == "strs") {
        std::vector<CString> strings;
        for (const std::string& s : items(value)) strings.push_back(textOf(s));
        return first->writeStringArray(key, strings);
      }
      if (kind == "ints") {
        std::vector<std::int32_t> v;
        for (const std::string& s : items(value)) v.push_back(std::stoi(s));
        return first->writeIntArray(key, v);
      }
      if (kind == "dbls") {
        std::vector<double> v;
        for (const std::string& s : items(value)) v.push_back(std::strtod(s.c_str(), nullptr));
        return first->writeDoubleArray(key, v);
      }
      return false;
    }
    int status = storeStatus::failed;
    if (kind == "str") status = second->writeString(key, textOf(value));
    if (kind == "int") status = second->writeInt(key, std::stoi(value));
    if (kind == "dbl") status = second->writeDouble(key, std::strtod(value.c_str(), nullptr));
    if (kind == "bin") {
      const std::string b = unhex(value);
      status = second->writeBinary(key, std::vector<BYTE>(b.begin(), b.end()));
    }
    if (kind == "strs") {
      CStringArray strings;
      for (const std::string& s : items(value)) strings.Add(textOf(s));
      status = second->writeStringArray(key, strings);
    }
    if (kind == "ints") {
      std::vector<std::int32_t> v;
      for (const std::string& s : items(value)) v.push_back(std::stoi(s));
      status = second->writeIntArray(key, v);
    }
    if (kind == "dbls") {
      std::vector<double> v;
      for (const std::string& s : items(value)) v.push_back(std::strtod(s.c_str(), nullptr));
      status = second->writeDoubleArray(key, v);
    }
    return status == storeStatus::ok;
  }

  // The value, or "fail <status>".
  std::string get(const std::string& kind, const CString& key) {
    const auto answer = [](bool ok, const std::string& value) { return ok ? "ok " + value : std::string("fail 0"); };
    const auto answer2 = [](int status, const std::string& value) {
      return status == storeStatus::ok ? "ok " + value : "fail " + std::to_string(status);
    };
    CString text;
    std::int32_t n = 0;
    double d = 0.0;
    std::vector<BYTE> bytes;
    std::vector<std::int32_t> ints;
    std::vector<double> doubles;
    const auto bytesText = [&] { return bytes.empty() ? std::string("-") : tohex(std::string(bytes.begin(), bytes.end())); };
    if (first) {
      if (kind == "str") { const bool ok = first->getString(key, text); return answer(ok, hexOf(text)); }
      if (kind == "int") { const bool ok = first->getInt(key, n); return answer(ok, std::to_string(n)); }
      if (kind == "dbl") { const bool ok = first->getDouble(key, d); return answer(ok, doubleText(d)); }
      if (kind == "bin") { const bool ok = first->getBinary(key, bytes); return answer(ok, bytesText()); }
      if (kind == "strs") {
        std::vector<CString> strings;
        const bool ok = first->getStringArray(key, strings);
        return answer(ok, joined(strings, hexOf));
      }
      if (kind == "ints") {
        const bool ok = first->getIntArray(key, ints);
        return answer(ok, joined(ints, [](std::int32_t v) { return std::to_string(v); }));
      }
      if (kind == "dbls") { const bool ok = first->getDoubleArray(key, doubles); return answer(ok, joined(doubles, doubleText)); }
      return "fail 0";
    }
    if (kind == "str") { const int s = second->getString(key, text); return answer2(s, hexOf(text)); }
    if (kind == "int") { const int s = second->getInt(key, n); return answer2(s, std::to_string(n)); }
    if (kind == "dbl") { const int s = second->getDouble(key, d); return answer2(s, doubleText(d)); }
    if (kind == "bin") { const int s = second->getBinary(key, bytes); return answer2(s, bytesText()); }
    if (kind == "strs") {
      CStringArray strings;
      const int s = second->getStringArray(key, strings);
      std::vector<CString> list(strings.begin(), strings.end());
      return answer2(s, joined(list, hexOf));
    }
    if (kind == "ints") {
      const int s = second->getIntArray(key, ints);
      return answer2(s, joined(ints, [](std::int32_t v) { return std::to_string(v); }));
    }
    if (kind == "dbls") { const int s = second->getDoubleArray(key, doubles); return answer2(s, joined(doubles, doubleText)); }
    return "fail 3";
  }
};

}  // namespace

int main() {
  Store store;
  std::string line;
  while (std::getline(std::cin, line)) {
    const std::vector<std::string> f = splitAt(line, '\t');
    if (f.empty()) continue;
    if (f[0] == "open" && f.size() == 5) {
      const CString file = textOf(f[2]);
      const CString section = textOf(f[3]);
      store = Store();
      if (f[1] == "prf2") {
        store.second = std::make_unique<prf_store2>(file, section);
        store.second->setFlags(f[4] == "1" ? ini_store2::textModeFlag : 0);
      } else {
        store.first = f[1] == "def" ? std::make_unique<def_store>(file, section) : std::make_unique<prf_store>();
        if (f[1] == "prf") store.first->open(file, section);
        store.first->setTextMode(f[4] == "1");
      }
      std::cout << "ok\n";
    } else if (f[0] == "put" && f.size() == 4 && (store.first || store.second)) {
      std::cout << (store.put(f[1], textOf(f[2]), f[3]) ? "ok" : "fail") << "\n";
    } else if (f[0] == "get" && f.size() == 3 && (store.first || store.second)) {
      std::cout << store.get(f[1], textOf(f[2])) << "\n";
    } else {
      std::cout << "bad command\n";
    }
  }
  return 0;
}
