// The phase counter of the spiral's centre turn: a counter that steps down
// from 4 to 0 as the turn's stages are spent, and the choice between the two
// sub-records of a phase by the stage reached.
//
// Nothing in the spiral calls these yet; they keep the counting rules of the
// centre turn in one place for when its phases are laid step by step.
// Threads: a plain value, used by one design thread.
#pragma once

struct CentreTurnPhase {
  // One stage spent: 4 becomes 3 and answers false, 1 becomes 0 and answers
  // true; any other counter stays and answers whether it is 0. The flag
  // does not change the answer.
  bool countDownOne(bool flag);
  // With neither flag: whether the counter is 0. Otherwise the counter steps
  // down one stage per flag, in the order 4 -> 3 (first), 3 -> 2 (second),
  // 2 -> 1 (second), 1 -> 0 (first); a stage is taken when the counter is at
  // least its upper value and its flag is given and not yet spent. Answers
  // whether the counter ended at 0.
  bool countDownTwo(bool first, bool second);

  // The first sub-record while the counter is below 4 (below 3), else the
  // second.
  template <typename T>
  T& pickBelow4(T& a, T& b) const {
    return counter < 4 ? a : b;
  }
  template <typename T>
  T& pickBelow3(T& a, T& b) const {
    return counter < 3 ? a : b;
  }

  int counter = 4;
};
