#include "heating/layout/record/CFHPipeEnd.h"

void deleteZoneRecordsAndClear(std::vector<CFHPipeEnd*>& records) {
  for (CFHPipeEnd*& record : records) {
    delete record;
    record = nullptr;
  }
  records.clear();
}
