// Narrow texts of the module interface: code page 1250 with \U+xxxx escapes.
#include <gtest/gtest.h>

#include "platform/cadhost/NarrowText.h"

namespace cadhost {
namespace {

TEST(CadhostNarrowText, CzechInTheCodePageAndEverythingElseEscaped) {
  EXPECT_EQ(wideToNarrow(u"Zóna č."), "Z\xF3na \xE8.");
  EXPECT_EQ(wideToNarrow(u"Стиль €"), "\\U+0421\\U+0442\\U+0438\\U+043B\\U+044C \x80");
  for (std::u16string text : {u"Příliš žluťoučký kůň", u"Стиль", u"a\\b", u"😀"})
    EXPECT_EQ(narrowToWide(wideToNarrow(text)), text);
  EXPECT_EQ(narrowToWide(static_cast<const char*>(nullptr)), u"");
  EXPECT_EQ(narrowToWide("rozd\xECl" "ova\xE8 \\U+20AC"), u"rozdělovač €");
}

}  // namespace
}  // namespace cadhost
