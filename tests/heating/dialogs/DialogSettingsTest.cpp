// The main dialog's settings: each key reaches its setter on its target, and
// a key, target or value the dialog cannot take changes nothing.
#include "heating/dialogs/DialogSettings.h"
#include "heating/dialogs/NearestKey.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/curves/DrawingUnitFactor.h"

#include "platform/cadhost/DialogKeys.h"
#include "platform/cadhost/Group.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <set>
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

// One setting as a dialog step gives it.
struct SettingStep {
  const char16_t* key;
  const char16_t* value;
  HvDialogTarget target;
  int number;
};

TEST_F(DialogSettings, WhatCannotBeReadOrFoundChangesNothing) {
  const SettingStep refused[] = {
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

// What the host prints for a refused step (through cadhost: failed_runs.py).
TEST_F(DialogSettings, ARefusalSaysWhy) {
  const std::pair<SettingStep, std::u16string> refused[] = {
      {{u"CB_TI", u"20", hvDialogTargetZone, 1}, u"unknown setting CB_TI; the nearest known one is CB_T_TI"},
      {{u"pipe_pitch", u"0.1", hvDialogTargetNone, 0},
       u"unknown setting pipe_pitch; the nearest known one is PIPE_PITCH"},
      {{u"BODY_OUTPT", u"1", hvDialogTargetZone, 1},
       u"unknown setting BODY_OUTPT; the nearest known one is BODY_OUTPUT"},
      {{u"CB_T_TI", u"2,5", hvDialogTargetZone, 1}, u"\"2,5\" is not a number: write a decimal point, 2.5"},
      {{u"CB_T_TI", u"warm", hvDialogTargetZone, 1}, u"\"warm\" is not a number"},
      {{u"CB_PIPE_PITCH", u"0", hvDialogTargetZone, 1}, u"CB_PIPE_PITCH must be above 0, not 0"},
      {{u"CB_FURN_LEGS", u"-1", hvDialogTargetZone, 1}, u"CB_FURN_LEGS must be 0 or more, not -1"},
      {{u"DISPLAY_TYPE", u"1.5", hvDialogTargetZone, 1}, u"DISPLAY_TYPE must be a whole number from 0 to 2, not 1.5"},
      {{u"CB_T_TI", u"20", hvDialogTargetZone, 9}, u"there is no zone 9"},
      {{u"CB_IN_T1", u"40", hvDialogTargetCircuit, 7}, u"there is no circuit 7"},
      {{u"CB_T_TI", u"20", hvDialogTargetCircuit, 1}, u"CB_T_TI is a zone's setting: give it zone N, not circuit 1"},
      {{u"PMAX_KPA", u"20", hvDialogTargetZone, 2}, u"PMAX_KPA is a circuit's setting: give it circuit N, not zone 2"},
      {{u"BODY_OUTPUT", u"-5", hvDialogTargetZone, 1}, u"BODY_OUTPUT must be 0 or more, not -5"},
      {{u"PIPE_PITCH", u"0.08", hvDialogTargetZone, 1},
       u"PIPE_PITCH is the manifold's setting: it takes no zone or circuit"},
  };
  for (const auto& [r, expected] : refused) {
    std::u16string why = u"unchanged";
    EXPECT_EQ(applyDialogSetting(model_, r.key, r.value, r.target, r.number, bodyOutputs_, &why),
              DialogSettingAnswer::kRefused);
    EXPECT_EQ(why, expected);
  }
  std::u16string why = u"unchanged";
  EXPECT_EQ(applyDialogSetting(model_, u"CB_T_TI", u"21", hvDialogTargetZone, 1, bodyOutputs_, &why),
            DialogSettingAnswer::kApplied);
  EXPECT_EQ(why, u"unchanged");
}

// The border width R is taken only where it is fixed: elsewhere the
// calculation would replace it, and the step would be taken to no effect.
TEST_F(DialogSettings, ABorderWidthIsTakenOnlyWhereItIsFixed) {
  std::u16string why;
  const VARIANT before = zone(2).calc.borderR;
  EXPECT_EQ(applyDialogSetting(model_, u"CB_BORDER_R", u"0.05", hvDialogTargetZone, 2, bodyOutputs_, &why),
            DialogSettingAnswer::kRefused);
  EXPECT_EQ(why,
            u"the border width of zone 2 is calculated (2.3 / M) while BORDER_FIXED is 0: set BORDER_FIXED 1 first");
  EXPECT_EQ(set(u"BORDER_FIXED", u"1", hvDialogTargetZone, 2), DialogSettingAnswer::kDesignInput);
  // Without a target every zone of the scope must be fixed: zones 1 and 3 are not.
  EXPECT_EQ(applyDialogSetting(model_, u"CB_BORDER_R", u"0.05", hvDialogTargetNone, 0, bodyOutputs_, &why),
            DialogSettingAnswer::kRefused);
  EXPECT_EQ(why, u"the border widths of zones 1, 3 are calculated (2.3 / M) while BORDER_FIXED is 0: set "
                 u"BORDER_FIXED 1 first");
  EXPECT_EQ(zone(2).calc.borderR.vt, before.vt);
  EXPECT_EQ(set(u"CB_BORDER_R", u"0.05", hvDialogTargetZone, 2), DialogSettingAnswer::kDesignInput);
  EXPECT_EQ(zone(2).calc.borderR.dblVal, 0.05);
  for (const int n : {1, 3})
    EXPECT_EQ(set(u"BORDER_FIXED", u"1", hvDialogTargetZone, n), DialogSettingAnswer::kDesignInput);
  EXPECT_EQ(set(u"CB_BORDER_R", u"0.04", hvDialogTargetNone, 0), DialogSettingAnswer::kDesignInput);
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(zone(n).calc.borderR.dblVal, 0.04);
}

// A mistyped key names the key it nearly is, without regard to case.
TEST(NearestKey, FewestEditsFirstOfEquals) {
  const std::u16string_view known[] = {u"CB_T_TI", u"CB_T_TP", u"CB_PIPE_PITCH", u"PIPE_PITCH"};
  EXPECT_EQ(nearestKey(u"CB_T_TX", known), u"CB_T_TI");  // one replacement from both: the first
  EXPECT_EQ(nearestKey(u"cb_t_tp", known), u"CB_T_TP");
  EXPECT_EQ(nearestKey(u"PIPEPITCH", known), u"PIPE_PITCH");
  EXPECT_EQ(nearestKey(u"CB_PIPE_PITCHH", known), u"CB_PIPE_PITCH");
  EXPECT_EQ(nearestKey(u"", known), u"CB_T_TI");
  EXPECT_EQ(nearestKey(std::u16string(10000, u'P'), known), u"CB_PIPE_PITCH");
  EXPECT_TRUE(nearestKey(u"X", {}).empty());
}

TEST_F(DialogSettings, ABodyOutputWaitsForItsBodyOrGoesToTheBodyThere) {
  EXPECT_EQ(set(u"BODY_OUTPUT", u"450", hvDialogTargetZone, 1), DialogSettingAnswer::kApplied);
  EXPECT_EQ(bodyOutputs_.at(1), 450.0);
  zone(2).heatingBody = std::make_unique<CFHHeatingBody>();
  EXPECT_EQ(set(u"BODY_OUTPUT", u"120", hvDialogTargetZone, 2), DialogSettingAnswer::kApplied);
  EXPECT_EQ(zone(2).heatingBody->output, 120.0);
}

// The keys `cadhost --help dialog` lists are the dialog's own, every one and
// no other, and the help says of each what the dialog does: the target it
// takes (the other kinds refused), a default it takes, the values it takes
// and refuses, and the shipped heating file's default where the file has
// the key. The host refuses a length outside its range and leaves one
// inside to the dialog.
TEST_F(DialogSettings, TheHostsHelpListsEveryKeyWithWhatTheDialogTakes) {
  using cadhost::DialogKeyTarget;
  using cadhost::DialogKeyValue;
  std::set<std::u16string> listed;
  for (const cadhost::DialogKey& k : cadhost::dialogKeys()) listed.insert(cadhost::asciiToUtf16(k.key));
  const std::vector<std::u16string_view> own = dialogSettingKeys();
  EXPECT_EQ(listed, std::set<std::u16string>(own.begin(), own.end()));
  EXPECT_EQ(listed.size(), cadhost::dialogKeys().size()) << "a key listed twice";

  std::map<std::string, std::string> shipped;
  std::ifstream file(HV_SOURCE_DIR "/resources/Dat/qev_heat_floors.dat");
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (const std::size_t equals = line.find('='); equals != std::string::npos && line[0] != ';')
      shipped[line.substr(0, equals)] = line.substr(equals + 1);
  }
  ASSERT_FALSE(shipped.empty());

  ASSERT_EQ(set(u"BORDER_FIXED", u"1", hvDialogTargetZone, 1), DialogSettingAnswer::kDesignInput);
  for (const cadhost::DialogKey& k : cadhost::dialogKeys()) {
    SCOPED_TRACE(k.key);
    const std::u16string key = cadhost::asciiToUtf16(k.key);
    const HvDialogTarget target = k.target == DialogKeyTarget::kZone      ? hvDialogTargetZone
                                  : k.target == DialogKeyTarget::kCircuit ? hvDialogTargetCircuit
                                                                          : hvDialogTargetNone;
    const auto takes = [&](const std::string& value) {
      return set(key, cadhost::asciiToUtf16(value), target, 1) != DialogSettingAnswer::kRefused;
    };
    const std::string fallback = k.value == DialogKeyValue::kText ? "" : k.fallback;
    EXPECT_TRUE(takes(fallback));
    for (const HvDialogTarget other : {hvDialogTargetZone, hvDialogTargetCircuit}) {
      if (other != target) {
        EXPECT_EQ(set(key, cadhost::asciiToUtf16(fallback), other, 1), DialogSettingAnswer::kRefused);
      }
    }
    if (const auto file = shipped.find(k.key); file != shipped.end()) {
      EXPECT_EQ(k.value == DialogKeyValue::kText ? file->second : std::to_string(std::stod(file->second)),
                k.value == DialogKeyValue::kText ? fallback : std::to_string(std::stod(fallback)));
    }
    switch (k.value) {
      case DialogKeyValue::kIndex:
        EXPECT_TRUE(takes(std::to_string(k.maxIndex)));
        EXPECT_FALSE(takes(std::to_string(k.maxIndex + 1)));
        EXPECT_FALSE(takes("0.5"));
        break;
      case DialogKeyValue::kPositive: EXPECT_FALSE(takes("0")); break;
      case DialogKeyValue::kNotBelow0:
        EXPECT_TRUE(takes("0"));
        EXPECT_FALSE(takes("-1"));
        break;
      case DialogKeyValue::kNumber: EXPECT_TRUE(takes("-5")); break;
      case DialogKeyValue::kText: EXPECT_TRUE(takes("PE-Xa 17x2")); break;
      case DialogKeyValue::kLength:
        EXPECT_FALSE(takes("-1"));
        for (const double inside : {k.least, (k.least + k.most) / 2, k.most}) {
          EXPECT_TRUE(cadhost::hostDialogRefusal(key, cadhost::asciiToUtf16(std::to_string(inside))).empty());
          if (inside > 0.0) {
            EXPECT_TRUE(takes(std::to_string(inside)));
          }
        }
        EXPECT_FALSE(cadhost::hostDialogRefusal(key, cadhost::asciiToUtf16(std::to_string(k.most * 15))).empty());
        break;
    }
  }
}

}  // namespace
