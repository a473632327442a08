// One JSON object on one line, built field by field in the order given. Texts
// are written as UTF-8 with JSON escapes; reals in their shortest exact form
// (null when not finite).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cadhost {

class JsonLine {
 public:
  JsonLine& text(std::string_view key, std::string_view utf8);
  JsonLine& text(std::string_view key, std::u16string_view value);
  JsonLine& integer(std::string_view key, std::int64_t value);
  JsonLine& real(std::string_view key, double value);
  JsonLine& boolean(std::string_view key, bool value);
  JsonLine& null(std::string_view key);
  JsonLine& texts(std::string_view key, const std::vector<std::string>& utf8);
  JsonLine& reals(std::string_view key, const std::vector<double>& values);
  // A value that is JSON already (an object or array built elsewhere).
  JsonLine& raw(std::string_view key, std::string_view json);

  // The object, without a line end.
  std::string str() const { return "{" + body_ + "}"; }

  static void appendString(std::string& out, std::string_view utf8);
  static void appendReal(std::string& out, double value);

 private:
  void key(std::string_view name);
  std::string body_;
};

}  // namespace cadhost
