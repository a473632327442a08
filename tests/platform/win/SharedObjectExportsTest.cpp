// The plain names a shared object exports, read from its file: the test
// plugin's two C functions and nothing of its C++ or runtime symbols; a file
// that is no ELF, cut short or damaged gives what it can without reading
// outside itself.
#include "platform/win/SharedObjectExports.h"

#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

#include <elf.h>

namespace {

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::vector<std::string> kPluginExports = {"hvTestPluginAnswer", "hvTestPluginStartup"};

}  // namespace

TEST(SharedObjectExports, ThePluginsCFunctionsOnlyInOrder) {
  EXPECT_EQ(hvSharedObjectPlainExports(HV_TEST_PLUGIN), kPluginExports);
}

TEST(SharedObjectExports, NoElfFileCutShortOrDamagedReadsNothingOutsideItself) {
  TestFolder folder;
  EXPECT_TRUE(hvSharedObjectPlainExports(folder.file("missing.so").string()).empty());
  EXPECT_TRUE(hvSharedObjectPlainExports(folder.write("text.so", "not an ELF file").string()).empty());
  EXPECT_TRUE(hvSharedObjectPlainExports(folder.write("empty.so", "").string()).empty());
  const std::string plugin = fileBytes(HV_TEST_PLUGIN);
  ASSERT_GT(plugin.size(), sizeof(Elf64_Ehdr));
  // Cut anywhere: the section table lies at the end, so nothing is found
  // before it is whole.
  for (const std::size_t length : {std::size_t{4}, sizeof(Elf64_Ehdr), plugin.size() / 2, plugin.size() - 1})
    EXPECT_TRUE(hvSharedObjectPlainExports(folder.write("cut.so", plugin.substr(0, length)).string()).empty())
        << length;
  // Section offsets and sizes made huge, and random bytes of the section
  // table changed: any answer is a subset of names that are in the file's
  // string tables, and the reader stays inside the file (ASan).
  Elf64_Ehdr header;
  std::memcpy(&header, plugin.data(), sizeof header);
  std::mt19937 random(59);
  for (int round = 0; round < 300; ++round) {
    std::string damaged = plugin;
    const std::size_t table = header.e_shoff;
    const std::size_t tableBytes = std::size_t{header.e_shnum} * sizeof(Elf64_Shdr);
    ASSERT_LE(table + tableBytes, damaged.size());
    for (int change = 0; change < 1 + round % 8; ++change) {
      const std::size_t at = table + random() % tableBytes;
      damaged[at] = static_cast<char>(round % 3 == 0 ? 0xFF : random() & 0xFF);
    }
    if (round % 50 == 0) {  // the section table itself placed past the end
      const std::uint64_t far = ~std::uint64_t{0} - 16;
      std::memcpy(damaged.data() + offsetof(Elf64_Ehdr, e_shoff), &far, sizeof far);
    }
    for (const std::string& name : hvSharedObjectPlainExports(folder.write("damaged.so", damaged).string())) {
      EXPECT_FALSE(name.empty() || name.front() == '_');
      EXPECT_NE(damaged.find(name), std::string::npos) << name;
    }
  }
}
