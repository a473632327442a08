#include "heating/layout/spiral/CentreTurnPhase.h"

bool CentreTurnPhase::countDownOne(bool /*flag*/) {
  if (counter == 4) {
    counter = 3;
    return false;
  }
  if (counter == 1) {
    counter = 0;
    return true;
  }
  return counter == 0;
}

bool CentreTurnPhase::countDownTwo(bool first, bool second) {
  if (!first && !second) return counter == 0;
  struct Stage {
    int from;
    int to;
    bool usesFirst;
  };
  static constexpr Stage kStages[] = {{4, 3, true}, {3, 2, false}, {2, 1, false}, {1, 0, true}};
  bool firstLeft = first;
  bool secondLeft = second;
  for (const Stage& stage : kStages) {
    bool& flag = stage.usesFirst ? firstLeft : secondLeft;
    if (counter >= stage.from && flag) {
      counter = stage.to;
      flag = false;
    }
  }
  return counter == 0;
}
