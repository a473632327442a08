#include "host/entities/HatchPatternLines.h"

#include <cmath>

#include "host/ResbufBuilder.h"
#include "host/entities/finiteValues.h"

resbuf* writeHatchPatternLine(const ltHatchPatternLine& line) {
  if (!allFinite({line.angle, line.base.x, line.base.y, line.offset.x, line.offset.y})) return nullptr;
  std::vector<ResbufPair> pairs{{53, line.angle},    {43, line.base.x},   {44, line.base.y},
                                {45, line.offset.x}, {46, line.offset.y}, {79, static_cast<std::int64_t>(line.dashes.size())}};
  for (double dash : line.dashes) {
    if (!std::isfinite(dash)) return nullptr;
    pairs.push_back({49, dash});
  }
  return buildResbufList(pairs);  // null when the count does not fit 79
}

const resbuf* readHatchPatternLine(ltHatchPatternLine& line, const resbuf* node) {
  constexpr int kCodes[] = {53, 43, 44, 45, 46};
  double values[5];
  const resbuf* at = node;
  for (int i = 0; i < 5; ++i, at = at->next) {
    if (at == nullptr || at->code != kCodes[i] || !std::isfinite(at->value.real)) return node;
    values[i] = at->value.real;
  }
  if (at == nullptr || at->code != 79 || at->value.i16 < 0) return node;
  const int count = at->value.i16;
  at = at->next;
  std::vector<double> dashes;  // grows with the groups read, not with the count
  for (int i = 0; i < count; ++i, at = at->next) {
    if (at == nullptr || at->code != 49 || !std::isfinite(at->value.real)) return node;
    dashes.push_back(at->value.real);
  }
  line.angle = values[0];
  line.base.set(values[1], values[2]);
  line.offset.set(values[3], values[4]);
  line.dashes = std::move(dashes);
  return at;
}
