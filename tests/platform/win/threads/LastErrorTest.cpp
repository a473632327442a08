#include "platform/win/LastError.h"

#include <gtest/gtest.h>

#include <thread>

TEST(LastError, IsKeptPerThread) {
  SetLastError(ERROR_PATH_NOT_FOUND);
  DWORD seenByOther = 1;
  std::thread([&] { seenByOther = GetLastError(); }).join();
  EXPECT_EQ(seenByOther, ERROR_SUCCESS);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}
