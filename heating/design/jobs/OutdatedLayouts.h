// Circuits whose layouts were made before a design input of their zones
// changed, and laying them out again.
//
// The heating calculation writes a free border width R = 2.3 ÷ M
// (CFHZoneCalc::calculate), and R × the drawing unit factor is the first
// offset of the zone's pipe from its boundary. A calculation that changes R
// therefore changes the zone's design input: CFHZoneCalc::setBorderR stops
// the circuit's job (rule T2 of CFHModel.h) and marks its layouts outdated
// (CFHCircuit::designInputChanged); the functions here start those
// circuits' jobs again, so that the drawn "_PT_ZONA_R" is the first offset
// the drawn pipe was laid with. A fixed border width is never written by the
// calculation and never makes a layout outdated.
//
// R follows from the floor layers, αp, α'p, λ and the pipe diameter, not from
// the layout, so the calculation after a redesign leaves it as it is; the
// rounds are bounded all the same (kMaxRedesignRounds), and reaching the
// bound is logged.
//
// Threads: the command's thread (the calculation and the starts are its).
#pragma once

#include "heating/design/jobs/CFHJobs.h"

#include <cstddef>
#include <vector>

class CFHCircuit;
class CFHModel;

// The most redesigns one confirmation, or one step of the dialog, runs.
inline constexpr int kMaxRedesignRounds = 3;

// The circuits whose layouts are outdated, in list order.
std::vector<CFHCircuit*> outdatedCircuits(const CFHModel& model);

// Starts the jobs of the outdated circuits whose job does not run, without a
// run end of their own (startDesignJobs with announceRunEnd false): they
// finish the run whose calculation found them outdated. Answers the number
// of jobs started.
std::size_t redesignOutdated(CFHModel& model, const CFHDesignSteps& steps = modelDesignSteps());

// The calculation the design is drawn with: waits for every circuit's job
// and calculates every circuit; then, while that left circuits outdated,
// starts their jobs again, waits for every job and calculates every circuit
// again, at most kMaxRedesignRounds times. When circuits are still outdated
// after the last round, that is logged and the design stays as it is.
// Answers the number of redesign rounds run.
int calculateForDrawing(CFHModel& model, const CFHDesignSteps& steps = modelDesignSteps());
