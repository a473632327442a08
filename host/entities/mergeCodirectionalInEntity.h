// Fewer pieces for the same shape in an entity copy: neighbouring line
// segments of one direction in the composites it holds (an LWPOLYLINE's
// curve, a SOLID's outline) become one, and the copy rewrites its list.
// Host thread only.
#pragma once

#include "host/entities/ltEnt2D.h"

// mergeCodirectionalNeighbours (geometry/segmentMerging.h) with the calling
// thread's XtGeContext::gTol on every composite of the copy. When any
// changed (pieces merged or pieces of no length dropped), the copy is marked
// dirty and rewrites its list from the geometry and its properties, which
// keeps the extended data; a writer that gives no list leaves it dirty.
// Answers whether any composite changed.
bool mergeCodirectionalInEntity(ltEnt2D& entity);
