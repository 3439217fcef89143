#include "VirtualDesktop.h"

#include "X11Screenshot.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <sys/prctl.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace desktoptest {

namespace {

using Clock = std::chrono::steady_clock;
using DisplayPtr = std::unique_ptr<Display, int (*)(Display*)>;

DisplayPtr OpenDisplay()
{
    return DisplayPtr(XOpenDisplay(nullptr), XCloseDisplay);
}

} // namespace

pid_t SpawnProgram(const std::vector<std::string>& arguments, bool quiet)
{
    std::vector<char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0)
        return pid < 0 ? 0 : pid;
    // The child goes with the test, even when the test dies without cleaning up.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(127);
    if (quiet) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 2);
        close(null);
    }
    execvp(argv[0], argv.data());
    _exit(127);
}

void StopProgram(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    const auto end = Clock::now() + std::chrono::seconds(2);
    while (Clock::now() < end) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

std::string MoveTo(platform::Point p)
{
    return "mousemove " + std::to_string(p.x) + " " + std::to_string(p.y);
}

VirtualDesktop::~VirtualDesktop()
{
    StopProgram(manager_);
    StopProgram(server_);
}

std::vector<std::string> VirtualDesktop::Tools(bool windowManager)
{
    if (windowManager)
        return {"Xvfb", "xdotool", "openbox", "wmctrl"};
    return {"Xvfb", "xdotool"};
}

bool VirtualDesktop::StartWindowManager(std::string& why)
{
    manager_ = SpawnProgram({"openbox", "--sm-disable"}, true);
    if (!manager_) {
        why = "openbox did not start";
        return false;
    }
    // It runs once it names itself on the root window.
    const auto end = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < end) {
        if (std::system("wmctrl -m >/dev/null 2>&1") == 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    why = "openbox did not take the screen";
    return false;
}

void VirtualDesktop::Wmctrl(const std::string& arguments) const
{
    const int status = std::system(("wmctrl " + arguments).c_str());
    if (status != 0)
        throw std::runtime_error("wmctrl " + arguments + " failed");
}

bool VirtualDesktop::WindowInfo::Has(const std::string& state) const
{
    return std::find(states.begin(), states.end(), state) != states.end() ||
        std::find(types.begin(), types.end(), state) != types.end();
}

VirtualDesktop::WindowInfo VirtualDesktop::Inspect(unsigned long window) const
{
    WindowInfo info;
    DisplayPtr display = OpenDisplay();
    XWindowAttributes a;
    if (!display || !window || !XGetWindowAttributes(display.get(), window, &a))
        return info;
    info.exists = true;
    info.viewable = a.map_state == IsViewable;
    info.overrideRedirect = a.override_redirect;
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display.get(), window, DefaultRootWindow(display.get()), 0, 0, &x, &y, &child);
    info.rect = platform::Rect::FromSize(x, y, a.width, a.height);
    auto atoms = [&](const char* property) {
        std::vector<std::string> names;
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display.get(), window, XInternAtom(display.get(), property, False), 0, 64, False,
                               XA_ATOM, &type, &format, &count, &after, &data) == Success &&
            data) {
            const auto* list = reinterpret_cast<const Atom*>(data);
            for (unsigned long i = 0; i < count; ++i)
                if (char* name = XGetAtomName(display.get(), list[i])) {
                    names.emplace_back(name);
                    XFree(name);
                }
            XFree(data);
        }
        return names;
    };
    info.types = atoms("_NET_WM_WINDOW_TYPE");
    info.states = atoms("_NET_WM_STATE");
    Window owner = 0;
    if (XGetTransientForHint(display.get(), window, &owner))
        info.transientFor = owner;
    return info;
}

unsigned long VirtualDesktop::WindowAt(platform::Point screen) const
{
    // The top-most shown frame there, and inside it the client window with
    // the manager's WM_STATE (or the frame itself, for no manager).
    DisplayPtr display = OpenDisplay();
    if (!display)
        return 0;
    const Window rootWindow = DefaultRootWindow(display.get());
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window frame = 0;
    if (!XQueryTree(display.get(), rootWindow, &root, &parent, &children, &count))
        return 0;
    for (unsigned i = count; i-- > 0 && !frame;) {
        XWindowAttributes a;
        if (XGetWindowAttributes(display.get(), children[i], &a) && a.map_state == IsViewable &&
            platform::Rect::FromSize(a.x, a.y, a.width, a.height).Contains(screen))
            frame = children[i];
    }
    XFree(children);
    const Atom state = XInternAtom(display.get(), "WM_STATE", True);
    std::function<Window(Window)> client = [&](Window w) -> Window {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (state &&
            XGetWindowProperty(display.get(), w, state, 0, 0, False, AnyPropertyType, &type, &format, &items, &after,
                               &data) == Success) {
            if (data)
                XFree(data);
            if (type != 0)
                return w;
        }
        Window r = 0, p = 0;
        Window* kids = nullptr;
        unsigned n = 0;
        Window found = 0;
        if (XQueryTree(display.get(), w, &r, &p, &kids, &n)) {
            for (unsigned i = 0; i < n && !found; ++i)
                found = client(kids[i]);
            XFree(kids);
        }
        return found;
    };
    const Window inside = frame ? client(frame) : 0;
    return inside ? inside : frame;
}

bool VirtualDesktop::Start(std::string& why, const std::string& screen)
{
    // The server picks a free display and names it on the pipe.
    int fds[2];
    if (pipe(fds) != 0) {
        why = "no pipe";
        return false;
    }
    // Without -noreset the server starts afresh whenever its last client
    // leaves, refusing connections meanwhile: a short-lived probe before the
    // window manager connects would make the manager fail to open the display.
    server_ = SpawnProgram(
        {"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp", "-noreset"}, true);
    close(fds[1]);
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (!server_ || number.empty()) {
        why = "the virtual X server did not start";
        return false;
    }
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return true;
}

void VirtualDesktop::MapAccentedLetters() const
{
    DisplayPtr display = OpenDisplay();
    if (!display)
        return;
    int first = 0, last = 0;
    XDisplayKeycodes(display.get(), &first, &last);
    int perCode = 0;
    KeySym* map = XGetKeyboardMapping(display.get(), static_cast<KeyCode>(first), last - first + 1, &perCode);
    if (!map)
        return;
    std::vector<KeySym> wanted{XStringToKeysym("eacute"), XStringToKeysym("idiaeresis"), XStringToKeysym("udiaeresis"),
                               XStringToKeysym("ssharp")};
    for (int code = last; code >= first && !wanted.empty(); --code) {
        const KeySym* row = map + static_cast<ptrdiff_t>(code - first) * perCode;
        bool unused = true;
        for (int k = 0; k < perCode; ++k)
            unused = unused && row[k] == NoSymbol;
        if (!unused)
            continue;
        KeySym symbol = wanted.back();
        wanted.pop_back();
        XChangeKeyboardMapping(display.get(), code, 1, &symbol, 1);
    }
    XFree(map);
    XSync(display.get(), False);
}

void VirtualDesktop::Xdo(const std::string& arguments) const
{
    const int status = std::system(("xdotool " + arguments).c_str());
    if (status != 0)
        throw std::runtime_error("xdotool " + arguments + " failed");
}

std::map<unsigned long, platform::Rect> VirtualDesktop::ShownWindows() const
{
    std::map<unsigned long, platform::Rect> shown;
    DisplayPtr display = OpenDisplay();
    if (!display)
        return shown;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display.get(), DefaultRootWindow(display.get()), &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes a;
            if (XGetWindowAttributes(display.get(), children[i], &a) && a.map_state == IsViewable)
                shown[children[i]] = platform::Rect::FromSize(a.x, a.y, a.width, a.height);
        }
        XFree(children);
    }
    return shown;
}

std::optional<platform::Rect> VirtualDesktop::WaitForNewWindow(const std::map<unsigned long, platform::Rect>& before,
                                                               std::chrono::milliseconds timeout) const
{
    const auto end = Clock::now() + timeout;
    do {
        for (const auto& [id, rect] : ShownWindows())
            if (!before.count(id))
                return rect;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (Clock::now() < end);
    return std::nullopt;
}

platform::PixelBuffer VirtualDesktop::Grab(const platform::Rect& rect) const
{
    platform::PixelBuffer out;
    if (!demo::GrabScreen(rect, out))
        out = platform::PixelBuffer();
    return out;
}

ScreenReader::ScreenReader() : display_(XOpenDisplay(nullptr)) { }

ScreenReader::~ScreenReader()
{
    if (display_)
        XCloseDisplay(display_);
}

platform::PixelBuffer ScreenReader::Grab(const platform::Rect& rect) const
{
    platform::PixelBuffer out;
    if (!display_)
        return out;
    XImage* image =
        XGetImage(display_, DefaultRootWindow(display_), rect.left, rect.top, static_cast<unsigned>(rect.Width()),
                  static_cast<unsigned>(rect.Height()), AllPlanes, ZPixmap);
    if (!image)
        return out;
    out.Resize(rect.Width(), rect.Height());
    for (int y = 0; y < rect.Height(); ++y)
        for (int x = 0; x < rect.Width(); ++x)
            out.Set(x, y, static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF);
    XDestroyImage(image);
    return out;
}

void VirtualDesktop::Drag(platform::Point from, platform::Point to, int steps) const
{
    std::ostringstream script;
    script << MoveTo(from) << " mousedown 1";
    for (int i = 1; i <= steps; ++i)
        script << " " << MoveTo({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    script << " mouseup 1";
    Xdo(script.str());
}

} // namespace desktoptest
