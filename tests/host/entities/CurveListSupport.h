// Views of curve entity lists for the builder and reader tests.
#pragma once

#include <array>
#include <vector>

#include "host/ResbufBuilder.h"
#include "host/entities/ownedChain.h"
#include "platform/ge/XtGePoint2d.h"
#include "tests/host/entities/EntityTestLists.h"

inline std::vector<const resbuf*> nodesOf(const resbuf* list, int code) {
  std::vector<const resbuf*> nodes;
  for (; list != nullptr; list = list->next)
    if (list->code == code) nodes.push_back(list);
  return nodes;
}

inline std::vector<double> realsOf(const resbuf* list, int code) {
  std::vector<double> values;
  for (const resbuf* node : nodesOf(list, code)) values.push_back(node->value.real);
  return values;
}

inline std::vector<XtGePoint2d> pointsOf(const resbuf* list, int code) {
  std::vector<XtGePoint2d> points;
  for (const resbuf* node : nodesOf(list, code)) points.emplace_back(node->value.point[0], node->value.point[1]);
  return points;
}

inline std::array<double, 3> xyz(double x, double y, double z = 0.0) { return {x, y, z}; }

// An LWPOLYLINE list of the vertices {x, y, bulge} with count 90 and flags 70.
inline ownedChain lwPolylineList(int count, int flags, const std::vector<std::array<double, 3>>& vertices,
                                 std::vector<ResbufPair> extra = {}) {
  std::vector<ResbufPair> pairs{{0, u"LWPOLYLINE"}, {100, u"AcDbEntity"}, {8, u"0"}, {100, u"AcDbPolyline"},
                                {90, count}, {70, flags}};
  for (const auto& v : vertices) {
    pairs.push_back({10, xyz(v[0], v[1])});
    if (v[2] != 0.0) pairs.push_back({42, v[2]});
  }
  pairs.insert(pairs.end(), extra.begin(), extra.end());
  return ownedChain(buildResbufList(pairs));
}
