// A design model written out for the read-back round trip, in world
// coordinates: the network, every zone (calculation inputs and results,
// design values, pipe ends, exit and link points, boundary items with their
// band values, the meander base, the working loop, the heating body), every
// circuit (values, connection points, zones in flow order, pipe lengths and
// the laid pipe). Each entry carries how near a read-back model (and the
// model designed again from it) must come to the designed one.
#pragma once

#include "heating/design/model/CFHModel.h"

#include "platform/ge/XtGeMatrix2d.h"

#include <string>
#include <vector>

namespace model_dump {

// How near two values must be: within abs or rel x the larger magnitude;
// abs < 0: not compared. Texts (entries without numbers) compare exactly.
struct Tol {
  double abs = 0.0;
  double rel = 0.0;
};
inline constexpr Tol kExact{0.0, 0.0};
inline constexpr Tol kSkip{-1.0, 0.0};

struct Entry {
  std::string path;
  std::string text;
  std::vector<double> numbers;
  Tol readBack = kExact;      // the model read back from the drawing
  Tol designedAgain = kExact; // that model designed and calculated again
};

struct Dump {
  std::vector<Entry> entries;
  std::string text() const;
};

// Tolerances that depend on the drawing.
struct Limits {
  // The first zone's pipe ends (and the pipes' lengths): pipes that meet
  // their wall square come back exactly; at an angle they move along it.
  double pipeEnd = 1e-6;
  // Ends of links between zones: fillets move the crossings.
  double linkedEnd = 1e-3;
};

Dump dumpModel(const CFHModel& model, const XtGeMatrix2d& toWorld, const Limits& limits = {});

// The differences of `read` from `designed`, each as a line; `again` picks
// the tolerances of a model designed again.
std::vector<std::string> compare(const Dump& designed, const Dump& read, bool again);

}  // namespace model_dump
