// The drawing I/O object: creation, the record factory and the work frame.
// Lists, filing, handles and the held entities: CFHDrawingInOutRecords.cpp.
#include "heating/design/drawing/CFHDrawingInOut.h"

#include "heating/design/drawing/CFHArcInOut.h"
#include "heating/design/drawing/CFHHatchInOut.h"
#include "heating/design/drawing/CFHLineInOut.h"
#include "heating/design/drawing/CFHMtextInOut.h"
#include "heating/design/drawing/CFHPolylineInOut.h"
#include "heating/design/drawing/CFHTextInOut.h"

#include "host/HostExport.h"
#include "host/ResbufChain.h"
#include "host/entities/nameCompare.h"

#include "platform/ge/XtGeContext.h"

#include <cmath>
#include <numbers>

namespace {

// A 3D point system variable: its x and y when the host answers one of that
// type; otherwise `out` stays.
void readPointVariable(const HostExport2D* table, const char* name, double& x, double& y) {
  resbuf* answer = callHostWordOf<28>(table, name, int{resbufType::point3d}).value_or(nullptr);
  if (answer != nullptr && answer->code == resbufType::point3d) {
    x = answer->value.point[0];
    y = answer->value.point[1];
  }
  freeResbufChain(answer, false);
}

}  // namespace

CFHDrawingInOut::CFHDrawingInOut() { readUcs(); }

CFHDrawingInOut& CFHDrawingInOut::instance() {
  static CFHDrawingInOut object;
  return object;
}

CFHDrawingInOut::RecordPtr CFHDrawingInOut::createRecord(std::u16string_view typeName, const resbuf* list) {
  const auto is = [typeName](std::u16string_view name) { return sameNameNoCase(typeName, name); };
  if (is(u"LINE")) return std::make_unique<CFHLineInOut>(list);
  if (is(u"LWPOLYLINE")) return std::make_unique<CFHPolylineInOut>(list);
  if (is(u"ARC")) return std::make_unique<CFHArcInOut>(list);
  if (is(u"TEXT")) return std::make_unique<CFHTextInOut>(list);
  if (is(u"MTEXT")) return std::make_unique<CFHMtextInOut>(list);
  if (is(u"HATCH")) return std::make_unique<CFHHatchInOut>(list);
  if (is(u"DIMENSION")) return std::make_unique<CFHEntityInOut>(list);
  if (is(u"INSERT")) return std::make_unique<CFHDistributorInOut>(list);
  return nullptr;
}

void CFHDrawingInOut::readUcs() {
  ucsXDir_ = XtGeVector2d::kXAxis;
  if (const HostExport2D* table = getExport2D(); hostWordOf<28>(table) != nullptr) {
    readPointVariable(table, "UCSORG", ucsOrigin_.x, ucsOrigin_.y);
    readPointVariable(table, "UCSXDIR", ucsXDir_.x, ucsXDir_.y);
  }
  const double length = ucsXDir_.length();
  if (!std::isfinite(length) || length <= XtGeContext::gTol.equalPoint()) ucsXDir_ = XtGeVector2d::kXAxis;
  else ucsXDir_ = ucsXDir_ / length;
  ucsYDir_ = ucsXDir_.perpVector();
  workMatrix_ = XtGeMatrix2d::alignCoordSys(XtGePoint2d(), XtGeVector2d::kXAxis, XtGeVector2d::kYAxis, ucsOrigin_,
                                            ucsXDir_, ucsYDir_);
}

void CFHDrawingInOut::updateUcs() {
  readUcs();
  workMatrix_ = XtGeMatrix2d::translation(offset_) *
                XtGeMatrix2d::alignCoordSys(ucsOrigin_, ucsXDir_, ucsYDir_, XtGePoint2d(), XtGeVector2d::kXAxis,
                                            XtGeVector2d::kYAxis);
}

XtGePoint2d CFHDrawingInOut::worldToUser(const XtGePoint2d& world) {
  readUcs();
  const XtGeVector2d d = world - ucsOrigin_;
  return XtGePoint2d(d.dotProduct(ucsXDir_), d.dotProduct(ucsYDir_));
}

void CFHDrawingInOut::transformAllToWork() {
  if (manifold_) manifold_->transformToWork();
  for (RecordList* list : {&pipeRecords, &zoneCurveRecords, &boundaryRecords, &zoneLabelRecords,
                           &heatingBodyRecords, &heatingBodyNumberRecords, &supplyRecords, &returnRecords,
                           &circuitLabelRecords, &hatchRecords, &otherRecords})
    for (const RecordPtr& record : *list) record->transformToWork();
}

double CFHDrawingInOut::ucsAngle() const {
  double angle = -std::atan2(ucsXDir_.y, ucsXDir_.x);
  if (angle < 0.0) angle += 2.0 * std::numbers::pi;
  if (angle >= 2.0 * std::numbers::pi) angle = 0.0;
  return angle;
}
