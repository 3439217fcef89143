#include "platform/input/InputState.h"
#include "platform/input/Keys.h"
#include "platform/windows/MessageQueue.h"
#include "platform/host/SystemMetrics.h"
#include "platform/windows/detail/WindowSystem.h"

#include <cstdlib>

namespace platform {

using namespace detail;

namespace {

CursorShape currentCursor = CursorShape::Arrow;

WParam MouseKeyFlags()
{
    auto& sys = System();
    WParam flags = 0;
    if (sys.mouseButtons[1])
        flags |= kMouseLeft;
    if (sys.mouseButtons[2])
        flags |= kMouseRight;
    if (sys.mouseButtons[3])
        flags |= kMouseMiddle;
    if (sys.keys[0x10])
        flags |= kMouseShift;
    if (sys.keys[0x11])
        flags |= kMouseControl;
    return flags;
}

void Queue(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    System().input.push_back(MakeMessage(window, message, wParam, lParam));
}

WindowHandle WindowOfSurface(SurfaceId id)
{
    for (WindowHandle h : System().topLevels)
        if (const WindowObject* w = Find(h); w && w->surfaceId == id)
            return h;
    return 0;
}

LResult HitAt(WindowHandle target, Point screen)
{
    return SendMessage(target, msg::NcHitTest, 0, MakeLParam(screen.x, screen.y));
}

LParam ClientPoint(WindowHandle window, Point screen)
{
    const Point p = ScreenToClient(window, screen);
    return MakeLParam(p.x, p.y);
}

bool EnabledUpToTop(WindowHandle window)
{
    for (const WindowObject* w = Find(window); w; w = Find(w->parent))
        if (w->style & style::Disabled)
            return false;
    return true;
}

// A click on a window disabled by a modal dialog brings the dialog forward.
void ActivateEnabledPopup(WindowHandle disabled)
{
    const WindowHandle top = GetTopLevel(disabled);
    const auto& list = System().topLevels;
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (GetOwner(*it) == top && IsWindowVisible(*it) && IsWindowEnabled(*it)) {
            SetActiveWindow(*it);
            return;
        }
}

void DoDrag(Point screen)
{
    Drag& d = System().drag;
    const WindowObject* w = Find(d.window);
    if (!w) {
        d = {};
        return;
    }
    const int dx = screen.x - d.start.x;
    const int dy = screen.y - d.start.y;
    Rect r = d.startRect;
    if (d.mode == DragMode::Move) {
        r = r.Offset(dx, dy);
    } else {
        const LResult h = d.hit;
        if (h == hit::Left || h == hit::TopLeft || h == hit::BottomLeft)
            r.left += dx;
        if (h == hit::Right || h == hit::TopRight || h == hit::BottomRight)
            r.right += dx;
        if (h == hit::Top || h == hit::TopLeft || h == hit::TopRight)
            r.top += dy;
        if (h == hit::Bottom || h == hit::BottomLeft || h == hit::BottomRight)
            r.bottom += dy;
        MinMaxInfo limits;
        SendMessage(d.window, msg::GetMinMaxInfo, 0, reinterpret_cast<LParam>(&limits));
        auto clamp = [](int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; };
        const int width = clamp(r.Width(), limits.minTrackSize.x, limits.maxTrackSize.x);
        const int height = clamp(r.Height(), limits.minTrackSize.y, limits.maxTrackSize.y);
        if (r.left != d.startRect.left)
            r.left = r.right - width;
        else
            r.right = r.left + width;
        if (r.top != d.startRect.top)
            r.top = r.bottom - height;
        else
            r.bottom = r.top + height;
    }
    MoveWindow(d.window, r, true);
}

void MouseMoved(Point screen)
{
    auto& sys = System();
    sys.pointer = screen;
    if (sys.drag.mode != DragMode::None) {
        DoDrag(screen);
        return;
    }
    const WindowHandle target = sys.capture ? sys.capture : WindowFromPoint(screen);
    if (!target)
        return;
    const LResult hitCode = sys.capture ? hit::Client : HitAt(target, screen);
    if (!sys.capture)
        SendMessage(target, msg::SetCursor, target, MakeLParam(static_cast<int>(hitCode), msg::MouseMove));
    if (!IsWindow(target))
        return;
    if (hitCode == hit::Client)
        Queue(target, msg::MouseMove, MouseKeyFlags(), ClientPoint(target, screen));
    else
        Queue(target, msg::NcMouseMove, static_cast<WParam>(hitCode), MakeLParam(screen.x, screen.y));
}

uint32_t ButtonMessage(int button, bool down, bool doubleClick)
{
    const uint32_t base = button == 1 ? msg::LButtonDown : button == 2 ? msg::RButtonDown : msg::MButtonDown;
    return down ? (doubleClick ? base + 2 : base) : base + 1;
}

bool IsDoubleClick(WindowHandle target, int button, Point screen)
{
    auto& sys = System();
    const WindowObject* w = Find(target);
    const uint64_t now = Now();
    const bool result = w && (w->windowClass.style & classstyle::DoubleClicks) && sys.lastClickWindow == target &&
        sys.lastClickButton == button && now - sys.lastClickTime <= GetDoubleClickTime() &&
        std::abs(screen.x - sys.lastClickPoint.x) <= GetSystemMetric(Metric::DoubleClickWidth) / 2 &&
        std::abs(screen.y - sys.lastClickPoint.y) <= GetSystemMetric(Metric::DoubleClickHeight) / 2;
    if (result) {
        sys.lastClickWindow = 0;
    } else {
        sys.lastClickWindow = target;
        sys.lastClickButton = button;
        sys.lastClickTime = now;
        sys.lastClickPoint = screen;
    }
    return result;
}

void MousePressed(Point screen, int button)
{
    auto& sys = System();
    sys.pointer = screen;
    if (button >= 1 && button <= 3)
        sys.mouseButtons[button] = true;
    if (sys.drag.mode != DragMode::None)
        return;
    WindowHandle target = sys.capture ? sys.capture : WindowFromPoint(screen);
    if (!target)
        return;
    if (!EnabledUpToTop(target)) {
        Host().Beep();
        ActivateEnabledPopup(target);
        return;
    }
    if (!sys.capture)
        ActivateForClick(target);
    if (!IsWindow(target))
        return;
    const LResult hitCode = sys.capture ? hit::Client : HitAt(target, screen);
    const uint32_t message = ButtonMessage(button, true, false);
    if (!sys.capture)
        SendMessage(target, msg::SetCursor, target, MakeLParam(static_cast<int>(hitCode), static_cast<int>(message)));
    if (!IsWindow(target))
        return;
    if (hitCode == hit::Client) {
        const bool twice = IsDoubleClick(target, button, screen);
        Queue(target, ButtonMessage(button, true, twice), MouseKeyFlags(), ClientPoint(target, screen));
    } else if (button == 1) {
        const bool twice = IsDoubleClick(target, button + 10, screen);
        Queue(target, twice ? msg::NcLButtonDoubleClick : msg::NcLButtonDown, static_cast<WParam>(hitCode),
              MakeLParam(screen.x, screen.y));
    }
}

void MouseReleased(Point screen, int button)
{
    auto& sys = System();
    sys.pointer = screen;
    if (button >= 1 && button <= 3)
        sys.mouseButtons[button] = false;
    if (sys.drag.mode != DragMode::None) {
        if (button == 1)
            sys.drag = {};
        return;
    }
    const WindowHandle target = sys.capture ? sys.capture : WindowFromPoint(screen);
    if (!target || !EnabledUpToTop(target))
        return;
    if (sys.capture || HitAt(target, screen) == hit::Client)
        Queue(target, ButtonMessage(button, false, false), MouseKeyFlags(), ClientPoint(target, screen));
}

// The wheel goes to the window that holds the mouse (an open menu), else to
// the one under the pointer.
void WheelTurned(Point screen, int notches)
{
    auto& sys = System();
    sys.pointer = screen;
    const WindowHandle target = sys.capture ? sys.capture : WindowFromPoint(screen);
    if (!target || !EnabledUpToTop(target))
        return;
    const int delta = notches * msg::kWheelDelta;
    Queue(target, msg::MouseWheel, static_cast<WParam>(static_cast<uint32_t>(delta & 0xFFFF) << 16),
          MakeLParam(screen.x, screen.y));
}

WindowHandle KeyTarget()
{
    auto& sys = System();
    return sys.focus ? sys.focus : sys.active;
}

// F1: help for the window under the pointer when it is one of the program's
// active windows, else for the window the keys go to.
void AskForHelp(WindowHandle keyTarget)
{
    auto& sys = System();
    WindowHandle item = WindowFromPoint(sys.pointer);
    if (!item || GetTopLevel(item) != GetTopLevel(keyTarget))
        item = keyTarget;
    sys.help = {};
    sys.help.kind = HelpInfo::Kind::Window;
    sys.help.item = item;
    sys.help.contextId = GetWindowContextHelpId(item);
    sys.help.mouse = sys.pointer;
    Queue(item, msg::Help, 0, reinterpret_cast<LParam>(&sys.help));
}

void KeyChanged(const HostEvent& e, bool down)
{
    auto& sys = System();
    if (e.virtualKey < 256)
        sys.keys[e.virtualKey] = down;
    ModifierState modifiers = CurrentModifiers();
    modifiers.shift = sys.keys[kVKShift];
    modifiers.control = sys.keys[kVKControl];
    modifiers.alt = sys.keys[kVKAlt];
    if (down && !e.repeat && e.virtualKey == kVKCapsLock)
        modifiers.capsLock = !modifiers.capsLock;
    SetCurrentModifiers(modifiers);
    const WindowHandle target = KeyTarget();
    if (!target)
        return;
    uint32_t bits = 1;
    if (e.extended)
        bits |= 1u << 24;
    if (e.repeat || !down)
        bits |= 1u << 30;
    if (!down)
        bits |= 1u << 31;
    Queue(target, down ? msg::KeyDown : msg::KeyUp, e.virtualKey, static_cast<LParam>(bits));
    if (down && !e.repeat && e.virtualKey == kVKF1)
        AskForHelp(target);
}

void ShowCaptionActive(WindowObject* w, bool active)
{
    if (!w || w->activeCaption == active)
        return;
    w->activeCaption = active;
    DrawNonClient(*w);
    MarkDirty(w->handle);
}

void ApplicationActivated(bool active)
{
    auto& sys = System();
    if (sys.appActive == active)
        return;
    sys.appActive = active;
    // Another program took the desktop: menus and drags that hold the mouse
    // end, and the active window's caption shows that it is not.
    if (!active && sys.capture)
        ReleaseCapture();
    ShowCaptionActive(Find(sys.active), active);
    const std::vector<WindowHandle> tops = sys.topLevels;
    // The active document window of a frame draws its own caption: it too
    // shows whether the program has the desktop, as the frame's does.
    for (WindowHandle h : tops)
        if (const WindowObject* top = Find(h))
            for (WindowHandle c : top->children)
                if (const WindowObject* client = Find(c); client && IsMdiClient(*client))
                    ShowCaptionActive(Find(static_cast<WindowHandle>(SendMessage(c, msg::MdiGetActive, 0, 0))), active);
    for (WindowHandle h : tops)
        SendMessage(h, msg::ActivateApp, active ? 1 : 0, 0);
}

// The program's first shown window that no other owns: a hidden helper
// window made earlier is not its main window. Else its first unowned one.
WindowHandle MainWindow()
{
    WindowHandle main = 0;
    WindowHandle shown = 0;
    for (WindowHandle h : System().topLevels) {
        if (GetOwner(h))
            continue;
        if (!main || h < main)
            main = h;
        if (IsWindowVisible(h) && (!shown || h < shown))
            shown = h;
    }
    return shown ? shown : main;
}

void Translate(const HostEvent& e)
{
    switch (e.kind) {
    case HostEvent::Kind::MouseMove:
        MouseMoved(e.screen);
        break;
    case HostEvent::Kind::MouseDown:
        MousePressed(e.screen, e.button);
        break;
    case HostEvent::Kind::MouseUp:
        MouseReleased(e.screen, e.button);
        break;
    case HostEvent::Kind::KeyDown:
        KeyChanged(e, true);
        break;
    case HostEvent::Kind::KeyUp:
        KeyChanged(e, false);
        break;
    case HostEvent::Kind::Text:
        if (const WindowHandle target = KeyTarget())
            Queue(target, msg::Char, static_cast<WParam>(e.character), 1);
        break;
    case HostEvent::Kind::Wheel:
        WheelTurned(e.screen, e.wheel);
        break;
    case HostEvent::Kind::CloseRequest:
        if (const WindowHandle w = WindowOfSurface(e.surface)) {
            // A window a modal dialog disabled does not close behind the
            // dialog: the dialog comes forward, as for a click.
            if (!IsWindowEnabled(w)) {
                Host().Beep();
                ActivateEnabledPopup(w);
            } else {
                PostMessage(w, msg::Close, 0, 0);
            }
        }
        break;
    case HostEvent::Kind::FocusGained:
        ApplicationActivated(true);
        break;
    case HostEvent::Kind::FocusLost:
        ApplicationActivated(false);
        break;
    case HostEvent::Kind::DropFile: {
        WindowHandle w = WindowFromPoint(e.screen);
        if (!w)
            w = WindowOfSurface(e.surface);
        while (w && !Find(w)->acceptFiles)
            w = GetParent(w);
        if (w) {
            auto& sys = System();
            const WParam drop = sys.nextDrop++;
            sys.drops[drop].push_back(e.text);
            PostMessage(w, msg::DropFiles, drop, 0);
        }
        break;
    }
    case HostEvent::Kind::Quit:
        System().quitAsked = true;
        if (const WindowHandle w = MainWindow())
            PostMessage(w, msg::Close, 0, 0);
        break;
    case HostEvent::Kind::Expose:
        if (const WindowHandle w = WindowOfSurface(e.surface))
            MarkDirty(w);
        break;
    case HostEvent::Kind::DisplayChange: {
        const std::vector<WindowHandle> tops = System().topLevels;
        for (WindowHandle h : tops)
            PostMessage(h, msg::DisplayChange, static_cast<WParam>(Host().ColorDepth()), 0);
        break;
    }
    case HostEvent::Kind::Placed:
        if (const WindowHandle w = WindowOfSurface(e.surface))
            PlacedByDesktop(w, e.rect);
        break;
    case HostEvent::Kind::Minimized:
    case HostEvent::Kind::Maximized:
    case HostEvent::Kind::Restored:
        if (const WindowHandle w = WindowOfSurface(e.surface))
            ShowStateSetByDesktop(w,
                                  e.kind == HostEvent::Kind::Minimized       ? ShowState::Minimized
                                      : e.kind == HostEvent::Kind::Maximized ? ShowState::Maximized
                                                                             : ShowState::Normal);
        break;
    case HostEvent::Kind::None:
        break;
    }
}

} // namespace

namespace detail {

void PumpHostEvents()
{
    // One event at a time, and only once the input taken so far is handled:
    // a press on a caption must start its drag before the next move is seen.
    HostEvent e;
    while (System().input.empty() && Host().PollEvent(e))
        Translate(e);
}

void ActivateForClick(WindowHandle target)
{
    const WindowHandle top = GetTopLevel(target);
    if (top != GetActiveWindow())
        SetActiveWindow(top);
    for (const WindowObject* w = Find(target); w; w = Find(w->parent))
        if (IsMdiChild(*w)) {
            if (static_cast<WindowHandle>(SendMessage(w->parent, msg::MdiGetActive, 0, 0)) != w->handle)
                SendMessage(w->parent, msg::MdiActivate, w->handle, 0);
            break;
        }
}

void ResetInputState()
{
    currentCursor = CursorShape::Arrow;
}

} // namespace detail

Point GetCursorPos()
{
    return System().pointer;
}

void SetCursorPos(Point screen)
{
    System().pointer = screen;
    Host().WarpPointer(screen);
}

bool IsMouseButtonDown(int button)
{
    return button >= 1 && button <= 3 && System().mouseButtons[button];
}

void SetCursor(CursorShape shape)
{
    if (shape == currentCursor)
        return;
    currentCursor = shape;
    Host().SetCursor(shape);
}

CursorShape GetCursor()
{
    return currentCursor;
}

void Beep()
{
    Host().Beep();
}

} // namespace platform
