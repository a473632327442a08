// Run by TestFolderTest: one test passes, one fails, each leaving a file in its folder.
#include "tests/support/TestFolder.h"

TEST(Probe, Passes) { TestFolder().write("note.txt", "passed"); }

TEST(Probe, Fails) {
  TestFolder folder;
  folder.write("note.txt", "failed");
  ADD_FAILURE() << "failing on purpose";
}
