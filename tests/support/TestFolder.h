// The one way a GoogleTest test makes files: a fresh folder in the temporary
// folder ($TMPDIR), named hv-test-<test>-XXXXXX after the running test. It is
// removed when the test has passed; when the test has failed it is kept for
// inspection and its path is added to the test's failures. Make one per test
// (a local or a fixture member) and put every file the test writes in it.
// Python test scripts have the same helper in tests/support/test_folders.py.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

class TestFolder {
 public:
  TestFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / ("hv-test-" + testName() + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a test folder " + pattern);
    path_ = pattern;
  }
  ~TestFolder() {
    if (::testing::Test::HasFailure()) {
      ADD_FAILURE() << "the failed test's folder is kept: " << path_.string();
      return;
    }
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path file(std::string_view name) const { return path_ / name; }
  // A file of the folder written with the given bytes; answers its path.
  std::filesystem::path write(std::string_view name, const std::string& bytes) const {
    std::ofstream(file(name), std::ios::binary) << bytes;
    return file(name);
  }
  std::string read(std::string_view name) const {
    std::ifstream in(file(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // The folder, or a file of it, as the module names it: UTF-16 with backslashes.
  std::u16string windows() const { return windows(path_.u16string()); }
  std::u16string windows(std::string_view name) const { return windows((path_ / name).u16string()); }

 private:
  static std::u16string windows(std::u16string text) {
    for (char16_t& c : text) c = c == u'/' ? u'\\' : c;
    return text;
  }
  // "Suite.Name-" of the running test, "" outside a test.
  static std::string testName() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (test == nullptr) return "";
    std::string name = std::string(test->test_suite_name()) + "." + test->name() + "-";
    for (char& c : name) c = c == '/' ? '_' : c;
    return name.size() <= 80 ? name : name.substr(0, 79) + "-";
  }

  std::filesystem::path path_;
};
