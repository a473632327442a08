// isEqualTo of every entity kind, under workTol: points and vectors by the
// tolerance, scalars within its equal-point value. Direction counts: a
// reversed segment or an arc of the other sense is another curve. Kinds
// without a rule of their own (hatches, images, wipeouts, references,
// solids, the catch-all) are equal as soon as the kinds are (the base).
#include <cmath>

#include "geometry/Tolerances.h"
#include "host/entities/ltAbscissa2D.h"
#include "host/entities/ltArc2D.h"
#include "host/entities/ltEllipse2D.h"
#include "host/entities/ltLine2D.h"
#include "host/entities/ltMText2D.h"
#include "host/entities/ltPoint2D.h"
#include "host/entities/ltPolyline2D.h"
#include "host/entities/ltRay2D.h"
#include "host/entities/ltText2D.h"
#include "host/entities/nameCompare.h"

namespace {

bool near(double a, double b) { return std::fabs(a - b) < workTol.equalPoint(); }

bool samePoint(const XtGePoint2d& a, const XtGePoint2d& b) { return a.isEqualTo(b, workTol); }
bool sameVector(const XtGeVector2d& a, const XtGeVector2d& b) { return a.isEqualTo(b, workTol); }

bool sameSegment(const XtGeLineSeg2d& a, const XtGeLineSeg2d& b) {
  return samePoint(a.startPoint(), b.startPoint()) && samePoint(a.endPoint(), b.endPoint());
}

bool sameLinear(const XtGeLinearEnt2d& a, const XtGeLinearEnt2d& b) {
  return samePoint(a.pointOnLine(), b.pointOnLine()) && sameVector(a.direction(), b.direction());
}

bool sameArc(const XtGeCircArc2d& a, const XtGeCircArc2d& b) {
  return samePoint(a.center(), b.center()) && near(a.radius(), b.radius()) && near(a.startAng(), b.startAng()) &&
         near(a.endAng(), b.endAng()) && a.isClockWise() == b.isClockWise() && sameVector(a.refVec(), b.refVec());
}

bool sameEllipse(const XtGeEllipArc2d& a, const XtGeEllipArc2d& b) {
  return samePoint(a.center(), b.center()) && near(a.minorRadius(), b.minorRadius()) &&
         near(a.majorRadius(), b.majorRadius()) && sameVector(a.minorAxis(), b.minorAxis()) &&
         sameVector(a.majorAxis(), b.majorAxis()) && near(a.startAng(), b.startAng()) &&
         near(a.endAng(), b.endAng()) && a.isClockWise() == b.isClockWise();
}

// Pieces of one type; segments and arcs compared, other pieces by type only.
bool samePiece(const XtGeCurve2d& a, const XtGeCurve2d& b) {
  if (a.type() != b.type()) return false;
  if (a.type() == XtGe::kLineSeg2d)
    return sameSegment(static_cast<const XtGeLineSeg2d&>(a), static_cast<const XtGeLineSeg2d&>(b));
  if (a.type() == XtGe::kCircArc2d)
    return sameArc(static_cast<const XtGeCircArc2d&>(a), static_cast<const XtGeCircArc2d&>(b));
  return true;
}

// The other copy as this kind, or null for another kind.
template <class Kind>
const Kind* sameKind(const Kind& self, const ltEnt2D& other) {
  return other.entType() == self.entType() ? static_cast<const Kind*>(&other) : nullptr;
}

// A geometry kind against another copy: same kind and `same` geometry.
template <class Kind, class Same>
bool sameGeometry(const Kind& self, const ltEnt2D& other, Same same) {
  const Kind* o = sameKind(self, other);
  return o != nullptr && same(self.geometry(), o->geometry());
}

}  // namespace

bool ltEnt2D::isEqualTo(const ltEnt2D& other) const { return entType() == other.entType(); }

bool ltAbscissa2D::isEqualTo(const ltEnt2D& other) const { return sameGeometry(*this, other, sameSegment); }
bool ltRay2D::isEqualTo(const ltEnt2D& other) const { return sameGeometry(*this, other, sameLinear); }
bool ltLine2D::isEqualTo(const ltEnt2D& other) const { return sameGeometry(*this, other, sameLinear); }
bool ltArc2D::isEqualTo(const ltEnt2D& other) const { return sameGeometry(*this, other, sameArc); }
bool ltEllipse2D::isEqualTo(const ltEnt2D& other) const { return sameGeometry(*this, other, sameEllipse); }
bool ltPoint2D::isEqualTo(const ltEnt2D& other) const { return sameGeometry(*this, other, samePoint); }

bool ltPolyline2D::isEqualTo(const ltEnt2D& other) const {
  const auto* o = sameKind(*this, other);
  if (o == nullptr) return false;
  const XtGeCompositeCurve2d& a = geometry();
  const XtGeCompositeCurve2d& b = o->geometry();
  if (a.numCurves() != b.numCurves() || widths_.size() != o->widths_.size()) return false;
  for (int i = 0; i < a.numCurves(); ++i)
    if (!samePiece(*a.curveAt(i), *b.curveAt(i))) return false;
  for (std::size_t i = 0; i < widths_.size(); ++i)
    if (std::fabs(widths_[i] - o->widths_[i]) > workTol.equalPoint()) return false;
  return true;
}

bool ltText2D::isEqualTo(const ltEnt2D& other) const {
  const auto* o = sameKind(*this, other);
  if (o == nullptr) return false;
  const textValues& a = values_;
  const textValues& b = o->values_;
  return samePoint(a.insertion, b.insertion) && samePoint(a.alignment, b.alignment) && near(a.height, b.height) &&
         near(a.rotation, b.rotation) && near(a.widthFactor, b.widthFactor) && near(a.oblique, b.oblique) &&
         a.generationFlags == b.generationFlags && a.hJust == b.hJust && a.vJust == b.vJust && a.value == b.value &&
         sameNameNoCase(a.style, b.style);
}

bool ltMText2D::isEqualTo(const ltEnt2D& other) const {
  const auto* o = sameKind(*this, other);
  return o != nullptr && samePoint(insertion, o->insertion) && near(height, o->height) && near(width, o->width) &&
         attachment == o->attachment && direction == o->direction && text == o->text &&
         sameNameNoCase(style, o->style) && near(rotation, o->rotation) && spacingStyle == o->spacingStyle &&
         near(spacingFactor, o->spacingFactor) && fillFlags == o->fillFlags && near(fillScale, o->fillScale) &&
         fillColour == o->fillColour;
}
