// What the main dialog's calculation page does with the model: the
// calculation of every circuit with its warnings, and the quiet
// recalculation the dialog runs when the design jobs report new layouts.
//
// Warnings are message boxes with the warning icon and the host's caption
// (GetHostCaption). Threads: the command's thread; the calculation of a
// circuit first waits for the circuit's job (rule T3 of CFHModel.h).
#pragma once

#include <cstdint>

class CFHModel;

// The page's action: every circuit calculated (CFHCircuit::calculate), the
// answers ORed; a warning for each of the bits 2, 4 and 8 set, in that
// order, then warnZonesOverLimits. Answers the ORed bits.
std::int32_t runCalculationPage(CFHModel& model);

// Every circuit calculated again without a warning, so that the values
// follow the new layouts (the jobs' WM_USER+1).
void recalculateCircuits(CFHModel& model);

// The warning 9001 naming the zones over their circuit's limits, when there
// are any (the jobs' WM_USER+4). Answers whether it was shown.
bool warnZonesOverLimits(const CFHModel& model);
