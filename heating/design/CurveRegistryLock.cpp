#include "heating/design/CurveRegistryLock.h"

std::shared_mutex& curveRegistryLock() {
  // Built on first use, never destroyed: curves made during static
  // initialisation or destroyed during static destruction still find it.
  static std::shared_mutex* lock = new std::shared_mutex;
  return *lock;
}
