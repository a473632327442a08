#include "heating/design/calculation/ChangeThreshold.h"

#include <cmath>

bool differsByAtLeast(double stored, double next, double threshold) {
  if (!std::isfinite(next)) return false;
  // A stored value that is not finite (never set soundly) is always replaced.
  if (!std::isfinite(stored)) return true;
  return std::fabs(next - stored) >= threshold * (1.0 - 1e-9);
}
