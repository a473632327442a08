// An independent judge of a laid pipe, shared by the tests of every layout
// (meander, single run, spiral). It takes the zone as an outline of line and
// arc pieces (either orientation), the first offset d0, the spacing s, the
// border bands, the two pipe-end points and the pipe as ordered line and arc
// pieces, and checks it by the engineering rules:
//   continuous  finite coordinates; each piece starts where the one before
//               ended (within 1e-5 s)
//   ends        the pipe starts at the start point and ends at the end point
//   inside      every sample (each s/8) of every piece but the two leads
//               (the first and the last piece) lies inside the outline and at
//               least d0 - eps from it (less at the wall allowances of the
//               options, each reported)
//   simple      no two pieces meet, except neighbours at their shared end
//   spacing     samples more than 2 s apart along the pipe lie at least
//               s - eps apart (s/2 - eps when both lie in a band, less at
//               the allowances of the options, each reported); the first
//               and the last s after the leads are not compared with each
//               other, as supply and return leave the pipe ends at the ends'
//               own pitch
//   length      the in-zone length (leads excepted) against (A + A_b) / s, A
//               the outline's exact area, A_b the band area on the coverage
//               grid; passes within the ratio bounds of the options
//   coverage    over a grid of step s/4 of the points inside and at least d0
//               from the outline, the largest distance to the pipe; passes
//               up to the limit of the options (but in the narrow parts the
//               options excuse)
// eps is 1 % of s. Each finding carries its value and the place it refers to.
//
// The checker decides with its own arithmetic (winding numbers with the true
// sweep of arcs, exact distances to lines and arcs) and the geometry
// library's curve intersections; it calls no layout or heating-curve code,
// so that it does not share the faults of what it judges.
#pragma once

#include "platform/ge/XtGeCurve2d.h"
#include "platform/ge/XtGePoint2d.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace layout_check {

// A straight piece, or a circular arc with a signed sweep (positive counter-
// clockwise) from its start.
struct Piece {
  static Piece line(const XtGePoint2d& start, const XtGePoint2d& end);
  // The arc about the centre from the start angle through the signed sweep.
  static Piece arcAbout(const XtGePoint2d& centre, double radius, double startAngle, double sweep);
  // The side of a polyline from start to end with the bulge (tan of a
  // quarter of the sweep, positive counter-clockwise; 0 a line).
  static Piece bulged(const XtGePoint2d& start, const XtGePoint2d& end, double bulge);

  double length() const;
  // The point at the arc length from the start (0 <= s <= length()).
  XtGePoint2d at(double s) const;
  // The exact distance from the point.
  double distanceTo(const XtGePoint2d& p) const;
  // The angle the piece sweeps around the point (not on the piece).
  double windingAngle(const XtGePoint2d& p) const;
  // The signed area between the piece and the origin's chords: summed over a
  // closed outline it is the enclosed area, positive counter-clockwise.
  double signedArea() const;
  // A geometry-library curve of the piece, for intersections.
  std::unique_ptr<XtGeCurve2d> curve() const;
  // The axis-parallel box as (x0, y0, x1, y1).
  void box(double b[4]) const;

  XtGePoint2d start;
  XtGePoint2d end;
  bool isArc = false;
  XtGePoint2d centre;
  double radius = 0.0;
  double startAngle = 0.0;
  double sweep = 0.0;
};

// A border band: the points inside the zone within `width` of the edge.
struct Band {
  Piece edge;
  double width = 0.0;
};

struct Zone {
  std::vector<Piece> outline;
  double d0 = 0.0;
  double s = 0.0;
  std::vector<Band> bands;
  XtGePoint2d start;
  XtGePoint2d end;
};

struct Options {
  Options(double lengthLow = 0.99, double lengthHigh = 1.01, double coverageLimit = 0.75, bool coverage = true)
      : lengthLow(lengthLow), lengthHigh(lengthHigh), coverageLimit(coverageLimit), coverage(coverage) {}

  // The length check passes for lengthLow <= length / ((A + A_b) / s) <= lengthHigh.
  double lengthLow;
  double lengthHigh;
  // The coverage check passes for a largest distance up to this many s.
  double coverageLimit;
  // Skip the coverage grid (and with it A_b) where a test needs neither.
  bool coverage;
  // Above 0: coverage judges only the heated points within narrowWidth / 2
  // of a point narrowWidth / 2 or more inside the heated area (the parts a
  // hairpin this wide reaches); farther points of the narrower parts
  // beyond the pipe (a tip past the last run that fits, a sliver) are
  // excused, the farthest reported among the located findings.
  double narrowWidth = 0.0;
  // How many pieces at the start and at the end of the pipe are its leads
  // (a lead bent where it leaves the zone has two).
  int leadIn = 1;
  int leadOut = 1;
  // A place where the spacing may come down to `least` (less eps): a pair
  // of samples nearer than the spacing passes when one of them (both, with
  // `both`) lies within `reach` of the segment from-to and they are at
  // least least - eps apart.
  //
  // Allowances with the same non-zero `group` stand for one place made of
  // several segments (a stretch of the pipe): a sample lies in it when it
  // lies within reach of any of them.
  struct Allowance {
    XtGePoint2d from;
    XtGePoint2d to;
    double reach = 0.0;
    double least = 0.0;
    bool both = false;
    std::string what;
    int group = 0;
  };
  std::vector<Allowance> allowances;
  // Places where the pipe may come nearer the wall than d0, down to `least`
  // (less eps): a sample passes when it lies within `reach` of the segment
  // from-to (`both` is not used).
  std::vector<Allowance> wallAllowances;
};

// One check: whether it passed, its value (a distance, a gap, a ratio) and
// the place it refers to (the worst or first place found), in words too.
struct Finding {
  bool ok = true;
  double value = 0.0;
  XtGePoint2d at;
  std::string text;
};

struct Report {
  Finding continuous, ends, inside, simple, spacing, length, coverage;
  // Every allowance that let a pair (or a sample near the wall) pass, with
  // the nearest it let pass.
  std::vector<Finding> located;
  double pipeLength = 0.0;    // every piece
  double inZoneLength = 0.0;  // leads excepted
  double zoneArea = 0.0;      // A
  double bandArea = 0.0;      // A_b
  // Every check passed.
  bool ok() const;
  // The geometric checks passed (all but length and coverage).
  bool sound() const;
  std::string summary() const;
};

Report checkLayout(const Zone& zone, const std::vector<Piece>& pipe, const Options& options = {});

// The wall allowances of the zone's reflex corners (where its outline turns
// away from the zone by more than 1 degree), into the options: within d0 of
// the corner the pipe may cut the corner as a chord of the offset arc at a
// right angle, down to d0 cos 45 degrees - slack.
void addReflexCornerAllowances(const Zone& zone, double slack, Options& options);
// The allowances beside a jog, a side shorter than `shortest` (the zone-bound
// tolerance) between two longer ones, into the options: along both
// neighbours the layout may take the wall for straight, so the pipe may come
// nearer the wall by up to the jog's length (within d0 + the jog of the
// neighbour: down to d0 less the jog), and a run nearer the pipe along the
// wall by as much (a sample within d0 + s + the jog: down to s less the jog).
void addJogAllowances(const Zone& zone, double shortest, Options& options);

// The meander's middle gap: its runs (straight pieces of the pipe's body,
// leads excepted, at least s/2 long - the legs of a hairpin in the gap may
// be shortened below s to keep it from the loop beyond -, within 1 degree
// of runDirection) are
// stacked from both sides of the zone towards its middle, where the last two
// runs may come nearer than s. The narrowest gap under s - eps between two
// run positions with pieces that face each other (their extents along
// overlap) is
// that middle: a pair of samples both within it or the turns beside it
// (within half the gap plus s/2 of the line along its middle, over both
// runs' extents: the gap crosses the whole zone) passes down to s/2. None
// when every gap keeps s. A gap that one of the `explained` allowances
// already passes (a run beside a jog: the middle of the two positions'
// facing pieces within its reach and the gap at least its least distance)
// is not the middle.
std::optional<Options::Allowance> meanderMiddleGap(const std::vector<Piece>& pipe, const XtGeVector2d& runDirection,
                                                   double s, const std::vector<Options::Allowance>& explained = {});

// What the zone holds for a pipe, on a grid of the step: the heated area
// (the grid's points inside the outline and at least d0 from it), the area
// a pipe laid d0 from the walls and s from itself heats (s/2 either side of
// its runs: the points within s/2 of a place at least d0 from the outline,
// outside it too when d0 < s/2 - beside a wall those at least d0 - s/2 from
// it, but not those towards the apex of a narrowing tip or an acute corner
// beyond s/2 of where the runs end - and at most s/2 beyond the deepest
// run, d0 + k s from the outline for the largest k the zone's depth allows:
// a middle narrower than a spacing holds no run of its own), and the largest
// distance of a point inside from the outline.
// pipeAreaShallower is the area a pipe heats without its deepest run where
// that run (beyond the first) fits only to within a thousandth of s: a
// zone exactly 2 (d0 + k s) across may hold that run or not, as a few
// micrometres of its drawing decide; pipeArea otherwise.
// pipeAreaWide, with a narrow width w above 0, is the part of pipeArea
// within w + s/2 of a point w/2 or more inside the heated area: the parts
// where a hairpin w across fits, their corners down to 60 degrees and the
// band a pipe there heats, without the narrower parts (a stem or a tip
// where no loop fits, which the coverage check excuses with the same w);
// pipeArea when w is 0.
struct ZoneMeasure {
  double heatedArea = 0.0;
  double pipeArea = 0.0;
  double pipeAreaShallower = 0.0;
  double pipeAreaWide = 0.0;
  double deepest = 0.0;
};
ZoneMeasure measureZone(const Zone& zone, double step, double narrowWidth = 0.0);

// The zone's winding number about the point (non-zero: inside).
int windingNumber(const std::vector<Piece>& outline, const XtGePoint2d& p);

}  // namespace layout_check
