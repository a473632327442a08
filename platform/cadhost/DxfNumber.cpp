#include "platform/cadhost/DxfNumber.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace cadhost {

namespace {

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  if (s.size() > 1 && s.front() == '+' && s[1] != '-' && s[1] != '+') s.remove_prefix(1);
  return s;
}

template <typename T>
bool parseFloating(std::string_view text, T& value) {
  text = trimBlanks(text);
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  auto r = std::from_chars(text.data(), end, value);
  return r.ec == std::errc() && r.ptr == end;
}

constexpr long double kDegreesPerRadian = 180.0L / std::numbers::pi_v<long double>;
constexpr long double kRadiansPerDegree = std::numbers::pi_v<long double> / 180.0L;

double degreesToRadians(long double degrees) {
  return static_cast<double>(degrees * kRadiansPerDegree);
}

template <typename T>
void appendChars(std::string& out, T value) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, r.ptr);
}

// Reals keep a decimal point ("0.0", "1000.0"), as CAD programs write them.
template <typename T>
void appendRealChars(std::string& out, T value) {
  const std::size_t start = out.size();
  appendChars(out, value);
  if (out.find_first_of(".eEni", start) == std::string::npos) out += ".0";
}

}  // namespace

bool parseDxfInteger(std::string_view text, std::int64_t& value) {
  text = trimBlanks(text);
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  auto r = std::from_chars(text.data(), end, value);
  if (r.ec == std::errc() && r.ptr == end) return true;
  double d = 0;
  if (!parseFloating(text, d) || !std::isfinite(d) || d != std::floor(d) || std::fabs(d) > 9.2e18) return false;
  value = static_cast<std::int64_t>(d);
  return true;
}

bool parseDxfReal(std::string_view text, double& value) { return parseFloating(text, value); }

bool parseDxfDegrees(std::string_view text, double& radians) {
  long double degrees = 0;
  if (!parseFloating(text, degrees)) return false;
  radians = degreesToRadians(degrees);
  return true;
}

void appendDxfInteger(std::string& out, std::int64_t value) { appendChars(out, value); }

void appendDxfReal(std::string& out, double value) { appendRealChars(out, value); }

void appendDxfDegrees(std::string& out, double radians) {
  if (!std::isfinite(radians)) {
    appendRealChars(out, radians);
    return;
  }
  // The shortest decimal text whose reading gives back exactly these
  // radians: "30.5" stays "30.5". The conversion reads long doubles, which
  // are finer than doubles, so some text always reads back.
  const long double exact = static_cast<long double>(radians) * kDegreesPerRadian;
  char buf[64];
  auto readsBack = [&](const char* end) {
    double back = 0;
    return parseDxfDegrees(std::string_view(buf, static_cast<std::size_t>(end - buf)), back) && back == radians;
  };
  const long double magnitude = std::fabs(exact);
  int precision = magnitude >= 1 ? static_cast<int>(std::floor(std::log10(magnitude))) + 1 : 1;
  for (; precision <= 21; ++precision) {
    auto r = std::to_chars(buf, buf + sizeof buf, exact, std::chars_format::general, precision);
    if (r.ec == std::errc() && readsBack(r.ptr)) {
      const std::size_t start = out.size();
      out.append(buf, r.ptr);
      if (out.find_first_of(".eE", start) == std::string::npos) out += ".0";
      return;
    }
  }
  long double below = exact;
  long double above = exact;
  for (int step = 0; step < 64; ++step) {
    for (long double candidate : {above, below}) {
      auto r = std::to_chars(buf, buf + sizeof buf, candidate);
      if (r.ec == std::errc() && readsBack(r.ptr)) {
        out.append(buf, r.ptr);
        return;
      }
    }
    above = std::nextafter(above, HUGE_VALL);
    below = std::nextafter(below, -HUGE_VALL);
  }
  appendRealChars(out, exact);
}

namespace {
template <typename Char>
std::optional<Handle> parseHandleChars(std::basic_string_view<Char> text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  if (text.empty() || text.size() > 16) return std::nullopt;
  Handle h = 0;
  for (Char c : text) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else return std::nullopt;
    h = (h << 4) | static_cast<Handle>(digit);
  }
  return h;
}
}  // namespace

std::optional<Handle> parseHandle(std::u16string_view text) { return parseHandleChars(text); }
std::optional<Handle> parseHandle(std::string_view text) { return parseHandleChars(text); }

std::u16string handleText(Handle handle) {
  char buf[20];
  auto r = std::to_chars(buf, buf + sizeof buf, handle, 16);
  std::u16string out;
  for (const char* p = buf; p != r.ptr; ++p)
    out += static_cast<char16_t>(*p >= 'a' && *p <= 'f' ? *p - 'a' + 'A' : *p);
  return out;
}

}  // namespace cadhost
