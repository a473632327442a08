#include "resources/FixedTexts.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<char16_t> nonAscii(const std::u16string& text) {
  std::vector<char16_t> units;
  for (char16_t c : text) {
    if (c >= 0x80) units.push_back(c);
  }
  return units;
}

}  // namespace

TEST(FixedTexts, PipeLabelsHoldTheListedCodeUnits) {
  EXPECT_EQ(HvText::pipeLabelName(), u"N\u0102\u02C7zev");
  EXPECT_EQ(HvText::pipeLabelMaterial(), u"Materi\u0102\u02C7l");
  EXPECT_EQ(nonAscii(HvText::pipeLabelSupply()),
            (std::vector<char16_t>{0x0139, 0x2122, 0x0102, 0x00AD, 0x0102, 0x00AD, 0x0102, 0x00A9, 0x0102, 0x02C7,
                                   0x00C4, 0x203A, 0x0102, 0x00AD}));
  EXPECT_EQ(nonAscii(HvText::pipeLabelReturn()),
            (std::vector<char16_t>{0x00C4, 0x203A, 0x0102, 0x00A9, 0x0102, 0x00A9, 0x0102, 0x02C7, 0x00C4, 0x203A,
                                   0x0102, 0x00AD}));
  EXPECT_EQ(HvText::pipeLabelSupply(),
            u"P\u0139\u2122\u0102\u00ADvodn\u0102\u00AD-podlahov\u0102\u00A9 vyt\u0102\u02C7p\u00C4\u203An\u0102\u00AD");
  EXPECT_EQ(HvText::pipeLabelReturn(),
            u"Zp\u00C4\u203Atn\u0102\u00A9-podlahov\u0102\u00A9 vyt\u0102\u02C7p\u00C4\u203An\u0102\u00AD");
  EXPECT_EQ(std::u16string(HvText::kPipeLabelDimension), u"Dimenze");
}
