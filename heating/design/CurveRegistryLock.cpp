#include "heating/design/CurveRegistryLock.h"

std::mutex& curveRegistryLock() {
  // Constant-initialised, so curves made during static initialisation find it.
  static constinit std::mutex lock;
  return lock;
}
