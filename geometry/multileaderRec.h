// The block part of a multileader as the shared library passes it: the block
// description, two texts and the named values.
#pragma once

#include "geometry/blockDescRec.h"
#include "geometry/hvObjArray.h"
#include "geometry/nameRec.h"
#include "platform/win/CString.h"

struct multileaderRec {
  blockDescRec block;
  CString texts[2];
  hvObjArray<nameRec> names{0, 8};
};
