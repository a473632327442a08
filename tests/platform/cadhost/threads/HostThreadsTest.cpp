// Design threads fetch the host's table and its unit factor (word 33) while
// the command thread keeps calling the host and writing the log.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "host/HostExport.h"
#include "tests/platform/cadhost/host/HostTestFixture.h"

namespace cadhost::test {
namespace {

std::atomic<int> g_wrong{0};
std::atomic<int> g_calls{0};

TEST(CadhostThreads, Word33AndTheTableLookupServeWorkerThreads) {
  HostRun run("minimal.dxf", "command design\n", {}, {{"design", [] {
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
      threads.emplace_back([] {
        for (int i = 0; i < 300; ++i) {
          if (hostUnitFactor().value_or(0) != 1000) ++g_wrong;
          ++g_calls;
        }
      });
    for (int i = 0; i < 300; ++i) {
      callHostWord<178>();
      callHostWord<94>();
    }
    for (std::thread& t : threads) t.join();
  }}});
  EXPECT_EQ(run.run(), 0);
  EXPECT_EQ(g_wrong.load(), 0);
  EXPECT_EQ(g_calls.load(), 2400);
  EXPECT_EQ(run.logWith({"\"word\":33", "\"thread\":\"worker\""}).size(), 2400u);
  for (const std::string& line : run.log()) EXPECT_EQ(line.front(), '{') << line;
}

}  // namespace
}  // namespace cadhost::test
