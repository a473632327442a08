#include "host/entities/mleaderRecord.h"

std::vector<int> listMLeaderOverrides(const mleaderStyle& record) {
  std::vector<int> numbers;
  for (int bit = 0; bit <= 30; ++bit)
    if ((record.overrideFlags >> bit) & 1u) numbers.push_back(bit);
  return numbers;
}
