// The random-room property test: seeded rooms of every family (RandomRooms.h)
// designed as the design command designs them, with each circuit shape and
// display types 0 and 2 (the two that lay a full layout), and judged by the rules of a laid circuit
// (RoomDesign.h). One test per shape and family.
//
// Settings (environment):
//   HV_ROOMS_SEED   the run's seed (default 1)
//   HV_ROOMS_COUNT  rooms per shape and family (default kRooms, fewer under
//                   the address sanitizer)
//   HV_ROOMS_INDEX  the first room's index (default 0): with count 1 a
//                   failing room is designed again alone
//   HV_ROOMS_PRINTED  failing rooms printed in full (default kPrinted)
//   HV_ROOMS_LIST   1: one line per room and display type, its laid length
//                   and broken rules (a census to compare layouts by)
// A failing room prints its description, which names its seed, family and
// index.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <ostream>
#include <span>
#include <string>
#include <tuple>

#include "RoomDesign.h"
#include "tests/heating/design/ZoneDesignTestSupport.h"

namespace {

using random_rooms::Family;

constexpr std::uint32_t kMeander = 0;
constexpr std::uint32_t kSpiral = 1;

// The families each shape lays soundly: CI runs these. Every other family
// is registered disabled (ToMend/..., run it with
// --gtest_also_run_disabled_tests) until its layout is mended; then it moves
// here.
const std::map<std::uint32_t, std::vector<Family>> kSoundFamilies = {
    {kMeander, std::vector<Family>(std::begin(random_rooms::kFamilies), std::end(random_rooms::kFamilies))},
    {kSpiral, std::vector<Family>(std::begin(random_rooms::kFamilies), std::end(random_rooms::kFamilies))},
};

// Rooms per shape and family: 448 per shape once every family is sound.
// Under the address sanitizer (ten times slower) fewer, each with one
// display type in turn.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kRooms = 2;
constexpr bool kBothDisplayTypes = false;
#else
constexpr int kRooms = 28;
constexpr bool kBothDisplayTypes = true;
#endif
// The failures printed in full per test; the rest are counted.
constexpr int kPrinted = 8;

struct Case {
  std::uint32_t shape;
  Family family;
};

void PrintTo(const Case& c, std::ostream* out) {
  *out << (c.shape == kMeander ? "meander " : "double spiral ") << random_rooms::familyName(c.family);
}

std::vector<Case> cases(bool sound) {
  std::vector<Case> out;
  for (const std::uint32_t shape : {kMeander, kSpiral}) {
    const std::vector<Family>& list = kSoundFamilies.at(shape);
    for (const Family family : random_rooms::kFamilies)
      if ((std::find(list.begin(), list.end(), family) != list.end()) == sound) out.push_back({shape, family});
  }
  return out;
}

std::string caseName(const testing::TestParamInfo<Case>& info) {
  return std::string(info.param.shape == kMeander ? "meander_" : "spiral_") +
         random_rooms::familyIdentifier(info.param.family);
}

class RandomRooms : public testing::TestWithParam<Case> {};

TEST_P(RandomRooms, LaySoundly) {
  const zone_design_test::UnitScope units(1000);
  const auto seed = static_cast<std::uint64_t>(random_rooms::runSetting("HV_ROOMS_SEED", 1));
  const long count = random_rooms::runSetting("HV_ROOMS_COUNT", kRooms);
  const long first = random_rooms::runSetting("HV_ROOMS_INDEX", 0);
  const long printed = random_rooms::runSetting("HV_ROOMS_PRINTED", kPrinted);
  const bool listed = random_rooms::runSetting("HV_ROOMS_LIST", 0) != 0;
  std::map<std::string, int> tally;
  int failed = 0;
  for (long index = first; index < first + count; ++index) {
    const random_rooms::Room room = random_rooms::makeRoom(seed, GetParam().family, static_cast<int>(index));
    bool roomFailed = false;
    for (const std::uint32_t display : {0u, 2u}) {
      if (!kBothDisplayTypes && display != (index % 2 == 0 ? 0u : 2u)) continue;
      const room_design::Verdict verdict = room_design::designAndJudge(room, GetParam().shape, display);
      for (const auto& broken : verdict.broken)
        ++tally[broken.rule == "spacing" && broken.inSpacings < 0.5 ? "spacing-under-s/2" : broken.rule];
      if (listed) {
        std::string rules;
        for (const auto& broken : verdict.broken) rules += " " + broken.rule;
        char laid[32];
        std::snprintf(laid, sizeof laid, "%.3f", verdict.laidLength);
        std::cout << caseName({GetParam(), 0}) << " room " << index << " display " << display << " laid " << laid
                  << (rules.empty() ? " ok" : rules) << "\n";
      }
      if (verdict.ok()) continue;
      roomFailed = true;
      if (failed < printed)
        ADD_FAILURE() << "display type " << display << ", " << room.description() << "\n  " << verdict.summary();
    }
    failed += roomFailed ? 1 : 0;
  }
  std::string rules;
  for (const auto& [rule, n] : tally) rules += " " + rule + " " + std::to_string(n);
  std::cout << caseName({GetParam(), 0}) << ": " << failed << " of " << count << " rooms fail" << rules << "\n";
  EXPECT_EQ(failed, 0);
}

// Double-spiral rooms (seed 1) beyond the rooms CI designs per family whose
// layouts once broke the rules, each for a reason of its own: the centre
// join beside a level step on a slanted wall (slanted 0), the centre crossing
// its own step (slanted 1) or folding back over its join (slanted 37), a thin
// innermost loop (rectangle 83, L 51, hall 61, jog 80, slanted 12), the
// bridge onto level 1 at a round wall's corner (bowed 61) or turning back
// along level 1 (bowed 44), a level step met at a shallow angle (two-slanted
// 43), a round wall's tip (bowed 0) and squared tips (slanted 6,
// two-slanted 2), and a centre whose other ways laid a crossing in the
// second attempt (T 89). Rooms where both attempts crossed themselves, the
// out-run's bridge onto level 1 landing on the in-run's own stretch of the
// first loop: a U room entered beside the notch (U 82) and a tiny room whose
// level 1 is a sliver in one corner (seed 2, tiny 11); laid one level
// further out. Bowed rooms whose deepest level fell apart into a proper lobe
// and slivers (beside a level step or in the acute corner of the bowed
// wall) that got spirals of their own: hairpins whose legs lay 0.03-0.8 s
// apart (seed 1 bowed 31, 34, 48, 75, 87; seed 2 bowed 64); the slivers are
// left to the detours. Lobes narrower than s everywhere, laid as spirals of
// their own with lead-in and lead-out 0.85 s apart: the arm of a U room
// (seed 2, U 15; seed 4, U 47 and 60). A level step at the room's end
// towards an innermost sliver that turned back beside the run at 48 degrees
// (seed 4, two-slanted 57). Rooms about two and a half spacings deep, and a
// corridor whose level 1 is a strip narrower than a spacing, where the
// out-run's bridge took level 1 at a far corner and the centre's join laid
// one or two of its sides and cut a corner of the first loop: a third of
// the room bare (seed 1 tiny 36, 60, 77, 88, 97; seed 2 tiny 41, 45, 58, 68,
// 71, 77, 82 and corridor 8); laid again the other ways, the fullest sound
// one kept. Bowed rooms whose runs step inward parallel to the slanted or
// round wall, the step's foot one margin along the loop from where the
// other run left it the same slant: the two runs 0.91-0.95 s apart (seed 1
// bowed 52, 74; seed 2 bowed 59). Pipe ends beside a corner of the first
// loop, a run turning it right after its lead (0.92-0.99 s from the other
// end, the checker's pipe-ends allowance): seed 1 L 89, two-slanted 42;
// seed 3 T 33; seed 4 two-slanted 53, 55. A centre whose join left a
// triangular innermost loop 0.96 s from its acute corner, within s of the
// loop's box but not of the box's diagonal (seed 1 slanted 70). A level
// loop with a sliver section 2.3 micrometres long between two collinear
// sides: the pipe along it two pieces meeting across a piece of no length
// (seed 5 T 78). Lobes whose entry lay at a bend of L of two degrees (a
// round wall's polygon), the leads side by side 0.84-0.93 s apart (seed 3
// bowed 30; seed 4 bowed 11), and lobes whose exit lay short of a square
// corner of L, the lead-out beside L's next side (seed 2 bowed 82, seed 5
// bowed 31 once the entry moved off such bends). A T room whose innermost
// level was a bent strip narrower than s everywhere, the centre laid round
// it 0.67 s across (seed 6 T 99). A bowed wall meeting both straight walls
// at acute corners, its end sides a little longer than s: each corner's tip
// was taken for a neck, the bottom tip closed into the first loop and the
// rest of the room left to the detours, both runs then on that tip's one
// side (seed 6 bowed 59, the pipe over itself). Rooms the command's own
// check refused (9005) while the judge called them sound: a centre folding
// back at 12-14 degrees over legs of 100 mm, which the spiral's own fold
// test passed (seed 3 slanted 75, 86), and a wall's jog whose 16-24 mm step
// beside a run the fold test took for a crossing (seed 2 jog 13; seed 3 jog
// 89); an offset loop with a spike 2 mm wide beside a wall's jog (seed 2 jog
// 31). Floor left farther than 1.5 s from the pipe: a U room's arm left to
// the detours and the corner of an arm (seed 1 U 57, 95), a T room's bar
// beside its stem (seed 1 T 42), a trapezoid's corner behind a level step
// (seed 1 trapezoid 60; seed 3 trapezoid 73), a tiny room's middle beside
// no loop (seed 2 tiny 34), a stem's end (seed 3 stem 15) and a corridor's
// (seed 3 corridor 12). T rooms entered by the stem whose run found no
// candidate for its level step and stepped at the end of its stretch onto
// the corner at the T's junction, crossing the other run's loop beside
// where that run's pipe goes on: 0.21-0.37 s apart (seed 2 stem 57; seed 5
// stem 37), or 0.59 s where the runs' two steps met at a cross's junction
// (seed 4 stem 45); laid with the other turn choice. Sub-areas whose lobe's
// nearest point lay behind the entry along the main loop: the lead-in
// slanted back 40 degrees towards the run that came to the entry, 0.87-0.91
// s from it (seed 2 side-bowed 60; seed 4 bowed 47); entry and exit moved
// back along the loop until it keeps s.
TEST(RandomRoomsMended, DoubleSpiral) {
  const zone_design_test::UnitScope units(1000);
  const std::tuple<std::uint64_t, Family, int> mended[] = {
      {1, Family::kSlanted, 0},    {1, Family::kSlanted, 1},  {1, Family::kSlanted, 37}, {1, Family::kRectangle, 83},
      {1, Family::kL, 51},         {1, Family::kHall, 61},    {1, Family::kJog, 80},     {1, Family::kSlanted, 12},
      {1, Family::kBowed, 61},     {1, Family::kBowed, 44},   {1, Family::kTwoSlanted, 43}, {1, Family::kBowed, 0},
      {1, Family::kSlanted, 6},    {1, Family::kTwoSlanted, 2}, {1, Family::kT, 89},     {1, Family::kU, 82},
      {2, Family::kTiny, 11},      {1, Family::kBowed, 31},   {1, Family::kBowed, 34},   {1, Family::kBowed, 48},
      {1, Family::kBowed, 75},     {1, Family::kBowed, 87},   {2, Family::kBowed, 64},   {2, Family::kU, 15},
      {4, Family::kU, 47},         {4, Family::kU, 60},       {4, Family::kTwoSlanted, 57}, {1, Family::kTiny, 36},
      {1, Family::kTiny, 60},      {1, Family::kTiny, 77},    {1, Family::kTiny, 88},    {1, Family::kTiny, 97},
      {2, Family::kTiny, 41},      {2, Family::kTiny, 45},    {2, Family::kTiny, 58},    {2, Family::kTiny, 68},
      {2, Family::kTiny, 71},      {2, Family::kTiny, 77},    {2, Family::kTiny, 82},    {2, Family::kCorridor, 8},
      {1, Family::kBowed, 52},     {1, Family::kBowed, 74},   {2, Family::kBowed, 59},   {1, Family::kL, 89},
      {1, Family::kTwoSlanted, 42}, {3, Family::kT, 33},      {4, Family::kTwoSlanted, 53}, {4, Family::kTwoSlanted, 55},
      {1, Family::kSlanted, 70},   {5, Family::kT, 78},       {3, Family::kBowed, 30},   {4, Family::kBowed, 11},
      {2, Family::kBowed, 82},     {5, Family::kBowed, 31},   {6, Family::kT, 99},       {6, Family::kBowed, 59},
      {3, Family::kSlanted, 75},   {3, Family::kSlanted, 86}, {2, Family::kJog, 13},     {3, Family::kJog, 89},
      {2, Family::kJog, 31},       {1, Family::kU, 57},       {1, Family::kU, 95},       {1, Family::kT, 42},
      {1, Family::kTrapezoid, 60}, {3, Family::kTrapezoid, 73}, {2, Family::kTiny, 34},  {3, Family::kStem, 15},
      {3, Family::kCorridor, 12}, {2, Family::kStem, 57},   {5, Family::kStem, 37},
      {4, Family::kStem, 45},      {2, Family::kSideBowed, 60}, {4, Family::kBowed, 47},
      // Judged short only for arms or tips narrower than a hairpin, which hold no loop.
      {1, Family::kStem, 81},      {2, Family::kStem, 13},    {5, Family::kStem, 93},    {5, Family::kNarrowCorridor, 89}};
  for (const auto& [seed, family, index] : mended) {
    const random_rooms::Room room = random_rooms::makeRoom(seed, family, index);
    const room_design::Verdict verdict = room_design::designAndJudge(room, kSpiral, 0);
    EXPECT_TRUE(verdict.ok()) << room.description() << "\n  " << verdict.summary();
  }
}

// Small rooms whose double spiral laid 0.82-0.85 of the pipe its first loop
// wants, the leads counted with it: the fill of a short layout was never
// tried, and laid 15-18 % more once the leads were left out of the count.
TEST(RandomRoomsMended, DoubleSpiralFilledWithoutItsLeads) {
  const zone_design_test::UnitScope units(1000);
  const std::tuple<std::uint64_t, Family, int, double> filled[] = {{4, Family::kLeadAtBorder, 93, 4798.0},
                                                                    {2, Family::kTiny, 96, 5668.0}};
  for (const auto& [seed, family, index, length] : filled) {
    const random_rooms::Room room = random_rooms::makeRoom(seed, family, index);
    const room_design::Verdict verdict = room_design::designAndJudge(room, kSpiral, 0);
    EXPECT_TRUE(verdict.ok()) << room.description() << "\n  " << verdict.summary();
    EXPECT_GT(verdict.laidLength, length - 1.0) << room.description();
  }
}

// Meander rooms beyond the rooms CI designs per family that once broke the
// spacing:
// - seed 1: the pipe ends beside a narrow tip of the first loop, its other
//   side coming back within s of the end's lead: a corridor entered by its
//   long wall next to its slanted far end (corridor 94);
// - seed 2: U rooms whose middle gap's runs were shortened beside the
//   notch, the gap's half spacing then still allowed beyond their new ends:
//   the hairpin's turn or a shortened leg's tip within s of the first loop
//   round the notch's corner (U 6, 58, 99); a bowed room whose first loop's
//   acute corner (the bowed wall meeting the wall the pipe enters by) kept
//   its pocket because a hairpin beside it, shortened only afterwards, stood
//   too near every connector (bowed 90);
// - seed 3: both pipe ends beyond the apex of the first loop's narrow tip at
//   a corridor's slanted far end, the supply and the return walking along
//   the tip's two sides nearer than s (corridor 41).
// And rooms whose corner between a bowed wall and a straight one was left
// bare, 1.5 to 2.2 s from the pipe: the last leg ended beside the bowed
// wall, and the pocket cut for it took the leg, the walk along the straight
// wall and the walk into the corner with it (seed 1 side-bowed 82; seed 2
// bowed 39; seed 4 bowed 32; seed 5 bowed 72, the corner the apex of a
// room narrowing to a point).
// A room narrowing to a tip between a bowed wall and the far wall, whose
// last run, 1.4 s long and crossing no inner loop, was turned into below
// its exit from the first loop (its depth limit taken from the boundary
// beyond), the way back up it passing that exit on the walk: the pipe met
// itself 9 mm outside the first loop (seed 4 bowed 47).
// A narrow corridor's slanted far end: the pocket of the first loop's narrow
// tip was left uncut because the corner beyond it along the walk, not yet
// cut, stood within the reach its connectors are judged over; the two walks
// into the tip 0.94 s apart (seed 2 narrow-corridor 71).
// A trapezoid whose runs stand slanted to the far wall: a run 110 mm long
// between its turn and the slanted wall met the walk along that wall at 10
// degrees, a fold the command's own check refused (9005) while the spacing
// rule passed it over as neighbours (seed 3 trapezoid 9; its laid length is
// still short of the judge's expectation, judged apart).
// Rooms narrowing to a tip beyond the last run, whose pocket's square cut at
// the last leg took the walk into the tip with it, leaving the tip 2 s and
// more from the pipe: finished again with each pocket cut by the connector
// that leaves out the least pipe (seed 4 two-slanted 71; seed 5 trapezoid 9).
// The acute corner between a bowed wall and a straight one left bare (1.8 s)
// because the finish with the hairpins shortened first, which covers it,
// turned sharper than the first finish at a stub (seed 2 side-bowed 63).
// Rooms the meander hands to the double spiral (no two crossings of the
// first loop), whose detour hairpins were chosen 0.75 s from the pipe: a
// hairpin's end 0.84-0.97 s from a run slanting past it, now drawn back to
// keep s (seed 1 corridor 50, 85; seed 3 narrow-corridor 83; seed 1 tiny 67).
// Corridors entered by their end 4-4.5 runs wide, laying the even four the
// pipe's way in and out allows, once judged short against five (seed 4
// corridor 64; seed 3 corridor 62; seed 2 narrow-corridor 75).
// A corridor whose middle-gap hairpin, shortened below s, the judge took for
// no gap and so for a pipe 0.7 s from itself (seed 5 corridor 2).
TEST(RandomRoomsMended, Meander) {
  const zone_design_test::UnitScope units(1000);
  using Room = std::tuple<std::uint64_t, Family, int>;
  const Room mended[] = {
      {1, Family::kCorridor, 94}, {2, Family::kU, 6}, {2, Family::kU, 58}, {2, Family::kU, 99}, {2, Family::kBowed, 90},
      {3, Family::kCorridor, 41}, {1, Family::kSideBowed, 82}, {2, Family::kBowed, 39}, {4, Family::kBowed, 32},
      {5, Family::kBowed, 72}, {4, Family::kBowed, 47}, {2, Family::kNarrowCorridor, 71},
      {4, Family::kTwoSlanted, 71}, {5, Family::kTrapezoid, 9}, {2, Family::kSideBowed, 63},
      {1, Family::kCorridor, 50}, {1, Family::kCorridor, 85}, {3, Family::kNarrowCorridor, 83}, {1, Family::kTiny, 67},
      {4, Family::kCorridor, 64}, {3, Family::kCorridor, 62}, {2, Family::kNarrowCorridor, 75},
      {5, Family::kCorridor, 2}};
  // Mended but for the length.
  const Room shortOfLength[] = {{3, Family::kTrapezoid, 9}};
  for (const bool whole : {true, false}) {
    for (const auto& [seed, family, index] : whole ? std::span<const Room>(mended) : std::span<const Room>(shortOfLength)) {
      const random_rooms::Room room = random_rooms::makeRoom(seed, family, index);
      for (const std::uint32_t displayType : {0u, 2u}) {
        const room_design::Verdict verdict = room_design::designAndJudge(room, kMeander, displayType);
        EXPECT_TRUE(whole ? verdict.ok() : verdict.okApartFrom("length"))
            << room.description() << "\n  " << verdict.summary();
      }
    }
  }
}

// A room of a floor whose wall is bowed a little (a bulge of a few
// thousandths: radius some 100 m): the chords of the arc turn by a fraction
// of a degree, and the deeper offset levels once joined their offsets round
// the far ends of parallel probes, so that no second level was left, the
// meander fell back to a spiral and the pipe ran 100 m out of the room
// (floors seed 5 floor 16, seed 16 floor 8).
TEST(RandomRoomsMended, MeanderBesideAWideArc) {
  const zone_design_test::UnitScope units(1000);
  for (const double bulge : {0.006, 0.01}) {
    random_rooms::Room room;
    room.shape = "4622 x 4394, the far wall bowed out by a bulge of " + std::to_string(bulge);
    room.outline = {{{4622, 4394}, 0.0}, {{4622, 0}, 0.0}, {{0, 0}, bulge}, {{0, 4394}, 0.0}};
    room.pipe = {{6205.5, 965.5}, {4622, 965.5}};
    room.entry = room.pipe.back();
    room.inward = XtGeVector2d(-1.0, 0.0);
    room.manifold.insert = XtGePoint2d(5905.5, 865.5);
    room.spacing = 0.194;
    room.borderFixed = true;
    room.borderR = 0.099;
    room.pipePitch = 0.15;
    const room_design::Verdict verdict = room_design::designAndJudge(room, kMeander, 0);
    EXPECT_TRUE(verdict.ok()) << room.shape << "\n  " << verdict.summary();
  }
}

INSTANTIATE_TEST_SUITE_P(Sound, RandomRooms, testing::ValuesIn(cases(true)), caseName);
INSTANTIATE_TEST_SUITE_P(DISABLED_ToMend, RandomRooms, testing::ValuesIn(cases(false)), caseName);

}  // namespace
