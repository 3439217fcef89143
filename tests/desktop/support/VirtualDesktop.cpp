#include "VirtualDesktop.h"

#include "X11Screenshot.h"

#include <X11/Xlib.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
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

bool OnPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':'))
        if (access((folder + "/" + program).c_str(), X_OK) == 0)
            return true;
    return false;
}

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
    StopProgram(server_);
}

bool VirtualDesktop::ToolsPresent()
{
    return OnPath("Xvfb") && OnPath("xdotool");
}

bool VirtualDesktop::Start(std::string& why, const std::string& screen)
{
    // The server picks a free display and names it on the pipe.
    int fds[2];
    if (pipe(fds) != 0) {
        why = "no pipe";
        return false;
    }
    server_ =
        SpawnProgram({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp"}, true);
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
