// A combo box's value history in the settings stores, as the command
// settings read it back.
#include "ui/comboHistory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "host/def_store.h"
#include "host/prf_store.h"
#include "tests/support/TestFolder.h"

namespace {

class ComboHistory : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store.open(file().c_str(), u"FH_PAGE_GRAPHICS")); }
  std::u16string file() const { return dir.windows() + u"\\qev_heat_floors.dat"; }

  TestFolder dir;
  prf_store store;
};

TEST_F(ComboHistory, TheChoiceIsPlainTextTheCommandSettingsRead) {
  comboHistory layers(u"CB_LOOP_LAYER");
  layers.remember(CString(u"T-podlahov\u00e9 vyt\u00e1p\u011bn\u00ed 1"));
  ASSERT_TRUE(layers.saveHistory(store));
  def_store defaults(file().c_str(), u"FH_PAGE_GRAPHICS", nullptr);
  CString text;
  ASSERT_TRUE(defaults.getString(u"CB_LOOP_LAYER_CB_ACT", text, u"$EMPTY$"));
  EXPECT_EQ(text, layers.current());

  // An empty choice is still found (the current layer), not absent.
  layers.setCurrent(CString());
  ASSERT_TRUE(layers.saveHistory(store));
  text = u"x";
  ASSERT_TRUE(defaults.getString(u"CB_LOOP_LAYER_CB_ACT", text, u"$EMPTY$"));
  EXPECT_TRUE(text.IsEmpty());
}

TEST_F(ComboHistory, HistoryIsMostRecentFirstWithoutRepeatsAndBounded) {
  comboHistory pitch(u"CB_PIPE_PITCH", 3);
  for (const char16_t* v : {u"0.1", u"0.15", u"0.2", u"0.15", u"0.3", u""}) pitch.remember(CString(v));
  EXPECT_EQ(pitch.history(), (std::vector<CString>{CString(u"0.3"), CString(u"0.15"), CString(u"0.2")}));
  ASSERT_TRUE(pitch.saveHistory(store));

  comboHistory again(u"CB_PIPE_PITCH", 3);
  ASSERT_TRUE(again.loadHistory(store));
  EXPECT_EQ(again.history(), pitch.history());
  EXPECT_TRUE(again.current().IsEmpty());

  comboHistory shorter(u"CB_PIPE_PITCH", 2);
  ASSERT_TRUE(shorter.loadHistory(store));
  EXPECT_EQ(shorter.history().size(), 2u);
}

TEST_F(ComboHistory, AClearedHistoryStaysCleared) {
  comboHistory names(u"CB_ZCOMMENT");
  names.remember(CString(u"a"));
  names.remember(CString(u"b"));
  ASSERT_TRUE(names.saveHistory(store));
  names.clearHistory();
  ASSERT_TRUE(names.saveHistory(store));
  comboHistory loaded(u"CB_ZCOMMENT");
  loaded.remember(CString(u"stale"));
  ASSERT_TRUE(loaded.loadHistory(store));
  EXPECT_TRUE(loaded.history().empty());
  EXPECT_EQ(loaded.current(), u"b");
}

TEST_F(ComboHistory, NothingStoredLeavesTheDefaults) {
  comboHistory fresh(u"CB_T_TI");
  fresh.setCurrent(CString(u"20"));
  EXPECT_FALSE(fresh.loadHistory(store));
  EXPECT_EQ(fresh.current(), u"20");
  comboHistory keyless;
  EXPECT_FALSE(keyless.saveHistory(store));
  EXPECT_FALSE(keyless.loadHistory(store));
}

}  // namespace
