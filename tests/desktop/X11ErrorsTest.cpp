// The desktop backend on a real X server: a failed X request about a window
// that is gone (as when a dialog closed a moment before) must not end the
// program, which would lose every unsaved patch.
#include "tests/desktop/support/VirtualDesktop.h"
#include "tests/support/RequiredTools.h"

#include "platform/host/DesktopHost.h"
#include "platform/host/HostScope.h"

#include <gtest/gtest.h>
// After gtest: X11's macros (None, Bool) clash with its names.
#include <SDL.h>
#include <SDL_syswm.h>

namespace {

TEST(DesktopBackend, AnXRequestAboutAWindowThatIsGoneDoesNotEndTheProgram)
{
    if (testsupport::Unavailable({.programs = desktoptest::VirtualDesktop::Tools()}))
        return;
    desktoptest::VirtualDesktop desktop;
    std::string why;
    ASSERT_TRUE(desktop.Start(why)) << why;
    std::unique_ptr<platform::IHost> host = platform::CreateDesktopHost();
    ASSERT_NE(host, nullptr);
    const platform::CHostScope scope(std::move(host));

    SDL_Window* window = SDL_CreateWindow("gone", 0, 0, 50, 50, SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    ASSERT_TRUE(SDL_GetWindowWMInfo(window, &info));
    ASSERT_EQ(info.subsystem, SDL_SYSWM_X11);
    Display* display = info.info.x11.display;
    const Window gone = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    XDestroyWindow(display, gone);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = gone;
    event.xclient.format = 32;
    XSendEvent(display, gone, False, NoEventMask, &event);
    XSync(display, False); // the error arrives here; Xlib's own handler would end the test
    SDL_DestroyWindow(window);
    SUCCEED();
}

} // namespace
