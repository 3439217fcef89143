// What a person meets in a window, through the input that reaches it: the
// tooltip drawn after the pointer rests, F1 over a window or a control, the
// Space key on a button; and what the host reports: depth changes and timers.
#include "tests/framework/WindowTestFixture.h"

#include "framework/application/Help.h"
#include "framework/controls/PopupButtonView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/controls/TooltipControl.h"
#include "platform/controls/Controls.h"
#include "platform/graphics/Font.h"
#include "platform/controls/ControlPaint.h"
#include "platform/input/Keys.h"
#include "platform/windows/MessageQueue.h"
#include "framework/resources/ResourceModule.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/TempDir.h"

#include <fstream>
#include <vector>

using namespace NSHarrowen;

namespace {

class WindowPath : public testsupport::WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window = OpenDocument(240, 120);
        button = new CPushButtonView(window->GetRootView(), "Hint");
        button->SetFrame(CRect(20, 20, 120, 46));
        Pump();
    }
    void TearDown() override
    {
        SetHelpFilePath("");
        WindowTest::TearDown();
    }
    void Hover(int x, int y)
    {
        desktop.Host().MoveMouse(ScreenPoint(window, x, y));
        Pump();
        desktop.Advance(600);
        app->Idle();
        Pump();
    }
    void PressF1()
    {
        desktop.Host().PressKey(platform::kVKF1);
        Pump();
        desktop.Host().ReleaseKey(platform::kVKF1);
        Pump();
    }
    // A help file the context help can show.
    void ProvideHelpFile()
    {
        std::ofstream(helpDir.File("Test.hlp")) << "help";
        SetHelpFilePath(helpDir.File("Test.hlp"));
    }

    CDocumentWindow* window = nullptr;
    CPushButtonView* button = nullptr;
    testsupport::TempDir helpDir;
};

// Dark pixels of a picture: text on the pale ground.
int CountInk(const platform::PixelBuffer& pixels, int& rightmost)
{
    int ink = 0;
    rightmost = -1;
    for (int y = 1; y < pixels.Height() - 1; ++y)
        for (int x = 1; x < pixels.Width() - 1; ++x) {
            const uint32_t p = pixels.At(x, y);
            if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 110) {
                ++ink;
                rightmost = std::max(rightmost, x);
            }
        }
    return ink;
}

} // namespace

TEST_F(WindowPath, ATooltipShowsItsTextInABoxOfTheTextsSize)
{
    const std::string tip = "Hints about this";
    button->SetToolTip(tip);
    Hover(60, 30);
    CTooltipControl* tips = window->GetTooltips(false);
    ASSERT_TRUE(tips && tips->IsShowing());
    const platform::WindowHandle popup = tips->GetHandle();
    const platform::PixelBuffer pixels = platform::CaptureWindow(popup);
    const int textWidth = platform::ControlFont()->Extent(tip).width;
    EXPECT_GE(pixels.Width(), textWidth + 8);
    EXPECT_LE(pixels.Width(), textWidth + 12);
    int rightmost = 0;
    EXPECT_GT(CountInk(pixels, rightmost), 60) << "the tooltip shows no text";
    EXPECT_GE(rightmost, pixels.Width() - 10);
    // A longer tip gets a wider box.
    desktop.Host().MoveMouse(ScreenPoint(window, 200, 100));
    Pump();
    button->SetToolTip(tip + tip);
    Hover(61, 30);
    EXPECT_GT(platform::CaptureWindow(tips->GetHandle()).Width(), pixels.Width() + textWidth / 2);
}

TEST_F(WindowPath, F1AsksForTheTopicOfWhatThePointerIsOver)
{
    struct CTopicWindow : CDocumentWindow {
        CTopicWindow() : CDocumentWindow(0, "Topic") { }
        uint32_t GetHelpContext() const override { return 31; }
    };
    auto* topical = new CTopicWindow();
    topical->Open(topical->GetRectForContentSize(200, 100));
    auto* helped = new CPushButtonView(topical->GetRootView(), "Helped");
    helped->SetFrame(CRect(10, 10, 110, 36));
    helped->SetHelpTopic(77);
    auto* plain = new CPushButtonView(topical->GetRootView(), "Plain");
    plain->SetFrame(CRect(10, 50, 110, 76));
    Pump();
    CHelpRecorder recorder;
    const auto f1At = [&](int x, int y) {
        desktop.Host().MoveMouse(ScreenPoint(topical, x, y));
        Pump();
        PressF1();
    };
    // Without a help file F1 says so as Help > Contents does (the editor's
    // help tests); here the guide is there.
    ProvideHelpFile();
    f1At(150, 80); // the window's own topic
    f1At(60, 20);  // a control's topic, as a pop-up
    f1At(60, 60);  // a control without one: nothing
    using EKind = CHelpRequest::EKind;
    ASSERT_EQ(recorder.Requests().size(), 2u);
    EXPECT_EQ(recorder.Requests()[0].kind, EKind::Topic);
    EXPECT_EQ(recorder.Requests()[0].topic, 31u);
    EXPECT_EQ(recorder.Requests()[1].kind, EKind::Popup);
    EXPECT_EQ(recorder.Requests()[1].topic, 77u);
}

TEST_F(WindowPath, SpaceOnAPushButtonTellsItsViewItHasTheFocus)
{
    Click(window, 60, 30);
    ASSERT_EQ(window->GetFocusView(), button);
    window->SetFocusView(nullptr); // the window forgot; the native button still has the keyboard
    desktop.Host().PressKey(platform::kVKSpace);
    Pump();
    desktop.Host().ReleaseKey(platform::kVKSpace);
    Pump();
    EXPECT_EQ(window->GetFocusView(), button);
}

TEST_F(WindowPath, APopUpIsPlacedHiddenAndNeverPaintsOnTheWay)
{
    auto* popup = new CPopupButtonView(window->GetRootView());
    popup->SetFrame(CRect(20, 60, 140, 81));
    Pump();
    static std::vector<std::pair<uint32_t, platform::WParam>> seen;
    static platform::ControlProc previous = nullptr;
    seen.clear();
    previous = platform::SetWindowProcedure(
        popup->GetHandle(), [](platform::WindowHandle h, uint32_t m, platform::WParam w, platform::LParam l) {
            if (m == platform::msg::ShowWindow)
                seen.emplace_back(m, w);
            // A paint arriving while it moves is answered without painting.
            if (m == platform::msg::ShowWindow && w == 0)
                seen.emplace_back(platform::msg::Paint,
                                  static_cast<platform::WParam>(platform::CallWindowProcedure(
                                      previous, h, platform::msg::EraseBackground, 0, 0)));
            return platform::CallWindowProcedure(previous, h, m, w, l);
        });
    popup->SetFrame(CRect(30, 70, 150, 91));
    platform::SetWindowProcedure(popup->GetHandle(), previous);
    const std::vector<std::pair<uint32_t, platform::WParam>> expected{
        {platform::msg::ShowWindow, 0}, {platform::msg::Paint, 1}, {platform::msg::ShowWindow, 1}};
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(platform::IsWindowVisible(popup->GetHandle()));
    EXPECT_EQ(platform::GetWindowRectInParent(popup->GetHandle()).left, 30);
}

TEST_F(WindowPath, TheScreenFormatFollowsTheHostsDepth)
{
    EXPECT_EQ(app->GetScreenFormat().GetDepth(), 32);
    desktop.Host().SetColorDepth(16);
    Pump();
    EXPECT_EQ(app->GetScreenFormat().GetDepth(), 16);
    EXPECT_EQ(app->GetColorEnvironment().GetScreenFormat().GetDepth(), 16);
    desktop.Host().SetColorDepth(8);
    Pump();
    EXPECT_EQ(app->GetScreenFormat().GetDepth(), 8);
    ASSERT_NE(app->GetScreenFormat().GetPalette(), nullptr);
    desktop.Host().SetColorDepth(32);
    Pump();
}

TEST_F(WindowPath, TimersWithoutAWindowReachTheirProcedure)
{
    static std::vector<uintptr_t> fired;
    fired.clear();
    const uintptr_t id = platform::SetTimer(
        0, 0, 30, [](platform::WindowHandle, uint32_t, uintptr_t timer, uint32_t) { fired.push_back(timer); });
    desktop.Host().Advance(40); // the program's own loop takes the timer's message
    Pump();
    platform::KillTimer(0, id);
    ASSERT_FALSE(fired.empty());
    EXPECT_EQ(fired.front(), id);
}

TEST(ProgramIcon, TheFrameShowsTheProgramsIconOnTheDesktop)
{
    testsupport::HeadlessDesktop desktop;
    const std::vector<uint8_t> bmp = testsupport::MakeBMP(16, 16);
    const CResourceEntry entries[] = {{"ICON", 1, bmp.data(), bmp.size()}};
    const CResourceModule module("icon test", entries);
    {
        CApplication app("Icon Program");
        app.CreateFrameWindow();
        platform::PixelBuffer icon;
        for (const platform::SurfaceId id : desktop.Host().StackingOrder())
            if (desktop.Host().SurfaceTitle(id) == "Icon Program")
                icon = desktop.Host().SurfaceIcon(id);
        ASSERT_EQ(icon.Width(), 16);
        ASSERT_EQ(icon.Height(), 16);
        EXPECT_EQ(icon.At(3, 5), 0x800503u); // red 0x80, green 5, blue 3
        app.DestroyFrameWindow();
    }
}
