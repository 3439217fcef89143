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

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The program under test: the build's own, or another build's named in
// FIRSTHOUR_PATCHORA (to measure a release build).
std::string EditorProgram()
{
    const char* other = std::getenv("FIRSTHOUR_PATCHORA");
    return other && *other ? other : PATCHORA_PATH;
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

ScenarioSession::ScenarioSession() : report_(dir_.File("state.txt")), synthLog_(dir_.File("simsynthd.log")) { }

ScenarioSession::~ScenarioSession()
{
    desktoptest::StopProgram(editor_);
    StopSynth();
}

bool ScenarioSession::StartDesktop(std::string& why)
{
    if (!desktop_.Start(why, "1280x1024x24"))
        return false;
    // Under a window manager, as on every desktop, when one is installed.
    if (desktoptest::VirtualDesktop::WindowManagerPresent() && !desktop_.StartWindowManager(why))
        return false;
    // The desktop libraries keep allocations to the end of the process.
    const char* asan = std::getenv("ASAN_OPTIONS");
    setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
    return true;
}

bool ScenarioSession::StartSynth(const std::vector<std::string>& options)
{
    std::vector<std::string> arguments{SIMSYNTHD_PATH, "--log", synthLog_};
    arguments.insert(arguments.end(), options.begin(), options.end());
    synth_ = desktoptest::SpawnProgram(arguments, true);
    // Its ports exist once it says so in its log's first line or a moment passed.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    return synth_ > 0 && waitpid(synth_, nullptr, WNOHANG) == 0;
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
    // The desktop's opener, stood in for by a script that notes what it opens.
    const std::string opener = dir_.File("opener.sh");
    std::ofstream(opener) << "#!/bin/sh\necho \"$1\" >> '" << dir_.File("opened.txt") << "'\n";
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

std::vector<std::string> ScenarioSession::OpenedUrls() const
{
    std::vector<std::string> urls;
    std::ifstream in(dir_.File("opened.txt"));
    for (std::string line; std::getline(in, line);)
        urls.push_back(line);
    return urls;
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
