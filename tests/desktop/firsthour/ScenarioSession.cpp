#include "ScenarioSession.h"

#include "platform/graphics/PngWriter.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>

namespace firsthour {

using namespace std::chrono_literals;

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// True once the screen shows something other than the empty desktop.
bool SomethingPainted(const desktoptest::ScreenReader& reader)
{
    const platform::PixelBuffer screen = reader.Grab(platform::Rect{0, 0, 400, 200});
    for (int y = 0; y < screen.Height(); y += 4)
        for (int x = 0; x < screen.Width(); x += 4)
            if (screen.At(x, y) != 0)
                return true;
    return false;
}

} // namespace

ScenarioSession::ScenarioSession()
    : report_(dir_.File("state.txt")), synthLog_(dir_.File("simsynthd.log")), synthOutput_(dir_.File("simsynthd.out"))
{ }

std::string ScenarioSession::EditorProgram()
{
    const char* other = std::getenv("FIRSTHOUR_PATCHORA");
    return std::filesystem::absolute(other && *other ? other : PATCHORA_PATH).lexically_normal().string();
}

ScenarioSession::~ScenarioSession()
{
    desktoptest::StopProgram(editor_);
    StopSynth();
}

bool ScenarioSession::StartDesktop(std::string& why)
{
    if (!desktop_.Start(why, "1280x1024x24"))
        return false;
    // Under a window manager, as on every desktop.
    if (!desktop_.StartWindowManager(why))
        return false;
    // The desktop libraries keep allocations to the end of the process.
    const char* asan = std::getenv("ASAN_OPTIONS");
    setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
    return true;
}

bool ScenarioSession::StartSynth(const std::vector<std::string>& options)
{
    // Its output goes to a file of its own (appended: a restart keeps the
    // first run's words), read for its announcement.
    std::vector<std::string> arguments{"/bin/sh",      "-c",    "exec \"$0\" \"$@\" >>\"$OUT\" 2>&1",
                                       SIMSYNTHD_PATH, "--log", synthLog_};
    arguments.insert(arguments.end(), options.begin(), options.end());
    const size_t said = SynthOutput().size();
    setenv("OUT", synthOutput_.c_str(), 1);
    synth_ = desktoptest::SpawnProgram(arguments);
    unsetenv("OUT");
    // Its ports exist once it announces them ("simsynthd: Kandrel on ..."),
    // however long a busy machine takes to bring them up.
    const auto end = Clock::now() + std::chrono::seconds(30);
    while (synth_ > 0 && Clock::now() < end) {
        if (waitpid(synth_, nullptr, WNOHANG) == synth_) {
            synth_ = 0;
            break;
        }
        const std::string output = SynthOutput();
        if (output.find(" on \"", said) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

std::string ScenarioSession::SynthOutput() const
{
    return ReadAll(synthOutput_);
}

void ScenarioSession::StopSynth()
{
    desktoptest::StopProgram(synth_);
    synth_ = 0;
}

std::string ScenarioSession::SynthLog() const
{
    return ReadAll(synthLog_);
}

std::string ScenarioSession::WaitForSynthLog(size_t from, const std::vector<std::string>& words,
                                             std::chrono::milliseconds timeout) const
{
    const auto end = Clock::now() + timeout;
    do {
        const std::string log = SynthLog();
        std::istringstream lines(log.size() > from ? log.substr(from) : std::string());
        for (std::string line; std::getline(lines, line);) {
            bool all = true;
            for (const std::string& word : words)
                all = all && line.find(word) != std::string::npos;
            if (all)
                return line;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (Clock::now() < end);
    return {};
}

bool ScenarioSession::StartEditor(std::string& why)
{
    // A start that failed half-way leaves nothing behind.
    desktoptest::StopProgram(editor_);
    editor_ = 0;
    std::filesystem::remove(report_);
    // A runtime folder of its own: a Patchora running elsewhere on the
    // machine is another single instance.
    const std::string runtime = dir_.File("run");
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    // Its file dialogs and the browser start in a home of the test's own.
    const std::string home = dir_.File("home");
    std::filesystem::create_directories(home);
    const char* ownHome = std::getenv("HOME");
    const std::string testHome = ownHome ? ownHome : "";
    setenv("HOME", home.c_str(), 1);
    setenv("PATCHORA_STATE_REPORT", report_.c_str(), 1);
    // The desktop's opener, stood in for by a script that notes the
    // descriptors it inherited (its listing's own folder among them), then
    // what it opens.
    const std::string opener = dir_.File("opener.sh");
    std::ofstream(opener) << "#!/bin/sh\nls -l /proc/self/fd >> '" << dir_.File("descriptors.txt")
                          << "'\necho \"$1\" >> '" << dir_.File("opened.txt") << "'\n";
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    setenv("TORVAN_OPENER", opener.c_str(), 1);
    // On the X server or not at all: no silent fall-back to an invisible desktop.
    setenv("SDL_VIDEODRIVER", "x11", 1);
    const std::string log = dir_.File("patchora.log");
    const desktoptest::ScreenReader screen;
    const auto start = Clock::now();
    editor_ = desktoptest::SpawnProgram({"/bin/sh", "-c", "exec \"$0\" >\"$1\" 2>&1", EditorProgram(), log});
    unsetenv("PATCHORA_STATE_REPORT");
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("TORVAN_OPENER");
    setenv("HOME", testHome.c_str(), 1);
    if (!editor_) {
        why = "Patchora did not start";
        return false;
    }
    while (!SomethingPainted(screen) && Clock::now() - start < std::chrono::seconds(30)) {
        if (waitpid(editor_, nullptr, WNOHANG) == editor_) {
            editor_ = 0;
            why = "Patchora ended at once: " + EditorLog();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    firstFrameMs_ = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    // It writes its first report unasked once it has started.
    const auto end = Clock::now() + std::chrono::seconds(30);
    while (!std::filesystem::exists(report_) && Clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!std::filesystem::exists(report_)) {
        why = "Patchora wrote no state: " + EditorLog();
        return false;
    }
    return true;
}

int ScenarioSession::WaitForEditorExit(std::chrono::milliseconds timeout)
{
    const auto end = Clock::now() + timeout;
    do {
        int status = 0;
        if (waitpid(editor_, &status, WNOHANG) == editor_) {
            editor_ = 0;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (Clock::now() < end);
    return -1;
}

long ScenarioSession::EditorResidentKb() const
{
    std::ifstream status("/proc/" + std::to_string(editor_) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

long ScenarioSession::EditorPrivateKb() const
{
    std::ifstream rollup("/proc/" + std::to_string(editor_) + "/smaps_rollup");
    for (std::string line; std::getline(rollup, line);)
        if (line.rfind("Private_Dirty:", 0) == 0)
            return std::atol(line.c_str() + 14);
    return 0;
}

bool ScenarioSession::EditorMaps(const std::string& name) const
{
    std::ifstream maps("/proc/" + std::to_string(editor_) + "/maps");
    for (std::string line; std::getline(maps, line);) {
        const size_t file = line.rfind('/');
        if (file != std::string::npos && line.find(name, file) != std::string::npos)
            return true;
    }
    return false;
}

std::vector<std::string> ScenarioSession::OpenedUrls() const
{
    std::vector<std::string> urls;
    std::ifstream in(dir_.File("opened.txt"));
    for (std::string line; std::getline(in, line);)
        urls.push_back(line);
    return urls;
}

std::vector<std::string> ScenarioSession::OpenerInheritedDescriptors() const
{
    std::vector<std::string> inherited;
    std::ifstream in(dir_.File("descriptors.txt"));
    for (std::string line; std::getline(in, line);) {
        const size_t arrow = line.find(" -> ");
        if (arrow == std::string::npos)
            continue;
        const size_t number = line.rfind(' ', arrow - 1) + 1;
        const int fd = std::stoi(line.substr(number, arrow - number));
        const std::string target = line.substr(arrow + 4);
        const bool listingsOwn =
            target.rfind("/proc/", 0) == 0 && target.size() > 3 && target.compare(target.size() - 3, 3, "/fd") == 0;
        if (fd > 2 && !listingsOwn)
            inherited.push_back(line.substr(number));
    }
    return inherited;
}

std::string ScenarioSession::EditorLog() const
{
    return ReadAll(dir_.File("patchora.log"));
}

EditorReport ScenarioSession::Read() const
{
    std::ifstream in(report_);
    return EditorReport::Parse(in);
}

EditorReport ScenarioSession::Ask(int signal)
{
    const unsigned last = Read().serial;
    if (editor_ > 0)
        kill(editor_, signal);
    const auto end = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < end) {
        if (EditorReport report = Read(); report.serial > last)
            return report;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return Read();
}

EditorReport ScenarioSession::Report()
{
    return Ask(SIGUSR1);
}

EditorReport ScenarioSession::ReportWithRepaint()
{
    return Ask(SIGUSR2);
}

EditorReport ScenarioSession::WaitFor(const std::function<bool(const EditorReport&)>& test,
                                      std::chrono::milliseconds timeout)
{
    const auto end = Clock::now() + timeout;
    EditorReport report = Report();
    while (!test(report) && Clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        report = Report();
    }
    return report;
}

void ScenarioSession::Click(platform::Point at, int button)
{
    desktop_.Xdo(desktoptest::MoveTo(at) + " click " + std::to_string(button));
}

void ScenarioSession::Drag(platform::Point from, platform::Point to, int steps)
{
    using desktoptest::MoveTo;
    std::string script = MoveTo(from) + " mousedown 1 sleep 0.1";
    for (int i = 1; i <= steps; ++i)
        script +=
            " " + MoveTo({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps}) + " sleep 0.03";
    desktop_.Xdo(script + " sleep 0.1 mouseup 1");
}

bool ScenarioSession::ClickButton(const std::string& window, const std::string& label)
{
    const EditorReport report =
        WaitFor([&](const EditorReport& r) { return r.FindView(window, "button", label) != nullptr; }, 10s);
    const EditorReport::View* button = report.FindView(window, "button", label);
    if (button)
        Click(desktoptest::Center(button->rect));
    return button != nullptr;
}

bool ScenarioSession::Pick(const platform::Rect& popup, int index)
{
    // A drop-down list's rows are 16 pixels high below a 1-pixel border.
    constexpr int kListRow = 16;
    const auto before = desktop_.ShownWindows();
    Click(desktoptest::Center(popup));
    const auto list = desktop_.WaitForNewWindow(before);
    if (list)
        Click({list->left + 20, list->top + 1 + index * kListRow + kListRow / 2});
    return list.has_value();
}

namespace {

int IndexOf(const std::vector<std::string>& names, const std::string& part)
{
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i].find(part) != std::string::npos)
            return static_cast<int>(i);
    return -1;
}

} // namespace

bool ScenarioSession::ChoosePort1(const std::string& input, const std::string& output, std::string& why)
{
    const EditorReport before = Report();
    Click({before.frame.right - 40, before.frame.bottom - 40});
    desktop_.Xdo("key ctrl+m");
    EditorReport report = WaitFor([](const EditorReport& r) { return r.FindWindow("MIDI Setup") != nullptr; }, 15s);
    if (!report.FindWindow("MIDI Setup")) {
        why = "Ctrl+M opened no MIDI dialog";
        return false;
    }
    const int in = IndexOf(report.midiIn, input);
    const int out = IndexOf(report.midiOut, output);
    if (in < 0 || out < 0) {
        why = "the dialog does not list \"" + input + "\" among the inputs and \"" + output + "\" among the outputs";
        return false;
    }
    std::vector<EditorReport::View> popups;
    const EditorReport::View* box = report.FindView("MIDI Setup", "checkbox", "Enabled");
    for (const EditorReport::View& v : report.ViewsOf("MIDI Setup"))
        if (v.kind == "popup")
            popups.push_back(v);
    if (popups.size() != 8 || !box) {
        why = "the dialog has not its four ports' lists and boxes";
        return false;
    }
    if (!box->checked)
        Click(desktoptest::Center(box->rect)); // Port 1: Enabled
    report = WaitFor([](const EditorReport& r) {
        const EditorReport::View* enabled = r.FindView("MIDI Setup", "checkbox", "Enabled");
        return enabled && enabled->checked;
    });
    if (!Pick(popups[0].rect, in) || !Pick(popups[1].rect, out) || !ClickButton("MIDI Setup", "Apply")) {
        why = "a list did not drop down or Apply was not there";
        return false;
    }
    return true;
}

std::string ScenarioSession::ScreenshotFolder()
{
    return TORVAN_TEST_OUTPUT_DIR "/first-hour";
}

void ScenarioSession::Screenshot(const std::string& name, const platform::Rect& part) const
{
    std::filesystem::create_directories(ScreenshotFolder());
    const platform::PixelBuffer screen = desktop_.Grab(part);
    if (screen.Width() > 0)
        platform::WritePng(ScreenshotFolder() + "/" + name + ".png", screen);
}

} // namespace firsthour
