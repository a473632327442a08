// The view frame of the preview painter: the values of the view, the frame
// curve that clips what is painted (a closed ring of the four edges) and the
// four edges it is made of.
#pragma once

#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGePoint2d.h"

#include <cstdint>

struct viewFrame {
  viewFrame() = default;
  viewFrame(const viewFrame& other) { assign(other); }
  viewFrame& operator=(const viewFrame& other) {
    assign(other);
    return *this;
  }

  // Copies every member of `other`, then builds the frame curve again from
  // this record's own edges (rebuildFrame). Answers whether the frame is a
  // closed ring.
  bool assign(const viewFrame& other);

  // Makes the frame curve of copies of the four edges chained end to end,
  // whatever order they are stored in (an edge is turned round when its end
  // meets the chain), under the calling thread's tolerance. When the edges
  // do not close into one ring the frame is left empty and false answered.
  bool rebuildFrame();

  // Sets the edges to the box between two corners (bottom, right, top, left,
  // counter-clockwise) and builds the frame.
  bool setBox(const XtGePoint2d& minCorner, const XtGePoint2d& maxCorner);

  XtGePoint2d view[4];
  double viewValue = 0.0;
  XtGePoint2d model[4];
  double modelValue = 0.0;
  XtGeCompositeCurve2d frame;
  XtGeLineSeg2d edges[4];
  XtGePoint2d extra[2];
  double extraValue = 0.0;
  std::int64_t data = 0;
};
