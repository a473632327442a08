#include "ui/gdi/buffer_curve.h"

namespace GDI {

void buffer_curve::clear() {
  points.removeAll();
  runEnds.removeAll();
  dashPoints.removeAll();
  deviation = 0.0;
}

}  // namespace GDI
