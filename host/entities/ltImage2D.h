// The raster image copy (kind 10, IMAGE) and the base of the wipeout copy:
// insertion point, pixel vectors u and v, size in pixels and the clip
// boundary in drawing coordinates (imageList.h). The reader and writer take
// the entity type and subclass texts from dxfName and subclassName. Host
// thread only.
#pragma once

#include "host/entities/ltEnt2D.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

class ltImage2D : public ltEnt2D {
 public:
  ltImage2D() = default;

  ltEntKind entType() const override { return ltEntKind::image; }
  std::unique_ptr<ltEnt2D> clone() const override;

  virtual const char16_t* dxfName() const { return u"IMAGE"; }
  virtual const char16_t* subclassName() const { return u"AcDbRasterImage"; }

  // The IMAGE writer from the fields; the held list's 340, 360, 281 to 283
  // and display flags are kept.
  void writeList() override;

  // The entity operations of the kind (see ltEnt2D).
  int splitByCurveBounded(const XtGeCurve2d& cutter, ltEntArray& out, int selector, bool* inside,
                          const XtGePoint2d* referencePoint, const XtGeBoundBlock2d* bounds) override;
  bool transformBy(const XtGeMatrix2d& matrix) override;
  bool getExtents(XtGeBoundBlock2d& extents, bool merge) const override;

  XtGeCompositeCurve2d clipBoundary;
  XtGePoint2d insertion;
  XtGeVector2d u;     // one pixel along the image's x
  XtGeVector2d v;     // one pixel along the image's y
  XtGeVector2d size;  // width and height in pixels

 protected:
  ltImage2D(const ltImage2D&) = default;
  bool readList(const resbuf* list) override;
};
