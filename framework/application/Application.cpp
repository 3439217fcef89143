#include "framework/application/Application.h"

#include "platform/base/DroppedExceptions.h"
#include "framework/resources/ResourceModule.h"
#include "framework/resources/ResourceText.h"

#include "framework/windows/ABCWindow.h"
#include "framework/base/Exceptions.h"
#include "framework/application/Help.h"
#include "framework/menus/Menu.h"
#include "framework/menus/MenuBar.h"
#include "framework/application/SingleInstance.h"
#include "framework/application/StartupRecord.h"
#include "framework/controls/TooltipControl.h"
#include "platform/graphics/Font.h"
#include "platform/system/Clock.h"
#include "platform/system/ConfigStore.h"
#include "platform/host/SystemMetrics.h"
#include "platform/input/InputState.h"
#include "platform/menus/MenuWindows.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"

#include <algorithm>
#include <set>

namespace NSHarrowen {

namespace {

CApplication* theApplication = nullptr;
// Room after the last menu title, so that it never touches the frame's edge.
constexpr int kMenuBarEndGap = 8;

// "Unsupported colordepth, application will terminate."
constexpr uint32_t kUnsupportedDepthText = 401000001;

// The Window menu lists the visible windows that ask to be listed.
std::vector<CListedWindow> ListedWindows()
{
    std::vector<CListedWindow> list;
    const CABCWindow* active = GetActiveWindow();
    for (int i = 0; i < CountWindows(); ++i) {
        const CABCWindow* w = GetWindowAt(i);
        if (w->IsVisible() && w->IsListedInWindowMenu() && !w->IsMarkedForDeletion())
            list.push_back({i, w->GetTitle(), w == active});
    }
    return list;
}

void ActivateListedWindow(int index)
{
    if (CABCWindow* w = GetWindowAt(index))
        w->BringToFront();
}

} // namespace

CApplication* GetApplication()
{
    return theApplication;
}

bool IsSupportedColorDepth(int bitsPerPixel)
{
    return bitsPerPixel == 8 || bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

CApplication::CApplication(const CStartupRecord& record)
    : CLowLevelApplication(record), commandLine_(record.commandLine), showCommand_(record.showCommand)
{
    Construct();
}

CApplication::CApplication(std::string name) : CLowLevelApplication(std::move(name))
{
    Construct();
}

void CApplication::Construct()
{
    if (!IsSupportedColorDepth(platform::GetScreenColorDepth())) {
        platform::ShowMessageBox(GetName(), GetResourceString(kUnsupportedDepthText));
        throw XBase();
    }
    theApplication = this;
    colorEnvironment_ = std::make_unique<CColorEnvironment>();
    SetScreenFormat(colorEnvironment_->GetScreenFormat());
    SetImageSource(this);
    platform::SetApplicationName(GetName());
    SetHelpFilePath(HelpFilePathFor(GetExecutable().GetFullPath()));
    SetWindowListSource(ListedWindows);
    SetWindowActivator(ActivateListedWindow);
    CMenuBar::SetBarChangedHook(platform::RedrawMenuBars);
    platform::SetThreadMessageHandler([this](const platform::Message& message) { OnHeldThreadMessage(message); });
    SetIdleInterval(50);
}

CApplication::~CApplication()
{
    openRequests_.clear();
    nativeControls_.clear();
    if (threadTimer_)
        platform::KillTimer(0, threadTimer_);
    DestroyToolbar();
    DestroyFrameWindow();
    active_ = false;
    if (theApplication == this) {
        theApplication = nullptr;
        // The help it opened goes with it, also when its loop never ran or
        // ended by a throw: the open mark is the process's, not this one's.
        try {
            NSHarrowen::CloseHelp();
        } catch (...) {
            platform::RecordDroppedException("closing help");
        }
        if (GetImageSource() == this)
            SetImageSource(nullptr);
        SetWindowListSource(nullptr);
        SetWindowActivator(nullptr);
        CMenuBar::SetBarChangedHook(nullptr);
        platform::SetThreadMessageHandler(nullptr);
    }
}

void CApplication::Idle()
{
    const platform::WindowHandle under = platform::WindowFromPoint(platform::GetCursorPos());
    // The tips of the window under the pointer: tool windows (the toolbar)
    // are never the active window, and their controls have tips too.
    {
        // The windows' own steps run as their handlers do.
        const CHandlerScope running;
        CABCWindow* pointed = nullptr;
        for (platform::WindowHandle h = under; h && !pointed; h = platform::GetParent(h))
            pointed = GetWindowFromHandle(h);
        if (pointed && !pointed->IsMarkedForDeletion())
            if (CTooltipControl* tips = pointed->GetTooltips(false))
                tips->Housekeeping(static_cast<uint32_t>(platform::NowMilliseconds()));
        // A window the pointer left may not see its last move (the frame's
        // own space relays none): its tip goes here.
        for (int i = 0; i < CountWindows(); ++i)
            if (CABCWindow* w = GetWindowAt(i); w != pointed)
                if (CTooltipControl* tips = w->GetTooltips(false); tips && tips->IsShowing())
                    tips->Hide();
        if (active_ && under)
            UpdateHoverView();
        else
            SetHoverView(nullptr);
        // The windows' own idle steps: the active document window first.
        CABCWindow* document = GetActiveDocumentWindow();
        if (document)
            document->Idle();
        for (int i = 0; i < CountWindows(); ++i)
            if (CABCWindow* w = GetWindowAt(i); w != document && !w->IsMarkedForDeletion())
                w->Idle();
    }
    // A view tracking the mouse lies in some window's tree, so the windows'
    // idle steps above have already passed it the broadcast. Inside a nested
    // loop this only hides the closed windows.
    DeleteMarkedWindows();
    // A help viewer that failed once started is told like one that could
    // not start.
    AlertFailedHelpViewers();
    if (runState_ == kRunStateRunning)
        ProcessOpenRequests();
    // What this step or the events before it read of the compiled-in
    // resources and the font files is in its working form by now.
    ReleaseReadResources();
    platform::ReleaseReadFontFiles();
}

platform::WindowHandle CApplication::CreateFrameWindow()
{
    RegisterWindowClasses();
    platform::CreateParams params;
    params.className = kFrameWindowClass;
    params.title = GetName();
    params.style = platform::style::OverlappedWindow | platform::style::ClipChildren;
    params.useDefaultRect = true;
    frame_ = platform::CreateWindow(params);
    if (!frame_)
        throw XBase();
    return frame_;
}

void CApplication::DestroyFrameWindow()
{
    const platform::WindowHandle frame = frame_;
    ForgetFrame();
    if (frame)
        platform::DestroyWindow(frame);
}

void CApplication::ForgetFrame()
{
    if (frame_)
        runState_ = kRunStateLeaveLoop;
    frame_ = 0;
    mdiClient_ = 0;
    menuBarWindow_ = 0;
}

void CApplication::CreateMDIClient(platform::WindowHandle frame)
{
    platform::CreateParams params;
    params.className = platform::kMdiClientClass;
    params.style = platform::style::Child | platform::style::Visible | platform::style::ClipChildren |
        platform::style::VScroll | platform::style::HScroll;
    params.parent = frame;
    params.childId = 1;
    params.rect = platform::GetClientRect(frame);
    mdiClient_ = platform::CreateWindow(params);
    if (!mdiClient_)
        throw XBase();
    frame_ = frame;
}

void CApplication::LayoutFrame()
{
    if (!frame_ || !mdiClient_)
        return;
    platform::Rect area = platform::GetClientRect(frame_);
    if (menuBarWindow_) {
        const int height = std::min(area.Height(), platform::MenuBarHeight());
        platform::MoveWindow(menuBarWindow_, platform::Rect(area.left, area.top, area.right, area.top + height), true);
        area.top += height;
    }
    if (toolbar_ && toolbar_->GetHandle()) {
        const int height = platform::GetWindowRectInParent(toolbar_->GetHandle()).Height();
        platform::MoveWindow(toolbar_->GetHandle(), platform::Rect::FromSize(0, area.top, 8000, height), true);
        area.top = std::min(area.bottom, area.top + height);
    }
    platform::MoveWindow(mdiClient_, area, true);
}

void CApplication::SetToolbar(CABCWindow* toolbar)
{
    toolbar_ = toolbar;
    LayoutFrame();
    RefreshFrameLimits();
}

void CApplication::RefreshFrameLimits()
{
    platform::RefreshSizeLimits(frame_);
    if (!frame_ || platform::IsMinimized(frame_) || platform::IsMaximized(frame_))
        return;
    // A frame placed before its bars existed (the default size, or a place
    // saved on a larger screen) grows to its smallest size, on the desktop.
    const platform::Point minimum = GetFrameMinimumSize();
    const platform::Rect desktop = platform::GetDesktopRect();
    const platform::Rect rect = platform::GetWindowRect(frame_);
    const int width = std::max(rect.Width(), minimum.x);
    const int height = std::max(rect.Height(), minimum.y);
    if (width == rect.Width() && height == rect.Height())
        return;
    const int left = std::max(desktop.left, std::min(rect.left, desktop.right - width));
    const int top = std::max(desktop.top, std::min(rect.top, desktop.bottom - height));
    platform::MoveWindow(frame_, platform::Rect::FromSize(left, top, width, height), true);
}

platform::Point CApplication::GetFrameMinimumSize() const
{
    platform::Point content = GetSmallestDocumentSize();
    if (menuBarWindow_) {
        for (const platform::Rect& title : platform::MenuBarTitleRects(menuBarWindow_))
            content.x = std::max(content.x, title.right + kMenuBarEndGap);
        content.y += platform::MenuBarHeight();
    }
    if (toolbar_ && toolbar_->GetHandle()) {
        CPoint minimum, maximum;
        toolbar_->GetSizeLimits(minimum, maximum);
        content.x = std::max<int>(content.x, minimum.x);
        content.y += platform::GetWindowRectInParent(toolbar_->GetHandle()).Height();
    }
    const platform::Rect outer = platform::GetWindowRect(frame_);
    const platform::Rect client = platform::GetClientArea(frame_);
    // Never more than the desktop holds: a small screen keeps the whole frame.
    const platform::Rect desktop = platform::GetDesktopRect();
    return {std::min(content.x + outer.Width() - client.Width(), desktop.Width()),
            std::min(content.y + outer.Height() - client.Height(), desktop.Height())};
}

void CApplication::DestroyToolbar()
{
    CABCWindow* toolbar = toolbar_;
    toolbar_ = nullptr;
    delete toolbar;
}

void CApplication::Cascade()
{
    platform::SendMessage(mdiClient_, platform::msg::MdiCascade, 0, 0);
}

void CApplication::TileHorizontally()
{
    platform::SendMessage(mdiClient_, platform::msg::MdiTile, platform::kTileHorizontal, 0);
}

void CApplication::TileVertically()
{
    platform::SendMessage(mdiClient_, platform::msg::MdiTile, platform::kTileVertical, 0);
}

bool CApplication::AnyDocumentWindowShown() const
{
    for (int i = 0; i < CountWindows(); ++i) {
        const CABCWindow* w = GetWindowAt(i);
        if (w->IsDocumentWindow() && w->IsVisible() && !w->IsMinimized())
            return true;
    }
    return false;
}

bool CApplication::ConfirmQuit()
{
    // The request from outside is taken: the questions below, and the file
    // dialogs they may open, run as usual.
    platform::TakeQuitAsked();
    if (!CanQuit())
        return false;
    // A window whose Close leaves it open is asked once, not again and again.
    std::set<const CABCWindow*> asked;
    for (;;) {
        CABCWindow* candidate = nullptr;
        for (int i = 0; i < CountWindows() && !candidate; ++i)
            if (CABCWindow* w = GetWindowAt(i);
                !w->IsToolWindow() && w->IsClosedByQuit() && !w->IsMarkedForDeletion() && !asked.contains(w))
                candidate = w;
        if (!candidate)
            return true;
        asked.insert(candidate);
        if (!candidate->CanClose())
            return false;
        candidate->Close();
        DeleteMarkedWindows();
    }
}

void CApplication::SetIdleInterval(uint32_t ms)
{
    idleInterval_ = ms;
    if (threadTimer_ && !platform::KillTimer(0, threadTimer_))
        throw XBase();
    threadTimer_ = platform::SetTimer(0, 0, ms);
    if (!threadTimer_)
        throw XBase();
    for (int i = 0; i < CountWindows(); ++i)
        if (const platform::WindowHandle h = GetWindowAt(i)->GetHandle())
            if (platform::SetTimer(h, h, ms) != h)
                throw XBase();
}

void CApplication::IdleCheck()
{
    const uint64_t now = platform::NowMilliseconds();
    // A tick of the idle timer comes exactly one interval after the last one.
    if (IsPolling() || now - lastIdle_ >= idleInterval_) {
        lastIdle_ = now;
        try {
            Idle();
        } catch (...) {
            // The idle step runs again at the next tick.
            platform::RecordDroppedException("the idle step");
        }
    }
}

void CApplication::OnHeldThreadMessage(const platform::Message& message)
{
    const bool idleTick = message.message == platform::msg::Timer && message.wParam == threadTimer_;
    if (!idleTick && message.message != platform::msg::MidiArrival)
        return;
    try {
        KeepAlive();
    } catch (...) {
        // The next tick tries again.
        platform::RecordDroppedException("the work kept up in a modal loop");
    }
}

void CApplication::PollForwardedStarts()
{
    if (!frame_ || !TakeInstanceWake())
        return;
    if (platform::IsMinimized(frame_))
        platform::ShowWindow(frame_, platform::ShowCommand::Restore);
    platform::BringWindowToTop(frame_);
    platform::PostMessage(frame_, kForwardedStartMessage, 0, 0);
}

void CApplication::DispatchOne(const platform::Message& message)
{
    if (message.message == platform::msg::Quit)
        return;
    HandleOne(message);
    // A quit asked in the idle step or on a MIDI arrival counts at once, as
    // one asked by a window's handler does: no other message may ever come.
    TakeQuitRequest();
}

void CApplication::TakeQuitRequest()
{
    // Quitting closes and deletes windows: only the outermost loop does it,
    // once the nested loops under it and the start-up steps have ended.
    if (runState_ != kRunStateQuitRequested || GetHandlerDepth() != 0 || starting_)
        return;
    runState_ = kRunStateRunning;
    if (ConfirmQuit())
        runState_ = kRunStateLeaveLoop;
}

void CApplication::HandleOne(const platform::Message& message)
{
    if (message.message == platform::msg::Timer && message.window == 0 && message.wParam == threadTimer_) {
        PollForwardedStarts();
        if (!platform::GetCapture())
            IdleCheck();
        return;
    }
    const CHandlerScope running;
    if (message.message == platform::msg::MidiArrival && message.window == 0) {
        try {
            OnMidiArrival();
        } catch (...) {
            // The idle step looks at the input again at its next tick.
            platform::RecordDroppedException("a MIDI arrival");
        }
    } else if (message.message == kForwardedStartMessage && message.window != 0 && message.window == frame_) {
        try {
            TakeForwardedStart();
        } catch (...) {
            platform::RecordDroppedException("a second start's hand-over");
        }
    } else {
        try {
            platform::DispatchMessage(message);
            HandleShortcuts(message);
        } catch (...) {
            // One failing handler must not end the loop.
            platform::RecordDroppedException("a message handler");
        }
    }
}

void CApplication::AddNativeControl(const CNativeControlRecord& record)
{
    RemoveNativeControl(record.handle);
    nativeControls_.push_back(record);
}

void CApplication::RemoveNativeControl(platform::WindowHandle handle)
{
    nativeControls_.erase(std::remove_if(nativeControls_.begin(), nativeControls_.end(),
                                         [&](const CNativeControlRecord& r) { return r.handle == handle; }),
                          nativeControls_.end());
}

CNativeControlRecord* CApplication::FindNativeControl(platform::WindowHandle handle)
{
    for (CNativeControlRecord& r : nativeControls_)
        if (r.handle == handle)
            return &r;
    return nullptr;
}

// A modal window gives back the state it found: a frame another window had
// disabled (a file dialog under its question) stays disabled.
void CApplication::DisableFrame()
{
    if (modalDisableCount_++ == 0 && frame_) {
        frameWasEnabled_ = platform::IsWindowEnabled(frame_);
        platform::EnableWindow(frame_, false);
    }
}

void CApplication::EnableFrame()
{
    if (modalDisableCount_ > 0 && --modalDisableCount_ == 0 && frame_ && frameWasEnabled_)
        platform::EnableWindow(frame_, true);
}

void CApplication::SetStayOnTop(bool stayOnTop)
{
    stayOnTop_ = stayOnTop;
    if (frame_)
        platform::SetTopMost(frame_, stayOnTop);
}

} // namespace NSHarrowen
