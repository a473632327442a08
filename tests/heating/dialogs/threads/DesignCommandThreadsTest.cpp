// The design command in-process over the stand-in host, with its real design
// jobs and dialog: under ThreadSanitizer nothing of the jobs, the waiter, the
// dialog's window or the output may race.
#include "heating/design/commands/CmdDozidEzezOvedo.h"
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

std::unique_ptr<HostRun> designRun(const std::string& dialog) {
  hvRegisterModuleStrings();
  cadhost::CadhostOptions options;
  options.productsPath = std::string(HV_SOURCE_DIR) + "/platform/qevdb/data/QevProducts.dat";
  // Without the module's application object the heating defaults are the
  // model's own (the spiral): the script asks for meanders.
  return std::make_unique<HostRun>("minimal.dxf",
                                   "command design\nselect handles 100 101 103\nselect handles 102 104\n"
                                   "dialog set CIRCUIT_SHAPE 0\n" + dialog + "end\n",
                                   options, std::vector<std::pair<std::string, cadhost::test::TestCommand>>{
                                                {"design", designCommand}});
}

TEST(DesignCommandThreads, TheMinimalDesignIsLaidOutOnItsJobsAndDrawn) {
  const std::size_t handles = hvOpenHandleCount();
  {
    auto run = designRun("dialog wait\ndialog set CB_PIPE_PITCH 0.15 zone 2\ndialog calc\n"
                         "dialog wait\ndialog end ok\n");
    EXPECT_EQ(run->run(), 0);
    EXPECT_EQ(liveRecord(run->drawing(), 0x102), cadhost::kNoRecord);  // replaced by its outline
    EXPECT_EQ(liveRecord(run->drawing(), 0x104), cadhost::kNoRecord);
    EXPECT_NE(liveRecord(run->drawing(), 0x100), cadhost::kNoRecord);
    EXPECT_EQ(run->logWith({"\"word\":19", "\"code\":1,"}).size(), 2u);  // the output and the release
  }
  EXPECT_EQ(hvOpenHandleCount(), handles);
}

// Jobs restarted in one show end while the next is not open (the 599 finds
// no floor-structure library in-process): they tell no window, and the next
// show takes their designs up.
TEST(DesignCommandThreads, DesignsThatEndBetweenShowsAreTakenUpByTheNextShow) {
  const std::size_t handles = hvOpenHandleCount();
  {
    auto run = designRun("dialog set CB_PIPE_PITCH 0.1 zone 1\ndialog end 599\n"
                         "dialog wait\ndialog end ok\n");
    EXPECT_EQ(run->run(), 0);
    EXPECT_EQ(run->logWith({"\"event\":\"open\""}).size(), 2u);
    EXPECT_EQ(liveRecord(run->drawing(), 0x102), cadhost::kNoRecord);
  }
  EXPECT_EQ(hvOpenHandleCount(), handles);
}

TEST(DesignCommandThreads, LeavingTheDialogWhileJobsRunStopsThemAndPostsNothingLater) {
  const std::size_t handles = hvOpenHandleCount();
  {
    auto run = designRun("dialog set CB_PIPE_PITCH 0.1\ndialog end cancel\n");
    EXPECT_EQ(run->run(), 0);
    EXPECT_EQ(run->logWith({"\"word\":19", "\"code\":2147483680"}).size(), 1u);
    EXPECT_NE(liveRecord(run->drawing(), 0x102), cadhost::kNoRecord);
  }
  EXPECT_EQ(hvOpenHandleCount(), handles);
}

}  // namespace
