#include "platform/input/Keys.h"
#include "platform/menus/MenuWindows.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"
#include "tests/support/HeadlessDesktop.h"
#include "tests/support/TimerOperator.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace platform;

namespace {

class DrawnPopup : public ::testing::Test {
protected:
    void SetUp() override
    {
        menu_ = CreatePopupMenu();
        sub_ = CreatePopupMenu();
        InsertMenuItem(sub_, -1, {.caption = "&Deep", .number = 7});
        InsertMenuItem(menu_, -1, {.caption = "&Open\tCtrl+O", .number = 100});
        MenuItem separator;
        separator.kind = MenuItem::Kind::Separator;
        InsertMenuItem(menu_, -1, separator);
        InsertMenuItem(menu_, -1, {.caption = "Grey", .number = 101, .enabled = false});
        InsertMenuItem(menu_, -1, {.kind = MenuItem::Kind::Submenu, .caption = "More", .submenu = sub_});
    }
    void TearDown() override
    {
        DestroyMenu(menu_);
        DestroyMenu(sub_);
    }
    // Rows: Open 2-22, separator 22-30, Grey 30-50, More 50-70 (inside the border).
    Point Row(int y) const { return {kX + 20, kY + 1 + y}; }

    static constexpr int kX = 100;
    static constexpr int kY = 120;
    testsupport::HeadlessDesktop desktop_;
    MenuHandle menu_ = 0;
    MenuHandle sub_ = 0;
};

} // namespace

TEST_F(DrawnPopup, ClickOnAnItemChoosesIt)
{
    desktop_.Host().Click(Row(10));
    EXPECT_EQ(RunPopupMenuWindow({menu_, kX, kY, 0}), 100u);
    EXPECT_EQ(CountTopLevelWindows(), 0) << "the menu window is gone";
}

TEST_F(DrawnPopup, DisabledItemsAndSeparatorsAreNotChosenAndAClickOutsideCloses)
{
    desktop_.Host().Click(Row(40));
    desktop_.Host().Click(Row(25));
    desktop_.Host().Click({5, 5});
    EXPECT_EQ(RunPopupMenuWindow({menu_, kX, kY, 0}), 0u);
}

TEST_F(DrawnPopup, EscapeClosesAndKeysOfTheActiveWindowGoToTheMenu)
{
    if (!IsWindowClassRegistered("PopupOwner"))
        RegisterWindowClass({"PopupOwner", 0, DefWindowProc});
    CreateParams owner;
    owner.className = "PopupOwner";
    owner.style = style::OverlappedWindow | style::Visible;
    owner.rect = Rect::FromSize(0, 0, 300, 200);
    const WindowHandle frame = CreateWindow(owner);
    ShowWindow(frame, ShowCommand::Show);
    desktop_.Pump();
    desktop_.Host().PressKey(kVKEscape);
    EXPECT_EQ(RunPopupMenuWindow({menu_, kX, kY, frame}), 0u);
    DestroyWindow(frame);
}

// SIGTERM or the session's end while a menu and its submenu are open: both
// close with nothing chosen, so that the program can quit; once the program
// has taken the request, menus work as before.
TEST_F(DrawnPopup, AQuitFromOutsideClosesTheMenusWithNothingChosen)
{
    if (!IsWindowClassRegistered("QuitFrame"))
        RegisterWindowClass({"QuitFrame", 0, [](WindowHandle w, uint32_t message, WParam wParam, LParam lParam) {
                                 // The program's loop handles its close later.
                                 return message == msg::Close ? 0 : DefWindowProc(w, message, wParam, lParam);
                             }});
    CreateParams owner;
    owner.className = "QuitFrame";
    owner.style = style::OverlappedWindow | style::Visible;
    owner.rect = Rect::FromSize(0, 0, 300, 200);
    const WindowHandle frame = CreateWindow(owner);
    ShowWindow(frame, ShowCommand::Show);
    desktop_.Pump();
    desktop_.Host().Click(Row(60));
    desktop_.Host().RequestQuit();
    EXPECT_EQ(RunPopupMenuWindow({menu_, kX, kY, frame}), 0u);
    EXPECT_TRUE(IsQuitAsked());
    EXPECT_EQ(CountTopLevelWindows(), 1) << "only the frame is left";

    TakeQuitAsked();
    desktop_.Host().Click(Row(10));
    EXPECT_EQ(RunPopupMenuWindow({menu_, kX, kY, frame}), 100u);
    DestroyWindow(frame);
}

TEST_F(DrawnPopup, SubmenuClosesFirst)
{
    desktop_.Host().Click(Row(60));
    // A click outside closes the submenu; the menu stays open for another.
    desktop_.Host().Click({5, 5});
    desktop_.Host().Click({5, 5});
    EXPECT_EQ(RunPopupMenuWindow({menu_, kX, kY, 0}), 0u);
    EXPECT_EQ(CountTopLevelWindows(), 0);
}

namespace {

// The shown pop-up menu windows, the first opened first.
std::vector<Rect> PopupWindows()
{
    std::vector<Rect> shown;
    for (int i = 0; i < CountTopLevelWindows(); ++i)
        if (const WindowHandle w = GetTopLevelWindow(i); GetClassName(w) == "TorvanPopupMenu" && IsWindowVisible(w))
            shown.push_back(GetWindowRect(w));
    return shown;
}

// A frame that takes the keys while a menu is open and records the commands
// its menu bar posts.
class MenuOwner {
public:
    MenuOwner()
    {
        if (!IsWindowClassRegistered("MenuOwner"))
            RegisterWindowClass({"MenuOwner", 0, Proc});
        CreateParams owner;
        owner.className = "MenuOwner";
        owner.style = style::OverlappedWindow | style::Visible;
        owner.rect = Rect::FromSize(0, 0, 600, 300);
        frame = CreateWindow(owner);
        ShowWindow(frame, ShowCommand::Show);
        commands.clear();
    }
    ~MenuOwner() { DestroyWindow(frame); }
    static LResult Proc(WindowHandle w, uint32_t message, WParam wParam, LParam lParam)
    {
        if (message == msg::Command)
            commands.push_back(static_cast<uint32_t>(wParam & 0xFFFF));
        return DefWindowProc(w, message, wParam, lParam);
    }
    WindowHandle frame = 0;
    static inline std::vector<uint32_t> commands;
};

// A menu of 99 locations on a 1024 x 768 desktop: 1980 pixels of rows.
class TallPopup : public ::testing::Test {
protected:
    void SetUp() override
    {
        menu_ = CreatePopupMenu();
        for (uint32_t i = 1; i <= 99; ++i)
            InsertMenuItem(menu_, -1, {.caption = "Location " + std::to_string(i), .number = 1000 + i});
        desktop_.Pump();
    }
    void TearDown() override { DestroyMenu(menu_); }

    testsupport::HeadlessDesktop desktop_;
    MenuOwner owner_;
    MenuHandle menu_ = 0;
};

} // namespace

TEST_F(TallPopup, IsCutToTheDesktopAndEveryLocationIsReachedByMouseWheelAndKeys)
{
    // Each route acts at the ticks (10 ms apart) after the menu shows.
    using Act = std::function<void(const Rect& menu, int tick)>;
    HeadlessHost& host = desktop_.Host();
    const auto Keys = [&](std::initializer_list<uint32_t> keys) {
        for (const uint32_t key : keys) {
            host.PressKey(key);
            host.ReleaseKey(key);
        }
    };
    // The last row sits just above the lower arrow strip once scrolled to the end.
    const auto LastRow = [](const Rect& menu) { return Point{menu.left + 40, menu.bottom - 1 - 14 - 10}; };
    const int page = (768 - 2 - 2 * 14) / 20 - 1;
    const struct {
        const char* route;
        Act act;
        uint32_t chosen;
    } cases[] = {
        {"End, Return",
         [&](const Rect&, int tick) {
             tick == 0 ? Keys({kVKEnd, kVKReturn}) : void();
         },
         1099},
        {"Home, Up wraps to the end",
         [&](const Rect&, int tick) {
             tick == 0 ? Keys({kVKHome, kVKUp, kVKReturn}) : void();
         },
         1099},
        {"Down and Page Down twice",
         [&](const Rect&, int tick) {
             tick == 0 ? Keys({kVKDown, kVKPageDown, kVKPageDown, kVKReturn}) : void();
         },
         static_cast<uint32_t>(1001 + 2 * page)},
        {"End, Page Up, Home",
         [&](const Rect&, int tick) {
             tick == 0 ? Keys({kVKEnd, kVKPageUp, kVKHome, kVKReturn}) : void();
         },
         1001},
        {"the wheel",
         [&](const Rect& menu, int tick) {
             if (tick == 0) {
                 host.Wheel(LastRow(menu), -40);
                 host.MoveMouse(LastRow(menu));
                 host.Click(LastRow(menu));
             }
         },
         1099},
        {"resting on the lower strip",
         [&](const Rect& menu, int tick) {
             // 1244 pixels to scroll, 10 every 50 ms: well within 8 s.
             if (tick == 0)
                 host.MoveMouse({menu.left + 40, menu.bottom - 5});
             if (tick == 800) {
                 host.MoveMouse(LastRow(menu));
                 host.Click(LastRow(menu));
             }
         },
         1099},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.route);
        int tick = -1;
        Rect menu;
        // The menu is looked at, and worked, once it shows.
        testsupport::TimerOperator user(
            [&] {
                if (tick < 0) {
                    const std::vector<Rect> popups = PopupWindows();
                    if (popups.empty())
                        return;
                    menu = popups[0];
                }
                c.act(menu, ++tick);
            },
            10);
        const uint32_t chosen = RunPopupMenuWindow({menu_, 200, 300, owner_.frame});
        EXPECT_EQ(chosen, c.chosen);
        EXPECT_EQ(menu.top, 0);
        EXPECT_EQ(menu.Height(), 768);
    }
}

TEST_F(DrawnPopup, ASubmenuOpensWhenThePointerRestsOnItsItemAndByRightAndLeftClosesIt)
{
    MenuOwner owner;
    desktop_.Pump();
    HeadlessHost& host = desktop_.Host();
    const auto Key = [&](uint32_t key) {
        host.PressKey(key);
        host.ReleaseKey(key);
    };
    // By rest: the pointer stays on "More"; the submenu opens beside it,
    // and its item is clicked.
    {
        int tick = -1;
        size_t opened = 0;
        testsupport::TimerOperator user(
            [&] {
                ++tick;
                if (tick == 0)
                    host.MoveMouse(Row(60));
                const std::vector<Rect> popups = PopupWindows();
                if (popups.size() == 2 && opened == 0) {
                    opened = tick;
                    host.MoveMouse({popups[1].left + 20, popups[1].top + 10});
                    host.Click({popups[1].left + 20, popups[1].top + 10});
                }
            },
            10);
        EXPECT_EQ(RunPopupMenuWindow({menu_, kX, kY, owner.frame}), 7u);
        EXPECT_GE(opened, 30u) << "the submenu opened before the pointer rested";
        EXPECT_LE(opened, 60u) << "the submenu did not open on a rest";
    }
    // By keys: Up to "More", Right opens it, Left closes it again (the menu
    // stays), Right and Return choose its item.
    {
        int tick = -1;
        std::vector<size_t> counts;
        testsupport::TimerOperator user(
            [&] {
                ++tick;
                if (tick == 0) {
                    Key(kVKUp);
                    Key(kVKRight);
                } else if (tick % 10 == 0 && tick <= 30) {
                    counts.push_back(PopupWindows().size());
                    Key(tick == 10 ? kVKLeft : tick == 20 ? kVKRight : kVKReturn);
                }
            },
            10);
        EXPECT_EQ(RunPopupMenuWindow({menu_, kX, kY, owner.frame}), 7u);
        EXPECT_EQ(counts, (std::vector<size_t>{2, 1, 2}));
    }
}

TEST_F(DrawnPopup, TheMnemonicLetterIsUnderlined)
{
    const MenuHandle menu = CreatePopupMenu();
    InsertMenuItem(menu, -1, {.caption = "&Open", .number = 1});
    InsertMenuItem(menu, -1, {.caption = "Open", .number = 2});
    std::vector<int> changedRows;
    int changedColumns = 0;
    testsupport::TimerOperator user(
        [&] {
            const std::vector<Rect> popups = PopupWindows();
            if (popups.empty() || !changedRows.empty())
                return;
            FlushScreen();
            const PixelBuffer screen = desktop_.Host().Screen();
            // Row 1 is row 0 without the mark: they differ only by the underline.
            const Rect m = popups[0];
            for (int y = 0; y < 20; ++y) {
                bool changed = false;
                for (int x = m.left + 1; x < m.right - 1; ++x)
                    if (screen.At(x, m.top + 3 + y) != screen.At(x, m.top + 23 + y)) {
                        changed = true;
                        ++changedColumns;
                    }
                if (changed)
                    changedRows.push_back(y);
            }
            desktop_.Host().PressKey(kVKEscape);
        },
        10);
    MenuOwner owner;
    RunPopupMenuWindow({menu, kX, kY, owner.frame});
    DestroyMenu(menu);
    ASSERT_EQ(changedRows.size(), 1u) << "no underline, or more than a line";
    EXPECT_GE(changedColumns, 5) << "the underline is shorter than the O";
    EXPECT_LE(changedColumns, 12);
}

TEST(MenuBar, LeftAndRightMoveBetweenTheMenusOfTheBar)
{
    testsupport::HeadlessDesktop desktop;
    MenuOwner owner;
    const MenuHandle bar = CreateMenuBar();
    std::vector<MenuHandle> menus;
    for (const char* title : {"&File", "&Edit", "&Setup"}) {
        const MenuHandle m = CreatePopupMenu();
        menus.push_back(m);
        InsertMenuItem(
            m, -1, {.caption = std::string("First of ") + title, .number = static_cast<uint32_t>(10 * menus.size())});
        InsertMenuItem(bar, -1, {.kind = MenuItem::Kind::Submenu, .caption = title, .submenu = m});
    }
    const WindowHandle barWindow = CreateMenuBarWindow(owner.frame, bar);
    desktop.Pump();
    // The menus drawn as on a real desktop.
    const PopupPresenter previous = SetPopupPresenter(RunPopupMenuWindow);
    HeadlessHost& host = desktop.Host();
    const auto Key = [&](uint32_t key) {
        host.PressKey(key);
        host.ReleaseKey(key);
    };
    const struct {
        const char* keys;
        std::vector<uint32_t> press;
        uint32_t command;
    } cases[] = {
        {"Right", {kVKRight, kVKDown, kVKReturn}, 20},
        {"Right twice", {kVKRight, kVKRight, kVKDown, kVKReturn}, 30},
        {"Left wraps to the last", {kVKLeft, kVKDown, kVKReturn}, 30},
        {"Right, Left", {kVKRight, kVKLeft, kVKDown, kVKReturn}, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        MenuOwner::commands.clear();
        int tick = -1;
        testsupport::TimerOperator user(
            [&] {
                const std::vector<Rect> popups = PopupWindows();
                if (popups.empty())
                    return;
                ++tick;
                // One key every third tick, once the menu it goes to shows.
                if (tick % 3 == 0 && tick / 3 < static_cast<int>(c.press.size()))
                    Key(c.press[static_cast<size_t>(tick / 3)]);
            },
            10);
        ASSERT_TRUE(OpenMenuBarMenuByMnemonic(barWindow, 'f'));
        desktop.Pump();
        EXPECT_EQ(MenuOwner::commands, (std::vector<uint32_t>{c.command}));
    }
    SetPopupPresenter(previous);
    DestroyMenu(bar);
    for (const MenuHandle m : menus)
        DestroyMenu(m);
}
