#include "host/XdataAppNames.h"

LPCWSTR associationAppName(int kind) {
  switch (kind) {
    case 1:
      return u"VE2R_ASSOC_FIELD";
    case 2:
      return u"ACAD_FIELD";
    case 3:
      return u"VE2R_ASSOC_LIGHTNING";
    default:
      return u"VE2R_ASSOC";
  }
}
