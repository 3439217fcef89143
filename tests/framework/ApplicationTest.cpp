#include "framework/windows/ABCWindow.h"
#include "framework/images/Bitmap.h"
#include "framework/images/ImageCache.h"
#include "framework/alerts/AlertBox.h"
#include "framework/alerts/AlertHook.h"
#include "framework/application/Application.h"
#include "framework/windows/DocumentWindow.h"
#include "framework/base/Exceptions.h"
#include "framework/application/Help.h"
#include "framework/menus/Menu.h"
#include "framework/menus/MenuBar.h"
#include "framework/resources/ResourceModule.h"
#include "framework/application/SingleInstance.h"
#include "framework/application/StartupRecord.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/detail/FontGlyph.h"
#include "platform/system/Clock.h"
#include "platform/menus/MenuWindows.h"
#include "platform/system/File.h"
#include "platform/system/SharedInstanceBlock.h"
#include "platform/system/detail/InstanceSocket.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"
#include "tests/support/HeadlessDesktop.h"
#include "tests/support/ScopedProcess.h"
#include "tests/support/TempDir.h"
#include "platform/menus/PopupMenuRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <fstream>
#include <functional>
#include <utility>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace NSHarrowen;

namespace {

const std::string kMenus = "1 {File~F;Open...#O~O=101;Save#S~S=103;-;Close~C=102}\n";
constexpr size_t kPageBytes = 4096;
// Three pages of compiled-in bytes, placed as the resource compiler places them.
constexpr std::array<uint8_t, 3 * kPageBytes> Pattern()
{
    std::array<uint8_t, 3 * kPageBytes> bytes{};
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + 1);
    return bytes;
}
HARROWEN_RESOURCE_BYTES const std::array<uint8_t, 3 * kPageBytes> kPages = Pattern();
const CResourceEntry kEntries[] = {
    {"SMNU", 128, reinterpret_cast<const uint8_t*>(kMenus.data()), kMenus.size()},
    {"DATA", 129, kPages.data(), kPages.size()},
};

// The kilobytes of the file at path in the process's memory now.
long ResidentKbOf(const std::string& path)
{
    std::ifstream smaps("/proc/self/smaps");
    long kb = 0;
    bool inFile = false;
    for (std::string line; std::getline(smaps, line);) {
        const std::string first = line.substr(0, line.find(' '));
        if (first.back() != ':') // a mapping's line, its file last
            inFile = line.size() >= path.size() && line.compare(line.size() - path.size(), path.size(), path) == 0;
        else if (inFile && first == "Rss:")
            kb += std::stol(line.substr(first.size()));
    }
    return kb;
}

// Whether the page holding `address` is in the process's memory now.
bool PageResident(const void* address)
{
    platform::CFileHandle pagemap = platform::CFileHandle::OpenForReading("/proc/self/pagemap");
    uint64_t entry = 0;
    EXPECT_TRUE(pagemap.Seek(reinterpret_cast<uintptr_t>(address) / kPageBytes * sizeof entry) &&
                pagemap.ReadFully(&entry, sizeof entry))
        << "no page map";
    return (entry >> 63) != 0;
}

// A small program: one File menu, commands and opened documents recorded,
// and a script of steps, one per idle step; after the last it quits.
class CTestApp : public CApplication {
public:
    using Step = std::function<void(CTestApp&)>;

    explicit CTestApp(const CStartupRecord& record, std::vector<Step> steps = {})
        : CApplication(record), steps_(std::move(steps))
    { }

    void Init() override
    {
        file_ = std::make_unique<CMenu>(600128001);
        bar_ = std::make_unique<CMenuBar>();
        bar_->AppendMenu(file_.get());
        bar_->LeaveModal();
        if (onInit)
            onInit(*this);
    }
    void Exit() override
    {
        bar_.reset();
        file_.reset();
    }
    CMenuBar* GetMenuBar() override { return bar_.get(); }
    void UpdateMenus(CMenuBar* bar) override
    {
        ++menuUpdates;
        bar->SetCommandEnabled(101, true);
        bar->SetCommandEnabled(103, saveEnabled);
        bar->SetCommandEnabled(102, true);
    }
    void HandleMenuSelect(CMenu* menu, uint32_t command) override
    {
        commands.push_back(command);
        CApplication::HandleMenuSelect(menu, command);
    }
    void OpenDocument(const CFileSpec& file, const CUnknownFileType&, uint32_t) override
    {
        opened.push_back(file.GetFullPath());
    }
    void OpenUntitled() override { ++untitled; }
    void Idle() override
    {
        idleTimes.push_back(platform::NowMilliseconds());
        if (running_)
            return; // a step that pumps messages itself
        running_ = true;
        if (next_ < steps_.size())
            steps_[next_++](*this);
        else if (quitWhenDone && idledAfterSteps_++ > 0)
            RequestQuit(); // after one idle step of its own
        running_ = false;
        CApplication::Idle();
    }
    // Waits (idle steps) until the condition holds.
    static Step Until(std::function<bool(CTestApp&)> condition)
    {
        return [condition](CTestApp& app) {
            if (!condition(app))
                --app.next_;
        };
    }

    // A start-up step of the program's own (a splash shown and painted).
    Step onInit;
    bool saveEnabled = true;
    bool quitWhenDone = true;
    int menuUpdates = 0;
    int untitled = 0;
    std::vector<uint32_t> commands;
    std::vector<std::string> opened;
    std::vector<uint64_t> idleTimes;

private:
    std::vector<Step> steps_;
    size_t next_ = 0;
    int idledAfterSteps_ = 0;
    bool running_ = false;
    std::unique_ptr<CMenu> file_;
    std::unique_ptr<CMenuBar> bar_;
};

CStartupRecord Record(const std::string& commandLine = {})
{
    CStartupRecord record;
    record.SetApplicationName("Harrowen Test Program");
    record.SetCommandLine(commandLine);
    return record;
}

class Application : public ::testing::Test {
protected:
    platform::HeadlessHost& Host() { return desktop_.Host(); }
    // The keys are let go at the next step: modifiers are read as the
    // messages are handled.
    void PressCtrl(uint32_t key)
    {
        ReleaseKeys();
        Host().PressKey(platform::kVKControl);
        Host().PressKey(key);
        held_ = key;
    }
    void ReleaseKeys()
    {
        if (!held_)
            return;
        Host().ReleaseKey(held_);
        Host().ReleaseKey(platform::kVKControl);
        held_ = 0;
    }
    uint32_t held_ = 0;

    testsupport::ScopedConfigHome home_;
    testsupport::HeadlessDesktop desktop_;
    CResourceModule module_{"application test", kEntries};
    CAlertRecorder alerts_;
};

// A document window that refuses to close while it is told to.
class CStubbornWindow : public CDocumentWindow {
public:
    CStubbornWindow() : CDocumentWindow(0, "Stubborn") { }
    bool CanClose() override
    {
        ++asked;
        return mayClose;
    }
    void Close() override
    {
        if (closes)
            CDocumentWindow::Close();
    }
    bool mayClose = false;
    bool closes = true;
    int asked = 0;
};

// A document window whose idle step runs a job once: as a synthesizer job
// does, the job may take the waiting messages itself.
class CJobWindow : public CDocumentWindow {
public:
    explicit CJobWindow(std::function<void()> job) : CDocumentWindow(0, "Job"), job_(std::move(job)) { }
    void Idle() override
    {
        if (auto job = std::exchange(job_, nullptr))
            job();
        CDocumentWindow::Idle();
    }

private:
    std::function<void()> job_;
};

} // namespace

TEST_F(Application, ShortcutRoutesItsCommandOnlyWhileTheItemIsEnabledAndNoModalRuns)
{
    CTestApp app(Record(),
                 {
                     [&](CTestApp&) { PressCtrl(platform::kVKLetterA + ('S' - 'A')); },
                     [&](CTestApp& a) {
                         a.saveEnabled = false;
                         PressCtrl(platform::kVKLetterA + ('S' - 'A'));
                     },
                     [&](CTestApp&) { PressCtrl(platform::kVKLetterA + ('O' - 'A')); },
                     [&](CTestApp& a) {
                         a.DisableFrame(); // as a modal run does
                         PressCtrl(platform::kVKLetterA + ('O' - 'A'));
                     },
                     [&](CTestApp& a) {
                         a.EnableFrame();
                         ReleaseKeys();
                         Host().PressKey(platform::kVKLetterA + ('S' - 'A'));
                     },
                 });
    app.Run();
    EXPECT_EQ(app.commands, (std::vector<uint32_t>{103, 101}));
    EXPECT_GT(app.menuUpdates, 0);
}

TEST_F(Application, MenuBarOfTheFrameOpensItsMenusAndRoutesTheChoice)
{
    platform::CPopupMenuRecorder popups;
    popups.Answer("Save");
    popups.Answer("");
    CTestApp app(Record(),
                 {
                     [&](CTestApp& a) {
                         const platform::WindowHandle bar = a.GetMenuBarWindow();
                         ASSERT_NE(bar, 0u);
                         const platform::Rect file = platform::MenuBarTitleRects(bar).at(0);
                         Host().Click(platform::ClientToScreen(bar, {file.left + 3, file.top + 3}));
                     },
                     [&](CTestApp& a) {
                         const platform::WindowHandle bar = a.GetMenuBarWindow();
                         Host().Click(platform::ClientToScreen(bar, {5, 5}));
                     },
                 });
    app.Run();
    ASSERT_EQ(popups.ShownMenus().size(), 2u);
    EXPECT_EQ(popups.ShownMenus()[0].captions,
              (std::vector<std::string>{"&Open...\tCtrl+O", "&Save\tCtrl+S", "", "&Close"}));
    EXPECT_EQ(app.commands, (std::vector<uint32_t>{103}));
}

TEST_F(Application, AltAndATitlesLetterOpensThatMenu)
{
    platform::CPopupMenuRecorder popups;
    popups.Answer("Open...");
    CTestApp app(Record(),
                 {
                     [&](CTestApp&) {
                         Host().PressKey(platform::kVKAlt);
                         Host().PressKey(platform::kVKLetterA + ('F' - 'A'));
                     },
                     [&](CTestApp&) {
                         Host().ReleaseKey(platform::kVKLetterA + ('F' - 'A'));
                         Host().ReleaseKey(platform::kVKAlt);
                     },
                 });
    app.Run();
    ASSERT_EQ(popups.ShownMenus().size(), 1u);
    EXPECT_EQ(popups.ShownMenus()[0].captions.at(0), "&Open...\tCtrl+O");
    EXPECT_EQ(app.commands, (std::vector<uint32_t>{101}));
}

TEST_F(Application, TheKeyRightAfterAnAlertIsClosedByTheKeyboardReachesTheProgram)
{
    // Escape answers the alert, and Ctrl+O follows at once, before the
    // alert is deleted: the accelerator works, and nothing waits for a
    // second press.
    int answer = 0;
    int waited = 0;
    CTestApp app(Record(),
                 {
                     [&](CTestApp&) {
                         Host().PressKey(platform::kVKEscape);
                         Host().ReleaseKey(platform::kVKEscape);
                         PressCtrl(platform::kVKLetterA + ('O' - 'A'));
                         answer = RunAlertText("[WARN]Go on?[Yes][No]");
                     },
                     CTestApp::Until([&](CTestApp& a) { return !a.commands.empty() || ++waited > 40; }),
                     [&](CTestApp&) { ReleaseKeys(); },
                 });
    app.Run();
    EXPECT_EQ(answer, kAlertButton1); // No
    EXPECT_EQ(app.commands, (std::vector<uint32_t>{101}));
}

TEST_F(Application, IdleRunsEveryFiftyMillisecondsAndOnEveryPollWhileTracking)
{
    CTestApp app(Record(),
                 {
                     CTestApp::Until([](CTestApp& a) { return a.idleTimes.size() >= 6; }),
                     [](CTestApp& a) { a.BeginMouseTracking(); },
                     CTestApp::Until([](CTestApp& a) { return a.idleTimes.size() >= 16; }),
                     [](CTestApp& a) { a.EndMouseTracking(); },
                 });
    app.Run();
    ASSERT_GE(app.idleTimes.size(), 16u);
    for (size_t i = 2; i < 6; ++i)
        EXPECT_EQ(app.idleTimes[i] - app.idleTimes[i - 1], 50u) << i;
    for (size_t i = 8; i < 16; ++i)
        EXPECT_LE(app.idleTimes[i] - app.idleTimes[i - 1], 1u) << i;
}

TEST_F(Application, EmptyCommandLineOpensAnUntitledDocumentAndLeftoverTextIsReported)
{
    {
        CTestApp app(Record());
        app.Run();
        EXPECT_EQ(app.untitled, 1);
    }
    testsupport::TempDir dir;
    testsupport::WriteFileBytes(dir.File("a b.pch"), "x");
    CTestApp app(Record(dir.File("a b.pch") + " nothing-here"));
    app.Run();
    EXPECT_EQ(app.untitled, 0);
    EXPECT_EQ(app.opened, (std::vector<std::string>{dir.File("a b.pch")}));
    ASSERT_EQ(alerts_.Alerts().size(), 1u);
    EXPECT_EQ(alerts_.Alerts()[0].text, "[STOP]The file \"nothing-here\" could not be found.[OK]");
}

TEST_F(Application, RefusingDocumentKeepsTheLoopRunning)
{
    CStubbornWindow* window = nullptr;
    int stateAfterRefusal = 0;
    CTestApp app(Record(),
                 {
                     [&](CTestApp&) {
                         window = new CStubbornWindow;
                         window->Open(window->GetRectForContentSize(200, 100));
                     },
                     [&](CTestApp& a) { a.RequestQuit(); },
                     [&](CTestApp& a) {
                         stateAfterRefusal = a.GetRunState();
                         window->mayClose = true;
                     },
                 });
    app.Run();
    EXPECT_EQ(stateAfterRefusal, kRunStateRunning);
    EXPECT_EQ(CountWindows(), 0);
}

// The desktop's end request taken while a window's idle step runs a job
// that handles the waiting messages itself (the frame's timer tick among
// them): the loop ends right after that idle step, although nothing but the
// idle timer's ticks may ever follow.
TEST_F(Application, AQuitAskedInTheIdleStepEndsTheLoopWithoutFurtherInput)
{
    int idleAfterQuit = 0;
    CTestApp app(Record(),
                 {[&](CTestApp& a) {
                      auto* window = new CJobWindow([&] {
                          Host().RequestQuit();
                          a.PumpWaiting(10);
                      });
                      window->Open(window->GetRectForContentSize(200, 100));
                  },
                  [&](CTestApp& a) {
                      // The quit was lost: the test ends the loop.
                      ++idleAfterQuit;
                      a.LeaveRunLoop();
                  }});
    app.quitWhenDone = false;
    app.Run();
    EXPECT_EQ(idleAfterQuit, 0);
    EXPECT_EQ(CountWindows(), 0);
}

// The desktop's end request (SIGTERM) while the program starts: before its
// frame exists, while a start-up step handles the waiting messages, or while
// a dialog of the desktop runs its own loop in a start-up step (a file to
// start with asked for), which ends on the request as on a Cancel. The
// program ends once started, without any input.
TEST_F(Application, AQuitAskedWhileTheProgramStartsEndsItOnceStarted)
{
    enum class When { BeforeTheFrame, InAStep, InADialogOfAStep };
    for (const When when : {When::BeforeTheFrame, When::InAStep, When::InADialogOfAStep}) {
        SCOPED_TRACE(static_cast<int>(when));
        int idleAfterQuit = 0;
        bool dialogSawQuit = false;
        CTestApp app(Record(), {[&](CTestApp& a) {
                         // The quit was lost: the test ends the loop.
                         ++idleAfterQuit;
                         a.LeaveRunLoop();
                     }});
        app.quitWhenDone = false;
        if (when == When::BeforeTheFrame) {
            Host().RequestQuit();
            platform::Message message;
            while (platform::PeekMessage(message)) { }
        } else if (when == When::InAStep) {
            app.onInit = [&](CTestApp& a) {
                Host().RequestQuit();
                a.PumpWaiting(10);
            };
        } else {
            app.onInit = [&](CTestApp&) {
                Host().RequestQuit();
                platform::Message message;
                for (int pass = 0; pass < 20 && !platform::IsQuitAsked(); ++pass)
                    while (platform::PeekMessage(message))
                        platform::DispatchMessage(message);
                dialogSawQuit = platform::IsQuitAsked();
            };
        }
        app.Run();
        EXPECT_EQ(idleAfterQuit, 0);
        EXPECT_EQ(app.untitled, 0);
        EXPECT_EQ(dialogSawQuit, when == When::InADialogOfAStep);
    }
}

TEST_F(Application, QuitAsksAWindowThatStaysOpenOnlyOnce)
{
    CTestApp app(Record());
    app.CreateFrameWindow();
    auto* window = new CStubbornWindow;
    window->Open(window->GetRectForContentSize(200, 100));
    window->mayClose = true;
    window->closes = false;
    EXPECT_TRUE(app.ConfirmQuit());
    EXPECT_EQ(window->asked, 1);
    delete window;
}

TEST_F(Application, PlacementAndStayOnTopSurviveARestart)
{
    const platform::Rect where = platform::Rect::FromSize(30, 40, 500, 300);
    {
        CTestApp app(Record(), {[&](CTestApp& a) {
                         platform::MoveWindow(a.GetFrameHandle(), where, true);
                         a.SetStayOnTop(true);
                     }});
        app.Run();
    }
    platform::Rect restored;
    bool onTop = false;
    {
        CTestApp app(Record(), {[&](CTestApp& a) {
                         restored = platform::GetWindowRect(a.GetFrameHandle());
                         onTop = a.GetStayOnTop();
                         platform::ShowWindow(a.GetFrameHandle(), platform::ShowCommand::Maximize);
                     }});
        app.Run();
    }
    EXPECT_EQ(restored, where);
    EXPECT_TRUE(onTop);
    bool maximized = false;
    CTestApp app(Record(), {[&](CTestApp& a) {
                     maximized = platform::IsMaximized(a.GetFrameHandle());
                     platform::ShowWindow(a.GetFrameHandle(), platform::ShowCommand::Restore);
                     restored = platform::GetWindowRect(a.GetFrameHandle());
                 }});
    app.Run();
    EXPECT_TRUE(maximized);
    EXPECT_EQ(restored, where) << "the normal rectangle is kept while maximised";
}

TEST_F(Application, HelpRequestsAreRecordedAndAMissingFileIsReported)
{
    CTestApp app(Record());
    std::string name;
    ASSERT_TRUE(app.GetHelpFilePath(name));
    EXPECT_EQ(name, "test_framework-help/index.html");
    {
        CHelpRecorder help;
        app.ShowHelpTopic(30);
        EXPECT_TRUE(help.Requests().empty());
    }
    ASSERT_EQ(alerts_.Alerts().size(), 1u);
    EXPECT_EQ(alerts_.Alerts()[0].id, kHelpFileAlert);

    testsupport::TempDir dir;
    testsupport::WriteFileBytes(dir.File("p.hlp"), "help");
    SetHelpFilePath(dir.File("p.hlp"));
    CHelpRecorder help;
    app.ShowHelpTopic(30);
    app.ShowHelpFinder();
    ASSERT_EQ(help.Requests().size(), 2u);
    EXPECT_EQ(help.Requests()[0].topic, 30u);
    EXPECT_EQ(help.Requests()[1].kind, CHelpRequest::EKind::Finder);
}

// The help an application opened is closed when it goes, also without its
// loop having run: the next application (or a close asked after it) finds
// nothing open.
TEST_F(Application, AnApplicationGoingAwayClosesTheHelpItOpened)
{
    testsupport::TempDir dir;
    testsupport::WriteFileBytes(dir.File("p.hlp"), "help");
    CHelpRecorder help;
    {
        CTestApp app(Record());
        SetHelpFilePath(dir.File("p.hlp"));
        app.ShowHelpTopic(30);
    }
    ASSERT_EQ(help.Requests().size(), 2u);
    EXPECT_EQ(help.Requests()[1].kind, CHelpRequest::EKind::Quit);
    CloseHelp();
    EXPECT_EQ(help.Requests().size(), 2u);
}

TEST_F(Application, SecondStartForwardsAnUnquotedPathWithBlanks)
{
    const std::string key = "apptest" + std::to_string(getpid());
    UseSharedInstanceKey(key);
    ASSERT_TRUE(ClaimFirstInstance());
    testsupport::TempDir dir;
    const std::string path = dir.File("my patch file.pch");
    testsupport::WriteFileBytes(path, "x");

    pid_t child = 0;
    int childResult = -1;
    CTestApp app(Record(),
                 {
                     [&](CTestApp&) {
                         // The second start gets the path as separate words, as a
                         // shell passes an unquoted name with blanks.
                         setenv("TORVAN_INSTANCE_TEST_KEY", key.c_str(), 1);
                         setenv("TORVAN_INSTANCE_TEST_ARG", path.c_str(), 1);
                         child = testsupport::StartTiedProcess({"/proc/self/exe",
                                                                "--gtest_filter=InstanceChild.DISABLED_StartWithWords",
                                                                "--gtest_also_run_disabled_tests"});
                         ASSERT_GT(child, 0);
                     },
                     CTestApp::Until([&](CTestApp& a) {
                         usleep(2000); // the other copy runs on real time
                         if (childResult < 0 && waitpid(child, &childResult, WNOHANG) == 0)
                             childResult = -1;
                         return (childResult >= 0 && !a.opened.empty()) || a.idleTimes.size() > 5000;
                     }),
                 });
    app.Run();
    ReleaseFirstInstance();
    UseSharedInstanceKey({});
    platform::CSharedInstanceBlock::Remove(key);
    ASSERT_TRUE(WIFEXITED(childResult));
    EXPECT_EQ(WEXITSTATUS(childResult), 10);
    EXPECT_EQ(app.opened, (std::vector<std::string>{path}));
    EXPECT_TRUE(alerts_.Alerts().empty());
}

// Connections to the hand-over socket that send nothing (a second start
// stopped half-way, any other program) never hold the loop: a key is
// handled while twenty of them stay open, a sender that writes long after
// it connected still hands its file over, and one silent for five seconds
// is let go.
TEST_F(Application, IdleConnectionsToTheHandOverSocketNeverHoldTheLoop)
{
    const std::string key = "apptest-idle" + std::to_string(getpid());
    UseSharedInstanceKey(key);
    ASSERT_TRUE(ClaimFirstInstance());
    testsupport::TempDir dir;
    const std::string path = dir.File("late.pch");
    testsupport::WriteFileBytes(path, "x");
    sockaddr_un address{};
    ASSERT_TRUE(platform::detail::FillSocketAddress(platform::detail::SocketPath(key), address));
    constexpr size_t kIdle = 20;
    std::vector<platform::CFileHandle> idle;
    // As many as the socket's queue takes now.
    const auto connectMore = [&] {
        while (idle.size() < kIdle) {
            platform::CFileHandle s(socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
            if (connect(s.Descriptor(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
                return;
            idle.push_back(std::move(s));
        }
    };
    // The program's end of a connection: open (nothing to read, no end), or closed.
    const auto isOpen = [](const platform::CFileHandle& s) {
        char c = 0;
        return recv(s.Descriptor(), &c, 1, MSG_DONTWAIT) < 0 && errno == EAGAIN;
    };
    const auto countOpen = [&] { return std::count_if(idle.begin(), idle.end(), isOpen); };
    long openWhenKeyHandled = -1;
    uint64_t sentAt = 0;
    CTestApp app(Record(),
                 {
                     CTestApp::Until([&](CTestApp& a) {
                         connectMore();
                         return idle.size() == kIdle || a.idleTimes.size() > 5000;
                     }),
                     [&](CTestApp&) { PressCtrl(platform::kVKLetterA + ('O' - 'A')); },
                     CTestApp::Until([&](CTestApp& a) { return !a.commands.empty() || a.idleTimes.size() > 5000; }),
                     [&](CTestApp&) {
                         ReleaseKeys();
                         openWhenKeyHandled = countOpen();
                         // The last one turns out to be a second start, late.
                         send(idle.back().Descriptor(), path.data(), path.size(), MSG_NOSIGNAL);
                         idle.pop_back();
                         sentAt = platform::NowMilliseconds();
                     },
                     CTestApp::Until([&](CTestApp& a) { return !a.opened.empty() || a.idleTimes.size() > 5000; }),
                     CTestApp::Until([&](CTestApp& a) {
                         return platform::NowMilliseconds() - sentAt > 5200 || a.idleTimes.size() > 5000;
                     }),
                 });
    app.Run();
    const long openAtTheEnd = countOpen();
    ReleaseFirstInstance();
    UseSharedInstanceKey({});
    platform::CSharedInstanceBlock::Remove(key);
    ASSERT_EQ(idle.size(), kIdle - 1);
    EXPECT_EQ(app.commands, (std::vector<uint32_t>{101}));
    EXPECT_EQ(openWhenKeyHandled, static_cast<long>(kIdle));
    EXPECT_EQ(app.opened, (std::vector<std::string>{path}));
    EXPECT_EQ(openAtTheEnd, 0);
}

TEST_F(Application, ContextMenuOpensAtTheViewsPointOnTheScreen)
{
    CTestApp app(Record());
    app.CreateFrameWindow();
    platform::ShowWindow(app.GetFrameHandle(), platform::ShowCommand::Show);
    auto* window = new CDocumentWindow(0, "Doc");
    window->Open(window->GetRectForContentSize(200, 100));
    CMenu menu;
    menu.AppendItemRecord({.command = 42, .label = "Pick"});

    platform::CPopupMenuRecorder popups;
    popups.Answer("Pick");
    CMenu* chosen = nullptr;
    int index = -1;
    ASSERT_TRUE(menu.TrackPopup(window->GetRootView(), 10, 20, chosen, index));
    EXPECT_EQ(chosen->GetItemCommand(index), 42u);
    const platform::Point screen = platform::ClientToScreen(window->GetHandle(), {10, 20});
    EXPECT_EQ(popups.ShownMenus().at(0).request.x, screen.x);
    EXPECT_EQ(popups.ShownMenus().at(0).request.y, screen.y);
    EXPECT_EQ(popups.ShownMenus().at(0).request.owner, window->GetHandle());
    // Without a recorder a headless desktop closes the menu at once.
    platform::SetPopupPresenter(nullptr);
    EXPECT_FALSE(menu.TrackPopup(window->GetRootView(), 10, 20, chosen, index));
    EXPECT_EQ(index, 666);
    delete window;
}

TEST_F(Application, PicturesComeFromTheApplicationsCache)
{
    const CImageID id(317);
    {
        CTestApp app(Record());
        EXPECT_EQ(GetImage(id), nullptr);
        auto bitmap = std::make_unique<CBitmap32>(4, 3);
        CABCBitmap* cached = bitmap.get();
        app.GetImageCache().Add(id, std::move(bitmap));
        EXPECT_EQ(GetImage(id), cached);
        EXPECT_EQ(GetImageSize(id), CPoint(4, 3));
    }
    EXPECT_EQ(GetImageSource(), nullptr);
}

TEST_F(Application, CompiledInBytesReadAreLetGoAtTheNextIdleStepAndReadBackUnchanged)
{
    const uint8_t* middle = kPages.data() + kPages.size() / 2;
    std::vector<uint8_t> read;
    bool residentWhenRead = false;
    CTestApp app(Record(), {[&](CTestApp&) {
                     const std::span<const uint8_t> bytes = LoadResource("DATA", 129);
                     read.assign(bytes.begin(), bytes.end());
                     residentWhenRead = PageResident(middle);
                 }});
    app.Run();
    EXPECT_TRUE(residentWhenRead);
    EXPECT_FALSE(PageResident(middle)) << "the pages read stayed in memory";
    EXPECT_TRUE(std::equal(read.begin(), read.end(), kPages.begin(), kPages.end()));
    EXPECT_EQ(read.size(), kPages.size());
}

TEST_F(Application, FontFilesAreLetGoAtTheIdleStepAfterCharactersAreRendered)
{
    const std::string path = platform::ResolveFontFile("Tahoma", false, false);
    long residentWhenRendered = 0;
    int width = 0;
    CTestApp app(Record(), {[&](CTestApp&) {
                     const auto font = platform::Font::Create({"Tahoma", 43});
                     width = font->Glyph(U'Q').width;
                     residentWhenRendered = ResidentKbOf(path);
                 }});
    app.Run();
    EXPECT_GT(width, 0);
    EXPECT_GT(residentWhenRendered, 0);
    EXPECT_EQ(ResidentKbOf(path), 0) << path;
    // A character rendered afterwards reads the file again.
    EXPECT_GT(platform::Font::Create({"Tahoma", 43})->Glyph(U'R').width, 0);
}

TEST_F(Application, CtrlTabAndCtrlF6CycleTheDocumentWindows)
{
    std::vector<CDocumentWindow*> windows;
    std::vector<std::string> active;
    const auto note = [&] {
        const CABCWindow* w = GetActiveDocumentWindow();
        active.push_back(w ? w->GetTitle() : "none");
    };
    CTestApp app(Record(),
                 {
                     [&](CTestApp&) {
                         for (const char* title : {"A", "B", "C"}) {
                             auto* w = new CDocumentWindow(0, title);
                             w->Open(w->GetRectForContentSize(200, 100));
                             windows.push_back(w);
                         }
                     },
                     [&](CTestApp&) {
                         note();
                         PressCtrl(platform::kVKTab); // from C on to A: the cycle wraps
                     },
                     [&](CTestApp&) {
                         note();
                         PressCtrl(platform::kVKF1 + 5);
                     },
                     [&](CTestApp&) {
                         note();
                         ReleaseKeys();
                         Host().PressKey(platform::kVKShift);
                         PressCtrl(platform::kVKTab);
                     },
                     [&](CTestApp&) {
                         note();
                         ReleaseKeys();
                         Host().ReleaseKey(platform::kVKShift);
                     },
                 });
    app.Run();
    EXPECT_EQ(active, (std::vector<std::string>{"C", "A", "B", "A"}));
}

TEST_F(Application, WindowMenuListsTheWindowsAndBringsTheChosenOneToTheFront)
{
    CTestApp app(Record());
    app.CreateFrameWindow();
    platform::ShowWindow(app.GetFrameHandle(), platform::ShowCommand::Show);
    auto* a = new CDocumentWindow(0, "A");
    a->Open(a->GetRectForContentSize(200, 100));
    auto* b = new CDocumentWindow(0, "B");
    b->Open(b->GetRectForContentSize(200, 100));
    desktop_.Pump();

    CMenu windowMenu;
    ASSERT_TRUE(windowMenu.BuildWindowList(0));
    ASSERT_EQ(windowMenu.GetItemCount(), 2);
    EXPECT_EQ(windowMenu.GetItem(0).label, "A");
    EXPECT_FALSE(windowMenu.GetItem(0).checked);
    EXPECT_TRUE(windowMenu.GetItem(1).checked);

    app.HandleMenuSelect(&windowMenu, windowMenu.GetItemCommand(0));
    desktop_.Pump();
    EXPECT_EQ(GetActiveDocumentWindow(), a);
    delete a;
    delete b;
}

TEST(ApplicationStart, ScreenDepthsOtherThan8To32AreRefused)
{
    struct Case {
        int bitsPerPixel;
        bool accepted;
    };
    const Case cases[] = {{8, true}, {16, true}, {24, true}, {32, true}, {4, false}, {15, false}};
    for (const Case& c : cases) {
        testsupport::HeadlessDesktop desktop;
        desktop.Host().SetColorDepth(c.bitsPerPixel);
        if (c.accepted) {
            EXPECT_NO_THROW(CApplication app("Depth Test")) << c.bitsPerPixel;
            EXPECT_TRUE(desktop.Host().MessageBoxTexts().empty()) << c.bitsPerPixel;
        } else {
            EXPECT_THROW(CApplication app("Depth Test"), NSHarrowen::XBase) << c.bitsPerPixel;
            ASSERT_EQ(desktop.Host().MessageBoxTexts().size(), 1u) << c.bitsPerPixel;
            // Caption (the application's name), then the text.
            EXPECT_EQ(desktop.Host().MessageBoxTexts()[0],
                      "Depth Test: Unsupported colordepth, application will terminate.");
        }
    }
}
