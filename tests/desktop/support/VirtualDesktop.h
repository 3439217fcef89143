#pragma once

#include "platform/base/Geometry.h"
#include "platform/graphics/PixelBuffer.h"

#include <chrono>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <sys/types.h>
#include <vector>

struct _XDisplay;

namespace desktoptest {

// Where a person clicks a rectangle: its middle.
inline platform::Point Center(const platform::Rect& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// An X window as xdotool and wmctrl name it.
inline std::string Id(unsigned long window)
{
    std::ostringstream out;
    out << "0x" << std::hex << window;
    return out.str();
}

// A virtual X server (Xvfb) for the desktop tests, with the real input a
// person gives (xdotool) and the real screen. DISPLAY names it once it runs;
// the programs the tests start inherit it.
class VirtualDesktop {
public:
    VirtualDesktop() = default;
    ~VirtualDesktop();
    VirtualDesktop(const VirtualDesktop&) = delete;
    VirtualDesktop& operator=(const VirtualDesktop&) = delete;

    // The programs the desktop runs: Xvfb and xdotool, and with the window
    // manager openbox and wmctrl (testsupport::Unavailable asks for them).
    static std::vector<std::string> Tools(bool windowManager = false);
    // False (with the reason) when the server could not be brought up.
    bool Start(std::string& why, const std::string& screen = "1024x768x24");
    // Starts the window manager (openbox) on the server, as every real
    // desktop has one; false (with the reason) when it did not come up.
    bool StartWindowManager(std::string& why);
    // Runs wmctrl with these arguments; throws when it fails.
    void Wmctrl(const std::string& arguments) const;
    // What the X server and the window manager hold of a client window.
    struct WindowInfo {
        bool exists = false;
        bool viewable = false;
        bool overrideRedirect = false;
        platform::Rect rect;             // on the screen
        std::vector<std::string> types;  // _NET_WM_WINDOW_TYPE
        std::vector<std::string> states; // _NET_WM_STATE
        unsigned long transientFor = 0;
        bool Has(const std::string& state) const;
    };
    WindowInfo Inspect(unsigned long window) const;
    // The X window id (as wmctrl and xdotool take it) of the shown window
    // whose frame is at this place on the screen, or 0.
    unsigned long WindowAt(platform::Point screen) const;

    // Runs xdotool with these arguments; throws when it fails.
    void Xdo(const std::string& arguments) const;
    // The windows shown on the screen now, by X window id.
    std::map<unsigned long, platform::Rect> ShownWindows() const;
    // Waits for a window that is not among `before` (a pop-up menu).
    std::optional<platform::Rect> WaitForNewWindow(const std::map<unsigned long, platform::Rect>& before,
                                                   std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    // A rectangle of the real screen (empty without a display).
    platform::PixelBuffer Grab(const platform::Rect& rect) const;
    // Drags with the left button from one point to another in equal steps.
    void Drag(platform::Point from, platform::Point to, int steps) const;
    // Gives the accented letters the tests type keys of their own: xdotool
    // otherwise binds a spare key for each such letter while it types it and
    // unbinds it at once, which a busy program may see too late.
    void MapAccentedLetters() const;

private:
    pid_t server_ = 0;
    pid_t manager_ = 0;
};

// Reads the screen again and again over one connection to the X server: a
// connection for each look, every few milliseconds, crowds the server while
// a program makes its own first connection.
class ScreenReader {
public:
    ScreenReader();
    ~ScreenReader();
    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    // A rectangle of the screen (empty without a display).
    platform::PixelBuffer Grab(const platform::Rect& rect) const;

private:
    _XDisplay* display_ = nullptr;
};

// Starts a program with the environment of the test; `quiet` sends its error
// output away. 0 when it could not be started. The program is killed when
// the test process ends, however it ends.
pid_t SpawnProgram(const std::vector<std::string>& arguments, bool quiet = false);
// Ends a child: politely, then for sure after two seconds.
void StopProgram(pid_t pid);
// "mousemove X Y" for xdotool.
std::string MoveTo(platform::Point p);

} // namespace desktoptest
