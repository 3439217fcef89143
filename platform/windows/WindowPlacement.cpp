#include "platform/windows/WindowPlacement.h"

#include "platform/windows/Window.h"
#include "platform/windows/detail/WindowSystem.h"

namespace platform {

bool GetWindowPlacement(WindowHandle window, WindowPlacement& placement)
{
    const detail::WindowObject* w = detail::Find(window);
    if (!w)
        return false;
    switch (w->show) {
    case detail::ShowState::Minimized:
        placement.state = WindowPlacement::State::Minimized;
        break;
    case detail::ShowState::Maximized:
        placement.state = WindowPlacement::State::Maximized;
        break;
    default:
        placement.state = WindowPlacement::State::Normal;
        break;
    }
    placement.normal = w->show == detail::ShowState::Normal ? w->rect : w->restoreRect;
    return true;
}

bool SetWindowPlacement(WindowHandle window, const WindowPlacement& placement)
{
    if (!IsWindow(window))
        return false;
    if (IsMinimized(window) || IsMaximized(window))
        ShowWindow(window, ShowCommand::Restore);
    MoveWindow(window, placement.normal, true);
    switch (placement.state) {
    case WindowPlacement::State::Minimized:
        ShowWindow(window, ShowCommand::Minimize);
        break;
    case WindowPlacement::State::Maximized:
        ShowWindow(window, ShowCommand::Maximize);
        break;
    default:
        ShowWindow(window, ShowCommand::Show);
        break;
    }
    return true;
}

} // namespace platform
