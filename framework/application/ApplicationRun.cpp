#include "framework/windows/ABCWindow.h"
#include "platform/base/DroppedExceptions.h"
#include "framework/application/Application.h"
#include "framework/application/ApplicationValues.h"
#include "framework/application/Help.h"
#include "framework/menus/MenuBar.h"
#include "framework/application/SingleInstance.h"
#include "platform/menus/MenuWindows.h"
#include "platform/system/Clock.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPlacement.h"

namespace NSHarrowen {

namespace {

constexpr const char* kPlacementValue = "MainFramePlacement";
constexpr const char* kStayOnTopValue = "StayOnTop";

platform::ShowCommand ShowCommandFor(int startShowCommand)
{
    switch (startShowCommand) {
    case 0:
        return platform::ShowCommand::Hide;
    case 2:
    case 6:
    case 7:
        return platform::ShowCommand::Minimize;
    case 3:
        return platform::ShowCommand::Maximize;
    default:
        return platform::ShowCommand::Show;
    }
}

platform::WindowPlacement ToPlatform(const CWindowPlacement& p)
{
    platform::WindowPlacement out;
    out.state = p.showState == CWindowPlacement::kShowMaximized ? platform::WindowPlacement::State::Maximized
        : p.showState == CWindowPlacement::kShowMinimized       ? platform::WindowPlacement::State::Minimized
                                                                : platform::WindowPlacement::State::Normal;
    out.normal = platform::Rect(p.left, p.top, p.right, p.bottom);
    return out;
}

CWindowPlacement FromPlatform(const platform::WindowPlacement& p)
{
    CWindowPlacement out;
    out.showState = p.state == platform::WindowPlacement::State::Maximized ? CWindowPlacement::kShowMaximized
        : p.state == platform::WindowPlacement::State::Minimized           ? CWindowPlacement::kShowMinimized
                                                                           : CWindowPlacement::kShowNormal;
    out.left = p.normal.left;
    out.top = p.normal.top;
    out.right = p.normal.right;
    out.bottom = p.normal.bottom;
    return out;
}

// The running copy tells second starts where its frame is.
void PublishFrame(platform::WindowHandle frame)
{
    try {
        if (IsFirstInstanceClaimed())
            GetSharedInstanceBlock().SetFrame(frame);
    } catch (...) {
        platform::RecordDroppedException("publishing the frame");
    }
}

} // namespace

void CApplication::RestorePlacement()
{
    try {
        uint8_t bytes[CWindowPlacement::kSize];
        size_t length = 0;
        bool placed = false;
        if (ReadApplicationValue(kPlacementValue, bytes, length))
            if (const auto stored = CWindowPlacement::FromBytes(std::span(bytes, length));
                stored && ShouldRestorePlacement(showCommand_, *stored))
                placed = platform::SetWindowPlacement(frame_, ToPlatform(*stored));
        if (!placed)
            platform::ShowWindow(frame_, ShowCommandFor(showCommand_));
        uint8_t onTop = 0;
        if (ReadApplicationValue(kStayOnTopValue, std::span(&onTop, 1), length) && length == 1)
            SetStayOnTop(onTop != 0);
    } catch (...) {
        platform::RecordDroppedException("restoring the frame's placement");
        // A damaged value must not keep the frame hidden.
        if (!platform::IsWindowVisible(frame_))
            platform::ShowWindow(frame_, platform::ShowCommand::Show);
    }
}

void CApplication::SavePlacement()
{
    try {
        platform::WindowPlacement placement;
        if (platform::GetWindowPlacement(frame_, placement))
            WriteApplicationValue(kPlacementValue, FromPlatform(placement).ToBytes());
        const uint8_t onTop = stayOnTop_ ? 1 : 0;
        WriteApplicationValue(kStayOnTopValue, std::span(&onTop, 1));
    } catch (...) {
        platform::RecordDroppedException("saving the frame's placement");
    }
}

void CApplication::InstallMenuBar()
{
    CMenuBar* bar = GetMenuBar();
    if (!bar || !frame_)
        return;
    menuBarWindow_ = platform::CreateMenuBarWindow(frame_, bar->GetNativeMenu());
    LayoutFrame();
    RefreshFrameLimits();
}

int CApplication::Run()
{
    runState_ = kRunStateRunning;
    starting_ = true;
    CreateFrameWindow();
    PublishFrame(frame_);
    RestorePlacement();
    Init();
    starting_ = false;
    // The desktop may ask the program to end (SIGTERM) while it starts: the
    // frame defers it to here, and one asked before the frame could take it
    // is taken here too, as the loop would have.
    if (platform::IsQuitAsked())
        RequestQuit();
    InstallMenuBar();
    if (runState_ == kRunStateRunning && !ParseCommandLine(commandLine_))
        QueueOpenUntitled();
    TakeQuitRequest();
    RunLoop();
    try {
        CloseHelp();
    } catch (...) {
        platform::RecordDroppedException("closing help");
    }
    Exit();
    DestroyToolbar();
    SavePlacement();
    PublishFrame(0);
    DestroyFrameWindow();
    return 0;
}

int CApplication::PumpWaiting(int limit)
{
    int taken = 0;
    platform::Message message;
    while (taken < limit && runState_ != kRunStateLeaveLoop && platform::PeekMessage(message)) {
        ++taken;
        DispatchOne(message);
    }
    return taken;
}

void CApplication::RunLoop()
{
    while (runState_ != kRunStateLeaveLoop) {
        if (IsPolling()) {
            PollForwardedStarts();
            const int taken = PumpWaiting(20);
            if (taken == 20 || taken == 0) {
                IdleCheck();
                TakeQuitRequest();
            }
            if (taken == 0)
                platform::SleepMilliseconds(1);
            continue;
        }
        platform::Message message;
        platform::GetMessage(message); // a quit message does not end the loop
        DispatchOne(message);
    }
}

} // namespace NSHarrowen
