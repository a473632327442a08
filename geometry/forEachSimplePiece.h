// Walks the simple pieces of a curve in order: the curve itself when it is
// not a composite, else the pieces of the composite, nested composites
// included, without copying anything and without heap allocation.
#pragma once

#include "platform/ge/XtGeCompositeCurve2d.h"

// Composites nested deeper than this are not entered (a composite never
// holds itself, so this only bounds the walk's own stack).
inline constexpr int kMaxCompositeNesting = 64;

// Calls visit(piece) for each simple piece; a visit answering false ends the
// walk. Answers false when the walk was ended early or a composite was
// nested too deeply, true otherwise.
template <typename Visit>
bool forEachSimplePiece(const XtGeCurve2d& curve, Visit&& visit) {
  struct Level {
    const XtGeCompositeCurve2d* composite;
    int next;
  };
  Level stack[kMaxCompositeNesting];
  int depth = 0;
  bool complete = true;
  const XtGeCurve2d* current = &curve;
  for (;;) {
    if (current != nullptr) {
      if (current->type() != XtGe::kCompositeCrv2d) {
        if (!visit(*current)) return false;
      } else if (depth < kMaxCompositeNesting) {
        stack[depth++] = {static_cast<const XtGeCompositeCurve2d*>(current), 0};
      } else {
        complete = false;
      }
    }
    current = nullptr;
    while (depth > 0 && current == nullptr) {
      Level& top = stack[depth - 1];
      if (top.next < top.composite->numCurves()) {
        current = top.composite->curveAt(top.next++);
      } else {
        --depth;
      }
    }
    if (current == nullptr) return complete;
  }
}
