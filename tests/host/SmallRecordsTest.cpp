// Quantities rewritten by their format entries, and floor-structure record
// copies that own what they hold.
#include <gtest/gtest.h>

#include <memory>

#include "host/FloorStructureRecord.h"
#include "host/formatQuantity.h"
#include "tests/support/TestFolder.h"

namespace {

std::u16string formatted(const std::u16string& file, const char16_t* key, const char16_t* text, double u,
                         std::size_t size = 64) {
  std::u16string buffer(text);
  buffer.resize(std::max(size, buffer.size() + 1), u'\0');
  formatQuantity(key, buffer.data(), size, file.c_str(), u);
  return std::u16string(buffer.c_str());
}

TEST(FormatQuantity, EntriesScaleByTheirUnitAndLeaveWhatTheyCannotWrite) {
  TestFolder folder;
  const std::u16string file = folder.write(
      "format.ini", "[INFO_FORMAT]\r\nAREA=1;m2\r\nLEN=0;mm\r\nFT=3;ft\r\nCM=1;cm\r\nCM2=2;cm2\r\nVOL=;m3;x\r\n"
                    "EMPTY=\r\n").u16string();
  EXPECT_EQ(formatted(file, u"AREA", u"2.5e6", 1000), u"2.5m2");
  EXPECT_EQ(formatted(file, u"LEN", u"1.2346", 1), u"1235mm");
  EXPECT_EQ(formatted(file, u"FT", u"2", 1000), u"2.000ft");
  EXPECT_EQ(formatted(file, u"CM", u"2500", 1000), u"250.0cm");  // 100 / 1000 is 0.1, not 0
  EXPECT_EQ(formatted(file, u"CM2", u"2500000", 1000), u"25000.00cm2");
  EXPECT_EQ(formatted(file, u"VOL", u"2e9", 1000), u"2.00m3");  // no decimals given: 2
  for (const char16_t* key : {u"MISSING", u"EMPTY"}) EXPECT_EQ(formatted(file, key, u"2500", 1000), u"2500");
  EXPECT_EQ(formatted(file, u"CM", u"2500", 0), u"2500");
  EXPECT_EQ(formatted(file, u"CM", u"abc", 1000), u"abc");
  // "250.0cm" needs 8 units with its terminator.
  EXPECT_EQ(formatted(file, u"CM", u"2500", 1000, 7), u"2500");
  EXPECT_EQ(formatted(file, u"CM", u"2500", 1000, 8), u"250.0cm");
}

TEST(FloorStructureRecord, ACopyOwnsEverythingItHolds) {
  auto source = std::make_unique<FloorStructureRecord>();
  source->texts = {std::string("Podlaha A"), std::nullopt, std::string("P1")};
  source->values = {1, 2, 3};
  source->word = 7;
  source->layers.push_back({{1, 2, 3, 4, 5}, {10, 20}});
  source->layers.push_back({{}, {}});
  const FloorStructureRecord copy = *source;
  source.reset();  // the copy outlives its source
  EXPECT_EQ(copy.texts[0], "Podlaha A");
  EXPECT_FALSE(copy.texts[1].has_value());
  EXPECT_EQ(copy.word, 7u);
  ASSERT_EQ(copy.layers.size(), 2u);
  EXPECT_EQ(copy.layers[0].values, (std::vector<std::int64_t>{10, 20}));
  EXPECT_EQ(copy.layers[0].words[4], 5);
}

}  // namespace
