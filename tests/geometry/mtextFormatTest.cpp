// Plain lines of formatted text: line breaks, codes that set values, codes
// that go, and texts that end inside a code.
#include <gtest/gtest.h>

#include <tuple>

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
  const struct {
    const char16_t* formatted;
    std::u16string text;
    int lines, alignment;
    bool underline;
    double widthFactor;
  } cases[] = {{u"{\\pxqc;A\\PB}", std::u16string(u"A\0B", 3), 2, 1, false, 0.0},
               {u"\\H2.5x;Z", u"Z", 1, -1, false, 1.0},
               {u"\\W0.8;\\Lm\\U+00B2\\\\x\\{y\\}\\Nz\\pxqr;", std::u16string(u"m\\U+00B2\\x{y}\0z", 15), 2, 2, true, 0.8}};
  for (const auto& c : cases) {
    const Parsed p = parse(c.formatted);
    EXPECT_EQ(std::tuple(p.text, p.lines, p.alignment, p.underline), std::tuple(c.text, c.lines, c.alignment, c.underline));
    EXPECT_TRUE(c.widthFactor == 0.0 || p.widthFactor == c.widthFactor) << p.widthFactor;
  }
  // A text ending inside a code stops there.
  EXPECT_TRUE(parse(u"AB\\").text == u"AB" && parse(u"AB\\H3").text == u"AB" && parse(u"\\").lines == 1);
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
