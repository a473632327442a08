#include "tests/support/TestFolder.h"

#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

TEST(TestFolder, AFailedTestKeepsItsFolderAndNamesItAPassedOneLeavesNothing) {
  const TestFolder temp;
  const std::string command = "TMPDIR='" + temp.path().string() + "' " HV_TEST_FOLDER_PROBE " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  const int status = ::pclose(pipe);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << output;

  std::vector<std::filesystem::path> left;
  for (const auto& entry : std::filesystem::directory_iterator(temp.path())) left.push_back(entry.path());
  ASSERT_EQ(left.size(), 1u) << output;
  EXPECT_TRUE(left[0].filename().string().starts_with("hv-test-Probe.Fails-")) << left[0];
  EXPECT_EQ(temp.read(left[0].filename().string() + "/note.txt"), "failed");
  EXPECT_NE(output.find("the failed test's folder is kept: " + left[0].string()), std::string::npos) << output;
}

TEST(TestFolder, FilesAsTheModuleNamesThem) {
  const TestFolder folder;
  EXPECT_EQ(folder.write("a b.ini", "x"), folder.path() / "a b.ini");
  EXPECT_EQ(folder.read("a b.ini"), "x");
  const std::u16string windows = folder.windows("a b.ini");
  EXPECT_EQ(windows.find(u'/'), std::u16string::npos);
  EXPECT_TRUE(windows.ends_with(u"\\a b.ini"));
}

}  // namespace
