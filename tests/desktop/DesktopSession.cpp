#include "DesktopSession.h"

#include "X11Screenshot.h"

#include <X11/Xlib.h>

#include <csignal>
#include <fcntl.h>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

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

// Starts a program; `quiet` sends its error output away.
pid_t Spawn(const std::vector<std::string>& arguments, bool quiet = false)
{
    std::vector<char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet)
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed ? 0 : pid;
}

// Ends a child: politely, then for sure after two seconds.
void Stop(pid_t pid)
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

DisplayPtr OpenDisplay()
{
    return DisplayPtr(XOpenDisplay(nullptr), XCloseDisplay);
}

// Gives the accented letters the tests type keys of their own before the demo
// starts: xdotool otherwise binds a spare key for each such letter while it
// types it and unbinds it at once, which a busy program may see too late.
void MapAccentedLetters()
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

platform::Rect ReadRect(std::istream& in)
{
    platform::Rect r;
    in >> r.left >> r.top >> r.right >> r.bottom;
    return r;
}

DemoState ParseState(std::istream& in)
{
    DemoState state;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string key;
        fields >> key;
        if (key == "serial") {
            fields >> state.serial;
        } else if (key == "frame") {
            state.frame = ReadRect(fields);
        } else if (key == "window") {
            DemoState::Window w;
            w.rect = ReadRect(fields);
            int visible = 0, active = 0;
            fields >> visible >> active;
            w.visible = visible != 0;
            w.active = active != 0;
            fields.get();
            std::getline(fields, w.title);
            state.windows.push_back(w);
        } else if (key == "menutitle") {
            state.menuTitles.push_back(ReadRect(fields));
        } else if (key == "tooltip") {
            state.tooltip = ReadRect(fields);
        } else if (key == "edit") {
            state.edits.push_back(line.size() > 5 ? line.substr(5) : std::string());
        } else if (key == "help") {
            state.help.push_back(line.substr(5));
        }
    }
    return state;
}

} // namespace

const DemoState::Window* DemoState::Find(const std::string& title) const
{
    for (const Window& w : windows)
        if (w.title == title)
            return &w;
    return nullptr;
}

DesktopSession::DesktopSession() : stateFile_(dir_.File("state.txt")), helpFile_(dir_.File("torvan-demo.hlp"))
{
    std::ofstream(helpFile_) << "help\n";
}

DesktopSession::~DesktopSession()
{
    Stop(demo_);
    Stop(server_);
}

bool DesktopSession::ToolsPresent()
{
    return OnPath("Xvfb") && OnPath("xdotool");
}

bool DesktopSession::Start(std::string& why)
{
    // The server picks a free display and names it on the pipe.
    int fds[2];
    if (pipe(fds) != 0) {
        why = "no pipe";
        return false;
    }
    server_ =
        Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, true);
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
    display_ = ":" + number;
    setenv("DISPLAY", display_.c_str(), 1);
    MapAccentedLetters();
    // The desktop libraries keep allocations to the end of the process.
    const char* asan = std::getenv("ASAN_OPTIONS");
    setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
    demo_ = Spawn({DEMO_PATH, "--state-file", stateFile_, "--help-file", helpFile_});
    if (!demo_) {
        why = "the demo did not start";
        return false;
    }
    // The demo writes its first report unasked, once it listens for requests.
    const auto end = Clock::now() + std::chrono::seconds(20);
    while (!ReadState() && Clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!ReadState()) {
        why = "the demo wrote no state";
        return false;
    }
    const DemoState state = WaitFor([](const DemoState& s) { return s.windows.size() == 3 && !s.menuTitles.empty(); });
    if (state.windows.size() != 3) {
        why = "the demo did not show its windows";
        return false;
    }
    return true;
}

void DesktopSession::Xdo(const std::string& arguments) const
{
    const int status = std::system(("xdotool " + arguments).c_str());
    if (status != 0)
        throw std::runtime_error("xdotool " + arguments + " failed");
}

std::optional<DemoState> DesktopSession::ReadState() const
{
    std::ifstream in(stateFile_);
    if (!in)
        return std::nullopt;
    return ParseState(in);
}

DemoState DesktopSession::State()
{
    const unsigned last = ReadState().value_or(DemoState{}).serial;
    kill(demo_, SIGUSR1);
    const auto end = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < end) {
        if (auto state = ReadState(); state && state->serial > last)
            return *state;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return ReadState().value_or(DemoState{});
}

DemoState DesktopSession::WaitFor(const std::function<bool(const DemoState&)>& test, std::chrono::milliseconds timeout)
{
    const auto end = Clock::now() + timeout;
    DemoState state = State();
    while (!test(state) && Clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        state = State();
    }
    return state;
}

std::map<unsigned long, platform::Rect> DesktopSession::ShownWindows() const
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

std::optional<platform::Rect> DesktopSession::WaitForNewWindow(const std::map<unsigned long, platform::Rect>& before,
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

platform::PixelBuffer DesktopSession::Grab(const platform::Rect& rect) const
{
    platform::PixelBuffer out;
    if (!demo::GrabScreen(rect, out))
        out = platform::PixelBuffer();
    return out;
}

void DesktopSession::Drag(platform::Point from, platform::Point to, int steps) const
{
    std::ostringstream script;
    script << "mousemove " << from.x << ' ' << from.y << " mousedown 1";
    for (int i = 1; i <= steps; ++i)
        script << " mousemove " << from.x + (to.x - from.x) * i / steps << ' ' << from.y + (to.y - from.y) * i / steps;
    script << " mouseup 1";
    Xdo(script.str());
}

} // namespace desktoptest
