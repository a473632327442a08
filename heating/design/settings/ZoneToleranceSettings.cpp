#include "heating/design/settings/ZoneToleranceSettings.h"

#include "host/def_store.h"

#include <cmath>

namespace {

void readPositive(def_store& store, LPCWSTR key, double& value) {
  double read = 0.0;
  if (store.getDouble(key, read) && std::isfinite(read) && read > 0.0) value = read;
}

}  // namespace

ZoneToleranceSettings readZoneToleranceSettings(const CString& veziruFile, ZoneToleranceSettings settings) {
  if (veziruFile.IsEmpty()) return settings;
  def_store store(veziruFile, u"TOLERANCE");
  readPositive(store, u"DozidEzezovedo.ZoneBounds", settings.zoneBounds);
  readPositive(store, u"DozidEzezovedo.ManifoldConnection", settings.manifoldConnection);
  return settings;
}

ZoneToleranceSettings loadZoneTolerances(const CString& veziruFile, double unitFactor,
                                         ZoneToleranceSettings settings) {
  settings = readZoneToleranceSettings(veziruFile, settings);
  const double u = std::isfinite(unitFactor) && unitFactor > 0.0 ? unitFactor : 1.0;
  setZoneTolerances(u, settings.zoneBounds, settings.manifoldConnection);
  return settings;
}
