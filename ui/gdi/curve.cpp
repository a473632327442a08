#include "ui/gdi/curve.h"

namespace GDI {

curve::curve(std::unique_ptr<XtGeCurve2d> geometry) : geCurve(std::move(geometry)) {
  owned = std::make_unique<buffer_curve>();
}

}  // namespace GDI
