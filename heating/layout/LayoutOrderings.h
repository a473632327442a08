// The orders in which the layout steps sort points along a loop.
//
// compareLengthAlongLoop tells whether a goes before b: a when its length
// along the loop from the reference point (CLoop::lengthBetween, walking in
// the loop's own direction when `forward`, with the geometry library's global
// tolerance) is shorter. It measures both lengths at every call, so a sort
// over n points measures O(n log n) lengths; sortByLengthAlongLoop measures
// each point once and sorts stably by the lengths, which gives the same order
// (equal lengths keep their input order).
#pragma once

#include "heating/curves/CLoop.h"

#include "platform/ge/XtGeContext.h"

#include <algorithm>
#include <numeric>
#include <vector>

struct compareLengthAlongLoop {
  compareLengthAlongLoop(const CLoop& loop, const CLoopPoint& reference, bool forward)
      : loop(&loop), reference(&reference), forward(forward) {}

  double lengthTo(const CLoopPoint& p) const {
    return loop->lengthBetween(*reference, p, forward, XtGeContext::gTol);
  }
  bool operator()(const CLoopPoint& a, const CLoopPoint& b) const { return lengthTo(a) < lengthTo(b); }

  const CLoop* loop;
  const CLoopPoint* reference;
  bool forward;
};

// Sorts the items stably by the length along the loop from the reference
// point to pointOf(item) (a const CLoopPoint&), each length measured once.
template <typename T, typename PointOf>
void sortByLengthAlongLoop(std::vector<T>& items, const CLoop& loop, const CLoopPoint& reference, bool forward,
                           PointOf pointOf) {
  const compareLengthAlongLoop order(loop, reference, forward);
  std::vector<double> lengths;
  lengths.reserve(items.size());
  for (const T& item : items) lengths.push_back(order.lengthTo(pointOf(item)));
  std::vector<std::size_t> rank(items.size());
  std::iota(rank.begin(), rank.end(), std::size_t{0});
  std::stable_sort(rank.begin(), rank.end(), [&](std::size_t i, std::size_t j) { return lengths[i] < lengths[j]; });
  std::vector<T> sorted;
  sorted.reserve(items.size());
  for (std::size_t i : rank) sorted.push_back(std::move(items[i]));
  items = std::move(sorted);
}

// Whether a goes before b when points are sorted ascending by y; of two
// points at the same y neither goes first.
inline bool pointLessByY(const XtGePoint2d& a, const XtGePoint2d& b) { return a.y < b.y; }
