// The edit command in-process over the stand-in host, on the minimal design
// the design command draws first in the same run, with its real design jobs:
// under ThreadSanitizer nothing of the jobs, the waiter, the dialog's window
// or the output may race, also when the dialog's steps change the model
// while the jobs run or the command ends while they run.
#include "heating/design/model/CFHModel.h"
#include "heating/design/commands/CmdDozidEzezOvedo.h"
#include "heating/design/commands/CmdDozidEzezOvedoEdit.h"
#include "heating/dialogs/CFloorHeatingDlgComplex.h"

#include "resources/ModuleStrings.h"

#include "platform/win/KernelObject.h"

#include "tests/platform/cadhost/host/HostTestFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using cadhost::test::HostRun;
using cadhost::test::liveRecord;

void designCommand() { runDozidEzezOvedo(&CFloorHeatingDlgComplex::create); }
void editCommand() { runDozidEzezOvedoEdit(&CFloorHeatingDlgComplex::create); }

// What the edit's model held when its dialog was first shown.
struct ReadModel {
  std::size_t routes = 0;
  std::size_t circuits = 0;
  std::size_t zones = 0;
};
ReadModel g_read;

// A dialog that notes the model it is shown over and leaves.
class NotingDialog final : public CFHMainDialog {
 public:
  explicit NotingDialog(CFHModel& model) : model_(model) {}
  int showModal() override {
    g_read = {model_.pipeNetwork().pipeCurves().size(), model_.circuits().size(), model_.zones().size()};
    return IDCANCEL;
  }

 private:
  CFHModel& model_;
};
void notingEditCommand() {
  runDozidEzezOvedoEdit([](CFHModel& model, HWND) -> std::unique_ptr<CFHMainDialog> {
    return std::make_unique<NotingDialog>(model);
  });
}

// The minimal drawing designed (meanders, R fixed), then the edit's lines.
std::unique_ptr<HostRun> editRun(const std::string& edit, cadhost::test::TestCommand command = editCommand) {
  hvRegisterModuleStrings();
  cadhost::CadhostOptions options;
  options.productsPath = std::string(HV_SOURCE_DIR) + "/platform/qevdb/data/QevProducts.dat";
  // Without the module's application object the heating defaults are the
  // model's own (the spiral): the design asks for meanders, which the edit
  // reads back.
  return std::make_unique<HostRun>(
      "minimal.dxf",
      "command design\nselect handles 100 101 103\nselect handles 102 104\ndialog set CIRCUIT_SHAPE 0\n"
      "dialog set BORDER_FIXED 1\ndialog wait\ndialog end ok\nend\ncommand edit\n" + edit + "end\n",
      options,
      std::vector<std::pair<std::string, cadhost::test::TestCommand>>{{"design", designCommand}, {"edit", command}});
}

// The design's supply of circuit 1: its first drawn entity.
constexpr cadhost::Handle kFirstSupply = 0x108;

TEST(EditCommandThreads, SettingsChangedWhileTheJobsRunAreLaidOutAndDrawn) {
  const std::size_t handles = hvOpenHandleCount();
  {
    auto run = editRun("select assoc 100\ndialog set CB_PIPE_PITCH 0.1 zone 1\ndialog set PIPE_PITCH 0.08\n"
                       "dialog calc\ndialog wait\ndialog end ok\n");
    EXPECT_EQ(run->run(), 0);
    EXPECT_EQ(liveRecord(run->drawing(), kFirstSupply), cadhost::kNoRecord);  // replaced by the new pipe
    EXPECT_NE(liveRecord(run->drawing(), 0x100), cadhost::kNoRecord);
    // The design's output and release, the edit's output and release.
    EXPECT_EQ(run->logWith({"\"word\":19", "\"code\":1,"}).size(), 4u);
    EXPECT_EQ(run->logWith({"\"word\":142", "\"108\""}).size(), 1u);
  }
  EXPECT_EQ(hvOpenHandleCount(), handles);
}

TEST(EditCommandThreads, LeavingTheDialogWhileJobsRunLeavesTheDrawingAsItWas) {
  const std::size_t handles = hvOpenHandleCount();
  {
    auto run = editRun("select assoc 100\ndialog set CB_PIPE_PITCH 0.1\ndialog end cancel\n");
    EXPECT_EQ(run->run(), 0);
    EXPECT_NE(liveRecord(run->drawing(), kFirstSupply), cadhost::kNoRecord);
    EXPECT_EQ(run->logWith({"\"word\":19"}).size(), 2u);  // the design's only
    EXPECT_TRUE(run->logWith({"\"word\":142"}).size() == 1u);
  }
  EXPECT_EQ(hvOpenHandleCount(), handles);
}

// Circuit 2's return left out of the selection: the circuit is dropped with
// its zone, and no route of it stays in the network.
TEST(EditCommandThreads, ACircuitLeftAsDrawnLeavesNoRouteInTheNetwork) {
  g_read = {};
  auto run = editRun("select handles 100 108 10A 10C 10E 10F 110 111 112 113 114\n", notingEditCommand);
  EXPECT_EQ(run->run(), 0);
  EXPECT_EQ(g_read.circuits, 1u);
  EXPECT_EQ(g_read.zones, 1u);
  EXPECT_EQ(g_read.routes, 1u);
  EXPECT_EQ(run->logWith({"\"kind\":\"msgbox\"", "Okruhy 2 "}).size(), 1u);
}

}  // namespace
