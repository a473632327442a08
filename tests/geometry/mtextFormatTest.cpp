// Plain lines of formatted text: line breaks, codes that set values, codes
// that go, and texts that end inside a code.
#include <gtest/gtest.h>

#include "geometry/mtextFormat.h"

namespace {

struct Parsed {
  std::u16string text;
  int lines = 0;
  int alignment = 0;
  bool underline = false;
  double widthFactor = 0.0;
};

Parsed parse(std::u16string text) {
  Parsed p;
  parseMTextFormat(text, p.lines, p.alignment, p.underline, &p.widthFactor);
  p.text = std::move(text);
  return p;
}

TEST(MTextFormat, CodesSetValuesOrGoAndBreaksEndLines) {
  const Parsed centred = parse(u"{\\pxqc;A\\PB}");
  EXPECT_EQ(centred.text, std::u16string(u"A\0B", 3));
  EXPECT_EQ(centred.lines, 2);
  EXPECT_EQ(centred.alignment, 1);

  const Parsed height = parse(u"\\H2.5x;Z");
  EXPECT_EQ(height.text, u"Z");
  EXPECT_EQ(height.alignment, -1);
  EXPECT_EQ(height.lines, 1);
  EXPECT_DOUBLE_EQ(height.widthFactor, 1.0);

  const Parsed mixed = parse(u"\\W0.8;\\Lm\\U+00B2\\\\x\\{y\\}\\Nz\\pxqr;");
  EXPECT_EQ(mixed.text, std::u16string(u"m\\U+00B2\\x{y}\0z", 15));
  EXPECT_EQ(mixed.lines, 2);
  EXPECT_EQ(mixed.alignment, 2);
  EXPECT_TRUE(mixed.underline);
  EXPECT_DOUBLE_EQ(mixed.widthFactor, 0.8);
}

TEST(MTextFormat, ATextEndingInsideACodeStopsThere) {
  EXPECT_EQ(parse(u"AB\\").text, u"AB");
  EXPECT_EQ(parse(u"AB\\H3").text, u"AB");
  EXPECT_EQ(parse(u"\\").lines, 1);
}

TEST(MTextFormat, SplitLinesJoinsThemWithLineFeeds) {
  CString out;
  double widthFactor = 0.0;
  splitTextLines(u"{\\W2;AB\\PCDE\\PF}", out, &widthFactor);
  EXPECT_EQ(out.str(), u"AB\nCDE\nF");
  EXPECT_DOUBLE_EQ(widthFactor, 2.0);
  splitTextLines(u"one line", out, nullptr);
  EXPECT_EQ(out.str(), u"one line");
}

}  // namespace
