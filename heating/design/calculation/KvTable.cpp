#include "heating/design/calculation/KvTable.h"

#include "heating/design/settings/DoubleArrayText.h"

#include "host/prf_store2.h"

#include <algorithm>
#include <cmath>
#include <vector>

bool loadKvTable(CFHConstants& constants, const CString& heatingFile) {
  prf_store2 store(heatingFile, u"FH_CONSTANTS");
  if (!store.isAvailable()) return false;
  std::vector<double> numbers;
  CString text;
  if (store.getString(u"KV_TABLE", text) != storeStatus::ok) return false;
  if (text.GetLength() > 0 && text[0] == u'[') {
    if (!doubleArrayFromText(text, numbers)) return false;
  } else {
    // The store's own list form, as it writes it in text mode.
    store.setFlags(ini_store2::textModeFlag);
    if (store.getDoubleArray(u"KV_TABLE", numbers) != storeStatus::ok) return false;
  }
  if (numbers.size() < 2) return false;
  if (!std::all_of(numbers.begin(), numbers.end(), [](double v) { return std::isfinite(v); })) return false;
  XtGePoint2dArray& table = constants.curve(CFHConstants::kvTableCurve);
  table.setLogicalLength(0);
  for (std::size_t i = 0; i + 1 < numbers.size(); i += 2) table.append(XtGePoint2d(numbers[i], numbers[i + 1]));
  return true;
}
