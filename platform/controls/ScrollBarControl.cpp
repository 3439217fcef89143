#include "platform/controls/ControlPaint.h"
#include "platform/controls/detail/ControlSupport.h"
#include "platform/input/Keys.h"
#include "platform/windows/MessageQueue.h"

#include <algorithm>

namespace platform::detail {

namespace {

constexpr uintptr_t kRepeatTimer = 1;
constexpr uint32_t kFirstDelay = 300;
constexpr uint32_t kRepeatDelay = 50;
constexpr int kMinThumb = 8;

enum class Part { None, ArrowBack, PageBack, Thumb, PageForward, ArrowForward };

struct ScrollState {
    int minimum = 0;
    int maximum = 100;
    int page = 0;
    int position = 0;
    int trackPosition = 0;
    Part pressed = Part::None;
    bool over = false;  // the pointer is over the pressed part
    int grabOffset = 0; // pointer minus thumb start while dragging
    Point last;
};

ControlStates<ScrollState>& States()
{
    static ControlStates<ScrollState> states;
    return states;
}

bool IsVertical(WindowHandle window)
{
    return (GetWindowStyle(window) & ctlstyle::ScrollVertical) != 0;
}

int MaxPosition(const ScrollState& s)
{
    return std::max(s.minimum, s.maximum - s.page);
}

struct Geometry {
    int length = 0;
    int arrow = 0;
    int thumbStart = 0;
    int thumbLength = 0;
    bool hasThumb = false;
};

Geometry Measure(WindowHandle window, const ScrollState& s, int position)
{
    const Rect r = GetClientRect(window);
    const bool vertical = IsVertical(window);
    Geometry g;
    g.length = vertical ? r.Height() : r.Width();
    const int thickness = vertical ? r.Width() : r.Height();
    g.arrow = std::min(thickness, g.length / 2);
    const int track = g.length - 2 * g.arrow;
    const int span = s.maximum - s.minimum;
    const int range = MaxPosition(s) - s.minimum;
    g.hasThumb = range > 0 && track >= kMinThumb;
    if (!g.hasThumb)
        return g;
    g.thumbLength = s.page > 0
        ? std::max(kMinThumb, static_cast<int>(static_cast<int64_t>(track) * s.page / std::max(1, span)))
        : std::min(thickness, track);
    g.thumbLength = std::min(g.thumbLength, track);
    const int64_t offset = static_cast<int64_t>(std::clamp(position, s.minimum, MaxPosition(s)) - s.minimum) *
        (track - g.thumbLength) / range;
    g.thumbStart = g.arrow + static_cast<int>(offset);
    return g;
}

bool IsActive(WindowHandle window, const ScrollState& s)
{
    return IsWindowEnabled(window) && MaxPosition(s) > s.minimum;
}

Part PartAt(WindowHandle window, const ScrollState& s, Point p)
{
    const Geometry g = Measure(window, s, s.position);
    const int at = IsVertical(window) ? p.y : p.x;
    if (at < g.arrow)
        return Part::ArrowBack;
    if (at >= g.length - g.arrow)
        return Part::ArrowForward;
    if (!g.hasThumb)
        return Part::None;
    if (at < g.thumbStart)
        return Part::PageBack;
    if (at >= g.thumbStart + g.thumbLength)
        return Part::PageForward;
    return Part::Thumb;
}

void Tell(WindowHandle window, uint16_t code, int position = 0)
{
    const WindowHandle parent = GetParent(window);
    if (parent == 0)
        return;
    const WParam word = code | (static_cast<WParam>(static_cast<uint16_t>(position)) << 16);
    SendMessage(parent, IsVertical(window) ? msg::VScroll : msg::HScroll, word, static_cast<LParam>(window));
}

void Act(WindowHandle window, Part part)
{
    switch (part) {
    case Part::ArrowBack:
        Tell(window, scroll::LineUp);
        break;
    case Part::ArrowForward:
        Tell(window, scroll::LineDown);
        break;
    case Part::PageBack:
        Tell(window, scroll::PageUp);
        break;
    case Part::PageForward:
        Tell(window, scroll::PageDown);
        break;
    default:
        break;
    }
}

int PositionForPointer(WindowHandle window, const ScrollState& s, Point p)
{
    const Geometry g = Measure(window, s, s.position);
    const int track = g.length - 2 * g.arrow - g.thumbLength;
    if (track <= 0)
        return s.minimum;
    const int at = (IsVertical(window) ? p.y : p.x) - s.grabOffset - g.arrow;
    const int64_t value =
        s.minimum + static_cast<int64_t>(std::clamp(at, 0, track)) * (MaxPosition(s) - s.minimum) / track;
    return static_cast<int>(value);
}

void Paint(WindowHandle window, const ScrollState& s)
{
    ControlPaint p(window);
    if (!p.IsValid())
        return;
    DeviceContext& dc = p.DC();
    const IntRect r = p.Client();
    const bool vertical = IsVertical(window);
    const bool active = IsActive(window, s);
    const int shownPosition = s.pressed == Part::Thumb ? s.trackPosition : s.position;
    const Geometry g = Measure(window, s, shownPosition);
    const auto span = [&](int from, int to) {
        return vertical ? IntRect{r.left, r.top + from, r.right, r.top + to}
                        : IntRect{r.left + from, r.top, r.left + to, r.bottom};
    };
    // The track: the classic fine checker of face and highlight.
    const IntRect track = span(g.arrow, g.length - g.arrow);
    dc.FillChecker(track, 0xC0C0C0, 0xFFFFFF);
    if (s.pressed == Part::PageBack && s.over && active)
        Fill(dc, span(g.arrow, g.thumbStart), 0x000000);
    if (s.pressed == Part::PageForward && s.over && active)
        Fill(dc, span(g.thumbStart + g.thumbLength, g.length - g.arrow), 0x000000);
    const IntRect back = span(0, g.arrow);
    const IntRect forward = span(g.length - g.arrow, g.length);
    DrawButtonFace(dc, back, s.pressed == Part::ArrowBack && s.over, false);
    DrawButtonFace(dc, forward, s.pressed == Part::ArrowForward && s.over, false);
    const Rgb arrow = active ? 0x000000 : 0x808080;
    DrawArrow(dc, back, vertical ? ArrowDirection::Up : ArrowDirection::Left, arrow);
    DrawArrow(dc, forward, vertical ? ArrowDirection::Down : ArrowDirection::Right, arrow);
    if (active && g.hasThumb)
        DrawButtonFace(dc, span(g.thumbStart, g.thumbStart + g.thumbLength), false, false);
}

void StopTracking(WindowHandle window, ScrollState& s)
{
    if (s.pressed == Part::None)
        return;
    const Part was = s.pressed;
    s.pressed = Part::None;
    KillTimer(window, kRepeatTimer);
    if (GetCapture() == window)
        ReleaseCapture();
    if (was == Part::Thumb)
        Tell(window, scroll::ThumbPosition, s.trackPosition);
    Tell(window, scroll::EndScroll);
    Redraw(window);
}

} // namespace

LResult ScrollBarProc(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    ScrollState* s = States().Find(window);
    if (const auto common = CommonControlMessage(States(), window, message, wParam, lParam, Paint))
        return *common;
    switch (message) {
    case msg::Enable:
    case msg::Size:
        Redraw(window);
        return 0;
    case msg::LButtonDown:
    case msg::LButtonDoubleClick: {
        if (s == nullptr || !IsActive(window, *s))
            return 0;
        const Point p = ClientPointOf(lParam);
        s->pressed = PartAt(window, *s, p);
        if (s->pressed == Part::None)
            return 0;
        s->over = true;
        s->last = p;
        SetCapture(window);
        if (s->pressed == Part::Thumb) {
            const Geometry g = Measure(window, *s, s->position);
            s->grabOffset = (IsVertical(window) ? p.y : p.x) - g.thumbStart;
            s->trackPosition = s->position;
        } else {
            Act(window, s->pressed);
            SetTimer(window, kRepeatTimer, kFirstDelay);
        }
        Redraw(window);
        return 0;
    }
    case msg::MouseMove:
        if (s != nullptr && s->pressed != Part::None) {
            const Point p = ClientPointOf(lParam);
            s->last = p;
            if (s->pressed == Part::Thumb) {
                const int track = PositionForPointer(window, *s, p);
                if (track != s->trackPosition) {
                    s->trackPosition = track;
                    Tell(window, scroll::ThumbTrack, track);
                }
            } else {
                s->over = PartAt(window, *s, p) == s->pressed;
            }
            Redraw(window);
        }
        return 0;
    case msg::Timer:
        if (s != nullptr && wParam == kRepeatTimer && s->pressed != Part::None && s->pressed != Part::Thumb) {
            SetTimer(window, kRepeatTimer, kRepeatDelay);
            s->over = PartAt(window, *s, s->last) == s->pressed;
            if (s->over)
                Act(window, s->pressed);
        }
        return 0;
    case msg::LButtonUp:
    case msg::CaptureChanged:
        if (s != nullptr)
            StopTracking(window, *s);
        return 0;
    case msg::KeyDown:
        switch (wParam) {
        case kVKUp:
        case kVKLeft:
            Tell(window, scroll::LineUp);
            break;
        case kVKDown:
        case kVKRight:
            Tell(window, scroll::LineDown);
            break;
        case kVKPageUp:
            Tell(window, scroll::PageUp);
            break;
        case kVKPageDown:
            Tell(window, scroll::PageDown);
            break;
        case kVKHome:
            Tell(window, scroll::Top);
            break;
        case kVKEnd:
            Tell(window, scroll::Bottom);
            break;
        default:
            break;
        }
        return 0;
    case ctlmsg::ScrollSetPos: {
        if (s == nullptr)
            return 0;
        const int old = s->position;
        s->position = std::clamp(static_cast<int>(static_cast<intptr_t>(wParam)), s->minimum, MaxPosition(*s));
        if (lParam != 0 || old != s->position)
            Redraw(window);
        return old;
    }
    case ctlmsg::ScrollGetPos:
        return s != nullptr ? s->position : 0;
    case ctlmsg::ScrollSetRange:
        if (s != nullptr) {
            s->minimum = static_cast<int>(static_cast<intptr_t>(wParam));
            s->maximum = static_cast<int>(lParam);
            s->position = std::clamp(s->position, s->minimum, MaxPosition(*s));
            Redraw(window);
        }
        return 0;
    case ctlmsg::ScrollSetInfo: {
        const auto* info = reinterpret_cast<const ScrollInfo*>(lParam);
        if (s == nullptr || info == nullptr)
            return 0;
        if (info->mask & ScrollInfo::kRange) {
            s->minimum = info->minimum;
            s->maximum = info->maximum;
        }
        if (info->mask & ScrollInfo::kPage)
            s->page = static_cast<int>(info->page);
        if (info->mask & ScrollInfo::kPos)
            s->position = info->position;
        s->position = std::clamp(s->position, s->minimum, MaxPosition(*s));
        Redraw(window);
        return s->position;
    }
    case ctlmsg::ScrollGetInfo: {
        auto* info = reinterpret_cast<ScrollInfo*>(lParam);
        if (s == nullptr || info == nullptr)
            return 0;
        info->minimum = s->minimum;
        info->maximum = s->maximum;
        info->page = static_cast<unsigned>(s->page);
        info->position = s->position;
        info->trackPosition = s->pressed == Part::Thumb ? s->trackPosition : s->position;
        return 1;
    }
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

} // namespace platform::detail
