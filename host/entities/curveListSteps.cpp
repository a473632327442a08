#include "host/entities/curveListSteps.h"

#include <cmath>

#include "host/ResbufChain.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityHeader.h"

bool curveLists::finitePointOf(const resbuf* node, XtGePoint2d& point) {
  if (node == nullptr) return false;
  const double* p = node->value.point;
  if (!std::isfinite(p[0]) || !std::isfinite(p[1]) || !std::isfinite(p[2])) return false;
  point.set(p[0], p[1]);
  return true;
}

bool curveLists::finitePoint(const resbuf* list, int code, XtGePoint2d& point) {
  return finitePointOf(entReader2D::firstGroup(list, code), point);
}

bool curveLists::finiteVector(const resbuf* list, int code, XtGeVector2d& vector) {
  XtGePoint2d p;
  if (!finitePoint(list, code, p)) return false;
  vector.set(p.x, p.y);
  return true;
}

bool curveLists::finiteReal(const resbuf* list, int code, double& value, bool& bad) {
  const resbuf* node = entReader2D::firstGroup(list, code);
  if (node == nullptr) return false;
  if (!std::isfinite(node->value.real)) {
    bad = true;
    return false;
  }
  value = node->value.real;
  return true;
}

bool curveLists::unitDirection(const XtGeVector2d& vector, XtGeVector2d& unit) {
  const double length = vector.length();
  if (!(length > 0.0) || !std::isfinite(length)) return false;
  unit = vector / length;
  return true;
}

bool curveLists::hasNegativeExtrusion(const resbuf* list) {
  const resbuf* extrusion = entReader2D::firstGroup(list, 210);
  return extrusion != nullptr && extrusion->value.point[2] < 0.0;
}

const XtGeMatrix2d& curveLists::mirrorAboutYAxis() {
  static const XtGeMatrix2d mirror = XtGeMatrix2d::scaling(-1.0, 1.0);
  return mirror;
}

bool curveLists::isExactIdentity(const XtGeMatrix2d& matrix) {
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 3; ++j)
      if (matrix(i, j) != (i == j ? 1.0 : 0.0)) return false;
  return true;
}

void curveLists::addKept(std::vector<ResbufPair>& body, int code, const resbuf* previous) {
  if (resbuf* kept = entBuilder2D::keptGroup(code, previous)) body.push_back({hvSpliceCode, kept});
}

resbuf* curveLists::assemble(const ltEntProps& props, std::u16string_view type, const resbuf* previous,
                             const std::vector<ResbufPair>& body) {
  resbuf* kind = buildResbufList(body);  // frees what the body splices when it fails
  resbuf* head = kind ? entBuilder2D::entityHeader(props, type, previous) : nullptr;
  resbuf* tail = head ? entBuilder2D::tailCopy(props) : nullptr;
  if (head == nullptr || (props.getTail() != nullptr && tail == nullptr)) {
    freeResbufChain(kind, false);
    freeResbufChain(head, false);
    return nullptr;
  }
  // The header is short: appending walks it, then the kind's groups once.
  resbuf** end = resbufEndLink(&head);
  *end = kind;
  appendResbufChain(end, tail);
  return head;
}
