#pragma once

#include "platform/base/Geometry.h"
#include "platform/windows/Message.h"
#include "platform/windows/WindowStyle.h"

#include <cstdint>
#include <string>

namespace platform {
class PixelBuffer;
}

// The window layer: windows with classes, styles, parents, owners and
// children, on whatever host is installed (platform/host/Host.h). Every window,
// child or top-level, has its own pixel surface; the layer draws the
// non-client parts (borders, captions, caption buttons) itself and composes
// each top-level window with its children for the host. Main thread only.
namespace platform {

using WindowProc = LResult (*)(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);

enum class ClassBackground { None, ButtonFace, AppWorkspace, Window };

struct WindowClass {
    std::string name;
    uint32_t style = 0; // classstyle bits
    WindowProc procedure = nullptr;
    ClassBackground background = ClassBackground::ButtonFace;
};

// False when a class of that name exists already or the class has no procedure.
bool RegisterWindowClass(const WindowClass& windowClass);
bool UnregisterWindowClass(const std::string& name);
bool IsWindowClassRegistered(const std::string& name);

// The class of the MDI client that a frame creates; registered by the layer.
inline constexpr const char* kMdiClientClass = "MDICLIENT";

struct CreateParams {
    std::string className;
    std::string title;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    Rect rect; // parent client coordinates for a child, desktop otherwise
    bool useDefaultRect = false;
    WindowHandle parent = 0; // a child window when style::Child is set
    WindowHandle owner = 0;  // for top-level windows: kept above the owner
    uint16_t childId = 0;
    intptr_t createData = 0; // handed to the window with msg::Create
};

// Sends msg::Create (its long parameter points at the CreateParams); a result
// of -1 destroys the window again and gives 0. 0 also for an unknown class.
WindowHandle CreateWindow(const CreateParams& params);
// Destroys the window, its owned windows and its children: each gets
// msg::Destroy (the window before its children). False for no window.
bool DestroyWindow(WindowHandle window);
bool IsWindow(WindowHandle window);

std::string GetClassName(WindowHandle window);
uint32_t GetWindowStyle(WindowHandle window);
void SetWindowStyle(WindowHandle window, uint32_t style);
uint32_t GetWindowExStyle(WindowHandle window);
uint16_t GetChildId(WindowHandle window);
intptr_t GetWindowData(WindowHandle window);
void SetWindowData(WindowHandle window, intptr_t data);
std::string GetWindowText(WindowHandle window);
void SetWindowText(WindowHandle window, const std::string& text);
// The desktop's picture of a top-level window (child windows show none).
void SetWindowIcon(WindowHandle window, const PixelBuffer& icon);

// Relations.
WindowHandle GetParent(WindowHandle window);
WindowHandle GetOwner(WindowHandle window);
WindowHandle GetTopLevel(WindowHandle window);
// Makes the window a child of parent (or top-level with 0).
void SetParent(WindowHandle window, WindowHandle parent);
// Children from bottom to top.
int CountChildren(WindowHandle window);
WindowHandle GetChild(WindowHandle window, int index);
// Top-level windows from bottom to top.
int CountTopLevelWindows();
WindowHandle GetTopLevelWindow(int index);
bool IsChildOf(WindowHandle window, WindowHandle ancestor);

// Geometry. The window rectangle is in the parent's client coordinates for a
// child window and on the desktop for a top-level one.
Rect GetWindowRectInParent(WindowHandle window);
Rect GetWindowRect(WindowHandle window); // on the desktop
Rect GetClientRect(WindowHandle window); // 0, 0, width, height
// The client area inside the window rectangle (window coordinates).
Rect GetClientArea(WindowHandle window);
Point ClientToScreen(WindowHandle window, Point p);
Point ScreenToClient(WindowHandle window, Point p);
// Moves and sizes; msg::Move and msg::Size follow. With repaint the window
// and the places it left are drawn again.
void MoveWindow(WindowHandle window, const Rect& rect, bool repaint);

struct MinMaxInfo {
    Point minTrackSize{60, 60};
    Point maxTrackSize{20000, 20000};
};
// Tells the desktop again the sizes a shown resizable top-level window may
// take (msg::GetMinMaxInfo), after what sets them changed.
void RefreshSizeLimits(WindowHandle window);

// Visibility and show states.
enum class ShowCommand { Hide, Show, ShowNoActivate, Minimize, Maximize, Restore };
void ShowWindow(WindowHandle window, ShowCommand command);
bool IsWindowVisible(WindowHandle window); // the window and all its ancestors
// Marks a top-level window as a modal dialog of its owner for the desktop
// (before it is shown).
void SetWindowModal(WindowHandle window, bool modal);
bool IsMinimized(WindowHandle window);
bool IsMaximized(WindowHandle window);

// Z-order, activation and focus.
// Raises the window among its siblings; a top-level window is also activated.
void BringWindowToTop(WindowHandle window);
void SetTopMost(WindowHandle window, bool topMost);
WindowHandle GetActiveWindow();
WindowHandle SetActiveWindow(WindowHandle window);
WindowHandle GetFocus();
WindowHandle SetFocus(WindowHandle window);
void EnableWindow(WindowHandle window, bool enable);
bool IsWindowEnabled(WindowHandle window);

// The mouse capture.
WindowHandle SetCapture(WindowHandle window);
bool ReleaseCapture();
WindowHandle GetCapture();

// The deepest visible window at a desktop point, or 0.
WindowHandle WindowFromPoint(Point screen);

// Files dropped on the window arrive as msg::DropFiles.
void DragAcceptFiles(WindowHandle window, bool accept);
// The help topic F1 asks for over the window (0: none).
void SetWindowContextHelpId(WindowHandle window, uint32_t helpId);
uint32_t GetWindowContextHelpId(WindowHandle window);
// The paths of a msg::DropFiles word parameter.
int DragQueryFileCount(WParam drop);
std::string DragQueryFile(WParam drop, int index);

// The layer's default handling of a message.
LResult DefWindowProc(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);

// Sends msg::SysCommand-style actions without a message: used by caption
// buttons and by the MDI client.
void PerformSysCommand(WindowHandle window, WParam command);

// Destroys every window and forgets the registered classes: for tests and
// for the end of the program.
void ResetWindowSystem();

} // namespace platform
