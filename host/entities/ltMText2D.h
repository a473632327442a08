// The multiline text copy (kind 16, MTEXT): insertion point, height,
// reference width, attachment, drawing direction, text, style, rotation,
// line spacing and background fill. Rewrites keep the held list's 210 and
// extra groups. Host thread only.
#pragma once

#include <cstdint>
#include <string>

#include "host/entities/ltEnt2D.h"
#include "platform/ge/XtGePoint2d.h"

class ltMText2D final : public ltEnt2D {
 public:
  ltMText2D() = default;

  ltEntKind entType() const override { return ltEntKind::mText; }
  std::unique_ptr<ltEnt2D> clone() const override;
  const char16_t* dxfName() const { return u"MTEXT"; }
  const char16_t* subclassName() const { return u"AcDbMText"; }

  // The MTEXT writer from the fields; nothing changes when it refuses them.
  void writeList() override;

  // The entity operations of the kind (see ltEnt2D).
  int splitByCurve(const XtGeCurve2d& cutter, ltEntArray& out) override;
  int splitByCurveBounded(const XtGeCurve2d& cutter, ltEntArray& out, int selector, bool* inside,
                          const XtGePoint2d* referencePoint, const XtGeBoundBlock2d* bounds) override;
  bool transformBy(const XtGeMatrix2d& matrix) override;
  bool getExtents(XtGeBoundBlock2d& extents, bool merge) const override;
  bool isEqualTo(const ltEnt2D& other) const override;

  XtGePoint2d insertion;               // 10
  double height = 0.0;                 // 40
  double width = 0.0;                  // 41; below 0 writes none
  int attachment = 1;                  // 71: 1..9, top-left to bottom-right by rows
  int direction = 1;                   // 72
  std::u16string text;                 // 1 and 3
  std::u16string style = u"STANDARD";  // 7
  double rotation = 0.0;               // the angle of 11, radians
  int spacingStyle = 1;                // 73
  double spacingFactor = 1.0;          // 44
  std::int32_t fillFlags = 0;          // 90
  double fillScale = 1.0;              // 45
  int fillColour = 0;                  // 63

 protected:
  // The MTEXT reader, then 90, 45 and 63 (0, 1.0 and 0 when absent).
  bool readList(const resbuf* list) override;

 private:
  ltMText2D(const ltMText2D&) = default;
};
