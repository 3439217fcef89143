#include "framework/windows/ABCWindow.h"
#include "framework/application/Application.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"

#include <algorithm>
#include <vector>

namespace NSHarrowen {

namespace {

std::vector<CABCWindow*>& Windows()
{
    static std::vector<CABCWindow*> windows;
    return windows;
}

int handlerDepth = 0;

} // namespace

void RegisterWindow(CABCWindow* window)
{
    Windows().push_back(window);
}

void UnregisterWindow(CABCWindow* window)
{
    auto& list = Windows();
    list.erase(std::remove(list.begin(), list.end(), window), list.end());
}

CABCWindow* GetWindowFromHandle(platform::WindowHandle handle)
{
    if (!handle)
        return nullptr;
    for (CABCWindow* w : Windows())
        if (w->GetHandle() == handle)
            return w;
    return nullptr;
}

int CountWindows()
{
    return static_cast<int>(Windows().size());
}

CABCWindow* GetWindowAt(int index)
{
    const auto& list = Windows();
    return index >= 0 && index < static_cast<int>(list.size()) ? list[static_cast<size_t>(index)] : nullptr;
}

int GetWindowListIndex(const CABCWindow* window)
{
    const auto& list = Windows();
    const auto it = std::find(list.begin(), list.end(), window);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

CABCWindow* GetActiveDocumentWindow()
{
    const CApplication* app = GetApplication();
    if (!app || !app->GetMDIClientHandle())
        return nullptr;
    const auto active = static_cast<platform::WindowHandle>(
        platform::SendMessage(app->GetMDIClientHandle(), platform::msg::MdiGetActive, 0, 0));
    CABCWindow* window = GetWindowFromHandle(active);
    return window && window->IsVisible() && !window->IsMarkedForDeletion() ? window : nullptr;
}

CABCWindow* GetActiveWindow()
{
    const platform::WindowHandle active = platform::GetActiveWindow();
    // A closed window waiting for its deletion is no longer active.
    if (CABCWindow* window = GetWindowFromHandle(active))
        return window->IsMarkedForDeletion() ? GetActiveDocumentWindow() : window;
    const CApplication* app = GetApplication();
    if (app && active && active == app->GetFrameHandle())
        return GetActiveDocumentWindow();
    return nullptr;
}

CHandlerScope::CHandlerScope()
{
    ++handlerDepth;
}

CHandlerScope::~CHandlerScope()
{
    --handlerDepth;
}

int GetHandlerDepth()
{
    return handlerDepth;
}

void DeleteMarkedWindows()
{
    if (handlerDepth > 0) {
        // Out of sight now, deleted by the outermost loop.
        for (CABCWindow* w : Windows())
            if (w->IsMarkedForDeletion() && w->GetHandle() && platform::IsWindowVisible(w->GetHandle()))
                platform::ShowWindow(w->GetHandle(), platform::ShowCommand::Hide);
        return;
    }
    // The latest first: a box goes before the window it belongs to, whose
    // data it may show.
    for (;;) {
        const auto& list = Windows();
        const auto it =
            std::find_if(list.rbegin(), list.rend(), [](CABCWindow* w) { return w->IsMarkedForDeletion(); });
        if (it == list.rend())
            return;
        delete *it;
    }
}

void UpdateAllWindows()
{
    const CHandlerScope running;
    const std::vector<CABCWindow*> windows = Windows();
    auto alive = [](CABCWindow* w) { return GetWindowListIndex(w) >= 0; };
    for (CABCWindow* w : windows)
        if (alive(w))
            w->ReceiveNotifications();
    for (CABCWindow* w : windows)
        if (alive(w))
            w->UpdateState();
    for (CABCWindow* w : windows)
        if (alive(w))
            w->UpdateDisplay();
}

} // namespace NSHarrowen
