#include "platform/windows/Mdi.h"

#include "platform/windows/MessageQueue.h"
#include "platform/host/SystemMetrics.h"
#include "platform/windows/WindowPaint.h"
#include "platform/windows/detail/WindowSystem.h"

#include <algorithm>
#include <map>

namespace platform {

using namespace detail;

namespace {

std::map<WindowHandle, WindowHandle>& ActiveChildren()
{
    static std::map<WindowHandle, WindowHandle> active;
    return active;
}

WindowHandle ActiveChild(WindowHandle client)
{
    auto& map = ActiveChildren();
    auto it = map.find(client);
    if (it == map.end() || !IsWindow(it->second) || GetParent(it->second) != client)
        return 0;
    return it->second;
}

std::vector<WindowHandle> ArrangeableChildren(WindowHandle client)
{
    std::vector<WindowHandle> out;
    const WindowObject* c = Find(client);
    if (!c)
        return out;
    for (WindowHandle h : c->children)
        if (IsWindowVisible(h) && !IsMinimized(h))
            out.push_back(h);
    return out;
}

void Activate(WindowHandle client, WindowHandle child)
{
    const WindowHandle old = ActiveChild(client);
    WindowObject* c = Find(client);
    if (!c)
        return;
    if (child) {
        auto& list = c->children;
        const bool raised = list.empty() || list.back() != child;
        list.erase(std::remove(list.begin(), list.end(), child), list.end());
        list.push_back(child);
        if (WindowObject* w = Find(child); w && raised)
            ExposeTree(*w); // what the other documents covered shows now
        MarkDirty(client);
    }
    if (child == old)
        return;
    ActiveChildren()[client] = child;
    const bool maximized = old && IsMaximized(old);
    if (old) {
        SendMessage(old, msg::NcActivate, 0, 0);
        SendMessage(old, msg::MdiActivate, old, static_cast<LParam>(child));
    }
    if (child) {
        SendMessage(child, msg::NcActivate, 1, 0);
        SendMessage(child, msg::MdiActivate, old, static_cast<LParam>(child));
        if (maximized && IsWindow(old)) {
            ShowWindow(old, ShowCommand::Restore);
            if (GetWindowStyle(child) & style::MaximizeBox)
                ShowWindow(child, ShowCommand::Maximize);
        }
        if (GetActiveWindow() == GetTopLevel(client) && IsWindow(child))
            SetFocus(child);
    }
}

WindowHandle NextChild(WindowHandle client, WindowHandle from, bool previous)
{
    const WindowObject* c = Find(client);
    if (!c)
        return 0;
    std::vector<WindowHandle> order;
    for (WindowHandle h : c->children)
        if (IsWindowVisible(h))
            order.push_back(h);
    if (order.empty())
        return 0;
    // The list runs bottom to top; the active window is at the top.
    auto it = std::find(order.begin(), order.end(), from ? from : ActiveChild(client));
    if (it == order.end())
        return order.back();
    if (previous)
        return order.front() == *it ? order.back() : order.front();
    return it == order.begin() ? order.back() : *(it - 1);
}

void Cascade(WindowHandle client)
{
    const std::vector<WindowHandle> children = ArrangeableChildren(client);
    const Rect area = GetClientRect(client);
    const int step = GetSystemMetric(Metric::CaptionHeight) + GetSystemMetric(Metric::SizingFrameY);
    const int width = std::max(160, area.Width() * 3 / 4);
    const int height = std::max(100, area.Height() * 3 / 4);
    int i = 0;
    for (WindowHandle h : children) {
        if (IsMaximized(h))
            ShowWindow(h, ShowCommand::Restore);
        const int offset = (i++ % 8) * step;
        MoveWindow(h, Rect::FromSize(offset, offset, width, height), true);
    }
}

void Tile(WindowHandle client, bool horizontal)
{
    const std::vector<WindowHandle> children = ArrangeableChildren(client);
    if (children.empty())
        return;
    const Rect area = GetClientRect(client);
    const int n = static_cast<int>(children.size());
    int columns = 1;
    while (columns * columns < n)
        ++columns;
    int rows = (n + columns - 1) / columns;
    if (horizontal)
        std::swap(columns, rows);
    for (int i = 0; i < n; ++i) {
        const WindowHandle h = children[static_cast<size_t>(i)];
        if (IsMaximized(h))
            ShowWindow(h, ShowCommand::Restore);
        const int col = horizontal ? i / rows : i % columns;
        const int row = horizontal ? i % rows : i / columns;
        const int left = area.Width() * col / columns;
        const int right = area.Width() * (col + 1) / columns;
        const int top = area.Height() * row / rows;
        const int bottom = area.Height() * (row + 1) / rows;
        MoveWindow(h, {left, top, right, bottom}, true);
    }
}

LResult MdiClientProc(WindowHandle client, uint32_t message, WParam wParam, LParam lParam)
{
    const auto child = static_cast<WindowHandle>(wParam);
    switch (message) {
    case msg::MdiActivate:
        if (GetParent(child) == client)
            Activate(client, child);
        return 0;
    case msg::MdiDestroy:
        if (GetParent(child) == client)
            DestroyWindow(child);
        return 0;
    case msg::MdiGetActive:
        return static_cast<LResult>(ActiveChild(client));
    case msg::MdiMaximize:
        if (GetParent(child) == client) {
            Activate(client, child);
            ShowWindow(child, ShowCommand::Maximize);
        }
        return 0;
    case msg::MdiRestore:
        if (GetParent(child) == client)
            ShowWindow(child, ShowCommand::Restore);
        return 0;
    case msg::MdiNext:
        if (const WindowHandle next = NextChild(client, child, lParam != 0))
            Activate(client, next);
        return 0;
    case msg::MdiCascade:
        Cascade(client);
        return 1;
    case msg::MdiTile:
        Tile(client, (wParam & kTileHorizontal) != 0);
        return 1;
    case msg::Size:
        for (WindowHandle h : ArrangeableChildren(client))
            if (IsMaximized(h))
                MoveWindow(h, GetClientRect(client), true);
        return 0;
    case msg::SetFocus:
        if (const WindowHandle active = ActiveChild(client))
            SetFocus(active);
        return 0;
    case msg::Destroy:
        ActiveChildren().erase(client);
        return 0;
    default:
        return DefWindowProc(client, message, wParam, lParam);
    }
}

} // namespace

namespace detail {

bool IsMdiClient(const WindowObject& w)
{
    return w.windowClass.name == kMdiClientClass;
}

bool IsMdiChild(const WindowObject& w)
{
    const WindowObject* parent = Find(w.parent);
    return parent && IsMdiClient(*parent);
}

void MdiChildGone(WindowHandle client, WindowHandle child)
{
    if (ActiveChild(client) != child)
        return;
    ActiveChildren()[client] = 0;
    WindowHandle next = 0;
    if (const WindowObject* c = Find(client))
        for (auto it = c->children.rbegin(); it != c->children.rend(); ++it)
            if (*it != child && IsWindowVisible(*it)) {
                next = *it;
                break;
            }
    if (next)
        Activate(client, next);
}

void MdiChildShown(WindowHandle client, WindowHandle child)
{
    Activate(client, child);
}

void RegisterBuiltInClasses()
{
    auto& classes = System().classes;
    if (!classes.count(kMdiClientClass))
        classes[kMdiClientClass] = WindowClass{kMdiClientClass, 0, MdiClientProc, ClassBackground::AppWorkspace};
}

} // namespace detail

LResult DefFrameProc(WindowHandle frame, WindowHandle client, uint32_t message, WParam wParam, LParam lParam)
{
    switch (message) {
    case msg::Size:
        return 0; // the frame lays its client out itself
    case msg::SetFocus:
        if (IsWindow(client)) {
            SetFocus(client);
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProc(frame, message, wParam, lParam);
}

LResult DefMdiChildProc(WindowHandle child, uint32_t message, WParam wParam, LParam lParam)
{
    switch (message) {
    case msg::Close:
        SendMessage(GetParent(child), msg::MdiDestroy, child, 0);
        return 0;
    default:
        return DefWindowProc(child, message, wParam, lParam);
    }
}

} // namespace platform
