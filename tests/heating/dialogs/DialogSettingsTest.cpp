// The main dialog's settings: each key reaches its setter on its target, and
// a key, target or value the dialog cannot take changes nothing.
#include "heating/dialogs/DialogSettings.h"

#include "heating/design/CFHCircuit.h"
#include "heating/design/CFHModel.h"
#include "heating/design/CFHZoneDesign.h"
#include "heating/design/CFHZoneEntry.h"

#include "heating/curves/DrawingUnitFactor.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

class DialogSettings : public testing::Test {
 public:
  DialogSettings() {
    drawingUnitFactor = 1000.0;
    for (std::uint32_t n = 1; n <= 3; ++n) model_.addZone(n);
    model_.addCircuit(1)->addZone(model_.zones()[0].get());
    model_.addCircuit(2)->addZone(model_.zones()[1].get());
  }
  DialogSettingAnswer set(std::u16string_view key, std::u16string_view value, HvDialogTarget target, int number) {
    return applyDialogSetting(model_, key, value, target, number, bodyOutputs_);
  }
  CFHZoneEntry& zone(int n) { return *model_.zones()[n - 1]; }
  CFHCircuit& circuit(int n) { return *model_.circuits()[n - 1]; }

  CFHModel model_;
  PendingBodyOutputs bodyOutputs_;
};

// Every key's value in the drawn records: design_command.py (settings).
TEST_F(DialogSettings, AKeyReachesItsTargetOnlyAndADesignInputSaysSo) {
  struct Case {
    const char16_t* key;
    const char16_t* value;
    bool circuitKey;
    DialogSettingAnswer answer;
    std::function<double(DialogSettings&, int)> read;  // the value on zone or circuit n
    double expected;
  };
  using T = DialogSettings;
  const Case cases[] = {
      {u"CIRCUIT_SHAPE", u"0", false, DialogSettingAnswer::kDesignInput,
       [](T& t, int n) { return t.zone(n).design()->circuitShape(); }, 0},
      {u"CB_PIPE_PITCH", u"0.15", false, DialogSettingAnswer::kDesignInput,
       [](T& t, int n) { return t.zone(n).calc.pipePitch; }, 0.15},
      {u"CB_T_TI", u"23.5", false, DialogSettingAnswer::kApplied, [](T& t, int n) { return t.zone(n).calc.ti; }, 23.5},
      {u"CB_T_TI", u"23.5", false, DialogSettingAnswer::kApplied, [](T& t, int n) { return t.zone(n).calc.tp; }, 23.5},
      {u"CB_PLACEMENT", u"2", false, DialogSettingAnswer::kApplied,
       [](T& t, int n) { return t.zone(n).calc.placement; }, 2},
      {u"CB_OUT_T2", u"31", true, DialogSettingAnswer::kApplied, [](T& t, int n) { return t.circuit(n).calc.t2; }, 31},
      {u"CHECK_PMAX", u"1", true, DialogSettingAnswer::kApplied,
       [](T& t, int n) { return t.circuit(n).calc.checkMaxPressure; }, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key, c.key + std::char_traits<char16_t>::length(c.key)));
    const double before = c.read(*this, 1);
    EXPECT_EQ(set(c.key, c.value, c.circuitKey ? hvDialogTargetCircuit : hvDialogTargetZone, 2), c.answer);
    EXPECT_DOUBLE_EQ(c.read(*this, 2), c.expected);
    EXPECT_DOUBLE_EQ(c.read(*this, 1), before);
    // The other kind of target is refused.
    EXPECT_EQ(set(c.key, c.value, c.circuitKey ? hvDialogTargetZone : hvDialogTargetCircuit, 1),
              DialogSettingAnswer::kRefused);
  }
  EXPECT_EQ(set(u"CB_PIPE_MAT", u"PE-RT", hvDialogTargetCircuit, 1), DialogSettingAnswer::kApplied);
  EXPECT_EQ(circuit(1).calc.pipeMaterial, CString(u"PE-RT"));
}

TEST_F(DialogSettings, WithoutATargetEveryZoneOrCircuitTakesIt) {
  EXPECT_EQ(set(u"CB_T_TI", u"18", hvDialogTargetNone, 0), DialogSettingAnswer::kApplied);
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(zone(n).calc.ti, 18.0);
  EXPECT_EQ(set(u"CB_IN_T1", u"42", hvDialogTargetNone, 0), DialogSettingAnswer::kApplied);
  EXPECT_EQ(circuit(1).calc.t1, 42.0);
  EXPECT_EQ(circuit(2).calc.t1, 42.0);
}

TEST_F(DialogSettings, WhatCannotBeReadOrFoundChangesNothing) {
  const struct {
    const char16_t* key;
    const char16_t* value;
    HvDialogTarget target;
    int number;
  } refused[] = {
      {u"NO_SUCH_KEY", u"1", hvDialogTargetZone, 1},  {u"CB_T_TI", u"20", hvDialogTargetZone, 9},
      {u"CB_T_TI", u"20", hvDialogTargetZone, 0},     {u"CB_IN_T1", u"40", hvDialogTargetCircuit, 7},
      {u"CB_T_TI", u"2,5", hvDialogTargetZone, 1},    {u"CB_T_TI", u"warm", hvDialogTargetZone, 1},
      {u"CB_T_TI", u"", hvDialogTargetZone, 1},       {u"CB_T_TI", u"inf", hvDialogTargetZone, 1},
      {u"CB_T_TI", u"20 ", hvDialogTargetZone, 1},    {u"CIRCUIT_SHAPE", u"2", hvDialogTargetZone, 1},
      {u"CIRCUIT_SHAPE", u"0.5", hvDialogTargetZone, 1}, {u"DISPLAY_TYPE", u"-1", hvDialogTargetZone, 1},
      {u"CB_PIPE_PITCH", u"0", hvDialogTargetZone, 1}, {u"CB_BORDER_R", u"-0.1", hvDialogTargetZone, 1},
      {u"BODY_OUTPUT", u"-5", hvDialogTargetZone, 1},  {u"BODY_OUTPUT", u"300", hvDialogTargetCircuit, 1},
  };
  const double ti = zone(1).calc.ti;
  const std::uint32_t shape = zone(1).design()->circuitShape();
  for (const auto& r : refused) {
    EXPECT_EQ(set(r.key, r.value, r.target, r.number), DialogSettingAnswer::kRefused)
        << std::string(r.key, r.key + std::char_traits<char16_t>::length(r.key));
  }
  EXPECT_EQ(zone(1).calc.ti, ti);
  EXPECT_EQ(zone(1).design()->circuitShape(), shape);
  EXPECT_TRUE(bodyOutputs_.empty());
}

TEST_F(DialogSettings, ABodyOutputWaitsForItsBodyOrGoesToTheBodyThere) {
  EXPECT_EQ(set(u"BODY_OUTPUT", u"450", hvDialogTargetZone, 1), DialogSettingAnswer::kApplied);
  EXPECT_EQ(bodyOutputs_.at(1), 450.0);
  zone(2).heatingBody = std::make_unique<CFHHeatingBody>();
  EXPECT_EQ(set(u"BODY_OUTPUT", u"120", hvDialogTargetZone, 2), DialogSettingAnswer::kApplied);
  EXPECT_EQ(zone(2).heatingBody->output, 120.0);
}

}  // namespace
