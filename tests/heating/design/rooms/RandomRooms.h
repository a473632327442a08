// Seeded random rooms of the kinds people draw, each with the distribution
// pipe that feeds it from a manifold outside, for the layout property tests
// and the drawings of hv_random_rooms (millimetres).
//
// A room is made from (seed, family, index) alone, so that any room of a run
// can be made again from the line its description prints. Every family
// draws its outline in a room frame, the wall the pipe enters by along y = 0
// with the room above it; then the room gets its pipe (square to that wall or
// with a last piece at up to 40 degrees, short or long, drawn from the
// manifold or from the room), its spacing, border width and pipe pitch, and
// is drawn one of the ways people draw it: clockwise or not, from any vertex,
// turned by any angle and moved up to 1e7 from the origin.
//
// A floor (makeFloor) puts rooms on both sides of a hall that holds the
// manifold, as a flat is drawn.
//
// Pure functions of their arguments; any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ge/XtGePoint2d.h"

namespace random_rooms {

enum class Family {
  kRectangle,
  kL,
  kU,
  kT,
  kSlanted,     // one slanted wall (a side, the far wall or a cut corner)
  kTwoSlanted,  // two slanted walls
  kBowed,       // a wall bowed into the room or out of it (an arc)
  kJog,         // a wall with a jog shorter than the zone-bound tolerance (25)
  kCorridor,    // 600 to 1500 wide, square or slanted far end
  kTiny,        // under 2 m2
  kHall,        // over 60 m2
  kSideBowed,   // a side wall (or the far wall) bowed into the room, bulge 0.02 to 0.3; borders from 0.02 m
  kTrapezoid,   // a side wall slanting 3 to 25 degrees in or out; borders 0.05 to 0.3 m
  kStem,        // T and cross rooms whose stem is 600 to 1500 wide
  kLeadAtBorder,   // the pipe placed so that one of its leads lands within 2 pitches of the border line
  kNarrowCorridor  // 500 to 900 wide, borders up to half its width
};
inline constexpr Family kFamilies[] = {Family::kRectangle,    Family::kL,         Family::kU,
                                       Family::kT,            Family::kSlanted,   Family::kTwoSlanted,
                                       Family::kBowed,        Family::kJog,       Family::kCorridor,
                                       Family::kTiny,         Family::kHall,      Family::kSideBowed,
                                       Family::kTrapezoid,    Family::kStem,      Family::kLeadAtBorder,
                                       Family::kNarrowCorridor};

// "rectangle", "L", "U", "T", "slanted", "two-slanted", "bowed", "jog",
// "corridor", "tiny", "hall", "side-bowed", "trapezoid", "stem",
// "lead-at-border", "narrow-corridor".
const char* familyName(Family family);
std::optional<Family> familyNamed(std::string_view name);
// The family's name as a test's name takes it ("two_slanted").
std::string familyIdentifier(Family family);

// A whole-number setting of a property-test run from the environment (seed,
// room count, first room), `fallback` when it is unset or empty.
long runSetting(const char* name, long fallback);

// An outline vertex and the bulge of the side from it to the next vertex
// (tan of a quarter of the sweep, positive counter-clockwise; 0 straight).
struct Vertex {
  XtGePoint2d at;
  double bulge = 0.0;
};

// The manifold block every drawing uses: a rectangle kManifoldWidth x
// kManifoldDepth with its base point at the lower left; the pipes leave its
// top side (y = kManifoldDepth in the block), or also its bottom side on a floor.
inline constexpr double kManifoldWidth = 600.0;
inline constexpr double kManifoldDepth = 100.0;

struct Manifold {
  XtGePoint2d insert;  // the base point
  double angle = 0.0;  // radians, counter-clockwise
  double width = kManifoldWidth;
  // The four corners as drawn (counter-clockwise from the base point).
  std::vector<XtGePoint2d> corners() const;
};

struct Room {
  std::uint64_t seed = 0;
  Family family = Family::kRectangle;
  int index = 0;
  // What the family drew, in the room frame ("U 4180 x 4940, notch x 1500 to 2580 down to y 2030").
  std::string shape;
  // How it was drawn ("clockwise from vertex 3, turned 243.49 deg, moved by (6.9e+06, -3.1e+06)").
  std::string drawn;
  // The pipe as words ("square at x 1930, 700 long, drawn from the manifold").
  std::string pipeText;
  std::vector<Vertex> outline;  // closed: the last side runs back to the first vertex
  // The distribution pipe as drawn: a line (two points) or a polyline, from
  // the manifold's outlet to the room's wall or the other way round.
  std::vector<XtGePoint2d> pipe;
  // Where the pipe meets the room's wall, and the wall's inward normal there.
  XtGePoint2d entry;
  XtGeVector2d inward;
  Manifold manifold;
  double spacing = 0.2;  // m
  bool borderFixed = false;
  double borderR = 0.0;              // m, with borderFixed
  double pipePitch = 0.2;            // m, the distribution pipe pitch
  std::uint32_t shapeOfCircuit = 1;  // 0 meander, 1 double spiral (the drawing tool's choice)
  std::uint32_t displayType = 0;     // 0 or 2 (the drawing tool's choice)

  // One line that names the room and how to make it again.
  std::string description() const;
};

// The room `index` of the family in the run of the seed.
Room makeRoom(std::uint64_t seed, Family family, int index);

// A room of a floor: its outline, and its pipe when it is fed.
struct FloorRoom {
  std::string name;
  std::vector<Vertex> outline;
  std::vector<XtGePoint2d> pipe;  // empty: no pipe of its own
  double spacing = 0.2;           // m
  bool borderFixed = false;
  double borderR = 0.0;  // m, with borderFixed
};

// A hall with rooms on both sides (each 2500 to 5000 wide, walls 100 to 250
// thick between them), one manifold in the hall, one pipe per fed room (the
// pipes run along lanes at least 100 inside the hall and never cross; a last
// piece may meet the wall at up to 40 degrees from its normal; outlets of
// the manifold's two sides at least 50 apart along it, so that no two lie
// equally far from its ends), some rooms without a pipe; perhaps a bare
// room joined to its fed neighbour's circuit at a point in the wall between
// them, and an additional heating body in a fed room.
struct Floor {
  std::uint64_t seed = 0;
  int index = 0;
  std::vector<FloorRoom> rooms;
  Manifold manifold;
  double pipePitch = 0.2;  // m
  std::uint32_t shapeOfCircuit = 1;
  std::uint32_t displayType = 0;
  // The bare room (index into rooms) joined to the fed room's circuit at
  // the point; -1 for none.
  int joined = -1;
  int joinedTo = -1;
  XtGePoint2d joinPoint;
  // The fed room (index) that gets an additional heating body at the point; -1 for none.
  int body = -1;
  XtGePoint2d bodyPoint;
  std::string drawn;  // how the floor was turned and moved
  std::string description() const;
};

Floor makeFloor(std::uint64_t seed, int index);

}  // namespace random_rooms
