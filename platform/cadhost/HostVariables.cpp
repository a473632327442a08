#include "platform/cadhost/HostVariables.h"

#include "platform/cadhost/CadHost.h"
#include "platform/cadhost/ResbufLists.h"

namespace cadhost {

namespace {

std::string upperAscii(std::u16string_view name) {
  std::string out;
  for (char16_t c : name) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  }
  return out;
}

std::optional<Group> natural(const CadHost& host, const std::string& name) {
  const Drawing& d = host.drawing();
  const UcsFrame& ucs = host.ucs();
  if (name == "UCSORG") return Group::point(resbufType::point3d, ucs.origin());
  if (name == "UCSXDIR") return Group::point(resbufType::point3d, ucs.xDirection());
  if (name == "UCSYDIR") {
    const Point3& x = ucs.xDirection();
    return Group::point(resbufType::point3d, {-x.y, x.x, 0.0});
  }
  if (name == "DIMSCALE") return Group::real(resbufType::real, d.dimScale());
  const ViewVariables view = d.viewVariables();
  if (name == "VIEWCTR") return Group::point(resbufType::point3d, view.viewCenter);
  if (name == "VIEWDIR") return Group::point(resbufType::point3d, view.viewDirection);
  if (name == "TARGET") return Group::point(resbufType::point3d, view.target);
  if (name == "VIEWSIZE") return Group::real(resbufType::real, view.viewSize);
  if (name == "VIEWTWIST") return Group::real(resbufType::real, view.viewTwist);
  if (name == "SCREENSIZE") return Group::point(resbufType::point2d, {view.screenWidth, view.screenHeight, 0.0});
  if (name == "CLAYER") return Group::text(resbufType::string, d.currentLayer());
  const GroupList* values = d.headerVariable("$" + name);
  if (values == nullptr || values->empty()) return std::nullopt;
  const Group& g = values->front();
  if (g.isPoint()) return Group::point(resbufType::point3d, g.asPoint());
  if (g.isReal()) return Group::real(resbufType::real, g.asReal());
  if (g.isInteger()) {
    const std::int64_t v = g.asInt();
    if (v >= -32768 && v <= 32767) return Group::integer(resbufType::int16, v);
    return Group::integer(resbufType::int32, v);
  }
  if (g.isText()) return Group::text(resbufType::string, g.asText());
  return std::nullopt;
}

}  // namespace

std::optional<Group> variableValue(const CadHost& host, std::u16string_view name, int wantedType) {
  std::optional<Group> value = natural(host, upperAscii(name));
  if (!value || wantedType == 0 || value->code() == wantedType) return value;
  const int have = value->code();
  if (wantedType == resbufType::point2d && (have == resbufType::point3d)) {
    Point3 p = value->asPoint();
    p.z = 0.0;
    return Group::point(resbufType::point2d, p);
  }
  if (wantedType == resbufType::point3d && have == resbufType::point2d) return Group::point(resbufType::point3d, value->asPoint());
  if (wantedType == resbufType::real && (have == resbufType::int16 || have == resbufType::int32))
    return Group::real(resbufType::real, static_cast<double>(value->asInt()));
  if (wantedType == resbufType::int32 && have == resbufType::int16) return Group::integer(resbufType::int32, value->asInt());
  return std::nullopt;
}

resbuf* variableList(const CadHost& host, std::u16string_view name, int wantedType) {
  std::optional<Group> value = variableValue(host, name, wantedType);
  return value ? newResbufList(GroupList{*value}) : nullptr;
}

std::optional<std::u16string> textVariable(const Drawing& drawing, std::u16string_view name) {
  const std::string upper = upperAscii(name);
  if (upper == "CLAYER") return drawing.currentLayer();
  const GroupList* values = drawing.headerVariable("$" + upper);
  if (values == nullptr || values->empty() || !values->front().isText()) return std::nullopt;
  return values->front().asText();
}

}  // namespace cadhost
