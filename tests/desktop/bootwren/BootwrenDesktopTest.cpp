// Bootwren on the real desktop: the program under a virtual X server, driven
// by real X input, sending a small synthetic system to simsynthd in its
// update state over the test's JACK server. Each step is checked by what
// Bootwren reports of itself (BOOTWREN_STATE_REPORT), and the screen is kept
// in build/<preset>/test-output/bootwren/.
#include "platform/graphics/PngWriter.h"
#include "tests/desktop/support/VirtualDesktop.h"
#include "tests/support/TempDir.h"
#include "tests/updater/support/SyntheticImages.h"
#include "tests/support/RequiredTools.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using desktoptest::Center;
using desktoptest::MoveTo;
using platform::Point;
using platform::Rect;

// A drop-down list's rows are 16 pixels high below a 1-pixel border.
constexpr int kListRow = 16;

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// What Bootwren reports of itself.
struct Report {
    struct View {
        std::string kind;
        Rect rect;
        bool enabled = false;
        int value = 0;
        std::string text;
    };
    unsigned serial = 0;
    int page = 0;
    int dump = 0;
    std::vector<View> views;      // the page's
    std::vector<View> otherViews; // the other windows' (an alert)
    std::vector<std::string> ins, outs;

    static std::optional<Report> Parse(const std::string& text)
    {
        Report r;
        std::istringstream lines(text);
        bool ended = false;
        bool others = false;
        for (std::string line; std::getline(lines, line);) {
            std::istringstream in(line);
            std::string word;
            in >> word;
            if (word == "serial") {
                in >> r.serial;
            } else if (word == "page") {
                in >> r.page;
            } else if (word == "dump") {
                in >> r.dump;
                ended = true;
            } else if (word == "window") {
                others = true;
            } else if (word == "view") {
                View v;
                in >> v.kind >> v.rect.left >> v.rect.top >> v.rect.right >> v.rect.bottom >> v.enabled >> v.value;
                in.get();
                std::getline(in, v.text);
                (others ? r.otherViews : r.views).push_back(v);
            } else if (word == "in" || word == "out") {
                in.get();
                std::getline(in, word);
                (line[0] == 'i' ? r.ins : r.outs).push_back(word);
            }
        }
        if (r.serial == 0 || !ended)
            return std::nullopt;
        return r;
    }

    const View* Find(const std::string& kind, const std::string& text = {}) const
    {
        for (const View& v : views)
            if (v.kind == kind && (text.empty() || v.text == text))
                return &v;
        return nullptr;
    }
    // The first text of the page (the dump page's status).
    std::string Status() const
    {
        for (const View& v : views)
            if (v.kind == "text")
                return v.text;
        return {};
    }
};

int IndexOf(const std::vector<std::string>& names, const std::string& part)
{
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i].find(part) != std::string::npos)
            return static_cast<int>(i);
    return -1;
}

class BootwrenDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (testsupport::Unavailable({.programs = desktoptest::VirtualDesktop::Tools(), .jackServer = true}))
            return;
        std::string why;
        ASSERT_TRUE(desktop_.Start(why)) << why;
        // The desktop libraries keep allocations to the end of the process.
        const char* asan = std::getenv("ASAN_OPTIONS");
        setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
        name_ = "upd" + std::to_string(getpid());
        ASSERT_NO_FATAL_FAILURE(StartSynth());
    }

    void StartSynth()
    {
        synth_ = desktoptest::SpawnProgram({SIMSYNTHD_PATH, "--api", "jack", "--os-update", "--model", "pebix",
                                            "--version", "3.0.0.0.0", "--name", name_, "--payload", received_},
                                           true);
        ASSERT_GT(synth_, 0);
        std::this_thread::sleep_for(500ms); // its ports appear
    }

    void TearDown() override
    {
        desktoptest::StopProgram(bootwren_);
        desktoptest::StopProgram(synth_);
    }

    // Starts Bootwren and gives it the image through its file dialog.
    void Start(const updatertest::SyntheticImage& image)
    {
        desktoptest::StopProgram(bootwren_);
        const std::string file = dir_.File("update.dmp");
        const std::vector<uint8_t> bytes = image.Bytes();
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        std::filesystem::remove(report_);
        const std::string runtime = dir_.File("run");
        std::filesystem::create_directories(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        setenv("BOOTWREN_STATE_REPORT", report_.c_str(), 1);
        setenv("TORVAN_MIDI_API", "jack", 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        const auto before = desktop_.ShownWindows();
        bootwren_ = desktoptest::SpawnProgram(
            {"/bin/sh", "-c", "exec \"$0\" >\"$1\" 2>&1", BOOTWREN_PATH, dir_.File("bootwren.log")});
        ASSERT_GT(bootwren_, 0);
        // It carries no system of its own: the file dialog comes first,
        // with the focus in its name field.
        bool shown = false;
        for (const auto end = Clock::now() + 20s; !shown && Clock::now() < end;) {
            shown = desktop_.WaitForNewWindow(before, 200ms).has_value();
            if (!shown && waitpid(bootwren_, nullptr, WNOHANG) == bootwren_) {
                bootwren_ = 0;
                break;
            }
        }
        unsetenv("BOOTWREN_STATE_REPORT");
        unsetenv("TORVAN_MIDI_API");
        unsetenv("SDL_VIDEODRIVER");
        ASSERT_TRUE(shown) << "no file dialog; " << ReadAll(dir_.File("bootwren.log"));
        std::this_thread::sleep_for(300ms);
        desktop_.Xdo("type --delay 10 '" + file + "'");
        desktop_.Xdo("key Return");
        ASSERT_EQ(WaitFor([](const Report& r) { return r.page == 1; }).page, 1) << ReadAll(dir_.File("bootwren.log"));
    }

    std::optional<Report> Read() const { return Report::Parse(ReadAll(report_)); }

    // Asks for a report and waits for it.
    Report State()
    {
        const unsigned last = Read() ? Read()->serial : 0;
        kill(bootwren_, SIGUSR1);
        const auto end = Clock::now() + 5s;
        while (Clock::now() < end) {
            if (const std::optional<Report> r = Read(); r && r->serial > last)
                return *r;
            std::this_thread::sleep_for(5ms);
        }
        ADD_FAILURE() << "Bootwren does not report";
        return {};
    }

    Report WaitFor(const std::function<bool(const Report&)>& test, std::chrono::milliseconds timeout = 20s)
    {
        const auto end = Clock::now() + timeout;
        Report r;
        do {
            r = State();
            if (test(r))
                return r;
        } while (Clock::now() < end);
        return r;
    }

    void Click(Point p) { desktop_.Xdo(MoveTo(p) + " " + MoveTo({p.x + 1, p.y}) + " click 1"); }

    void ClickButton(const std::string& label)
    {
        const Report r = WaitFor([&](const Report& r) {
            const Report::View* b = r.Find("button", label);
            return b && b->enabled;
        });
        const Report::View* button = r.Find("button", label);
        ASSERT_TRUE(button && button->enabled) << "no enabled button \"" << label << "\" on page " << r.page;
        Click(Center(button->rect));
    }

    // Picks the port whose name holds `port` as the opened list shows it:
    // the list is dropped down and closed on its first entry (the program
    // reports nothing while a list is down), then the port is chosen with
    // the keys in the closed list, which keeps the focus.
    void PickPort(const Report::View& popup, const std::string& port, bool input)
    {
        const auto before = desktop_.ShownWindows();
        Click(Center(popup.rect));
        const std::optional<Rect> list = desktop_.WaitForNewWindow(before);
        ASSERT_TRUE(list) << "the list did not drop down";
        Click({list->left + 20, list->top + 1 + kListRow / 2});
        const Report shown = State();
        const int index = IndexOf(input ? shown.ins : shown.outs, port);
        ASSERT_GE(index, 0) << port << " is not in the opened list";
        desktop_.Xdo("key Home" + (index > 0 ? " key --repeat " + std::to_string(index) + " Down" : std::string()));
        const Report chosen = WaitFor([&](const Report& r) {
            const std::vector<int> values = PopupValues(r);
            return values.size() == 2 && values[input ? 0 : 1] == index;
        });
        ASSERT_EQ(PopupValues(chosen).at(input ? 0 : 1), index) << port << " was not chosen";
    }

    static std::vector<Report::View> Popups(const Report& r)
    {
        std::vector<Report::View> popups;
        for (const Report::View& v : r.views)
            if (v.kind == "popup")
                popups.push_back(v);
        return popups;
    }

    static std::vector<int> PopupValues(const Report& r)
    {
        std::vector<int> values;
        for (const Report::View& v : Popups(r))
            values.push_back(v.value);
        return values;
    }

    // On the MIDI page: simsynthd's ports chosen, and Next finds it.
    void ChooseTheSynthesizer(const Report& midi)
    {
        const std::vector<Report::View> popups = Popups(midi);
        ASSERT_EQ(popups.size(), 2u);
        ASSERT_NO_FATAL_FAILURE(PickPort(popups[0], name_ + " out", true));
        ASSERT_NO_FATAL_FAILURE(PickPort(popups[1], name_ + " in", false));
        ASSERT_NO_FATAL_FAILURE(ClickButton("Next >"));
        // The current page finds the synthesizer and offers the dump.
        ASSERT_EQ(WaitFor([](const Report& r) { return r.page == 4; }).page, 4);
        ASSERT_NO_FATAL_FAILURE(ClickButton("Dump >"));
    }

    // From page 1 to the dump page on simsynthd's ports.
    void GoToTheDump()
    {
        ASSERT_NO_FATAL_FAILURE(ClickButton("Next >"));
        ASSERT_EQ(WaitFor([](const Report& r) { return r.page == 2; }).page, 2);
        ASSERT_NO_FATAL_FAILURE(FromThePreparePageToTheDump());
    }

    void FromThePreparePageToTheDump()
    {
        ASSERT_NO_FATAL_FAILURE(ClickButton("Next >"));
        const Report midi = WaitFor([](const Report& r) { return r.page == 3; });
        ASSERT_EQ(midi.page, 3);
        EXPECT_GE(IndexOf(midi.ins, name_ + " out"), 0) << "simsynthd's output is not listed";
        EXPECT_GE(IndexOf(midi.outs, name_ + " in"), 0) << "simsynthd's input is not listed";
        ASSERT_NO_FATAL_FAILURE(ChooseTheSynthesizer(midi));
        ASSERT_EQ(WaitFor([](const Report& r) { return r.page == 5; }).page, 5);
    }

    void Screenshot(const std::string& name) const
    {
        const std::string folder = TORVAN_TEST_OUTPUT_DIR "/bootwren";
        std::filesystem::create_directories(folder);
        const platform::PixelBuffer screen = desktop_.Grab({0, 0, 640, 480});
        if (screen.Width() > 0)
            platform::WritePng(folder + "/" + name + ".png", screen);
    }

    // Waits for the alert that says the synthesizer was not updated, checks
    // the dump stopped behind it, and ends Bootwren by its OK, clicked or
    // pressed with Return once.
    enum class Answer { Click, Return };
    void AnswerTheNotUpdatedAlert(Answer answer = Answer::Click)
    {
        const Report r = WaitFor([](const Report& r) {
            for (const Report::View& v : r.otherViews)
                if (v.kind == "button" && v.text == "OK")
                    return true;
            return false;
        });
        const Report::View* ok = nullptr;
        bool notUpdated = false;
        for (const Report::View& v : r.otherViews) {
            ok = v.kind == "button" && v.text == "OK" ? &v : ok;
            notUpdated = notUpdated || v.text.find("has NOT been updated!") != std::string::npos;
        }
        ASSERT_NE(ok, nullptr) << "the alert has no OK";
        EXPECT_TRUE(notUpdated) << "the alert does not say the synthesizer was not updated";
        EXPECT_EQ(r.dump, 0) << "the dump goes on behind the alert";
        if (answer == Answer::Click)
            Click(Center(ok->rect));
        else
            desktop_.Xdo("key Return");
        int status = 0;
        pid_t ended = 0;
        for (const auto end = Clock::now() + 10s; Clock::now() < end && ended == 0;) {
            ended = waitpid(bootwren_, &status, WNOHANG);
            std::this_thread::sleep_for(20ms);
        }
        EXPECT_EQ(ended, bootwren_) << "Bootwren did not end after OK";
        if (ended == bootwren_) {
            bootwren_ = 0;
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadAll(dir_.File("bootwren.log"));
        }
    }

    desktoptest::VirtualDesktop desktop_;
    testsupport::ScopedConfigHome home_;
    testsupport::TempDir dir_;
    std::string report_ = dir_.File("state.txt");
    std::string received_ = dir_.File("received.bin");
    std::string name_;
    pid_t synth_ = 0;
    pid_t bootwren_ = 0;
};

TEST_F(BootwrenDesktop, TheDumpShowsItsPerCentRisingAndCancelAnswersAtOnce)
{
    // About 6 s of packets at 73 ms each.
    const updatertest::SyntheticImage image = updatertest::SmallSyntheticImage(112 * 80);
    ASSERT_NO_FATAL_FAILURE(Start(image));
    ASSERT_NO_FATAL_FAILURE(GoToTheDump());

    // The per cent rises on the page while the packets go out; Back is off.
    // The dump goes once: nothing is lost on the way.
    std::set<int> perMille;
    std::vector<std::string> statuses;
    Report r;
    for (const auto end = Clock::now() + 30s; Clock::now() < end;) {
        r = State();
        if (r.page != 5 || r.Status() == "Dump error!")
            break;
        const Report::View* bar = r.Find("progress");
        ASSERT_NE(bar, nullptr);
        perMille.insert(bar->value);
        if (r.Status().rfind("Dumping...", 0) == 0 && (statuses.empty() || statuses.back() != r.Status()))
            statuses.push_back(r.Status());
        const Report::View* back = r.Find("button", "< Back");
        ASSERT_NE(back, nullptr);
        EXPECT_FALSE(back->enabled) << "Back is on during the dump at " << r.Status();
        if (perMille.size() == 3)
            Screenshot("dumping");
        std::this_thread::sleep_for(150ms);
    }
    ASSERT_EQ(r.page, 6) << "the store page did not come; last status " << r.Status();
    EXPECT_GE(perMille.size(), 10u);
    EXPECT_GE(statuses.size(), 10u);
    for (size_t i = 1; i < statuses.size(); ++i)
        EXPECT_LT(std::atoi(statuses[i - 1].c_str() + 10), std::atoi(statuses[i].c_str() + 10))
            << statuses[i - 1] << " then " << statuses[i];
    Screenshot("stored");
    const std::string received = ReadAll(received_);
    EXPECT_TRUE(std::vector<uint8_t>(received.begin(), received.end()) == image.payload)
        << "simsynthd received " << received.size() << " bytes of " << image.payload.size();

    // Once more, and Cancel half way: the alert comes at once, and OK ends
    // the program. (How soon the window answers is told, not bounded: the
    // time on a busy machine is mostly the wait for a processor; the
    // wizard's tests hold its answer to the packet under way.)
    std::filesystem::remove(received_);
    ASSERT_NO_FATAL_FAILURE(Start(image));
    ASSERT_NO_FATAL_FAILURE(GoToTheDump());
    r = WaitFor([](const Report& r) { return r.page != 5 || !r.Find("progress") || r.Find("progress")->value >= 200; });
    ASSERT_EQ(r.page, 5);
    const auto before = desktop_.ShownWindows();
    const auto clicked = Clock::now();
    Click(Center(r.Find("button", "Cancel")->rect));
    ASSERT_TRUE(desktop_.WaitForNewWindow(before, 5s)) << "no alert after Cancel";
    const auto answered = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - clicked);
    std::printf("Cancel to the alert on the screen: %lld ms\n", static_cast<long long>(answered.count()));
    Screenshot("cancelled");
    ASSERT_NO_FATAL_FAILURE(AnswerTheNotUpdatedAlert());
    EXPECT_FALSE(std::filesystem::exists(received_)) << "the cancelled dump went on to its end";
}

// The synthesizer switched off half way through the dump: the page says
// "Dump error!" and why, and the keys alone end the program, Escape for
// Cancel and one Return on the alert; the page behind it takes neither key.
TEST_F(BootwrenDesktop, ASynthesizerLostDuringTheDumpIsADumpErrorThatEscapeAndOneReturnEnd)
{
    ASSERT_NO_FATAL_FAILURE(Start(updatertest::SmallSyntheticImage(112 * 80)));
    ASSERT_NO_FATAL_FAILURE(GoToTheDump());
    Report r =
        WaitFor([](const Report& r) { return r.page != 5 || !r.Find("progress") || r.Find("progress")->value >= 100; });
    ASSERT_EQ(r.page, 5);
    desktoptest::StopProgram(synth_);
    synth_ = 0;
    r = WaitFor([](const Report& r) { return r.page != 5 || r.Status() == "Dump error!"; });
    ASSERT_EQ(r.page, 5);
    ASSERT_EQ(r.Status(), "Dump error!");
    const Report::View* back = r.Find("button", "< Back");
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->enabled) << "Back does not offer a new try";
    Screenshot("dump-error");

    const auto before = desktop_.ShownWindows();
    desktop_.Xdo("key Escape");
    ASSERT_TRUE(desktop_.WaitForNewWindow(before, 5s))
        << "no alert after Escape; " << ReadAll(dir_.File("bootwren.log"));
    ASSERT_NO_FATAL_FAILURE(AnswerTheNotUpdatedAlert(Answer::Return));
}

// The synthesizer switched off before the MIDI page and on again while it is
// shown: each list, opened, shows the ports there are now (no Back and Next
// needed), and the synthesizer is found on them.
TEST_F(BootwrenDesktop, AListOpenedShowsThePortsOfASynthesizerSwitchedOnAgain)
{
    ASSERT_NO_FATAL_FAILURE(Start(updatertest::SmallSyntheticImage(112)));
    ASSERT_NO_FATAL_FAILURE(ClickButton("Next >"));
    ASSERT_EQ(WaitFor([](const Report& r) { return r.page == 2; }).page, 2);
    desktoptest::StopProgram(synth_);
    synth_ = 0;
    ASSERT_NO_FATAL_FAILURE(ClickButton("Next >"));
    const Report midi = WaitFor([](const Report& r) { return r.page == 3; });
    ASSERT_EQ(midi.page, 3);
    EXPECT_LT(IndexOf(midi.ins, name_ + " out"), 0) << "the ports of a stopped synthesizer are listed";

    ASSERT_NO_FATAL_FAILURE(StartSynth());
    ASSERT_NO_FATAL_FAILURE(ChooseTheSynthesizer(midi));
    // The image goes to it and the store page follows.
    EXPECT_EQ(WaitFor([](const Report& r) { return r.page == 6; }).page, 6);
    Screenshot("ports-back");
}

// Under a window manager, closing Bootwren through it (Alt+F4, its close
// button, the taskbar) during the dump is the Cancel button: the dump stops
// and the user is told the synthesizer was not updated.
class BootwrenUnderWindowManager : public BootwrenDesktop {
protected:
    void SetUp() override
    {
        if (testsupport::Unavailable({.programs = desktoptest::VirtualDesktop::Tools(true)}))
            return;
        ASSERT_NO_FATAL_FAILURE(BootwrenDesktop::SetUp());
        if (IsSkipped())
            return;
        std::string why;
        ASSERT_TRUE(desktop_.StartWindowManager(why)) << why;
    }
};

TEST_F(BootwrenUnderWindowManager, ClosedByTheManagerDuringTheDumpItStopsAndSaysTheSynthesizerWasNotUpdated)
{
    const updatertest::SyntheticImage image = updatertest::SmallSyntheticImage(112 * 80);
    ASSERT_NO_FATAL_FAILURE(Start(image));
    ASSERT_NO_FATAL_FAILURE(GoToTheDump());
    Report r =
        WaitFor([](const Report& r) { return r.page != 5 || !r.Find("progress") || r.Find("progress")->value >= 100; });
    ASSERT_EQ(r.page, 5);
    const unsigned long window = desktop_.WindowAt(Center(r.Find("button", "Cancel")->rect));
    ASSERT_NE(window, 0u);
    const auto before = desktop_.ShownWindows();
    std::ostringstream id;
    id << "-i -c 0x" << std::hex << window;
    desktop_.Wmctrl(id.str());
    ASSERT_TRUE(desktop_.WaitForNewWindow(before, 5s))
        << "no alert after the manager's close; " << ReadAll(dir_.File("bootwren.log"));
    Screenshot("closed-by-the-manager");
    EXPECT_NE(waitpid(bootwren_, nullptr, WNOHANG), bootwren_) << "Bootwren quit without a word";
    // One Return ends the program: it does not also walk the wizard back.
    ASSERT_NO_FATAL_FAILURE(AnswerTheNotUpdatedAlert(Answer::Return));
}

// Its window has one size, the page's: the manager moves it but neither sizes
// it (Alt with the right button, openbox's own sizing drag) nor maximises it,
// and the page goes on answering where the window went.
TEST_F(BootwrenUnderWindowManager, ItsWindowMovesButKeepsItsSizeUnderTheManager)
{
    ASSERT_NO_FATAL_FAILURE(Start(updatertest::SmallSyntheticImage(112)));
    const Report first = State();
    const Report::View* next = first.Find("button", "Next >");
    ASSERT_NE(next, nullptr);
    const unsigned long window = desktop_.WindowAt(Center(next->rect));
    ASSERT_NE(window, 0u);
    const Rect placed = desktop_.Inspect(window).rect;
    auto sizeOf = [](const Rect& r) { return Point{r.right - r.left, r.bottom - r.top}; };

    const Point corner{placed.right - 10, placed.bottom - 10};
    desktop_.Xdo(MoveTo(corner) + " keydown alt mousedown 3 " + MoveTo({corner.x + 20, corner.y + 20}) + " " +
                 MoveTo({corner.x + 150, corner.y + 120}) + " mouseup 3 keyup alt");
    desktop_.Wmctrl("-i -r " + desktoptest::Id(window) + " -b add,maximized_vert,maximized_horz");
    std::this_thread::sleep_for(500ms);
    const Rect after = desktop_.Inspect(window).rect;
    EXPECT_EQ(sizeOf(after).x, sizeOf(placed).x) << "the manager sized the window";
    EXPECT_EQ(sizeOf(after).y, sizeOf(placed).y) << "the manager sized the window";
    Screenshot("kept-its-size");

    // Moved by its caption, it still takes its clicks there.
    desktop_.Drag({placed.left + 60, placed.top + 8}, {placed.left + 160, placed.top + 88}, 8);
    auto movedOn = [&](const Report& r) {
        const Report::View* b = r.Find("button", "Next >");
        return b && b->rect.left > next->rect.left + 50 && b->rect.top > next->rect.top + 40;
    };
    EXPECT_TRUE(movedOn(WaitFor(movedOn, 5s))) << "the window did not move";
    ASSERT_NO_FATAL_FAILURE(ClickButton("Next >"));
    EXPECT_EQ(WaitFor([](const Report& r) { return r.page == 2; }).page, 2);
}

} // namespace
