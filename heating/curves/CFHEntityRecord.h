// A drawn-entity record as the heating curves see it: the kind of entity it
// was read from and the geometry read from it. The heating design's
// drawn-entity records (heating/design, CFHEntityRecord and its kinds) are
// these records; a heating curve read from one keeps a pointer to it
// (CFloorHeatingCurve::entityRecord), so that the curve model never reaches
// up into the design.
//
// Kinds (one record class each in the design):
//   -1 a plain record ("DIMENSION"); 0 line, 1 polyline, 3 arc, 5 ellipse:
//   a geometry curve read from the entity; 2 the manifold (a block
//   reference); 6 mtext, 7 hatch, 8 text: an entity copy. There is no kind 4.
//
// Ownership: the design's lists own the records; curves never free them.
// Threads: a record is not changed while curves read it; nothing here locks.
#pragma once

#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCurve2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <cstdint>

class CFHEntityRecord {
 public:
  enum Kind : std::int32_t {
    kPlain = -1,
    kLine = 0,
    kPolyline = 1,
    kDistributor = 2,
    kArc = 3,
    kEllipse = 5,
    kMtext = 6,
    kHatch = 7,
    kText = 8,
  };

  virtual ~CFHEntityRecord() = default;
  CFHEntityRecord(const CFHEntityRecord&) = delete;
  CFHEntityRecord& operator=(const CFHEntityRecord&) = delete;

  std::int32_t kind() const { return kind_; }

  // The geometry of the curve kinds (line, polyline, arc, ellipse); null for
  // the others.
  virtual const XtGeCurve2d* geometry() const { return nullptr; }
  // The geometry as its type, or null when the kind is another or the
  // geometry is missing or of another type.
  const XtGeLineSeg2d* lineSeg() const;
  const XtGeCircArc2d* arc() const;

 protected:
  explicit CFHEntityRecord(Kind kind) : kind_(kind) {}

 private:
  std::int32_t kind_;
};
