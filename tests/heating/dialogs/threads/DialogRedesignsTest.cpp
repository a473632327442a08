// The dialog's redesigns on real jobs: a calculation that changes a free
// border width lays the circuit out again, the run end heard meanwhile waits
// for it, and the rounds between two steps are bounded.
#include "heating/dialogs/DialogRedesigns.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/model/CFHZoneEntry.h"
#include "heating/design/jobs/OutdatedLayouts.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogRedesigns, ACalculationThatChangesRLaysTheCircuitOutAgainAndTheRunEndWaitsForIt) {
  CFHModel model;
  CFHZoneEntry* zone = model.addZone(1);
  CFHCircuit& circuit = *model.addCircuit(1);
  circuit.addZone(zone);
  DialogRedesigns redesigns(model);
  circuit.calculate();  // R: 0.02 m -> 2.3 / M
  EXPECT_TRUE(redesigns.afterCalculation());
  EXPECT_FALSE(redesigns.runEnded()) << "kept for the redesign";
  circuit.calculate();  // after the redesign: R stays
  EXPECT_TRUE(outdatedCircuits(model).empty());
  EXPECT_TRUE(redesigns.designsChanged()) << "the kept run end is due";
  EXPECT_TRUE(redesigns.runEnded());

  redesigns.newStep();
  testing::internal::CaptureStderr();
  for (int round = 0; round <= kMaxRedesignRounds; ++round) {
    zone->calc.setBorderR(0.1 + 0.01 * round);
    EXPECT_EQ(redesigns.afterCalculation(), round < kMaxRedesignRounds) << round;
  }
  EXPECT_NE(testing::internal::GetCapturedStderr().find("every redesign of this step"), std::string::npos);
  redesigns.newStep();
  EXPECT_TRUE(redesigns.afterCalculation());
  model.stopDesignJobs();
}

}  // namespace
