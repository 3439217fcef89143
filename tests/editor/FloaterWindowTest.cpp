#include "tests/editor/EditorFixture.h"

#include "editor/app/EditorCommands.h"
#include "editor/floaters/DialogNotes.h"
#include "editor/floaters/FloaterWindow.h"
#include "editor/floaters/KeyboardFloater.h"
#include "editor/floaters/KnobFloater.h"
#include "editor/floaters/WindowToggler.h"
#include "editor/floaters/WindowTogglerEx.h"
#include "editor/patches/PatchManager.h"
#include "editor/prefs/Preferences.h"
#include "framework/drawing/Canvas.h"
#include "platform/host/SystemMetrics.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowStyle.h"

#include <functional>

using namespace NSHarrowen;
using namespace editorcommands;

namespace editortest {

namespace {

// A floater as the browser or a tool of the program would make one, with
// its place kept in a variable in place of the preferences.
class CTestFloater : public CFloaterWindow {
public:
    CTestFloater() : CFloaterWindow("Test Floater", false, 0) { }
    void GetSizeLimits(CPoint& minimum, CPoint& maximum) const override
    {
        minimum = CPoint(100, 50);
        maximum = CPoint(400, 300);
    }
    static CRect GetDefaultRect() { return CRect(500, 300, 700, 400); }
    static CRect GetSavedRect() { return saved; }
    static void SaveRect(const CRect& rect) { saved = rect; }
    static inline CRect saved;
};
using CTestToggler = CWindowToggler<CTestFloater>;

// A floater that is hidden rather than closed, with its state.
class CTestParkedFloater : public CTestFloater {
public:
    void SaveStateToPreferences() { saved = GetWindowRectInFrame(); }
    void LoadStateFromPreferences() { ++loads; }
    static void SetWasOpen(bool open) { wasOpen = open; }
    static inline bool wasOpen = false;
    int loads = 0;
};
using CTestTogglerEx = CWindowTogglerEx<CTestParkedFloater>;

} // namespace

TEST_F(EditorTest, AFloaterIsAToolWindowOfTheFrameWhoseKeysAndMenusReachTheApplication)
{
    Launch();
    CTestFloater::saved = CRect();
    CTestFloater* floater = CTestToggler::Open();
    ASSERT_NE(floater, nullptr);
    Pump();
    EXPECT_EQ(CTestToggler::Open(), floater);
    EXPECT_EQ(platform::GetOwner(floater->GetHandle()), app->GetFrameHandle());
    EXPECT_TRUE(platform::GetWindowExStyle(floater->GetHandle()) & platform::exstyle::ToolWindow);
    EXPECT_TRUE(floater->IsVisible());
    EXPECT_EQ(floater->GetBorderWidth(), platform::GetSystemMetric(platform::Metric::DialogFrameX));

    platform::SetActiveWindow(floater->GetHandle());
    Pump();
    ASSERT_EQ(GetActiveWindow(), floater);
    // A first start: the zero rectangle fails the minimum size.
    CRect content = floater->GetWindowRectInFrame();
    floater->WindowToContentRect(content);
    EXPECT_EQ(content, CTestFloater::GetDefaultRect());

    // The menu bar's accelerators work while the floater has the focus.
    PressCtrl('N');
    EXPECT_EQ(app->GetPatches()->CountOpenWindows(), 1);

    // Back on the floater, Ctrl+W closes the patch window: the floater has
    // no commands of its own.
    platform::SetActiveWindow(floater->GetHandle());
    Pump();
    ASSERT_EQ(GetActiveWindow(), floater);
    PressCtrl('W');
    Step(100);
    EXPECT_EQ(app->GetPatches()->CountOpenWindows(), 0);
    EXPECT_EQ(CTestToggler::Get(), floater);

    // Asked to close, it goes and its place is recorded.
    floater->SetWindowRect(CRect(40, 50, 300, 200));
    floater->RequestClose();
    Step(100);
    EXPECT_EQ(CTestToggler::Get(), nullptr);
    EXPECT_EQ(CTestFloater::saved, CRect(40, 50, 300, 200));

    // Opened again at its recorded place.
    floater = CTestToggler::Open();
    EXPECT_EQ(floater->GetWindowRectInFrame(), CRect(40, 50, 300, 200));
    floater->RequestClose();
    Step(100);
}

TEST_F(EditorTest, AHiddenFloaterLeavesTheScreenAndComesBackWhereItWas)
{
    Launch();
    CTestFloater::saved = CRect(0, -30, 200, 100); // its top above the screen
    CTestParkedFloater* floater = CTestTogglerEx::Open();
    ASSERT_TRUE(CTestTogglerEx::IsShown());
    CRect content = floater->GetWindowRectInFrame();
    floater->WindowToContentRect(content);
    EXPECT_EQ(content, CTestFloater::GetDefaultRect());

    floater->SetWindowRect(CRect(30, 40, 250, 200));
    CTestTogglerEx::Hide();
    EXPECT_FALSE(CTestTogglerEx::IsShown());
    EXPECT_EQ(CTestTogglerEx::Get(), floater);
    EXPECT_FALSE(platform::IsWindowVisible(floater->GetHandle()));
    EXPECT_EQ(floater->GetWindowRectInFrame(), CRect(30, 40, 250, 200));
    EXPECT_EQ(CTestFloater::saved, CRect(30, 40, 250, 200));

    EXPECT_EQ(CTestTogglerEx::Open(), floater);
    EXPECT_EQ(floater->loads, 1);
    EXPECT_TRUE(platform::IsWindowVisible(floater->GetHandle()));
    EXPECT_EQ(floater->GetWindowRectInFrame(), CRect(30, 40, 250, 200));

    // Going while shown records the place and the open flag; while hidden, only a cleared flag.
    floater->SetWindowRect(CRect(60, 70, 280, 230));
    delete floater;
    EXPECT_EQ(CTestTogglerEx::Get(), nullptr);
    EXPECT_TRUE(CTestParkedFloater::wasOpen);
    EXPECT_EQ(CTestFloater::saved, CRect(60, 70, 280, 230));
    floater = CTestTogglerEx::Open();
    CTestTogglerEx::Hide();
    delete floater;
    EXPECT_FALSE(CTestParkedFloater::wasOpen);
    EXPECT_FALSE(CTestTogglerEx::IsShown());
}

TEST_F(EditorTest, TheToolsMenuTogglesEachFloaterWithItsCheckMarkAndPlacesItWhereItFits)
{
    Launch();
    struct Case {
        uint32_t command;
        CPreferences::CFloaterPlace CPreferences::*place;
        CRect defaultRect;
        int shiftLeft; // the default at the screen's edge moves left by the frame's border
        std::function<CABCWindow*()> get;
    };
    const int border = platform::GetSystemMetric(platform::Metric::SizingFrameX);
    const Case cases[] = {
        {kKnobFloater, &CPreferences::knobFloater, CKnobFloater::GetDefaultRect(), 0,
         [] { return CWindowToggler<CKnobFloater>::Get(); }},
        {kKeyboardFloater, &CPreferences::keyboardFloater, CKeyboardFloater::GetDefaultRect(), 0,
         [] { return CWindowToggler<CKeyboardFloater>::Get(); }},
        {kNotesFloater, &CPreferences::notesFloater, CDialogNotes::GetDefaultRect(), border,
         [] { return CWindowToggler<CDialogNotes>::Get(); }},
    };
    // Stored places that cannot be used: beyond the right edge, below the
    // bottom, too small, too large; a usable one is taken as it is.
    const CRect unusable[] = {CRect(1030, 100, 1400, 300), CRect(100, 800, 500, 1000), CRect(100, 100, 130, 120),
                              CRect(0, 0, 0, 0)};
    for (const Case& c : cases) {
        for (const CRect& stored : unusable) {
            (app->GetPrefs()->*c.place).rect = stored;
            Choose(c.command);
            CABCWindow* floater = c.get();
            ASSERT_NE(floater, nullptr) << c.command;
            UpdateMenus();
            EXPECT_TRUE(IsChecked(c.command)) << c.command;
            const CRect window = floater->GetWindowRectInFrame();
            EXPECT_TRUE(window.left >= 0 && window.top >= 0 && window.right <= 1024 && window.bottom <= 768)
                << c.command;
            CRect content = window;
            floater->WindowToContentRect(content);
            CRect expected = c.defaultRect;
            expected.ShiftLeft(c.shiftLeft);
            EXPECT_EQ(content, expected) << c.command << " from " << stored.left << "," << stored.top;
            Choose(c.command);
            Step(100);
            EXPECT_EQ(c.get(), nullptr) << c.command;
            UpdateMenus();
            EXPECT_FALSE(IsChecked(c.command)) << c.command;
        }
        // Closed, the floater left its own place in the preferences, which
        // the next open takes.
        const CRect recorded = (app->GetPrefs()->*c.place).rect;
        Choose(c.command);
        EXPECT_EQ(c.get()->GetWindowRectInFrame(), recorded) << c.command;
    }
    // The keys of the two that have them.
    PressCtrl('K');
    Step(100);
    EXPECT_EQ(CWindowToggler<CKnobFloater>::Get(), nullptr);
    PressCtrl('F');
    Step(100);
    EXPECT_EQ(CWindowToggler<CKeyboardFloater>::Get(), nullptr);
    PressCtrl('K');
    PressCtrl('F');
    EXPECT_NE(CWindowToggler<CKnobFloater>::Get(), nullptr);
    EXPECT_NE(CWindowToggler<CKeyboardFloater>::Get(), nullptr);
}

// A place stored on a larger desktop, or dragged partly past an edge: the
// floater opens there moved wholly onto the desktop, at its stored size, so
// that its caption and borders can be reached.
TEST_F(EditorTest, AStoredPlacePartlyOffTheDesktopIsMovedWhollyOntoIt)
{
    Launch();
    struct Case {
        uint32_t command;
        CPreferences::CFloaterPlace CPreferences::*place;
        std::function<CABCWindow*()> get;
    };
    const Case cases[] = {
        {kKnobFloater, &CPreferences::knobFloater, [] { return CWindowToggler<CKnobFloater>::Get(); }},
        {kKeyboardFloater, &CPreferences::keyboardFloater, [] { return CWindowToggler<CKeyboardFloater>::Get(); }},
        {kNotesFloater, &CPreferences::notesFloater, [] { return CWindowToggler<CDialogNotes>::Get(); }},
    };
    ASSERT_EQ(GetScreenRect(), CRect(0, 0, 1024, 768));
    for (const Case& c : cases) {
        // The floater's own size, from its default place.
        Choose(c.command);
        ASSERT_NE(c.get(), nullptr) << c.command;
        const CRect own = c.get()->GetWindowRectInFrame();
        Choose(c.command);
        Step(100);
        const int w = own.Width();
        const int h = own.Height();
        struct Place {
            CRect stored;
            CRect shown;
        };
        const Place places[] = {
            // Its top left corner near the desktop's bottom right one.
            {CRect(1000, 720, 1000 + w, 720 + h), CRect(1024 - w, 768 - h, 1024, 768)},
            // Above and left of the desktop.
            {CRect(-40, -25, -40 + w, -25 + h), CRect(0, 0, w, h)},
            // Past the right edge only: it keeps its height on the screen.
            {CRect(1000, 300, 1000 + w, 300 + h), CRect(1024 - w, 300, 1024, 300 + h)},
        };
        for (const Place& p : places) {
            (app->GetPrefs()->*c.place).rect = p.stored;
            Choose(c.command);
            ASSERT_NE(c.get(), nullptr) << c.command;
            EXPECT_EQ(c.get()->GetWindowRectInFrame(), p.shown)
                << c.command << " from " << p.stored.left << "," << p.stored.top;
            Choose(c.command);
            Step(100);
        }
    }
}

TEST(FloaterPlace, AStoredPlaceIsUsedOnlyOnTheScreenAndWithinTheSizeLimits)
{
    const CRect screen(0, 0, 1024, 768);
    const CPoint minimum(120, 32), maximum(676, 50);
    struct Case {
        CRect content;
        bool allowAbove;
        bool usable;
    };
    const Case cases[] = {
        {{10, 10, 210, 50}, true, true},       {{0, 0, 0, 0}, true, false}, // a first start
        {{1024, 10, 1224, 50}, true, false},                                // beyond the right edge
        {{1023, 10, 1223, 50}, true, true},                                 // one pixel still on it
        {{10, 768, 210, 808}, true, false},                                 // below the bottom
        {{10, 10, 129, 50}, true, false},                                   // narrower than the minimum
        {{10, 10, 10 + 677, 50}, true, false},                              // wider than the maximum
        {{10, 10, 210, 41}, true, false},                                   // lower than the minimum
        {{10, 10, 210, 61}, true, false},                                   // higher than the maximum
        {{10, -20, 210, 20}, true, true},                                   // above the screen: the floaters take it
        {{10, -20, 210, 20}, false, false},                                 // the browser does not
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsUsableFloaterPlace(c.content, screen, minimum, maximum, c.allowAbove), c.usable)
            << c.content.left << "," << c.content.top << "," << c.content.right << "," << c.content.bottom;
}

} // namespace editortest
