// The real demo on a virtual X server, driven by real X input: what a person
// does with the mouse and the keyboard, checked by where the windows land,
// what the edits hold, what help is asked for and what the screen shows.
#include "DesktopSession.h"
#include "tests/support/RequiredTools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace desktoptest {
namespace {

using desktoptest::Center;

using platform::Point;
using platform::Rect;
using namespace std::chrono_literals;

// The demo's document windows have a 4-pixel sizing border and a 19-pixel
// caption; pop-up menu rows are 20 pixels high below a 1-pixel border and a
// 2-pixel margin.
constexpr int kBorder = 4;
constexpr int kCaption = 19;
constexpr int kMenuRow = 20;

Point ClientOrigin(const Rect& window)
{
    return {window.left + kBorder, window.top + kBorder + kCaption};
}

Point CaptionPoint(const Rect& window)
{
    return {window.left + 60, window.top + kBorder + kCaption / 2};
}

Point Shifted(Point p, int dx)
{
    return {p.x + dx, p.y};
}

Point MenuRow(const Rect& popup, int row)
{
    return {popup.left + 30, popup.top + 1 + 2 + row * kMenuRow + kMenuRow / 2};
}

std::string Move(Point p)
{
    return "mousemove " + std::to_string(p.x) + " " + std::to_string(p.y);
}

class Desktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (testsupport::Unavailable({.programs = VirtualDesktop::Tools()}))
            return;
        std::string why;
        ASSERT_TRUE(session.Start(why)) << why;
    }

    Rect WindowRect(const std::string& title)
    {
        const DemoState state = session.State();
        const DemoState::Window* w = state.Find(title);
        return w ? w->rect : Rect{};
    }

    // Waits until the window has this rectangle; the rectangle it has then.
    Rect WaitForRect(const std::string& title, const Rect& expected)
    {
        const DemoState state = session.WaitFor(
            [&](const DemoState& s) {
                const DemoState::Window* w = s.Find(title);
                return w && w->rect == expected;
            },
            15s);
        const DemoState::Window* w = state.Find(title);
        return w ? w->rect : Rect{};
    }

    std::string WaitForEditText(const std::string& expected)
    {
        const DemoState state =
            session.WaitFor([&](const DemoState& s) { return !s.edits.empty() && s.edits[0] == expected; }, 15s);
        return state.edits.empty() ? "<no edit>" : state.edits[0];
    }

    // Clicks a menu title of the bar and then the row of its pop-up.
    void ChooseByMouse(size_t title, int row)
    {
        const DemoState state = session.State();
        ASSERT_LT(title, state.menuTitles.size());
        const auto before = session.ShownWindows();
        session.Xdo(Move(Center(state.menuTitles[title])) + " click 1");
        const auto popup = session.WaitForNewWindow(before);
        ASSERT_TRUE(popup) << "the menu did not open";
        session.Xdo(Move(MenuRow(*popup, row)) + " " + Move(Shifted(MenuRow(*popup, row), 1)) + " click 1");
    }

    // Opens a menu with Alt and its letter, then types the item's letter.
    void ChooseByKeys(const std::string& menuLetter, const std::string& itemLetter)
    {
        const auto before = session.ShownWindows();
        session.Xdo("key alt+" + menuLetter);
        ASSERT_TRUE(session.WaitForNewWindow(before)) << "Alt+" << menuLetter << " opened no menu";
        session.Xdo("key " + itemLetter);
    }

    DesktopSession session;
};

TEST_F(Desktop, DraggingACaptionMovesTheWindowToWhereTheButtonIsReleased)
{
    const Rect start = WindowRect("Notes");
    const Point grip = CaptionPoint(start);
    // Slowly, in 20 steps of 10 pixels.
    session.Drag(grip, {grip.x + 200, grip.y}, 20);
    EXPECT_EQ(WaitForRect("Notes", start.Offset(200, 0)), start.Offset(200, 0));
    // Quickly, in one jump.
    session.Drag({grip.x + 200, grip.y}, {grip.x + 80, grip.y + 60}, 1);
    EXPECT_EQ(WaitForRect("Notes", start.Offset(80, 60)), start.Offset(80, 60));
}

TEST_F(Desktop, ResizingByTheFrameAndByTheSizeGripFollowsThePointer)
{
    const Rect start = WindowRect("Notes");
    // The right edge of the sizing border, 60 pixels to the right.
    const Point edge{start.right - 2, start.top + 60};
    session.Drag(edge, {edge.x + 60, edge.y}, 6);
    Rect wider = start;
    wider.right += 60;
    EXPECT_EQ(WaitForRect("Notes", wider), wider);
    // The size grip in the client area's bottom-right corner.
    const Point grip{wider.right - kBorder - 5, wider.bottom - kBorder - 5};
    session.Drag(grip, {grip.x + 40, grip.y + 30}, 5);
    Rect larger = wider;
    larger.right += 40;
    larger.bottom += 30;
    EXPECT_EQ(WaitForRect("Notes", larger), larger);
}

// A top-level window's pixels live where the X server reads them; a new size
// brings new pixels, which the screen shows whole.
TEST_F(Desktop, AFrameMadeTallerShowsItsBottomBorderWhereItNowEnds)
{
    const Rect start = session.State().frame;
    const Rect border{start.left + 100, start.bottom - kBorder, start.left + 160, start.bottom};
    const platform::PixelBuffer before = session.Grab(border);
    const Point edge{start.left + 130, start.bottom - 2};
    session.Drag(edge, {edge.x, edge.y + 50}, 5);
    Rect taller = start;
    taller.bottom += 50;
    const DemoState state = session.WaitFor([&](const DemoState& s) { return s.frame == taller; }, 15s);
    ASSERT_EQ(state.frame, taller);
    const Rect moved = border.Offset(0, 50);
    bool same = false;
    for (int tries = 0; tries < 40 && !same; ++tries) {
        const platform::PixelBuffer after = session.Grab(moved);
        same = after.Width() == before.Width() && after.Height() == before.Height() &&
            std::equal(before.Data(), before.Data() + before.Width() * before.Height(), after.Data());
        if (!same)
            std::this_thread::sleep_for(50ms);
    }
    EXPECT_TRUE(same) << "the border does not show where the frame now ends";
}

TEST_F(Desktop, MenusOpenByMouseAndByAltAndTheirLetter)
{
    // Window > Tile (the second row), by mouse: the first two windows stand
    // side by side.
    ChooseByMouse(2, 1);
    const DemoState tiled = session.WaitFor(
        [](const DemoState& s) { return s.windows.size() == 3 && s.windows[0].rect.top == s.windows[1].rect.top; });
    ASSERT_EQ(tiled.windows.size(), 3u);
    EXPECT_EQ(tiled.windows[0].rect.top, tiled.windows[1].rect.top) << "Window > Tile by mouse did nothing";
    EXPECT_EQ(tiled.windows[0].rect.right, tiled.windows[1].rect.left);
    // Alt+W, then C for Cascade: each window stands lower than the one before.
    ChooseByKeys("w", "c");
    const DemoState cascaded = session.WaitFor([](const DemoState& s) {
        return s.windows.size() == 3 && s.windows[0].rect.top < s.windows[1].rect.top &&
            s.windows[1].rect.top < s.windows[2].rect.top;
    });
    ASSERT_EQ(cascaded.windows.size(), 3u);
    EXPECT_LT(cascaded.windows[1].rect.top, cascaded.windows[2].rect.top) << "Alt+W, C did not cascade";
}

TEST_F(Desktop, TypedTextWithAccentsIsCutAndPastedByTheEditMenuAndByCtrlKeys)
{
    const Point client = ClientOrigin(WindowRect("Notes"));
    session.Xdo(Move({client.x + 100, client.y + 22}) + " click 1");
    session.Xdo("type --delay 60 'Naïve café'");
    EXPECT_EQ(WaitForEditText("Naïve café"), "Naïve café");
    // Backspace takes the whole "é".
    session.Xdo("key BackSpace");
    EXPECT_EQ(WaitForEditText("Naïve caf"), "Naïve caf");
    session.Xdo("sleep 0.3 type 'é'");
    EXPECT_EQ(WaitForEditText("Naïve café"), "Naïve café");
    // Select "café" by keys (four characters), cut it by Edit > Cut.
    session.Xdo("key shift+Left shift+Left shift+Left shift+Left");
    ChooseByMouse(1, 0);
    EXPECT_EQ(WaitForEditText("Naïve "), "Naïve ");
    // Paste by Ctrl+V, twice.
    session.Xdo("key ctrl+v ctrl+v");
    EXPECT_EQ(WaitForEditText("Naïve cafécafé"), "Naïve cafécafé");
    // Select all by keys, cut by Ctrl+X, paste by Edit > Paste.
    session.Xdo("key End shift+Home ctrl+x");
    EXPECT_EQ(WaitForEditText(""), "");
    ChooseByMouse(1, 2);
    EXPECT_EQ(WaitForEditText("Naïve cafécafé"), "Naïve cafécafé");
}

TEST_F(Desktop, HoveringAButtonShowsItsTooltipWithItsText)
{
    const Point client = ClientOrigin(WindowRect("Notes"));
    const Point button{client.x + 60, client.y + 63};
    session.Xdo(Move(button) + " " + Move(Shifted(button, 1)));
    const DemoState state = session.WaitFor([](const DemoState& s) { return s.tooltip.has_value(); }, 10s);
    ASSERT_TRUE(state.tooltip) << "no tooltip showed";
    const Rect tip = *state.tooltip;
    const platform::PixelBuffer pixels = session.Grab(tip);
    ASSERT_EQ(pixels.Width(), tip.Width());
    // Dark text pixels inside the pale box, and the box hugs the text.
    int dark = 0;
    int rightmost = 0;
    for (int y = 1; y < pixels.Height() - 1; ++y)
        for (int x = 1; x < pixels.Width() - 1; ++x) {
            const uint32_t p = pixels.At(x, y);
            if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 110) {
                ++dark;
                rightmost = std::max(rightmost, x);
            }
        }
    EXPECT_GT(dark, 40) << "the tooltip shows no text";
    EXPECT_GE(rightmost, pixels.Width() - 12) << "the box is wider than its text";
}

TEST_F(Desktop, F1AsksForTheHelpOfTheWindowAndOfTheHighlightedMenuItem)
{
    const Rect notes = WindowRect("Notes");
    session.Xdo(Move(CaptionPoint(notes)) + " click 1 key F1");
    DemoState state = session.WaitFor([](const DemoState& s) { return !s.help.empty(); }, 15s);
    ASSERT_FALSE(state.help.empty()) << "F1 over the window asked for no help";
    EXPECT_EQ(state.help.back(), "topic 4711");
    // Alt+E opens Edit; Down highlights Cut, whose topic is 1200.
    const auto before = session.ShownWindows();
    session.Xdo("key alt+e");
    ASSERT_TRUE(session.WaitForNewWindow(before));
    session.Xdo("key Down F1 Escape");
    state = session.WaitFor([](const DemoState& s) { return s.help.size() >= 2; }, 15s);
    ASSERT_EQ(state.help.size(), 2u);
    EXPECT_EQ(state.help.back(), "topic 1200");
}

TEST_F(Desktop, WindowsCloseByTheirCloseBoxAndByCtrlW)
{
    const Rect patchA = WindowRect("Patch A");
    // Patch A lies under the others; its close box is covered, so raise it first.
    session.Xdo(Move(CaptionPoint(patchA)) + " click 1");
    const Point closeBox{patchA.right - kBorder - 2 - 7, patchA.top + kBorder + 2 + 7};
    session.Xdo(Move(closeBox) + " click 1");
    DemoState state = session.WaitFor([](const DemoState& s) { return !s.Find("Patch A"); }, 15s);
    EXPECT_FALSE(state.Find("Patch A")) << "the close box did not close the window";
    const Rect patchB = WindowRect("Patch B");
    session.Xdo(Move(CaptionPoint(patchB)) + " click 1 key ctrl+w");
    state = session.WaitFor([](const DemoState& s) { return !s.Find("Patch B"); }, 15s);
    EXPECT_FALSE(state.Find("Patch B")) << "Ctrl+W did not close the window";
    EXPECT_TRUE(state.Find("Notes"));
}

TEST_F(Desktop, AMenuTallerThanTheScreenScrollsAndItsLastItemIsReachedByKeysWheelAndArrowStrip)
{
    // By keys: Alt+W, G opens Window > Go To with its first item highlighted.
    auto before = session.ShownWindows();
    session.Xdo("key alt+w");
    ASSERT_TRUE(session.WaitForNewWindow(before)) << "Alt+W opened no menu";
    before = session.ShownWindows();
    session.Xdo("key g");
    std::optional<Rect> goTo = session.WaitForNewWindow(before);
    ASSERT_TRUE(goTo) << "G opened no submenu";
    EXPECT_EQ(goTo->top, 0);
    EXPECT_EQ(goTo->Height(), 768) << "the submenu is not cut to the screen";
    session.Xdo("key End Return");
    EXPECT_EQ(WaitForEditText("Location 99"), "Location 99");

    // By mouse: the pointer rests on Go To (the third row) and its submenu
    // opens; the wheel scrolls it to the end.
    const DemoState state = session.State();
    ASSERT_GE(state.menuTitles.size(), 3u);
    before = session.ShownWindows();
    session.Xdo(Move(Center(state.menuTitles[2])) + " click 1");
    const std::optional<Rect> window = session.WaitForNewWindow(before);
    ASSERT_TRUE(window);
    before = session.ShownWindows();
    session.Xdo(Move(MenuRow(*window, 2)) + " " + Move(Shifted(MenuRow(*window, 2), 1)));
    goTo = session.WaitForNewWindow(before);
    ASSERT_TRUE(goTo) << "resting on Go To opened no submenu";
    const Point last{goTo->left + 40, goTo->bottom - 1 - 14 - 10};
    session.Xdo(Move(last) + " click --repeat 40 --delay 20 5");
    session.Xdo("sleep 0.3 " + Move(Shifted(last, 1)) + " click 1");
    EXPECT_EQ(WaitForEditText("Location 99"), "Location 99");

    // Resting on the lower arrow strip scrolls to the end as well.
    before = session.ShownWindows();
    session.Xdo(Move(Center(state.menuTitles[2])) + " click 1");
    ASSERT_TRUE(session.WaitForNewWindow(before));
    before = session.ShownWindows();
    session.Xdo(Move(MenuRow(*window, 2)) + " " + Move(Shifted(MenuRow(*window, 2), 1)));
    goTo = session.WaitForNewWindow(before);
    ASSERT_TRUE(goTo);
    session.Xdo(Move({goTo->left + 40, goTo->bottom - 6}) + " sleep 5 " + Move(last) + " " + Move(Shifted(last, 1)) +
                " click 1");
    EXPECT_EQ(WaitForEditText("Location 99"), "Location 99");
}

TEST_F(Desktop, LeftAndRightWalkTheMenuBarAndEscapeClosesIt)
{
    // Alt+F opens File; Right goes to Edit, then to Window, whose first item
    // (Cascade) is highlighted; Left and Right again, Down to Tile, Return.
    const auto before = session.ShownWindows();
    session.Xdo("key alt+f");
    ASSERT_TRUE(session.WaitForNewWindow(before)) << "Alt+F opened no menu";
    session.Xdo("key --delay 150 Right Right Left Right Down Return");
    const DemoState tiled = session.WaitFor(
        [](const DemoState& s) { return s.windows.size() == 3 && s.windows[0].rect.top == s.windows[1].rect.top; });
    ASSERT_EQ(tiled.windows.size(), 3u);
    EXPECT_EQ(tiled.windows[0].rect.top, tiled.windows[1].rect.top) << "the keys did not reach Window > Tile";
    EXPECT_EQ(tiled.windows[0].rect.right, tiled.windows[1].rect.left);

    // Escape closes the menu, and the next key goes to the window again.
    const Point client = ClientOrigin(WindowRect("Notes"));
    session.Xdo(Move({client.x + 100, client.y + 22}) + " click 1 key ctrl+a BackSpace");
    EXPECT_EQ(WaitForEditText(""), "");
    const auto shown = session.ShownWindows();
    session.Xdo("key alt+e");
    ASSERT_TRUE(session.WaitForNewWindow(shown));
    session.Xdo("key Escape sleep 0.3 type x");
    EXPECT_EQ(WaitForEditText("x"), "x") << "the key after Escape went nowhere";
}

} // namespace
} // namespace desktoptest
