#include "heating/layout/record/LayoutOutcome.h"

const char* layoutOutcomeName(LayoutOutcome outcome) {
  switch (outcome) {
    case LayoutOutcome::kNotRun: return "not run";
    case LayoutOutcome::kLaid: return "laid";
    case LayoutOutcome::kLevelsOnly: return "levels only";
    case LayoutOutcome::kNoLevel: return "no offset level";
    case LayoutOutcome::kNoBaseItem: return "no base edge";
    case LayoutOutcome::kNoPipeEndProjection: return "no pipe-end projection";
    case LayoutOutcome::kNoMeanderRun: return "no meander run";
    case LayoutOutcome::kNoSpiralPath: return "no spiral path";
    case LayoutOutcome::kRegionsLeftOut: return "regions left out";
    case LayoutOutcome::kSpliceFailed: return "splice failed";
    case LayoutOutcome::kNoBoundary: return "no boundary or pipe end";
    case LayoutOutcome::kPathsCross: return "pipe crosses itself";
  }
  return "unknown";
}
