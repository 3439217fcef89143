#pragma once

#include "tests/desktop/support/VirtualDesktop.h"
#include "tests/support/TempDir.h"

#include "platform/base/Geometry.h"
#include "platform/graphics/PixelBuffer.h"

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace desktoptest {

// What the demo reports of itself (its --state-file).
struct DemoState {
    struct Window {
        platform::Rect rect; // on the screen
        bool visible = false;
        bool active = false;
        std::string title;
    };
    unsigned serial = 0;
    platform::Rect frame;
    std::vector<Window> windows;
    std::vector<platform::Rect> menuTitles; // on the screen, in bar order
    std::optional<platform::Rect> tooltip;
    std::vector<std::string> edits;
    std::vector<std::string> help; // "topic 4711", "finder 0", ...

    const Window* Find(const std::string& title) const;
};

// A virtual X server with the real demo on it, driven by real X input
// (xdotool) as a person would drive it.
class DesktopSession {
public:
    DesktopSession();
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // False (with the reason) when the desktop could not be brought up. With
    // a window manager, openbox manages the demo's windows.
    bool Start(std::string& why, bool windowManager = false);
    // The session's desktop (its window manager, its X windows).
    const VirtualDesktop& Desktop() const { return desktop_; }

    // Runs xdotool with these arguments on the session's display.
    void Xdo(const std::string& arguments) const { desktop_.Xdo(arguments); }
    // The demo's state now (asks it and waits for the answer).
    DemoState State();
    // Asks until the state satisfies the test or the time is up; the last state.
    DemoState WaitFor(const std::function<bool(const DemoState&)>& test,
                      std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // The windows shown on the screen now, by X window id.
    std::map<unsigned long, platform::Rect> ShownWindows() const { return desktop_.ShownWindows(); }
    // Waits for a window that is not among `before` (a pop-up menu).
    std::optional<platform::Rect> WaitForNewWindow(const std::map<unsigned long, platform::Rect>& before,
                                                   std::chrono::milliseconds timeout = std::chrono::seconds(10)) const
    {
        return desktop_.WaitForNewWindow(before, timeout);
    }
    // A rectangle of the real screen.
    platform::PixelBuffer Grab(const platform::Rect& rect) const { return desktop_.Grab(rect); }
    const std::string& HelpFile() const { return helpFile_; }

    // Drags with the left button from one point to another in equal steps.
    void Drag(platform::Point from, platform::Point to, int steps) const { desktop_.Drag(from, to, steps); }

private:
    std::optional<DemoState> ReadState() const;

    testsupport::ScopedConfigHome home_;
    testsupport::TempDir dir_;
    VirtualDesktop desktop_;
    std::string stateFile_;
    std::string helpFile_;
    pid_t demo_ = 0;
};

} // namespace desktoptest
