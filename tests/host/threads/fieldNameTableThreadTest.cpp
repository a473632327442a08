// The field-name table filled on one thread while others read it.
#include "host/fieldNameTable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

class TableSource : public HvUserParamSource {
 public:
  CUserParams enumNames(std::u16string_view) const override {
    CUserParams rows;
    for (int i = 0; i < fieldNameCount; ++i) rows.push_back({fieldNameAt(i), std::u16string(200, u'a' + i)});
    return rows;
  }
};

}  // namespace

TEST(fieldNameTableThreads, ReadersSeeWholeTextsWhileTheTableFills) {
  const TableSource source;
  std::atomic<bool> torn{false};
  for (int round = 0; round < 20; ++round) {
    clearFieldNameTable();
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t)
      threads.emplace_back([&torn] {
        for (int i = 0; i < 200; ++i) {
          const std::u16string text = fieldTextAt(i % fieldNameCount);
          if (!text.empty() && text != std::u16string(200, u'a' + i % fieldNameCount)) torn = true;
        }
      });
    threads.emplace_back([&source] { fillFieldNameTable(&source, u"PARS"); });
    threads.emplace_back([&source] { fillFieldNameTable(&source, u"PARS"); });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(fieldTextAt(5), std::u16string(200, u'f'));
  }
  EXPECT_FALSE(torn.load());
  clearFieldNameTable();
}
