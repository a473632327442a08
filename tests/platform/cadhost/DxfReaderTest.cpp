// Bad input gets a clear error naming the file and the line; never a crash or
// a hang.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <random>

#include "CadhostTestUtil.h"
#include "platform/cadhost/DxfError.h"
#include "platform/cadhost/DxfReader.h"
#include "platform/cadhost/DxfWriter.h"
#include "tests/support/TestFolder.h"

namespace cadhost {
namespace {

using namespace cadhost::test;

const std::string kHeader = "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1027\n0\nENDSEC\n";
const std::string kLine =
    "0\nLINE\n5\n20\n100\nAcDbEntity\n8\n0\n100\nAcDbLine\n10\n0\n20\n0\n30\n0\n11\n1\n21\n1\n31\n0\n";

std::string withEntities(const std::string& entities) {
  return kHeader + "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

TEST(CadhostDxfReader, BadFilesGetAnErrorWithTheFileAndLine) {
  struct Case {
    std::string text;
    std::string message;
  };
  const std::string good = withEntities(kLine);
  const Case cases[] = {
      {"", "bad.dxf: the file is empty"},
      {std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + "rest", "binary DXF is not supported"},
      {"0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n0\nENDSEC\n0\nEOF\n", "older than AC1015"},
      {"0\nSECTION\n2\nENTITIES\n" + kLine + "0\nENDSEC\n0\nEOF\n", "bad.dxf:3: section 'ENTITIES' before the HEADER"},
      {withEntities("0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n"), "bad.dxf:15: LINE without subclass markers"},
      {good.substr(0, good.size() / 2), "bad.dxf:"},
      {good.substr(0, good.size() - 4), "bad.dxf:"},                       // the EOF pair cut in two
      {good.substr(0, good.find("0\nEOF")), "missing EOF"},                // no EOF at all
      {withEntities("0\nLINE\nX7\n20\n"), "bad.dxf:17: group code is not a number: 'X7'"},
      {withEntities("8\nlayer\n" + kLine), "bad.dxf:15: group 8 outside a record of section ENTITIES"},
      {withEntities("0\nCIRCLE\n100\nAcDbEntity\n40\nbig\n"), "bad.dxf:20: group 40: 'big' is not a number"},
      {withEntities("0\nCIRCLE\n100\nAcDbEntity\n62\n1.5\n"), "bad.dxf:20: group 62: '1.5' is not an integer"},
      {withEntities("0\nCIRCLE\n100\nAcDbEntity\n310\nABC\n"), "odd number of hex digits"},
      {withEntities("0\nCIRCLE\n100\nAcDbEntity\n99999\nx\n"), "group code out of range: 99999"},
      {withEntities("0\nCIRCLE\n100\nAcDbEntity\n-2147483649\nx\n"), "bad.dxf:19: group code out of range: -2147483649"},
      // Reals, points and angles hold finite numbers only.
      {withEntities("0\nCIRCLE\n100\nAcDbEntity\n10\n0\n20\n-inf\n"), "bad.dxf:22: not a finite number"},
      {withEntities("0\nARC\n100\nAcDbEntity\n50\n1e309\n"), "bad.dxf:20: not a finite number"},
      {kHeader + "0\nSECTION\n2\nTABLES\n0\nLAYER\n2\nx\n0\nENDSEC\n0\nEOF\n", "bad.dxf:15: LAYER record outside"},
      {kHeader + "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n100\nAcDbEntity\n" + kLine + "0\nENDSEC\n0\nEOF\n",
       "BLOCK without ENDBLK"},
      {"0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1027\n", "the file ends inside section HEADER"},
      {kHeader + "0\nSECTIONS\n", "bad.dxf:11: expected SECTION or EOF, found 'SECTIONS'"},
  };
  for (const Case& c : cases) {
    const std::string error = readError(c.text);
    EXPECT_NE(error.find(c.message), std::string::npos) << "got: " << error << "\nwanted: " << c.message;
  }
  EXPECT_EQ(readError(good), "");
  // A file whose last line has no line end still reads.
  EXPECT_EQ(readError(good.substr(0, good.size() - 1)), "");
  EXPECT_EQ(readError("\xEF\xBB\xBF" + good), "");
}

TEST(CadhostDxfReader, AHugeLineIsRefusedWithoutReadingItAll) {
  const TestFolder folder;
  const std::string path = folder.file("huge.dxf").string();
  const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  const std::string start = kHeader + "0\nSECTION\n2\nENTITIES\n0\nTEXT\n1\n";
  ASSERT_EQ(write(fd, start.data(), start.size()), static_cast<ssize_t>(start.size()));
  // A sparse file: one line of a gigabyte of zero bytes.
  ASSERT_EQ(ftruncate(fd, off_t{1} << 30), 0);
  close(fd);
  const auto began = std::chrono::steady_clock::now();
  std::string error;
  try {
    DxfReader::readFile(path);
  } catch (const DxfError& e) {
    error = e.what();
  }
  EXPECT_NE(error.find(path + ":18: line longer than"), std::string::npos) << error;
  EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(10));
}

TEST(CadhostDxfReader, MissingFilesAndFolders) {
  std::string error;
  try {
    DxfReader::readFile("/nonexistent/drawing.dxf");
  } catch (const DxfError& e) {
    error = e.what();
  }
  EXPECT_NE(error.find("/nonexistent/drawing.dxf: cannot open the file"), std::string::npos) << error;
  auto d = emptyDrawing();
  EXPECT_THROW(DxfWriter::writeFile(*d, "/nonexistent/out.dxf"), DxfError);
}

// Seeded random damage to a valid drawing: every result is a drawing that
// saves, or a DxfError. Runs under AddressSanitizer in the sanitizer build.
TEST(CadhostDxfReader, RandomlyDamagedFilesNeverCrash) {
  auto source = emptyDrawing();
  makeEveryKind(*source);
  const std::string good = save(*source);
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < good.size();) {
    std::size_t end = good.find('\n', start);
    lines.push_back(good.substr(start, end - start));
    start = end + 1;
  }
  std::mt19937 random(20241206);
  constexpr int kRounds = 1500;
  int loaded = 0;
  int refused = 0;
  // A reader that loops on some damage shows in that round's time. The whole
  // run's wall time is no guard: under the sanitizers on a busy machine the
  // 1500 rounds alone take a minute.
  auto slowest = std::chrono::steady_clock::duration::zero();
  for (int round = 0; round < kRounds; ++round) {
    const auto began = std::chrono::steady_clock::now();
    std::vector<std::string> damaged = lines;
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits && !damaged.empty(); ++e) {
      std::size_t at = random() % damaged.size();
      switch (random() % 8) {
        case 0: damaged.erase(damaged.begin() + static_cast<std::ptrdiff_t>(at)); break;
        case 1: damaged.insert(damaged.begin() + static_cast<std::ptrdiff_t>(at), damaged[at]); break;
        case 2: std::swap(damaged[at], damaged[random() % damaged.size()]); break;
        case 3: damaged.resize(at); break;
        case 4:
          if (!damaged[at].empty()) damaged[at][random() % damaged[at].size()] = static_cast<char>(random());
          break;
        case 5: damaged[at] = std::to_string(static_cast<int>(random() % 2000) - 10); break;
        default:  // numbers no reader takes: not finite, or group codes past int
          damaged[at] = std::array{"1e999999", "nan", "inf", "-inf", "1e309", "-2147483649"}[random() % 6];
          break;
      }
    }
    std::string text;
    for (const std::string& l : damaged) text += l + '\n';
    try {
      auto d = load(text);
      // What was saved reads again, so it holds no number that is not finite.
      const std::string saved = save(*d);
      ASSERT_NO_THROW(load(saved)) << "round " << round;
      ++loaded;
    } catch (const DxfError&) {
      ++refused;
    }
    slowest = std::max(slowest, std::chrono::steady_clock::now() - began);
  }
  EXPECT_EQ(loaded + refused, kRounds);
  EXPECT_GT(refused, 0);
  EXPECT_LT(slowest, std::chrono::seconds(5));
}

}  // namespace
}  // namespace cadhost
