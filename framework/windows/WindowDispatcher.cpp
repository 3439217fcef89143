#include "framework/windows/ABCWindow.h"
#include "platform/base/DroppedExceptions.h"
#include "framework/windows/WindowIcon.h"
#include "framework/application/Help.h"
#include "framework/application/Application.h"
#include "framework/base/Exceptions.h"
#include "framework/controls/TooltipControl.h"
#include "platform/input/Keys.h"
#include "platform/windows/Mdi.h"
#include "platform/windows/MessageQueue.h"
#include "platform/host/SystemMetrics.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"

#include <functional>

namespace NSHarrowen {

namespace {

using platform::LParam;
using platform::LResult;
using platform::WindowHandle;
using platform::WParam;
namespace msg = platform::msg;

// Runs a handler; an exception it throws is dropped (and recorded) so that
// one failing view does not stop the message loop.
void Guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (...) {
        platform::RecordDroppedException("a window's message handler");
    }
}

bool SkippedWhileDeleting(uint32_t message)
{
    switch (message) {
    case msg::Close:
    case msg::SysColorChange:
    case msg::SetCursor:
    case msg::GetMinMaxInfo:
    case msg::Notify:
    case msg::Help:
    case msg::ContextMenu:
    case msg::NcHitTest:
    case msg::NcMouseMove:
    case msg::KeyDown:
    case msg::KeyUp:
    case msg::Char:
    case msg::Command:
    case msg::Timer:
    case msg::HScroll:
    case msg::VScroll:
    case msg::MouseMove:
    case msg::LButtonDown:
    case msg::LButtonDoubleClick:
    case msg::LButtonUp:
    case msg::RButtonDown:
    case msg::RButtonDoubleClick:
    case msg::QueryNewPalette:
        return true;
    default:
        return false;
    }
}

uint32_t ButtonUpFor(uint32_t down)
{
    switch (down) {
    case msg::LButtonDown:
    case msg::LButtonDoubleClick:
        return msg::LButtonUp;
    case msg::RButtonDown:
    case msg::RButtonDoubleClick:
        return msg::RButtonUp;
    case msg::MButtonDown:
    case msg::MButtonDoubleClick:
        return msg::MButtonUp;
    default:
        return 0;
    }
}

// Every mouse message goes to the tooltips of every visible window; a press
// is followed at once by its release, so that a tip never waits for one.
void RelayToTooltips(WindowHandle handle, uint32_t message, LParam lParam)
{
    if (message < msg::MouseFirst || message > msg::MButtonUp)
        return;
    const platform::Point screen = platform::ClientToScreen(handle, platform::PointFromLParam(lParam));
    const uint32_t time = platform::GetMessageTime();
    for (int i = 0; i < CountWindows(); ++i) {
        CABCWindow* window = GetWindowAt(i);
        CTooltipControl* tips = window->GetTooltips(false);
        if (!tips || !window->IsVisible())
            continue;
        const platform::Point p = platform::ScreenToClient(window->GetHandle(), screen);
        tips->RelayEvent(message, CPoint(p.x, p.y), time);
        if (const uint32_t up = ButtonUpFor(message))
            tips->RelayEvent(up, CPoint(p.x, p.y), time);
    }
}

platform::KeyMessage KeyMessageFrom(uint32_t message, WParam wParam, LParam lParam)
{
    platform::KeyMessage key;
    key.kind = message == msg::KeyDown ? platform::KeyMessage::kKeyDown
        : message == msg::KeyUp        ? platform::KeyMessage::kKeyUp
                                       : platform::KeyMessage::kCharacter;
    key.virtualKey = message == msg::Char ? 0 : static_cast<uint32_t>(wParam);
    key.character = message == msg::Char ? static_cast<char32_t>(wParam) : 0;
    key.repeat = message != msg::KeyUp && (static_cast<uint32_t>(lParam) & (1u << 30)) != 0;
    key.extended = (static_cast<uint32_t>(lParam) & (1u << 24)) != 0;
    key.modifiers = platform::CurrentModifiers();
    return key;
}

LResult NativeControlCallback(WindowHandle control, uint32_t message, WParam wParam, LParam lParam)
{
    CApplication* app = GetApplication();
    CNativeControlRecord* record = app && control ? app->FindNativeControl(control) : nullptr;
    if (!record || !record->callback)
        return 0;
    return record->callback(*record, message, wParam, lParam);
}

void MouseEvent(CABCWindow* window, uint32_t kind, LParam lParam)
{
    window->BringToFront();
    const platform::Point p = platform::PointFromLParam(lParam);
    const CEvent event(kind, CPoint(p.x, p.y), CModifierKeys::From(platform::CurrentModifiers()),
                       platform::GetMessageTime());
    Guarded([&] { window->HandleMouseEvent(event); });
}

LResult OnCreate(int kind, WindowHandle handle, LParam lParam)
{
    const auto* params = reinterpret_cast<const platform::CreateParams*>(lParam);
    if (params && params->createData)
        reinterpret_cast<CABCWindow*>(params->createData)->AttachHandle(handle);
    CApplication* app = GetApplication();
    const uint32_t interval = app ? app->GetIdleInterval() : 50;
    if (platform::SetTimer(handle, handle, interval) != handle)
        return -1;
    // The classes' icons: 2 for document windows, 1 for the others.
    ShowProgramIcon(handle, kind == kWindowDocument ? 2 : 1);
    if (kind == kWindowFrame) {
        if (app) {
            try {
                app->CreateMDIClient(handle);
            } catch (...) {
                return -1;
            }
        }
        platform::DragAcceptFiles(handle, true);
        return 0;
    }
    return DefaultWindowProc(kind, handle, msg::Create, 0, lParam);
}

LResult OnDestroy(int kind, WindowHandle handle, WParam wParam, LParam lParam)
{
    platform::KillTimer(handle, handle);
    if (kind == kWindowFrame) {
        if (CApplication* app = GetApplication())
            app->ForgetFrame();
        platform::DragAcceptFiles(handle, false);
        platform::PostQuitMessage(0);
        return 0;
    }
    if (kind == kWindowModal)
        return 0;
    return DefaultWindowProc(kind, handle, msg::Destroy, wParam, lParam);
}

LResult OnClose(int kind, CABCWindow* window, WindowHandle handle, WParam wParam, LParam lParam)
{
    CApplication* app = GetApplication();
    if (kind == kWindowFrame && app) {
        if (GetHandlerDepth() > 0 || app->IsStarting()) {
            // Windows cannot be closed under a running handler, nor while
            // the program starts (its start-up dialogs end on the request
            // still pending): the loop quits once it is back between messages.
            app->RequestQuit();
            return 1;
        }
        if (!app->ConfirmQuit())
            return 1;
        app->SetRunState(kRunStateLeaveLoop);
        return 0;
    }
    if (window && (kind == kWindowDocument || kind == kWindowModal)) {
        Guarded([&] { window->RequestClose(); });
        return 0;
    }
    return DefaultWindowProc(kind, handle, msg::Close, wParam, lParam);
}

LResult OnCommand(int kind, WindowHandle handle, WParam wParam, LParam lParam)
{
    const uint16_t id = platform::LowWordOf(wParam);
    if (id >= 0xF000)
        return DefaultWindowProc(kind, handle, msg::Command, wParam, lParam);
    CApplication* app = GetApplication();
    // Only menus and accelerators carry menu item numbers: a control whose id
    // happens to equal an item number must not fire that menu command.
    const uint16_t source = platform::HighWordOf(wParam);
    const bool fromMenu =
        lParam == 0 && (source == platform::kCommandFromMenu || source == platform::kCommandFromAccelerator);
    if (app && fromMenu && id != 0 && app->GetMenuBar())
        Guarded([&] { app->HandleMenuItemNumber(id); });
    if (lParam)
        return NativeControlCallback(static_cast<WindowHandle>(lParam), msg::Command, wParam, lParam);
    return 0;
}

void OnMinMaxInfo(CABCWindow* window, LParam lParam)
{
    auto* info = reinterpret_cast<platform::MinMaxInfo*>(lParam);
    if (!window || !info)
        return;
    CPoint minimum, maximum;
    window->GetSizeLimits(minimum, maximum);
    CRect small(0, 0, minimum.x, minimum.y);
    CRect large(0, 0, maximum.x, maximum.y);
    window->ContentToWindowRect(small);
    window->ContentToWindowRect(large);
    info->minTrackSize = {small.Width(), small.Height()};
    info->maxTrackSize = {static_cast<int>(maximum.x) + (large.Width() - maximum.x),
                          static_cast<int>(maximum.y) + (large.Height() - maximum.y)};
}

// Help for what the pointer is over, when the program has help. A guide
// that is missing or cannot be shown is told as the Help menu tells it.
void ContextHelp(CApplication& app, int kind, CABCWindow* window, const platform::HelpInfo* info)
{
    std::string file;
    if (!info || !app.GetHelpFilePath(file) || GetHelpFilePath().empty())
        return;
    if (info->kind == platform::HelpInfo::Kind::Menu) {
        if (info->contextId)
            app.ShowHelpTopic(info->contextId);
        else
            app.ShowHelpFinder();
        return;
    }
    if (kind == kWindowFrame) {
        app.ShowHelpFinder();
        return;
    }
    if (!window)
        return;
    // Over a native control its own topic as a pop-up, or nothing.
    if (info->item && info->item != window->GetHandle() && app.FindNativeControl(info->item)) {
        if (info->contextId)
            ShowHelpPopup(info->contextId);
        return;
    }
    if (const uint32_t topic = window->GetHelpContext())
        app.ShowHelpTopic(topic);
    else
        app.ShowHelpFinder();
}

bool FrameOrSelfMinimized(WindowHandle handle)
{
    const CApplication* app = GetApplication();
    return platform::IsMinimized(handle) || (app && platform::IsMinimized(app->GetFrameHandle()));
}

} // namespace

LResult DefaultWindowProc(int kind, WindowHandle handle, uint32_t message, WParam wParam, LParam lParam)
{
    switch (kind) {
    case kWindowFrame: {
        const CApplication* app = GetApplication();
        return platform::DefFrameProc(handle, app ? app->GetMDIClientHandle() : 0, message, wParam, lParam);
    }
    case kWindowDocument:
        return platform::DefMdiChildProc(handle, message, wParam, lParam);
    default:
        return platform::DefWindowProc(handle, message, wParam, lParam);
    }
}

LResult DispatchWindowMessage(int kind, WindowHandle handle, uint32_t message, WParam wParam, LParam lParam)
{
    RelayToTooltips(handle, message, lParam);
    CABCWindow* window = GetWindowFromHandle(handle);
    if (window && window->IsMarkedForDeletion() && SkippedWhileDeleting(message))
        return DefaultWindowProc(kind, handle, message, wParam, lParam);
    CApplication* app = GetApplication();

    switch (message) {
    case msg::Create:
        return OnCreate(kind, handle, lParam);
    case msg::Destroy:
        return OnDestroy(kind, handle, wParam, lParam);
    case msg::Size:
        if (kind == kWindowFrame) {
            if (app)
                app->LayoutFrame();
        } else if (window && !FrameOrSelfMinimized(handle)) {
            Guarded([&] { window->ClientSizeChanged(); });
        }
        break;
    case msg::DisplayChange:
        // Pictures are made for the screen's new depth from now on.
        if (kind == kWindowFrame && app)
            app->GetColorEnvironment().RefreshScreenFormat();
        break;
    case msg::Activate:
        if (window && platform::LowWordOf(wParam) != platform::kActivateInactive)
            platform::BringWindowToTop(handle);
        break;
    case msg::KillFocus:
        if (window)
            Guarded([&] {
                window->KeysGoingTo(static_cast<WindowHandle>(wParam));
                window->SetFocusView(nullptr);
            });
        break;
    case msg::SetFocus:
        if (window)
            Guarded([&] { window->KeysBackFrom(static_cast<WindowHandle>(wParam)); });
        break;
    case msg::Paint:
        if (window) {
            if (!window->IsMinimized())
                window->PaintWindow();
            else
                platform::ValidateRect(handle, nullptr);
            return 0;
        }
        break;
    case msg::Close:
        return OnClose(kind, window, handle, wParam, lParam);
    case msg::QueryEndSession:
        if (kind == kWindowFrame && app) {
            if (GetHandlerDepth() > 0 || app->IsStarting()) {
                app->RequestQuit();
                return 0;
            }
            if (!app->ConfirmQuit())
                return 0;
            app->SetRunState(kRunStateLeaveLoop);
            return 1;
        }
        break;
    case msg::EraseBackground:
        if (window)
            return 1;
        break;
    case msg::ActivateApp:
        if (kind == kWindowFrame && app) {
            if (wParam == 0 && app->IsActive())
                app->OnDeactivateApp();
            else if (wParam != 0 && !app->IsActive())
                app->OnActivateApp();
            return 0;
        }
        break;
    case msg::SetCursor:
        if (window && platform::LowSigned(lParam) == platform::hit::Client &&
            static_cast<WindowHandle>(wParam) == handle) {
            Guarded([] { UpdateHoverView(); });
            return 1;
        }
        break;
    case msg::GetMinMaxInfo:
        DefaultWindowProc(kind, handle, message, wParam, lParam);
        if (kind == kWindowFrame && app && lParam && !platform::IsMinimized(handle))
            reinterpret_cast<platform::MinMaxInfo*>(lParam)->minTrackSize = app->GetFrameMinimumSize();
        else
            OnMinMaxInfo(window, lParam);
        return 0;
    case msg::Notify: {
        const auto* header = reinterpret_cast<const platform::NotifyHeader*>(lParam);
        return header ? NativeControlCallback(header->from, message, wParam, lParam) : 0;
    }
    case msg::Help:
        if (app)
            Guarded([&] { ContextHelp(*app, kind, window, reinterpret_cast<const platform::HelpInfo*>(lParam)); });
        return 1;
    case msg::ContextMenu:
        if (window && (kind == kWindowDocument || kind == kWindowModal)) {
            platform::BringWindowToTop(handle);
            const platform::Point p = platform::ScreenToClient(handle, platform::PointFromLParam(lParam));
            Guarded([&] { window->GetRootView()->ContextClick(CPoint(p.x, p.y)); });
            return 0;
        }
        break;
    case msg::NcActivate:
        if (window) {
            if (wParam)
                window->OnActivate();
            else
                window->OnDeactivate();
        }
        break;
    case msg::NcMouseMove:
        SetHoverView(nullptr);
        break;
    case msg::KeyDown:
    case msg::KeyUp:
    case msg::Char:
        if (window) {
            const CKeyEvent event = CKeyEvent::FromMessage(KeyMessageFrom(message, wParam, lParam));
            Guarded([&] {
                if (app)
                    app->RouteKeyEvent(event);
                else
                    window->HandleKeyEvent(event);
            });
            return 0;
        }
        break;
    case msg::Command:
        return OnCommand(kind, handle, wParam, lParam);
    case msg::Timer:
        if (kind != kWindowFrame && app) {
            const WindowHandle capture = platform::GetCapture();
            if (capture && (capture == handle || platform::IsChildOf(capture, handle)))
                Guarded([&] { app->IdleCheck(); });
        }
        return 0;
    case msg::HScroll:
    case msg::VScroll:
        return NativeControlCallback(static_cast<WindowHandle>(lParam), message, wParam, lParam);
    case msg::InitMenu:
        if (app)
            Guarded([&] { app->PrepareMenus(); });
        break;
    case msg::MouseMove:
        return 0;
    case msg::LButtonDown:
    case msg::LButtonDoubleClick:
        if (window) {
            MouseEvent(window, message == msg::LButtonDown ? kEventMouseDown : kEventDoubleClick, lParam);
            return 0;
        }
        break;
    case msg::LButtonUp:
        if (window) {
            if (CView* capture = GetMouseCaptureView())
                Guarded([&] { capture->MouseStillDown(); });
            return 0;
        }
        break;
    case msg::RButtonDown:
    case msg::RButtonDoubleClick:
        return DefaultWindowProc(kind, handle, msg::RButtonDown, wParam, lParam);
    case msg::CaptureChanged:
        // The capture left the capture view's window: the view loses it, and
        // with it the tracking count it holds.
        if (CView* capture = GetMouseCaptureView(); capture && capture->HasMouseCapture()) {
            const CABCWindow* owner = capture->GetWindow();
            if (owner && owner->GetHandle() == handle && static_cast<WindowHandle>(lParam) != handle)
                Guarded([&] { capture->CancelMouseCapture(); });
        }
        break;
    case msg::DropFiles:
        if (app) {
            const int count = platform::DragQueryFileCount(wParam);
            for (int i = 0; i < count; ++i) {
                const std::string path = platform::DragQueryFile(wParam, i).substr(0, 260);
                Guarded([&] { app->OpenPath(path); });
            }
        }
        return 0;
    case msg::QueryNewPalette:
        return 0;
    case msg::User + 32:
        return 0;
    default:
        break;
    }
    return DefaultWindowProc(kind, handle, message, wParam, lParam);
}

} // namespace NSHarrowen
