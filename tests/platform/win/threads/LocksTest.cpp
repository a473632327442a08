#include "platform/win/CCriticalSection.h"
#include "platform/win/CMutex.h"
#include "platform/win/CSingleLock.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

// Whether another thread could take the object at once.
bool freeForOthers(CSyncObject& object) {
  bool taken = false;
  std::thread([&] {
    taken = object.Lock(0) != FALSE;
    if (taken) object.Unlock();
  }).join();
  return taken;
}

template <typename Lock>
void checkRecursiveOwnership() {
  Lock lock;
  ASSERT_TRUE(lock.Lock());
  ASSERT_TRUE(lock.Lock(0));
  ASSERT_TRUE(lock.Lock(INFINITE));
  EXPECT_FALSE(freeForOthers(lock));
  EXPECT_TRUE(lock.Unlock());
  EXPECT_TRUE(lock.Unlock());
  EXPECT_FALSE(freeForOthers(lock));
  EXPECT_TRUE(lock.Unlock());
  EXPECT_TRUE(freeForOthers(lock));
  EXPECT_FALSE(lock.Unlock());  // not held any more
}

}  // namespace

TEST(Locks, MutexIsRecursivePerThread) { checkRecursiveOwnership<CMutex>(); }

TEST(Locks, CriticalSectionIsRecursivePerThread) { checkRecursiveOwnership<CCriticalSection>(); }

TEST(Locks, OnlyTheOwnerCanReleaseAndOthersGiveUpAfterTheirTimeOut) {
  CMutex mutex(TRUE);
  BOOL released = TRUE;
  BOOL taken = TRUE;
  std::thread([&] {
    released = mutex.Unlock();
    taken = mutex.Lock(30);
  }).join();
  EXPECT_FALSE(released);
  EXPECT_FALSE(taken);
  EXPECT_TRUE(mutex.Unlock());
  EXPECT_TRUE(freeForOthers(mutex));
}

TEST(Locks, SingleLockReleasesAtScopeEnd) {
  CCriticalSection section;
  {
    CSingleLock lock(&section, TRUE);
    EXPECT_TRUE(lock.Lock());  // held already: still one level to release
    CSingleLock nested(&section, TRUE);
    EXPECT_TRUE(nested.IsLocked());
  }
  EXPECT_TRUE(freeForOthers(section));
  CSingleLock early(&section, TRUE);
  EXPECT_TRUE(early.Unlock());
  EXPECT_TRUE(freeForOthers(section));
  EXPECT_FALSE(CSingleLock(nullptr, TRUE).IsLocked());
}

TEST(Locks, GuardSharedCountersAcrossThreads) {
  CMutex mutex;
  CCriticalSection section;
  long viaMutex = 0;
  long viaSection = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 2000; ++i) {
        {
          CSingleLock lock(&mutex, TRUE);
          CSingleLock again(&mutex, TRUE);
          ++viaMutex;
        }
        CSingleLock lock(&section, TRUE);
        ++viaSection;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(viaMutex, 8000);
  EXPECT_EQ(viaSection, 8000);
}
