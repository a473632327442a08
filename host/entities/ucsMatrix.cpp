#include "host/entities/ucsMatrix.h"

namespace {
XtGeMatrix2d& held() {
  static XtGeMatrix2d matrix;
  return matrix;
}
}  // namespace

const XtGeMatrix2d& ucsMatrix() { return held(); }
void setUcsMatrix(const XtGeMatrix2d& matrix) { held() = matrix; }
