#include "framework/windows/ABCWindow.h"
#include "framework/application/Application.h"
#include "framework/menus/Menu.h"
#include "framework/menus/MenuBar.h"
#include "framework/views/View.h"
#include "platform/input/InputState.h"
#include "platform/input/Keys.h"
#include "platform/menus/MenuWindows.h"
#include "platform/windows/MessageQueue.h"

namespace NSHarrowen {

namespace {

constexpr uint32_t kKeyF6 = kKeyF1 + 5;

bool TakesPartInCycle(const CABCWindow* w)
{
    return w->IsVisible() && !w->IsToolWindow() && w->IsListedInWindowMenu() && !w->IsMarkedForDeletion() &&
        w->IsDocumentWindow();
}

} // namespace

void CApplication::HandleMenuSelect(CMenu*, uint32_t command)
{
    ActivateWindowFromMenu(command);
}

void CApplication::HandleMenuItemNumber(uint16_t number)
{
    CMenuBar* bar = GetMenuBar();
    CMenu* menu = nullptr;
    int index = 0;
    if (bar && bar->FindItemByNumber(number, menu, index)) {
        // The command's views and windows see the menus as they stand first.
        const uint32_t command = menu->GetItemCommand(index);
        RouteMenuUpdate();
        RouteMenuCommand(menu, command);
    }
}

void CApplication::PrepareMenus()
{
    CMenuBar* bar = GetMenuBar();
    if (!bar)
        return;
    bar->PrepareMenus();
    RouteMenuUpdate();
    bar->AssignItemNumbers();
}

void CApplication::RouteMenuUpdate()
{
    CMenuBar* bar = GetMenuBar();
    if (CABCWindow* active = GetActiveWindow()) {
        if (CView* focus = active->GetFocusView())
            focus->UpdateMenu(bar);
        else
            active->UpdateMenus(bar);
        return;
    }
    UpdateMenus(bar);
}

void CApplication::RouteMenuCommand(CMenu* menu, uint32_t command)
{
    if (CABCWindow* active = GetActiveWindow()) {
        if (CView* focus = active->GetFocusView(); focus && focus->IsEnabledInHierarchy())
            focus->DoMenuCommand(command, menu ? menu->GetNativeMenu() : 0);
        else
            active->HandleMenuSelect(menu, command);
        return;
    }
    HandleMenuSelect(menu, command);
}

void CApplication::RouteKeyEvent(const CKeyEvent& event)
{
    if (CView* tracking = GetMouseTrackingView()) {
        tracking->ForwardKey(event);
        return;
    }
    CABCWindow* active = GetActiveWindow();
    if (active) {
        if (CView* focus = active->GetFocusView()) {
            focus->ForwardKey(event);
            return;
        }
        active->DoCommand(event);
        return;
    }
    DoCommand(event);
}

void CApplication::HandleShortcuts(const platform::Message& message)
{
    if (message.message != platform::msg::KeyDown || message.wParam == platform::kVKControl)
        return;
    CMenuBar* bar = GetMenuBar();
    if (!bar)
        return;
    platform::KeyMessage key;
    key.virtualKey = static_cast<uint32_t>(message.wParam);
    key.extended = (static_cast<uint32_t>(message.lParam) & (1u << 24)) != 0;
    key.modifiers = platform::CurrentModifiers();
    const CKeyEvent event = CKeyEvent::FromMessage(key);
    const bool ctrl = event.modifiers.IsControlOrCommandDown();
    if (ctrl && (event.code == kKeyTab || event.code == kKeyF6)) {
        CycleDocumentWindows(event.modifiers.IsShiftOrExtendDown());
        return;
    }
    // While a modal run has the frame disabled, its menus do not answer.
    if (modalDisableCount_ > 0)
        return;
    // Alt and a title's letter open that menu of the bar.
    if (!ctrl && event.modifiers.IsAltDown()) {
        if (const uint16_t letter = KeyCharacter(event); letter != 0 && menuBarWindow_)
            platform::OpenMenuBarMenuByMnemonic(menuBarWindow_, static_cast<char>(letter));
        return;
    }
    if (!ctrl || event.modifiers.IsAltDown())
        return;
    bar->PrepareMenus();
    RouteMenuUpdate();
    if (const uint32_t command = bar->FindAccelerator(event)) {
        CMenu* menu = nullptr;
        int index = 0;
        bar->FindCommand(command, menu, index);
        RouteMenuCommand(menu, command);
    }
}

void CApplication::CycleDocumentWindows(bool backwards)
{
    std::vector<CABCWindow*> cycle;
    for (int i = 0; i < CountWindows(); ++i)
        if (CABCWindow* w = GetWindowAt(i); TakesPartInCycle(w))
            cycle.push_back(w);
    if (cycle.empty() || !mdiClient_)
        return;
    const CABCWindow* active = GetActiveDocumentWindow();
    const auto n = static_cast<int>(cycle.size());
    int at = 0;
    for (int i = 0; i < n; ++i)
        if (cycle[static_cast<size_t>(i)] == active)
            at = i;
    const int next = active ? (at + (backwards ? n - 1 : 1)) % n : 0;
    platform::SendMessage(mdiClient_, platform::msg::MdiActivate, cycle[static_cast<size_t>(next)]->GetHandle(), 0);
}

} // namespace NSHarrowen
