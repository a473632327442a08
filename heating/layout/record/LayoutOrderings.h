// The orders in which the layout steps sort points along a loop, loops by
// their distance from a point, and the records of the spiral's detours.
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
#include <limits>
#include <numeric>
#include <utility>
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

// ---- The orders of the spiral layout --------------------------------------------
//
// Each order below is a strict weak order over keys computed once per item
// (a sort over n items measures n keys), and each sort is stable: items of
// equal keys keep their input order.

// Whether loop a goes before loop b: the loop whose nearest point
// (CLoop::closestPoint, tol) lies nearer to the reference point first. A
// loop without curves has no nearest point and goes last.
struct compareLoopDistanceToPoint {
  compareLoopDistanceToPoint(const XtGePoint2d& reference, const XtGeTol& tol) : reference(&reference), tol(&tol) {}

  double distanceTo(const CLoop& loop) const {
    CLoopPoint nearest;
    return loop.closestPoint(*reference, nearest, *tol) ? nearest.point.distanceTo(*reference)
                                                          : std::numeric_limits<double>::infinity();
  }
  bool operator()(const CLoop& a, const CLoop& b) const { return distanceTo(a) < distanceTo(b); }

  const XtGePoint2d* reference;
  const XtGeTol* tol;
};

// Sorts the items stably by a key measured once per item.
template <typename T, typename KeyOf>
void stableSortByKey(std::vector<T>& items, KeyOf keyOf) {
  std::vector<std::pair<double, std::size_t>> keys;
  keys.reserve(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) keys.emplace_back(keyOf(items[i]), i);
  std::stable_sort(keys.begin(), keys.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
  std::vector<T> sorted;
  sorted.reserve(items.size());
  for (const auto& key : keys) sorted.push_back(std::move(items[key.second]));
  items = std::move(sorted);
}

// Sorts loops nearest the reference point first (compareLoopDistanceToPoint).
template <typename Loop>
void sortLoopsByDistanceToPoint(std::vector<Loop*>& loops, const XtGePoint2d& reference, const XtGeTol& tol) {
  const compareLoopDistanceToPoint order(reference, tol);
  stableSortByKey(loops, [&](const Loop* loop) {
    return loop != nullptr ? order.distanceTo(*loop) : std::numeric_limits<double>::infinity();
  });
}

// Whether point a goes before point b along the owner loop of a node: each
// point is projected onto that loop (CLoop::closestPoint, tol) and the
// shorter way along it from the node (CLoop::lengthBetween in the walking
// direction) goes first. Points that do not project, and every point when
// the node has no owner loop, measure 0.
struct comparePointsAlongOwnerLoop {
  comparePointsAlongOwnerLoop(const CLoop* ownerLoop, const CLoopPoint& node, bool forward, const XtGeTol& tol)
      : loop(ownerLoop), node(&node), forward(forward), tol(&tol) {}

  double lengthTo(const XtGePoint2d& p) const {
    CLoopPoint onLoop;
    if (loop == nullptr || !loop->closestPoint(p, onLoop, *tol)) return 0.0;
    return loop->lengthBetween(*node, onLoop, forward, *tol);
  }
  bool operator()(const XtGePoint2d& a, const XtGePoint2d& b) const { return lengthTo(a) < lengthTo(b); }

  const CLoop* loop;
  const CLoopPoint* node;
  bool forward;
  const XtGeTol* tol;
};

// The orders of records with doubles: a record's third value is its
// `offset` and its fourth its `position` (the detour candidates'
// CFHConnectorCandidate, whose first two values are its indices).

// Whether a goes before b ascending by the fourth value.
template <typename R>
bool compareByFourthValue(const R& a, const R& b) {
  return a.position < b.position;
}

// Ascending by the third value, with near values ordered by the fourth,
// descending: stable by the third value, then each run of records whose
// third values lie within `near` of the run's first member is sorted
// stably by the fourth value, largest first. (A pairwise "within `near`"
// test is not a strict order; the runs make one.)
template <typename R>
void sortByThirdThenFourth(std::vector<R>& records, double near) {
  std::stable_sort(records.begin(), records.end(), [](const R& a, const R& b) { return a.offset < b.offset; });
  for (std::size_t first = 0; first < records.size();) {
    std::size_t end = first + 1;
    while (end < records.size() && records[end].offset - records[first].offset < near) ++end;
    std::stable_sort(records.begin() + static_cast<std::ptrdiff_t>(first),
                     records.begin() + static_cast<std::ptrdiff_t>(end),
                     [](const R& a, const R& b) { return a.position > b.position; });
    first = end;
  }
}

// The key distance under which two records' keys count as one cluster.
inline constexpr double kKeyClusterWidth = 0.01;

// Ascending by `key`, records whose keys lie within kKeyClusterWidth of
// their cluster's first member keeping their input order: sorted stably by
// key, then each cluster (a run of keys within the width of its first) is
// put back into input order. Clusters follow each other ascending by their
// first member.
template <typename R>
void sortByKeyThenMax(std::vector<R>& records) {
  std::vector<std::pair<double, std::size_t>> keys;
  keys.reserve(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) keys.emplace_back(records[i].key, i);
  std::stable_sort(keys.begin(), keys.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
  for (std::size_t first = 0; first < keys.size();) {
    std::size_t end = first + 1;
    while (end < keys.size() && keys[end].first - keys[first].first < kKeyClusterWidth) ++end;
    std::sort(keys.begin() + static_cast<std::ptrdiff_t>(first), keys.begin() + static_cast<std::ptrdiff_t>(end),
              [](const auto& x, const auto& y) { return x.second < y.second; });
    first = end;
  }
  std::vector<R> sorted;
  sorted.reserve(records.size());
  for (const auto& key : keys) sorted.push_back(std::move(records[key.second]));
  records = std::move(sorted);
}
