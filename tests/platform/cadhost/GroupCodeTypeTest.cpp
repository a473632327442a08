#include "platform/cadhost/GroupCodeType.h"

#include <gtest/gtest.h>

namespace cadhost {
namespace {

using C = GroupValueClass;

// The classification is usable at compile time.
static_assert(groupCodeType(10).valueClass == C::Point);
static_assert(groupCodeType(50).angle);
static_assert(!groupCodeType(5000).ownType);

TEST(CadhostGroupCodeType, ClassesOfTheCodesListsCarry) {
  struct Case {
    int code;
    C valueClass;
  };
  const Case cases[] = {
      {-1, C::Text},    {-3, C::Name},     {0, C::Text},      {5, C::Handle},    {8, C::Text},
      {10, C::Point},   {20, C::Real},     {38, C::Real},     {59, C::Real},     {62, C::Int16},
      {90, C::Int32},   {100, C::Text},    {105, C::Handle},  {110, C::Point},   {160, C::Int64},
      {210, C::Point},  {280, C::Int16},   {290, C::Bool},    {310, C::Binary},  {330, C::Handle},
      {370, C::Int16},  {390, C::Handle},  {420, C::Int32},   {450, C::Int32},   {460, C::Real},
      {1000, C::Text},  {1004, C::Binary}, {1005, C::Handle}, {1010, C::Point},  {1040, C::Real},
      {1070, C::Int16}, {1071, C::Int32},  {5009, C::Point},  {5006, C::Name},
  };
  for (const Case& c : cases) EXPECT_EQ(groupCodeType(c.code).valueClass, c.valueClass) << c.code;
}

TEST(CadhostGroupCodeType, AnglesPointersAndCodesWithoutOwnType) {
  for (int code = 50; code <= 58; ++code) EXPECT_TRUE(groupCodeType(code).angle) << code;
  EXPECT_FALSE(groupCodeType(59).angle);
  EXPECT_FALSE(groupCodeType(1050).angle);
  EXPECT_TRUE(groupCodeType(-1).pointerLike);
  EXPECT_TRUE(groupCodeType(340).pointerLike);
  EXPECT_FALSE(groupCodeType(5).pointerLike);
  for (int code : {80, 103, 150, 200, 250, 480, 998, 1072, 4000})
    EXPECT_FALSE(groupCodeType(code).ownType) << code;
  EXPECT_EQ(groupCodeType(480).valueClass, C::Handle);
  EXPECT_EQ(groupCodeType(-6).valueClass, C::None);
  EXPECT_EQ(groupCodeType(5024).valueClass, C::None);
}

}  // namespace
}  // namespace cadhost
