// Shapes and measures shared by the contour tessellation tests.
#pragma once

#include "heating/curves/CGLHTesselationData.h"

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace tess_test {

// Every output contour of the object, each as its run of x, y, z values.
inline std::vector<std::vector<double>> outputContours(CGLHTesselationData& tess) {
  std::vector<std::vector<double>> runs;
  std::uint32_t count = 0;
  while (const double* run = tess.nextContour(count)) runs.emplace_back(run, run + count);
  return runs;
}

// The signed area of a run of x, y, z values (positive when counter-clockwise).
inline double signedArea(const std::vector<double>& run) {
  const std::size_t n = run.size() / 3;
  double twice = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t j = (i + 1) % n;
    twice += run[3 * i] * run[3 * j + 1] - run[3 * j] * run[3 * i + 1];
  }
  return twice / 2.0;
}

// An axis-parallel rectangle as one input contour, counter-clockwise unless
// `clockwise`.
inline void addRectangle(CGLHTesselationData& tess, double x0, double y0, double x1, double y1,
                         bool clockwise = false) {
  const double xs[4] = {x0, x1, x1, x0}, ys[4] = {y0, y0, y1, y1};
  tess.beginInputContour();
  for (int i = 0; i < 4; ++i) tess.appendVertex(xs[clockwise ? 3 - i : i], ys[clockwise ? 3 - i : i], 0.0);
}

// A counter-clockwise gear of `teeth` teeth around the origin: its vertices
// alternate between the radii 95 and 105, turned by `turn` radians. Two gears
// turned by half a tooth against each other cross at every tooth.
inline void addGear(CGLHTesselationData& tess, int teeth, double turn) {
  tess.beginInputContour();
  const int n = 2 * teeth;
  for (int i = 0; i < n; ++i) {
    const double a = turn + 2.0 * std::numbers::pi * i / n;
    const double r = i % 2 == 0 ? 95.0 : 105.0;
    tess.appendVertex(r * std::cos(a), r * std::sin(a), 0.0);
  }
}

}  // namespace tess_test
