#include "platform/cadhost/HatchPatterns.h"

#include <iterator>
#include <numbers>

namespace cadhost {

namespace {

// Lines 3.175 apart (1/8 inch), as the ANSI patterns have them.
constexpr double kStep = 2.2450640303;  // 3.175 / sqrt(2)
constexpr double kQuarter = std::numbers::pi / 4;

constexpr HostHatchPatternLine kAnsi31[] = {{kQuarter, 0.0, 0.0, -kStep, kStep, 0, nullptr}};
constexpr HostHatchPatternLine kAnsi37[] = {{kQuarter, 0.0, 0.0, -kStep, kStep, 0, nullptr},
                                            {3 * kQuarter, 0.0, 0.0, -kStep, -kStep, 0, nullptr}};

constexpr HostHatchPattern kPatterns[] = {
    {"SOLID", "Solid fill", 0, 0, nullptr},
    {"ANSI31", "ANSI Iron, Brick, Stone masonry", 1, 0, kAnsi31},
    {"ANSI37", "ANSI Lead, Zinc, Magnesium", 2, 0, kAnsi37},
};

}  // namespace

const HostHatchPattern* hostHatchPatterns(std::size_t& count) {
  count = std::size(kPatterns);
  return kPatterns;
}

}  // namespace cadhost
