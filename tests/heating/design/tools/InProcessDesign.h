// The design command's road, run in-process on one thread for the test tools
// (the output's and the read-back's): both selections, the model built and
// routed in work coordinates, every circuit designed as its job would and
// calculated, and the command's hand-over after the output.
#pragma once

#include "heating/design/drawing/CFHDrawingInOut.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/commands/HeatingCommandScope.h"

#include <string>
#include <vector>

namespace in_process_design {

// What a heating command of the module has around it: its tolerances, the
// host's drawing interface, the string table and the sibling modules; at its
// end the drawing I/O object is cleared and the interface released.
class CommandScope {
 public:
  CommandScope();
  ~CommandScope();
  CommandScope(const CommandScope&) = delete;
  CommandScope& operator=(const CommandScope&) = delete;

 private:
  HeatingCommandScope scope_;
};

// The two selections, the manifold with its distribution pipes (held as
// the command holds them) and the zone curves, into the drawing I/O object, which is cleared first; then the
// records are brought into the work frame.
void pickInputs(CFHDrawingInOut& io);
// The model from the picks as the command builds it before routing: the
// manifold, the pipes with their working geometry and outline, a zone per
// picked curve (entered by the pipes when a pipe's segment point lies inside
// it). Answers whether the manifold was read.
bool buildModel(CFHModel& model, const CFHDrawingInOut& io);
// Every circuit in turn: spacing, each zone linked to the one before it,
// given the wall its pipe enters by as meander base when it has none, and
// designed; the path built, the circuit calculated.
void designCircuits(CFHModel& model);
// After a drawn design: the picked zone curves handed to word 142, the held
// entities (but the manifold) back to the host.
void handOver(CFHDrawingInOut& io);

}  // namespace in_process_design
