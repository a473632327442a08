#include "platform/qevdb/Database.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

TEST(ProducerMaterials, EnumeratesPairsInOrderOrAnswersTheFailure) {
  qevDatabase::Database database(u'T');
  database.addProducerMaterial(1, u"P1", u"m1");
  database.addProducerMaterial(2, u"P2", u"m3");
  database.addProducerMaterial(1, u"P1", u"m1");
  std::vector<std::tuple<int, std::u16string, std::u16string>> seen;
  auto collect = [&seen](std::int32_t id, const char16_t* producer, const char16_t* material) {
    seen.emplace_back(id, producer, material);
  };
  EXPECT_EQ(database.EnumProducersMaterials(collect), 0);
  EXPECT_EQ(seen, (decltype(seen){{1, u"P1", u"m1"}, {2, u"P2", u"m3"}, {1, u"P1", u"m1"}}));
  database.setProducerMaterialFailure(-7);
  EXPECT_EQ(database.EnumProducersMaterials(collect), -7);
  EXPECT_EQ(seen.size(), 3u);
}
