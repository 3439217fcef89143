#include "platform/controls/ControlPaint.h"
#include "platform/controls/detail/ControlSupport.h"
#include "platform/input/Keys.h"
#include "platform/windows/MessageQueue.h"

#include <algorithm>

namespace platform::detail {

namespace {

constexpr uintptr_t kRepeatTimer = 1;

struct UpDownState {
    int lower = 0;
    int upper = 100;
    int position = 0;
    int pressed = 0; // +1 the upper arrow, -1 the lower one
};

ControlStates<UpDownState>& States()
{
    static ControlStates<UpDownState> states;
    return states;
}

// Tells the parent of a step, then moves the position (wrapping when the
// style asks for it, else held at the ends).
void Step(WindowHandle window, UpDownState& s, int delta)
{
    UpDownNotify note;
    note.header = {window, GetChildId(window), kUpDownDeltaPos};
    note.position = s.position;
    note.delta = delta;
    if (const WindowHandle parent = GetParent(window))
        SendMessage(parent, msg::Notify, GetChildId(window), reinterpret_cast<LParam>(&note));
    if (States().Find(window) != &s)
        return; // the parent destroyed the control
    const int low = std::min(s.lower, s.upper);
    const int high = std::max(s.lower, s.upper);
    int next = s.position + delta;
    if (next > high)
        next = (GetWindowStyle(window) & ctlstyle::UpDownWrap) ? low : high;
    else if (next < low)
        next = (GetWindowStyle(window) & ctlstyle::UpDownWrap) ? high : low;
    s.position = next;
}

void Paint(WindowHandle window, const UpDownState& s)
{
    ControlPaint p(window);
    if (!p.IsValid())
        return;
    DeviceContext& dc = p.DC();
    const IntRect r = p.Client();
    const int middle = r.top + r.Height() / 2;
    const IntRect up{r.left, r.top, r.right, middle};
    const IntRect down{r.left, middle, r.right, r.bottom};
    const Rgb arrow = IsWindowEnabled(window) ? 0x000000 : 0x808080;
    DrawButtonFace(dc, up, s.pressed > 0, false);
    DrawButtonFace(dc, down, s.pressed < 0, false);
    DrawArrow(dc, up, ArrowDirection::Up, arrow);
    DrawArrow(dc, down, ArrowDirection::Down, arrow);
}

} // namespace

LResult UpDownProc(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    UpDownState* s = States().Find(window);
    if (const auto common = CommonControlMessage(States(), window, message, wParam, lParam, Paint))
        return *common;
    switch (message) {
    case msg::Enable:
    case msg::Size:
        Redraw(window);
        return 0;
    case msg::LButtonDown:
    case msg::LButtonDoubleClick:
        if (s == nullptr || !IsWindowEnabled(window))
            return 0;
        s->pressed = ClientPointOf(lParam).y < GetClientRect(window).Height() / 2 ? 1 : -1;
        SetCapture(window);
        Redraw(window);
        SetTimer(window, kRepeatTimer, 300);
        Step(window, *s, s->pressed);
        return 0;
    case msg::Timer:
        if (s != nullptr && s->pressed != 0 && wParam == kRepeatTimer) {
            SetTimer(window, kRepeatTimer, 60);
            Step(window, *s, s->pressed);
        }
        return 0;
    case msg::LButtonUp:
    case msg::CaptureChanged:
        if (s != nullptr && s->pressed != 0) {
            s->pressed = 0;
            KillTimer(window, kRepeatTimer);
            if (GetCapture() == window)
                ReleaseCapture();
            Redraw(window);
        }
        return 0;
    case msg::KeyDown:
        if (s != nullptr && (wParam == kVKUp || wParam == kVKDown))
            Step(window, *s, wParam == kVKUp ? 1 : -1);
        return 0;
    case ctlmsg::UpDownSetRange32:
        if (s != nullptr) {
            s->lower = static_cast<int>(static_cast<intptr_t>(wParam));
            s->upper = static_cast<int>(lParam);
        }
        return 0;
    case ctlmsg::UpDownSetPos32: {
        if (s == nullptr)
            return 0;
        const int old = s->position;
        s->position = std::clamp(static_cast<int>(lParam), std::min(s->lower, s->upper), std::max(s->lower, s->upper));
        return old;
    }
    case ctlmsg::UpDownGetPos32:
        return s != nullptr ? s->position : 0;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

} // namespace platform::detail
