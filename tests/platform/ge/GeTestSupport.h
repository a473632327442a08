// Small helpers shared by the geometry library's tests.
#pragma once

#include "platform/ge/XtGePoint2d.h"

#include <gtest/gtest.h>

inline void expectNear(const XtGePoint2d& a, const XtGePoint2d& b, double eps = 1e-12) {
  EXPECT_NEAR(a.x, b.x, eps);
  EXPECT_NEAR(a.y, b.y, eps);
}
