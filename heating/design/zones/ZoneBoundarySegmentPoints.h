// The end points of the distribution-pipe segments, for the zone side pass.
//
// Threads: design threads call it while the command's thread may change the
// network's list, so the list is read under curveRegistryLock(), held shared
// and only while the end points are copied out.
#pragma once

#include "platform/ge/XtGePoint2dArray.h"

class CFHPipeNetwork;

// Empties `points` and fills it with the start and end point of every line
// segment of the network's pipe curves (a line, or a segment piece of a
// polyline; arcs are passed over), in list and piece order, a point equal
// to one already there (workTol) left out. Once the network has built its
// working geometry (buildWorkingGeometry) the list holds the chained pipes,
// so these are the working geometry's segments. Answers `points`.
XtGePoint2dArray& zoneBoundarySegmentPoints(const CFHPipeNetwork& network, XtGePoint2dArray& points);
