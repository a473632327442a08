// The description of a block reference as the shared library's block readers
// and builders pass it: insertion and base points, normal, names, direction,
// layer, scale, transform, a further point with two vectors and the list of
// placed points. Every field starts at its type's default (identity matrix,
// unit scale).
#pragma once

#include "geometry/hvObjArray.h"
#include "geometry/pointRecord.h"
#include "platform/ge/XtGeMatrix3d.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeScale3d.h"
#include "platform/ge/XtGeVector2d.h"
#include "platform/ge/XtGeVector3d.h"
#include "platform/win/CString.h"

struct blockDescRec {
  XtGePoint2d insertionPoint;
  XtGePoint2d basePoint;
  XtGeVector3d normal;
  CString blockName;
  CString name;
  XtGeVector2d direction;
  CString layer;
  XtGeScale3d scale;
  XtGeMatrix3d transform;
  XtGePoint2d point;
  XtGeVector2d xAxis;
  XtGeVector2d yAxis;
  hvObjArray<pointRecord> points{0, 8};
};
