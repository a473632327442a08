#include "geometry/nameRec.h"

void copyRecordNames(const hvObjArray<nameRec>& records, CStringArray& names) {
  names.RemoveAll();
  for (const nameRec& record : records) names.Add(record.name);
}
