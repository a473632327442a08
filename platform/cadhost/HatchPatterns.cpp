#include "platform/cadhost/HatchPatterns.h"

#include <iterator>

namespace cadhost {

namespace {

// Lines 3.175 apart (1/8 inch), as the ANSI patterns have them.
constexpr double kStep = 3.175;

constexpr HostHatchPatternLine kAnsi31[] = {{0, 45.0, 0.0, 0.0, 0.0, kStep, nullptr}};
constexpr HostHatchPatternLine kAnsi37[] = {{0, 45.0, 0.0, 0.0, 0.0, kStep, nullptr},
                                            {0, 135.0, 0.0, 0.0, 0.0, kStep, nullptr}};

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
