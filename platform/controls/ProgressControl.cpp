#include "platform/controls/ControlPaint.h"
#include "platform/controls/detail/ControlSupport.h"
#include "platform/graphics/SystemColors.h"

#include <algorithm>

namespace platform::detail {

namespace {

constexpr int kChunk = 8; // width of one block of the bar, with a gap of 2

struct ProgressState {
    int minimum = 0;
    int maximum = 100;
    int position = 0;
};

ControlStates<ProgressState>& States()
{
    static ControlStates<ProgressState> states;
    return states;
}

void Paint(WindowHandle window, const ProgressState& s)
{
    ControlPaint p(window);
    if (!p.IsValid())
        return;
    DeviceContext& dc = p.DC();
    const IntRect r = p.Client();
    Fill(dc, r, SystemRgb(static_cast<int>(SystemColor::ButtonFace)));
    DrawEdge(dc, r, edge::SunkenOuter, edge::Rect);
    const IntRect inner{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
    const int span = s.maximum - s.minimum;
    if (span <= 0 || inner.IsEmpty())
        return;
    const int filled = static_cast<int>(static_cast<int64_t>(inner.Width()) * (s.position - s.minimum) / span);
    const Rgb bar = SystemRgb(static_cast<int>(SystemColor::Highlight));
    for (int x = inner.left; x < inner.left + filled; x += kChunk + 2)
        Fill(dc, {x, inner.top, std::min(x + kChunk, inner.right), inner.bottom}, bar);
}

} // namespace

LResult ProgressProc(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    ProgressState* s = States().Find(window);
    if (const auto common = CommonControlMessage(States(), window, message, wParam, lParam, Paint))
        return *common;
    switch (message) {
    case msg::Size:
        Redraw(window);
        return 0;
    case ctlmsg::ProgressSetRange:
        if (s != nullptr) {
            s->minimum = LowWordOf(static_cast<uintptr_t>(lParam));
            s->maximum = HighWordOf(static_cast<uintptr_t>(lParam));
            s->position = std::clamp(s->position, s->minimum, std::max(s->minimum, s->maximum));
            Redraw(window);
        }
        return 0;
    case ctlmsg::ProgressSetPos: {
        if (s == nullptr)
            return 0;
        const int old = s->position;
        s->position =
            std::clamp(static_cast<int>(static_cast<intptr_t>(wParam)), s->minimum, std::max(s->minimum, s->maximum));
        if (old != s->position)
            Redraw(window);
        return old;
    }
    case ctlmsg::ProgressGetPos:
        return s != nullptr ? s->position : 0;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

} // namespace platform::detail
