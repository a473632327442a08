// Window handles and message queues. Every thread has one queue; a window
// belongs to the thread that created it, and messages posted to the window
// from any thread wait in that thread's queue in the order they were posted.
// Window handles are never reused, so a post to a destroyed window is refused
// instead of reaching a newer one. The quit request is a flag of each thread's
// queue, taken after every posted message.
//
// There is no screen: a window is a handle with an optional procedure, and its
// owner takes its messages with PeekMessage, GetMessage or the pumps below.
#pragma once

#include "platform/win/WinTypes.h"

#include <cstddef>
#include <functional>

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
};
using LPMSG = MSG*;

// The procedure of a window; called on the window's thread only.
using HvWindowProc = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// At most this many messages wait in one queue; further posts fail
// (ERROR_NOT_ENOUGH_QUOTA).
constexpr std::size_t HV_MESSAGE_QUEUE_LIMIT = 10000;

// Makes a window owned by the calling thread. Its windows are destroyed when
// the thread ends.
HWND hvCreateWindow(HvWindowProc procedure = {});

// Destroys a window of the calling thread; its waiting messages are dropped.
// FALSE for an unknown window (ERROR_INVALID_WINDOW_HANDLE) or one of another
// thread (ERROR_ACCESS_DENIED).
BOOL DestroyWindow(HWND window);

BOOL IsWindow(HWND window);

// The id of the thread that owns the window; 0 for an unknown window.
DWORD GetWindowThreadProcessId(HWND window, DWORD* processId);

// Queues a message for the window; a null window queues it for the calling
// thread itself. FALSE, and the message is lost, when the window does not
// exist (any more) or its queue is full.
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
inline BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return PostMessageW(window, message, wParam, lParam);
}

// Calls the window's procedure at once and answers its result. Only the
// window's own thread may send; other threads, unknown windows and windows
// without a procedure get 0.
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
inline LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageW(window, message, wParam, lParam);
}

// Takes (PM_REMOVE) or looks at (PM_NOREMOVE) the first message of the calling
// thread's queue for `window` (null: any) with a number in [first, last]
// (0, 0: any). WM_QUIT comes only when the window filter is null and no other
// matching message waits.
BOOL PeekMessageW(LPMSG message, HWND window, UINT first, UINT last, UINT removeFlags);
inline BOOL PeekMessage(LPMSG message, HWND window, UINT first, UINT last, UINT removeFlags) {
  return PeekMessageW(message, window, first, last, removeFlags);
}

// Waits for a message as PeekMessage with PM_REMOVE takes it: 1 for a message,
// 0 for WM_QUIT, -1 for a window of another thread or an unknown one. Waits
// without limit; code that must not hang uses hvGetMessage.
BOOL GetMessageW(LPMSG message, HWND window, UINT first, UINT last);

// Calls the procedure of the message's window; 0 for thread messages and
// messages of windows that no longer exist.
LRESULT DispatchMessageW(const MSG* message);
inline LRESULT DispatchMessage(const MSG* message) { return DispatchMessageW(message); }

// Asks the calling thread's loop to end with `exitCode` (WM_QUIT).
void PostQuitMessage(int exitCode);

// Headless: there is no active window.
HWND GetActiveWindow();
// The window itself when it exists, else null: no window has pop-ups here.
HWND GetLastActivePopup(HWND window);

enum class HvMessageWait { message, quit, timeout, failed };

// GetMessage with a time-out: takes the next message of the calling thread for
// `window` (null: any), or WM_QUIT, waiting at most `timeoutMs`.
HvMessageWait hvGetMessage(MSG* message, HWND window, DWORD timeoutMs);

// Waits at most `timeoutMs` for a message of the calling thread for `window`
// (null: any), then dispatches the messages that were waiting at that moment.
// A quit request ends the wait but is left in the queue. Answers the number
// of messages taken.
std::size_t hvPumpMessages(HWND window, DWORD timeoutMs);

// Number of messages waiting for the window (null: for the calling thread),
// not counting a quit request.
std::size_t hvPendingMessageCount(HWND window);
