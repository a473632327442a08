// The pages' steps of the scripted dialog on a model of their own: replies,
// refusals that change nothing, the join of the selection and the pipe
// pitch setting. (Through cadhost: dialog_pages.py.)
#include "heating/dialogs/DialogPageSteps.h"
#include "heating/dialogs/DialogSettings.h"

#include "heating/design/model/CFHCircuit.h"

#include "resources/ModuleStrings.h"

#include "platform/cadhost/HostStatus.h"

#include "tests/heating/design/ZoneDesignTestSupport.h"

#include <string>

namespace {

// One step with its items and its own reply buffer.
struct Step {
  Step(HvDialogStepKind kind, std::vector<HvDialogStepItem> items = {}, int capacity = hvDialogReplyCapacity)
      : items(std::move(items)), reply(static_cast<std::size_t>(capacity), u'x') {
    step.kind = kind;
    step.itemCount = static_cast<std::int32_t>(this->items.size());
    step.items = this->items.data();
    step.reply = reply.data();
    step.replyCapacity = capacity;
  }
  std::u16string text() const { return std::u16string(reply.c_str()); }
  std::vector<HvDialogStepItem> items;
  std::u16string reply;
  HvDialogStep step{};
};

// Circuit 1 feeds zone 1, circuit 2 zone 2; zone 3 has no circuit.
class DialogPageSteps : public zone_design_test::DesignTest {
 protected:
  DialogPageSteps() {
    hvRegisterModuleStrings();
    EXPECT_TRUE(zone_design_test::routeThreeRooms(model));
  }
  int pick(std::vector<HvDialogStepItem> items, int mode = 0, std::u16string* reply = nullptr) {
    Step s(hvDialogPick, std::move(items));
    s.step.mode = mode;
    const int status = pickStep(model, s.step);
    if (reply != nullptr) *reply = s.text();
    return status;
  }
  CFHModel model;
};

// What dialog_pages.py does not reach: an edge's words, the list of an
// empty selection, refused keys of every kind.
TEST_F(DialogPageSteps, RepliesAndRefusedKeys) {
  std::u16string reply;
  ASSERT_EQ(pick({{hvDialogItemEdge, 2, 3}}, 0, &reply), hostStatus::normal);
  EXPECT_EQ(reply, u"keys: edge 2 3; zones: 2; circuit: none");
  const std::vector<std::uint64_t> before = model.selectionKeys;
  for (const HvDialogStepItem item : {HvDialogStepItem{hvDialogItemZone, 9, 0}, {hvDialogItemCircuit, 7, 0},
                                      {hvDialogItemEdge, 1, 5}, {hvDialogItemEdge, 1, 0}})
    EXPECT_EQ(pick({{hvDialogItemAll, 0, 0}, item}), hostStatus::error);
  EXPECT_EQ(model.selectionKeys, before);
  ASSERT_EQ(pick({}, 2, &reply), hostStatus::normal);
  EXPECT_EQ(reply, u"keys: none; zones: none; circuit: none");
  Step show(hvDialogShow, {{hvDialogItemField, 15, 0}, {hvDialogItemField, 14, 0}});
  EXPECT_EQ(showStep(model, show.step), hostStatus::normal);
  EXPECT_EQ(show.text(), u"15: none; 14: 0.2; border: 2 widths; display: 0; shape: 1; layout value: -2; P: 0 KPa");
}

TEST_F(DialogPageSteps, LongRepliesAreCut) {
  for (const auto& [capacity, expected] : {std::pair<int, std::u16string>{12, u"15: no[cut]"}, {4, u"[cu"}, {1, u""}}) {
    Step s(hvDialogShow, {{hvDialogItemField, 15, 0}}, capacity);
    showStep(model, s.step);
    EXPECT_EQ(s.text(), expected);
  }
}

TEST_F(DialogPageSteps, TheSelectedZonesJoinOnlyAsAPair) {
  CFHZoneEntry* zones[3] = {model.zones()[0].get(), model.zones()[1].get(), model.zones()[2].get()};
  const struct {
    std::vector<CFHZoneEntry*> selected;
    bool joins;
  } rows[] = {{{zones[0]}, false}, {{zones[2], zones[0]}, true}, {{zones[0], zones[2]}, true}, {{zones[0], zones[1]}, false},
              {{zones[0], zones[2], zones[1]}, false}};
  for (const auto& row : rows) {
    model.selectedZones = row.selected;
    EXPECT_EQ(joinSelectedZones(model), row.joins);
    EXPECT_EQ(model.joinPair[0], row.joins ? zones[0] : nullptr);
    EXPECT_EQ(model.joinPair[1], row.joins ? zones[2] : nullptr);
  }
  // A zone that is not its circuit's last cannot take the joining zone.
  model.circuits()[0]->addZone(zones[1]);
  EXPECT_FALSE(canJoin(zones[0], zones[2]));
  EXPECT_TRUE(canJoin(zones[1], zones[2]));
}

TEST_F(DialogPageSteps, PipePitchInMetresForTheWholeManifold) {
  PendingBodyOutputs outputs;
  const auto set = [&](const char16_t* value, HvDialogTarget target) {
    return applyDialogSetting(model, u"PIPE_PITCH", value, target, 1, outputs);
  };
  for (const auto& [value, target] : {std::pair{u"0.08", hvDialogTargetZone}, {u"0", hvDialogTargetNone},
                                      {u"-0.1", hvDialogTargetNone}, {u"x", hvDialogTargetNone}}) {
    EXPECT_EQ(set(value, target), DialogSettingAnswer::kRefused);
    EXPECT_EQ(model.pipeNetwork().pipePitch, 200.0);
  }
  EXPECT_EQ(set(u"0.08", hvDialogTargetNone), DialogSettingAnswer::kDesignInput);
  EXPECT_EQ(model.pipeNetwork().pipePitch, 80.0);
  const CFHZoneDesign& first = *model.zones()[0]->design();
  EXPECT_NEAR(first.pipeEnd(0)->point.distanceTo(first.pipeEnd(1)->point), 80.0, 1e-6);
}

}  // namespace
