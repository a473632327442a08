// The frame of the records that keep a geometry curve read from their list
// (line, polyline, arc, ellipse). A record can also be made from a curve
// alone (valid, no list, no tags), for code that has no entity.
//
// A kind derives as `class K final : public CFHCurveInOut<Curve, kind>` and
// gives its list reader, a function that fills the curve and answers whether
// it could (all or nothing). Ownership and threads as for CFHEntityInOut.
#pragma once

#include "heating/design/drawing/CFHEntityInOut.h"

template <class Curve, CFHEntityInOut::Kind K>
class CFHCurveInOut : public CFHEntityInOut {
 public:
  using Reader = bool (*)(Curve& curve, const resbuf* list);

  const XtGeCurve2d* geometry() const override { return &curve_; }
  const Curve& curve() const { return curve_; }
  // The curve moved by the work matrix.
  void transformToWork() override { curve_.transformBy(workMatrix()); }

 protected:
  // Reads the record's copy of the list; `valid` is the reader's answer.
  CFHCurveInOut(const resbuf* list, Reader read) : CFHEntityInOut(K, list) { setValid(read(curve_, this->list())); }
  explicit CFHCurveInOut(const Curve& curve) : CFHEntityInOut(K, nullptr), curve_(curve) { setValid(true); }

 private:
  Curve curve_;
};
