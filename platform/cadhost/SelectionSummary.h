// A short description of a set of entities: how many of each kind, and the
// layers, blocks and extended-data applications they use.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/cadhost/Drawing.h"
#include "platform/cadhost/JsonLine.h"

namespace cadhost {

struct SelectionSummary {
  std::size_t count = 0;
  std::map<std::string, std::size_t> kinds;  // entity type -> count
  std::set<std::string> layers;
  std::set<std::string> blocks;              // blocks that INSERTs name
  std::set<std::string> applications;        // extended-data applications

  static SelectionSummary of(const Drawing& drawing, const std::vector<RecordId>& entities);
  // Indented lines for people.
  std::string text() const;
  // The same as fields of a log line.
  void addTo(JsonLine& line) const;
};

}  // namespace cadhost
