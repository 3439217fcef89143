#include "DesktopSession.h"

#include <csignal>
#include <filesystem>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>

namespace desktoptest {

namespace {

using Clock = std::chrono::steady_clock;

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

// What became of a program that did not get going: how it ended, or where
// its threads wait. An ended program is reaped (and its id cleared).
std::string Whereabouts(pid_t& pid)
{
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) {
        pid = 0;
        return WIFEXITED(status) ? "it ended with status " + std::to_string(WEXITSTATUS(status))
                                 : "it was ended by signal " + std::to_string(WTERMSIG(status));
    }
    std::string where = "it still runs, its threads waiting in";
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream wchan(task.path() / "wchan");
        std::string name;
        std::getline(wchan, name);
        where += " " + (name.empty() ? std::string("(running)") : name);
    }
    return where;
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
    StopProgram(demo_);
}

bool DesktopSession::Start(std::string& why, bool windowManager)
{
    if (!desktop_.Start(why))
        return false;
    if (windowManager && !desktop_.StartWindowManager(why))
        return false;
    desktop_.MapAccentedLetters();
    // The desktop libraries keep allocations to the end of the process.
    const char* asan = std::getenv("ASAN_OPTIONS");
    setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
    demo_ = SpawnProgram({DEMO_PATH, "--state-file", stateFile_, "--help-file", helpFile_});
    if (!demo_) {
        why = "the demo did not start";
        return false;
    }
    // The demo writes its first report unasked, once it listens for requests.
    const auto end = Clock::now() + std::chrono::seconds(20);
    while (!ReadState() && Clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!ReadState()) {
        why = "the demo wrote no state: " + Whereabouts(demo_);
        return false;
    }
    const DemoState state = WaitFor([](const DemoState& s) { return s.windows.size() == 3 && !s.menuTitles.empty(); });
    if (state.windows.size() != 3) {
        why = "the demo did not show its windows";
        return false;
    }
    return true;
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

} // namespace desktoptest
