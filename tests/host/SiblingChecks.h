// Checks of the bound sibling functions shared by the start-up tests.
#pragma once

#include <gtest/gtest.h>

#include "host/SiblingModules.h"
#include "tests/host/FakeHost.h"

// Every function of the floor-structure library bound (to the fakes), or none.
inline void expectFloorLibrary(const HvSiblingFunctions& s, bool bound) {
  EXPECT_EQ(s.floorLibInit, bound ? &fakeFloorLibInit : nullptr);
  EXPECT_EQ(s.floorLibDone, bound ? &fakeFloorLibDone : nullptr);
  EXPECT_EQ(s.floorLibSelect != nullptr, bound);
  EXPECT_EQ(s.floorSaveToDict != nullptr, bound);
  EXPECT_EQ(s.floorEnumAction != nullptr, bound);
  EXPECT_EQ(s.floorEnumMarks != nullptr, bound);
  EXPECT_EQ(s.floorEnumDef != nullptr, bound);
  EXPECT_EQ(s.floorDelete != nullptr, bound);
}
