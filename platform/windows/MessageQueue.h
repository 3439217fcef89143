#pragma once

#include "platform/windows/Message.h"

#include <cstdint>
#include <functional>

// The message queue of the main thread: posted messages, input from the host,
// paint requests and timers, taken in that order of preference.
namespace platform {

// Calls the window's procedure now; 0 for no window.
LResult SendMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);
// Queues a message for the window (0: a thread message). False for a window
// that does not exist.
bool PostMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);
// msg::Quit comes out of the queue once everything posted before is taken.
void PostQuitMessage(int code);

enum class Remove { No, Yes };
// Takes the next message if one is waiting (host input is collected first).
// Once no paint is left, what the windows painted is presented, before a
// due timer is handed out.
bool PeekMessage(Message& out, Remove remove = Remove::Yes);
// Whether the program was asked to quit from outside (SIGTERM, SIGINT, the
// session's end) and has not taken the request yet. The layer's own modal
// loops (menus, file dialogs) then end as cancelled, so that the program's
// loop can quit.
bool IsQuitAsked();
// The program takes the request when it handles the quit.
void TakeQuitAsked();
// Waits for the next message; false when it is msg::Quit.
bool GetMessage(Message& out);
// Hands the message to its window's procedure; a message without a window
// goes to the thread message handler, a timer's with a procedure to that.
LResult DispatchMessage(const Message& message);
// What the program does with the messages without a window (its idle
// timer, a MIDI arrival) that the layer's own modal loops take (an open
// menu, a file dialog): handed here, the work the program must not hold
// back goes on while they run. Returns the handler it replaces.
using ThreadMessageHandler = std::function<void(const Message&)>;
ThreadMessageHandler SetThreadMessageHandler(ThreadMessageHandler handler);
// Blocks until a message may be waiting, at most `timeoutMs`.
void WaitMessage(uint32_t timeoutMs);

// A timer of a window (or of the thread, with window 0) that posts msg::Timer
// with its id every `intervalMs`. A window timer keeps the given id; a thread
// timer given id 0 gets a new one. Returns the id, 0 on failure.
// A timer with a procedure (TimerProc) calls it when its message is dispatched.
uintptr_t SetTimer(WindowHandle window, uintptr_t id, uint32_t intervalMs, TimerProc proc = nullptr);
bool KillTimer(WindowHandle window, uintptr_t id);
void KillWindowTimers(WindowHandle window);
// Drops queued messages of a window that goes away.
void RemoveWindowMessages(WindowHandle window);

// The time of the message being handled, in milliseconds.
uint32_t GetMessageTime();

} // namespace platform
