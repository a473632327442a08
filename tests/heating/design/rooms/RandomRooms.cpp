#include "RandomRooms.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <numbers>

namespace random_rooms {

namespace {

constexpr double kPi = std::numbers::pi;

// splitmix64: small, fast and the same on every platform, so that a seed
// makes the same room everywhere.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double uniform(double a, double b) { return a + (b - a) * static_cast<double>(next() >> 11) * 0x1.0p-53; }
  // A length in whole millimetres, as people type them.
  double mm(double a, double b) { return std::round(uniform(a, b)); }
  int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
  bool chance(double p) { return uniform(0.0, 1.0) < p; }
  double sign() { return chance(0.5) ? 1.0 : -1.0; }

 private:
  std::uint64_t state_;
};

std::string format(const char* pattern, auto... values) {
  char text[256];
  std::snprintf(text, sizeof text, pattern, values...);
  return text;
}

// An outline in the room frame: vertices 0 and 1 are the ends of the wall
// the pipe enters by, on y = 0 (x rising), the room above it, counter-clockwise.
struct Shape {
  std::vector<Vertex> v;
  std::string text;
};

Shape polygon(std::initializer_list<XtGePoint2d> points, std::string text) {
  Shape shape{{}, std::move(text)};
  for (const XtGePoint2d& p : points) shape.v.push_back({p, 0.0});
  return shape;
}

Shape rectangle(Rng& r) {
  const double w = r.mm(2000, 6000), h = r.mm(2000, 6000);
  return polygon({{0, 0}, {w, 0}, {w, h}, {0, h}}, format("rectangle %.0f x %.0f", w, h));
}

// An L: the w x h rectangle less its upper right, upper left or lower right
// corner (then the wall the pipe enters by is the shorter one).
Shape lShape(Rng& r, double w, double h, double cut) {
  const double cw = std::round(w * r.uniform(0.3, cut)), ch = std::round(h * r.uniform(0.3, cut));
  const char* corners[] = {"upper right", "upper left", "lower right"};
  const int corner = r.below(3);
  const std::string text = format("L %.0f x %.0f less its %s %.0f x %.0f", w, h, corners[corner], cw, ch);
  if (corner == 0) return polygon({{0, 0}, {w, 0}, {w, h - ch}, {w - cw, h - ch}, {w - cw, h}, {0, h}}, text);
  if (corner == 1) return polygon({{0, 0}, {w, 0}, {w, h}, {cw, h}, {cw, h - ch}, {0, h - ch}}, text);
  return polygon({{0, 0}, {w - cw, 0}, {w - cw, ch}, {w, ch}, {w, h}, {0, h}}, text);
}

// A U: a notch from the far wall, or from the side wall on the right.
Shape uShape(Rng& r) {
  const double w = r.mm(3000, 7000), h = r.mm(3000, 6000);
  if (r.chance(0.6)) {
    const double width = std::round(std::max(600.0, w * r.uniform(0.15, 0.35)));
    const double a = std::round(r.uniform(0.2 * w, 0.8 * w - width));
    const double c = std::round(h * r.uniform(0.3, 0.65));
    return polygon({{0, 0}, {w, 0}, {w, h}, {a + width, h}, {a + width, c}, {a, c}, {a, h}, {0, h}},
                   format("U %.0f x %.0f, notch x %.0f to %.0f down to y %.0f", w, h, a, a + width, c));
  }
  const double width = std::round(std::max(600.0, h * r.uniform(0.15, 0.35)));
  const double a = std::round(r.uniform(0.25 * h, 0.8 * h - width));
  const double c = std::round(w * r.uniform(0.3, 0.65));
  return polygon({{0, 0}, {w, 0}, {w, a}, {c, a}, {c, a + width}, {w, a + width}, {w, h}, {0, h}},
                 format("U %.0f x %.0f, notch y %.0f to %.0f in to x %.0f", w, h, a, a + width, c));
}

// A T: a bar w x hb and a stem ws x hs; the pipe enters by the stem's end or
// by the bar's long wall.
Shape tShape(Rng& r) {
  const double w = r.mm(4000, 8000), hb = r.mm(1500, 3000), ws = r.mm(1200, 0.5 * w), hs = r.mm(1500, 3500);
  const double a = std::round(r.uniform(0.15 * w, 0.85 * w - ws));
  if (r.chance(0.5))
    return polygon({{a, 0}, {a + ws, 0}, {a + ws, hs}, {w, hs}, {w, hs + hb}, {0, hs + hb}, {0, hs}, {a, hs}},
                   format("T bar %.0f x %.0f on a stem %.0f x %.0f at x %.0f, entered by the stem", w, hb, ws, hs, a));
  return polygon({{0, 0}, {w, 0}, {w, hb}, {a + ws, hb}, {a + ws, hb + hs}, {a, hb + hs}, {a, hb}, {0, hb}},
                 format("T bar %.0f x %.0f under a stem %.0f x %.0f at x %.0f, entered by the bar", w, hb, ws, hs, a));
}

// How far the far end of a side wall leans in (+) or out (-): 5 to 30 degrees in, or out.
double lean(Rng& r, double w, double h) {
  const bool in = r.chance(0.6);
  const double offset = h * std::tan(r.uniform(5, in ? 30 : 25) * kPi / 180);
  return in ? std::min(offset, 0.6 * w) : -offset;
}

Shape slanted(Rng& r) {
  const double w = r.mm(2500, 6000), h = r.mm(2500, 7000);
  switch (r.below(4)) {
    case 0: {
      const double d = std::round(lean(r, w, h));
      return polygon({{0, 0}, {w, 0}, {w, h}, {d, h}}, format("%.0f x %.0f, left wall to (%.0f, %.0f)", w, h, d, h));
    }
    case 1: {
      const double d = std::round(lean(r, w, h));
      return polygon({{0, 0}, {w, 0}, {w - d, h}, {0, h}},
                     format("%.0f x %.0f, right wall to (%.0f, %.0f)", w, h, w - d, h));
    }
    case 2: {
      const double low = std::round(h * r.uniform(0.4, 0.9));
      return r.chance(0.5) ? polygon({{0, 0}, {w, 0}, {w, h}, {0, low}},
                                     format("%.0f wide, far wall from (0, %.0f) to (%.0f, %.0f)", w, low, w, h))
                           : polygon({{0, 0}, {w, 0}, {w, low}, {0, h}},
                                     format("%.0f wide, far wall from (0, %.0f) to (%.0f, %.0f)", w, h, w, low));
    }
    default: {
      const double cw = std::round(w * r.uniform(0.2, 0.6)), ch = std::round(h * r.uniform(0.2, 0.6));
      return r.chance(0.5) ? polygon({{0, 0}, {w, 0}, {w, h - ch}, {w - cw, h}, {0, h}},
                                     format("%.0f x %.0f, upper right corner cut %.0f x %.0f", w, h, cw, ch))
                           : polygon({{0, 0}, {w, 0}, {w, h}, {cw, h}, {0, h - ch}},
                                     format("%.0f x %.0f, upper left corner cut %.0f x %.0f", w, h, cw, ch));
    }
  }
}

Shape twoSlanted(Rng& r) {
  const double w = r.mm(3000, 6500), h = r.mm(2500, 7000);
  switch (r.below(3)) {
    case 0: {
      double left = std::round(lean(r, w, h)), right = std::round(lean(r, w, h));
      if (w - left - right < 0.3 * w) left = right = std::round(0.35 * w);
      return polygon({{0, 0}, {w, 0}, {w - right, h}, {left, h}},
                     format("%.0f x %.0f, side walls to (%.0f, %.0f) and (%.0f, %.0f)", w, h, left, h, w - right, h));
    }
    case 1: {
      const double d = std::round(lean(r, w, h)), low = std::round(h * r.uniform(0.4, 0.9));
      return polygon({{0, 0}, {w, 0}, {w, low}, {d, h}},
                     format("%.0f wide, far wall from (%.0f, %.0f) to (%.0f, %.0f)", w, d, h, w, low));
    }
    default: {
      const double c1 = std::round(w * r.uniform(0.15, 0.4)), c2 = std::round(w * r.uniform(0.15, 0.4));
      const double h1 = std::round(h * r.uniform(0.2, 0.6)), h2 = std::round(h * r.uniform(0.2, 0.6));
      return polygon({{0, 0}, {w, 0}, {w, h - h2}, {w - c2, h}, {c1, h}, {0, h - h1}},
                     format("%.0f x %.0f, upper corners cut %.0f x %.0f and %.0f x %.0f", w, h, c1, h1, c2, h2));
    }
  }
}

// A rectangle with its right, left or far wall an arc, bowed out (up to a
// half circle) or into the room (its sagitta up to a third of the room).
Shape bowed(Rng& r) {
  const double w = r.mm(2500, 6000), h = r.mm(2500, 6000);
  const int wall = r.below(3);
  const double chord = wall == 2 ? w : h, across = wall == 2 ? h : w;
  const bool out = r.chance(0.5);
  double bulge = out ? r.uniform(0.08, 1.0) : -std::min(r.uniform(0.08, 0.45), 0.66 * across / chord);
  bulge = std::round(bulge * 1000) / 1000;
  Shape shape = polygon({{0, 0}, {w, 0}, {w, h}, {0, h}}, "");
  shape.v[wall == 0 ? 1 : wall == 1 ? 3 : 2].bulge = bulge;
  const char* names[] = {"right", "left", "far"};
  shape.text = format("%.0f x %.0f, %s wall bowed %s, bulge %.3f", w, h, names[wall], out ? "out" : "in", bulge);
  return shape;
}

// A rectangle with a jog of 3 to 24 in its right, left or far wall.
Shape jog(Rng& r) {
  const double w = r.mm(2500, 6000), h = r.mm(2500, 6000);
  const double j = r.sign() * r.mm(3, 24);
  const int wall = r.below(3);
  const double at = std::round((wall == 2 ? w : h) * r.uniform(0.2, 0.8));
  const char* names[] = {"right", "left", "far"};
  const std::string text = format("%.0f x %.0f, jog of %.0f in the %s wall at %.0f", w, h, j, names[wall], at);
  if (wall == 0) return polygon({{0, 0}, {w, 0}, {w, at}, {w + j, at}, {w + j, h}, {0, h}}, text);
  if (wall == 1) return polygon({{0, 0}, {w, 0}, {w, h}, {-j, h}, {-j, at}, {0, at}}, text);
  return polygon({{0, 0}, {w, 0}, {w, h}, {at, h}, {at, h + j}, {0, h + j}}, text);
}

// A corridor 600 to 1500 wide, entered by its end or by its long wall; its
// far end square or slanted.
Shape corridor(Rng& r) {
  const double w = r.mm(600, 1500), l = r.mm(3000, 10000);
  const double t = r.chance(0.5) ? 0.0 : std::round(std::min(r.uniform(0.5, 4.0) * w, l - 1500));
  const bool byEnd = r.chance(0.6);
  const bool first = r.chance(0.5);
  const std::string text = format("corridor %.0f wide, %.0f long, entered by its %s, far end %s %.0f", w, l,
                                  byEnd ? "end" : "long wall", t > 0 ? "slanted by" : "square", t);
  if (byEnd)
    return first ? polygon({{0, 0}, {w, 0}, {w, l - t}, {0, l}}, text)
                 : polygon({{0, 0}, {w, 0}, {w, l}, {0, l - t}}, text);
  return first ? polygon({{0, 0}, {l, 0}, {l - t, w}, {0, w}}, text)
               : polygon({{0, 0}, {l - t, 0}, {l, w}, {0, w}}, text);
}

Shape tiny(Rng& r) {
  const double w = r.mm(800, 1800);
  const double h = r.mm(800, std::min(2400.0, 1.95e6 / w));
  if (r.chance(0.7)) return polygon({{0, 0}, {w, 0}, {w, h}, {0, h}}, format("tiny %.0f x %.0f", w, h));
  const double low = std::round(h * r.uniform(0.5, 0.9));
  return polygon({{0, 0}, {w, 0}, {w, low}, {0, h}},
                 format("tiny %.0f wide, far wall from (0, %.0f) to (%.0f, %.0f)", w, h, w, low));
}

Shape hall(Rng& r) {
  const double w = r.mm(7500, 13000);
  if (r.chance(0.5)) {
    const double h = r.mm(61e6 / w, 12000);
    return polygon({{0, 0}, {w, 0}, {w, h}, {0, h}}, format("hall %.0f x %.0f", w, h));
  }
  // Less a corner of at most 0.35 x 0.35 of it, still over 63 m2.
  Shape shape = lShape(r, w, r.mm(std::max(7000.0, 72e6 / w), 13000), 0.35);
  shape.text = "hall " + shape.text;
  return shape;
}


Shape shapeOf(Family family, Rng& r) {
  switch (family) {
    case Family::kRectangle:
      return rectangle(r);
    case Family::kL:
      return lShape(r, r.mm(3000, 7000), r.mm(3000, 7000), 0.7);
    case Family::kU:
      return uShape(r);
    case Family::kT:
      return tShape(r);
    case Family::kSlanted:
      return slanted(r);
    case Family::kTwoSlanted:
      return twoSlanted(r);
    case Family::kBowed:
      return bowed(r);
    case Family::kJog:
      return jog(r);
    case Family::kCorridor:
      return corridor(r);
    case Family::kTiny:
      return tiny(r);
    case Family::kHall:
      return hall(r);
    default:
      break;
  }
  return rectangle(r);
}

// The pipe into the entry wall at x, in the room frame, from the manifold's
// outlet to the wall: square to the wall and `last` long, or with a last
// piece `last` long at `degrees` to the wall's normal after `first`
// straight; and the manifold under its first point, `along` from its base.
void pipeAt(Room& room, double x, double degrees, double last, double first, double along) {
  const XtGePoint2d wall(x, 0);
  if (degrees == 0.0) {
    room.pipe = {{x, -last}, wall};
    room.pipeText = format("square at x %.0f, %.0f long", x, last);
  } else {
    const XtGePoint2d bend(std::round(x - last * std::sin(degrees * kPi / 180)),
                           std::round(-last * std::cos(degrees * kPi / 180)));
    room.pipe = {{bend.x, bend.y - first}, bend, wall};
    room.pipeText = format(
        "at x %.0f, last piece from (%.0f, %.0f) at %.1f deg to the wall's normal, after %.0f "
        "straight",
        x, bend.x, bend.y, degrees, first);
  }
  const XtGePoint2d outlet = room.pipe.front();
  room.manifold.insert = {outlet.x - along, outlet.y - kManifoldDepth};
  room.entry = wall;
  room.inward = {0, 1};
}

// The pipe into the shape's entry wall somewhere from x0 to x1 (kept clear
// of its ends), square or angled, short or long.
void placePipe(Rng& r, Room& room, double x0, double x1) {
  const double d = 1000.0 * room.pipePitch;
  const double margin = std::min(250.0 + 0.5 * d, 0.5 * (x1 - x0));
  const double x = std::round(r.uniform(x0 + margin, x1 - margin));
  const bool longLast = r.chance(0.5);
  if (r.chance(0.5)) {
    const double length = longLast ? r.mm(500, 2500) : r.mm(150, 300);
    pipeAt(room, x, 0.0, length, 0.0, r.mm(100, kManifoldWidth - 100));
    return;
  }
  const double angle = r.sign() * std::round(r.uniform(5, 40) * 10) / 10;
  const double last = longLast ? r.mm(500, 1500) : r.mm(150, 300);
  const double first = r.mm(300, 1500);
  pipeAt(room, x, angle, last, first, r.mm(100, kManifoldWidth - 100));
}

// ---- Families of the walls and borders people get wrong ---------------------------------------

// The free border width of the example host's floor (2.3 / M of its default
// layers and pipe), metres: where the border line lies when it is not fixed.
constexpr double kFreeBorder = 0.163;

// A rectangle with a side wall (or, less often, the far wall) bowed into
// the room by a bulge of 0.02 to 0.3, its sagitta under half the room.
Shape sideBowed(Rng& r) {
  const double w = r.mm(2000, 6000), h = r.mm(2500, 6500);
  const int pick = r.below(5);
  const int wall = pick < 2 ? 0 : pick < 4 ? 1 : 2;  // right, left, far
  const double chord = wall == 2 ? w : h, across = wall == 2 ? h : w;
  const double bulge = -std::round(std::min(r.uniform(0.02, 0.3), 0.9 * across / chord) * 1000) / 1000;
  Shape shape = polygon({{0, 0}, {w, 0}, {w, h}, {0, h}}, "");
  shape.v[wall == 0 ? 1 : wall == 1 ? 3 : 2].bulge = bulge;
  const char* names[] = {"right", "left", "far"};
  shape.text = format("%.0f x %.0f, %s wall bowed in, bulge %.3f", w, h, names[wall], bulge);
  return shape;
}

// A rectangle whose left or right wall slants 3 to 25 degrees in or out
// over the depth; now and then both.
Shape trapezoid(Rng& r) {
  const double w = r.mm(1500, 6000), h = r.mm(2000, 6500);
  const auto slant = [&]() {
    const double d = h * std::tan(r.uniform(3, 25) * kPi / 180);
    return std::round(r.chance(0.5) ? std::min(d, 0.4 * w) : -d);
  };
  const int walls = r.below(5);  // 0, 1: left; 2, 3: right; 4: both
  const double left = walls < 2 || walls == 4 ? slant() : 0.0, right = walls >= 2 ? slant() : 0.0;
  return polygon({{0, 0}, {w, 0}, {w - right, h}, {left, h}},
                 format("trapezoid %.0f x %.0f, far corners at x %.0f and %.0f", w, h, left, w - right));
}

// A T whose stem is 600 to 1500 wide, entered by its bar or by its stem's
// end, or a cross: a stem entered by its end with a bar across it.
Shape stem(Rng& r) {
  const double w = r.mm(2000, 6000), hb = r.mm(1500, 3000), ws = r.mm(600, 1500), hs = r.mm(1000, 3500);
  const double a = std::round(r.uniform(0.1 * w, std::max(0.1 * w, 0.9 * w - ws)));
  switch (r.below(3)) {
    case 0:
      return polygon({{0, 0}, {w, 0}, {w, hb}, {a + ws, hb}, {a + ws, hb + hs}, {a, hb + hs}, {a, hb}, {0, hb}},
                     format("T bar %.0f x %.0f under a stem %.0f x %.0f at x %.0f, entered by the bar", w, hb, ws,
                            hs, a));
    case 1:
      return polygon({{a, 0}, {a + ws, 0}, {a + ws, hs}, {w, hs}, {w, hs + hb}, {0, hs + hb}, {0, hs}, {a, hs}},
                     format("T bar %.0f x %.0f on a stem %.0f x %.0f at x %.0f, entered by the stem", w, hb, ws, hs,
                            a));
    default: {
      const double beyond = r.mm(1000, 3000);
      return polygon({{a, 0},
                      {a + ws, 0},
                      {a + ws, hs},
                      {w, hs},
                      {w, hs + hb},
                      {a + ws, hs + hb},
                      {a + ws, hs + hb + beyond},
                      {a, hs + hb + beyond},
                      {a, hs + hb},
                      {0, hs + hb},
                      {0, hs},
                      {a, hs}},
                     format("cross: a stem %.0f wide at x %.0f, %.0f long, under a bar %.0f x %.0f at y %.0f", ws,
                            a, hs + hb + beyond, w, hb, hs));
    }
  }
}

// A corridor 500 to 900 wide, entered by its end or by its long wall.
Shape narrowCorridor(Rng& r) {
  const double w = r.mm(500, 900), l = r.mm(3000, 9000);
  const double t = r.chance(0.6) ? 0.0 : std::round(r.uniform(0.5, 3.0) * w);
  const bool byEnd = r.chance(0.7);
  const std::string text = format("corridor %.0f wide, %.0f long, entered by its %s, far end %s %.0f", w, l,
                                  byEnd ? "end" : "long wall", t > 0 ? "slanted by" : "square", t);
  if (byEnd) return polygon({{0, 0}, {w, 0}, {w, l - t}, {0, l}}, text);
  return polygon({{0, 0}, {l, 0}, {l - t, w}, {0, w}}, text);
}

// A rectangle, a tiny room or a corridor entered by its end, for a pipe
// near a side wall.
Shape besideWall(Rng& r) {
  const double pick = r.uniform(0, 1);
  if (pick < 0.6) {
    const double w = r.mm(1500, 5000), h = r.mm(2000, 5000);
    return polygon({{0, 0}, {w, 0}, {w, h}, {0, h}}, format("rectangle %.0f x %.0f", w, h));
  }
  if (pick < 0.8) {
    const double w = r.mm(800, 1800), h = r.mm(800, std::min(2400.0, 1.95e6 / w));
    return polygon({{0, 0}, {w, 0}, {w, h}, {0, h}}, format("tiny %.0f x %.0f", w, h));
  }
  const double w = r.mm(550, 1000), l = r.mm(3000, 6000);
  return polygon({{0, 0}, {w, 0}, {w, l}, {0, l}}, format("corridor %.0f wide, %.0f long, entered by its end", w, l));
}

// The pipe of a room of width w placed so that one of its two leads (the
// routed supply and return, the pitch apart) meets the entry wall within
// two pitches of the border line along the left or the right side wall, at
// a whole millimetre; square or at up to 40 degrees.
void pipeBesideBorder(Rng& r, Room& room, double w) {
  const double d = 1000.0 * room.pipePitch;
  const double border = 1000.0 * (room.borderFixed ? room.borderR : kFreeBorder);
  const double degrees = r.chance(0.5) ? 0.0 : r.sign() * std::round(r.uniform(5, 40) * 10) / 10;
  // Where the leads meet the wall, either side of the pipe's end.
  const double half = 0.5 * d / std::cos(degrees * kPi / 180);
  const double lead = border + r.mm(-2.0 * d, 2.0 * d);
  const bool farLead = r.chance(0.5);
  double x = lead + (farLead ? -half : half);
  x = std::clamp(x, half + 10.0, std::max(half + 10.0, w - half - 10.0));
  if (r.chance(0.5)) x = w - x;  // along the right wall
  const double last = r.chance(0.5) ? r.mm(500, 1500) : r.mm(150, 300);
  const double first = r.mm(300, 1500);
  pipeAt(room, x, degrees, last, first, r.mm(100, kManifoldWidth - 100));
  room.pipeText += format(", a lead %.0f from the border line", lead - border);
}

// The rooms of the families above: their own spacings, borders, pitches
// and pipes.
void makeWallRoom(Rng& r, Room& room) {
  Shape shape = room.family == Family::kSideBowed  ? sideBowed(r)
                : room.family == Family::kTrapezoid ? trapezoid(r)
                : room.family == Family::kStem      ? stem(r)
                : room.family == Family::kNarrowCorridor ? narrowCorridor(r)
                                                         : besideWall(r);
  room.shape = std::move(shape.text);
  room.outline = std::move(shape.v);
  room.spacing = r.mm(100, 300) / 1000;
  const double w = room.outline[1].at.x - room.outline[0].at.x;
  const double across = room.family == Family::kNarrowCorridor
                            ? std::min(w, std::fabs(room.outline[2].at.y - room.outline[1].at.y))
                            : w;
  switch (room.family) {
    case Family::kSideBowed:
      room.borderFixed = r.chance(0.6);
      room.borderR = room.borderFixed ? r.mm(20, 300) / 1000 : 0.0;
      break;
    case Family::kNarrowCorridor:
      room.borderFixed = r.chance(0.8);
      room.borderR = room.borderFixed ? r.mm(50, 0.5 * across) / 1000 : 0.0;
      break;
    case Family::kStem:
      room.borderFixed = r.chance(0.5);
      room.borderR = room.borderFixed ? r.mm(50, 200) / 1000 : 0.0;
      break;
    default:
      room.borderFixed = r.chance(0.6);
      room.borderR = room.borderFixed ? r.mm(50, 300) / 1000 : 0.0;
      break;
  }
  constexpr double kPitches[] = {0.1, 0.15, 0.2};
  room.pipePitch = room.family == Family::kLeadAtBorder ? r.mm(30, 200) / 1000 : kPitches[r.below(3)];
  room.shapeOfCircuit = static_cast<std::uint32_t>(r.below(2));
  room.displayType = r.chance(0.5) ? 0u : 2u;
  if (room.family == Family::kLeadAtBorder)
    pipeBesideBorder(r, room, w);
  else
    placePipe(r, room, room.outline[0].at.x, room.outline[1].at.x);
}

// The outline run the other way round: the side from v[i] to v[i+1]
// becomes the side from v[i+1] to v[i].
std::vector<Vertex> reversed(const std::vector<Vertex>& v) {
  std::vector<Vertex> out;
  for (std::size_t i = v.size(); i-- > 0;) out.push_back({v[i].at, 0.0 - v[(i + v.size() - 1) % v.size()].bulge});
  return out;
}

// The outline from any vertex, either way round, as people draw it; its words.
std::string drawOutline(Rng& r, std::vector<Vertex>& v) {
  const int start = r.below(static_cast<int>(v.size()));
  std::rotate(v.begin(), v.begin() + start, v.end());
  const bool clockwise = r.chance(0.5);
  if (clockwise) v = reversed(v);
  return format("%s from vertex %d", clockwise ? "clockwise" : "counter-clockwise", start);
}

// A turn by any angle (or none, or a right angle) and a move up to 1e7 away.
struct Placement {
  explicit Placement(Rng& r) {
    const double pick = r.uniform(0, 1);
    degrees = pick < 0.4 ? 0.0 : pick < 0.6 ? 90.0 * r.below(4) : std::round(r.uniform(0, 360) * 100) / 100;
    const double far = r.uniform(0, 1);
    const double reach = far < 0.4 ? 5e3 : far < 0.7 ? r.uniform(1e5, 1e6) : r.uniform(1e6, 1e7);
    const double towards = r.uniform(0, 2 * kPi);
    shift = XtGeVector2d(std::round(reach * std::cos(towards)), std::round(reach * std::sin(towards)));
    angle = degrees * kPi / 180;
  }
  void operator()(XtGePoint2d& p) const {
    p = XtGePoint2d(p.x * std::cos(angle) - p.y * std::sin(angle) + shift.x,
                    p.x * std::sin(angle) + p.y * std::cos(angle) + shift.y);
  }
  std::string text() const { return format("turned %.2f deg, moved by (%.0f, %.0f)", degrees, shift.x, shift.y); }

  double degrees = 0.0;
  double angle = 0.0;
  XtGeVector2d shift;
};

// Draws the room one of the ways people draw it: the outline from any vertex,
// either way round, the pipe from either end, everything turned and moved.
void drawRoom(Rng& r, Room& room) {
  const std::string outline = drawOutline(r, room.outline);
  const bool fromRoom = r.chance(0.5);
  if (fromRoom) std::reverse(room.pipe.begin(), room.pipe.end());
  const Placement place(r);
  for (Vertex& vertex : room.outline) place(vertex.at);
  for (XtGePoint2d& p : room.pipe) place(p);
  place(room.entry);
  place(room.manifold.insert);
  room.manifold.angle = place.angle;
  room.inward = {-std::sin(place.angle), std::cos(place.angle)};
  room.drawn = outline + ", pipe drawn from the " + (fromRoom ? "room, " : "manifold, ") + place.text();
}

// ---- Floors ----------------------------------------------------------------------------------

// A room of a floor in its own frame, its wall to the hall from (0, 0) to
// (w, 0) and the room above it: mostly a rectangle, else with its far wall
// slanted or bowed, or its far corner cut.
std::vector<Vertex> floorRoomShape(Rng& r, double w, double depth) {
  const double pick = r.uniform(0, 1);
  if (pick < 0.6) return polygon({{0, 0}, {w, 0}, {w, depth}, {0, depth}}, "").v;
  if (pick < 0.75) {
    const double low = std::round(depth * r.uniform(0.6, 0.95));
    return r.chance(0.5) ? polygon({{0, 0}, {w, 0}, {w, depth}, {0, low}}, "").v
                         : polygon({{0, 0}, {w, 0}, {w, low}, {0, depth}}, "").v;
  }
  if (pick < 0.9) {
    std::vector<Vertex> v = polygon({{0, 0}, {w, 0}, {w, depth}, {0, depth}}, "").v;
    v[2].bulge = std::round(r.uniform(-0.3, 0.5) * 1000) / 1000;
    return v;
  }
  const double cw = std::round(w * r.uniform(0.2, 0.5)), ch = std::round(depth * r.uniform(0.2, 0.5));
  return polygon({{0, 0}, {w, 0}, {w, depth - ch}, {w - cw, depth}, {0, depth}}, "").v;
}

// The routing numbers the circuits by the distance of their outlets from
// the middle of one end of the manifold; two outlets opposite each other on
// its two sides lie equally far, and their order (so the zone numbers a
// floor's script sets its zones by) would be left to rounding. The second
// side's outlets keep at least this far along the manifold from the first's.
constexpr double kOutletsApart = 50.0;
// The last lane along the hall keeps this far inside it, so that every pipe
// runs in the hall up to its last piece.
constexpr double kLaneInside = 100.0;

// The outlet at x, or kOutletsApart past the outlet of the other side that
// it comes nearer than that to, towards the manifold's middle.
double apartFrom(double x, const std::vector<double>& across, double middle) {
  for (const double other : across)
    if (std::fabs(x - other) < kOutletsApart) return other + (other <= middle ? kOutletsApart : -kOutletsApart);
  return x;
}

// One side of the hall (y 0 to hall), drawn above it: rooms from x 0 on,
// pipes from the manifold's top side (at y top, from x m0 to m1), their
// outlets apart from those of the side drawn before (`across`). Lanes: the
// pipes of rooms on one side of the manifold run along the hall, the
// farthest room's nearest the manifold, so that none crosses another; a
// room over the manifold's middle is fed straight up.
struct HallSide {
  std::vector<FloorRoom> rooms;
  std::vector<std::pair<double, double>> spans;  // each room's x range
  std::vector<double> depths;
  std::vector<double> outlets;
};

HallSide hallSide(Rng& r, int count, double hall, double wall, double pitch, double m0, double m1,
                  const std::vector<double>& across) {
  HallSide side;
  const double d = 1000.0 * pitch, y = hall + wall, top = 0.5 * hall + 0.5 * kManifoldDepth;
  const double middle = 0.5 * (m0 + m1);
  double x = 0.0;
  for (int i = 0; i < count; ++i) {
    const double w = r.mm(2500, 5000), depth = r.mm(3000, 5500);
    FloorRoom room;
    room.outline = floorRoomShape(r, w, depth);
    for (Vertex& v : room.outline) v.at = XtGePoint2d(v.at.x + x, v.at.y + y);
    room.spacing = r.mm(100, 300) / 1000;
    room.borderFixed = r.chance(0.5);
    room.borderR = room.borderFixed ? r.mm(50, 200) / 1000 : 0.0;
    side.rooms.push_back(std::move(room));
    side.spans.push_back({x, x + w});
    side.depths.push_back(depth);
    x += w + wall;
  }
  // Which rooms are fed, and where their pipes meet their walls.
  constexpr double kMargin = 400.0;
  std::vector<int> left, right;
  for (int i = 0; i < count; ++i) {
    if (r.chance(0.25)) continue;
    const auto [x0, x1] = side.spans[static_cast<std::size_t>(i)];
    if (x0 + kMargin < middle && middle < x1 - kMargin) {
      // Straight up from the manifold's middle, perhaps with a short slanted last piece.
      const double last = r.mm(150, 300), angle = r.sign() * r.uniform(5, 40) * kPi / 180;
      std::vector<XtGePoint2d>& pipe = side.rooms[static_cast<std::size_t>(i)].pipe;
      if (r.chance(0.5))
        pipe = {{middle, top}, {middle, y}};
      else
        pipe = {{std::round(middle - last * std::sin(angle)), top},
                {std::round(middle - last * std::sin(angle)), std::round(y - last * std::cos(angle))},
                {middle, y}};
      const double shift = apartFrom(pipe[0].x, across, middle) - pipe[0].x;
      for (XtGePoint2d& p : pipe) p.x += shift;
      side.outlets.push_back(pipe[0].x);
      continue;
    }
    (x1 <= middle ? left : right).push_back(i);
  }
  std::reverse(right.begin(), right.end());  // the farthest first on both sides
  for (const std::vector<int>* group : {&left, &right}) {
    const double away = group == &left ? -1.0 : 1.0;
    const double lanes = static_cast<double>(group->size()) - 1;
    const double laneStep = lanes < 1 ? 0.0 : std::min(2.5 * d, (hall - kLaneInside - top - 250) / lanes);
    for (std::size_t k = 0; k < group->size(); ++k) {
      const auto [x0, x1] = side.spans[static_cast<std::size_t>((*group)[k])];
      const double entry = std::round(r.uniform(x0 + kMargin, x1 - kMargin));
      const double outlet = apartFrom(group == &left ? m0 + 100 + 2.5 * d * k : m1 - 100 - 2.5 * d * k, across, middle);
      const double lane = top + 250 + laneStep * static_cast<double>(k);
      // The last piece leans away from the manifold, so that it passes no
      // nearer room's lane; at most 600 across.
      double last = r.chance(0.5) ? r.mm(150, 300) : r.mm(500, y - lane - 50);
      const double angle = r.chance(0.5) ? 0.0 : r.uniform(5, 40) * kPi / 180;
      last = std::min(last, angle > 0 ? 600 / std::sin(angle) : last);
      last = std::min(last, (y - lane) / std::cos(angle));
      const XtGePoint2d bend(std::round(entry + away * last * std::sin(angle)), std::round(y - last * std::cos(angle)));
      // A last piece square to the wall runs from the lane's end, however
      // short; an angled one from its bend (the lane's end when the bend
      // falls on the lane).
      std::vector<XtGePoint2d> pipe = {{outlet, top}, {outlet, lane}, {bend.x, lane}};
      if (bend.y > lane + 1 && bend.x != entry) pipe.push_back(bend);
      pipe.push_back({entry, y});
      // A lane of no length (the bend right over the outlet) is no piece.
      pipe.erase(std::unique(pipe.begin(), pipe.end()), pipe.end());
      side.outlets.push_back(outlet);
      side.rooms[static_cast<std::size_t>((*group)[k])].pipe = std::move(pipe);
    }
  }
  return side;
}

}  // namespace

const char* familyName(Family family) {
  switch (family) {
    case Family::kRectangle:
      return "rectangle";
    case Family::kL:
      return "L";
    case Family::kU:
      return "U";
    case Family::kT:
      return "T";
    case Family::kSlanted:
      return "slanted";
    case Family::kTwoSlanted:
      return "two-slanted";
    case Family::kBowed:
      return "bowed";
    case Family::kJog:
      return "jog";
    case Family::kCorridor:
      return "corridor";
    case Family::kTiny:
      return "tiny";
    case Family::kHall:
      return "hall";
    case Family::kSideBowed:
      return "side-bowed";
    case Family::kTrapezoid:
      return "trapezoid";
    case Family::kStem:
      return "stem";
    case Family::kLeadAtBorder:
      return "lead-at-border";
    case Family::kNarrowCorridor:
      return "narrow-corridor";
  }
  return "?";
}

std::optional<Family> familyNamed(std::string_view name) {
  for (const Family family : kFamilies)
    if (name == familyName(family)) return family;
  return std::nullopt;
}

std::string familyIdentifier(Family family) {
  std::string name = familyName(family);
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
}

long runSetting(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10) : fallback;
}

std::vector<XtGePoint2d> Manifold::corners() const {
  const XtGeVector2d along(std::cos(angle), std::sin(angle)), up(-std::sin(angle), std::cos(angle));
  return {insert, insert + along * width, insert + along * width + up * kManifoldDepth, insert + up * kManifoldDepth};
}

std::string Room::description() const {
  std::string text =
      format("seed %llu family %s index %d: ", static_cast<unsigned long long>(seed), familyName(family), index);
  text += shape + "; s " + format("%.3f m, border ", spacing) +
          (borderFixed ? format("fixed %.3f m", borderR) : std::string("free")) +
          format(", pipe pitch %.2f m; pipe ", pipePitch) + pipeText + "; " + drawn;
  return text;
}

Room makeRoom(std::uint64_t seed, Family family, int index) {
  Rng r(seed * 0x9E3779B97F4A7C15ull ^ (static_cast<std::uint64_t>(family) + 1) * 0xBF58476D1CE4E5B9ull ^
        (static_cast<std::uint64_t>(index) + 1) * 0x94D049BB133111EBull);
  r.next();
  Room room;
  room.seed = seed;
  room.family = family;
  room.index = index;
  if (family >= Family::kSideBowed) {
    makeWallRoom(r, room);
    drawRoom(r, room);
    return room;
  }
  Shape shape = shapeOf(family, r);
  room.shape = std::move(shape.text);
  room.outline = std::move(shape.v);
  room.spacing = r.mm(100, 300) / 1000;
  room.borderFixed = r.chance(0.5);
  room.borderR = room.borderFixed ? r.mm(50, 200) / 1000 : 0.0;
  constexpr double kPitches[] = {0.1, 0.15, 0.2};
  room.pipePitch = kPitches[r.below(3)];
  room.shapeOfCircuit = static_cast<std::uint32_t>(r.below(2));
  room.displayType = r.chance(0.5) ? 0u : 2u;
  placePipe(r, room, room.outline[0].at.x, room.outline[1].at.x);
  drawRoom(r, room);
  return room;
}

std::string Floor::description() const {
  int fed = 0;
  for (const FloorRoom& room : rooms) fed += room.pipe.empty() ? 0 : 1;
  std::string text = format("floor seed %llu index %d: %d rooms, %d fed, pipe pitch %.2f m, %s, display type %u",
                            static_cast<unsigned long long>(seed), index, static_cast<int>(rooms.size()), fed,
                            pipePitch, shapeOfCircuit == 0 ? "meander" : "double spiral", displayType);
  if (joined >= 0) text += format(", room %d joined to room %d", joined + 1, joinedTo + 1);
  if (body >= 0) text += format(", a heating body in room %d", body + 1);
  return text + "; " + drawn;
}

Floor makeFloor(std::uint64_t seed, int index) {
  Rng r(seed * 0x9E3779B97F4A7C15ull ^ 0x5851F42D4C957F2Dull ^
        (static_cast<std::uint64_t>(index) + 1) * 0x94D049BB133111EBull);
  r.next();
  Floor floor;
  floor.seed = seed;
  floor.index = index;
  constexpr double kPitches[] = {0.15, 0.2};
  floor.pipePitch = kPitches[r.below(2)];
  floor.shapeOfCircuit = static_cast<std::uint32_t>(r.below(2));
  floor.displayType = r.chance(0.5) ? 0u : 2u;
  const double hall = r.mm(2400, 3000), wall = r.mm(100, 250);
  const int above = 2 + r.below(2), below = 2 + r.below(2);
  const double width = std::max(kManifoldWidth, 2.5 * 1000.0 * floor.pipePitch * 5 + 200);
  const double m0 = std::round(r.uniform(2000, 1500.0 * std::min(above, below)));
  floor.manifold.insert = {m0, 0.5 * hall - 0.5 * kManifoldDepth};
  floor.manifold.width = width;
  HallSide first = hallSide(r, above, hall, wall, floor.pipePitch, m0, m0 + width, {});
  HallSide second = hallSide(r, below, hall, wall, floor.pipePitch, m0, m0 + width, first.outlets);
  HallSide sides[2] = {std::move(first), std::move(second)};
  // The second side is drawn below the hall: mirrored about its middle.
  for (FloorRoom& room : sides[1].rooms) {
    for (Vertex& v : room.outline) v = {{v.at.x, hall - v.at.y}, 0.0 - v.bulge};
    room.outline = reversed(room.outline);
    for (XtGePoint2d& p : room.pipe) p.y = hall - p.y;
  }
  for (int k = 0; k < 2; ++k)
    for (FloorRoom& room : sides[k].rooms) floor.rooms.push_back(std::move(room));
  if (std::all_of(floor.rooms.begin(), floor.rooms.end(), [](const FloorRoom& room) { return room.pipe.empty(); }))
    floor.rooms.front().pipe = {{m0 + 100, 0.5 * hall + 0.5 * kManifoldDepth},
                                {m0 + 100, 0.5 * hall + 0.5 * kManifoldDepth + 250},
                                {400, 0.5 * hall + 0.5 * kManifoldDepth + 250},
                                {400, hall + wall}};
  // A bare room beside a fed one on the same side may join its circuit
  // through the wall between them; a fed room may get a heating body.
  const auto sideOf = [&](int i) { return i < above ? 0 : 1; };
  for (int i = 0; i + 1 < static_cast<int>(floor.rooms.size()) && floor.joined < 0; ++i) {
    const int j = i + 1;
    if (sideOf(i) != sideOf(j) || floor.rooms[i].pipe.empty() == floor.rooms[j].pipe.empty() || r.chance(0.4)) continue;
    const int k = sideOf(i) == 0 ? i : i - above;
    const double x = sides[sideOf(i)].spans[static_cast<std::size_t>(k)].second + 0.5 * wall;
    const double depth = std::min(sides[sideOf(i)].depths[static_cast<std::size_t>(k)],
                                  sides[sideOf(i)].depths[static_cast<std::size_t>(k + 1)]);
    const double y = hall + wall + 0.3 * depth;
    floor.joinedTo = floor.rooms[i].pipe.empty() ? j : i;
    floor.joined = floor.rooms[i].pipe.empty() ? i : j;
    floor.joinPoint = {x, sideOf(i) == 0 ? y : hall - y};
  }
  for (int i = 0; i < static_cast<int>(floor.rooms.size()) && floor.body < 0; ++i) {
    if (floor.rooms[i].pipe.empty() || r.chance(0.6)) continue;
    const int side = sideOf(i), k = side == 0 ? i : i - above;
    const auto [x0, x1] = sides[side].spans[static_cast<std::size_t>(k)];
    const double y = hall + wall + 0.3 * sides[side].depths[static_cast<std::size_t>(k)];
    floor.body = i;
    floor.bodyPoint = {0.5 * (x0 + x1), side == 0 ? y : hall - y};
  }
  for (std::size_t i = 0; i < floor.rooms.size(); ++i) {
    FloorRoom& room = floor.rooms[i];
    room.name = format("room %d", static_cast<int>(i) + 1);
    drawOutline(r, room.outline);
    if (!room.pipe.empty() && r.chance(0.5)) std::reverse(room.pipe.begin(), room.pipe.end());
  }
  const Placement place(r);
  for (FloorRoom& room : floor.rooms) {
    for (Vertex& v : room.outline) place(v.at);
    for (XtGePoint2d& p : room.pipe) place(p);
  }
  place(floor.manifold.insert);
  floor.manifold.angle = place.angle;
  place(floor.joinPoint);
  place(floor.bodyPoint);
  floor.drawn = place.text();
  return floor;
}

}  // namespace random_rooms
