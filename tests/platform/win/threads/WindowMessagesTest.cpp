#include "platform/win/Events.h"
#include "platform/win/KernelObject.h"
#include "platform/win/LastError.h"
#include "platform/win/SystemErrors.h"
#include "platform/win/ThreadId.h"
#include "platform/win/Threads.h"
#include "platform/win/WindowMessages.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <thread>
#include <vector>

namespace {

constexpr DWORD kLong = 10000;
constexpr UINT kDesignDone = WM_USER + 1;
constexpr UINT kDesignRunEnded = WM_USER + 4;

// Takes the next message within the time-out; WM_NULL (0) when none came.
UINT nextMessage(HWND window, MSG& message, DWORD timeoutMs = kLong) {
  return hvGetMessage(&message, window, timeoutMs) == HvMessageWait::message ? message.message : 0;
}

}  // namespace

TEST(WindowMessages, PostsFromSeveralThreadsArriveInOrderPerSender) {
  HWND window = hvCreateWindow();
  constexpr int kSenders = 4;
  constexpr int kEach = 300;
  std::vector<std::thread> senders;
  for (int s = 0; s < kSenders; ++s) {
    senders.emplace_back([=] {
      for (int i = 0; i < kEach; ++i) EXPECT_TRUE(PostMessageW(window, WM_USER + 9, s, i));
    });
  }
  std::array<LPARAM, kSenders> next{};
  int received = 0;
  MSG message;
  while (received < kSenders * kEach && nextMessage(window, message) == WM_USER + 9) {
    ASSERT_EQ(message.hwnd, window);
    ASSERT_EQ(message.lParam, next[message.wParam]++);
    ++received;
  }
  for (auto& sender : senders) sender.join();
  EXPECT_EQ(received, kSenders * kEach);
  EXPECT_EQ(hvPendingMessageCount(window), 0u);
  DestroyWindow(window);
}

TEST(WindowMessages, PostToADestroyedWindowIsRefusedAndHandlesAreNotReused) {
  HWND window = hvCreateWindow();
  ASSERT_TRUE(PostMessageW(window, kDesignDone, 0, 0));
  EXPECT_EQ(hvPendingMessageCount(window), 1u);
  ASSERT_TRUE(DestroyWindow(window));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(hvPendingMessageCount(nullptr), 0u);  // its waiting message went with it

  BOOL posted = TRUE;
  DWORD error = 0;
  std::thread([&] {
    posted = PostMessageW(window, kDesignDone, 0, 0);
    error = GetLastError();
  }).join();
  EXPECT_FALSE(posted);
  EXPECT_EQ(error, ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_FALSE(DestroyWindow(window));

  HWND newer = hvCreateWindow();
  EXPECT_NE(newer, window);
  EXPECT_FALSE(PostMessageW(window, kDesignDone, 0, 0));
  EXPECT_EQ(hvPendingMessageCount(newer), 0u);
  DestroyWindow(newer);
}

TEST(WindowMessages, WindowsEndWithTheirThread) {
  HWND window = nullptr;
  std::thread([&] { window = hvCreateWindow(); }).join();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(PostMessageW(window, kDesignDone, 0, 0));
}

TEST(WindowMessages, SendCallsTheProcedureOnTheOwningThreadOnly) {
  int calls = 0;
  HWND window = hvCreateWindow([&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
    ++calls;
    return message == kDesignDone ? static_cast<LRESULT>(wParam) * 2 : 0;
  });
  EXPECT_EQ(SendMessageW(window, kDesignDone, 21, 0), 42);
  EXPECT_EQ(calls, 1);

  LRESULT fromOther = -1;
  BOOL destroyed = TRUE;
  std::thread([&] {
    fromOther = SendMessageW(window, kDesignDone, 21, 0);
    destroyed = DestroyWindow(window);
  }).join();
  EXPECT_EQ(fromOther, 0);
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(GetWindowThreadProcessId(window, nullptr), GetCurrentThreadId());

  // Posted messages reach the procedure through the pump.
  PostMessageW(window, kDesignDone, 1, 0);
  PostMessageW(window, kDesignRunEnded, 0, 0);
  EXPECT_EQ(hvPumpMessages(window, kLong), 2u);
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(hvPumpMessages(window, 20), 0u);  // nothing came within the time-out
  DestroyWindow(window);
  EXPECT_EQ(SendMessageW(window, kDesignDone, 1, 0), 0);
}

TEST(WindowMessages, QuitRequestBelongsToItsThreadAndComesAfterPostedMessages) {
  PostQuitMessage(5);
  bool otherSawQuit = true;
  std::thread([&] {
    MSG message;
    otherSawQuit = PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  }).join();
  EXPECT_FALSE(otherSawQuit);

  // The failure reporter's dance: take the quit request off, show the box, post it again.
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.message, WM_QUIT);
  EXPECT_EQ(message.wParam, 5u);
  EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  PostQuitMessage(static_cast<int>(message.wParam));

  ASSERT_TRUE(PostMessageW(nullptr, WM_USER + 2, 0, 0));  // a thread message
  ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(message.message, WM_USER + 2u);
  ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_USER + 2u);
  EXPECT_EQ(hvGetMessage(&message, nullptr, 0), HvMessageWait::quit);
  EXPECT_EQ(message.wParam, 5u);
  EXPECT_EQ(hvGetMessage(&message, nullptr, 10), HvMessageWait::timeout);
}

TEST(WindowMessages, QueueHasALimit) {
  HWND window = hvCreateWindow();
  for (std::size_t i = 0; i < HV_MESSAGE_QUEUE_LIMIT; ++i) ASSERT_TRUE(PostMessageW(window, WM_USER, 0, 0));
  EXPECT_FALSE(PostMessageW(window, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_QUOTA);
  DestroyWindow(window);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetLastActivePopup(nullptr), nullptr);
}

namespace {

// The design jobs in miniature: workers, and a waiter that polls each worker
// together with the cancel event and tells the dialog when all have ended.
struct Waiter {
  std::vector<HANDLE> workers;
  HANDLE cancel;
  HWND notify;
};

DWORD waitForWorkers(LPVOID parameter) {
  auto* waiter = static_cast<Waiter*>(parameter);
  for (HANDLE worker : waiter->workers) {
    const HANDLE pair[2] = {worker, waiter->cancel};
    DWORD answer = WAIT_TIMEOUT;
    for (int pass = 0; answer == WAIT_TIMEOUT && pass < 10; ++pass)
      answer = WaitForMultipleObjects(2, pair, FALSE, 1000);
    if (answer != WAIT_OBJECT_0) return answer;  // cancelled or failed: nothing is posted
  }
  PostMessageW(waiter->notify, kDesignDone, 0, 0);
  PostMessageW(waiter->notify, kDesignRunEnded, 0, 0);
  return 0;
}

}  // namespace

TEST(WindowMessages, WaiterTellsTheDialogWhenAllWorkersEnded) {
  HWND dialog = hvCreateWindow();
  Waiter waiter{{}, CreateEventW(nullptr, TRUE, FALSE, nullptr), dialog};
  for (int i = 0; i < 4; ++i) {
    waiter.workers.push_back(CreateThread(nullptr, 0, [](LPVOID) -> DWORD { Sleep(5); return 0; }, nullptr,
                                          CREATE_SUSPENDED, nullptr));
    ResumeThread(waiter.workers.back());
  }
  HANDLE waiterThread = CreateThread(nullptr, 0, waitForWorkers, &waiter, 0, nullptr);
  MSG message;
  EXPECT_EQ(nextMessage(dialog, message), kDesignDone);
  EXPECT_EQ(nextMessage(dialog, message), kDesignRunEnded);
  ASSERT_EQ(WaitForSingleObject(waiterThread, kLong), WAIT_OBJECT_0);
  waiter.workers.push_back(waiterThread);
  for (HANDLE h : waiter.workers) CloseHandle(h);
  CloseHandle(waiter.cancel);
  DestroyWindow(dialog);
}
