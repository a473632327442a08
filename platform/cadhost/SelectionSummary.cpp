#include "platform/cadhost/SelectionSummary.h"

namespace cadhost {

namespace {

std::string joined(const std::set<std::string>& names) {
  if (names.empty()) return "none";
  std::string out;
  for (const std::string& n : names) out += (out.empty() ? "" : ", ") + n;
  return out;
}

}  // namespace

SelectionSummary SelectionSummary::of(const Drawing& drawing, const std::vector<RecordId>& entities) {
  SelectionSummary s;
  for (RecordId id : entities) {
    if (!drawing.validRecord(id)) continue;
    const GroupList& list = drawing.record(id).list;
    ++s.count;
    const std::string type = utf16ToUtf8(drawing.record(id).type());
    ++s.kinds[type];
    s.layers.insert(utf16ToUtf8(groupText(list, 8)));
    if (type == "INSERT") s.blocks.insert(utf16ToUtf8(groupText(list, 2)));
    for (std::size_t i = xdataStart(list); i < list.size(); ++i)
      if (list[i].code() == 1001) s.applications.insert(utf16ToUtf8(list[i].asText()));
  }
  return s;
}

std::string SelectionSummary::text() const {
  std::string kindsText;
  for (const auto& [kind, n] : kinds) kindsText += (kindsText.empty() ? "" : ", ") + kind + " " + std::to_string(n);
  if (kindsText.empty()) kindsText = "none";
  return "  entities: " + std::to_string(count) + " (" + kindsText + ")\n  layers: " + joined(layers) +
         "\n  blocks: " + joined(blocks) + "\n  extended data: " + joined(applications) + "\n";
}

void SelectionSummary::addTo(JsonLine& line) const {
  std::string kindsJson = "{";
  for (const auto& [kind, n] : kinds) {
    if (kindsJson.size() > 1) kindsJson += ",";
    JsonLine::appendString(kindsJson, kind);
    kindsJson += ":" + std::to_string(n);
  }
  kindsJson += "}";
  line.integer("count", static_cast<std::int64_t>(count))
      .raw("kinds", kindsJson)
      .texts("layers", {layers.begin(), layers.end()})
      .texts("blocks", {blocks.begin(), blocks.end()})
      .texts("applications", {applications.begin(), applications.end()});
}

}  // namespace cadhost
