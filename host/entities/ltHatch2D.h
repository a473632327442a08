// A HATCH entity copy: its boundary loops (closed composites with their path
// flags and source handles), its pattern lines, and a 64-bit word that the
// entity operations read when they cut the hatch.
//
// Reading (setFromResbuf with parsing) takes the list's boundary paths and
// pattern lines, all or nothing: a path or line that cannot be read refuses
// the list and the copy keeps what it had. Degenerate loops (no pieces, or
// two segments there and back) are dropped.
//
// Writing rebuilds the paths and pattern lines from the fields and keeps the
// rest of the current list: the hatch body's header groups (10, 210, 2, 70,
// 63, 71), the fill groups (73, 75, 76, 77, 41, 52), the seeds, gradient and
// anything else after the pattern, and the properties' extra groups. Without
// loops, without a hatch body (its 91) in the current list, or when a loop or
// line cannot be written, nothing changes and the copy stays dirty
// (getUpdatedList answers null; list, handle and extended data stay).
//
// Ownership and threads as for ltEnt2D: host thread, one copy at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/entities/HatchPaths.h"
#include "host/entities/HatchPatternLines.h"
#include "host/entities/ltEnt2D.h"

class ltHatch2D final : public ltEnt2D {
 public:
  ltHatch2D() = default;

  ltEntKind entType() const override { return ltEntKind::hatch; }
  std::unique_ptr<ltEnt2D> clone() const override;
  void writeList() override;

  // The fields; callers that change them mark the copy dirty (markDirty).
  std::vector<ltHatchLoop>& loops() { return loops_; }
  const std::vector<ltHatchLoop>& loops() const { return loops_; }
  std::vector<ltHatchPatternLine>& patternLines() { return patternLines_; }
  const std::vector<ltHatchPatternLine>& patternLines() const { return patternLines_; }

  // Non-zero: a cut keeps whole loops that it does not touch and drops the
  // cutter's own region from the combinations. 0 when built; cloned with
  // the copy; set by whoever cuts it.
  std::int64_t cutDropWord = 0;

  // Measures the hatch by its fill style (75 of the held list, 0 when
  // absent): the loops without path flag 8 go, outermost first, into a
  // boundary tree by the even-odd rule (style 0 every loop, 1 the loops of
  // the two outermost nesting levels, 2 the outermost ones). `area` is the
  // tree's area (hatchTreeArea), `boundaryLength` the length of its top
  // level, `totalLength` that of all its curves, and `curves` receives a
  // copy of every loop taken (style aside). Answers 1, or 0 after a failure
  // (an unknown style or relation, a loop the tree refuses, an area that
  // cannot be measured), which is reported under "ltHatch2D::getProperties";
  // the out-values are then partly set.
  int getProperties(double& area, double& boundaryLength, std::vector<std::unique_ptr<XtGeCurve2d>>& curves,
                    double& totalLength) const;

  // The entity operations of the kind (see ltEnt2D). A cut combines each
  // loop with the cutter as regions, keeping the loop's pieces inside the
  // cutter with the selector's inside bit, else those outside; with
  // cutDropWord set the cutter's pieces inside the loop are dropped too
  // and a loop whose boundary the cut leaves whole stays as it was (handles
  // included). One hatch of the resulting loops with the same pattern lines
  // is handed on, none when no loop is left. A transform moves the loops, and the pattern lines as the
  // image of the drawn lines: base points and offsets moved, the angle that
  // of the moved direction (a mirror reflects it), the dashes stretched as
  // that direction is; it answers false, unchanged, when a loop cannot
  // follow. The extents are those of the loops (false without loops).
  int splitByCurveBounded(const XtGeCurve2d& cutter, ltEntArray& out, int selector, bool* inside,
                          const XtGePoint2d* referencePoint, const XtGeBoundBlock2d* bounds) override;
  bool transformBy(const XtGeMatrix2d& matrix) override;
  bool getExtents(XtGeBoundBlock2d& extents, bool merge) const override;

 protected:
  bool readList(const resbuf* list) override;

 private:
  ltHatch2D(const ltHatch2D&) = default;

  std::vector<ltHatchLoop> loops_;
  std::vector<ltHatchPatternLine> patternLines_;
};
