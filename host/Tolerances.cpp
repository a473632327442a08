#include "host/Tolerances.h"

void setGeometryTolerance(double saved[4], int n) {
  saved[0] = workTol.equalPoint();
  saved[1] = workTol.equalVector();
  saved[2] = workTolFine.equalPoint();
  saved[3] = workTolFine.equalVector();
  const double point = n * 1e-6;
  const double vector = n * 1e-8;
  workTol = XtGeTol(point, vector);
  workTolFine = XtGeTol(point * 0.001, vector * 0.001);
}

void restoreGeometryTolerance(const double saved[4]) {
  workTol = XtGeTol(saved[0], saved[1]);
  workTolFine = XtGeTol(saved[2], saved[3]);
}
