// The command's own check of laid pipes (warning 9005, LaidPipeSoundness.h)
// against the independent layout checker on seeded random rooms of every
// family, with both circuit shapes: a pipe the checker finds meeting itself,
// lying outside the zone or nearer to itself than the pipe is thick is
// named, and one it finds sound is not.
#include <gtest/gtest.h>

#include <iostream>
#include <map>

#include "RoomDesign.h"
#include "tests/heating/design/ZoneDesignTestSupport.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kRooms = 2;
#else
constexpr int kRooms = 12;
#endif

TEST(SoundnessAgreement, NamesWhatTheCheckerFindsCrossingOrOutsideAndNothingSound) {
  const zone_design_test::UnitScope units(1000);
  std::map<std::string, int> tally;
  for (const std::uint32_t shape : {0u, 1u}) {
    for (const random_rooms::Family family : random_rooms::kFamilies) {
      for (int index = 0; index < kRooms; ++index) {
        const random_rooms::Room room = random_rooms::makeRoom(57, family, index);
        const room_design::Verdict verdict = room_design::designAndJudge(room, shape, index % 2 == 0 ? 0u : 2u);
        // Runs nearer than the pipe is thick (17 mm) overlap.
        bool overlapping = false;
        for (const auto& broken : verdict.broken)
          overlapping |= broken.rule == "spacing" && broken.inSpacings * verdict.spacing < 17.0;
        const bool unsound = verdict.breaks("crosses") || verdict.breaks("outside") || overlapping;
        const bool sound = verdict.okApartFrom("unsound");
        const std::string key = std::string(unsound ? "unsound" : sound ? "sound" : "other") +
                                (verdict.namedUnsound ? " named" : " not named");
        ++tally[key];
        // Other faults (runs nearer than s, a short pipe, ...) may bring
        // points of the pipe within d of each other, or not.
        if (unsound != verdict.namedUnsound && (unsound || sound))
          ADD_FAILURE() << (shape == 0 ? "meander, " : "double spiral, ") << room.description() << "\n  "
                        << verdict.summary() << "\n  named: " << verdict.namedUnsound;
      }
    }
  }
  for (const auto& [key, n] : tally) std::cout << key << ": " << n << "\n";
}

}  // namespace
