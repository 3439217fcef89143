#include "tests/framework/WindowTestFixture.h"

#include "framework/views/GroupView.h"
#include "framework/application/Help.h"
#include "tests/support/TempDir.h"

#include <fstream>
#include "framework/windows/NoFrameWindow.h"
#include "framework/windows/ApplicationToolbar.h"
#include "platform/windows/MessageQueue.h"

#include <vector>

using namespace NSHarrowen;

namespace {

// An application whose menu numbers and key commands are recorded.
class CRecordingApplication : public CApplication {
public:
    CRecordingApplication() : CApplication("Recording") { }
    CMenuBar* GetMenuBar() override { return reinterpret_cast<CMenuBar*>(&menuBarStandIn); }
    void HandleMenuItemNumber(uint16_t number) override { numbers.push_back(number); }

    static inline char menuBarStandIn = 0;
    std::vector<uint16_t> numbers;
};

class CRefusingDocument : public CDocumentWindow {
public:
    CRefusingDocument() : CDocumentWindow(0, "Keeps") { }
    bool CanClose() override { return refuse ? false : true; }
    bool refuse = true;
};

platform::LResult ControlCallback(CNativeControlRecord& record, uint32_t message, platform::WParam, platform::LParam)
{
    ++*reinterpret_cast<int*>(record.view);
    return message == platform::msg::Command ? 77 : 0;
}

class DispatcherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<CRecordingApplication>();
        const platform::WindowHandle frame = app->CreateFrameWindow();
        platform::MoveWindow(frame, {0, 0, 800, 600}, true);
        platform::ShowWindow(frame, platform::ShowCommand::Show);
        app->PumpWaiting(1000);
    }
    void TearDown() override
    {
        while (CountWindows() > 0)
            delete GetWindowAt(0);
        app.reset();
    }
    testsupport::HeadlessDesktop desktop;
    std::unique_ptr<CRecordingApplication> app;
};

} // namespace

TEST_F(DispatcherTest, OnlyMenusAndAcceleratorsTakeTheMenuPath)
{
    auto* w = new CDocumentWindow(0, "Doc");
    int callbacks = 0;
    const platform::WindowHandle control = app->GetFrameHandle(); // any window can stand for a control
    app->AddNativeControl({w, control, reinterpret_cast<CView*>(&callbacks), ControlCallback});

    using platform::MakeLParam;
    auto command = [&](uint16_t id, uint16_t code, platform::LParam from) {
        return platform::SendMessage(w->GetHandle(), platform::msg::Command,
                                     static_cast<platform::WParam>(MakeLParam(id, code)), from);
    };
    command(100, platform::kCommandFromMenu, 0);
    command(101, platform::kCommandFromAccelerator, 0);
    // A button click (notification 0) with the same id as a menu item.
    EXPECT_EQ(command(100, 0, static_cast<platform::LParam>(control)), 77);
    command(0xF060, 0, 0); // system commands go to the default procedure
    EXPECT_EQ(app->numbers, (std::vector<uint16_t>{100, 101}));
    EXPECT_EQ(callbacks, 1);
}

TEST_F(DispatcherTest, ClosingTheFrameAsksEveryWindowFirst)
{
    auto* keeper = new CRefusingDocument();
    auto* toolbar = new CApplicationToolbar(40);
    app->SetToolbar(toolbar);
    EXPECT_EQ(platform::SendMessage(app->GetFrameHandle(), platform::msg::Close, 0, 0), 1);
    EXPECT_EQ(app->GetRunState(), kRunStateRunning);
    EXPECT_EQ(GetWindowListIndex(keeper), 0);

    keeper->refuse = false;
    EXPECT_EQ(platform::SendMessage(app->GetFrameHandle(), platform::msg::Close, 0, 0), 0);
    EXPECT_EQ(app->GetRunState(), kRunStateLeaveLoop);
    // The tool window stays for the application to destroy.
    EXPECT_EQ(CountWindows(), 1);
    EXPECT_EQ(GetWindowAt(0), toolbar);
}

TEST_F(DispatcherTest, DroppedFilesAreQueuedForOpening)
{
    const size_t before = app->GetOpenRequestCount();
    desktop.Host().DropFile({300, 300}, "/tmp/patch one.pch");
    app->PumpWaiting(1000);
    EXPECT_EQ(app->GetOpenRequestCount(), before + 1);
}

TEST_F(DispatcherTest, RightDoubleClickReachesTheDefaultAsAPress)
{
    auto* w = new CDocumentWindow(0, "Doc");
    w->Open(w->GetRectForContentSize(100, 100));
    app->PumpWaiting(1000);
    // The default procedure turns a right press-release into a context menu
    // request; a double click must behave as a press.
    EXPECT_EQ(platform::SendMessage(w->GetHandle(), platform::msg::RButtonDoubleClick, 0, platform::MakeLParam(5, 5)),
              0);
}

namespace {

class CTopicDocument : public CDocumentWindow {
public:
    explicit CTopicDocument(uint32_t topic) : CDocumentWindow(1, "Help"), topic_(topic) { }
    uint32_t GetHelpContext() const override { return topic_; }

private:
    uint32_t topic_;
};

} // namespace

TEST_F(DispatcherTest, ContextHelpShowsTheWindowsTopicOrTheFinder)
{
    testsupport::TempDir dir;
    const std::string helpFile = dir.File("Editor.hlp");
    std::ofstream(helpFile) << "help";
    SetHelpFilePath(helpFile);
    CHelpRecorder recorder;
    auto* withTopic = new CTopicDocument(30);
    auto* without = new CTopicDocument(0);
    platform::HelpInfo info;
    auto ask = [&](platform::WindowHandle w) {
        info.item = w;
        platform::SendMessage(w, platform::msg::Help, 0, reinterpret_cast<platform::LParam>(&info));
    };
    ask(withTopic->GetHandle());
    ask(without->GetHandle());
    ask(app->GetFrameHandle());
    info.kind = platform::HelpInfo::Kind::Menu;
    info.contextId = 12;
    ask(withTopic->GetHandle());
    using EKind = CHelpRequest::EKind;
    ASSERT_EQ(recorder.Requests().size(), 4u);
    EXPECT_EQ(recorder.Requests()[0].kind, EKind::Topic);
    EXPECT_EQ(recorder.Requests()[0].topic, 30u);
    EXPECT_EQ(recorder.Requests()[1].kind, EKind::Finder);
    EXPECT_EQ(recorder.Requests()[2].kind, EKind::Finder);
    EXPECT_EQ(recorder.Requests()[3].topic, 12u);
    SetHelpFilePath("");
}

namespace {

// A toolbar whose controls reach `width` pixels.
class CWideToolbar : public CApplicationToolbar {
public:
    explicit CWideToolbar(int width) : CApplicationToolbar(40), width_(width) { }
    void GetSizeLimits(CPoint& minimum, CPoint& maximum) const override
    {
        CApplicationToolbar::GetSizeLimits(minimum, maximum);
        minimum = CPoint(static_cast<int16_t>(width_), 40);
    }

private:
    int width_;
};

} // namespace

// A frame placed before its toolbar existed grows to hold the toolbar's
// controls and stays on the desktop; on a desktop too small for them it
// takes the desktop's width.
TEST_F(DispatcherTest, TheFrameGrowsToItsToolbarAndStaysOnTheDesktop)
{
    const platform::WindowHandle frame = app->GetFrameHandle();
    platform::MoveWindow(frame, platform::Rect::FromSize(200, 100, 800, 600), true);
    app->SetToolbar(new CWideToolbar(900));
    app->PumpWaiting(1000);
    const platform::Rect grown = platform::GetWindowRect(frame);
    EXPECT_GE(platform::GetClientArea(frame).Width(), 900);
    EXPECT_EQ(grown.Height(), 600);
    EXPECT_LE(grown.right, 1024);
    EXPECT_GE(grown.left, 0);
    EXPECT_EQ(grown.top, 100);

    app->DestroyToolbar();
    app->SetToolbar(new CWideToolbar(2000));
    app->PumpWaiting(1000);
    const platform::Rect widest = platform::GetWindowRect(frame);
    EXPECT_EQ(widest.left, 0);
    EXPECT_EQ(widest.Width(), 1024);
}
