#include "platform/windows/MessageQueue.h"

#include "platform/midi/MidiArrival.h"
#include "platform/windows/WindowPaint.h"
#include "platform/windows/detail/WindowSystem.h"

#include <algorithm>
#include <utility>

namespace platform {

using namespace detail;

namespace {

uint32_t messageTime = 0;

ThreadMessageHandler& Handler()
{
    static ThreadMessageHandler handler;
    return handler;
}

// The first visible window, depth first from the top-level windows, whose
// update region is not empty.
WindowHandle FindWindowToPaint(const std::vector<WindowHandle>& list)
{
    for (WindowHandle h : list) {
        const WindowObject* w = Find(h);
        if (!w || !(w->style & style::Visible))
            continue;
        if (!w->update.IsEmpty())
            return h;
        if (const WindowHandle child = FindWindowToPaint(w->children))
            return child;
    }
    return 0;
}

bool TakeDueTimer(Message& out, bool remove)
{
    const uint64_t now = Now();
    for (Timer& t : System().timers) {
        if (t.due > now)
            continue;
        out = MakeMessage(t.window, msg::Timer, t.id, reinterpret_cast<LParam>(t.proc));
        if (remove)
            t.due = now + t.interval;
        return true;
    }
    return false;
}

bool Take(std::deque<Message>& queue, Message& out, bool remove)
{
    if (queue.empty())
        return false;
    out = queue.front();
    if (remove)
        queue.pop_front();
    return true;
}

} // namespace

LResult SendMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    const WindowObject* w = Find(window);
    if (!w || !w->windowClass.procedure)
        return 0;
    return w->windowClass.procedure(window, message, wParam, lParam);
}

bool PostMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    if (window && !Find(window))
        return false;
    System().posted.push_back(MakeMessage(window, message, wParam, lParam));
    return true;
}

void PostQuitMessage(int code)
{
    System().quitPosted = true;
    System().quitCode = code;
}

bool PeekMessage(Message& out, Remove remove)
{
    auto& sys = System();
    const bool take = remove == Remove::Yes;
    PumpHostEvents();
    if (Take(sys.posted, out, take) || Take(sys.input, out, take))
        return true;
    // An answer of a device comes before paint and timers: the exchange it
    // ends may start the next one at once.
    if (take ? TakeMidiArrival() : IsMidiArrivalPending()) {
        out = MakeMessage(0, msg::MidiArrival, 0, 0);
        return true;
    }
    if (sys.quitPosted) {
        out = MakeMessage(0, msg::Quit, static_cast<WParam>(sys.quitCode), 0);
        if (take)
            sys.quitPosted = false;
        return true;
    }
    if (const WindowHandle h = FindWindowToPaint(sys.topLevels)) {
        out = MakeMessage(h, msg::Paint, 0, 0);
        return true;
    }
    // What the windows have painted goes to the screen before any timer: a
    // timer that is always due (its work outlasting its interval) must not
    // keep a long job's window from being drawn.
    if (take)
        PresentDirty();
    return TakeDueTimer(out, take);
}

bool GetMessage(Message& out)
{
    while (!PeekMessage(out, Remove::Yes))
        WaitMessage(1000);
    return out.message != msg::Quit;
}

void WaitMessage(uint32_t timeoutMs)
{
    if (IsMidiArrivalPending())
        return;
    const uint64_t now = Now();
    uint64_t wait = timeoutMs;
    for (const Timer& t : System().timers)
        wait = std::min<uint64_t>(wait, t.due > now ? t.due - now : 0);
    if (wait > 0)
        Host().WaitForEvent(static_cast<uint32_t>(wait));
}

ThreadMessageHandler SetThreadMessageHandler(ThreadMessageHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}

bool IsQuitAsked()
{
    return System().quitAsked;
}

void TakeQuitAsked()
{
    System().quitAsked = false;
}

LResult DispatchMessage(const Message& message)
{
    // A timer with a procedure calls it, with or without a window.
    if (message.message == msg::Timer && message.lParam != 0) {
        reinterpret_cast<TimerProc>(message.lParam)(message.window, msg::Timer, message.wParam, message.time);
        return 0;
    }
    if (!message.window) {
        // A copy: the handler may replace itself while it runs.
        if (const ThreadMessageHandler handler = Handler())
            handler(message);
        return 0;
    }
    const uint32_t saved = messageTime;
    messageTime = message.time;
    LResult result = 0;
    if (message.message == msg::Paint) {
        result = SendMessage(message.window, msg::Paint, 0, 0);
        // A window that does not paint must not be asked again and again.
        ValidateRect(message.window, nullptr);
    } else {
        result = SendMessage(message.window, message.message, message.wParam, message.lParam);
    }
    if (message.message == msg::DropFiles)
        System().drops.erase(message.wParam);
    messageTime = saved;
    return result;
}

uintptr_t SetTimer(WindowHandle window, uintptr_t id, uint32_t intervalMs, TimerProc proc)
{
    auto& sys = System();
    if (window && !Find(window))
        return 0;
    if (!window && id == 0)
        id = sys.nextThreadTimer++;
    const uint32_t interval = std::max<uint32_t>(intervalMs, 1);
    for (Timer& t : sys.timers)
        if (t.window == window && t.id == id) {
            t.interval = interval;
            t.due = Now() + interval;
            t.proc = proc;
            return id;
        }
    sys.timers.push_back({window, id, interval, Now() + interval, proc});
    return id;
}

bool KillTimer(WindowHandle window, uintptr_t id)
{
    auto& timers = System().timers;
    const auto before = timers.size();
    timers.erase(
        std::remove_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.window == window && t.id == id; }),
        timers.end());
    return timers.size() != before;
}

void KillWindowTimers(WindowHandle window)
{
    auto& timers = System().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.window == window; }),
                 timers.end());
}

void RemoveWindowMessages(WindowHandle window)
{
    for (auto* queue : {&System().posted, &System().input})
        queue->erase(std::remove_if(queue->begin(), queue->end(), [&](const Message& m) { return m.window == window; }),
                     queue->end());
}

uint32_t GetMessageTime()
{
    return messageTime;
}

} // namespace platform
