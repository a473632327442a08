#include "heating/curves/CGLHTesselationData.h"

#include "tests/heating/curves/TessTestSupport.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <fstream>
#include <limits>
#include <random>
#include <string>

using namespace tess_test;

namespace {

// How often the closed runs wind around (px, py); 99 when it lies within 1e-6
// of an edge, where the answer is not meaningful.
int windingAround(const std::vector<std::vector<double>>& runs, double px, double py) {
  int winding = 0;
  for (const auto& run : runs) {
    const std::size_t n = run.size() / 3;
    for (std::size_t i = 0; i < n; ++i) {
      const double ax = run[3 * i], ay = run[3 * i + 1];
      const double bx = run[3 * ((i + 1) % n)], by = run[3 * ((i + 1) % n) + 1];
      const double cross = (bx - ax) * (py - ay) - (px - ax) * (by - ay);
      const double len2 = std::max(1e-300, (bx - ax) * (bx - ax) + (by - ay) * (by - ay));
      const double t = std::clamp(((px - ax) * (bx - ax) + (py - ay) * (by - ay)) / len2, 0.0, 1.0);
      if (std::hypot(ax + t * (bx - ax) - px, ay + t * (by - ay) - py) < 1e-6) return 99;
      if (ay <= py && by > py && cross > 0) ++winding;
      if (ay > py && by <= py && cross < 0) --winding;
    }
  }
  return winding;
}

bool hasVertex(const std::vector<double>& run, double x, double y) {
  for (std::size_t i = 0; i + 2 < run.size(); i += 3) {
    if (run[i] == x && run[i + 1] == y) return true;
  }
  return false;
}

}  // namespace

TEST(CGLHTesselationData, NoContourGivesTrueAndNoOutput) {
  CGLHTesselationData tess;
  EXPECT_TRUE(tess.tessellateBoundary());
  EXPECT_TRUE(outputContours(tess).empty());
}

// Two squares [0,2]² and [1,3]², also far from the origin: one sense gives
// their union, opposite senses the L that the clockwise one leaves; the
// same with the vertices given to the tessellator quarter turned.
TEST(CGLHTesselationData, OverlappingSquares) {
  for (const double o : {0.0, 1e7}) {
    for (const bool clockwise : {false, true}) {
      for (const bool turned : {false, true}) {
        CGLHTesselationData tess;
        tess.setQuarterTurned(turned);
        addRectangle(tess, o, o, o + 2, o + 2);
        addRectangle(tess, o + 1, o + 1, o + 3, o + 3, clockwise);
        ASSERT_TRUE(tess.tessellateBoundary());
        auto runs = outputContours(tess);
        ASSERT_EQ(runs.size(), 1u);
        for (std::size_t i = 0; i < runs[0].size(); i += 3) {
          runs[0][i] -= o;
          runs[0][i + 1] -= o;
        }
        EXPECT_DOUBLE_EQ(signedArea(runs[0]), clockwise ? 3.0 : 7.0);
        EXPECT_EQ(runs[0].size(), (clockwise ? 6u : 8u) * 3);
        EXPECT_TRUE(hasVertex(runs[0], 2, 1));  // a vertex made where edges cross
        for (int i = 0; i < 3; ++i) {           // past the end, again and again
          std::uint32_t count = 7;
          EXPECT_EQ(tess.nextContour(count), nullptr);
          EXPECT_EQ(count, 0u);
        }
      }
    }
  }
}

TEST(CGLHTesselationData, LowestByteOfXAndYIsClearedInPlace) {
  CGLHTesselationData tess;
  const double x = std::nextafter(2.0, 3.0);
  const double y = std::bit_cast<double>(std::bit_cast<std::uint64_t>(2.0) | 0x1FF);
  addRectangle(tess, 0, 0, x, y);
  ASSERT_TRUE(tess.tessellateBoundary());
  const auto runs = outputContours(tess);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_TRUE(hasVertex(runs[0], 2.0, std::bit_cast<double>(std::bit_cast<std::uint64_t>(2.0) | 0x100)));
}

// Contours are fed once; reset empties the object for its next use.
TEST(CGLHTesselationData, FeedsEachInputContourOnce) {
  CGLHTesselationData tess;
  tess.appendVertex(5, 5, 0);  // begins a contour by itself
  std::uint32_t count = 0;
  EXPECT_NE(tess.nextContour(count, false), nullptr);  // read, so not fed
  EXPECT_EQ(count, 3u);
  addRectangle(tess, 0, 0, 1, 1);
  ASSERT_TRUE(tess.tessellateBoundary());
  addRectangle(tess, 5, 5, 6, 7);
  ASSERT_TRUE(tess.tessellateBoundary());  // feeds only the new rectangle
  const auto runs = outputContours(tess);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_DOUBLE_EQ(signedArea(runs[0]) + signedArea(runs[1]), 3.0);
  tess.reset();
  ASSERT_TRUE(tess.tessellateBoundary());
  EXPECT_TRUE(outputContours(tess).empty());
}

TEST(CGLHTesselationData, FailuresAnswerFalseWithoutOutput) {
  for (const double bad : {1e200, std::numeric_limits<double>::quiet_NaN()}) {
    CGLHTesselationData tess;
    addRectangle(tess, 0, 0, 2, 2);
    addRectangle(tess, 0, 0, bad, 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(tess.tessellateBoundary());
    const std::string err = testing::internal::GetCapturedStderr();
    const char* expected = bad == 1e200 ? "[CGLHTesselationData] : (GLU ERROR) : "
                                        : "[CGLHTesselationData] : tessellateBoundary() : ";
    EXPECT_EQ(err.rfind(expected, 0), 0u) << err;
    EXPECT_TRUE(outputContours(tess).empty());
    tess.reset();  // usable again
    addRectangle(tess, 0, 0, 2, 2);
    ASSERT_TRUE(tess.tessellateBoundary());
    EXPECT_EQ(outputContours(tess).size(), 1u);
  }
}

// Random self-crossing contours of either sense, with degenerate ones among
// them: a point is inside the output exactly when the input winds around it a
// positive number of times.
TEST(CGLHTesselationData, OutputCoversThePositivelyWoundPoints) {
  std::mt19937 random(20240611);
  std::uniform_real_distribution<double> coordinate(0.0, 100.0);
  for (int round = 0; round < 50; ++round) {
    std::vector<std::vector<double>> inputs(1 + round % 3);
    CGLHTesselationData tess;
    tess.setQuarterTurned(round >= 25);  // the same with the sweep along y
    for (auto& run : inputs) {
      tess.beginInputContour();
      const int n = round % 5 == 4 ? 1 + round % 3 : 9;  // a point, a segment, a line
      for (int v = 0; v < n; ++v) {
        run.insert(run.end(), {coordinate(random), coordinate(random), 0.0});
        tess.appendVertex(run[3 * v], run[3 * v + 1], 0.0);
      }
    }
    ASSERT_TRUE(tess.tessellateBoundary());
    const auto outputs = outputContours(tess);
    for (double px = 1.0; px < 100; px += 1.9713) {
      for (double py = 1.0; py < 100; py += 1.9587) {
        const int in = windingAround(inputs, px, py);
        if (in == 99) continue;
        ASSERT_EQ(windingAround(outputs, px, py), in > 0 ? 1 : 0) << round << ": " << px << ", " << py;
      }
    }
  }
}

namespace {

// Two gears of 2,500 vertices each, turned half a tooth: 5,000 input vertices
// and 2,500 crossings. True when the one contour around them comes out.
bool tessellateGears() {
  CGLHTesselationData tess;
  addGear(tess, 1250, 0.0);
  addGear(tess, 1250, 2.0 * std::numbers::pi / 2500);
  if (!tess.tessellateBoundary()) return false;
  const auto runs = outputContours(tess);
  return runs.size() == 1 && runs[0].size() == 5000 * 3 &&  // tips and crossings
         signedArea(runs[0]) > std::numbers::pi * 99 * 99 && signedArea(runs[0]) < std::numbers::pi * 105 * 105;
}

}  // namespace

TEST(CGLHTesselationData, FiveThousandVerticesQuicklyInLittleMemory) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(tessellateGears());
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5.0);
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)  // their shadow takes the address space
  // Once more in a child whose address space may grow by 128 MB only
  // (3 x n x n doubles for n input values would be 5.4 GB).
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    alarm(30);  // bounds the wait below
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line) && line.rfind("VmSize:", 0) != 0) {
    }
    limit.rlim_cur = std::stoul(line.substr(7)) * 1024 + (128ul << 20);
    if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(3);
    bool ok = false;
    try {
      ok = tessellateGears();
    } catch (...) {
    }
    _exit(ok ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
#endif
}

// Where slanted edges cross far from the origin, the new vertices lie on both
// edges: the tessellator's single-precision blending alone would put them
// some 0.1 off.
TEST(CGLHTesselationData, CrossingsFarFromTheOriginLieOnTheirEdges) {
  const double o = 1e7;
  const std::vector<std::vector<double>> polygons{{o, o, o + 3, o, o + 3, o + 3, o, o + 3},
                                                  {o + 1, o + 1.3, o + 7.1, o + 2, o + 2.2, o + 5.3}};
  CGLHTesselationData tess;
  for (const auto& polygon : polygons) {
    tess.beginInputContour();
    for (std::size_t i = 0; i < polygon.size(); i += 2) tess.appendVertex(polygon[i], polygon[i + 1], 0.0);
  }
  ASSERT_TRUE(tess.tessellateBoundary());
  const auto runs = outputContours(tess);
  ASSERT_EQ(runs.size(), 1u);
  std::vector<std::vector<double>> inputs;  // as fed: x y z, lowest bytes of x and y cleared
  for (const auto& polygon : polygons) {
    auto& input = inputs.emplace_back();
    for (std::size_t i = 0; i < polygon.size(); i += 2)
      for (const double c : {polygon[i], polygon[i + 1], 0.0})
        input.push_back(std::bit_cast<double>(std::bit_cast<std::uint64_t>(c) & ~std::uint64_t{0xFF}));
  }
  double worst = 0.0;  // the largest distance of an output vertex from the nearest input edge
  for (std::size_t v = 0; v < runs[0].size(); v += 3) {
    double nearest = std::numeric_limits<double>::infinity();
    for (const auto& in : inputs) {
      for (std::size_t i = 0, n = in.size() / 3; i < n; ++i) {
        const double ax = in[3 * i] - o, ay = in[3 * i + 1] - o, px = runs[0][v] - o, py = runs[0][v + 1] - o;
        const double ux = in[3 * ((i + 1) % n)] - o - ax, uy = in[3 * ((i + 1) % n) + 1] - o - ay;
        const double t = std::clamp(((px - ax) * ux + (py - ay) * uy) / (ux * ux + uy * uy), 0.0, 1.0);
        nearest = std::min(nearest, std::hypot(ax + t * ux - px, ay + t * uy - py));
      }
    }
    worst = std::max(worst, nearest);
  }
  EXPECT_LT(worst, 1e-6);
}
