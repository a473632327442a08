// The meander base of a new zone design: the meander runs across the zone
// perpendicular to a base side, which the user would pick on the dialog's
// graphics page. A zone whose base names no side of its working loop takes
// the side its pipe enters through, so that a new design lays a meander
// without that pick; a base set by the user or read from a drawn design
// stays.
//
// Threads: the command's thread, while the zone's circuit job is not running
// (it sets a design input, rule T2 of CFHModel.h).
#pragma once

class CFHZoneDesign;

// When the design's meander base id names no item of its working loop, sets
// it to the id of the working item nearest pipe end 2 (else pipe end 1).
// Answers whether it set one; nothing happens without a boundary or a pipe
// end.
bool chooseDefaultMeanderBase(CFHZoneDesign& design);
