// One (group code, value) pair of a drawing record. Records, header variables
// and the lists exchanged with the module are ordered vectors of groups.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "platform/cadhost/GroupCodeType.h"

namespace cadhost {

struct Point3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  friend bool operator==(const Point3&, const Point3&) = default;
};

using Bytes = std::vector<std::uint8_t>;

class Group {
 public:
  Group() = default;

  // Texts and handle texts (and codes without a type of their own).
  static Group text(int code, std::u16string value);
  static Group text(int code, std::u16string_view value) { return text(code, std::u16string(value)); }
  static Group integer(int code, std::int64_t value);
  static Group real(int code, double value);
  // `dims` is how many coordinates the file writes (1 to 3); lists always
  // carry three.
  static Group point(int code, Point3 value, int dims = 3);
  static Group binary(int code, Bytes value);

  int code() const { return code_; }
  GroupCodeType type() const { return groupCodeType(code_); }

  bool isText() const { return std::holds_alternative<std::u16string>(value_); }
  bool isInteger() const { return std::holds_alternative<std::int64_t>(value_); }
  bool isReal() const { return std::holds_alternative<double>(value_); }
  bool isPoint() const { return std::holds_alternative<Point3>(value_); }
  bool isBinary() const { return std::holds_alternative<Bytes>(value_); }

  // Each accessor answers an empty value when the group holds another kind.
  const std::u16string& asText() const;
  std::int64_t asInt() const;
  double asReal() const;
  const Point3& asPoint() const;
  const Bytes& asBinary() const;

  std::u16string& mutableText();
  void setText(std::u16string value) { value_ = std::move(value); }
  void setReal(double value) { value_ = value; }
  void setInt(std::int64_t value) { value_ = value; }
  void setPoint(Point3 value) { value_ = value; }

  int dims() const { return dims_; }
  void setDims(int dims) { dims_ = static_cast<std::uint8_t>(dims); }

  // Code and value; the written coordinate count is a detail of the file.
  friend bool operator==(const Group& a, const Group& b) {
    return a.code_ == b.code_ && a.value_ == b.value_;
  }

 private:
  using Value = std::variant<std::u16string, std::int64_t, double, Point3, Bytes>;
  template <typename T>
  Group(int code, T&& value, int dims)
      : code_(static_cast<std::int16_t>(code)),
        dims_(static_cast<std::uint8_t>(dims)),
        value_(std::in_place_type<std::decay_t<T>>, std::forward<T>(value)) {}

  std::int16_t code_ = 0;
  std::uint8_t dims_ = 3;
  Value value_;
};

using GroupList = std::vector<Group>;

// Whether the value is of the kind the code's class asks for.
bool valueFitsCode(const Group& group);

// First group with `code`, or null.
const Group* findGroup(const GroupList& list, int code);
Group* findGroup(GroupList& list, int code);
// Text of the first group with `code`; empty when there is none.
std::u16string_view groupText(const GroupList& list, int code);
// Integer of the first group with `code`, or `fallback`.
std::int64_t groupInt(const GroupList& list, int code, std::int64_t fallback = 0);
// Index of the first extended-data group (code 1000 and above), or size.
std::size_t xdataStart(const GroupList& list);

// ASCII text to UTF-16 (for names and keywords written in code).
std::u16string asciiToUtf16(std::string_view ascii);
// UTF-16 to UTF-8 (messages, logs).
std::string utf16ToUtf8(std::u16string_view text);
// Readable form of a list for messages and test failures.
std::string describeGroups(const GroupList& list);

}  // namespace cadhost
