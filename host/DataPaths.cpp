#include "host/DataPaths.h"

std::u16string withTrailingSeparator(std::u16string folder) {
  if (!folder.empty() && folder.back() != u'\\' && folder.back() != u'/') folder += u'\\';
  return folder;
}
