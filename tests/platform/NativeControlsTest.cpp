#include "platform/host/HostClipboard.h"
#include "platform/controls/Controls.h"
#include "platform/input/Keys.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"
#include "tests/support/HeadlessDesktop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform;

namespace {

struct Heard {
    uint32_t message;
    WParam wParam;
    LParam lParam;
    int delta = 0;
};

std::vector<Heard>& Log()
{
    static std::vector<Heard> log;
    return log;
}

LResult ParentProc(WindowHandle w, uint32_t message, WParam wParam, LParam lParam)
{
    switch (message) {
    case msg::Command:
    case msg::HScroll:
    case msg::VScroll:
        Log().push_back({message, wParam, lParam});
        return 0;
    case msg::Notify: {
        const auto* note = reinterpret_cast<const UpDownNotify*>(lParam);
        Log().push_back({message, wParam, lParam, note->delta});
        return 0;
    }
    default:
        return DefWindowProc(w, message, wParam, lParam);
    }
}

// A shown top-level window at (100, 100) holding the controls under test.
class NativeControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Log().clear();
        RegisterControlClasses();
        RegisterWindowClass({"ControlsTestParent", 0, ParentProc, ClassBackground::ButtonFace});
        CreateParams params;
        params.className = "ControlsTestParent";
        params.style = style::Popup | style::Visible;
        params.rect = Rect::FromSize(100, 100, 400, 300);
        parent = CreateWindow(params);
        desktop.Host().SetApplicationFocus(true);
        SetActiveWindow(parent);
        desktop.Pump();
    }

    WindowHandle Make(const char* className, uint32_t style, Rect rect, const char* title = "", uint16_t id = 7)
    {
        CreateParams params;
        params.className = className;
        params.title = title;
        params.style = style::Child | style::Visible | style;
        params.rect = rect;
        params.parent = parent;
        params.childId = id;
        const WindowHandle h = CreateWindow(params);
        desktop.Pump();
        return h;
    }

    void ClickAt(WindowHandle control, int x, int y)
    {
        desktop.Host().Click(ClientToScreen(control, {x, y}));
        desktop.Pump();
    }

    std::vector<uint16_t> Codes(uint32_t message)
    {
        std::vector<uint16_t> codes;
        for (const Heard& h : Log())
            if (h.message == message)
                codes.push_back(message == msg::Command ? HighWordOf(h.wParam) : LowWordOf(h.wParam));
        return codes;
    }

    testsupport::HeadlessDesktop desktop;
    WindowHandle parent = 0;
};

TEST_F(NativeControlsTest, ButtonsReportClicksAndCheckBoxesDoNotToggleThemselves)
{
    const WindowHandle push = Make(kButtonClass, ctlstyle::PushButton, Rect::FromSize(10, 10, 80, 24), "OK", 1);
    const WindowHandle check = Make(kButtonClass, ctlstyle::CheckBox, Rect::FromSize(10, 40, 100, 16), "Loud", 2);
    ClickAt(push, 20, 10);
    ClickAt(check, 5, 8);
    ASSERT_EQ(Log().size(), 2u);
    EXPECT_EQ(LowWordOf(Log()[0].wParam), 1);
    EXPECT_EQ(HighWordOf(Log()[0].wParam), kButtonClicked);
    EXPECT_EQ(static_cast<WindowHandle>(Log()[0].lParam), push);
    EXPECT_EQ(static_cast<WindowHandle>(Log()[1].lParam), check);
    EXPECT_EQ(SendMessage(check, ctlmsg::ButtonGetCheck, 0, 0), 0);
    SendMessage(check, ctlmsg::ButtonSetCheck, 1, 0);
    EXPECT_EQ(SendMessage(check, ctlmsg::ButtonGetCheck, 0, 0), 1);
    // A press released outside the button is no click.
    desktop.Host().PressMouse(ClientToScreen(push, {20, 10}));
    desktop.Pump();
    desktop.Host().MoveMouse(ClientToScreen(push, {200, 10}));
    desktop.Host().ReleaseMouse(ClientToScreen(push, {200, 10}));
    desktop.Pump();
    EXPECT_EQ(Log().size(), 2u);
    // The default look changes only the type bits.
    SendMessage(push, ctlmsg::ButtonSetStyle, ctlstyle::DefPushButton, 1);
    EXPECT_EQ(GetWindowStyle(push) & 0xFFFF0000u, style::Child | style::Visible);
    EXPECT_EQ(GetWindowStyle(push) & ctlstyle::ButtonTypeMask, ctlstyle::DefPushButton);
}

TEST_F(NativeControlsTest, EditTypesWithinItsLimitAndUsesTheClipboard)
{
    const WindowHandle edit = Make(kEditClass, ctlstyle::EditAutoHScroll, Rect::FromSize(10, 10, 150, 22));
    SendMessage(edit, ctlmsg::EditLimitText, 5, 0);
    ClickAt(edit, 5, 10);
    EXPECT_EQ(GetFocus(), edit);
    for (char c : std::string("abcdefg"))
        desktop.Host().TypeCharacter(static_cast<char32_t>(c));
    desktop.Pump();
    EXPECT_EQ(GetControlText(edit), "abcde");
    EXPECT_GE(desktop.Host().Beeps(), 2);
    // Select "bcd", copy, and paste it over "e".
    SendMessage(edit, ctlmsg::EditSetSel, 1, 4);
    SendMessage(edit, msg::Char, 3, 0);
    EXPECT_EQ(ClipboardGetText().value_or(""), "bcd");
    SendMessage(edit, ctlmsg::EditSetSel, 4, 5);
    SendMessage(edit, msg::Char, 22, 0);
    EXPECT_EQ(GetControlText(edit), "abcde"); // "abcdbcd" would pass the limit: refused
    SendMessage(edit, ctlmsg::EditSetSel, 0, -1);
    SendMessage(edit, msg::Char, 22, 0);
    EXPECT_EQ(GetControlText(edit), "bcd");
    uint32_t start = 9;
    uint32_t end = 9;
    SendMessage(edit, ctlmsg::EditGetSel, reinterpret_cast<WParam>(&start), reinterpret_cast<LParam>(&end));
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(end, 3u);
    SendMessage(edit, msg::Char, 8, 0);
    SendMessage(edit, msg::KeyDown, kVKHome, 0);
    SendMessage(edit, msg::KeyDown, kVKDelete, 0);
    EXPECT_EQ(GetControlText(edit), "c");
    SendMessage(edit, ctlmsg::EditReplaceSel, 0, reinterpret_cast<LParam>("xy"));
    EXPECT_EQ(GetControlText(edit), "xyc");
}

TEST_F(NativeControlsTest, DropDownListReportsDropPickAndCloseUp)
{
    const WindowHandle combo = Make(kComboBoxClass, ctlstyle::ComboDropDownList, Rect::FromSize(10, 10, 120, 200));
    // The field keeps its own height; the rest is room for the list.
    EXPECT_EQ(GetWindowRectInParent(combo).Height(), kComboFieldHeight);
    for (const char* item : {"Port 1", "Port 2", "Port 3"})
        SendMessage(combo, ctlmsg::ComboAddString, 0, reinterpret_cast<LParam>(item));
    EXPECT_EQ(SendMessage(combo, ctlmsg::ComboGetCurSel, 0, 0), -1);
    ClickAt(combo, 60, 10);
    EXPECT_EQ(SendMessage(combo, ctlmsg::ComboGetDroppedState, 0, 0), 1);
    // Pick the second item in the list below the field.
    const Point item = ClientToScreen(combo, {40, kComboFieldHeight + 1 + 16 + 8});
    desktop.Host().MoveMouse(item);
    desktop.Host().Click(item);
    desktop.Pump();
    EXPECT_EQ(SendMessage(combo, ctlmsg::ComboGetDroppedState, 0, 0), 0);
    EXPECT_EQ(SendMessage(combo, ctlmsg::ComboGetCurSel, 0, 0), 1);
    EXPECT_EQ(Codes(msg::Command),
              (std::vector<uint16_t>{kComboDropDown, kComboCloseUp, kComboSelChange, kComboSelEndOk}));
    // A click outside the list cancels.
    Log().clear();
    ClickAt(combo, 60, 10);
    desktop.Host().Click({5, 5});
    desktop.Pump();
    EXPECT_EQ(Codes(msg::Command), (std::vector<uint16_t>{kComboDropDown, kComboCloseUp, kComboSelEndCancel}));
    EXPECT_EQ(SendMessage(combo, ctlmsg::ComboGetCurSel, 0, 0), 1);
    std::string text;
    SendMessage(combo, ctlmsg::ComboGetItemText, 2, reinterpret_cast<LParam>(&text));
    EXPECT_EQ(text, "Port 3");
}

TEST_F(NativeControlsTest, ScrollBarSendsTheScrollCodes)
{
    const WindowHandle bar = Make(kScrollBarClass, ctlstyle::ScrollVertical, Rect::FromSize(10, 10, 16, 200));
    SendMessage(bar, ctlmsg::ScrollSetRange, 0, 999);
    ClickAt(bar, 8, 4);   // the upper arrow
    ClickAt(bar, 8, 196); // the lower arrow
    ClickAt(bar, 8, 150); // the track below the thumb
    SendMessage(bar, ctlmsg::ScrollSetPos, 500, 1);
    ClickAt(bar, 8, 20); // the track above the thumb
    SendMessage(bar, msg::KeyDown, kVKHome, 0);
    SendMessage(bar, msg::KeyDown, kVKEnd, 0);
    EXPECT_EQ(
        Codes(msg::VScroll),
        (std::vector<uint16_t>{scroll::LineUp, scroll::EndScroll, scroll::LineDown, scroll::EndScroll, scroll::PageDown,
                               scroll::EndScroll, scroll::PageUp, scroll::EndScroll, scroll::Top, scroll::Bottom}));
    // Dragging the thumb to the end tracks and ends at the last position.
    Log().clear();
    SendMessage(bar, ctlmsg::ScrollSetPos, 0, 1);
    desktop.Host().PressMouse(ClientToScreen(bar, {8, 20}));
    desktop.Pump();
    desktop.Host().MoveMouse(ClientToScreen(bar, {8, 400}));
    desktop.Pump();
    desktop.Host().ReleaseMouse(ClientToScreen(bar, {8, 400}));
    desktop.Pump();
    ASSERT_GE(Log().size(), 3u);
    EXPECT_EQ(LowWordOf(Log()[0].wParam), scroll::ThumbTrack);
    EXPECT_EQ(HighWordOf(Log()[0].wParam), 999);
    EXPECT_EQ(LowWordOf(Log()[1].wParam), scroll::ThumbPosition);
    EXPECT_EQ(HighWordOf(Log()[1].wParam), 999);
}

TEST_F(NativeControlsTest, UpDownStepsByOneAndWraps)
{
    const WindowHandle arrows = Make(kUpDownClass, ctlstyle::UpDownWrap, Rect::FromSize(10, 10, 16, 24));
    SendMessage(arrows, ctlmsg::UpDownSetRange32, 0, 1000);
    ClickAt(arrows, 8, 3);
    ClickAt(arrows, 8, 20);
    ClickAt(arrows, 8, 20);
    ASSERT_EQ(Log().size(), 3u);
    EXPECT_EQ(Log()[0].delta, 1);
    EXPECT_EQ(Log()[1].delta, -1);
    EXPECT_EQ(Log()[2].delta, -1);
    EXPECT_EQ(SendMessage(arrows, ctlmsg::UpDownGetPos32, 0, 0), 1000); // 0 - 1 wrapped
}

TEST_F(NativeControlsTest, ProgressBarFillsByItsPosition)
{
    const WindowHandle bar = Make(kProgressClass, 0, Rect::FromSize(10, 10, 104, 12));
    SendMessage(bar, ctlmsg::ProgressSetRange, 0, MakeLParam(0, 1000));
    const auto filled = [&] {
        desktop.Pump();
        const PixelBuffer shot = CaptureWindow(parent);
        const Point p = ClientToScreen(bar, {6, 6});
        const Rect origin = GetWindowRect(parent);
        return (shot.At(p.x - origin.left, p.y - origin.top) & 0xFFFFFF) == 0x000080;
    };
    EXPECT_FALSE(filled());
    SendMessage(bar, ctlmsg::ProgressSetPos, 1000, 0);
    EXPECT_TRUE(filled());
    EXPECT_EQ(SendMessage(bar, ctlmsg::ProgressGetPos, 0, 0), 1000);
}

LResult (*gPrevious)(WindowHandle, uint32_t, WParam, LParam) = nullptr;
int gSeen = 0;

LResult CountingProc(WindowHandle w, uint32_t message, WParam wParam, LParam lParam)
{
    if (message == msg::KeyDown)
        ++gSeen;
    return CallWindowProcedure(gPrevious, w, message, wParam, lParam);
}

TEST_F(NativeControlsTest, ReplacedProcedureSeesMessagesAndPassesThemOn)
{
    const WindowHandle bar = Make(kScrollBarClass, ctlstyle::ScrollHorizontal, Rect::FromSize(10, 10, 200, 16));
    gSeen = 0;
    gPrevious = SetWindowProcedure(bar, CountingProc);
    ASSERT_NE(gPrevious, nullptr);
    SendMessage(bar, msg::KeyDown, kVKRight, 0);
    EXPECT_EQ(gSeen, 1);
    EXPECT_EQ(Codes(msg::HScroll), (std::vector<uint16_t>{scroll::LineDown}));
    EXPECT_EQ(GetWindowProcedure(bar), &CountingProc);
}

} // namespace
