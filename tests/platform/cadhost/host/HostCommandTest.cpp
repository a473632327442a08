// Commands run through the host: making entities, transactions, the deferred
// erase of word 142, selections and script input.
#include <gtest/gtest.h>

#include "host/HostExport.h"
#include "host/ResbufChain.h"
#include "platform/cadhost/DxfWriter.h"
#include "platform/cadhost/HostStatus.h"
#include "platform/cadhost/ResbufLists.h"
#include "tests/platform/cadhost/host/HostTestFixture.h"

namespace cadhost::test {
namespace {

Group T(int code, std::u16string v) { return Group::text(code, std::move(v)); }
Group I(int code, std::int64_t v) { return Group::integer(code, v); }
Group R(int code, double v) { return Group::real(code, v); }
Group P(int code, double x, double y) { return Group::point(code, {x, y, 0.0}); }

GroupList lineList(double x, std::u16string handle = u"") {
  GroupList list{T(0, u"LINE")};
  if (!handle.empty()) list.push_back(T(5, handle));
  list.insert(list.end(), {T(100, u"AcDbEntity"), T(8, u"T-podlahove_vytapeni"), T(100, u"AcDbLine"),
                           P(10, x, 0), P(11, x, 100)});
  return list;
}

// Passes a list to word 114 as a module does (a list of its own, freed after).
int make(const GroupList& list) {
  resbuf* nodes = newResbufList(list);
  const int status = callHostWord<114>(nodes, 0, 0).value_or(0);
  freeResbufChain(nodes, false);
  return status;
}

// Every list of a selection call, as groups without the (-1) name.
std::vector<GroupList> selected(int filter = 0) {
  std::vector<GroupList> lists;
  if (callHostWord<138>(nullptr, 0, filter, 0, nullptr) != hostStatus::normal) return lists;
  while (resbuf* list = callHostWord<167>(0, 0).value_or(nullptr)) {
    GroupList groups;
    std::string error;
    EXPECT_TRUE(readResbufList(list, groups, error)) << error;
    freeResbufChain(list, false);
    EXPECT_EQ(groups.front().code(), -1);
    groups.erase(groups.begin());
    lists.push_back(std::move(groups));
  }
  return lists;
}

std::vector<std::u16string> handles(const std::vector<GroupList>& lists) {
  std::vector<std::u16string> out;
  for (const GroupList& l : lists) out.emplace_back(groupText(l, 5));
  return out;
}

std::vector<GroupList> g_lists;
std::vector<std::u16string> g_handles;
std::vector<int> g_answers;

// A polyline with a bulge and an MTEXT of 600 characters, each with Czech
// extended data, as the module writes them (MTEXT text: 1 first, then 3s).
std::vector<GroupList> richLists() {
  std::u16string text;
  for (int i = 0; i < 60; ++i) text += u"Zóna č. ř\\P";
  GroupList poly{T(0, u"LWPOLYLINE"), T(5, u"4A0"), T(100, u"AcDbEntity"), T(8, u"ZONY"), I(62, 3),
                 T(100, u"AcDbPolyline"), I(90, 3), I(70, 1), R(43, 0.0), P(10, 0, 0), R(42, 0.5),
                 P(10, 4000, 0), P(10, 4000, 3000), T(1001, u"QEV_DATA"), T(1000, u"Příliš žluťoučký"),
                 I(1070, 272), T(1005, u"102"), I(1071, 123456), R(1040, 2.5),
                 Group::point(1010, {1, 2, 3})};
  GroupList mtext{T(0, u"MTEXT"), T(5, u"4A1"), T(100, u"AcDbEntity"), T(8, u"0"), T(100, u"AcDbMText"),
                  P(10, 5, 5), R(40, 2.5), R(41, 100.0), I(71, 1), I(72, 5),
                  T(1, text.substr(0, 250)), T(3, text.substr(250, 250)), T(3, text.substr(500)),
                  T(7, u"Standard"), I(73, 1), R(44, 1.0), T(1001, u"VE2R_ANNOTATIVE"), I(1070, 1)};
  return {poly, mtext};
}

TEST(CadhostCommands, AnEntityMadeByWord114ComesBackIdenticallyAfterSaveAndReload) {
  std::string saved;
  {
    HostRun run("minimal.dxf", "command makeRich\nsave made.dxf\n", {}, {{"makeRich", [] {
      callHostWord<17>();
      for (const GroupList& list : richLists()) g_answers.push_back(make(list));
      callHostWord<19>(1u);
    }}});
    g_answers.clear();
    ASSERT_EQ(run.run(), 0);
    EXPECT_EQ(g_answers, (std::vector<int>{hostStatus::normal, hostStatus::normal}));
    saved = (run.folder() / "made.dxf").string();
    std::filesystem::copy_file(saved, run.folder().parent_path() / "cadhost-made-copy.dxf",
                               std::filesystem::copy_options::overwrite_existing);
    saved = (run.folder().parent_path() / "cadhost-made-copy.dxf").string();
  }
  HostRun reload(saved, "command readBack\nselect handles 4A0 4A1\n", {}, {{"readBack", [] { g_lists = selected(); }}});
  ASSERT_EQ(reload.run(), 0);
  std::filesystem::remove(saved);
  const std::vector<GroupList> expected = richLists();
  ASSERT_EQ(g_lists.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    GroupList back = g_lists[i];
    // The host adds the owner; everything the module gave comes back as given.
    std::erase_if(back, [](const Group& g) { return g.code() == 330; });
    EXPECT_EQ(describeGroups(back), describeGroups(expected[i]));
  }
}

TEST(CadhostCommands, Word19WithOneCommitsAndEveryOtherCodeRollsBack) {
  {
  HostRun run("minimal.dxf", "command refuse\ncommand firstSelectionFailed\n", {},
              {{"refuse", [] {
                  callHostWord<17>();
                  make(lineList(1));
                  callHostWord<19>(0x80000020u);
                }},
               {"firstSelectionFailed", [] {
                  callHostWord<17>();
                  callHostWord<17>();  // nested: the same transaction
                  make(lineList(2));
                  callHostWord<19>(0xFFFFFFFFu);
                }}});
  const std::string before = DxfWriter::toText(run.drawing());
  EXPECT_EQ(run.run(), 1);
  EXPECT_EQ(DxfWriter::toText(run.drawing()), before);
  EXPECT_EQ(run.logWith({"\"result\":\"rolled back\"", "\"kind\":\"command\""}).size(), 2u);
  }

  HostRun commit("minimal.dxf", "command commit\n", {}, {{"commit", [] {
    callHostWord<17>();
    make(lineList(3, u"4D0"));
    callHostWord<19>(1u);
    callHostWord<19>(0x80000020u);  // the end of the command: nothing left to roll back
  }}});
  EXPECT_EQ(commit.run(), 0);
  EXPECT_NE(liveRecord(commit.drawing(), 0x4D0), kNoRecord);
}

void handOver(std::initializer_list<const char16_t*> list) {
  std::vector<const char16_t*> texts(list);
  texts.push_back(nullptr);
  callHostWord<142>(texts.data(), static_cast<int>(list.size()), 1);
}

// A command left inside its transaction, its erase marks dropped: cadhost_runs.py (open, handover-fail).
TEST(CadhostCommands, HandedOverEntitiesAreErasedByTheNextCommitOnly) {
  auto command = [] {
    handOver({u"102", u"FFFF"});
    callHostWord<17>();
    make(lineList(5));
    callHostWord<19>(1u);
  };
  {
    HostRun deferred("minimal.dxf", "command replace\n", {}, {{"replace", command}});
    EXPECT_EQ(deferred.run(), 0);
    EXPECT_EQ(liveRecord(deferred.drawing(), 0x102), kNoRecord);
    EXPECT_EQ(deferred.logWith({"\"word\":142", "\"notSelectable\":[\"FFFF\"]"}).size(), 1u);
  }

  CadhostOptions logOnly;
  logOnly.handOver = HandOverMode::LogOnly;
  HostRun logged("minimal.dxf", "command replace\n", logOnly, {{"replace", command}});
  EXPECT_EQ(logged.run(), 0);
  EXPECT_NE(liveRecord(logged.drawing(), 0x102), kNoRecord);
}

// An edit's hand-over: an entity written again under its handed handle is
// replaced, not erased, and the commit names only what it erased; an end
// without output (word 19 with another code, no transaction open) drops the
// marks, so a later commit erases nothing.
TEST(CadhostCommands, TheCommitErasesOnlyWhatWasNotWrittenAgainAndAnEndWithoutOutputDropsTheMarks) {
  HostRun run("minimal.dxf", "command edit\ncommand failed\n", {},
              {{"edit", [] {
                 handOver({u"101", u"102"});
                 callHostWord<17>();
                 make(lineList(7, u"101"));
                 callHostWord<19>(1u);
               }},
               {"failed", [] {
                 handOver({u"103"});
                 callHostWord<19>(0x80000020u);
                 callHostWord<17>();
                 make(lineList(8));
                 callHostWord<19>(1u);
               }}});
  EXPECT_EQ(run.run(), 0);
  EXPECT_NE(liveRecord(run.drawing(), 0x101), kNoRecord);
  EXPECT_EQ(liveRecord(run.drawing(), 0x102), kNoRecord);
  EXPECT_NE(liveRecord(run.drawing(), 0x103), kNoRecord);
  EXPECT_EQ(run.logWith({"\"word\":19", "\"erased\":[\"102\"]"}).size(), 1u);
  EXPECT_EQ(run.logWith({"\"word\":19", "\"dropped\":[\"103\"]"}).size(), 1u);
  EXPECT_EQ(run.logWith({"\"word\":19", "\"erased\":[]"}).size(), 1u);
}

TEST(CadhostCommands, SelectionItemsKeepTheirOrderAndSkipWhatCannotBeSelected) {
  const char* script =
      "command pick\nselect handles 102 100\n"
      "command pick\nselect all type=line,LWPOLYLINE\n"
      "command pick\nselect all layer=rz\n"
      "command pick\nselect window 900,900 1700,1200\n"
      "command pick\nselect assoc 4B0\n"
      "command pick\nselect handles 101 4C0 102\n";
  HostRun run("minimal.dxf", script, {}, {{"pick", [] {
                for (const std::u16string& h : handles(selected())) g_handles.push_back(h);
                g_handles.push_back(u"|");
              }}});
  g_handles.clear();
  GroupList assoc = lineList(9, u"4B0");
  assoc.insert(assoc.end(), {T(1001, u"VE2R_ASSOC"), T(1000, u"VE2R_HEATPIPES"), I(1070, 272), T(1005, u"101"),
                             I(1070, 1), T(1005, u"100"), I(1070, 272), T(1005, u"102")});
  ASSERT_TRUE(run.drawing().makeEntity(assoc).ok());
  GroupList paper = lineList(8, u"4C0");
  paper.insert(paper.begin() + 3, {I(67, 1), T(410, u"Layout1")});
  ASSERT_TRUE(run.drawing().makeEntity(paper).ok());
  run.drawing().erase(run.drawing().findByHandle(0x101));
  EXPECT_EQ(run.run(), 1);  // the handles that select nothing fail the last command
  EXPECT_EQ(g_handles, (std::vector<std::u16string>{u"102", u"100", u"|", u"102", u"103", u"104", u"4B0", u"|",
                                                    u"100", u"|",
                                                    u"100", u"|", u"4B0", u"102", u"|", u"102", u"|"}));
  EXPECT_EQ(run.logWith({"handle 101 is not a live model-space entity"}).size(), 2u);
}

TEST(CadhostCommands, PromptCallsTakeTheScriptItemAndSelectionCallsApplyIt) {
  HostRun run("minimal.dxf",
              "command ask\nselect cancel\ncommand ask\nselect fail\ncommand ask\nselect handles FFFF\n"
              "command ask\nselect handles FFFF empty-ok\ncommand ask\nselect handles 101\ncommand ask\n",
              {}, {{"ask", [] {
                  int answer = callHostWord<138>("Vyberte:", 2, 0, 0, nullptr).value_or(0);
                  if (answer == hostStatus::normal) answer = callHostWord<138>(nullptr, 0, 0x2003, 0, nullptr).value_or(0);
                  g_answers.push_back(answer);
                }}});
  g_answers.clear();
  EXPECT_EQ(run.run(), 1);  // the last command finds no line: "script exhausted"
  EXPECT_EQ(g_answers, (std::vector<int>{hostStatus::cancelled, hostStatus::error, hostStatus::error,
                                         hostStatus::normal, hostStatus::normal, hostStatus::error}));
  EXPECT_EQ(run.logWith({"\"error\":\"script exhausted\"", "\"requester\":\"word 138\""}).size(), 1u);
  EXPECT_EQ(run.logWith({"\"word\":138", "\"filter\":8195"}).size(), 3u);
}

TEST(CadhostCommands, KeywordsPointsAndDistancesFromTheScript) {
  HostRun run("minimal.dxf",
              "command ask\nkeyword incremental\npoint cancel\ndistance cancel\ncommand ask\nkeyword cancel\n"
              "command ask\nkeyword Neznámé\nmsgbox yes\n",
              {}, {{"ask", [] {
                  int index = -1;
                  const HostKeywordRecord records[] = {{32, 0, u"Normální", u"Normal", u"Normální"},
                                                       {32, 1, u"Inkrementální", u"Incremental", nullptr}};
                  const HostKeywordList list{32, 1, 2, records};
                  g_answers.push_back(callHostWord<127>(u"Typ %s:", &list, &index, 0).value_or(0));
                  g_answers.push_back(index);
                  if (g_answers[g_answers.size() - 2] != hostStatus::normal) return;
                  double point[3] = {};
                  g_answers.push_back(callHostWord<118>(0, u"Bod:", point).value_or(0));
                  double distance = 0;
                  g_answers.push_back(callHostWord<198>(u"Vzdálenost:", &distance).value_or(0));
                }}});
  g_answers.clear();
  EXPECT_EQ(run.run(), 1);  // a keyword no command offers, and a msgbox line nobody used
  EXPECT_EQ(g_answers, (std::vector<int>{hostStatus::normal, 1, hostStatus::cancelled, hostStatus::cancelled,
                                         hostStatus::cancelled, -1, hostStatus::error, -1}));
  EXPECT_EQ(run.logWith({"\"kind\":\"script\"", "\"line\":9", "input not used"}).size(), 1u);
}

}  // namespace
}  // namespace cadhost::test
