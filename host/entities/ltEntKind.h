// The kind codes of the entity copies, the answer of ltEnt2D::entType.
// Callers switch on them and stored data may hold them, so the numbers are
// fixed; `unknown` (12) is the catch-all for every type no kind reads.
#pragma once

enum class ltEntKind : int {
  abscissa = 0,   // ltAbscissa2D: LINE
  arc = 1,        // ltArc2D: CIRCLE, ARC
  polyline = 2,   // ltPolyline2D: LWPOLYLINE
  ellipse = 3,    // ltEllipse2D: ELLIPSE
  ray = 4,        // ltRay2D: RAY
  line = 5,       // ltLine2D: XLINE
  hatch = 6,      // ltHatch2D: HATCH
  point = 7,      // ltPoint2D: POINT
  solid = 8,      // ltSolid2D: SOLID
  insert = 9,     // ltInsert2D: INSERT
  image = 10,     // ltImage2D: IMAGE
  wipeout = 11,   // ltWipeout2D: WIPEOUT
  unknown = 12,   // ltUnknown2D: any other type (dimensions, leaders, ...)
  text = 13,      // ltText2D: TEXT
  attDef = 14,    // ltAttDef2D: ATTDEF
  attrib = 15,    // ltAttrib2D: ATTRIB
  mText = 16,     // ltMText2D: MTEXT
};

inline constexpr int ltEntKindCount = 17;
