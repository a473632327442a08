#include "platform/cadhost/DxfNumber.h"

#include <algorithm>
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

// Reads a number into a T. A text past T's range is read as long double; past
// that, a negative exponent means too small, which reads as zero of its sign
// (only a mantissa of thousands of digits could make that wrong), else too
// large, which is not finite.
template <typename T>
RealReading readFloating(std::string_view text, T& value) {
  T v{};
  const char* end = text.data() + text.size();
  auto r = std::from_chars(text.data(), end, v);
  if (r.ec == std::errc() && r.ptr == end && std::isfinite(v)) {  // the usual case: no blanks, in range
    value = v;
    return RealReading::ok;
  }
  text = trimBlanks(text);
  if (text.empty()) return RealReading::notANumber;
  end = text.data() + text.size();
  r = std::from_chars(text.data(), end, v);
  if (r.ptr != end) return RealReading::notANumber;
  if (r.ec == std::errc::result_out_of_range) {
    long double wide = 0;
    const std::size_t e = text.find_first_of("eE");
    if (std::from_chars(text.data(), end, wide).ec == std::errc()) {
      v = static_cast<T>(wide);
    } else if (e != text.npos && e + 1 < text.size() && text[e + 1] == '-') {
      v = text.front() == '-' ? -T(0) : T(0);
    } else {
      return RealReading::notFinite;
    }
  } else if (r.ec != std::errc()) {
    return RealReading::notANumber;
  }
  if (!std::isfinite(v)) return RealReading::notFinite;
  value = v;
  return RealReading::ok;
}

constexpr long double kDegreesPerRadian = 180.0L / std::numbers::pi_v<long double>;
constexpr long double kRadiansPerDegree = std::numbers::pi_v<long double> / 180.0L;

double degreesToRadians(long double degrees) {
  return static_cast<double>(degrees * kRadiansPerDegree);
}

// Appends the usual form of a number given in scientific notation
// ("-1.2500e+03", "1.25e3": sign, digits, exponent; trailing zeros of the
// digits are dropped): fixed notation for decimal exponents -4 to 15
// ("-1250.0"), else scientific with a signed exponent of two or more digits
// ("1.5e+300", "1e-05"). Fixed notation keeps a
// decimal point and at least one digit after it, as CAD programs write reals.
void appendUsualForm(std::string& out, std::string_view scientific) {
  const std::size_t e = scientific.find('e');
  if (e == std::string_view::npos || e + 1 >= scientific.size()) {  // "nan", "inf": only for messages
    out += scientific;
    return;
  }
  const bool negative = scientific.front() == '-';
  char digits[48];
  std::size_t n = 0;
  for (std::size_t i = negative ? 1 : 0; i < e && n < sizeof digits; ++i)
    if (scientific[i] != '.') digits[n++] = scientific[i];
  while (n > 1 && digits[n - 1] == '0') --n;
  const bool signedExponent = scientific[e + 1] == '-' || scientific[e + 1] == '+';
  int exponent = 0;
  for (std::size_t i = e + (signedExponent ? 2 : 1); i < scientific.size() && exponent < 100000; ++i)
    exponent = exponent * 10 + (scientific[i] - '0');
  if (scientific[e + 1] == '-') exponent = -exponent;
  // Laid out in a buffer and appended at once: this runs for every real.
  char text[96];
  char* at = text;
  if (negative) *at++ = '-';
  if (exponent < -4 || exponent > 15) {
    *at++ = digits[0];
    if (n > 1) {
      *at++ = '.';
      at = std::copy(digits + 1, digits + n, at);
    }
    // The exponent with its sign and at least two digits: "e+300", "e-05".
    *at++ = 'e';
    *at++ = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) *at++ = '0';
    at = std::to_chars(at, text + sizeof text, magnitude).ptr;
    out.append(text, static_cast<std::size_t>(at - text));
    return;
  }
  if (exponent < 0) {
    *at++ = '0';
    *at++ = '.';
    at = std::fill_n(at, -exponent - 1, '0');
    at = std::copy(digits, digits + n, at);
  } else {
    const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
    if (n <= whole) {
      at = std::copy(digits, digits + n, at);
      at = std::fill_n(at, whole - n, '0');
      *at++ = '.';
      *at++ = '0';
    } else {
      at = std::copy(digits, digits + whole, at);
      *at++ = '.';
      at = std::copy(digits + whole, digits + n, at);
    }
  }
  out.append(text, static_cast<std::size_t>(at - text));
}

}  // namespace

bool parseDxfInteger(std::string_view text, std::int64_t& value) {
  text = trimBlanks(text);
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  auto r = std::from_chars(text.data(), end, value);
  if (r.ec == std::errc() && r.ptr == end) return true;
  double d = 0;
  if (readFloating(text, d) != RealReading::ok || d != std::floor(d) || std::fabs(d) > 9.2e18) return false;
  value = static_cast<std::int64_t>(d);
  return true;
}

RealReading readDxfReal(std::string_view text, double& value) { return readFloating(text, value); }

RealReading readDxfDegrees(std::string_view text, double& radians) {
  // Read finer than a double, so that degree texts come back exactly, but
  // only within the double range other programs read.
  long double degrees = 0;
  const RealReading reading = readFloating(text, degrees);
  if (reading != RealReading::ok) return reading;
  if (!std::isfinite(static_cast<double>(degrees))) return RealReading::notFinite;
  radians = degreesToRadians(degrees);
  return RealReading::ok;
}

bool parseDxfReal(std::string_view text, double& value) { return readDxfReal(text, value) == RealReading::ok; }

bool parseDxfDegrees(std::string_view text, double& radians) {
  return readDxfDegrees(text, radians) == RealReading::ok;
}

void appendDxfInteger(std::string& out, std::int64_t value) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, r.ptr);
}

void appendDxfReal(std::string& out, double value) {
  char buf[40];
  auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  appendUsualForm(out, std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
}

void appendDxfDegrees(std::string& out, double radians) {
  if (!std::isfinite(radians)) {
    appendDxfReal(out, radians);
    return;
  }
  // The fewest digits whose reading gives back exactly these radians: "30.5"
  // stays "30.5". The conversion reads long doubles, which are finer than
  // doubles, so 21 digits always read back.
  const long double exact = static_cast<long double>(radians) * kDegreesPerRadian;
  auto readsBack = [&](std::string_view text) {
    double back = 0;
    return parseDxfDegrees(text, back) && back == radians;
  };
  // Among texts of as many digits, the shortest text of the double nearest
  // the degrees comes first: it is what programs that keep degrees in
  // doubles wrote ("33.690067525979785", where the long double rounds to
  // "...784").
  char preferred[40];
  const auto p = std::to_chars(preferred, preferred + sizeof preferred, static_cast<double>(exact),
                               std::chars_format::scientific);
  const std::string_view preferredText(preferred, static_cast<std::size_t>(p.ptr - preferred));
  const std::size_t preferredE = preferredText.find('e');
  const int preferredDigits = preferredE == std::string_view::npos ? 0
                              : static_cast<int>(preferredE) - (preferredText.front() == '-' ? 1 : 0) -
                                    (preferredText.find('.') < preferredE ? 1 : 0);
  // The exact degrees to 21 digits, once; shorter texts are its roundings.
  constexpr int kMostDigits = 21;
  char full[64];
  const auto f = std::to_chars(full, full + sizeof full, exact, std::chars_format::scientific, kMostDigits - 1);
  const std::string_view fullText(full, static_cast<std::size_t>(f.ptr - full));
  const bool negative = fullText.front() == '-';
  char digits[kMostDigits];
  int count = 0;
  for (char c : fullText.substr(0, fullText.find('e')))
    if (c >= '0' && c <= '9' && count < kMostDigits) digits[count++] = c;
  int exponent = 0;
  std::string_view e = fullText.substr(fullText.find('e') + 1);
  if (!e.empty() && e.front() == '+') e.remove_prefix(1);
  std::from_chars(e.data(), e.data() + e.size(), exponent);
  char candidate[64];
  const long double magnitude = std::fabs(exact);
  for (int precision = magnitude >= 1 ? static_cast<int>(std::floor(std::log10(magnitude))) + 1 : 1;
       precision <= count; ++precision) {
    if (precision == preferredDigits && readsBack(preferredText)) return appendUsualForm(out, preferredText);
    // The digits rounded to `precision` places, half up.
    char rounded[kMostDigits + 1];
    std::copy(digits, digits + precision, rounded + 1);
    rounded[0] = '0';
    if (precision < count && digits[precision] >= '5') {
      int i = precision;
      while (rounded[i] == '9') rounded[i--] = '0';
      ++rounded[i];
    }
    const bool carried = rounded[0] != '0';
    char* at = candidate;
    if (negative) *at++ = '-';
    *at++ = rounded[carried ? 0 : 1];
    *at++ = '.';
    at = std::copy(rounded + (carried ? 1 : 2), rounded + precision + 1, at);
    *at++ = 'e';
    at = std::to_chars(at, candidate + sizeof candidate, exponent + (carried ? 1 : 0)).ptr;
    const std::string_view text(candidate, static_cast<std::size_t>(at - candidate));
    if (readsBack(text)) return appendUsualForm(out, text);
  }
  // Not reached: 21 digits name the long double exactly, and it reads back.
  appendUsualForm(out, fullText);
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
