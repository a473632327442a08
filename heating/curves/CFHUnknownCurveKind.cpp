#include "heating/curves/CFHUnknownCurveKind.h"

#include <cstdio>

CFHUnknownCurveKind::CFHUnknownCurveKind(long long kind) noexcept : kind_(kind) {
  std::snprintf(message_.data(), message_.size(), "unknown heating curve kind %lld", kind);
}
