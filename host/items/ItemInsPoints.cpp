#include "host/items/ItemInsPoints.h"

#include <cmath>
#include <string_view>
#include <vector>

#include "host/ResbufBuilder.h"
#include "host/XdataAppNames.h"
#include "platform/win/StringCompare.h"

namespace {

constexpr int kAppGroup = 1001;
constexpr int kPointGroup = 1010;
constexpr double kZeroTolerance = 1e-10;

const resbuf* findInsPointApp(const resbuf* list) {
  for (const resbuf* node = list; node; node = node->next)
    if (node->code == kAppGroup && node->value.str &&
        hvCompareNoCaseLetters(std::u16string_view(node->value.str), qevInsPointAppName) == 0)
      return node;
  return nullptr;
}

// The entity's own group `code`, before its extended data.
const resbuf* entityGroup(const resbuf* list, int code) {
  for (const resbuf* node = list; node && node->code != -3 && node->code != kAppGroup; node = node->next)
    if (node->code == code) return node;
  return nullptr;
}

bool isZeroPoint(const double* p) {
  return std::fabs(p[0]) <= kZeroTolerance && std::fabs(p[1]) <= kZeroTolerance && std::fabs(p[2]) <= kZeroTolerance;
}

// The first 1010 of the block's pairs (after the optional 1070).
const resbuf* firstPair(const resbuf* app) {
  const resbuf* node = app->next;
  if (node && node->code == 1070) node = node->next;
  return node;
}

bool isPair(const resbuf* node) {
  return node && node->code == kPointGroup && node->next && node->next->code == kPointGroup;
}

XtGeVector3d turned(const XtGeVector3d& v, double angle) {
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  return {v.x * c - v.y * s, v.x * s + v.y * c, v.z};
}

}  // namespace

bool readInsPointXdata(const resbuf* list, std::int16_t* value, int* index, XtGePoint3d* point,
                       XtGeVector3d* direction, XtGeVector3d* normal) {
  const resbuf* at = entityGroup(list, 10);
  if (point && !at) return false;
  const resbuf* app = findInsPointApp(list);
  if (!app) return false;

  const resbuf* rotation = entityGroup(list, 50);
  XtGeVector3d dir = turned({1.0, 0.0, 0.0}, rotation ? rotation->value.real : 0.0);
  int pairIndex = 0;
  int i = 0;
  for (const resbuf* node = firstPair(app); isPair(node); node = node->next->next, ++i) {
    if (!isZeroPoint(node->value.point)) continue;
    const double* d = node->next->value.point;
    pairIndex = i;
    dir = turned(dir, std::atan2(d[1], d[0]));
    break;
  }
  if (value) *value = app->next && app->next->code == 1070 ? app->next->value.i16 : std::int16_t{0};
  if (index) *index = pairIndex;
  if (point) *point = {at->value.point[0], at->value.point[1], at->value.point[2]};
  if (direction) *direction = dir;
  if (normal) {
    const resbuf* n = entityGroup(list, 210);
    *normal = n ? XtGeVector3d(n->value.point[0], n->value.point[1], n->value.point[2]) : XtGeVector3d(0.0, 0.0, 1.0);
  }
  return true;
}

resbuf* writeInsPointXdata(std::span<const XtGePoint2d> points, std::span<const XtGeVector2d> directions,
                           std::int16_t value, const XtGePoint2d& base) {
  if (points.size() != directions.size()) return nullptr;
  std::vector<ResbufPair> pairs;
  pairs.reserve(2 + 2 * points.size());
  pairs.push_back({kAppGroup, qevInsPointAppName});
  pairs.push_back({1070, value});
  for (std::size_t i = 0; i < points.size(); ++i) {
    const XtGeVector2d offset = points[i] - base;
    const XtGeVector2d tip = offset + directions[i];
    pairs.push_back({kPointGroup, std::array<double, 3>{offset.x, offset.y, 0.0}});
    pairs.push_back({kPointGroup, std::array<double, 3>{tip.x, tip.y, 0.0}});
  }
  return buildResbufList(pairs);
}

bool readInsPointVectors(XtGePoint2dArray& points, XtGeVector2dArray& vectors, const resbuf* list,
                         const XtGeMatrix2d* transform) {
  const resbuf* app = findInsPointApp(list);
  if (!app) return false;
  for (const resbuf* node = firstPair(app); isPair(node); node = node->next->next) {
    XtGePoint2d first(node->value.point[0], node->value.point[1]);
    XtGePoint2d second(node->next->value.point[0], node->next->value.point[1]);
    if (transform) {
      first = *transform * first;
      second = *transform * second;
    }
    points.append(first);
    vectors.append(second - first);
  }
  return true;
}
