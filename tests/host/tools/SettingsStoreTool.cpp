// Drives the settings stores from a script so that an independent reader can
// check the files they write, and the stores can read files others wrote.
//
// Commands on standard input, one per line, fields separated by tabs; texts
// travel as hexadecimal UTF-8, doubles as hexadecimal floating point:
//   open <prf|prf2|def> <file> <section> <text mode 0|1>
//   put <kind> <key> <value>       -> "ok" or "fail"
//   get <kind> <key>               -> "ok <value>" or "fail"
// Kinds: str, int, dbl, bin (hex bytes), strs (texts joined by ','; an
// empty list is "-").
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

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(line);
  while (std::getline(in, part, '\t')) parts.push_back(part);
  if (!line.empty() && line.back() == '\t') parts.emplace_back();
  return parts;
}

std::string unhex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

std::string tohex(const std::string& bytes) {
  std::string hex;
  for (const unsigned char b : bytes) {
    hex += "0123456789abcdef"[b >> 4];
    hex += "0123456789abcdef"[b & 15];
  }
  return hex;
}

CString textOf(const std::string& hex) { return CString(hvUtf8ToWide(unhex(hex))); }
std::string hexOf(const CString& text) { return tohex(hvWideToUtf8(text.view())); }

std::vector<BYTE> bytesOf(const std::string& hex) {
  const std::string b = unhex(hex);
  return {b.begin(), b.end()};
}

std::string hexOf(const std::vector<BYTE>& bytes) { return bytes.empty() ? "-" : tohex({bytes.begin(), bytes.end()}); }

std::vector<CString> listOf(const std::string& list) {
  std::vector<CString> strings;
  std::istringstream in(list == "-" ? "" : list);
  for (std::string item; std::getline(in, item, ',');) strings.push_back(textOf(item));
  if (!list.empty() && list.back() == ',') strings.emplace_back();
  return strings;
}

std::string hexOfList(const std::vector<CString>& strings) {
  std::string out;
  bool none = true;
  for (const CString& s : strings) {
    out += (none ? "" : ",") + hexOf(s);
    none = false;
  }
  return none ? "-" : out;
}

std::string doubleText(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%a", v);
  return buffer;
}

std::unique_ptr<prf_store> first;
std::unique_ptr<prf_store2> second;

bool put(const std::string& kind, const CString& key, const std::string& v) {
  const double d = std::strtod(v.c_str(), nullptr);
  if (first) {
    if (kind == "str") return first->writeString(key, textOf(v));
    if (kind == "int") return first->writeInt(key, std::stoi(v));
    if (kind == "dbl") return first->writeDouble(key, d);
    if (kind == "bin") return first->writeBinary(key, bytesOf(v));
    return kind == "strs" && first->writeStringArray(key, listOf(v));
  }
  CStringArray strings;
  for (const CString& s : listOf(v)) strings.Add(s);
  const int status = kind == "str"    ? second->writeString(key, textOf(v))
                     : kind == "int"  ? second->writeInt(key, std::stoi(v))
                     : kind == "dbl"  ? second->writeDouble(key, d)
                     : kind == "bin"  ? second->writeBinary(key, bytesOf(v))
                     : kind == "strs" ? second->writeStringArray(key, strings)
                                      : storeStatus::failed;
  return status == storeStatus::ok;
}

// Reads first, then formats what was read.
std::string get(const std::string& kind, const CString& key) {
  const auto ok2 = [](int status) { return status == storeStatus::ok; };
  CString text;
  std::int32_t n = 0;
  double d = 0.0;
  std::vector<BYTE> bytes;
  std::vector<CString> strings;
  CStringArray array;
  bool ok = false;
  if (kind == "str") ok = first ? first->getString(key, text) : ok2(second->getString(key, text));
  if (kind == "int") ok = first ? first->getInt(key, n) : ok2(second->getInt(key, n));
  if (kind == "dbl") ok = first ? first->getDouble(key, d) : ok2(second->getDouble(key, d));
  if (kind == "bin") ok = first ? first->getBinary(key, bytes) : ok2(second->getBinary(key, bytes));
  if (kind == "strs") {
    ok = first ? first->getStringArray(key, strings) : ok2(second->getStringArray(key, array));
    strings.insert(strings.end(), array.begin(), array.end());
  }
  if (!ok) return "fail";
  if (kind == "str") return "ok " + hexOf(text);
  if (kind == "int") return "ok " + std::to_string(n);
  if (kind == "dbl") return "ok " + doubleText(d);
  if (kind == "bin") return "ok " + hexOf(bytes);
  return "ok " + hexOfList(strings);
}

}  // namespace

int main() {
  for (std::string line; std::getline(std::cin, line);) {
    const std::vector<std::string> f = fields(line);
    if (f.size() == 5 && f[0] == "open") {
      first.reset();
      second.reset();
      const CString file = textOf(f[2]);
      const CString section = textOf(f[3]);
      if (f[1] == "prf2") {
        second = std::make_unique<prf_store2>(file, section);
        second->setFlags(f[4] == "1" ? ini_store2::textModeFlag : 0);
      } else {
        first = f[1] == "def" ? std::make_unique<def_store>(file, section) : std::make_unique<prf_store>();
        if (f[1] == "prf") first->open(file, section);
        first->setTextMode(f[4] == "1");
      }
      std::cout << "ok\n";
    } else if (f.size() == 4 && f[0] == "put" && (first || second)) {
      std::cout << (put(f[1], textOf(f[2]), f[3]) ? "ok" : "fail") << "\n";
    } else if (f.size() == 3 && f[0] == "get" && (first || second)) {
      std::cout << get(f[1], textOf(f[2])) << "\n";
    } else {
      std::cout << "bad command\n";
    }
  }
  return 0;
}
