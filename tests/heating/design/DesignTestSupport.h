// What the design model tests share: the tolerances and unit factor of a
// heating command, a data folder with the heating settings files, and a host
// table with the words the settings read.
#pragma once

#include "heating/design/settings/CFHDataFiles.h"

#include "tests/heating/curves/ZoneTestSupport.h"
#include "tests/support/TestFolder.h"

#include "platform/cadhost/HostTables.h"
#include "platform/win/Utf8.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace design_test {

// A host folder with a "Dat" folder; files are written as given (UTF-8,
// which equals code page 1250 for the plain texts used).
class DataFolder {
 public:
  DataFolder() { std::filesystem::create_directories(folder_.path() / "Dat"); }
  void write(const std::string& name, const std::string& text) const {
    std::ofstream(folder_.path() / "Dat" / name, std::ios::binary) << text;
  }
  // The paths as the application builds them (spelt "DAT\..." for the heating file).
  CFHDataFiles files() const { return CFHDataFiles::inFolder(CString(hvUtf8ToWide(folder_.path().string()))); }

 private:
  TestFolder folder_;
};

// A host table answering the caption, the hatch patterns, the text styles,
// the current layer and the layer state.
struct FakeHostTable {
  FakeHostTable() {
    setHostWord<94>(table, [] { return "Havlen"; });
    setHostWord<77>(table, [](int, const unsigned char** records, int* count, int) {
      *records = patternBytes().data();
      *count = static_cast<int>(patternBytes().size() / 80);
    });
    setHostWord<59>(table, [](int* count) -> const char* const* {
      static const char* const styles[] = {"Standard", "ISOCP", "Arial"};
      *count = 3;
      return styles;
    });
    setHostWord<29>(table, [](const char*) { return "STENY"; });
    setHostWord<218>(table, [](const char16_t*, unsigned char* first, unsigned char* second) {
      *first = 1;
      *second = 2;
    });
  }
  // The host's patterns: "SOLID", "ANSI31", "ANSI37", "ANSI37" again.
  static const std::vector<unsigned char>& patternBytes() {
    static const std::vector<unsigned char> bytes = [] {
      std::vector<unsigned char> all;
      for (const char* name : {"SOLID", "ANSI31", "ANSI37", "ANSI37"}) {
        std::vector<unsigned char> record(80, 0);
        std::copy(name, name + std::char_traits<char>::length(name), record.begin());
        all.insert(all.end(), record.begin(), record.end());
      }
      return all;
    }();
    return bytes;
  }
  HostExport2D table{};
};

}  // namespace design_test
