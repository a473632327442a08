#include "heating/dialogs/DialogRedesigns.h"

#include "heating/design/jobs/OutdatedLayouts.h"

#include "host/ModuleLog.h"

void DialogRedesigns::reset() {
  rounds_ = 0;
  redesigning_ = false;
  runEndKept_ = false;
}

bool DialogRedesigns::afterCalculation() {
  redesigning_ = false;
  if (outdatedCircuits(model_).empty()) return false;
  if (rounds_ >= kMaxRedesignRounds) {
    hvLogFailure(u"dialog: the calculation changed border widths after every redesign of this step; "
                 u"the circuits are laid out again at the next calculation");
    return false;
  }
  ++rounds_;
  redesigning_ = redesignOutdated(model_) > 0;
  return redesigning_;
}

bool DialogRedesigns::designsChanged() {
  if (afterCalculation()) return false;
  const bool due = runEndKept_;
  runEndKept_ = false;
  return due;
}

bool DialogRedesigns::runEnded() {
  if (!redesigning_) return true;
  runEndKept_ = true;
  return false;
}
