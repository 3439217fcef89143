#include "platform/windows/Window.h"

#include "platform/windows/MessageQueue.h"
#include "platform/host/SystemMetrics.h"
#include "platform/windows/WindowPaint.h"
#include "platform/windows/detail/WindowSystem.h"

#include <algorithm>
#include <functional>

namespace platform {

using namespace detail;

namespace {

std::vector<WindowHandle>& SiblingList(WindowObject& w)
{
    if (WindowObject* parent = Find(w.parent))
        return parent->children;
    return System().topLevels;
}

// A field of a window, or the field's empty value for no window.
template <typename T> T FieldOf(WindowHandle window, T WindowObject::*field)
{
    const WindowObject* w = Find(window);
    return w ? w->*field : T{};
}

void RemoveFrom(std::vector<WindowHandle>& list, WindowHandle h)
{
    list.erase(std::remove(list.begin(), list.end(), h), list.end());
}

Rect DefaultRect(const CreateParams& params)
{
    if (params.style & style::Child) {
        if (const WindowObject* parent = Find(params.parent)) {
            const Rect c = ClientArea(*parent);
            const int count = static_cast<int>(parent->children.size() % 8);
            const int step = GetSystemMetric(Metric::CaptionHeight) + GetSystemMetric(Metric::SizingFrameY);
            return Rect::FromSize(count * step, count * step, std::max(100, c.Width() * 3 / 4),
                                  std::max(80, c.Height() * 3 / 4));
        }
        return Rect::FromSize(0, 0, 300, 200);
    }
    const Rect desk = Host().DesktopRect();
    return Rect::FromSize(desk.left + 40, desk.top + 40, desk.Width() * 3 / 4, desk.Height() * 3 / 4);
}

// A top-level window holds the pixels of its whole tree; a child window
// draws into its top-level's.
void ResizeSurface(WindowObject& w)
{
    if (w.parent) {
        w.surface = PixelBuffer();
        w.dirty.SetEmpty();
    } else {
        const int width = w.rect.Width();
        const int height = w.rect.Height();
        // The old pixels go before the new are asked for: never two at once.
        w.surface = PixelBuffer();
        if (auto memory = w.surfaceId ? Host().SurfaceMemory(w.surfaceId, width, height) : nullptr)
            w.surface.Adopt(width, height, std::move(memory), 0);
        else
            w.surface.Resize(width, height, 0);
        w.dirty = Region(Rect{0, 0, w.rect.Width(), w.rect.Height()});
        System().dirtyTopLevels.insert(w.handle);
    }
    DrawNonClient(w);
}

SurfaceParams SurfaceParamsOf(const WindowObject& w)
{
    SurfaceParams params;
    params.rect = w.rect;
    params.title = w.title;
    params.tool = (w.exStyle & exstyle::ToolWindow) != 0;
    if (const WindowObject* owner = Find(w.owner))
        params.owner = owner->surfaceId;
    // Captionless tool pop-ups are menus, drop-down lists and tooltips.
    const bool captioned = (w.style & style::Caption) == style::Caption;
    if (params.tool)
        params.role = captioned ? SurfaceRole::Floater : SurfaceRole::Menu;
    else if (w.modal)
        params.role = SurfaceRole::Dialog;
    params.resizable = (w.style & style::ThickFrame) != 0;
    return params;
}

// Keeps owned windows above their owner and topmost windows above the rest.
void OrderTopLevels(WindowHandle raise = 0)
{
    auto& list = System().topLevels;
    const std::vector<WindowHandle> before = list;
    if (raise) {
        list.erase(std::remove(list.begin(), list.end(), raise), list.end());
        list.push_back(raise);
    }
    std::vector<WindowHandle> ordered;
    std::set<WindowHandle> placed;
    std::function<void(WindowHandle)> place = [&](WindowHandle h) {
        if (placed.count(h))
            return;
        placed.insert(h);
        ordered.push_back(h);
        for (WindowHandle other : list)
            if (const WindowObject* o = Find(other); o && o->owner == h)
                place(other);
    };
    for (bool topMost : {false, true})
        for (WindowHandle h : list) {
            const WindowObject* w = Find(h);
            if (!w || ((w->exStyle & exstyle::TopMost) != 0) != topMost)
                continue;
            // Owned windows are placed with their owner.
            const WindowObject* owner = Find(w->owner);
            if (owner && std::find(list.begin(), list.end(), w->owner) != list.end())
                continue;
            place(h);
        }
    for (WindowHandle h : list)
        place(h);
    // Only the windows from the first change on need raising on the host.
    size_t first = 0;
    while (first < before.size() && first < ordered.size() && before[first] == ordered[first])
        ++first;
    list = ordered;
    for (size_t i = first; i < list.size(); ++i)
        if (const WindowObject* w = Find(list[i]); w && w->surfaceId)
            Host().RaiseSurface(w->surfaceId);
}

void SendSize(WindowObject& w)
{
    const Rect c = ClientArea(w);
    const WParam kind = w.show == ShowState::Maximized ? kSizeMaximized
        : w.show == ShowState::Minimized               ? kSizeMinimized
                                                       : kSizeRestored;
    SendMessage(w.handle, msg::Size, kind, MakeLParam(c.Width(), c.Height()));
}

// Whether the window and its ancestors below the top-level are shown: its
// pixels are in its top-level's, hidden or not.
bool ShownInTop(const WindowObject& w)
{
    for (const WindowObject* o = &w; o && o->parent; o = Find(o->parent))
        if (!(o->style & style::Visible))
            return false;
    return true;
}

// The parent and the siblings under the window show again where it was.
void ExposeParentArea(const WindowObject& w, const Rect& rectInParent)
{
    if (WindowObject* parent = Find(w.parent))
        ExposeArea(*parent, rectInParent);
}

void ForgetWindow(WindowHandle h)
{
    auto& sys = System();
    if (sys.active == h)
        sys.active = 0;
    if (sys.focus == h)
        sys.focus = 0;
    if (sys.capture == h)
        sys.capture = 0;
    if (sys.drag.window == h)
        sys.drag = {};
    if (sys.lastClickWindow == h)
        sys.lastClickWindow = 0;
    KillWindowTimers(h);
    RemoveWindowMessages(h);
    sys.dirtyTopLevels.erase(h);
}

void ActivateNextTopLevel(WindowHandle leaving)
{
    const WindowObject* w = Find(leaving);
    WindowHandle next = 0;
    if (w && IsWindowVisible(w->owner) && IsWindowEnabled(w->owner))
        next = w->owner;
    if (!next) {
        auto& list = System().topLevels;
        for (auto it = list.rbegin(); it != list.rend(); ++it)
            if (*it != leaving && IsWindowVisible(*it) && IsWindowEnabled(*it)) {
                next = *it;
                break;
            }
    }
    System().active = 0;
    if (next)
        SetActiveWindow(next);
}

} // namespace

bool RegisterWindowClass(const WindowClass& windowClass)
{
    auto& classes = System().classes;
    if (!windowClass.procedure || windowClass.name.empty() || classes.count(windowClass.name))
        return false;
    classes[windowClass.name] = windowClass;
    return true;
}

bool UnregisterWindowClass(const std::string& name)
{
    return System().classes.erase(name) > 0;
}

bool IsWindowClassRegistered(const std::string& name)
{
    RegisterBuiltInClasses();
    return System().classes.count(name) > 0;
}

WindowHandle CreateWindow(const CreateParams& params)
{
    RegisterBuiltInClasses();
    auto& sys = System();
    auto cls = sys.classes.find(params.className);
    if (cls == sys.classes.end())
        return 0;
    const bool child = (params.style & style::Child) != 0;
    if (child && !Find(params.parent))
        return 0;

    auto object = std::make_unique<WindowObject>();
    WindowObject& w = *object;
    w.handle = sys.nextHandle++;
    w.windowClass = cls->second;
    w.title = params.title;
    w.style = params.style & ~style::Visible;
    w.exStyle = params.exStyle;
    w.rect = params.useDefaultRect ? DefaultRect(params) : params.rect;
    w.parent = child ? params.parent : 0;
    w.owner = child ? 0 : GetTopLevel(params.owner);
    w.childId = params.childId;
    w.restoreRect = w.rect;
    sys.windows[w.handle] = std::move(object);
    if (child) {
        ResizeSurface(w);
        Find(w.parent)->children.push_back(w.handle);
    } else {
        // The surface first: its pixels may live in the desktop's memory.
        w.surfaceId = Host().CreateSurface(SurfaceParamsOf(w));
        ResizeSurface(w);
        sys.topLevels.push_back(w.handle);
        OrderTopLevels();
    }

    const WindowHandle handle = w.handle;
    if (SendMessage(handle, msg::Create, 0, reinterpret_cast<LParam>(&params)) == -1) {
        DestroyWindow(handle);
        return 0;
    }
    if (!IsWindow(handle))
        return 0;
    SendSize(*Find(handle));
    if (params.style & style::Visible)
        ShowWindow(handle, ShowCommand::Show);
    return handle;
}

namespace {

// Ends the capture when this window or one of its children holds it.
void ReleaseCaptureHeldBy(WindowHandle window)
{
    const WindowHandle capture = System().capture;
    if (capture && (capture == window || IsChildOf(capture, window)))
        ReleaseCapture();
}

} // namespace

bool DestroyWindow(WindowHandle handle)
{
    WindowObject* w = Find(handle);
    if (!w || w->destroying)
        return false;
    w->destroying = true;
    auto& sys = System();

    // Owned windows go first.
    std::vector<WindowHandle> owned;
    for (WindowHandle h : sys.topLevels)
        if (const WindowObject* o = Find(h); o && o->owner == handle)
            owned.push_back(h);
    for (WindowHandle h : owned)
        DestroyWindow(h);

    if (IsWindowVisible(handle))
        ShowWindow(handle, ShowCommand::Hide);
    ReleaseCaptureHeldBy(handle);
    if (sys.focus == handle || IsChildOf(sys.focus, handle))
        SetFocus(0);

    SendMessage(handle, msg::Destroy, 0, 0);
    w = Find(handle);
    const std::vector<WindowHandle> children = w->children;
    for (WindowHandle c : children)
        DestroyWindow(c);

    w = Find(handle);
    const WindowHandle parent = w->parent;
    if (WindowObject* p = Find(parent); p && IsMdiClient(*p))
        MdiChildGone(parent, handle);
    RemoveFrom(SiblingList(*w), handle);
    if (sys.active == handle)
        ActivateNextTopLevel(handle);
    if (w->surfaceId)
        Host().DestroySurface(w->surfaceId);
    ForgetWindow(handle);
    sys.windows.erase(handle);
    if (parent)
        MarkDirty(parent);
    return true;
}

bool IsWindow(WindowHandle window)
{
    return Find(window) != nullptr;
}

std::string GetClassName(WindowHandle window)
{
    const WindowObject* w = Find(window);
    return w ? w->windowClass.name : std::string();
}

uint32_t GetWindowStyle(WindowHandle window)
{
    const WindowObject* w = Find(window);
    if (!w)
        return 0;
    uint32_t s = w->style;
    if (w->show == ShowState::Maximized)
        s |= style::Maximize;
    if (w->show == ShowState::Minimized)
        s |= style::Minimize;
    return s;
}

void SetWindowStyle(WindowHandle window, uint32_t value)
{
    if (WindowObject* w = Find(window)) {
        const bool visible = (w->style & style::Visible) != 0;
        const uint32_t sizing = w->style & style::ThickFrame;
        w->style = (value & ~(style::Visible | style::Maximize | style::Minimize)) | (visible ? style::Visible : 0);
        // The desktop sizes a top-level window only while it has its border.
        if (w->surfaceId && sizing != (w->style & style::ThickFrame))
            Host().SetSurfaceResizable(w->surfaceId, (w->style & style::ThickFrame) != 0);
        DrawNonClient(*w);
        MarkDirty(window);
    }
}

uint32_t GetWindowExStyle(WindowHandle window)
{
    return FieldOf(window, &WindowObject::exStyle);
}

uint16_t GetChildId(WindowHandle window)
{
    return FieldOf(window, &WindowObject::childId);
}

intptr_t GetWindowData(WindowHandle window)
{
    return FieldOf(window, &WindowObject::data);
}

void SetWindowData(WindowHandle window, intptr_t data)
{
    if (WindowObject* w = Find(window))
        w->data = data;
}

std::string GetWindowText(WindowHandle window)
{
    return FieldOf(window, &WindowObject::title);
}

void SetWindowIcon(WindowHandle window, const PixelBuffer& icon)
{
    const WindowObject* w = Find(window);
    if (w && w->surfaceId)
        Host().SetSurfaceIcon(w->surfaceId, icon);
}

void SetWindowText(WindowHandle window, const std::string& text)
{
    WindowObject* w = Find(window);
    if (!w || w->title == text)
        return;
    w->title = text;
    if (w->surfaceId)
        Host().SetSurfaceTitle(w->surfaceId, text);
    DrawNonClient(*w);
    MarkDirty(window);
}

WindowHandle GetParent(WindowHandle window)
{
    return FieldOf(window, &WindowObject::parent);
}

WindowHandle GetOwner(WindowHandle window)
{
    return FieldOf(window, &WindowObject::owner);
}

WindowHandle GetTopLevel(WindowHandle window)
{
    const WindowObject* w = Find(window);
    while (w && w->parent)
        w = Find(w->parent);
    return w ? w->handle : 0;
}

void SetParent(WindowHandle window, WindowHandle parent)
{
    WindowObject* w = Find(window);
    WindowObject* p = Find(parent);
    if (!w || w->parent == parent || window == parent || IsChildOf(parent, window))
        return;
    const bool wasVisible = IsWindowVisible(window);
    MarkDirty(window);
    if (wasVisible)
        ExposeParentArea(*w, w->rect);
    RemoveFrom(SiblingList(*w), window);
    if (w->surfaceId) {
        Host().DestroySurface(w->surfaceId);
        w->surfaceId = 0;
    }
    if (p) {
        w->parent = parent;
        w->owner = 0;
        w->style = (w->style & ~style::Popup) | style::Child;
        p->children.push_back(window);
    } else {
        w->parent = 0;
        w->style &= ~style::Child;
        System().topLevels.push_back(window);
        w->surfaceId = Host().CreateSurface(SurfaceParamsOf(*w));
        if (wasVisible)
            Host().ShowSurface(w->surfaceId, true);
        OrderTopLevels();
    }
    ResizeSurface(*w);
    ExposeTree(*w);
    MarkDirty(window);
}

int CountChildren(WindowHandle window)
{
    const WindowObject* w = Find(window);
    return w ? static_cast<int>(w->children.size()) : 0;
}

WindowHandle GetChild(WindowHandle window, int index)
{
    const WindowObject* w = Find(window);
    if (!w || index < 0 || index >= static_cast<int>(w->children.size()))
        return 0;
    return w->children[static_cast<size_t>(index)];
}

int CountTopLevelWindows()
{
    return static_cast<int>(System().topLevels.size());
}

WindowHandle GetTopLevelWindow(int index)
{
    const auto& list = System().topLevels;
    return index >= 0 && index < static_cast<int>(list.size()) ? list[static_cast<size_t>(index)] : 0;
}

bool IsChildOf(WindowHandle window, WindowHandle ancestor)
{
    const WindowObject* w = Find(window);
    while (w && w->parent) {
        if (w->parent == ancestor)
            return true;
        w = Find(w->parent);
    }
    return false;
}

Rect GetWindowRectInParent(WindowHandle window)
{
    const WindowObject* w = Find(window);
    return w ? w->rect : Rect{};
}

Rect GetWindowRect(WindowHandle window)
{
    const WindowObject* w = Find(window);
    if (!w)
        return {};
    const Point o = WindowOrigin(*w);
    return Rect::FromSize(o.x, o.y, w->rect.Width(), w->rect.Height());
}

Rect GetClientRect(WindowHandle window)
{
    const WindowObject* w = Find(window);
    if (!w)
        return {};
    const Rect c = ClientArea(*w);
    return Rect::FromSize(0, 0, c.Width(), c.Height());
}

Rect GetClientArea(WindowHandle window)
{
    const WindowObject* w = Find(window);
    return w ? ClientArea(*w) : Rect{};
}

Point ClientToScreen(WindowHandle window, Point p)
{
    const WindowObject* w = Find(window);
    if (!w)
        return p;
    const Point o = WindowOrigin(*w);
    const Rect c = ClientArea(*w);
    return {p.x + o.x + c.left, p.y + o.y + c.top};
}

Point ScreenToClient(WindowHandle window, Point p)
{
    const Point zero = ClientToScreen(window, {0, 0});
    return {p.x - zero.x, p.y - zero.y};
}

namespace {

// Moves and sizes the window; the desktop is told unless it made the change.
void PlaceWindow(WindowHandle window, const Rect& rect, bool repaint, bool byDesktop)
{
    WindowObject* w = Find(window);
    if (!w)
        return;
    const Rect old = w->rect;
    if (old == rect)
        return;
    const bool sized = old.Width() != rect.Width() || old.Height() != rect.Height();
    w->rect = rect;
    if (sized) {
        ResizeSurface(*w);
        w->update.SetEmpty();
        InvalidateRect(window, nullptr, true);
    }
    if (w->surfaceId) {
        if (!byDesktop)
            Host().MoveSurface(w->surfaceId, rect);
        if (sized)
            ExposeTree(*w); // new pixels for the whole tree
    } else if (ShownInTop(*w)) {
        // The tree shares its pixels: where the window stood shows what lies
        // under it again (repaint or not), and it paints where it stands.
        (void)repaint;
        ExposeParentArea(*w, old);
        ExposeTree(*w);
    }
    MarkDirty(window);
    if (old.left != rect.left || old.top != rect.top)
        SendMessage(window, msg::Move, 0, MakeLParam(rect.left, rect.top));
    if (sized && Find(window))
        SendSize(*Find(window));
}

// The desktop may size the window as the program's own sizing does, and no
// further.
void TellSizeLimits(const WindowObject& w)
{
    if (!(w.style & style::ThickFrame))
        return;
    MinMaxInfo limits;
    SendMessage(w.handle, msg::GetMinMaxInfo, 0, reinterpret_cast<LParam>(&limits));
    if (const WindowObject* still = Find(w.handle); still && still->surfaceId)
        Host().SetSurfaceSizeLimits(still->surfaceId, limits.minTrackSize, limits.maxTrackSize);
}

// Asks the desktop to take the top-level window to the state; false when the
// layer must show the state itself.
bool DesktopTakesShowState(const WindowObject& w, ShowState state)
{
    if (!w.surfaceId)
        return false;
    const SurfaceShow show = state == ShowState::Minimized ? SurfaceShow::Minimized
        : state == ShowState::Maximized                    ? SurfaceShow::Maximized
                                                           : SurfaceShow::Normal;
    return Host().SetSurfaceShow(w.surfaceId, show);
}

} // namespace

void RefreshSizeLimits(WindowHandle window)
{
    if (const WindowObject* w = Find(window); w && w->surfaceId && IsWindowVisible(window))
        TellSizeLimits(*w);
}

void MoveWindow(WindowHandle window, const Rect& rect, bool repaint)
{
    PlaceWindow(window, rect, repaint, false);
}

namespace detail {

void PlacedByDesktop(WindowHandle window, const Rect& rect)
{
    PlaceWindow(window, rect, true, true);
}

void ShowStateSetByDesktop(WindowHandle window, ShowState state)
{
    WindowObject* w = Find(window);
    if (!w || w->show == state)
        return;
    if (w->show == ShowState::Normal)
        w->restoreRect = w->rect;
    w->show = state;
    DrawNonClient(*w);
    MarkDirty(window);
    // The size itself follows as the desktop places the window.
    SendSize(*w);
}

} // namespace detail

void ShowWindow(WindowHandle window, ShowCommand command)
{
    WindowObject* w = Find(window);
    if (!w)
        return;
    auto setVisible = [&](bool visible) {
        const bool was = (w->style & style::Visible) != 0;
        if (was == visible)
            return;
        if (visible)
            w->style |= style::Visible;
        else
            w->style &= ~style::Visible;
        if (!visible)
            ReleaseCaptureHeldBy(window);
        SendMessage(window, msg::ShowWindow, visible ? 1 : 0, 0);
        w = Find(window);
        if (!w)
            return;
        if (w->surfaceId && visible) {
            TellSizeLimits(*w);
            w = Find(window);
            if (!w)
                return;
        }
        if (w->surfaceId)
            Host().ShowSurface(w->surfaceId, visible);
        if (visible && w->parent)
            ExposeTree(*w); // the parent drew over all of it while it was hidden
        else if (visible)
            InvalidateRect(window, nullptr, true);
        else if (w->parent)
            ExposeParentArea(*w, w->rect);
        MarkDirty(window);
        if (WindowObject* p = Find(w->parent); p && IsMdiClient(*p) && visible)
            MdiChildShown(w->parent, window);
    };
    auto setShowState = [&](ShowState state, const Rect& rect) {
        if (w->show == state)
            return;
        if (w->show == ShowState::Normal)
            w->restoreRect = w->rect;
        const ShowState before = w->show;
        w->show = state;
        DrawNonClient(*w);
        const Rect old = w->rect;
        if (!w->parent && DesktopTakesShowState(*w, state)) {
            // The desktop iconifies in place. For the other states the layer
            // lays out at once at the expected place; the desktop's own
            // placement follows.
            if (state == ShowState::Minimized || before == ShowState::Minimized) {
                SendSize(*w);
                return;
            }
            PlaceWindow(window, rect, true, true);
            w = Find(window);
            if (w && old == rect)
                SendSize(*w);
            return;
        }
        MoveWindow(window, rect, true);
        w = Find(window);
        if (w && old == rect)
            SendSize(*w);
        w = Find(window);
    };
    switch (command) {
    case ShowCommand::Hide:
        setVisible(false);
        if (w && !w->parent && System().active == window)
            ActivateNextTopLevel(window);
        break;
    case ShowCommand::Show:
    case ShowCommand::ShowNoActivate:
        setVisible(true);
        if (w && !w->parent && command == ShowCommand::Show)
            SetActiveWindow(window);
        break;
    case ShowCommand::Minimize: {
        // A minimised window keeps a small caption at the bottom left.
        const int height = GetSystemMetric(Metric::CaptionHeight) + 2 * BorderWidth(*w);
        Rect area = w->parent ? GetClientRect(w->parent) : Host().DesktopRect();
        setShowState(ShowState::Minimized, Rect::FromSize(area.left, area.bottom - height, 160, height));
        if (w)
            setVisible(true);
        break;
    }
    case ShowCommand::Maximize: {
        const Rect area = w->parent ? GetClientRect(w->parent) : Host().DesktopRect();
        setShowState(ShowState::Maximized, area);
        if (w)
            setVisible(true);
        break;
    }
    case ShowCommand::Restore:
        setShowState(ShowState::Normal, w->show == ShowState::Normal ? w->rect : w->restoreRect);
        if (w)
            setVisible(true);
        break;
    }
}

void SetWindowModal(WindowHandle window, bool modal)
{
    WindowObject* w = Find(window);
    if (!w || w->modal == modal)
        return;
    w->modal = modal;
    if (w->surfaceId)
        Host().SetSurfaceModal(w->surfaceId, modal);
}

bool IsWindowVisible(WindowHandle window)
{
    const WindowObject* w = Find(window);
    if (!w)
        return false;
    for (; w; w = Find(w->parent))
        if (!(w->style & style::Visible))
            return false;
    return true;
}

bool IsMinimized(WindowHandle window)
{
    const WindowObject* w = Find(window);
    return w && w->show == ShowState::Minimized;
}

bool IsMaximized(WindowHandle window)
{
    const WindowObject* w = Find(window);
    return w && w->show == ShowState::Maximized;
}

void BringWindowToTop(WindowHandle window)
{
    WindowObject* w = Find(window);
    if (!w)
        return;
    if (w->parent) {
        auto& list = SiblingList(*w);
        const bool raised = list.empty() || list.back() != window;
        RemoveFrom(list, window);
        list.push_back(window);
        if (raised)
            ExposeTree(*w); // what the siblings covered shows now
        MarkDirty(window);
        if (WindowObject* p = Find(w->parent); p && IsMdiClient(*p))
            SendMessage(w->parent, msg::MdiActivate, window, 0);
        return;
    }
    OrderTopLevels(window);
    SetActiveWindow(window);
}

void SetTopMost(WindowHandle window, bool topMost)
{
    WindowObject* w = Find(window);
    if (!w || w->parent)
        return;
    if (topMost)
        w->exStyle |= exstyle::TopMost;
    else
        w->exStyle &= ~exstyle::TopMost;
    if (w->surfaceId)
        Host().SetSurfaceTopMost(w->surfaceId, topMost);
    OrderTopLevels();
}

WindowHandle GetActiveWindow()
{
    return System().active;
}

WindowHandle SetActiveWindow(WindowHandle window)
{
    auto& sys = System();
    const WindowHandle top = GetTopLevel(window);
    const WindowHandle old = sys.active;
    if (top == old || (top && !IsWindowEnabled(top)))
        return old;
    sys.active = top;
    if (top)
        OrderTopLevels(top);
    if (IsWindow(old)) {
        SendMessage(old, msg::NcActivate, 0, 0);
        SendMessage(old, msg::Activate, kActivateInactive, static_cast<LParam>(top));
    }
    if (top && sys.active == top) {
        SendMessage(top, msg::NcActivate, 1, 0);
        SendMessage(top, msg::Activate, kActivateActive, static_cast<LParam>(old));
    }
    return old;
}

WindowHandle GetFocus()
{
    return System().focus;
}

WindowHandle SetFocus(WindowHandle window)
{
    auto& sys = System();
    const WindowHandle old = sys.focus;
    if (window && !IsWindow(window))
        return old;
    if (window == old)
        return old;
    if (window && GetTopLevel(window) != sys.active) {
        SetActiveWindow(window);
        if (sys.focus == window)
            return old;
    }
    const WindowHandle previous = sys.focus;
    sys.focus = window;
    if (IsWindow(previous))
        SendMessage(previous, msg::KillFocus, window, 0);
    if (window && sys.focus == window)
        SendMessage(window, msg::SetFocus, previous, 0);
    return old;
}

void EnableWindow(WindowHandle window, bool enable)
{
    WindowObject* w = Find(window);
    if (!w || ((w->style & style::Disabled) == 0) == enable)
        return;
    if (enable)
        w->style &= ~style::Disabled;
    else
        w->style |= style::Disabled;
    if (!enable && (System().focus == window || IsChildOf(System().focus, window)))
        SetFocus(0);
    // A window that takes no input cannot keep the mouse: its release would
    // never arrive, and every press would go to it.
    if (!enable)
        ReleaseCaptureHeldBy(window);
    SendMessage(window, msg::Enable, enable ? 1 : 0, 0);
}

bool IsWindowEnabled(WindowHandle window)
{
    const WindowObject* w = Find(window);
    return w && !(w->style & style::Disabled);
}

WindowHandle SetCapture(WindowHandle window)
{
    auto& sys = System();
    const WindowHandle old = sys.capture;
    if (!IsWindow(window) || window == old)
        return old;
    sys.capture = window;
    if (IsWindow(old))
        SendMessage(old, msg::CaptureChanged, 0, static_cast<LParam>(window));
    return old;
}

bool ReleaseCapture()
{
    auto& sys = System();
    const WindowHandle old = sys.capture;
    sys.capture = 0;
    if (IsWindow(old))
        SendMessage(old, msg::CaptureChanged, 0, 0);
    return true;
}

WindowHandle GetCapture()
{
    return System().capture;
}

namespace {

WindowHandle DeepestAt(const WindowObject& w, Point inWindow)
{
    const Rect c = ClientArea(w);
    if (!c.Contains(inWindow))
        return w.handle;
    const Point inClient{inWindow.x - c.left, inWindow.y - c.top};
    for (auto it = w.children.rbegin(); it != w.children.rend(); ++it) {
        const WindowObject* child = Find(*it);
        if (child && (child->style & style::Visible) && child->rect.Contains(inClient))
            return DeepestAt(*child, {inClient.x - child->rect.left, inClient.y - child->rect.top});
    }
    return w.handle;
}

} // namespace

WindowHandle WindowFromPoint(Point screen)
{
    const auto& list = System().topLevels;
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        const WindowObject* w = Find(*it);
        if (w && (w->style & style::Visible) && w->rect.Contains(screen))
            return DeepestAt(*w, {screen.x - w->rect.left, screen.y - w->rect.top});
    }
    return 0;
}

void SetWindowContextHelpId(WindowHandle window, uint32_t helpId)
{
    if (WindowObject* w = Find(window))
        w->helpId = helpId;
}

uint32_t GetWindowContextHelpId(WindowHandle window)
{
    const WindowObject* w = Find(window);
    return w ? w->helpId : 0;
}

void DragAcceptFiles(WindowHandle window, bool accept)
{
    if (WindowObject* w = Find(window))
        w->acceptFiles = accept;
}

int DragQueryFileCount(WParam drop)
{
    auto& drops = System().drops;
    auto it = drops.find(drop);
    return it == drops.end() ? 0 : static_cast<int>(it->second.size());
}

std::string DragQueryFile(WParam drop, int index)
{
    auto& drops = System().drops;
    auto it = drops.find(drop);
    if (it == drops.end() || index < 0 || index >= static_cast<int>(it->second.size()))
        return {};
    return it->second[static_cast<size_t>(index)];
}

void ResetWindowSystem()
{
    auto& sys = System();
    while (!sys.topLevels.empty())
        if (!DestroyWindow(sys.topLevels.back()))
            sys.topLevels.pop_back();
    // Handles stay unique across resets, so a stale one never finds a window.
    const WindowHandle next = sys.nextHandle;
    sys = WindowSystem();
    sys.nextHandle = next;
    ResetInputState();
}

} // namespace platform
