// The host script: what each line means, and mistakes named by file and line.
#include <gtest/gtest.h>

#include "platform/cadhost/Script.h"

#include <tuple>

namespace cadhost {
namespace {

std::string errorOf(const std::string& text) {
  try {
    Script::parse(text, "job.script");
  } catch (const ScriptError& e) {
    return e.what();
  }
  return {};
}

TEST(CadhostScript, CommandBlocksAndStatements) {
  Script s = Script::parse(
      "\xEF\xBB\xBF# a job\r\nselect all type=line,Arc layer=ZONY\r\n\r\ncommand dozidEzezOvedo\n"
      "  select handles 100 1A empty-ok\nselect window 5,6 -1,2\nmsgbox no\nkeyword Zónami\nkeyword 2\n"
      "point 1.5,-2\ndistance cancel\nfloorlib P1 \"Betonová podlaha\"\ndialog set Spacing 150 circuit 2\n"
      "dialog end 600 join 1 3\nend\nselect assoc 64\nsave \"out put.dxf\"\nsummary\n",
      "job.script");
  const auto& items = s.items();
  ASSERT_EQ(items.size(), 16u);
  EXPECT_EQ(std::tuple(items[0].line, items[0].inCommand, items[0].select.types),
            std::tuple(2u, false, std::vector<std::u16string>{u"LINE", u"ARC"}));
  EXPECT_EQ(std::tuple(items[1].name, items[2].inCommand, items[2].select.emptyOk, items[2].select.handles),
            std::tuple("dozidEzezOvedo", true, true, std::vector<Handle>{0x100, 0x1A}));
  // Window corners in any order.
  EXPECT_EQ(std::tuple(items[3].select.low, items[3].select.high, items[4].answer, items[5].keyword, items[6].keywordIndex),
            std::tuple(Point3{-1, 2, 0}, Point3{5, 6, 0}, 7, u"Zónami", 2));
  EXPECT_EQ(std::tuple(items[7].point, items[8].cancel, items[9].action, items[10].dialog.target),
            std::tuple(Point3{1.5, -2, 0}, true, u"Betonová podlaha", DialogStepSpec::Target::Circuit));
  // After `end`: a statement again.
  EXPECT_EQ(std::tuple(items[11].dialog.endCode, items[11].dialog.second, items[12].kind, items[13].inCommand, items[14].name),
            std::tuple(600, 3, ScriptKind::End, false, "out put.dxf"));
}

TEST(CadhostScript, MistakesNameTheFileAndLine) {
  EXPECT_EQ(errorOf("command a\nselect handles\n"), "job.script:2: select handles needs at least one handle");
  EXPECT_EQ(errorOf("\n\nfrobnicate\n"), "job.script:3: unknown script line: frobnicate");
  EXPECT_EQ(errorOf("command a\npoint 1;2\n"), "job.script:2: expected X,Y for the point: 1;2");
  EXPECT_EQ(errorOf("command a\ndistance 1e999x\n"), "job.script:2: not a number for the distance: 1e999x");
  EXPECT_EQ(errorOf("command a\nselect handles XYZ\n"), "job.script:2: not a handle: XYZ");
  EXPECT_EQ(errorOf("command a\nmsgbox maybe\n"), "job.script:2: not a whole number for the message box answer: maybe");
  EXPECT_EQ(errorOf("command a\nsave \"x.dxf\n"), "job.script:2: a quoted value is not closed");
  EXPECT_EQ(errorOf("command a\ndialog end 600 1 2\n"),
            "job.script:2: expected: dialog end 600 [join ZONE_IN_CIRCUIT ZONE_WITHOUT]");
  EXPECT_EQ(errorOf("command a\ndialog wait -1\n"), "job.script:2: the waiting time must be positive");
  // Values that are no numbers at all never reach the module: a NaN point or
  // an endless waiting time.
  EXPECT_EQ(errorOf("command a\npoint nan,1\n"), "job.script:2: expected X,Y for the point: nan,1");
  EXPECT_EQ(errorOf("command a\ndistance -inf\n"), "job.script:2: not a number for the distance: -inf");
  EXPECT_EQ(errorOf("command a\ndialog wait inf\n"), "job.script:2: not a number for the waiting time: inf");
  EXPECT_EQ(errorOf("select window 0,0 infinity,1\n"),
            "job.script:1: expected X,Y for the second corner: infinity,1");
  // Input lines other than selections belong to a command.
  EXPECT_EQ(errorOf("dialog calc\n"), "job.script:1: dialog line outside a command: no command asks for it");
  EXPECT_EQ(errorOf("command a\nsave x\nkeyword 1\n"),
            "job.script:3: keyword line outside a command: no command asks for it");
  EXPECT_EQ(errorOf("select cancel\n"), "job.script:1: select line outside a command: no command asks for it");
  EXPECT_NE(std::string(scriptLanguageHelp()).find("select assoc H"), std::string::npos);
}

// The dialog pages' steps: the grammar and the numbers the script checks.
TEST(CadhostScript, DialogPageSteps) {
  Script s = Script::parse(
      "command a\ndialog pick 3 option 6 zone 2 circuit 999999 edge 5000 3 all\ndialog pick 0\n"
      "dialog number zone -7\ndialog colors 1=0 2=256\ndialog show\ndialog show 0 58\ndialog end 600\n",
      "job.script");
  const auto& items = s.items();
  ASSERT_EQ(items.size(), 8u);
  const DialogStepSpec& pick = items[1].dialog;
  EXPECT_EQ(std::tuple(pick.kind, pick.mode, pick.option, pick.items.size()),
            std::tuple(DialogStepSpec::Kind::Pick, 3, 6, 4u));
  const std::vector<std::tuple<int, int, int>> keys = {{0, 2, 0}, {1, 999999, 0}, {2, 5000, 3}, {3, 0, 0}};
  for (std::size_t i = 0; i < keys.size(); ++i)
    EXPECT_EQ(std::tuple(pick.items[i].kind, pick.items[i].first, pick.items[i].second), keys[i]);
  EXPECT_TRUE(items[2].dialog.items.empty() && items[2].dialog.option == 0);
  EXPECT_EQ(std::tuple(items[3].dialog.kind, items[3].dialog.target, items[3].dialog.targetIndex),
            std::tuple(DialogStepSpec::Kind::Number, DialogStepSpec::Target::Zone, -7));
  EXPECT_EQ(std::tuple(items[4].dialog.items.size(), items[4].dialog.items[1].first, items[4].dialog.items[1].second),
            std::tuple(2u, 2, 256));
  EXPECT_TRUE(items[5].dialog.kind == DialogStepSpec::Kind::Show && items[5].dialog.items.empty());
  EXPECT_EQ(items[6].dialog.items.at(1).first, 58);
  EXPECT_EQ(std::tuple(items[7].dialog.endCode, items[7].dialog.first, items[7].dialog.second), std::tuple(600, 0, 0));

  const std::pair<const char*, const char*> errors[] = {
      {"dialog pick 4", "the pick mode must be 0 to 3, not 4"},
      {"dialog pick 0 option -1", "the pick option must be 0 or more, not -1"},
      {"dialog pick 0 zone 0", "a zone number must be 1 or more, not 0"},
      {"dialog pick 0 circuit 1000000", "a circuit number must be 1 to 999999, not 1000000"},
      {"dialog pick 0 edge 2", "a pick names zone N, circuit N, edge N P or all: edge is not complete"},
      {"dialog pick 0 edge 2 0", "an edge position must be 1 or more, not 0"},
      {"dialog pick 1 room 3", "a pick names zone N, circuit N, edge N P or all, not room"},
      {"dialog number room 3", "expected: dialog number zone N | dialog number circuit N"},
      {"dialog number zone x", "not a whole number for the new number: x"},
      {"dialog colors", "expected: dialog colors CIRCUIT=COLOUR [CIRCUIT=COLOUR...]"},
      {"dialog colors 1=300", "a colour index must be 0 to 256, not 1=300"},
      {"dialog colors 0=3", "a circuit number must be 1 to 999999, not 0=3"},
      {"dialog colors 1:3", "expected CIRCUIT=COLOUR, not 1:3"},
      {"dialog show 59", "a field id must be 0 to 58, not 59"},
      {"dialog end 600 join 1", "expected: dialog end 600 [join ZONE_IN_CIRCUIT ZONE_WITHOUT]"},
  };
  for (const auto& [line, message] : errors)
    EXPECT_EQ(errorOf(std::string("command a\n") + line + "\n"), std::string("job.script:2: ") + message) << line;
  EXPECT_NE(std::string(scriptLanguageHelp()).find("dialog pick MODE"), std::string::npos);
}

}  // namespace
}  // namespace cadhost
