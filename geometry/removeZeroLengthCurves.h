// Dropping curves of no length from a curve list.
#pragma once

#include "geometry/curveList.h"

// Deletes and removes every curve with a bounded interval whose length is
// not above the equal-point value of workTol, so that curves of no length go
// also under a zero tolerance (null entries go too). Answers the number of
// curves removed.
int removeZeroLengthCurves(curvePtrArray& curves);
