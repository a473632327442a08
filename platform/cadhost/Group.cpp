#include "platform/cadhost/Group.h"

#include <charconv>

#include "platform/win/Utf8.h"

namespace cadhost {

Group Group::text(int code, std::u16string value) { return Group(code, std::move(value), 3); }
Group Group::integer(int code, std::int64_t value) { return Group(code, value, 3); }
Group Group::real(int code, double value) { return Group(code, value, 3); }
Group Group::point(int code, Point3 value, int dims) { return Group(code, value, dims); }
Group Group::binary(int code, Bytes value) { return Group(code, std::move(value), 3); }

const std::u16string& Group::asText() const {
  static const std::u16string empty;
  const auto* v = std::get_if<std::u16string>(&value_);
  return v ? *v : empty;
}

std::int64_t Group::asInt() const {
  const auto* v = std::get_if<std::int64_t>(&value_);
  return v ? *v : 0;
}

double Group::asReal() const {
  const auto* v = std::get_if<double>(&value_);
  return v ? *v : 0.0;
}

const Point3& Group::asPoint() const {
  static const Point3 origin;
  const auto* v = std::get_if<Point3>(&value_);
  return v ? *v : origin;
}

const Bytes& Group::asBinary() const {
  static const Bytes empty;
  const auto* v = std::get_if<Bytes>(&value_);
  return v ? *v : empty;
}

std::u16string& Group::mutableText() {
  if (!isText()) value_ = std::u16string();
  return std::get<std::u16string>(value_);
}

bool valueFitsCode(const Group& g) {
  switch (g.type().valueClass) {
    case GroupValueClass::Text:
    case GroupValueClass::Handle:
      return g.isText();
    case GroupValueClass::Int16:
    case GroupValueClass::Int32:
    case GroupValueClass::Int64:
    case GroupValueClass::Bool:
      return g.isInteger();
    case GroupValueClass::Real:
      return g.isReal();
    case GroupValueClass::Point:
      return g.isPoint();
    case GroupValueClass::Binary:
      return g.isBinary();
    default:
      return false;
  }
}

const Group* findGroup(const GroupList& list, int code) {
  for (const Group& g : list)
    if (g.code() == code) return &g;
  return nullptr;
}

Group* findGroup(GroupList& list, int code) {
  for (Group& g : list)
    if (g.code() == code) return &g;
  return nullptr;
}

std::u16string_view groupText(const GroupList& list, int code) {
  const Group* g = findGroup(list, code);
  return g ? std::u16string_view(g->asText()) : std::u16string_view();
}

std::int64_t groupInt(const GroupList& list, int code, std::int64_t fallback) {
  const Group* g = findGroup(list, code);
  return g && g->isInteger() ? g->asInt() : fallback;
}

std::size_t xdataStart(const GroupList& list) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].code() >= 1000) return i;
  return list.size();
}

std::u16string asciiToUtf16(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

std::string utf16ToUtf8(std::u16string_view text) { return hvWideToUtf8(text); }

namespace {
void appendNumber(std::string& out, double v) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, r.ptr);
}
}  // namespace

std::string describeGroups(const GroupList& list) {
  std::string out;
  for (const Group& g : list) {
    out += '(' + std::to_string(g.code()) + ' ';
    if (g.isText()) {
      out += '"' + utf16ToUtf8(g.asText()) + '"';
    } else if (g.isInteger()) {
      out += std::to_string(g.asInt());
    } else if (g.isReal()) {
      appendNumber(out, g.asReal());
    } else if (g.isPoint()) {
      appendNumber(out, g.asPoint().x);
      out += ',';
      appendNumber(out, g.asPoint().y);
      out += ',';
      appendNumber(out, g.asPoint().z);
    } else {
      out += '<' + std::to_string(g.asBinary().size()) + " bytes>";
    }
    out += ")";
  }
  return out;
}

}  // namespace cadhost
