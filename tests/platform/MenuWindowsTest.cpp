#include "platform/input/Keys.h"
#include "platform/menus/MenuWindows.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"
#include "tests/support/HeadlessDesktop.h"

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

TEST_F(DrawnPopup, SubmenuClosesFirst)
{
    desktop_.Host().Click(Row(60));
    // A click outside closes the submenu; the menu stays open for another.
    desktop_.Host().Click({5, 5});
    desktop_.Host().Click({5, 5});
    EXPECT_EQ(RunPopupMenuWindow({menu_, kX, kY, 0}), 0u);
    EXPECT_EQ(CountTopLevelWindows(), 0);
}
