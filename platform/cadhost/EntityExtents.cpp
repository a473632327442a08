#include "platform/cadhost/EntityExtents.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace cadhost {

namespace {

constexpr int kMaxInsertDepth = 8;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Arc extents: the end points and every quarter point the sweep passes.
void addArc(Extents2d& box, double cx, double cy, double r, double start, double sweep) {
  if (!std::isfinite(r) || !std::isfinite(start) || !std::isfinite(sweep)) {
    box.bounded = false;
    return;
  }
  if (r < 0.0) return;
  if (sweep >= kTwoPi) {
    box.add(cx - r, cy - r);
    box.add(cx + r, cy + r);
    return;
  }
  box.add(cx + r * std::cos(start), cy + r * std::sin(start));
  box.add(cx + r * std::cos(start + sweep), cy + r * std::sin(start + sweep));
  const double first = std::ceil(start / (std::numbers::pi / 2));
  for (int k = 0; k < 5; ++k) {
    const double a = (first + k) * (std::numbers::pi / 2);
    if (a > start + sweep) break;
    box.add(cx + r * std::cos(a), cy + r * std::sin(a));
  }
}

void addBulge(Extents2d& box, const Point3& a, const Point3& b, double bulge) {
  box.add(a.x, a.y);
  box.add(b.x, b.y);
  if (!std::isfinite(bulge)) box.bounded = false;
  if (bulge == 0.0 || !std::isfinite(bulge)) return;
  const double chord = std::hypot(b.x - a.x, b.y - a.y);
  if (chord == 0.0) return;
  const double theta = 4.0 * std::atan(bulge);  // signed included angle
  const double r = chord / (2.0 * std::sin(std::fabs(theta) / 2.0));
  // Centre: from the chord's middle along its normal.
  const double mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
  const double d = r * std::cos(theta / 2.0) * (theta > 0 ? 1.0 : -1.0);
  const double nx = -(b.y - a.y) / chord, ny = (b.x - a.x) / chord;
  const double cx = mx + nx * d, cy = my + ny * d;
  double start = std::atan2(a.y - cy, a.x - cx);
  if (theta < 0) start = std::atan2(b.y - cy, b.x - cx);
  addArc(box, cx, cy, std::fabs(r), start, std::fabs(theta));
}

// The extents of a block's live entities in block coordinates, by block
// index and nesting depth. One query measures each block once per depth, so
// that blocks referencing other blocks many times do not multiply the work.
using BlockExtentsCache = std::unordered_map<std::size_t, Extents2d>;

// The extents in the entity's own coordinates (block coordinates for block
// entities); `depth` counts nested block references.
std::optional<Extents2d> listExtents(const Drawing& drawing, const GroupList& list, int depth,
                                     BlockExtentsCache& cache);

// The extents of the live entities of the block that group 2 of `list`
// names, in block coordinates; empty for no such block or below the deepest
// nesting measured.
Extents2d blockExtents(const Drawing& drawing, const GroupList& list, int depth, BlockExtentsCache& cache,
                       std::optional<std::size_t>& block) {
  block = depth < kMaxInsertDepth ? drawing.findBlock(groupText(list, 2)) : std::nullopt;
  if (!block) return {};
  const std::size_t key = *block * (kMaxInsertDepth + 1) + static_cast<std::size_t>(depth);
  auto cached = cache.find(key);
  if (cached == cache.end()) {
    Extents2d measured;
    for (RecordId id : drawing.block(*block).entities)
      if (drawing.isLive(id))
        if (auto e = listExtents(drawing, drawing.record(id).list, depth + 1, cache)) measured.add(*e);
    cached = cache.emplace(key, measured).first;
  }
  return cached->second;
}

Extents2d insertExtents(const Drawing& drawing, const GroupList& list, int depth, BlockExtentsCache& cache) {
  Extents2d box;
  const Group* at = findGroup(list, 10);
  const Point3 p = at ? at->asPoint() : Point3{};
  box.add(p.x, p.y);
  std::optional<std::size_t> block;
  const Extents2d inner = blockExtents(drawing, list, depth, cache, block);
  if (!inner.bounded) box.bounded = false;
  if (inner.empty) return box;
  const GroupList& head = drawing.record(drawing.block(*block).begin).list;
  const Group* baseGroup = findGroup(head, 10);
  const Point3 base = baseGroup ? baseGroup->asPoint() : Point3{};
  const Group* sx = findGroup(list, 41);
  const Group* sy = findGroup(list, 42);
  const Group* rot = findGroup(list, 50);
  const double scaleX = sx ? sx->asReal() : 1.0, scaleY = sy ? sy->asReal() : 1.0;
  const double angle = rot ? rot->asReal() : 0.0;
  const double c = std::cos(angle), s = std::sin(angle);
  for (double x : {inner.minX, inner.maxX})
    for (double y : {inner.minY, inner.maxY}) {
      const double u = (x - base.x) * scaleX, v = (y - base.y) * scaleY;
      box.add(p.x + u * c - v * s, p.y + u * s + v * c);
    }
  return box;
}

std::optional<Extents2d> listExtents(const Drawing& drawing, const GroupList& list, int depth,
                                     BlockExtentsCache& cache) {
  if (list.empty()) return std::nullopt;
  const std::u16string_view type = list.front().asText();
  const Group* extrusion = findGroup(list, 210);
  const bool mirrored = extrusion && extrusion->asPoint().z < 0;
  Extents2d box;
  if (type == u"CIRCLE" || type == u"ARC") {
    const Group* c = findGroup(list, 10);
    const Group* r = findGroup(list, 40);
    if (!c || !r) return std::nullopt;
    double start = 0.0, sweep = kTwoPi;
    if (type == u"ARC") {
      const Group* a = findGroup(list, 50);
      const Group* b = findGroup(list, 51);
      start = a ? a->asReal() : 0.0;
      const double end = b ? b->asReal() : kTwoPi;
      sweep = std::fmod(end - start, kTwoPi);
      if (sweep <= 0) sweep += kTwoPi;
    }
    addArc(box, c->asPoint().x, c->asPoint().y, r->asReal(), start, sweep);
  } else if (type == u"LWPOLYLINE") {
    std::vector<std::pair<Point3, double>> vertices;
    for (const Group& g : list) {
      if (g.code() >= 1000) break;
      if (g.code() == 10) vertices.emplace_back(g.asPoint(), 0.0);
      else if (g.code() == 42 && !vertices.empty()) vertices.back().second = g.asReal();
    }
    const bool closed = (groupInt(list, 70) & 1) != 0;
    for (std::size_t i = 0; i < vertices.size(); ++i) {
      const bool last = i + 1 == vertices.size();
      if (last && !closed) {
        box.add(vertices[i].first.x, vertices[i].first.y);
        break;
      }
      addBulge(box, vertices[i].first, vertices[last ? 0 : i + 1].first, vertices[i].second);
    }
  } else if (type == u"ELLIPSE") {
    const Group* c = findGroup(list, 10);
    const Group* major = findGroup(list, 11);
    const Group* ratio = findGroup(list, 40);
    if (!c || !major || !ratio) return std::nullopt;
    const Group* p0 = findGroup(list, 41);
    const Group* p1 = findGroup(list, 42);
    double t0 = p0 ? p0->asReal() : 0.0, t1 = p1 ? p1->asReal() : kTwoPi;
    if (!(t1 > t0)) t1 += kTwoPi;
    const Point3 m = major->asPoint();
    const double k = ratio->asReal();
    constexpr int kSteps = 64;
    for (int i = 0; i <= kSteps; ++i) {
      const double t = t0 + (t1 - t0) * i / kSteps;
      box.add(c->asPoint().x + m.x * std::cos(t) - k * m.y * std::sin(t),
              c->asPoint().y + m.y * std::cos(t) + k * m.x * std::sin(t));
    }
  } else if (type == u"INSERT") {
    box = insertExtents(drawing, list, depth, cache);
  } else {
    for (const Group& g : list) {
      if (g.code() >= 1000) break;
      if (g.code() >= 10 && g.code() <= 18) box.add(g.asPoint().x, g.asPoint().y);
    }
    // A dimension's block holds what it draws, in world coordinates.
    std::optional<std::size_t> block;
    if (type == u"DIMENSION") box.add(blockExtents(drawing, list, depth, cache, block));
    if (type == u"XLINE" || type == u"RAY") box.bounded = false;
  }
  if (box.empty && box.bounded) return std::nullopt;
  if (mirrored) {
    const double minX = -box.maxX;
    box.maxX = -box.minX;
    box.minX = minX;
  }
  return box;
}

}  // namespace

void Extents2d::add(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) {
    bounded = false;
    return;
  }
  if (empty) {
    minX = maxX = x;
    minY = maxY = y;
    empty = false;
    return;
  }
  minX = std::min(minX, x);
  maxX = std::max(maxX, x);
  minY = std::min(minY, y);
  maxY = std::max(maxY, y);
}

void Extents2d::add(const Extents2d& other) {
  if (!other.bounded) bounded = false;
  if (other.empty) return;
  add(other.minX, other.minY);
  add(other.maxX, other.maxY);
}

std::optional<Extents2d> entityExtents(const Drawing& drawing, RecordId id) {
  if (!drawing.validRecord(id)) return std::nullopt;
  BlockExtentsCache cache;
  return listExtents(drawing, drawing.record(id).list, 0, cache);
}

}  // namespace cadhost
