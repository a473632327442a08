#include "geometry/insertTextRec.h"

void ownedRecArray::clear(hvArray<insertTextRec*>& records) {
  for (insertTextRec*& record : records) {
    delete record;
    record = nullptr;
  }
  records.removeAll();
}
