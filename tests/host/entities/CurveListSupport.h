// Views and makers of curve entity lists for the builder, reader and copy
// tests.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "host/ResbufBuilder.h"
#include "host/entities/ownedChain.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
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

// The first 90 (32 bits) or 70 (16 bits).
inline int intOf(const resbuf* list, int code) {
  const resbuf* node = nodesOf(list, code).at(0);
  return code == 90 ? node->value.i32 : node->value.i16;
}

inline std::array<double, 3> xyz(double x, double y, double z = 0.0) { return {x, y, z}; }

// An LWPOLYLINE list of the vertices {x, y, bulge} with count 90 and flags 70.
inline ownedChain lwPolylineList(int count, int flags, const std::vector<std::array<double, 3>>& vertices,
                                 std::vector<ResbufPair> extra = {}) {
  std::vector<ResbufPair> pairs{{0, u"LWPOLYLINE"}, {100, u"AcDbEntity"}, {100, u"AcDbPolyline"}, {90, count}, {70, flags}};
  for (const auto& v : vertices) {
    pairs.push_back({10, xyz(v[0], v[1])});
    if (v[2] != 0.0) pairs.push_back({42, v[2]});
  }
  pairs.insert(pairs.end(), extra.begin(), extra.end());
  return ownedChain(buildResbufList(pairs));
}

inline XtGeCompositeCurve2d chain(std::initializer_list<XtGeCurve2d*> pieces) {
  std::vector<std::unique_ptr<XtGeCurve2d>> owned(pieces.begin(), pieces.end());
  return XtGeCompositeCurve2d(std::move(owned));
}

inline XtGeCompositeCurve2d polygon(std::initializer_list<XtGePoint2d> corners) {
  std::vector<std::unique_ptr<XtGeCurve2d>> sides;
  for (auto it = corners.begin(); it + 1 != corners.end(); ++it)
    sides.push_back(std::make_unique<XtGeLineSeg2d>(*it, *(it + 1)));
  return XtGeCompositeCurve2d(std::move(sides));
}
