#include "platform/cadhost/DimensionBlock.h"

#include <cmath>
#include <cstdio>

#include "platform/cadhost/BlockBuilder.h"
#include "platform/cadhost/SymbolName.h"

namespace cadhost {

namespace {

struct Vec {
  double x = 0.0;
  double y = 0.0;
};
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator*(Vec a, double f) { return {a.x * f, a.y * f}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double length(Vec a) { return std::hypot(a.x, a.y); }
Vec unit(Vec a) {
  const double l = length(a);
  return l > 0.0 ? a * (1.0 / l) : Vec{};
}

Vec pointOf(const GroupList& list, int code) {
  const Group* g = findGroup(list, code);
  return g && g->isPoint() ? Vec{g->asPoint().x, g->asPoint().y} : Vec{};
}

Group text(int code, std::u16string_view value) { return Group::text(code, std::u16string(value)); }

GroupList header(std::u16string_view type) {
  return {text(0, type), text(100, u"AcDbEntity"), text(8, u"0"), Group::integer(62, 0)};
}

GroupList line(Vec from, Vec to) {
  GroupList list = header(u"LINE");
  list.push_back(text(100, u"AcDbLine"));
  list.push_back(Group::point(10, {from.x, from.y, 0.0}));
  list.push_back(Group::point(11, {to.x, to.y, 0.0}));
  return list;
}

// The measurement as a text: at most four decimals, no trailing zeros.
std::u16string measurementText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.4f", value);
  std::string s(buffer);
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return asciiToUtf16(s);
}

bool isTextGroup(const Group* g, int code, std::u16string_view value) {
  return g && g->code() == code && g->isText() && sameSymbolName(g->asText(), value);
}

// The value of a variable in the "ACAD" DSTYLE section of a list: the
// section holds pairs of (1070 variable) and the value.
const Group* overrideOf(const GroupList& list, int variable) {
  std::size_t i = xdataStart(list);
  while (i < list.size() && !isTextGroup(&list[i], 1001, u"ACAD")) ++i;
  for (++i; i < list.size() && !isTextGroup(&list[i], 1002, u"{"); ++i)
    if (list[i].code() == 1001) return nullptr;
  for (++i; i + 1 < list.size() && list[i].code() == 1070; i += 2)
    if (list[i].asInt() == variable) return &list[i + 1];
  return nullptr;
}

}  // namespace

double DimensionBlock::sizeOf(const GroupList& dimension, int variable, double fallback) const {
  if (const Group* g = overrideOf(dimension, variable); g && g->isReal() && std::isfinite(g->asReal()))
    return g->asReal();
  const RecordId style = d_.findTableRecord(u"DIMSTYLE", groupText(dimension, 3));
  if (style != kNoRecord)
    if (const Group* g = findGroup(d_.record(style).list, variable); g && g->isReal() && std::isfinite(g->asReal()))
      return g->asReal();
  return fallback;
}

std::vector<GroupList> DimensionBlock::geometry(const GroupList& dimension) const {
  std::vector<GroupList> entities;
  const int kind = static_cast<int>(groupInt(dimension, 70, 0)) & 7;
  if (kind != 0 && kind != 1) return entities;
  const Vec onLine = pointOf(dimension, 10), d1 = pointOf(dimension, 13), d2 = pointOf(dimension, 14);
  const Group* angle = findGroup(dimension, 50);
  const double rotation = angle && angle->isReal() ? angle->asReal() : 0.0;
  const Vec u = kind == 1 ? unit(d2 - d1) : Vec{std::cos(rotation), std::sin(rotation)};
  if (length(u) == 0.0) return entities;
  double scale = sizeOf(dimension, 40, d_.dimScale());
  if (!(scale > 0.0)) scale = 1.0;
  const double exo = sizeOf(dimension, 42, 0.625) * scale, exe = sizeOf(dimension, 44, 1.25) * scale;
  const double height = sizeOf(dimension, 140, 2.5) * scale, gap = sizeOf(dimension, 147, 0.625) * scale;

  const Vec a1 = onLine + u * dot(d1 - onLine, u), a2 = onLine + u * dot(d2 - onLine, u);
  for (const auto& [from, to] : {std::pair{d1, a1}, std::pair{d2, a2}}) {
    const Vec along = to - from;
    if (length(along) <= exo) continue;
    const Vec e = unit(along);
    entities.push_back(line(from + e * exo, to + e * exe));
  }
  if (length(a2 - a1) > 0.0) entities.push_back(line(a1, a2));

  std::u16string label(groupText(dimension, 1));
  const std::u16string measured = measurementText(std::fabs(dot(d2 - d1, u)));
  if (label.empty()) label = measured;
  if (const std::size_t at = label.find(u"<>"); at != std::u16string::npos) label.replace(at, 2, measured);
  const Vec side = Vec{-u.y, u.x};
  const Vec middle = (a1 + a2) * 0.5 + side * gap;
  GroupList mtext = header(u"MTEXT");
  mtext.push_back(text(100, u"AcDbMText"));
  mtext.push_back(Group::point(10, {middle.x, middle.y, 0.0}));
  mtext.push_back(Group::real(40, height > 0.0 ? height : 2.5));
  mtext.push_back(Group::integer(71, 8));
  mtext.push_back(Group::integer(72, 1));
  mtext.push_back(text(1, label));
  mtext.push_back(text(7, u"Standard"));
  mtext.push_back(Group::point(11, {u.x, u.y, 0.0}));
  entities.push_back(std::move(mtext));
  return entities;
}

bool DimensionBlock::attach(GroupList& list, const GroupList* previous) {
  if (list.empty() || list.front().asText() != u"DIMENSION" || !groupText(list, 2).empty()) return true;
  std::u16string name = u"*D";
  bool redefine = false;
  if (previous != nullptr) {
    const std::u16string_view old = groupText(*previous, 2);
    if (old.size() > 2 && (old[1] == u'D' || old[1] == u'd') && old[0] == u'*' && d_.findBlock(old)) {
      name = std::u16string(old);
      redefine = true;
    }
  }
  name = d_.blockBuilder().defineWhole(name, redefine, {0.0, 0.0, 0.0}, geometry(list));
  if (name.empty()) return false;
  std::size_t at = 1;
  while (at < list.size() && !isTextGroup(&list[at], 100, u"AcDbDimension")) ++at;
  at = at < list.size() ? at + 1 : std::min(list.size(), xdataStart(list));
  if (Group* old = findGroup(list, 2)) *old = text(2, name);
  else list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), text(2, name));
  return true;
}

}  // namespace cadhost
