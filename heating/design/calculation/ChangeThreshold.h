// When a change-detecting setter of the design model takes a new value, and
// the two steps every such setter shares: store the value, clear the
// record's valid flag, answer whether it changed.
#pragma once

#include <cstdint>
#include <utility>

// Whether `next` differs from `stored` by at least `threshold`. The
// comparison allows a slack of 1e-9 x threshold, so that a step of exactly
// one threshold between decimal inputs counts although binary arithmetic
// makes it a hair smaller (4.01 - 4.0 < 0.01). False when `next` is not a
// finite number (the setters refuse such values); true for any finite `next`
// when `stored` is not finite.
bool differsByAtLeast(double stored, double next, double threshold);

// Stores `next` and clears `valid` when it differs by at least the threshold;
// answers whether it did.
inline bool changeByThreshold(double& field, double next, double threshold, std::uint8_t& valid) {
  if (!differsByAtLeast(field, next, threshold)) return false;
  field = next;
  valid = 0;
  return true;
}

// Stores `next` and clears `valid` when it differs at all (flags, indexes).
template <typename T>
bool changeIfDifferent(T& field, T next, std::uint8_t& valid) {
  if (field == next) return false;
  field = std::move(next);
  valid = 0;
  return true;
}
