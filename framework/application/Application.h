#pragma once

#include "framework/files/FileSpec.h"
#include "framework/files/DirSpec.h"
#include "framework/files/FileTypes.h"
#include "framework/images/ImageCache.h"
#include "framework/images/ImageSource.h"
#include "framework/input/Keyboard.h"
#include "framework/application/LowLevelApplication.h"
#include "framework/application/OpenDocumentRequest.h"
#include "framework/images/ColorEnvironment.h"
#include "framework/resources/TextTableCache.h"
#include "platform/windows/Message.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace NSHarrowen {

class CABCWindow;
class CMenu;
class CMenuBar;
class CView;
struct CStartupRecord;

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

// The command ids the program gives the framework's own menus and edit views.
struct CStandardCommands {
    uint32_t close = 0;
    uint32_t cut = 0;
    uint32_t copy = 0;
    uint32_t paste = 0;
    uint32_t clear = 0;
};

// The one application object: the frame window with its MDI client and menu
// bar, the run loop with its idle step, the routing of menu commands and keys,
// the queue of documents to open, help and the frame's kept placement.
// Programs derive from it, build their menus and windows in Init and tear
// them down in Exit.
class CApplication : public CLowLevelApplication, public CImageSource {
public:
    // Throws XBase (after telling the user) on a screen of an unsupported depth.
    explicit CApplication(const CStartupRecord& record);
    explicit CApplication(std::string name);
    ~CApplication() override;
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    // The framework's idle step; programs call it at the end of their own.
    virtual void Idle();
    // A MIDI input has a message waiting (platform/midi/MidiArrival.h):
    // links handle their answers now rather than at the next idle tick.
    virtual void OnMidiArrival() { }
    // What goes on at each idle tick and MIDI arrival while a loop of the
    // window layer's own holds the program (an open menu, a file dialog),
    // where the idle step is held back so that no window changes under it:
    // the links keep their contact.
    virtual void KeepAlive() { }
    virtual void Init() { }
    virtual void Exit() { }
    virtual void OnDeactivateApp() { active_ = false; }
    virtual void OnActivateApp() { active_ = true; }
    virtual bool CanQuit() { return true; }
    virtual CMenuBar* GetMenuBar() { return nullptr; }
    virtual void UpdateMenus(CMenuBar*) { }
    // Activates the window chosen from the Window menu.
    virtual void HandleMenuSelect(CMenu* menu, uint32_t command);
    virtual void DoCommand(const CKeyEvent&) { }
    virtual void OpenFolder(const CDirSpec&) { }
    virtual void OpenDocument(const CFileSpec&, const CUnknownFileType&, uint32_t) { }
    virtual void OpenUntitled() { }
    // The picture of an id: the framework looks in the application's cache;
    // programs load what is missing into it.
    CABCBitmap* GetImage(const CImageID& id) override { return imageCache_.Find(id); }
    CImageCache& GetImageCache() { return imageCache_; }
    // The standard palette, font and the screen's pixel format, refreshed
    // when the screen changes; pictures are made for the screen format.
    CColorEnvironment& GetColorEnvironment() { return *colorEnvironment_; }
    const CPixelFormat& GetScreenFormat() const { return *screenFormat_; }
    void SetScreenFormat(const CPixelFormat& format) { screenFormat_ = &format; }
    // The help file's name beside the executable: "<program>-help/index.html".
    virtual bool GetHelpFilePath(std::string& name);

    // The whole life of the program: frame, Init, the loop, Exit.
    int Run();

    // A command from a menu item or an accelerator, by its native item number.
    virtual void HandleMenuItemNumber(uint16_t number);
    // The menus are about to open: window entries are rebuilt, the menus
    // updated and numbered.
    virtual void PrepareMenus();
    void RouteMenuUpdate();
    void RouteMenuCommand(CMenu* menu, uint32_t command);
    // Keys go to the tracking view, the focus view of the active window, the
    // active window, or DoCommand.
    void RouteKeyEvent(const CKeyEvent& event);

    // Opening documents.
    bool ParseCommandLine(const std::string& text);
    // An empty path or a failure gives false; a folder queues a folder request.
    bool OpenPath(const std::string& path);
    void QueueOpenFile(const CFileSpec& file);
    void QueueOpenFolder(const CDirSpec& folder);
    void QueueOpenUntitled();
    void ProcessOpenRequests();
    size_t GetOpenRequestCount() const { return openRequests_.size(); }
    // The running copy takes the command line a second start handed over.
    void TakeForwardedStart();

    // The frame and its MDI client.
    platform::WindowHandle CreateFrameWindow();
    void DestroyFrameWindow();
    platform::WindowHandle GetFrameHandle() const { return frame_; }
    platform::WindowHandle GetMDIClientHandle() const { return mdiClient_; }
    platform::WindowHandle GetMenuBarWindow() const { return menuBarWindow_; }
    // Shows the program's menu bar in the frame (Run does it after Init).
    void InstallMenuBar();
    void CreateMDIClient(platform::WindowHandle frame);
    // The frame is gone: the loop ends.
    void ForgetFrame();
    // Lays out the menu bar, the toolbar and the MDI client below each other.
    void LayoutFrame();
    void SetToolbar(CABCWindow* toolbar);
    CABCWindow* GetToolbar() const { return toolbar_; }
    // The smallest window (its frame included) in which a document window
    // of the program stays usable; the frame keeps room for one.
    virtual platform::Point GetSmallestDocumentSize() const { return {60, 60}; }
    // The smallest frame window: the menu bar's titles, the toolbar's
    // controls (its minimum width) and one smallest document window whole.
    platform::Point GetFrameMinimumSize() const;
    // Tells the desktop the frame's limits and grows the frame to them.
    void RefreshFrameLimits();
    void DestroyToolbar();
    void Cascade();
    void TileHorizontally();
    void TileVertically();
    bool AnyDocumentWindowShown() const;

    // Run state and quitting.
    int GetRunState() const { return runState_; }
    void SetRunState(int state) { runState_ = state; }
    // A loop that is already being left stays so.
    void RequestQuit()
    {
        if (runState_ != kRunStateLeaveLoop)
            runState_ = kRunStateQuitRequested;
    }
    void LeaveRunLoop() { runState_ = kRunStateLeaveLoop; }
    bool IsRunning() const { return runState_ == kRunStateRunning; }
    // In Run, before the loop: the frame and the program's own start-up steps.
    bool IsStarting() const { return starting_; }
    // Asks CanQuit, then every window that a quit closes, each once.
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

    const CStandardCommands& GetStandardCommands() const { return standardCommands_; }
    void SetStandardCommands(const CStandardCommands& commands) { standardCommands_ = commands; }

    // Help over the frame.
    void ShowHelpTopic(uint32_t topic);
    void ShowHelpFinder();
    void ShowHelpOnHelp();
    void CloseHelp();

private:
    void Construct();
    void HandleOne(const platform::Message& message);
    // Confirms a quit asked since, where no handler runs.
    void TakeQuitRequest();
    void HandleShortcuts(const platform::Message& message);
    void CycleDocumentWindows(bool backwards);
    void PollForwardedStarts();
    // A message without a window taken by a loop of the window layer's own.
    void OnHeldThreadMessage(const platform::Message& message);
    void RestorePlacement();
    void SavePlacement();

    CTextTableCache textTables_;
    CImageCache imageCache_;
    std::unique_ptr<CColorEnvironment> colorEnvironment_;
    const CPixelFormat* screenFormat_ = nullptr; // the colour environment's
    CStandardCommands standardCommands_;
    int16_t trackingCount_ = 0;
    uint64_t lastIdle_ = 0;
    uint32_t idleInterval_ = 50;
    int runState_ = kRunStateRunning;
    bool starting_ = false;
    bool active_ = false;
    std::deque<COpenDocumentRequest> openRequests_;
    std::string commandLine_;
    int showCommand_ = 1;
    bool stayOnTop_ = false;
    std::vector<CNativeControlRecord> nativeControls_;
    platform::WindowHandle frame_ = 0;
    uintptr_t threadTimer_ = 0;
    platform::WindowHandle mdiClient_ = 0;
    platform::WindowHandle menuBarWindow_ = 0;
    int modalDisableCount_ = 0;
    bool frameWasEnabled_ = false; // when the first modal window took it
    CABCWindow* toolbar_ = nullptr;
};

// The one application object, or none.
CApplication* GetApplication();

// The depths a screen may have for the framework's drawing.
bool IsSupportedColorDepth(int bitsPerPixel);

} // namespace NSHarrowen
