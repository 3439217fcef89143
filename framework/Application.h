#pragma once

#include "framework/Keyboard.h"
#include "platform/Message.h"

#include <cstdint>
#include <string>
#include <vector>

namespace NSHarrowen {

class CABCWindow;
class CMenu;
class CMenuBar;
class CView;

enum ERunState : int {
    kRunStateRunning = 45,
    kRunStateQuitRequested = 46,
    kRunStateLeaveLoop = 47,
};

// A native control of a framework view: the window dispatcher hands its
// notifications (commands, notifications, scrolls) to the callback.
struct CNativeControlRecord {
    using Callback = platform::LResult (*)(CNativeControlRecord& record, uint32_t message, platform::WParam wParam,
                                           platform::LParam lParam);
    CABCWindow* owner = nullptr;
    platform::WindowHandle handle = 0;
    CView* view = nullptr;
    Callback callback = nullptr;
};

// The one application object: the frame window with its MDI client, the
// application toolbar, the idle step and the message pump that windows and
// modal dialogs use. Programs derive from it.
class CApplication {
public:
    explicit CApplication(std::string name);
    virtual ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    // The framework's idle step; programs call it at the end of their own.
    virtual void Idle();
    virtual void Init() {}
    virtual void Exit() {}
    virtual void OnDeactivateApp() { active_ = false; }
    virtual void OnActivateApp() { active_ = true; }
    virtual bool CanQuit() { return true; }
    virtual CMenuBar* GetMenuBar() { return nullptr; }
    virtual void UpdateMenus(CMenuBar*) {}
    virtual void HandleMenuSelect(CMenu*, uint32_t) {}
    virtual void DoCommand(const CKeyEvent&) {}
    // A command from a menu item or an accelerator, by its native item number.
    virtual void HandleMenuItemNumber(uint16_t) {}
    // The menus are about to open.
    virtual void PrepareMenus() {}
    // A path dropped on the frame or handed over; false when nothing was queued.
    virtual bool OpenPath(const std::string&) { return false; }

    const std::string& GetName() const { return name_; }

    // Keys go to the tracking view, the focus view of the active window, the
    // active window, or DoCommand.
    void RouteKeyEvent(const CKeyEvent& event);

    // The frame and its MDI client.
    platform::WindowHandle CreateFrameWindow();
    void DestroyFrameWindow();
    platform::WindowHandle GetFrameHandle() const { return frame_; }
    platform::WindowHandle GetMDIClientHandle() const { return mdiClient_; }
    void CreateMDIClient(platform::WindowHandle frame);
    void ForgetFrame();
    // Lays the MDI client out below the toolbar.
    void LayoutFrame();
    void SetToolbar(CABCWindow* toolbar);
    CABCWindow* GetToolbar() const { return toolbar_; }
    void DestroyToolbar();
    void Cascade();
    void TileHorizontally();
    void TileVertically();
    bool AnyDocumentWindowShown() const;

    // Run state and quitting.
    int GetRunState() const { return runState_; }
    void SetRunState(int state) { runState_ = state; }
    void RequestQuit() { runState_ = kRunStateQuitRequested; }
    void LeaveRunLoop() { runState_ = kRunStateLeaveLoop; }
    bool IsRunning() const { return runState_ == kRunStateRunning; }
    bool ConfirmQuit();
    bool IsActive() const { return active_; }

    // Mouse tracking makes the loop poll.
    void BeginMouseTracking() { ++trackingCount_; }
    void EndMouseTracking() { --trackingCount_; }
    bool IsPolling() const { return trackingCount_ > 0; }
    int16_t GetTrackingCount() const { return trackingCount_; }

    uint32_t GetIdleInterval() const { return idleInterval_; }
    void SetIdleInterval(uint32_t ms);
    // Runs Idle when polling or when the idle interval has passed.
    void IdleCheck();
    // Dispatches one message as the run loop does (exceptions dropped).
    void DispatchOne(const platform::Message& message);
    // Takes and dispatches up to `limit` waiting messages; how many were taken.
    int PumpWaiting(int limit);
    // The run loop: until the run state is 47.
    void RunLoop();

    // The native controls of framework views.
    void AddNativeControl(const CNativeControlRecord& record);
    void RemoveNativeControl(platform::WindowHandle handle);
    CNativeControlRecord* FindNativeControl(platform::WindowHandle handle);

    // Modal runs.
    void DisableFrame();
    void EnableFrame();
    bool GetStayOnTop() const { return stayOnTop_; }
    void SetStayOnTop(bool stayOnTop);

private:
    std::string name_;
    int16_t trackingCount_ = 0;
    uint64_t lastIdle_ = 0;
    uint32_t idleInterval_ = 50;
    uintptr_t threadTimer_ = 0;
    int runState_ = kRunStateRunning;
    bool active_ = false;
    bool stayOnTop_ = false;
    std::vector<CNativeControlRecord> nativeControls_;
    platform::WindowHandle frame_ = 0;
    platform::WindowHandle mdiClient_ = 0;
    int modalDisableCount_ = 0;
    CABCWindow* toolbar_ = nullptr;
};

// The one application object, or none.
CApplication* GetApplication();

} // namespace NSHarrowen
