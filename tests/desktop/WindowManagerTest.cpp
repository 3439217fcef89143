// The real demo under a real window manager (openbox), with another program
// (xterm) beside it: the manager moves, sizes, maximises, iconifies and
// activates windows, and real X input must still reach the control under
// the pointer, once per click.
#include "DesktopSession.h"
#include "tests/support/RequiredTools.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

namespace desktoptest {
namespace {

using desktoptest::Center;
using desktoptest::Id;

using platform::Point;
using platform::Rect;
using namespace std::chrono_literals;

// The frame's sizing border and caption; its caption buttons are 15 pixels
// square, 2 apart, from 2 pixels inside the border at the right.
constexpr int kBorder = 4;
constexpr int kCaption = 19;
constexpr int kMenuRow = 20;
constexpr uint32_t kActiveCaption = 0x000080;
constexpr uint32_t kInactiveCaption = 0x808080;

Point Offset(Point p, int dx, int dy)
{
    return {p.x + dx, p.y + dy};
}

Point MenuRow(const Rect& popup, int row)
{
    return {popup.left + 30, popup.top + 1 + 2 + row * kMenuRow + kMenuRow / 2};
}

// The caption button in this slot from the right (0 close, 1 maximise, 2 minimise).
Point CaptionButton(const Rect& frame, int slot)
{
    return {frame.right - kBorder - 2 - slot * 17 - 8, frame.top + kBorder + 2 + 7};
}

bool WaitUntil(const std::function<bool()>& test, std::chrono::milliseconds timeout = 15s)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!test()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

class UnderWindowManager : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<std::string> tools = VirtualDesktop::Tools(true);
        tools.emplace_back("xterm"); // the user's other program beside the demo
        if (testsupport::Unavailable({.programs = tools}))
            return;
        std::string why;
        ASSERT_TRUE(session.Start(why, true)) << why;
        start = session.State();
        ASSERT_FALSE(start.menuTitles.empty());
        frameWindow = session.Desktop().WindowAt(Center(start.menuTitles[0]));
        ASSERT_NE(frameWindow, 0u);
        // The manager placed the frame; the demo reports where.
        ASSERT_TRUE(WaitUntil([&] { return session.State().frame == XRect(); }))
            << "the demo does not know where the manager put it";
        start = session.State();
    }

    Rect XRect() const { return session.Desktop().Inspect(frameWindow).rect; }

    uint32_t CaptionPixel(const Rect& frame) const
    {
        const platform::PixelBuffer p =
            session.Grab(Rect::FromSize(frame.left + 100, frame.top + kBorder + kCaption / 2, 1, 1));
        return p.Width() == 1 ? p.At(0, 0) & 0xFFFFFF : 0xFFFFFFFF;
    }

    // Clicks a menu title once; the pop-up that opened.
    std::optional<Rect> OpenMenu(Point title)
    {
        const auto before = session.ShownWindows();
        session.Xdo(MoveTo(title) + " click 1");
        return session.WaitForNewWindow(before, 5s);
    }

    bool Tiled()
    {
        const DemoState s = session.WaitFor(
            [](const DemoState& s) { return s.windows.size() == 3 && s.windows[0].rect.top == s.windows[1].rect.top; },
            10s);
        return s.windows.size() == 3 && s.windows[0].rect.top == s.windows[1].rect.top;
    }

    DesktopSession session;
    DemoState start;
    unsigned long frameWindow = 0;
};

TEST_F(UnderWindowManager, AfterTheManagerMovesTheFrameMenusOpenUnderTheirTitlesAndActOnOneClick)
{
    const Rect before = XRect();
    session.Desktop().Wmctrl("-i -r " + Id(frameWindow) + " -e 0," + std::to_string(before.left + 120) + "," +
                             std::to_string(before.top + 70) + ",-1,-1");
    const Rect moved = before.Offset(120, 70);
    ASSERT_TRUE(WaitUntil([&] { return XRect() == moved; })) << "openbox did not move the frame";
    EXPECT_TRUE(WaitUntil([&] { return session.State().frame == moved; })) << "the demo kept its old place";
    // Window > Tile, by clicks where the title and the item are now.
    const Point title = Offset(Center(start.menuTitles[2]), 120, 70);
    const auto popup = OpenMenu(title);
    ASSERT_TRUE(popup) << "a click on the moved title opened nothing";
    EXPECT_EQ(popup->left, start.menuTitles[2].left + 120);
    EXPECT_EQ(popup->top, start.menuTitles[2].bottom + 70);
    // The menu is no window of the manager's: it takes no focus and no frame.
    const VirtualDesktop::WindowInfo menu = session.Desktop().Inspect(session.Desktop().WindowAt(Center(*popup)));
    EXPECT_TRUE(menu.overrideRedirect);
    session.Xdo(MoveTo(MenuRow(*popup, 1)) + " " + MoveTo(Offset(MenuRow(*popup, 1), 1, 0)) + " click 1");
    EXPECT_TRUE(Tiled()) << "one click on Tile did not tile";
    // Alt+W opens the same menu under its title too.
    const auto shown = session.ShownWindows();
    session.Xdo("key alt+w");
    const auto byKey = session.WaitForNewWindow(shown, 5s);
    ASSERT_TRUE(byKey);
    EXPECT_EQ(byKey->TopLeft(), popup->TopLeft());
    session.Xdo("key Escape");
}

TEST_F(UnderWindowManager, AnotherProgramActivatedClosesTheMenuAndTheFirstClickBackActs)
{
    const pid_t xterm = SpawnProgram({"xterm", "-geometry", "30x6+760+600"}, true);
    ASSERT_NE(xterm, 0);
    const Point inXterm{880, 660};
    ASSERT_TRUE(WaitUntil([&] {
        const unsigned long w = session.Desktop().WindowAt(inXterm);
        return w && w != frameWindow;
    })) << "xterm did not show";
    const Rect frame = XRect();
    // A menu is open when the user clicks into xterm.
    ASSERT_TRUE(OpenMenu(Center(start.menuTitles[2])));
    EXPECT_EQ(CaptionPixel(frame), kActiveCaption);
    const auto withMenu = session.ShownWindows();
    session.Xdo(MoveTo(inXterm) + " click 1");
    EXPECT_TRUE(WaitUntil([&] { return session.ShownWindows().size() == withMenu.size() - 1; }, 5s))
        << "the menu stayed open";
    EXPECT_TRUE(WaitUntil([&] { return CaptionPixel(frame) == kInactiveCaption; }, 5s))
        << "the caption still shows active";
    // One click on a title of the inactive frame opens its menu, one on the item acts.
    const auto popup = OpenMenu(Center(start.menuTitles[2]));
    ASSERT_TRUE(popup) << "the activating click was lost";
    EXPECT_TRUE(WaitUntil([&] { return CaptionPixel(frame) == kActiveCaption; }, 5s));
    session.Xdo(MoveTo(MenuRow(*popup, 1)) + " " + MoveTo(Offset(MenuRow(*popup, 1), 1, 0)) + " click 1");
    EXPECT_TRUE(Tiled());
    StopProgram(xterm);
}

TEST_F(UnderWindowManager, MaximiseResizeAndMinimiseGoThroughTheManager)
{
    const Rect normal = XRect();
    const auto hasState = [&](const std::string& state) { return session.Desktop().Inspect(frameWindow).Has(state); };
    // The frame's own maximise button: the manager knows it maximised.
    session.Xdo(MoveTo(CaptionButton(normal, 1)) + " click 1");
    ASSERT_TRUE(WaitUntil([&] { return hasState("_NET_WM_STATE_MAXIMIZED_VERT"); }))
        << "the manager was not told of the maximise";
    ASSERT_TRUE(WaitUntil([&] { return XRect().Width() > normal.Width() && session.State().frame == XRect(); }));
    const Rect maximized = XRect();
    // Its restore button (the same button) brings the old place back.
    session.Xdo(MoveTo(CaptionButton(maximized, 1)) + " click 1");
    EXPECT_TRUE(WaitUntil([&] { return !hasState("_NET_WM_STATE_MAXIMIZED_VERT"); }));
    EXPECT_TRUE(WaitUntil([&] { return XRect() == normal && session.State().frame == normal; }));

    // The manager sizes the frame: the demo lays out for the new size.
    session.Desktop().Wmctrl("-i -r " + Id(frameWindow) + " -e 0,-1,-1,600,420");
    ASSERT_TRUE(WaitUntil([&] { return XRect().Width() == 600 && XRect().Height() == 420; }))
        << "the manager could not size the frame";
    EXPECT_TRUE(WaitUntil([&] { return session.State().frame == XRect(); }));
    // The manager maximises it.
    session.Desktop().Wmctrl("-i -r " + Id(frameWindow) + " -b add,maximized_vert,maximized_horz");
    EXPECT_TRUE(WaitUntil([&] { return XRect() == maximized && session.State().frame == maximized; }));
    session.Desktop().Wmctrl("-i -r " + Id(frameWindow) + " -b remove,maximized_vert,maximized_horz");
    ASSERT_TRUE(WaitUntil([&] { return XRect().Width() == 600 && session.State().frame == XRect(); }));
    const Rect sized = XRect();

    // The frame's own minimise button iconifies it through the manager.
    session.Xdo(MoveTo(CaptionButton(sized, 2)) + " click 1");
    EXPECT_TRUE(WaitUntil([&] {
        return hasState("_NET_WM_STATE_HIDDEN") && !session.Desktop().Inspect(frameWindow).viewable;
    })) << "the frame was not iconified";
    // The manager brings it back, where it was, and it takes clicks there.
    session.Desktop().Wmctrl("-i -a " + Id(frameWindow));
    ASSERT_TRUE(WaitUntil([&] { return session.Desktop().Inspect(frameWindow).viewable; }));
    EXPECT_EQ(XRect(), sized);
    EXPECT_TRUE(WaitUntil([&] { return session.State().frame == sized; }));
    const auto popup =
        OpenMenu(Offset(Center(start.menuTitles[2]), sized.left - start.frame.left, sized.top - start.frame.top));
    EXPECT_TRUE(popup) << "the restored frame takes no clicks";
    session.Xdo("key Escape");
    // The manager iconifies it; the demo knows, and comes back the same way.
    session.Xdo("windowminimize " + Id(frameWindow));
    EXPECT_TRUE(WaitUntil([&] { return !session.Desktop().Inspect(frameWindow).viewable; }));
    session.Desktop().Wmctrl("-i -a " + Id(frameWindow));
    EXPECT_TRUE(WaitUntil([&] { return session.Desktop().Inspect(frameWindow).viewable; }));
    EXPECT_TRUE(WaitUntil([&] { return session.State().frame == sized; }));
}

TEST_F(UnderWindowManager, ThePressThatMinimisesIsReleasedElsewhereAndTheFirstClickAfterRestoreActs)
{
    // A person's click: the press iconifies the frame, the release comes
    // after it is gone and goes to the desktop below.
    session.Xdo(MoveTo(CaptionButton(start.frame, 2)) + " mousedown 1 sleep 0.3 mouseup 1");
    ASSERT_TRUE(WaitUntil([&] { return !session.Desktop().Inspect(frameWindow).viewable; })) << "not iconified";
    session.Desktop().Wmctrl("-i -a " + Id(frameWindow));
    ASSERT_TRUE(WaitUntil([&] { return session.Desktop().Inspect(frameWindow).viewable; }));
    const auto popup = OpenMenu(Center(start.menuTitles[2]));
    ASSERT_TRUE(popup) << "the first click after the restore was lost";
    // One click on its item acts as well.
    session.Xdo(MoveTo(MenuRow(*popup, 1)) + " " + MoveTo(Offset(MenuRow(*popup, 1), 1, 0)) + " click 1");
    EXPECT_TRUE(Tiled());
}

} // namespace
} // namespace desktoptest
