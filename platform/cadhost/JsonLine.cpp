#include "platform/cadhost/JsonLine.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/cadhost/Group.h"

namespace cadhost {

void JsonLine::appendString(std::string& out, std::string_view utf8) {
  out.push_back('"');
  for (char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", c);
          out += escape;
        } else {
          out.push_back(ch);
        }
    }
  }
  out.push_back('"');
}

void JsonLine::appendReal(std::string& out, double value) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void JsonLine::key(std::string_view name) {
  if (!body_.empty()) body_.push_back(',');
  appendString(body_, name);
  body_.push_back(':');
}

JsonLine& JsonLine::text(std::string_view name, std::string_view utf8) {
  key(name);
  appendString(body_, utf8);
  return *this;
}

JsonLine& JsonLine::text(std::string_view name, std::u16string_view value) {
  return text(name, utf16ToUtf8(value));
}

JsonLine& JsonLine::integer(std::string_view name, std::int64_t value) {
  key(name);
  body_ += std::to_string(value);
  return *this;
}

JsonLine& JsonLine::real(std::string_view name, double value) {
  key(name);
  appendReal(body_, value);
  return *this;
}

JsonLine& JsonLine::boolean(std::string_view name, bool value) {
  key(name);
  body_ += value ? "true" : "false";
  return *this;
}

JsonLine& JsonLine::null(std::string_view name) {
  key(name);
  body_ += "null";
  return *this;
}

JsonLine& JsonLine::texts(std::string_view name, const std::vector<std::string>& utf8) {
  key(name);
  body_.push_back('[');
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (i) body_.push_back(',');
    appendString(body_, utf8[i]);
  }
  body_.push_back(']');
  return *this;
}

JsonLine& JsonLine::reals(std::string_view name, const std::vector<double>& values) {
  key(name);
  body_.push_back('[');
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i) body_.push_back(',');
    appendReal(body_, values[i]);
  }
  body_.push_back(']');
  return *this;
}

JsonLine& JsonLine::raw(std::string_view name, std::string_view json) {
  key(name);
  body_ += json;
  return *this;
}

}  // namespace cadhost
