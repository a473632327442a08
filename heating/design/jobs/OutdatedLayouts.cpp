#include "heating/design/jobs/OutdatedLayouts.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModel.h"

#include "host/ModuleLog.h"

#include "platform/win/Utf8.h"

#include <string>

namespace {

void waitAndCalculateAll(const CFHModel& model) {
  // Every job has ended before the first circuit is calculated.
  for (const auto& circuit : model.circuits()) circuit->waitForWorker();
  for (const auto& circuit : model.circuits()) circuit->calculate();
}

std::string numbersOf(const std::vector<CFHCircuit*>& circuits) {
  std::string text;
  for (const CFHCircuit* circuit : circuits) text += (text.empty() ? "" : ", ") + std::to_string(circuit->number);
  return text;
}

}  // namespace

std::vector<CFHCircuit*> outdatedCircuits(const CFHModel& model) {
  std::vector<CFHCircuit*> outdated;
  for (const auto& circuit : model.circuits())
    if (circuit->layoutsOutdated()) outdated.push_back(circuit.get());
  return outdated;
}

std::size_t redesignOutdated(CFHModel& model, const CFHDesignSteps& steps) {
  const std::vector<CFHCircuit*> outdated = outdatedCircuits(model);
  if (outdated.empty()) return 0;
  return startDesignJobs(model.workerSync(), outdated, steps, false);
}

int calculateForDrawing(CFHModel& model, const CFHDesignSteps& steps) {
  waitAndCalculateAll(model);
  int rounds = 0;
  std::vector<CFHCircuit*> outdated = outdatedCircuits(model);
  for (; !outdated.empty() && rounds < kMaxRedesignRounds; ++rounds) {
    startDesignJobs(model.workerSync(), outdated, steps, false);
    waitAndCalculateAll(model);
    outdated = outdatedCircuits(model);
  }
  if (!outdated.empty())
    hvLogFailure(hvUtf8ToWide("design: the calculation still changed the border widths of circuits " +
                              numbersOf(outdated) + " after " + std::to_string(rounds) +
                              " redesigns; they are drawn as last laid out"));
  return rounds;
}
