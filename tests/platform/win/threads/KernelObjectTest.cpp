#include "platform/win/Events.h"
#include "platform/win/KernelObject.h"
#include "platform/win/LastError.h"
#include "platform/win/ThreadId.h"
#include "platform/win/Threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

constexpr DWORD kLong = 10000;  // generous limit for waits that must succeed

// What a worker does: wait for its gate (an event), note that it ran, answer
// its code.
struct Job {
  HANDLE gate = nullptr;
  std::atomic<bool> ran{false};
  std::atomic<DWORD> seenId{0};
  DWORD code = 7;
};

DWORD runJob(LPVOID parameter) {
  auto* job = static_cast<Job*>(parameter);
  if (job->gate != nullptr) WaitForSingleObject(job->gate, kLong);
  const DWORD code = job->code;
  job->seenId = GetCurrentThreadId();
  job->ran = true;  // the last touch of the job: its owner may drop it now
  return code;
}

}  // namespace

TEST(Threads, SuspendedThreadRunsOnlyAfterResume) {
  Job job;
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, runJob, &job, CREATE_SUSPENDED, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_NE(id, 0u);
  EXPECT_EQ(GetThreadId(thread), id);

  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_FALSE(job.ran);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
  DWORD exitCode = 0;
  ASSERT_TRUE(GetExitCodeThread(thread, &exitCode));
  EXPECT_EQ(exitCode, STILL_ACTIVE);

  EXPECT_EQ(ResumeThread(thread), 1u);
  EXPECT_EQ(WaitForSingleObject(thread, kLong), WAIT_OBJECT_0);
  EXPECT_TRUE(job.ran);
  EXPECT_EQ(job.seenId, id);
  ASSERT_TRUE(GetExitCodeThread(thread, &exitCode));
  EXPECT_EQ(exitCode, 7u);
  // An ended thread stays waitable until its handle is closed.
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
  EXPECT_EQ(ResumeThread(thread), 0u);
  EXPECT_TRUE(CloseHandle(thread));
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(CloseHandle(thread));
  EXPECT_EQ(ResumeThread(thread), 0xFFFFFFFFu);
}

TEST(Threads, IdsAreDistinctAmongLiveThreads) {
  const std::size_t handlesBefore = hvOpenHandleCount();
  std::vector<HANDLE> threads;
  std::set<DWORD> ids{GetCurrentThreadId()};
  Job job;
  for (int i = 0; i < 16; ++i) {
    DWORD id = 0;
    threads.push_back(CreateThread(nullptr, 0, runJob, &job, CREATE_SUSPENDED, &id));
    ids.insert(id);
  }
  EXPECT_EQ(ids.size(), 17u);
  EXPECT_EQ(ids.count(0), 0u);
  // Threads that were never resumed end without running once their handles close.
  for (HANDLE thread : threads) CloseHandle(thread);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(job.ran);
  EXPECT_EQ(hvOpenHandleCount(), handlesBefore);
}

TEST(Threads, ClosingTheHandleOfARunningThreadIsSafe) {
  Job job;
  job.gate = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = CreateThread(nullptr, 0, runJob, &job, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_TRUE(CloseHandle(thread));
  SetEvent(job.gate);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kLong);
  while (!job.ran && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_TRUE(job.ran);
  CloseHandle(job.gate);
}

TEST(Threads, ExceptionInTheEntryEndsOnlyThatThread) {
  HANDLE thread = CreateThread(
      nullptr, 0, [](LPVOID) -> DWORD { throw std::runtime_error("bad curve kind"); }, nullptr, 0, nullptr);
  ASSERT_EQ(WaitForSingleObject(thread, kLong), WAIT_OBJECT_0);
  DWORD exitCode = 0;
  GetExitCodeThread(thread, &exitCode);
  EXPECT_EQ(exitCode, HV_THREAD_EXCEPTION_EXIT_CODE);
  CloseHandle(thread);
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
}

namespace {

// A worker held at its gate, and a second thread that waits for either the
// worker's end or the cancel event, as the design jobs' waiter does.
class WaitRace {
 public:
  explicit WaitRace(HANDLE cancel) {
    job_.gate = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, runJob, &job_, 0, nullptr);
    waiter_ = std::thread([this, cancel] {
      const HANDLE pair[2] = {thread_, cancel};
      answer_ = WaitForMultipleObjects(2, pair, FALSE, kLong);
    });
  }

  void releaseWorker() { SetEvent(job_.gate); }

  // The waiter's answer, once the worker has ended too.
  DWORD finish() {
    waiter_.join();
    releaseWorker();
    EXPECT_EQ(WaitForSingleObject(thread_, kLong), WAIT_OBJECT_0);
    CloseHandle(thread_);
    CloseHandle(job_.gate);
    return answer_;
  }

 private:
  Job job_;
  HANDLE thread_;
  DWORD answer_ = 99;
  std::thread waiter_;
};

}  // namespace

TEST(Waits, ThreadEndingDuringTheWaitAnswersZero) {
  HANDLE cancel = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  for (int round = 0; round < 50; ++round) {
    WaitRace race(cancel);
    if (round % 2 == 1) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    race.releaseWorker();
    EXPECT_EQ(race.finish(), WAIT_OBJECT_0) << "round " << round;
  }
  CloseHandle(cancel);
}

TEST(Waits, EventSetFromAThirdThreadAnswersOne) {
  for (int round = 0; round < 20; ++round) {
    HANDLE cancel = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    WaitRace race(cancel);
    std::thread([&] { SetEvent(cancel); }).join();
    EXPECT_EQ(race.finish(), WAIT_OBJECT_0 + 1) << "round " << round;
    // A manual-reset event stays signalled.
    EXPECT_EQ(WaitForSingleObject(cancel, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(cancel, 0), WAIT_OBJECT_0);
    CloseHandle(cancel);
  }
}

TEST(Waits, TimeOutWhenNothingIsSignalled) {
  HANDLE a = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE b = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  const HANDLE both[2] = {a, b};
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 50), WAIT_TIMEOUT);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_TIMEOUT);

  SetEvent(a);
  EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), WAIT_TIMEOUT);
  SetEvent(b);
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_OBJECT_0);  // the lowest index
  EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), WAIT_OBJECT_0);
  // The auto-reset event was taken by the wait for all; the manual one stays.
  EXPECT_EQ(WaitForSingleObject(b, 0), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_OBJECT_0);
  ResetEvent(a);
  EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_TIMEOUT);
  CloseHandle(a);
  CloseHandle(b);
}

TEST(Waits, BadHandlesAndCountsFail) {
  HANDLE event = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  HANDLE closed = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  CloseHandle(closed);
  const HANDLE withClosed[2] = {event, closed};
  EXPECT_EQ(WaitForMultipleObjects(2, withClosed, FALSE, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForMultipleObjects(0, withClosed, FALSE, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForMultipleObjects(MAXIMUM_WAIT_OBJECTS + 1, withClosed, FALSE, 0), WAIT_FAILED);
  const HANDLE twice[2] = {event, event};
  EXPECT_EQ(WaitForMultipleObjects(2, twice, TRUE, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForMultipleObjects(2, twice, FALSE, 0), WAIT_OBJECT_0);
  EXPECT_FALSE(SetEvent(closed));
  EXPECT_EQ(CreateEventW(nullptr, TRUE, FALSE, u"named"), nullptr);
  CloseHandle(event);
}

TEST(Handles, DuplicateIsAReferenceOfItsOwnThatOutlivesTheSource) {
  const std::size_t handlesBefore = hvOpenHandleCount();
  Job job;
  job.gate = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = CreateThread(nullptr, 0, runJob, &job, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  HANDLE copy = nullptr;
  ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &copy, 0, FALSE,
                              DUPLICATE_SAME_ACCESS));
  EXPECT_NE(copy, thread);
  EXPECT_EQ(GetThreadId(copy), GetThreadId(thread));
  // The owner closes its handle while another holder still waits on its copy.
  EXPECT_TRUE(CloseHandle(thread));
  EXPECT_EQ(WaitForSingleObject(copy, 0), WAIT_TIMEOUT);
  SetEvent(job.gate);
  EXPECT_EQ(WaitForSingleObject(copy, kLong), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(copy, &code));
  EXPECT_EQ(code, 7u);

  // DUPLICATE_CLOSE_SOURCE moves the reference; bad arguments are refused.
  HANDLE moved = nullptr;
  ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), copy, GetCurrentProcess(), &moved, 0, FALSE,
                              DUPLICATE_CLOSE_SOURCE));
  EXPECT_FALSE(CloseHandle(copy));
  HANDLE none = nullptr;
  EXPECT_FALSE(DuplicateHandle(GetCurrentProcess(), copy, GetCurrentProcess(), &none, 0, FALSE, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(DuplicateHandle(GetCurrentProcess(), moved, GetCurrentProcess(), nullptr, 0, FALSE, 0));
  EXPECT_FALSE(DuplicateHandle(moved, moved, GetCurrentProcess(), &none, 0, FALSE, 0));
  EXPECT_FALSE(CloseHandle(GetCurrentProcess()));
  EXPECT_TRUE(CloseHandle(moved));
  CloseHandle(job.gate);
  EXPECT_EQ(hvOpenHandleCount(), handlesBefore);
}
