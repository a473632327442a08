#include "ui/gdi/solid.h"

namespace GDI {

void solid::reset() {
  valid = false;
  samplingScale = 0.0;
  extents.setEmpty();
  points.removeAll();
}

}  // namespace GDI
