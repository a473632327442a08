// The name sort of the gbXML export over 20,000 names like those of a large
// building (storeys, rooms, "pp" and "np" marked constructions), and the
// hatch preview of a dense four-family dashed pattern in a 256-px box.
#include "geometry/hatchPreview.h"
#include "geometry/textRoutines.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::u16string> gbxmlNames(int count) {
  static const char16_t* const stems[] = {u"Room ", u"pp_Wall ", u"NP floor ", u"Roof-", u"ppNP ", u"Space ", u""};
  std::mt19937 random(7);
  std::vector<std::u16string> names;
  names.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    std::u16string name = stems[random() % 7];
    for (char c : std::to_string(random() % 5000)) name.push_back(static_cast<char16_t>(c));
    if (random() % 3 == 0) name += u".a";
    names.push_back(std::move(name));
  }
  return names;
}

void sortGbxmlNames(benchmark::State& state) {
  const std::vector<std::u16string> names = gbxmlNames(20000);
  for (auto _ : state) {
    std::vector<std::u16string> sorted = names;
    std::sort(sorted.begin(), sorted.end(),
              [](const std::u16string& a, const std::u16string& b) { return compareNamesPpNp(a.c_str(), b.c_str()) < 0; });
    benchmark::DoNotOptimize(sorted.data());
  }
}
BENCHMARK(sortGbxmlNames)->Unit(benchmark::kMillisecond);

void hatchPreviewDense(benchmark::State& state) {
  // Spacing 4 px, pattern 8 px, four directions.
  std::vector<hatchFamily> families;
  for (const double angle : {0.0, 45.0, 90.0, 135.0}) {
    const double t = angle * std::acos(-1.0) / 180.0;
    families.push_back(hatchFamily{angle, {1.5, 2.5}, {-4.0 * std::sin(t) + std::cos(t), 4.0 * std::cos(t) + std::sin(t)}, {5.0, -3.0}});
  }
  std::vector<XtGeLineSeg2d> segments;
  for (auto _ : state) {
    segments.clear();
    benchmark::DoNotOptimize(hatchPreviewSegments(families, 256, 0, segments));
  }
  state.counters["segments"] = static_cast<double>(segments.size());
}
BENCHMARK(hatchPreviewDense)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
