// The random floors draw what RandomRooms.h states, on seeded floors of many
// seeds: each fed room's pipe runs from the manifold's side to its room's
// wall, along the hall up to its last piece, which meets the wall within 40
// degrees of its normal; no pipe crosses another or a room it does not feed;
// and no two outlets lie nearly equally far from the middle of either end of
// the manifold, from which the routing numbers the circuits (the zone numbers
// a floor's script sets its settings by would be left to rounding).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "RandomRooms.h"

namespace {

using random_rooms::Floor;

constexpr double kDegree = 3.14159265358979323846 / 180;

struct Segment {
  XtGePoint2d a, b;
};

double cross(const XtGeVector2d& u, const XtGeVector2d& v) { return u.x * v.y - u.y * v.x; }

double distanceTo(const Segment& s, const XtGePoint2d& p) {
  const XtGeVector2d d = s.b - s.a;
  const double t = std::clamp((p - s.a).dotProduct(d) / d.dotProduct(d), 0.0, 1.0);
  return p.distanceTo(s.a + d * t);
}

// Whether the two segments cross or touch (ends within `tol` count).
bool meet(const Segment& s, const Segment& t, double tol) {
  const double d1 = cross(s.b - s.a, t.a - s.a), d2 = cross(s.b - s.a, t.b - s.a);
  const double d3 = cross(t.b - t.a, s.a - t.a), d4 = cross(t.b - t.a, s.b - t.a);
  if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) return true;
  return distanceTo(s, t.a) < tol || distanceTo(s, t.b) < tol || distanceTo(t, s.a) < tol || distanceTo(t, s.b) < tol;
}

std::vector<Segment> pieces(const std::vector<XtGePoint2d>& points, bool closed) {
  std::vector<Segment> out;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) out.push_back({points[i], points[i + 1]});
  if (closed && points.size() > 2) out.push_back({points.back(), points.front()});
  return out;
}

// A room's sides as chords (its arcs are far walls, away from every pipe).
std::vector<Segment> sides(const random_rooms::FloorRoom& room) {
  std::vector<XtGePoint2d> points;
  for (const random_rooms::Vertex& v : room.outline) points.push_back(v.at);
  return pieces(points, true);
}

double distanceTo(const std::vector<Segment>& segments, const XtGePoint2d& p) {
  double nearest = 1e300;
  for (const Segment& s : segments) nearest = std::min(nearest, distanceTo(s, p));
  return nearest;
}

// What a floor breaks of the generator's statements, one line each; counts
// the last pieces that meet their walls at an angle.
std::vector<std::string> broken(const Floor& floor, int& angled) {
  std::vector<std::string> out;
  const std::vector<XtGePoint2d> corners = floor.manifold.corners();
  const std::vector<Segment> manifold = pieces(corners, true);
  const XtGePoint2d ends[2] = {corners[1] + (corners[2] - corners[1]) * 0.5,
                               corners[3] + (corners[0] - corners[3]) * 0.5};
  struct Fed {
    std::size_t room;
    std::vector<XtGePoint2d> pipe;  // from the manifold
  };
  std::vector<Fed> fed;
  for (std::size_t i = 0; i < floor.rooms.size(); ++i) {
    std::vector<XtGePoint2d> pipe = floor.rooms[i].pipe;
    if (pipe.empty()) continue;
    if (distanceTo(manifold, pipe.back()) < distanceTo(manifold, pipe.front())) std::reverse(pipe.begin(), pipe.end());
    const std::string name = "room " + std::to_string(i + 1) + ": ";
    if (distanceTo(manifold, pipe.front()) > 1e-6) out.push_back(name + "the pipe starts off the manifold");
    if (distanceTo(sides(floor.rooms[i]), pipe.back()) > 1e-6) out.push_back(name + "the pipe ends off its wall");
    // The hall's walls run along the manifold: their normal is its up.
    const XtGeVector2d up = corners[3] - corners[0], last = pipe.back() - pipe[pipe.size() - 2];
    const double angle = std::acos(std::min(1.0, std::fabs(last.dotProduct(up)) / (last.length() * up.length())));
    if (angle > 40.5 * kDegree)
      out.push_back(name + "the last piece meets the wall " + std::to_string(angle / kDegree) + " deg from its normal");
    angled += angle > kDegree ? 1 : 0;
    // Up to the last piece the pipe runs in the hall, its lanes at least
    // 100 inside it, and walls are at least 100 thick.
    for (std::size_t k = 0; k + 2 < pipe.size(); ++k)
      for (const random_rooms::FloorRoom& room : floor.rooms)
        if (const double gap = distanceTo(sides(room), pipe[k]); gap < 200 - 1e-6)
          out.push_back(name + "a lane runs " + std::to_string(gap) + " from " + room.name);
    fed.push_back({i, std::move(pipe)});
  }
  for (std::size_t i = 0; i < fed.size(); ++i) {
    const std::string name = "room " + std::to_string(fed[i].room + 1) + ": ";
    const std::vector<Segment> own = pieces(fed[i].pipe, false);
    for (std::size_t k = 0; k < floor.rooms.size(); ++k)
      for (std::size_t p = 0; p < own.size(); ++p)
        for (const Segment& side : sides(floor.rooms[k]))
          if ((k != fed[i].room || p + 1 < own.size()) && meet(own[p], side, k == fed[i].room ? -1.0 : 1.0))
            out.push_back(name + "the pipe crosses " + floor.rooms[k].name);
    for (std::size_t j = i + 1; j < fed.size(); ++j)
      for (const Segment& s : own)
        for (const Segment& t : pieces(fed[j].pipe, false))
          if (meet(s, t, 1.0))
            out.push_back(name + "the pipe meets the pipe of room " + std::to_string(fed[j].room + 1));
    for (const XtGePoint2d& end : ends)
      for (std::size_t j = i + 1; j < fed.size(); ++j) {
        const double apart = std::fabs(end.distanceTo(fed[i].pipe.front()) - end.distanceTo(fed[j].pipe.front()));
        if (apart < 40) out.push_back(name + "its outlet and that of room " + std::to_string(fed[j].room + 1) +
                                      " lie within " + std::to_string(apart) + " of the same distance from an end");
      }
  }
  return out;
}

TEST(RandomFloors, DrawWhatTheyState) {
  int failed = 0, pipes = 0, angled = 0;
  for (std::uint64_t seed = 1; seed <= 8; ++seed)
    for (int index = 0; index < 50; ++index) {
      const Floor floor = random_rooms::makeFloor(seed, index);
      const std::vector<std::string> faults = broken(floor, angled);
      for (const random_rooms::FloorRoom& room : floor.rooms) pipes += room.pipe.empty() ? 0 : 1;
      if (faults.empty() || ++failed > 8) continue;
      std::string text = floor.description();
      for (const std::string& fault : faults) text += "\n  " + fault;
      ADD_FAILURE() << text;
    }
  EXPECT_EQ(failed, 0) << "floors that break what the generator states";
  EXPECT_TRUE(angled > pipes / 5 && angled < pipes * 4 / 5) << angled << " of " << pipes << " last pieces angled";
}

}  // namespace
