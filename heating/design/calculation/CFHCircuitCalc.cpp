#include "heating/design/calculation/CFHCircuitCalc.h"

#include "heating/design/settings/CFHDesignDefaults.h"
#include "heating/design/settings/ProfileReads.h"

#include "host/prf_store2.h"

CFHCircuitCalc::CFHCircuitCalc(CFHCircuit* owner, const CFHDesignDefaults& defaults, const CString& heatingFile)
    : pipeMaterial(defaults.pipeMaterial),
      maxLoopLength(defaults.maxLoopLength),
      checkMaxPressure(defaults.checkMaxPressure),
      maxPressure(defaults.maxPressure),
      circuit(owner) {
  prf_store2 store(heatingFile, u"FH_PAGE_CALC");
  if (!store.isAvailable()) return;
  readFiniteDouble(store, u"CB_IN_T1", t1);
  readFiniteDouble(store, u"CB_OUT_T2", t2);
}
