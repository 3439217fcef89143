#pragma once

// Internal state of the window layer, shared by its source files. Not for use
// above platform/.

#include "platform/host/Host.h"
#include "platform/graphics/PixelBuffer.h"
#include "platform/graphics/Region.h"
#include "platform/windows/Window.h"

#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace platform::detail {

enum class ShowState { Normal, Minimized, Maximized };

struct WindowObject {
    WindowHandle handle = 0;
    WindowClass windowClass;
    std::string title;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    Rect rect; // in the parent's client coordinates, or on the desktop
    WindowHandle parent = 0;
    WindowHandle owner = 0;
    uint16_t childId = 0;
    std::vector<WindowHandle> children; // bottom to top
    Region update;                      // client coordinates
    bool erase = false;
    bool painting = false; // between BeginPaint and EndPaint
    // Top-level windows only: the pixels of the window and of every window
    // inside it (children draw into their top-level's, clipped to what of
    // them shows), and the part changed since the last present.
    PixelBuffer surface;
    Region dirty;
    // Its caption and borders are drawn just before its pixels are read or
    // shown: a frame window's borders run down every row of its pixels, and
    // drawing them at once would fault in all of its memory before anything
    // above it is shown.
    bool frameDue = false;
    intptr_t data = 0;
    bool destroying = false;
    bool acceptFiles = false;
    uint32_t helpId = 0;
    ShowState show = ShowState::Normal;
    Rect restoreRect;
    SurfaceId surfaceId = 0;
    bool activeCaption = false;
    bool modal = false; // a modal dialog of its owner
};

struct Timer {
    WindowHandle window = 0;
    uintptr_t id = 0;
    uint32_t interval = 0;
    uint64_t due = 0;
    TimerProc proc = nullptr;
};

enum class DragMode { None, Move, Size };

struct Drag {
    DragMode mode = DragMode::None;
    WindowHandle window = 0;
    LResult hit = 0;
    Point start;
    Rect startRect;
};

struct WindowSystem {
    std::map<WindowHandle, std::unique_ptr<WindowObject>> windows;
    WindowHandle nextHandle = 0x100;
    std::vector<WindowHandle> topLevels; // bottom to top
    std::map<std::string, WindowClass> classes;
    WindowHandle active = 0;
    WindowHandle focus = 0;
    WindowHandle capture = 0;
    bool appActive = false;

    std::deque<Message> posted;
    std::deque<Message> input;
    bool quitPosted = false;
    int quitCode = 0;
    bool quitAsked = false;

    std::vector<Timer> timers;
    uintptr_t nextThreadTimer = 1;

    std::set<WindowHandle> dirtyTopLevels;
    Drag drag;

    // Double clicks.
    WindowHandle lastClickWindow = 0;
    uint64_t lastClickTime = 0;
    Point lastClickPoint;
    int lastClickButton = 0;

    // Dropped files waiting for their window to take them.
    std::map<WParam, std::vector<std::string>> drops;
    WParam nextDrop = 1;
    HelpInfo help; // what the last F1 asked about (msg::Help points at it)

    bool keys[256] = {};
    bool mouseButtons[4] = {};
    Point pointer;
};

WindowSystem& System();
WindowObject* Find(WindowHandle window);
uint64_t Now();
// A message stamped with the time and the pointer's position now.
Message MakeMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);

// Non-client geometry (window coordinates).
int BorderWidth(const WindowObject& w);
int CaptionHeight(const WindowObject& w);
Rect ClientArea(const WindowObject& w);
Rect CaptionButtonRect(const WindowObject& w, LResult button);
LResult HitTest(const WindowObject& w, Point windowPoint);
void DrawNonClient(WindowObject& w);

// The window's top-left corner on the desktop.
Point WindowOrigin(const WindowObject& w);
// The top-level window whose pixels hold the window, and where in them the
// window's top-left lies.
WindowObject& TopLevelOf(const WindowObject& w);
Point OffsetInTop(const WindowObject& w);
// What of the window the screen shows (its top-level's coordinates): inside
// every ancestor's client area, outside the siblings above it and each
// ancestor's, and for the client area outside its visible children. Empty
// when it or an ancestor below the top-level is hidden; a hidden top-level
// keeps drawing into its own pixels.
Region VisibleInTop(const WindowObject& w, bool clientOnly);
// The window's visible part (or the region, top-level coordinates) changed.
void MarkDirty(WindowHandle window);
void MarkDirtyRegion(const WindowObject& w, const Region& inTop);
// The window and every visible window inside it paint again, frames too.
void ExposeTree(WindowObject& w);
// The area of the client area (client coordinates) paints again, with
// every visible child window over it: something that covered it went.
void ExposeArea(WindowObject& w, const Rect& area);
// The top-level's pixels with its children as the screen shows them.
const PixelBuffer& ComposedTopLevel(WindowObject& top);
// Hands the changed pixels of every top-level window to the host, or of one.
void PresentDirty();
void PresentDirtyOf(WindowHandle topLevel);

bool IsMdiClient(const WindowObject& w);
bool IsMdiChild(const WindowObject& w);
// Called by the layer when an MDI child goes away or is shown.
void MdiChildGone(WindowHandle client, WindowHandle child);
void MdiChildShown(WindowHandle client, WindowHandle child);
void RegisterBuiltInClasses();

// Host events become window messages.
void PumpHostEvents();
void ActivateForClick(WindowHandle target);

void ResetInputState();

// The desktop moved, sized, iconified, maximised or restored a top-level
// window: the layer takes the change without asking the desktop again.
void PlacedByDesktop(WindowHandle window, const Rect& rect);
void ShowStateSetByDesktop(WindowHandle window, ShowState state);

} // namespace platform::detail
