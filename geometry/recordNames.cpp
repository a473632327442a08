#include "geometry/recordNames.h"

#include <cstring>
#include <string>

int appendRecordNames(const unsigned char* records, int count, std::size_t recordSize, CStringArray& names) {
  if (records == nullptr || count <= 0 || recordSize == 0) return 0;
  for (int i = 0; i < count; ++i) {
    const char* record = reinterpret_cast<const char*>(records + static_cast<std::size_t>(i) * recordSize);
    const std::string name(record, strnlen(record, recordSize));
    names.Add(CString(name.c_str()));
  }
  return count;
}
